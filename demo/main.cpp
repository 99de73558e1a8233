// The demo host: a frame with a GL window host. Given a folder on the command line it turns
// the camera through a few view directions, saves a PNG of each view there and exits;
// otherwise the scene rotates until the window is closed.
#include <qv.win/Camera.h>
#include "SceneWnd.h"
#include "Screenshot.h"

#include <afxwin.h>

#include <GL/gl.h>
#include <shellapi.h>

#include <string>

namespace {

using qv::gl::Camera;

struct Shot {
    Camera::ViewDirection direction;
    bool perspective;
    const wchar_t* name;
};

const Shot kShots[] = {
    {Camera::Isometric, false, L"gl-isometric"}, {Camera::Front, false, L"gl-front"},
    {Camera::TopZUp, false, L"gl-top"},          {Camera::Back, false, L"gl-back"},
    {Camera::Isometric, true, L"gl-perspective"},
};

const CRect kFrameRect(40, 40, 680, 520);
constexpr int kSaveFailed = 2;

std::wstring folderArgument()
{
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    const std::wstring folder = argc > 1 ? argv[1] : L"";
    ::LocalFree(argv);
    return folder;
}

class DemoApp : public CWinApp {
public:
    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    bool _createFrame();
    bool _saveViews(const std::wstring& folder);
    bool _saveView(const Shot& shot, const std::wstring& folder);

    demo::SceneWnd scene;
    int exitCode = 0;
};

DemoApp theApp;

BOOL DemoApp::InitInstance()
{
    if (!_createFrame())
        return FALSE;
    const std::wstring folder = folderArgument();
    if (folder.empty()) {
        scene.startRotation();
        return TRUE;
    }
    exitCode = _saveViews(folder) ? 0 : kSaveFailed;
    return FALSE;
}

int DemoApp::ExitInstance()
{
    CWinApp::ExitInstance();
    return exitCode;
}

bool DemoApp::_createFrame()
{
    auto* frame = new CFrameWnd;
    if (!frame->Create(nullptr, L"qv.win GL demo", WS_OVERLAPPEDWINDOW, kFrameRect))
        return false;
    m_pMainWnd = frame;
    if (!scene.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), frame, AFX_IDW_PANE_FIRST))
        return false;
    frame->RecalcLayout();
    frame->ShowWindow(SW_SHOW);
    frame->UpdateWindow();
    return true;
}

bool DemoApp::_saveViews(const std::wstring& folder)
{
    bool saved = true;
    for (const Shot& shot : kShots)
        saved = _saveView(shot, folder) && saved;
    return saved;
}

// The first frame after a resize may be lost (Wine gives a resized GL child window a new
// drawable at its first swap), so each view is painted twice before it is read back.
bool DemoApp::_saveView(const Shot& shot, const std::wstring& folder)
{
    Camera* camera = scene.getCamera();
    camera->viewDirection(shot.direction, false);
    camera->setPerspective(shot.perspective, false);
    scene.RedrawWindow();
    scene.RedrawWindow();
    qv::gl::DIBSection image;
    return scene.getScreenShot(image, GL_BGRA_EXT) && demo::savePng(image, folder + L"\\" + shot.name + L".png");
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR commandLine, int show)
{
    return AfxWinMain(instance, previous, commandLine, show);
}
