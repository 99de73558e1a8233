// The workbench: a document/view application with one page per family of the library's
// classes. Given a folder on the command line it tours every page without a user, saves a
// picture of each and the exported settings there, and exits with 0 when every step worked.
#include "MainFrame.h"
#include "Settings.h"
#include "Tour.h"
#include "WorkbenchDoc.h"
#include "WorkbenchView.h"
#include "resource.h"

#include <afxwin.h>

#include <shellapi.h>

namespace demo {

namespace {

constexpr int kTourFailed = 2;
const CRect kTourRect(20, 20, 1020, 740);
constexpr DWORD kSettleMs = 300;

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
    MainFrame* _openWorkbench();
    bool _runTour(MainFrame* frame, const CString& folder);

    int exitCode = 0;
};

WorkbenchApp theApp;

BOOL WorkbenchApp::InitInstance()
{
    MainFrame* frame = _openWorkbench();
    if (!frame)
        return FALSE;
    const CString folder = folderArgument();
    if (folder.IsEmpty())
        return TRUE;
    exitCode = _runTour(frame, folder) ? 0 : kTourFailed;
    frame->DestroyWindow();
    return FALSE;
}

int WorkbenchApp::ExitInstance()
{
    CWinApp::ExitInstance();
    return exitCode;
}

MainFrame* WorkbenchApp::_openWorkbench()
{
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(WorkbenchDoc), RUNTIME_CLASS(MainFrame),
                                          RUNTIME_CLASS(WorkbenchView)));
    OnFileNew();
    auto* frame = static_cast<MainFrame*>(m_pMainWnd);
    if (frame)
        frame->restore(Settings(), m_nCmdShow);
    return frame;
}

// Every page in turn at one fixed place on the screen, so that the pictures compare.
bool WorkbenchApp::_runTour(MainFrame* frame, const CString& folder)
{
    Tour tour(folder);
    frame->ShowWindow(SW_SHOWNORMAL);
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
    tour.check(settings.exportTo(folder + L"\\workbench.reg"), L"exporting the settings");
    return !tour.isFailed();
}

} // namespace

} // namespace demo

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR commandLine, int show)
{
    return AfxWinMain(instance, previous, commandLine, show);
}
