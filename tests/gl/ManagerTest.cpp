#include <qv.win/Camera.h>
#include <qv.win/Font.h>
#include <qv.win/Manager.h>

#include <qv.win/core/qv.String.h>

#include "GlHostSupport.h"

#include "qvtest/Pump.h"
#include "qvtest/TestWindow.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

using qv::gl::Camera;
using qv::gl::Manager;
using Events = std::vector<std::string>;
using colorf = Manager::color;

namespace {

// Records every hook, in order, into a shared log.
class RecordingCamera : public Camera {
public:
    RecordingCamera(Manager* manager, Events& log) : Camera(manager), m_log(log) {}
    void applyGL() override
    {
        m_log.push_back("camera");
        Camera::applyGL();
    }

private:
    Events& m_log;
};

class RecordingManager : public Manager {
public:
    Events log;
    int renders = 0;
    std::vector<CSize> resizes;

protected:
    void onRenderGLPre() override { log.push_back("pre"); }
    bool onClearGL() override
    {
        log.push_back("clear");
        return Manager::onClearGL();
    }
    void onRenderGL() override
    {
        log.push_back("render");
        ++renders;
        renderScene();
    }
    void onRenderGLPost() override { log.push_back("post"); }
    void onPaint(CDC* /*target*/) override { log.push_back("paint"); }
    void onResizeGL(int cx, int cy) override { resizes.push_back(CSize(cx, cy)); }

    virtual void renderScene() {}
};

// A CWnd for a test window's handle, detached again before the window goes.
class AttachedWnd : public CWnd {
public:
    explicit AttachedWnd(HWND hwnd) { Attach(hwnd); }
    ~AttachedWnd() override { Detach(); }
};

// A test window whose paints go to the manager, as a GL host's do.
class PaintedWindow {
public:
    PaintedWindow(Manager& manager, int cx, int cy)
        : window(cx, cy, [&manager](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT& result) {
              if (message == WM_ERASEBKGND) {
                  result = 1;
                  return true;
              }
              if (message != WM_PAINT)
                  return false;
              PAINTSTRUCT ps;
              ::BeginPaint(hwnd, &ps);
              if (manager.getRC() != nullptr)
                  manager.paint();
              ::EndPaint(hwnd, &ps);
              result = 0;
              return true;
          }),
          wnd(window.hwnd())
    {
    }

    bool hasUpdate() const { return ::GetUpdateRect(window.hwnd(), nullptr, FALSE) != FALSE; }

    qvtest::TestWindow window;
    AttachedWnd wnd;
};

COLORREF dibPixel(const Manager& manager, unsigned x, unsigned y)
{
    COLORREF colour = CLR_INVALID;
    manager.getDIB().getPixel(x, y, colour);
    return colour;
}

DWORD pixelFormatFlags(const Manager& manager)
{
    const HDC hdc = manager.getDC()->GetSafeHdc();
    PIXELFORMATDESCRIPTOR format{};
    ::DescribePixelFormat(hdc, ::GetPixelFormat(hdc), sizeof(format), &format);
    return format.dwFlags;
}

const colorf kRed{1, 0, 0, 1};
const colorf kGreen{0, 1, 0, 1};
const colorf kBlue{0, 0, 1, 1};
const colorf kYellow{1, 1, 0, 1};

// Red top-left, green top-right, blue bottom-left, yellow bottom-right: at most 8 levels
// off at the corner pixels of a surface at least 64 pixels each way.
void expectGradientCorners(int cx, int cy, const std::function<COLORREF(int, int)>& pixelAt)
{
    const struct {
        int x, y;
        COLORREF colour;
    } corners[] = {{0, 0, RGB(255, 0, 0)},
                   {cx - 1, 0, RGB(0, 255, 0)},
                   {0, cy - 1, RGB(0, 0, 255)},
                   {cx - 1, cy - 1, RGB(255, 255, 0)}};
    for (const auto& c : corners)
        EXPECT_TRUE(closeTo(c.colour, pixelAt(c.x, c.y), 8)) << "corner " << c.x << "," << c.y;
}

} // namespace

TEST(Manager, BitmapSurfaceWithoutAWindow)
{
    RecordingManager manager;
    ASSERT_TRUE(manager.createBitmapGL(64, 48));
    EXPECT_EQ(manager.getRC(), ::wglGetCurrentContext());
    const DWORD bitmapFlags = PFD_DRAW_TO_BITMAP | PFD_SUPPORT_OPENGL;
    EXPECT_EQ(bitmapFlags, pixelFormatFlags(manager) & bitmapFlags);

    manager.destroyGL();
    EXPECT_EQ(nullptr, manager.getRC());
    EXPECT_EQ(nullptr, manager.getDC());
    EXPECT_EQ(nullptr, ::wglGetCurrentContext());
}

