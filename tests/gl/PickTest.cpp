#include <qv.win/Camera.h>
#include <qv.win/Wnd.h>

#include "GlHostSupport.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

using qv::gl::Camera;
using qv::gl::Manager;
using qv::gl::Wnd;
using Names = std::vector<unsigned>;

namespace {

// The names of the nearest record as getPickNameBuffer reports them (the array freed again).
Names nearestNames(std::vector<unsigned> buffer, int hits)
{
    unsigned* names = nullptr;
    const int count = Manager::getPickNameBuffer(buffer.data(), hits, names);
    const Names result(names, names + count);
    delete[] names;
    return result;
}

TEST(PickNameBuffer, NearestRecordWithNamesWins)
{
    const struct {
        const char* what;
        std::vector<unsigned> buffer;
        int hits;
        Names expected;
    } cases[] = {
        {"a nearer record replaces a farther one", {1, 100, 200, 7, 2, 50, 60, 3, 4}, 2, {3, 4}},
        {"the first of equally near records wins", {1, 50, 60, 7, 1, 50, 60, 9}, 2, {7}},
        {"a record without names lowers the depth but keeps the result",
         {1, 100, 200, 7, 0, 10, 20, 1, 50, 60, 9}, 3, {7}},
        {"a maximum depth nearer than the best is taken", {1, 100, 100, 7, 1, 150, 90, 9}, 2, {9}},
        {"a depth word of 2^31 or more counts as 2^32 minus it",
         {1, 0x7FFFFF00, 0x7FFFFF00, 7, 1, 0xFFFFFF00, 0xFFFFFF00, 9}, 2, {9}},
        {"only records without names", {0, 10, 20, 0, 5, 6}, 2, {}},
        {"no hits", {1, 10, 20, 7}, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.expected, nearestNames(c.buffer, c.hits));
    }
}

TEST(PickNameBuffer, ReplacesTheCallersArrayOnlyWhenThereAreHits)
{
    std::vector<unsigned> buffer{1, 10, 20, 7};
    unsigned* names = new unsigned[1]{42};
    EXPECT_EQ(0, Manager::getPickNameBuffer(buffer.data(), 0, names));
    ASSERT_NE(nullptr, names) << "untouched without hits";
    EXPECT_EQ(42u, names[0]);
    EXPECT_EQ(1, Manager::getPickNameBuffer(buffer.data(), 1, names));
    EXPECT_EQ(7u, names[0]);
    buffer = {0, 10, 20};
    EXPECT_EQ(0, Manager::getPickNameBuffer(buffer.data(), 1, names));
    EXPECT_EQ(nullptr, names) << "the old array is freed";
}

// Three named squares seen from the front: a far one (name 2) drawn first, a near one
// (name 1) over it, and a lone one (names 30, 3) to the right.
class PickScene : public Wnd {
public:
    PickScene() : Wnd(false) {}

    static constexpr float nearZ = 2;
    static constexpr float farZ = -2;
    const Camera::vector3 centre{-3, 0, 0};
    const Camera::vector3 lone{5, 0, 0};

    void onRenderGL() override
    {
        ::glInitNames();
        ::glPushName(0);
        ::glLoadName(2);
        square(centre.x, centre.y, farZ, 2);
        ::glLoadName(1);
        square(centre.x, centre.y, nearZ, 1);
        ::glLoadName(30);
        ::glPushName(3);
        square(lone.x, lone.y, 0, 1);
        ::glPopName();
    }

private:
    static void square(float x, float y, float z, float half)
    {
        ::glBegin(GL_QUADS);
        ::glVertex3f(x - half, y - half, z);
        ::glVertex3f(x + half, y - half, z);
        ::glVertex3f(x + half, y + half, z);
        ::glVertex3f(x - half, y + half, z);
        ::glEnd();
    }
};

class Picking : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(createParent(parent));
        ASSERT_TRUE(scene.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 160), &parent, 1));
        camera = scene.getCamera();
        camera->viewDirection(Camera::Front, false);
    }

    Names pickAt(CPoint point)
    {
        std::vector<unsigned> buffer(64);
        const int hits = scene.pickObjects(buffer.data(), static_cast<int>(buffer.size()), point.x, point.y, 3, 3);
        return nearestNames(buffer, hits);
    }

    CWnd parent;
    PickScene scene;
    Camera* camera = nullptr;
};

