// The workbench: a document/view application with one page per family of the library's
// classes. Given a folder on the command line it tours every page without a user, saves a
// picture of each and the exported settings there, and exits with 0 when every step worked.
#include "MainFrame.h"
#include "Settings.h"
#include "Tour.h"
#include "WorkbenchDoc.h"
#include "WorkbenchView.h"
#include "resource.h"

#include <qv.win/LogDebugOut.h>
#include <qv.win/SplashWnd.h>
#include <qv.win/core/qv.Log.h>

#include <afxwin.h>

#include <shellapi.h>

namespace demo {

namespace {

constexpr int kTourFailed = 2;
// A tour starts from the defaults every time, so that its pictures compare, and leaves the
// user's settings alone.
const wchar_t kTourSettings[] = L"Software\\qv.win\\Workbench Tour";
const CRect kTourRect(20, 20, 1020, 880);
constexpr DWORD kSettleMs = 300;
constexpr COLORREF kSplashText = RGB(220, 232, 245);
// How far from the work area's left edge the tour drops the frame; the magnet pulls it in.
constexpr int kNearEdge = 6;

CString folderArgument()
{
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    const CString folder = argc > 1 ? argv[1] : L"";
    ::LocalFree(argv);
    return folder;
}

class WorkbenchApp : public CWinApp {
public:
    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    MainFrame* _openWorkbench(qv::gui::SplashWnd& splash);
    bool _runTour(MainFrame* frame, const CString& folder);
    void _tourMagnet(MainFrame* frame, Tour& tour);

    // What the log pane shows reaches a debugger too, from start-up to exit.
    qv::LogDebugOut debugLog{qv::LogAll};
    int exitCode = 0;
};

WorkbenchApp theApp;

BOOL WorkbenchApp::InitInstance()
{
    qv::Log::add(&debugLog);
    const CString folder = folderArgument();
    if (!folder.IsEmpty()) {
        Settings::setApplicationKey(kTourSettings);
        Settings().erase();
    }
    qv::gui::SplashWnd splash(nullptr, IDB_SPLASH, kSplashText);
    if (!folder.IsEmpty())
        Tour(folder).shoot(&splash, L"splash");
    MainFrame* frame = _openWorkbench(splash);
    splash.DestroyWindow();
    if (!frame)
        return FALSE;
    if (folder.IsEmpty())
        return TRUE;
    exitCode = _runTour(frame, folder) ? 0 : kTourFailed;
    frame->DestroyWindow();
    return FALSE;
}

int WorkbenchApp::ExitInstance()
{
    CWinApp::ExitInstance();
    qv::Log::remove(&debugLog);
    return exitCode;
}

MainFrame* WorkbenchApp::_openWorkbench(qv::gui::SplashWnd& splash)
{
    splash.SetStatusText(L"Creating the pages ...");
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(WorkbenchDoc), RUNTIME_CLASS(MainFrame),
                                          RUNTIME_CLASS(WorkbenchView)));
    OnFileNew();
    auto* frame = static_cast<MainFrame*>(m_pMainWnd);
    if (!frame)
        return nullptr;
    splash.SetStatusText(L"Restoring the settings ...");
    frame->restore(Settings(), m_nCmdShow);
    return frame;
}

// Every page in turn at one fixed place on the screen, so that the pictures compare.
bool WorkbenchApp::_runTour(MainFrame* frame, const CString& folder)
{
    Tour tour(folder);
    frame->ShowWindow(SW_SHOWNORMAL);
    _tourMagnet(frame, tour);
    frame->MoveWindow(kTourRect);
    frame->SetForegroundWindow();
    WorkbenchView* view = frame->getView();
    for (int i = 0; i < view->getPageCount(); ++i) {
        view->showPage(i);
        tour.pump(kSettleMs);
        Page* page = view->getPage(i);
        page->tour(tour);
        tour.shoot(frame, page->shotName());
    }
    Settings settings;
    frame->save(settings);
    tour.check(settings.exportTo(tour.getFile(L"workbench.reg")), L"exporting the settings");
    return !tour.isFailed();
}

void WorkbenchApp::_tourMagnet(MainFrame* frame, Tour& tour)
{
    CRect work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    frame->SetWindowPos(nullptr, work.left + kNearEdge, work.top + 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    CRect placed;
    frame->GetWindowRect(&placed);
    tour.check(placed.left == work.left, L"snapping the main frame to the work area's edge");
}

} // namespace

} // namespace demo

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR commandLine, int show)
{
    return AfxWinMain(instance, previous, commandLine, show);
}
