#include <qv.win/CameraGraph.h>
#include <qv.win/Wnd.h>

#include "GlHostSupport.h"

#include "qvtest/Capture.h"
#include "qvtest/MfcPump.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using qv::gl::CameraGraph;
using qv::gl::Wnd;

namespace {

// Records the boxes the mouse zooms into.
class RecordingCameraGraph : public CameraGraph {
public:
    explicit RecordingCameraGraph(qv::gl::Manager* manager) : CameraGraph(manager, nullptr) {}

    struct Box {
        CPoint from, to;
    };
    std::vector<Box> boxes;

    void zoomBox(CPoint from, CPoint to, bool refresh) override
    {
        boxes.push_back({from, to});
        CameraGraph::zoomBox(from, to, refresh);
    }
};

// A white 400 x 200 plot whose content is 400 x 200 units, y up, with a graph camera.
class GraphCameraTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(createParent(parent, 500, 300));
        ASSERT_TRUE(wnd.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 404, 204), &parent, 1));
        setClientSize(wnd, 400, 200);
        wnd.setBackgroundMode(qv::gl::Manager::BackgroundSolid);
        wnd.setColorBackground({1, 1, 1, 1});
        camera = new RecordingCameraGraph(&wnd);
        wnd.setCamera(camera);
        camera->setContentVolume(0, 0, 400, 200);
        wnd.refreshScreen(false, true);
        qvtest::pumpMfcUntilIdle();
        before = std::make_unique<qvtest::Capture>(wnd.m_hWnd);
    }
    void TearDown() override
    {
        wnd.setCamera(nullptr);
        delete camera;
    }

    // Posts a mouse message and lets only the mouse messages through the pre-translation and the
    // window, so that no repaint hides what the message drew.
    void mouse(UINT message, WPARAM keys, CPoint point)
    {
        ::PostMessage(wnd.m_hWnd, message, keys, MAKELPARAM(point.x, point.y));
        MSG msg;
        while (::PeekMessage(&msg, wnd.m_hWnd, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE))
            if (!AfxPreTranslateMessage(&msg))
                ::DispatchMessage(&msg);
    }

    // Pixels that differ from the picture as set up (the plot is one colour, so panning it
    // changes no pixel).
    int bandPixels() const
    {
        const qvtest::Capture shot(wnd.m_hWnd);
        int changed = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                changed += shot.pixel(x, y) != before->pixel(x, y);
        return changed;
    }

    CWnd parent;
    Wnd wnd{true};
    RecordingCameraGraph* camera = nullptr;
    std::unique_ptr<qvtest::Capture> before;
};

