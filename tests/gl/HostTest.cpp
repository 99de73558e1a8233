#include <qv.win/Camera.h>
#include <qv.win/Font.h>
#include <qv.win/View.h>
#include <qv.win/Wnd.h>

#include "GlHostSupport.h"

#include "qvtest/Capture.h"
#include "qvtest/DialogTemplate.h"
#include "qvtest/DibSurface.h"
#include "qvtest/MfcPump.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using qv::gl::Camera;
using qv::gl::View;
using qv::gl::Wnd;
using Events = std::vector<std::string>;
using namespace qvtest::colors;

namespace {

const UINT kPlaceholderId = 1001;
const wchar_t kPlaceholderClass[] = L"GlHostPlaceholder";
// A resource id with no menu, strings, icon or accelerators.
const UINT kNoResources = 0x7F01;

// A control class that erases to white, as a dialog's placeholder would.
void registerPlaceholderClass()
{
    WNDCLASS windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProc;
    windowClass.hInstance = AfxGetInstanceHandle();
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kPlaceholderClass;
    AfxRegisterClass(&windowClass);
}

// An in-memory dialog with one placeholder control of the given class.
class PlaceholderDialog {
public:
    explicit PlaceholderDialog(const wchar_t* controlClass = kPlaceholderClass)
    {
        registerPlaceholderClass();
        qvtest::DialogTemplate dialog(WS_POPUP, 200, 120);
        dialog.item(WS_CHILD | WS_VISIBLE, 10, 10, 100, 60, kPlaceholderId, controlClass);
        m_hwnd = ::CreateDialogIndirect(AfxGetInstanceHandle(), dialog.get(), nullptr,
                                        [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; });
        ::ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    }
    PlaceholderDialog(const PlaceholderDialog&) = delete;
    PlaceholderDialog& operator=(const PlaceholderDialog&) = delete;
    ~PlaceholderDialog() { ::DestroyWindow(m_hwnd); }

    HWND hwnd() const { return m_hwnd; }
    HWND placeholder() const { return ::GetDlgItem(m_hwnd, static_cast<int>(kPlaceholderId)); }

private:
    HWND m_hwnd = nullptr;
};

// Fills the window red, sends it WM_ERASEBKGND and returns the result with the colour left.
std::pair<LRESULT, COLORREF> eraseOverRed(HWND hwnd)
{
    fillClient(hwnd, kRed);
    const HDC dc = ::GetDC(hwnd);
    const LRESULT erased = ::SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ::ReleaseDC(hwnd, dc);
    return {erased, clientPixel(hwnd, 5, 5)};
}

std::wstring className(HWND hwnd)
{
    wchar_t name[64] = {};
    ::GetClassName(hwnd, name, 64);
    return name;
}

CSize clientSize(const CWnd& wnd)
{
    CRect client;
    wnd.GetClientRect(&client);
    return client.Size();
}

// The default picture: the gradient from white at the top to blue at the bottom, as the
// window shows it (GDI does not see the GL picture of a child window in window mode under
// Wine) or as the GL surface holds it.
void expectDefaultGradient(COLORREF top, COLORREF bottom)
{
    EXPECT_TRUE(closeTo(kWhite, top, 8));
    EXPECT_TRUE(closeTo(kBlue, bottom, 8));
}

void expectWindowShowsTheGradient(HWND hwnd)
{
    const qvtest::Capture capture(hwnd);
    const int middle = capture.width() / 2;
    expectDefaultGradient(capture.pixel(middle, 0), capture.pixel(middle, capture.height() - 1));
}

void expectSurfaceHoldsTheGradient(qv::gl::Manager& manager)
{
    qv::gl::DIBSection shot;
    ASSERT_TRUE(manager.getScreenShot(shot, GL_BGRA_EXT));
    COLORREF top = CLR_INVALID, bottom = CLR_INVALID;
    shot.getPixel(shot.getWidth() / 2, 0, top);
    shot.getPixel(shot.getWidth() / 2, shot.getHeight() - 1, bottom);
    expectDefaultGradient(top, bottom);
}

// The hooks of the hosts as a derived class sees them.
void expectHostGL(qv::gl::Manager& manager, const CWnd& wnd)
{
    ASSERT_NE(nullptr, manager.getRC());
    ASSERT_NE(nullptr, manager.getCamera());
    EXPECT_EQ(manager.getCamera()->getManager(), &manager);
    EXPECT_EQ(clientSize(wnd), manager.getCamera()->getScreenSize());
    ASSERT_NE(nullptr, manager.getFont());
    EXPECT_EQ(0, _wcsicmp(L"Tahoma", manager.getFont()->getLogFont()->lfFaceName));
    EXPECT_EQ(14, manager.getFont()->getLogFont()->lfHeight);
    manager.makeCurrent();
    for (const GLenum capability : {GL_DEPTH_TEST, GL_LIGHTING, GL_LIGHT0, GL_COLOR_MATERIAL})
        EXPECT_NE(GL_FALSE, ::glIsEnabled(capability)) << "capability 0x" << std::hex << capability;
}

TEST(GlWnd, CreateMakesAChildWithCameraFontAndLight)
{
    CWnd parent;
    ASSERT_TRUE(createParent(parent));
    Wnd wnd(false);
    ASSERT_TRUE(wnd.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 90), &parent, 5));
    EXPECT_EQ(L"QV_OpenGLWnd", className(wnd));
    EXPECT_EQ(CSize(96, 76), clientSize(wnd)) << "inside the client edge";
    EXPECT_FALSE(wnd.isDrawToBitmap());
    expectHostGL(wnd, wnd);
    EXPECT_EQ(TRUE, wnd.SendMessage(WM_QUERYNEWPALETTE)) << "nothing to realise";

    qvtest::pumpMfcUntilIdle();
    expectSurfaceHoldsTheGradient(wnd);

    setClientSize(wnd, 60, 50);
    EXPECT_EQ(CSize(60, 50), wnd.getScreenSize());
    EXPECT_EQ(CSize(60, 50), wnd.getCamera()->getScreenSize());
    qvtest::pumpMfcUntilIdle();
    // Wine gives a resized GL child window a new drawable at its first swap: that frame is lost.
    wnd.RedrawWindow();
    expectSurfaceHoldsTheGradient(wnd);

    wnd.DestroyWindow();
    EXPECT_EQ(nullptr, wnd.getRC()) << "destroyed with the window";
}

