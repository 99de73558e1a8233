#include <qv.win/Camera.h>
#include <qv.win/DIBSection.h>
#include <qv.win/Manager.h>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

using qv::gl::Camera;
using qv::gl::Manager;
using vector3 = Camera::vector3;

namespace {

constexpr float kNear = 1e-4f;

void expectRect(const qv::rect<float>& expected, const qv::rect<float>& actual)
{
    EXPECT_NEAR(expected.left, actual.left, kNear);
    EXPECT_NEAR(expected.top, actual.top, kNear);
    EXPECT_NEAR(expected.right, actual.right, kNear);
    EXPECT_NEAR(expected.bottom, actual.bottom, kNear);
}

void expectVector(const vector3& expected, const vector3& actual, float tolerance = 1e-3f)
{
    EXPECT_NEAR(expected.x, actual.x, tolerance);
    EXPECT_NEAR(expected.y, actual.y, tolerance);
    EXPECT_NEAR(expected.z, actual.z, tolerance);
}

// The 10 x 4 x 2 world from the origin on a 400 x 200 screen: world radius 6, 24/400 units a pixel.
void showWideWorld(Camera& camera)
{
    camera.setScreenSize(CSize(400, 200));
    camera.setWorldSize({{0, 0, 0}, {10, 4, 2}}, true);
}

// A bitmap manager that counts its renders, for refresh requests.
class CountingManager : public Manager {
public:
    int renders = 0;

protected:
    void onRenderGL() override { ++renders; }
};

} // namespace

TEST(Camera, WorldBoxOnAWideScreen)
{
    Camera camera(nullptr);
    showWideWorld(camera);

    EXPECT_FLOAT_EQ(6, camera.getWorldRadius());
    expectVector({5, 2, 1}, camera.getWorldCenter(), 0);
    expectRect({-12, 6, 12, -6}, camera.getWorldVolume());
    expectRect({-12, -6, 12, 6}, camera.contentVolume());
    EXPECT_FLOAT_EQ(6, camera.getDepthNear());
    EXPECT_FLOAT_EQ(600, camera.getDepthFar());
    expectRect({-12, 6, 12, -6}, camera.getBoundVolume(false));
    expectRect({-7, 8, 17, -4}, camera.getBoundVolume(true));
    EXPECT_FLOAT_EQ(6, camera.getBoundRadius());
}

// An empty side makes the ratio infinite; the manager never passes one.
TEST(Camera, ScreenRatioIsLargerOverSmallerSide)
{
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        CSize size;
        float ratio;
        bool heightRatio;
    } cases[] = {{CSize(800, 600), 800.0f / 600.0f, true}, {CSize(300, 600), 2, false},
                 {CSize(0, 200), inf, false},               {CSize(300, 0), inf, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size.cx << "x" << c.size.cy);
        Camera camera(nullptr);
        camera.setScreenSize(CSize(10, 10));
        camera.setScreenSize(c.size);
        EXPECT_FLOAT_EQ(c.ratio, camera.getScreenRatio());
        EXPECT_EQ(c.heightRatio, camera.isHeightScreenRatio());
        EXPECT_EQ(c.size.cy, camera.viewportSize().cy);
    }
}

TEST(Camera, DegenerateWorldsFallBackToTheTwentyUnitCube)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        const char* name;
        Camera::box3 box;
    } cases[] = {
        {"zero", {{0, 0, 0}, {0, 0, 0}}},
        {"inverted", {{0, 0, 0}, {10, -1, 2}}},
        {"nan", {{0, nan, 0}, {1, 1, 1}}},
        {"infinite", {{0, 0, 0}, {1, 1, inf}}},
        {"empty", Camera::box3()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Camera camera(nullptr);
        camera.setWorldSize({{0, 0, 0}, {1, 2, 3}}, false);
        camera.setWorldSize(c.box, true);
        expectVector({-10, -10, -10}, camera.getWorldSize().min, 0);
        expectVector({10, 10, 10}, camera.getWorldSize().max, 0);
        EXPECT_FLOAT_EQ(12, camera.getWorldRadius());
    }
}

