#include "MainFrame.h"

#include "Settings.h"
#include "WorkbenchView.h"
#include "resource.h"

#include <commdlg.h>

namespace demo {

namespace {

const wchar_t kPlacement[] = L"Placement";
const CSize kDefaultSize(1000, 720);

} // namespace

IMPLEMENT_DYNCREATE(MainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(MainFrame, CFrameWnd)
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
    WINDOWPLACEMENT placement{};
    if (settings.getPlacement(kPlacement, placement))
        SetWindowPlacement(&placement);
    else
        ShowWindow(nCmdShow);
    getView()->loadSettings(settings);
    UpdateWindow();
}

void MainFrame::save(Settings& settings) const
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (GetWindowPlacement(&placement))
        settings.setPlacement(kPlacement, placement);
    getView()->saveSettings(settings);
}

BOOL MainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.cx = kDefaultSize.cx;
    cs.cy = kDefaultSize.cy;
    cs.x = cs.y = 20;
    return CFrameWnd::PreCreateWindow(cs);
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
    settings.exportTo(file);
}

void MainFrame::OnAppExit()
{
    SendMessage(WM_CLOSE);
}

} // namespace demo