TEST(Manager, ResizeToNothingStoresTheSizeOnly)
{
    RecordingManager manager;
    ASSERT_TRUE(manager.createBitmapGL(64, 48));
    manager.log.clear();
    manager.resizeGL(0, 200);
    EXPECT_EQ(CSize(0, 200), manager.getScreenSize());
    EXPECT_TRUE(manager.resizes.empty());
    EXPECT_TRUE(manager.log.empty()) << "no repaint";
    EXPECT_EQ(64u, manager.getDIB().getWidth());

    manager.resizeGL(90, 70);
    EXPECT_EQ((std::vector<CSize>{CSize(90, 70)}), manager.resizes);
    EXPECT_EQ(90u, manager.getDIB().getWidth());
    EXPECT_EQ(1, manager.renders) << "a window-less bitmap repaints at once";
}

TEST(Manager, ResizedBitmapIsRenderedWhole)
{
    RecordingManager manager;
    ASSERT_TRUE(manager.createBitmapGL(32, 32));
    Camera camera(&manager);
    manager.setCamera(&camera);
    manager.setBackgroundMode(Manager::BackgroundGradient);
    manager.setColorBackground(kRed, kGreen, kBlue, kYellow);
    manager.resizeGL(96, 80);
    EXPECT_EQ(CSize(96, 80), camera.getScreenSize());
    expectGradientCorners(96, 80, [&](int x, int y) { return dibPixel(manager, unsigned(x), unsigned(y)); });
    manager.setCamera(nullptr);
}

TEST(Manager, RenderRequestedInsideARenderIsDropped)
{
    class Reentrant : public RecordingManager {
    public:
        Manager* other = nullptr;

    protected:
        void renderScene() override
        {
            renderGL();
            if (other != nullptr)
                other->renderGL();
        }
    };
    Reentrant first;
    RecordingManager second;
    ASSERT_TRUE(second.createBitmapGL(16, 16));
    ASSERT_TRUE(first.createBitmapGL(16, 16));
    first.other = &second;
    first.renderGL();
    EXPECT_EQ(1, first.renders);
    EXPECT_EQ(0, second.renders) << "the flag is shared by every manager";
    second.renderGL();
    EXPECT_EQ(1, second.renders) << "and cleared after the render";
}

TEST(Manager, SolidBackgroundTakesEffectFromTheSecondFrame)
{
    RecordingManager manager;
    ASSERT_TRUE(manager.createBitmapGL(20, 20));
    manager.setBackgroundMode(Manager::BackgroundSolid);
    manager.setColorBackground(kGreen);
    manager.refreshScreen(false, true);
    EXPECT_EQ(RGB(0, 0, 0), dibPixel(manager, 10, 10)) << "GL's default clear colour";
    manager.refreshScreen(false, true);
    EXPECT_EQ(RGB(0, 255, 0), dibPixel(manager, 10, 10));
}

TEST(Manager, BitmapModeRendersOnceForTwoPaintsAndCopiesTwice)
{
    RecordingManager manager;
    PaintedWindow host(manager, 80, 64);
    ASSERT_TRUE(manager.createGL(&host.wnd, true));
    Camera camera(&manager);
    manager.setCamera(&camera);
    manager.setColorBackground(kRed, kGreen, kBlue, kYellow);

    manager.paint();
    EXPECT_EQ(1, manager.renders);
    EXPECT_TRUE(closeTo(RGB(255, 0, 0), clientPixel(host.window, 0, 0), 8));

    fillClient(host.window, RGB(0, 0, 0));
    manager.paint();
    EXPECT_EQ(1, manager.renders) << "no refresh, no render";
    EXPECT_TRUE(closeTo(RGB(255, 0, 0), clientPixel(host.window, 0, 0), 8)) << "copied again";
    EXPECT_EQ((Events{"pre", "clear", "render", "post", "paint", "paint"}), manager.log);

    manager.refreshScreen(false, true);
    EXPECT_TRUE(host.hasUpdate()) << "a refresh invalidates";
    qvtest::pumpUntilIdle();
    EXPECT_EQ(2, manager.renders);
    manager.setCamera(nullptr);
    manager.destroyGL();
}

