#include "MainFrame.h"

#include "Journal.h"
#include "Settings.h"
#include "WorkbenchView.h"
#include "resource.h"

#include <commdlg.h>

namespace demo {

namespace {

const wchar_t kFrame[] = L"Frame";
const wchar_t kPlacement[] = L"Placement";
const wchar_t kLastPage[] = L"LastPage";
const CSize kDefaultSize(1000, 860);

} // namespace

IMPLEMENT_DYNCREATE(MainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(MainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_COMMAND(ID_FILE_EXPORT_SETTINGS, OnExportSettings)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

WorkbenchView* MainFrame::getView() const
{
    return static_cast<WorkbenchView*>(GetActiveView());
}

void MainFrame::restore(const Settings& settings, int nCmdShow)
{
    const Settings frame = settings.section(kFrame);
    WINDOWPLACEMENT placement{};
    if (frame.getPlacement(kPlacement, placement))
        SetWindowPlacement(&placement);
    else
        ShowWindow(nCmdShow);
    getView()->loadSettings(settings);
    getView()->showPage(static_cast<int>(frame.getInt(kLastPage, 0)));
    UpdateWindow();
}

void MainFrame::save(Settings& settings) const
{
    Settings frame = settings.section(kFrame);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (GetWindowPlacement(&placement))
        frame.setPlacement(kPlacement, placement);
    frame.setInt(kLastPage, static_cast<DWORD>(getView()->getCurrentPage()));
    getView()->saveSettings(settings);
}

BOOL MainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.cx = kDefaultSize.cx;
    cs.cy = kDefaultSize.cy;
    cs.x = cs.y = 20;
    return CFrameWnd::PreCreateWindow(cs);
}

// WM_WINDOWPOSCHANGING is sent, never posted: the magnet sees it here, on its way in.
LRESULT MainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg{GetSafeHwnd(), message, wParam, lParam, 0, {}};
    magnet.translateMessage(&msg);
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

int MainFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    magnet.setWindow(this);
    return 0;
}

void MainFrame::OnClose()
{
    Settings settings;
    save(settings);
    CFrameWnd::OnClose();
}

// The script holds the settings as they are now, so they are saved first.
void MainFrame::OnExportSettings()
{
    wchar_t file[MAX_PATH] = L"workbench.reg";
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetSafeHwnd();
    dialog.lpstrFilter = L"Registry scripts (*.reg)\0*.reg\0";
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = L"reg";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    if (!::GetSaveFileNameW(&dialog))
        return;
    Settings settings;
    save(settings);
    note(settings.exportTo(file) ? "Settings exported to %ls" : "Settings not exported to %ls", file);
}

void MainFrame::OnAppExit()
{
    SendMessage(WM_CLOSE);
}

} // namespace demo