TEST(GlWnd, DynamicCreationRendersThroughTheBitmap)
{
    CWnd parent;
    ASSERT_TRUE(createParent(parent));
    std::unique_ptr<CObject> object(RUNTIME_CLASS(Wnd)->CreateObject());
    ASSERT_TRUE(object->IsKindOf(RUNTIME_CLASS(Wnd)));
    auto* wnd = static_cast<Wnd*>(object.get());
    ASSERT_TRUE(wnd->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 60), &parent, 6));
    EXPECT_TRUE(wnd->isDrawToBitmap());
    EXPECT_EQ(static_cast<unsigned>(clientSize(*wnd).cx), wnd->getDIB().getWidth());
    expectHostGL(*wnd, *wnd);
    qvtest::pumpMfcUntilIdle();
    expectWindowShowsTheGradient(*wnd);
    expectSurfaceHoldsTheGradient(*wnd);
}

TEST(GlWnd, SubclassingADialogPlaceholderCreatesGLThatNeverErases)
{
    PlaceholderDialog dialog;
    ASSERT_NE(nullptr, dialog.placeholder());
    const auto [placeholderErased, placeholderColour] = eraseOverRed(dialog.placeholder());
    EXPECT_NE(0, placeholderErased);
    EXPECT_EQ(kWhite, placeholderColour) << "the placeholder's own class erases";

    Wnd wnd(true);
    ASSERT_TRUE(wnd.SubclassDlgItem(kPlaceholderId, CWnd::FromHandle(dialog.hwnd())));
    EXPECT_NE(0u, wnd.GetExStyle() & WS_EX_CLIENTEDGE);
    expectHostGL(wnd, wnd);

    const auto [erased, colour] = eraseOverRed(wnd);
    EXPECT_NE(0, erased) << "reported as erased";
    EXPECT_EQ(kRed, colour) << "but nothing cleared";

    wnd.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    expectWindowShowsTheGradient(wnd);
}

