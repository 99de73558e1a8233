#include "ImageCtrlHarness.h"

#include <qvtest/Input.h>
#include <qvtest/Pump.h>
#include <qvtest/Tooltips.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace imagetest;

namespace {

using Keys = std::vector<WORD>;

// Runs the action with the modifier keys held down.
void withKeys(const Keys& keys, const std::function<void()>& action)
{
    for (WORD key : keys)
        qvtest::keyDown(key);
    qvtest::pumpMfcUntilIdle();
    action();
    qvtest::pumpMfcUntilIdle();
    for (WORD key : keys)
        qvtest::keyUp(key);
    qvtest::pumpMfcUntilIdle();
}

// A control in front with the keyboard focus and its first paint done.
class ImageCtrlInput : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(qvtest::bringToForeground(harness.parent.hwnd()));
        harness.ctrl.SetFocus();
        harness.settle();
    }

    void TearDown() override { ::ReleaseCapture(); }

    Harness harness;
    ImageCtrl& ctrl = harness.ctrl;
};

TEST_F(ImageCtrlInput, ClicksSelectNotifyFirstAndArmNoDragWithoutAMove)
{
    harness.addItems(10);
    harness.settle();
    const CPoint emptyA(5, 50);
    const CPoint emptyB(5, 300);
    struct Step {
        const char* name;
        Keys keys;
        std::function<void()> input;
        std::vector<int> codes;
        std::vector<__int64> clicked;
        std::vector<__int64> list;
    };
    auto click = [&](__int64 item, qvtest::MouseButton button = qvtest::MouseButton::Left) {
        return [this, item, button] { qvtest::click(ctrl, harness.centre(item), button); };
    };
    auto clickAt = [&](CPoint point, int times) {
        return [this, point, times] {
            for (int i = 0; i < times; ++i)
                qvtest::click(ctrl, point);
        };
    };
    const Step steps[] = {
        {"plain", {}, click(4), {kClick, kSelChanged}, {4}, {4}},
        {"shift: range from the current item", {VK_SHIFT}, click(1), {kClick, kSelChanged}, {1}, {1, 2, 3, 4}},
        {"ctrl: toggles one", {VK_CONTROL}, click(2), {kClick, kSelChanged}, {2}, {1, 3, 4}},
        {"shift and ctrl: nothing", {VK_SHIFT, VK_CONTROL}, click(7), {kClick}, {7}, {1, 3, 4}},
        {"empty space keeps the selection", {}, clickAt(emptyA, 1), {kClick}, {-1}, {1, 3, 4}},
        {"right button", {}, click(5, qvtest::MouseButton::Right), {kRClick}, {5}, {1, 3, 4}},
        {"double click on empty space clears", {}, clickAt(emptyB, 2), {kClick, kSelChanged, kDblClk}, {-1}, {}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        harness.parent.clear();
        withKeys(step.keys, step.input);
        EXPECT_EQ(step.codes, harness.actions());
        EXPECT_EQ(step.clicked, harness.items({kClick, kRClick}));
        EXPECT_EQ(step.list, selectedList(ctrl));
    }
}

TEST_F(ImageCtrlInput, FocusBoxFollowsThePointerOverTheSelectBand)
{
    harness.addItems(3);
    ctrl.setCurSel(0);
    harness.settle();
    for (__int64 item : {1, 0}) {
        SCOPED_TRACE(item);
        qvtest::moveMouse(ctrl, harness.centre(item));
        const int left = ctrl.getItemRect(item).left + 1;
        expectProbes(harness.capture(), {
                                            {"outer frame", left, 50, kFocus3},
                                            {"outer frame top", left + 50, 5, kFocus3},
                                            {"inner frame", left + 1, 50, kFocus4},
                                            {"inside", left + 2, 50, item == 0 ? kSelect1 : kBackground},
                                        });
    }
    qvtest::moveMouse(ctrl, CPoint(620, 50));
    expectProbes(harness.capture(), {{"left the control", 20, 50, kSelect1}});
}

TEST_F(ImageCtrlInput, DragStartsOnceAtTheFourthPixelWithThePressPoint)
{
    harness.addItems(6);
    harness.settle();
    const CPoint press = harness.centre(4);
    qvtest::mouseDown(ctrl, press);
    qvtest::pumpMfcUntilIdle();
    harness.parent.clear();
    for (const CSize move : {CSize(3, 0), CSize(3, 3), CSize(-3, 3)}) {
        qvtest::moveMouse(ctrl, press + move);
        qvtest::pumpMfcUntilIdle();
    }
    EXPECT_TRUE(harness.actions().empty()) << "three pixels start nothing";

    qvtest::moveMouse(ctrl, press + CSize(0, 4));
    qvtest::pumpMfcUntilIdle();
    qvtest::moveMouse(ctrl, press + CSize(30, 30));
    qvtest::pumpMfcUntilIdle();
    qvtest::mouseUp(ctrl, press + CSize(30, 30));
    qvtest::pumpMfcUntilIdle();
    ASSERT_EQ((std::vector<int>{kBeginDrag}), harness.actions());
    const auto drag = harness.first<qv::gui::NMIMAGEDRAG>(kBeginDrag);
    EXPECT_EQ(4, drag.item);
    EXPECT_EQ(press, CPoint(drag.point));
    EXPECT_EQ(0, drag.data);
    EXPECT_EQ(0u, drag.flags);
}

TEST_F(ImageCtrlInput, KeysMoveTheCurrentItemAndShiftMovesTheRangeEnd)
{
    ctrl.setVirtualMode(100); // three columns
    harness.settle();
    struct Step {
        const char* name;
        Keys keys;
        WORD key;
        std::vector<__int64> list;
        __int64 current;
        std::vector<int> codes;
    };
    const Step steps[] = {
        {"right without a current item", {}, VK_RIGHT, {0}, 0, {kSelChanged}},
        {"down a row", {}, VK_DOWN, {3}, 3, {kSelChanged}},
        {"right", {}, VK_RIGHT, {4}, 4, {kSelChanged}},
        {"shift+home", {VK_SHIFT}, VK_HOME, {0, 1, 2, 3, 4}, 4, {kSelChanged}},
        {"shift+right shrinks", {VK_SHIFT}, VK_RIGHT, {1, 2, 3, 4}, 4, {kSelChanged}},
        {"shift+down", {VK_SHIFT}, VK_DOWN, {4}, 4, {kSelChanged}},
        {"end", {}, VK_END, {99}, 99, {kSelChanged}},
        {"shift+up", {VK_SHIFT}, VK_UP, {96, 97, 98, 99}, 99, {kSelChanged}},
        {"enter", {}, VK_RETURN, {96, 97, 98, 99}, 99, {kReturn}},
        {"home", {}, VK_HOME, {0}, 0, {kSelChanged}},
        {"left at the first item", {}, VK_LEFT, {0}, 0, {}},
        {"plus alone", {}, VK_ADD, {0}, 0, {}},
        {"ctrl+plus zooms", {VK_CONTROL}, VK_ADD, {0}, 0, {kZoomChanged}},
        {"ctrl+minus zooms back", {VK_CONTROL}, VK_SUBTRACT, {0}, 0, {kZoomChanged}},
        {"page down keeps the selection", {}, VK_NEXT, {0}, 0, {}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        harness.parent.clear();
        withKeys(step.keys, [&] { qvtest::pressKey(step.key); });
        EXPECT_EQ(step.list, selectedList(ctrl));
        EXPECT_EQ(step.current, ctrl.getCurSel());
        EXPECT_EQ(step.codes, harness.actions());
        if (step.key == VK_RETURN) {
            EXPECT_EQ((std::vector<__int64>{99}), harness.items({kReturn}));
        }
    }
    EXPECT_EQ(100, ctrl.getImageZoom());
    EXPECT_EQ(400, ctrl.GetScrollPos(SB_VERT)) << "one page";
}

TEST_F(ImageCtrlInput, ShiftHomeScrollsTheRangeEndIntoView)
{
    ctrl.setVirtualMode(100);
    harness.settle();
    withKeys({}, [] { qvtest::pressKey(VK_END); });
    EXPECT_EQ(397, ctrl.getItemRect(99).bottom) << "the bottom one margin above the client's";
    withKeys({}, [] { qvtest::pressKey(VK_UP); });
    withKeys({VK_SHIFT}, [] { qvtest::pressKey(VK_HOME); });
    EXPECT_EQ(96, ctrl.getCurSel());
    EXPECT_EQ(kMargin, ctrl.getItemRect(0).top) << "item 0's top one margin below the client's";
    EXPECT_EQ(97u, selectedList(ctrl).size());
}

TEST_F(ImageCtrlInput, CtrlWheelZoomsAndScrolls)
{
    ctrl.setVirtualMode(100);
    harness.settle();
    withKeys({VK_CONTROL}, [&] {
        ctrl.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WORD(-WHEEL_DELTA)), 0);
    });
    EXPECT_EQ(95, ctrl.getImageZoom());
    EXPECT_EQ((std::vector<int>{kZoomChanged}), harness.actions());
    EXPECT_EQ(20, ctrl.GetScrollPos(SB_VERT));
}