// The wide world shows x -7 ... 17 and y 8 down to -4 before each action.
TEST(Camera, ZoomsAndPansMoveTheVisibleWindow)
{
    const struct {
        const char* name;
        std::function<void(Camera&)> act;
        float zoom;
        qv::rect<float> visible;
    } cases[] = {
        {"zoom keeps the centre and halves the extent", [](Camera& c) { c.zoom(2, false); }, 2, {-1, 5, 11, -1}},
        {"zoom box of the top-left quarter", [](Camera& c) { c.zoomBox(CPoint(0, 0), CPoint(200, 100), false); }, 2,
         {-7, 8, 5, 2}},
        {"zoom box dragged the other way", [](Camera& c) { c.zoomBox(CPoint(200, 100), CPoint(0, 0), false); }, 2,
         {-7, 8, 5, 2}},
        // 40 and 20 pixels of 24/400 world units each; window y runs down, world y up.
        {"pan toward larger coordinates", [](Camera& c) { c.pan(40, 20, false); }, 1, {-4.6f, 6.8f, 19.4f, -5.2f}},
        {"zoom fit", [](Camera& c) { c.zoom(2, false), c.zoomFit(false); }, 1, {-7, 8, 17, -4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Camera camera(nullptr);
        showWideWorld(camera);
        c.act(camera);
        EXPECT_FLOAT_EQ(c.zoom, camera.zoomFactor());
        expectRect(c.visible, camera.getBoundVolume(true));
    }
}

TEST(Camera, ViewDirectionsLookAlongTheirAxes)
{
    const struct {
        Camera::ViewDirection direction;
        vector3 looks;
        vector3 up;
    } cases[] = {
        {Camera::Isometric, {0, -0.816f, -0.577f}, {0.707f, -0.408f, 0.577f}},
        {Camera::TopZUp, {0, -1, 0}, {0, 0, 1}},
        {Camera::TopZDown, {0, -1, 0}, {0, 0, -1}},
        {Camera::TopXUp, {0, -1, 0}, {1, 0, 0}},
        {Camera::TopXDown, {0, -1, 0}, {-1, 0, 0}},
        {Camera::Front, {0, 0, -1}, {0, 1, 0}},
        {Camera::Back, {0, 0, 1}, {0, 1, 0}},
        {Camera::FrontUpsideDown, {0, 0, -1}, {0, -1, 0}},
    };
    Manager manager;
    ASSERT_TRUE(manager.createBitmapGL(40, 30));
    Camera camera(&manager);
    manager.setCamera(&camera);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "direction " << c.direction);
        camera.viewDirection(c.direction, false);
        const auto& m = *camera.getMatrix();
        // OpenGL reads the array by columns: row 2 is the eye's z axis, row 1 its y axis.
        expectVector(c.looks, {-m[2], -m[6], -m[10]});
        expectVector(c.up, {m[1], m[5], m[9]});
        const vector3 towardViewer{-c.looks.x, -c.looks.y, -c.looks.z};
        vector3 direction{};
        camera.convert2DTo3D(CPoint(20, 15), direction);
        expectVector(towardViewer, direction);
        expectVector(towardViewer, camera.getViewVector());
        Manager::Line3f ray;
        ASSERT_TRUE(manager.calcPickRay(CPoint(20, 15), ray));
        vector3 along = ray.end - ray.start;
        along.normalize(1e-6f);
        expectVector(c.looks, along);
    }
    manager.setCamera(nullptr);
    camera.viewDirection(Camera::Front, false);
    EXPECT_EQ(Camera::matrix4::identity(), *camera.getMatrix());
}