TEST(GlWnd, ADialogTemplateCanNameTheWindowClass)
{
    Wnd wnd(false);
    PlaceholderDialog dialog(L"QV_OpenGLWnd");
    ASSERT_NE(nullptr, dialog.placeholder()) << "the dialog found the class";
    EXPECT_EQ(L"QV_OpenGLWnd", className(dialog.placeholder()));
    ASSERT_TRUE(wnd.SubclassDlgItem(kPlaceholderId, CWnd::FromHandle(dialog.hwnd())));
    expectHostGL(wnd, wnd);
}

// A size message not yet processed leaves the surface at its old size: no shot until it is.
TEST(GlWnd, ScreenShotWaitsForThePendingResize)
{
    CWnd parent;
    ASSERT_TRUE(createParent(parent));
    Wnd wnd(false);
    ASSERT_TRUE(wnd.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 60), &parent, 8));
    const CSize client = clientSize(wnd);
    wnd.resizeGL(client.cx - 10, client.cy);
    qv::gl::DIBSection shot;
    EXPECT_FALSE(wnd.getScreenShot(shot, GL_BGRA_EXT));
    EXPECT_FALSE(shot.isCreated());
    wnd.resizeGL(client.cx, client.cy);
    ASSERT_TRUE(wnd.getScreenShot(shot, GL_BGRA_EXT));
    EXPECT_EQ(static_cast<unsigned>(client.cx), shot.getWidth());
    EXPECT_EQ(static_cast<unsigned>(client.cy), shot.getHeight());
}

// WM_PRINTCLIENT renders into the DC it carries, in both modes, whether or not the window
// shows on the screen.
TEST(GlWnd, PrintClientDrawsThePictureIntoAMemoryDC)
{
    for (const bool useBitmap : {false, true}) {
        SCOPED_TRACE(useBitmap ? "bitmap mode" : "window mode");
        CWnd parent;
        ASSERT_TRUE(createParent(parent));
        Wnd wnd(useBitmap);
        ASSERT_TRUE(wnd.Create(WS_CHILD, CRect(0, 0, 80, 60), &parent, 9));
        const CSize client = clientSize(wnd);
        qvtest::DibSurface surface(client.cx, client.cy, kRed);
        wnd.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.hdc()), PRF_CLIENT);
        expectDefaultGradient(surface.pixel(client.cx / 2, 0), surface.pixel(client.cx / 2, client.cy - 1));
    }
}

class RefusingWnd : public Wnd {
public:
    RefusingWnd() : Wnd(false) {}
    bool onCreateGL() override { return false; }
};