TEST(Manager, RefreshInvalidatesOrRepaintsAtOnce)
{
    RecordingManager manager;
    PaintedWindow host(manager, 64, 64);
    ASSERT_TRUE(manager.createGL(&host.wnd, false));
    qvtest::pumpUntilIdle();
    const int before = manager.renders;

    manager.refreshScreen(false, false);
    EXPECT_TRUE(host.hasUpdate());
    EXPECT_EQ(before, manager.renders) << "only invalidated";
    qvtest::pumpUntilIdle();
    EXPECT_EQ(before + 1, manager.renders);

    manager.refreshScreen(true, false);
    EXPECT_EQ(before + 2, manager.renders) << "asked to paint now";
    EXPECT_FALSE(host.hasUpdate());

    manager.setRefreshScreenNow(true);
    manager.refreshScreen(false, false);
    EXPECT_EQ(before + 3, manager.renders) << "painted synchronously";
    EXPECT_FALSE(host.hasUpdate());
    manager.destroyGL();
}

TEST(Manager, WindowModePaintsTheGradientIntoTheWindow)
{
    RecordingManager manager;
    PaintedWindow host(manager, 96, 72);
    ASSERT_TRUE(manager.createGL(&host.wnd, false));
    const DWORD windowFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    EXPECT_EQ(windowFlags, pixelFormatFlags(manager) & windowFlags);
    manager.initGL();
    RecordingCamera camera(&manager, manager.log);
    manager.setCamera(&camera);
    manager.resizeGL(96, 72);
    manager.setColorBackground(kRed, kGreen, kBlue, kYellow);
    manager.log.clear();
    manager.paint();
    EXPECT_EQ((Events{"pre", "clear", "camera", "render", "post", "paint"}), manager.log);
    expectGradientCorners(96, 72, [&](int x, int y) { return clientPixel(host.window, x, y); });
    manager.setCamera(nullptr);
    manager.destroyGL();
}

TEST(Manager, ConversionsMatchTheRenderedPoint)
{
    // Draws one white pixel-sized point at the world point under test.
    class PointManager : public RecordingManager {
    public:
        Camera::vector3 point{0, 0, 0};

    protected:
        void renderScene() override
        {
            ::glDisable(GL_LIGHTING);
            ::glPointSize(1);
            ::glBegin(GL_POINTS);
            ::glColor3f(1, 1, 1);
            ::glVertex3f(point.x, point.y, point.z);
            ::glEnd();
        }
    };
    PointManager manager;
    ASSERT_TRUE(manager.createBitmapGL(160, 120));
    manager.setBackgroundMode(Manager::BackgroundSolid);
    manager.setColorBackground(colorf(0, 0, 0, 1));
    Camera camera(&manager);
    manager.setCamera(&camera);
    camera.setWorldSize({{-4, -3, -2}, {6, 5, 4}}, true);

    const Camera::vector3 points[] = {{2, 1.5f, 2}, {-1.5f, 2.5f, 0}, {3, -1, 1.5f}};
    for (int direction = 0; direction < 8; ++direction)
        for (bool perspective : {false, true}) {
            camera.viewDirection(static_cast<Camera::ViewDirection>(direction), false);
            camera.setPerspective(perspective, false);
            camera.zoom(1.25f, false);
            for (const Camera::vector3& w : points) {
                SCOPED_TRACE(testing::Message() << "direction " << direction << (perspective ? " perspective" : "")
                                                << " point " << w.x << "," << w.y << "," << w.z);
                const CPoint p = camera.convert3DTo2D(w);
                ASSERT_GE(p.x, 0);
                ASSERT_LT(p.x, 160);
                ASSERT_GE(p.y, 0);
                ASSERT_LT(p.y, 120);

                // Back through the pixel: the world point lies on the ray from near to far.
                const Camera::vector3 nearPoint = camera.convert2DTo3D(p, 0L);
                const Camera::vector3 farPoint = camera.convert2DTo3D(p, 1L);
                const Camera::vector3 ray = farPoint - nearPoint;
                const Camera::vector3 offset = w - nearPoint;
                const float t = (offset.x * ray.x + offset.y * ray.y + offset.z * ray.z)
                              / (ray.x * ray.x + ray.y * ray.y + ray.z * ray.z);
                EXPECT_GT(t, 0);
                EXPECT_LT(t, 1);
                const Camera::vector3 closest{nearPoint.x + t * ray.x, nearPoint.y + t * ray.y,
                                              nearPoint.z + t * ray.z};
                EXPECT_LT(w.distance(closest), 0.2f) << "a pixel or two of world units";

                manager.point = w;
                manager.refreshScreen(false, true);
                EXPECT_EQ(RGB(255, 255, 255), dibPixel(manager, static_cast<unsigned>(p.x),
                                                       static_cast<unsigned>(p.y)))
                    << "rendered at " << p.x << "," << p.y;
            }
        }
    manager.setCamera(nullptr);
}