// The pointer comes to rest as a hand moves it: arriving, then one pixel further. Mouse messages reach
// the tool tip through the control's pre-translation.
void restOver(CWnd& ctrl, CPoint point)
{
    for (const CPoint step : {point, point + CSize(1, 1)}) {
        qvtest::moveMouse(ctrl, step);
        qvtest::pumpMfcUntilIdle();
    }
    qvtest::pumpFor(300);
}

TEST_F(ImageCtrlInput, CaptionThatDoesNotFitShowsItsTipAfterARest)
{
    const CString longCaption(L"A caption far too long for the line below its thumbnail");
    harness.caption = [&](__int64 item) { return item == 1 ? longCaption : CString(L"Fits"); };
    harness.addItems(3);
    harness.settle();
    CToolTipCtrl* tip = ctrl.getToolTipCtrl();
    ASSERT_NE(nullptr, tip);

    restOver(ctrl, harness.centre(1));
    EXPECT_EQ(tip->m_hWnd, qvtest::threadTooltip(true));
    CString shown;
    tip->GetText(shown, &ctrl);
    EXPECT_EQ(longCaption, shown);

    restOver(ctrl, harness.centre(0));
    EXPECT_EQ(nullptr, qvtest::threadTooltip(true)) << "a caption that fits has no tip, from any tool tip";
    restOver(ctrl, harness.centre(1));
    EXPECT_TRUE(tip->IsWindowVisible()) << "the tip comes back";
}

} // namespace