TEST(Camera, UnknownViewDirectionChangesNothingAndDoesNotRepaint)
{
    CountingManager manager;
    ASSERT_TRUE(manager.createBitmapGL(40, 30));
    Camera camera(&manager);
    manager.setCamera(&camera);
    camera.viewDirection(Camera::Back, true);
    const int renders = manager.renders;
    EXPECT_GT(renders, 0) << "a refresh of a window-less bitmap manager renders at once";
    const Camera::matrix4 before = *camera.getMatrix();
    camera.viewDirection(static_cast<Camera::ViewDirection>(8), true);
    EXPECT_EQ(before, *camera.getMatrix());
    EXPECT_EQ(renders, manager.renders);
    manager.setCamera(nullptr);
}

TEST(Camera, RotationsPremultiplyTheMatrix)
{
    Camera camera(nullptr);
    camera.viewDirection(Camera::Front, false);
    camera.rotateX(qv::radian<float>(-3.14159265f / 2), false);
    camera.rotateY(qv::radian<float>(3.14159265f), false);
    Camera reference(nullptr);
    reference.viewDirection(Camera::TopZUp, false);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR((*reference.getMatrix())[i], (*camera.getMatrix())[i], 1e-6f) << "element " << i;

}

TEST(Camera, TrackballVectorAtCentreAndCorners)
{
    Camera camera(nullptr);
    camera.setScreenSize(CSize(200, 100));
    expectVector({0, 0, 1}, camera.screenPt2Vector(100, 50, 0), 1e-6f);
    const float r = 0.70710678f;
    const struct {
        int x, y;
        vector3 expected;
    } corners[] = {
        {0, 0, {-r, r, 0}}, {200, 0, {r, r, 0}}, {0, 100, {-r, -r, 0}}, {200, 100, {r, -r, 0}}};
    for (const auto& c : corners) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        expectVector(c.expected, camera.screenPt2Vector(qv::basic_vector<2, int>{c.x, c.y}, 0), 1e-5f);
    }
}

TEST(Camera, CopyTakesTheGeometryOnly)
{
    CountingManager manager;
    ASSERT_TRUE(manager.createBitmapGL(40, 30));
    Camera source(&manager);
    manager.setCamera(&source);
    source.setWorldSize({{0, 0, 0}, {10, 4, 2}}, true);
    source.viewDirection(Camera::TopXUp, false);
    source.setPerspective(true, false);
    source.zoom(3, false);

    Camera copy(source);
    EXPECT_EQ(nullptr, copy.getManager());
    EXPECT_EQ(0, copy.getScreenSize().cx);
    EXPECT_EQ(*source.getMatrix(), *copy.getMatrix());
    EXPECT_TRUE(copy.isPerspective());
    EXPECT_EQ(source.getWorldSize(), copy.getWorldSize());
    expectRect(source.getBoundVolume(false), copy.getBoundVolume(false));
    EXPECT_EQ(source.getDepthFar(), copy.getDepthFar());
    EXPECT_FLOAT_EQ(1, copy.zoomFactor()) << "the zoom box is not copied";
    EXPECT_EQ(0, copy.getDistanceByPixel());
    manager.setCamera(nullptr);
}

TEST(Camera, RubberBandDrawnTwiceErasesItself)
{
    qv::gl::DIBSection dib;
    ASSERT_TRUE(dib.create(50, 40, 32));
    for (unsigned y = 0; y < 40; ++y)
        for (unsigned x = 0; x < 50; ++x)
            dib.setPixel(x, y, RGB(10, 20, 30));
    Camera camera(nullptr);
    camera.rubberBandBox(dib.getDC(), CPoint(5, 5), CPoint(30, 20), 1);
    ::GdiFlush();
    COLORREF colour = 0;
    dib.getPixel(15, 5, colour);
    EXPECT_EQ(RGB(10, 20, 30) ^ 0x0000FFFF, colour) << "top edge XORed with yellow";
    dib.getPixel(30, 12, colour);
    EXPECT_EQ(RGB(10, 20, 30) ^ 0x0000FFFF, colour) << "right edge";
    dib.getPixel(15, 12, colour);
    EXPECT_EQ(RGB(10, 20, 30), colour) << "inside untouched";

    camera.rubberBandBox(dib.getDC(), CPoint(5, 5), CPoint(30, 20), 1);
    ::GdiFlush();
    dib.getPixel(15, 5, colour);
    EXPECT_EQ(RGB(10, 20, 30), colour);
    EXPECT_EQ(R2_COPYPEN, ::GetROP2(dib.getDC()->GetSafeHdc())) << "drawing mode restored";
}