TEST(GlWnd, FailedGLCreationFailsCreateAndThrowsFromSubclassing)
{
    CWnd parent;
    ASSERT_TRUE(createParent(parent));
    RefusingWnd created;
    EXPECT_FALSE(created.Create(WS_CHILD, CRect(0, 0, 40, 40), &parent, 7));

    PlaceholderDialog dialog;
    RefusingWnd subclassed;
    bool thrown = false;
    try {
        subclassed.SubclassDlgItem(kPlaceholderId, CWnd::FromHandle(dialog.hwnd()));
    } catch (CException* e) {
        thrown = e->IsKindOf(RUNTIME_CLASS(CMemoryException));
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    subclassed.Detach();
}

// A document for the view's template.
class SceneDoc : public CDocument {
    DECLARE_DYNCREATE(SceneDoc)
};

IMPLEMENT_DYNCREATE(SceneDoc, CDocument)

// Consumes the key presses offered to it.
class KeyCamera : public Camera {
public:
    KeyCamera() : Camera(nullptr) {}
    int preTranslateMessage(MSG* message) override { return message->message == WM_KEYDOWN ? 1 : 0; }
};

// Records its renders and draws, what OnDraw finds on the screen, and the keys that reach its map.
class DrawingView : public View {
    DECLARE_DYNCREATE(DrawingView)
public:
    Events events;
    COLORREF seenTop = CLR_INVALID;
    COLORREF seenBottom = CLR_INVALID;
    int keyDowns = 0;
    int keyUps = 0;

    void onRenderGL() override { events.push_back("render"); }
    void OnPrepareDC(CDC* dc, CPrintInfo* info) override
    {
        events.push_back("prepare");
        View::OnPrepareDC(dc, info);
    }
    void OnDraw(CDC* dc) override
    {
        events.push_back("draw");
        CRect client;
        GetClientRect(&client);
        seenTop = dc->GetPixel(client.Width() / 2, 1);
        seenBottom = dc->GetPixel(client.Width() / 2, client.Height() - 2);
        dc->FillSolidRect(CRect(10, 10, 20, 20), RGB(0, 0, 0));
    }

protected:
    afx_msg void OnKeyDown(UINT, UINT, UINT) { ++keyDowns; }
    afx_msg void OnKeyUp(UINT, UINT, UINT) { ++keyUps; }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(DrawingView, View)

BEGIN_MESSAGE_MAP(DrawingView, View)
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
END_MESSAGE_MAP()

// Counts the views alive, and fails to create GL.
class RefusingView : public View {
    DECLARE_DYNCREATE(RefusingView)
public:
    static int alive;
    RefusingView() { ++alive; }
    ~RefusingView() override { --alive; }
    bool onCreateGL() override { return false; }
};

int RefusingView::alive = 0;

IMPLEMENT_DYNCREATE(RefusingView, View)

TEST(GlView, DocumentTemplateCreatesAViewThatDrawsOverThePresentedPicture)
{
    CSingleDocTemplate docTemplate(kNoResources, RUNTIME_CLASS(SceneDoc), RUNTIME_CLASS(CFrameWnd),
                                   RUNTIME_CLASS(DrawingView));
    CDocument* document = docTemplate.OpenDocumentFile(nullptr);
    ASSERT_NE(nullptr, document);
    POSITION position = document->GetFirstViewPosition();
    auto* view = static_cast<DrawingView*>(document->GetNextView(position));
    ASSERT_TRUE(view->IsKindOf(RUNTIME_CLASS(View)));
    CFrameWnd* frame = view->GetParentFrame();
    frame->MoveWindow(0, 0, 240, 180);
    qvtest::pumpMfcUntilIdle();

    EXPECT_EQ(L"QV_OpenGLView", className(*view));
    EXPECT_TRUE(view->isDrawToBitmap()) << "created by the framework";
    expectHostGL(*view, *view);
    EXPECT_EQ(static_cast<unsigned>(clientSize(*view).cx), view->getDIB().getWidth());

    fillClient(*view, kRed);
    view->events.clear();
    view->refreshScreen(true, true);
    EXPECT_EQ((Events{"render", "prepare", "draw"}), view->events);
    EXPECT_TRUE(closeTo(kWhite, view->seenTop, 8)) << "the picture was on the screen before OnDraw";
    EXPECT_TRUE(closeTo(kBlue, view->seenBottom, 8));

    const CSize client = clientSize(*view);
    qvtest::DibSurface printed(client.cx, client.cy, kRed);
    view->events.clear();
    view->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.hdc()), PRF_CLIENT);
    EXPECT_EQ((Events{"prepare", "draw"}), view->events) << "the picture is not dirty";
    EXPECT_EQ(RGB(0, 0, 0), printed.pixel(15, 15)) << "GDI over GL";
    EXPECT_TRUE(closeTo(kWhite, printed.pixel(client.cx / 2, 1), 8));

    KeyCamera keys;
    view->setCamera(&keys);
    view->PostMessage(WM_KEYDOWN, VK_SPACE);
    view->PostMessage(WM_KEYUP, VK_SPACE);
    qvtest::pumpMfcUntilIdle();
    EXPECT_EQ(0, view->keyDowns) << "consumed by the camera";
    EXPECT_EQ(1, view->keyUps);

    frame->SendMessage(WM_CLOSE);
    EXPECT_EQ(nullptr, docTemplate.GetFirstDocPosition());
}

TEST(GlView, FailedGLCreationDestroysTheView)
{
    CSingleDocTemplate docTemplate(kNoResources, RUNTIME_CLASS(SceneDoc), RUNTIME_CLASS(CFrameWnd),
                                   RUNTIME_CLASS(RefusingView));
    EXPECT_EQ(nullptr, docTemplate.OpenDocumentFile(nullptr));
    EXPECT_EQ(0, RefusingView::alive);
}

} // namespace