TEST_F(GraphCameraTest, ShiftRightDragZoomsIntoTheBoxWithTheAspectRules)
{
    const struct {
        const char* label;
        CPoint from, to, boxFrom, boxTo;
        float zoom;
    } rows[] = {
        {"wide: the viewport's aspect", {10, 10}, {110, 30}, {10, -5}, {110, 45}, 4},
        {"tall: square in pixels", {10, 10}, {30, 110}, {-30, 10}, {70, 110}, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        camera->zoomFit(false);
        camera->boxes.clear();
        mouse(WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, row.from);
        EXPECT_EQ(wnd.m_hWnd, ::GetCapture());
        mouse(WM_MOUSEMOVE, MK_RBUTTON | MK_SHIFT, row.to);
        mouse(WM_RBUTTONUP, MK_SHIFT, row.to);
        EXPECT_EQ(nullptr, ::GetCapture());
        ASSERT_EQ(1u, camera->boxes.size());
        EXPECT_EQ(row.boxFrom, camera->boxes[0].from);
        EXPECT_EQ(row.boxTo, camera->boxes[0].to);
        EXPECT_NEAR(row.zoom, camera->zoomFactor(), 1e-4f);
        EXPECT_EQ(0, bandPixels()) << "the band is gone";
    }
}

TEST_F(GraphCameraTest, TheBandShowsWithShiftOnlyAndGoesOnTheNextMove)
{
    mouse(WM_RBUTTONDOWN, MK_RBUTTON, {20, 20});
    mouse(WM_MOUSEMOVE, MK_RBUTTON, {120, 80});
    EXPECT_EQ(0, bandPixels()) << "without Shift the drag pans";
    mouse(WM_MOUSEMOVE, MK_RBUTTON | MK_SHIFT, {150, 90});
    EXPECT_GT(bandPixels(), 200);
    mouse(WM_MOUSEMOVE, MK_RBUTTON, {160, 95});
    EXPECT_EQ(0, bandPixels());
    mouse(WM_RBUTTONUP, 0, {160, 95});
    EXPECT_TRUE(camera->boxes.empty()) << "the last move disarmed the zoom box";
}

TEST_F(GraphCameraTest, MiddleOrRightDragPansWithTheMouseCaptured)
{
    const struct {
        UINT down, up;
        WPARAM button;
    } rows[] = {{WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON}, {WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.down);
        camera->setBox(0, 0, 1, 1);
        mouse(row.down, row.button, {100, 100});
        EXPECT_EQ(wnd.m_hWnd, ::GetCapture());
        mouse(WM_MOUSEMOVE, row.button, {140, 110});
        mouse(row.up, 0, {140, 110});
        EXPECT_EQ(nullptr, ::GetCapture());
        const qv::rect<float> visible = camera->getBoundVolume(true);
        EXPECT_NEAR(-40, visible.left, 1e-3f) << "the content follows the mouse";
        EXPECT_NEAR(210, visible.top, 1e-3f);
        EXPECT_TRUE(camera->boxes.empty());
    }
}

TEST_F(GraphCameraTest, WheelFactorsCompareTheKeyStateForEquality)
{
    const struct {
        WPARAM keys;
        short delta;
        float zoom;
    } rows[] = {
        {0, WHEEL_DELTA, 1.05f},           {MK_SHIFT, WHEEL_DELTA, 1.01f},
        {MK_CONTROL, WHEEL_DELTA, 2.0f},   {MK_SHIFT | MK_CONTROL, WHEEL_DELTA, 1.05f},
        {MK_CONTROL, -WHEEL_DELTA, 0.5f},  {MK_LBUTTON | MK_SHIFT, -WHEEL_DELTA, 1 / 1.05f},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "keys " << row.keys << ", delta " << row.delta);
        camera->zoomFit(false);
        mouse(WM_MOUSEWHEEL, MAKEWPARAM(row.keys, row.delta), {0, 0});
        EXPECT_NEAR(row.zoom, camera->zoomFactor(), 1e-5f);
    }
}

TEST_F(GraphCameraTest, LeftDoubleClickFitsAndNoMessageIsConsumed)
{
    camera->setBox(0.2f, 0.2f, 0.4f, 0.4f);
    MSG msg{wnd.m_hWnd, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5), 0, {}};
    EXPECT_EQ(0, camera->preTranslateMessage(&msg));
    EXPECT_EQ((qv::rect<float>{0, 0, 1, 1}), camera->box(CameraGraph::Relative));
    for (UINT message : {WM_MOUSEMOVE, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MOUSEWHEEL, WM_KEYDOWN}) {
        SCOPED_TRACE(message);
        msg.message = message;
        EXPECT_EQ(0, camera->preTranslateMessage(&msg));
    }
    ::ReleaseCapture();
}

TEST(GraphCameraCopy, KeepsItsOwnAxisRangeValues)
{
    float values[] = {1, 2, 4};
    float* ranges[] = {&values[0], nullptr, &values[1], &values[2]};
    CameraGraph camera(nullptr, ranges);
    values[0] = 99;
    camera.setAxisRangeSync(true);
    const CameraGraph copy(camera);
    const float expected[] = {1, 0, 2, 4};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const float* value = copy.getAxisRange(i);
        ASSERT_EQ(i != 1, value != nullptr);
        if (value != nullptr) {
            EXPECT_EQ(expected[i], *value);
            EXPECT_NE(camera.getAxisRange(i), value);
        }
    }
    EXPECT_TRUE(copy.isAxisRangeSync());
    EXPECT_EQ(nullptr, CameraGraph(nullptr, nullptr).getAxisRange(0));
}

} // namespace