// World radius 6: near plane 6, far plane 600, the eye 6 + 3 * 6 in front of the centre (5, 2, 1).
TEST(Camera, MeasuresWorldUnitsPerPixelAndPlacesTheEyeBeforeTheNearPlane)
{
    Manager manager;
    ASSERT_TRUE(manager.createBitmapGL(400, 200));
    Camera camera(&manager);
    manager.setCamera(&camera);
    camera.setWorldSize({{0, 0, 0}, {10, 4, 2}}, true);
    EXPECT_NEAR(0.06f, camera.getDistanceByPixel(), 1e-4f);
    EXPECT_NEAR(0.06f, camera.getBoundVolumeRatio().x, 1e-6f);
    EXPECT_NEAR(0.06f, camera.getBoundVolumeRatio().y, 1e-6f);

    camera.zoom(4, false);
    EXPECT_NEAR(0.015f, camera.getDistanceByPixel(), 1e-4f);
    EXPECT_NEAR(0.015f, camera.getBoundVolumeRatio().x, 1e-6f);
    EXPECT_NEAR(0.06f, camera.getWorldVolumeRatio().x, 1e-6f) << "the world volume does not zoom";

    camera.zoomFit(false);
    camera.viewDirection(Camera::Front, false);
    for (bool perspective : {false, true}) {
        SCOPED_TRACE(perspective ? "perspective" : "orthographic");
        camera.setPerspective(perspective, false);
        expectVector({5, 2, 19}, camera.convert2DTo3D(CPoint(200, 100), 0L));
        expectVector({5, 2, -575}, camera.convert2DTo3D(CPoint(200, 100), 1L), 0.05f);
    }
    EXPECT_NEAR(0.015f, camera.getDistanceByPixel(), 1e-4f) << "a quarter of the orthographic sides at the near plane";
    manager.setCamera(nullptr);
}

TEST(Camera, WorldRotateUsesOpenGLsRotation)
{
    Manager manager;
    ASSERT_TRUE(manager.createBitmapGL(40, 30));
    Camera camera(&manager);
    camera.viewDirection(Camera::Front, false);
    camera.worldRotate({0, 0, 1}, 90, false);
    const auto& m = *camera.getMatrix();
    // OpenGL stores column by column: (row 1, column 0) is sin, (row 0, column 1) is -sin.
    EXPECT_NEAR(1, m[1], 1e-6f);
    EXPECT_NEAR(-1, m[4], 1e-6f);
    EXPECT_NEAR(0, m[0], 1e-6f);
    EXPECT_NEAR(1, m[10], 1e-6f);
    GLfloat modelView[16];
    ::glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    EXPECT_EQ(1, modelView[0]) << "the model-view is restored";
}

TEST(Camera, BoundVolumeFollowsTheScreenRatio)
{
    Camera camera(nullptr);
    camera.setScreenSize(CSize(300, 100));
    camera.setBoundVolume({-1, 2, 1, -2});
    expectRect({-6, 2, 6, -2}, camera.getBoundVolume(false));
    EXPECT_FLOAT_EQ(2, camera.getBoundRadius());

    Camera flat(nullptr);
    flat.setScreenSize(CSize(300, 100));
    flat.setBoundVolume({-1, 0, 1, 0});
    SCOPED_TRACE("a zero side leaves the volume");
    expectRect({-1, 0, 1, 0}, flat.getBoundVolume(false));
    EXPECT_FLOAT_EQ(0, flat.getBoundRadius());
}