TEST_F(Picking, TheNearestObjectUnderTheMouseGivesItsNames)
{
    EXPECT_EQ(Names{1}, pickAt(camera->convert3DTo2D(scene.centre)));
    for (const bool perspective : {false, true}) {
        SCOPED_TRACE(perspective ? "perspective" : "orthographic");
        camera->setPerspective(perspective, false);
        EXPECT_EQ((Names{30, 3}), pickAt(camera->convert3DTo2D(scene.lone)));
        EXPECT_EQ(Names{}, pickAt(camera->convert3DTo2D({0.5f, 6, 0})));
    }
}

// Perspective depths of the scene lie past the middle of the depth range, where the depth
// words compare as 2^32 minus their value: there the farther of two objects is reported.
TEST_F(Picking, PerspectiveDepthsPastTheMiddleCompareReversed)
{
    camera->setPerspective(true, false);
    EXPECT_EQ(Names{2}, pickAt(camera->convert3DTo2D(scene.centre)));
}

TEST_F(Picking, TheEdgeOfTheFarObjectShowsBehindTheNearOne)
{
    const Camera::vector3 farEdge{scene.centre.x + 1.6f, scene.centre.y, PickScene::farZ};
    EXPECT_EQ(Names{2}, pickAt(camera->convert3DTo2D(farEdge)));
    camera->viewDirection(Camera::Back, false);
    EXPECT_EQ(Names{2}, pickAt(camera->convert3DTo2D(scene.centre))) << "seen from behind, the far one is near";
}

TEST_F(Picking, ReportsOverflowAndLeavesTheMatricesAsTheyWere)
{
    std::vector<unsigned> buffer(4);
    const CPoint point = camera->convert3DTo2D(scene.centre);
    EXPECT_LT(scene.pickObjects(buffer.data(), static_cast<int>(buffer.size()), point.x, point.y, 3, 3), 0);

    double projection[16], modelView[16];
    int viewport[4];
    scene.backupMatrix(projection, modelView, viewport);
    EXPECT_EQ(Names{1}, pickAt(point));
    EXPECT_EQ(point, camera->convert3DTo2D(scene.centre)) << "the projection is restored";
    GLint mode = 0;
    ::glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(GL_MODELVIEW, mode);
    GLint renderMode = 0;
    ::glGetIntegerv(GL_RENDER_MODE, &renderMode);
    EXPECT_EQ(GL_RENDER, renderMode);
}

TEST_F(Picking, RayRunsFromTheNearToTheFarPlaneThroughThePixel)
{
    const CPoint point = camera->convert3DTo2D(scene.lone);
    ASSERT_TRUE(scene.setPickRay(point));
    const Manager::Line3f ray = scene.getPickRay();
    EXPECT_NEAR(scene.lone.x, ray.start.x, 0.2f);
    EXPECT_NEAR(scene.lone.x, ray.end.x, 0.2f);
    EXPECT_NEAR(scene.lone.y, ray.start.y, 0.2f);
    EXPECT_GT(ray.start.z, ray.end.z) << "from the viewer into the screen";
    EXPECT_EQ(point, camera->convert3DTo2D(ray.start));
}

TEST(PickingWithout, ACameraOrAWindowFindsNothing)
{
    Manager manager;
    ASSERT_TRUE(manager.createBitmapGL(32, 32));
    std::vector<unsigned> buffer(16);
    EXPECT_EQ(0, manager.pickObjects(buffer.data(), 16, 5, 5, 3, 3)) << "no camera";
    Manager::Line3f ray;
    ray.start = {1, 2, 3};
    EXPECT_FALSE(manager.calcPickRay(CPoint(5, 5), ray));
    EXPECT_EQ(1, ray.start.x) << "untouched";

    Camera camera(&manager);
    manager.setCamera(&camera);
    EXPECT_EQ(0, manager.pickObjects(buffer.data(), 16, 5, 5, 3, 3)) << "no window";
    EXPECT_TRUE(manager.calcPickRay(CPoint(5, 5), ray));
    manager.setCamera(nullptr);
}

} // namespace