// A surface of 0 pixels either way never reaches the camera, which then recovers on the next resize.
TEST(Manager, CameraAttachedToAnEmptySurfaceKeepsAFiniteView)
{
    RecordingManager manager;
    ASSERT_TRUE(manager.createBitmapGL(64, 48));
    manager.resizeGL(64, 0);
    Camera camera(&manager);
    manager.setCamera(&camera);
    EXPECT_TRUE(std::isfinite(camera.getScreenRatio()));
    manager.resizeGL(90, 70);
    camera.zoomFit(false);
    const qv::rect<float> bound = camera.getBoundVolume(true);
    for (const float side : {bound.left, bound.top, bound.right, bound.bottom})
        EXPECT_TRUE(std::isfinite(side));
    EXPECT_LT(bound.left, bound.right);
    manager.setCamera(nullptr);
}

// Every failing step fails the creation; what was made is left for destroyGL.
TEST(Manager, FailingCreationStepsFailTheCreation)
{
    class Refusing : public Manager {
    protected:
        bool onCreateGL() override { return false; }
    };
    Refusing refusing;
    EXPECT_FALSE(refusing.createBitmapGL(16, 16)) << "the creation hook";
    EXPECT_NE(nullptr, refusing.getRC());
    refusing.destroyGL();
    EXPECT_EQ(nullptr, refusing.getRC());

    const struct {
        unsigned cx, cy;
    } sizes[] = {{100000, 100000}, {UINT_MAX, 1}, {1, 0x80000000u}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
        Manager manager;
        EXPECT_FALSE(manager.createBitmapGL(size.cx, size.cy));
        EXPECT_EQ(nullptr, manager.getRC());
        EXPECT_GE(manager.getScreenSize().cx, 0);
        EXPECT_GE(manager.getScreenSize().cy, 0);
    }
    Manager windowless;
    EXPECT_FALSE(windowless.createGL(nullptr, true));
}

TEST(Manager, SavedMatricesConvertLikeTheContext)
{
    Manager manager;
    ASSERT_TRUE(manager.createBitmapGL(120, 90));
    Camera camera(&manager);
    manager.setCamera(&camera);
    double projection[16];
    double modelView[16];
    int viewport[4];
    manager.backupMatrix(projection, modelView, viewport);
    EXPECT_EQ(120, viewport[2]);
    const Manager::vector3 world{3, -2, 1};
    const CPoint expected = manager.convert3DTo2D(world);
    EXPECT_EQ(expected, Manager::convert3DTo2D(projection, modelView, viewport, world));

    camera.setupOrthogonal2D(true);
    manager.restoreMatrix(projection, modelView, viewport);
    EXPECT_EQ(expected, manager.convert3DTo2D(world)) << "restored";
    GLint mode = 0;
    ::glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(GL_MODELVIEW, mode);
    manager.setCamera(nullptr);
}

TEST(Manager, FrameRateOverlaySitsAtTheBottomRight)
{
    constexpr int cx = 200, cy = 60;
    Manager manager;
    ASSERT_TRUE(manager.createBitmapGL(cx, cy));
    Camera camera(&manager);
    manager.setCamera(&camera);
    qv::gl::Font font;
    ASSERT_NE(0, font.create(manager.getDC(), "Tahoma", 14));
    manager.setFont(&font);
    manager.setBackgroundMode(Manager::BackgroundSolid);
    manager.setColorBackground(colorf(0, 0, 0, 1));
    manager.setColorFPS(kGreen);
    manager.setViewFPS(true);
    manager.refreshScreen(false, true); // the solid colour clears from the next frame on
    manager.refreshScreen(false, true);

    qv::String text;
    text.format("%.2f FPS", manager.getFPS());
    const CSize extent = font.getOutputTextExtent(text.c_str());
    int lit = 0, shadow = 0, outside = 0;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) {
            const COLORREF colour = dibPixel(manager, static_cast<unsigned>(x), static_cast<unsigned>(y));
            if (colour == RGB(0, 0, 0))
                continue;
            const int glY = cy - 1 - y;
            const bool inside = x >= cx - extent.cx - 12 && x <= cx - 8 && glY <= 8 + extent.cy;
            outside += inside ? 0 : 1;
            lit += colour == RGB(0, 255, 0) ? 1 : 0;
            shadow += colour == RGB(102, 102, 128) ? 1 : 0;
        }
    EXPECT_GT(lit, 20);
    EXPECT_GT(shadow, 0) << "the shadow shows one pixel below";
    EXPECT_EQ(0, outside);
    manager.setCamera(nullptr);
    manager.destroyGL();
}
