#include "ImageCtrlHarness.h"

#include <gtest/gtest.h>

#include <vector>

using namespace imagetest;

namespace {

// Counts the items the control destroys.
class CountedImage : public ImageData {
public:
    static inline int destroyed = 0;
    ~CountedImage() override { ++destroyed; }
};

std::vector<__int64> indices(const std::vector<ImageData*>& images)
{
    std::vector<__int64> result;
    for (const ImageData* image : images)
        result.push_back(image->getIndex());
    return result;
}

SCROLLINFO verticalBar(HWND hwnd)
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    ::GetScrollInfo(hwnd, SB_VERT, &info);
    return info;
}

void scroll(ImageCtrl& ctrl, UINT code, int times = 1)
{
    for (int i = 0; i < times; ++i)
        ctrl.SendMessage(WM_VSCROLL, MAKEWPARAM(code, 0));
}

TEST(ImageCtrlItems, IndicesFollowAddRemoveAndReplaceAndRefusalsChangeNothing)
{
    CountedImage::destroyed = 0;
    {
        ImageCtrl ctrl;
        std::vector<ImageData*> images;
        for (int i = 0; i < 4; ++i) {
            images.push_back(new CountedImage);
            EXPECT_EQ(i, ctrl.addImage(images.back()));
        }
        ImageData* removed = images[1];
        EXPECT_TRUE(ctrl.removeImage(1, FALSE));
        EXPECT_EQ((std::vector<__int64>{0, -1, 1, 2}), indices(images));
        EXPECT_EQ(images[2], ctrl.getImage(1));

        auto* replacement = new CountedImage;
        EXPECT_TRUE(ctrl.replaceImage(0, replacement, TRUE));
        EXPECT_EQ(1, CountedImage::destroyed) << "the replaced item";
        EXPECT_EQ(0, replacement->getIndex());

        struct Refusal {
            const char* name;
            bool refused;
        };
        const Refusal refusals[] = {
            {"add null", ctrl.addImage(nullptr) == -1},
            {"add an item held already", ctrl.addImage(images[3]) == -1},
            {"remove past the end", !ctrl.removeImage(3, TRUE)},
            {"remove -1", !ctrl.removeImage(-1, TRUE)},
            {"replace past the end", !ctrl.replaceImage(3, removed, TRUE)},
            {"replace with null", !ctrl.replaceImage(0, nullptr, TRUE)},
            {"replace with an item held elsewhere", !ctrl.replaceImage(0, images[3], TRUE)},
            {"get past the end", ctrl.getImage(3) == nullptr},
        };
        for (const Refusal& refusal : refusals) {
            SCOPED_TRACE(refusal.name);
            EXPECT_TRUE(refusal.refused);
        }
        EXPECT_EQ(3, ctrl.getCount());
        EXPECT_EQ((std::vector<__int64>{-1, 1, 2}), indices({removed, images[2], images[3]}));
        EXPECT_EQ(1, CountedImage::destroyed);

        ctrl.setVirtualMode(1000000);
        EXPECT_EQ(4, CountedImage::destroyed) << "virtual mode empties the control";
        EXPECT_EQ(1000000, ctrl.getCount());
        EXPECT_EQ(-1, ctrl.addImage(removed));
        EXPECT_EQ(nullptr, ctrl.getImage(0));
        EXPECT_FALSE(ctrl.removeImage(0, TRUE));
        EXPECT_FALSE(ctrl.replaceImage(0, removed, TRUE));
        delete removed;
    }
    EXPECT_EQ(5, CountedImage::destroyed);
}

TEST(ImageCtrlSelection, ListKeepsSelectionOrderAndItemFlagsFollowIt)
{
    Harness harness;
    ImageCtrl& ctrl = harness.ctrl;
    harness.addItems(10);
    harness.settle();

    struct Step {
        const char* name;
        __int64 first, last;
        BOOL select, clearFirst, notify;
        std::vector<__int64> list;
        __int64 current;
        int notifications;
    };
    const Step steps[] = {
        {"range", 2, 5, TRUE, TRUE, TRUE, {2, 3, 4, 5}, 2, 1},
        {"backwards, kept", 7, 4, TRUE, FALSE, TRUE, {2, 3, 4, 5, 6, 7}, 7, 1},
        {"deselect the middle", 3, 4, FALSE, FALSE, FALSE, {2, 5, 6, 7}, 3, 0},
        {"beyond the items", 8, 10, TRUE, TRUE, TRUE, {2, 5, 6, 7}, 3, 0},
        {"below -1", -2, 1, TRUE, TRUE, TRUE, {2, 5, 6, 7}, 3, 0},
        {"-1 without clearing", -1, 1, TRUE, FALSE, TRUE, {2, 5, 6, 7}, 3, 0},
        {"-1 clears", 5, -1, TRUE, TRUE, TRUE, {}, 3, 1},
        {"one", 9, 9, TRUE, TRUE, FALSE, {9}, 9, 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        harness.parent.clear();
        ctrl.selectItems(step.first, step.last, step.select, step.clearFirst, step.notify);
        EXPECT_EQ(step.list, selectedList(ctrl));
        EXPECT_EQ(step.current, ctrl.getCurSel());
        EXPECT_EQ(std::vector<int>(size_t(step.notifications), kSelChanged), harness.actions());
        for (__int64 i = 0; i < ctrl.getCount(); ++i) {
            const bool listed = std::find(step.list.begin(), step.list.end(), i) != step.list.end();
            EXPECT_EQ(listed, ctrl.isSelected(i) != FALSE) << "item " << i;
            EXPECT_EQ(listed, ctrl.getImage(i)->isSelected() != FALSE) << "item " << i;
        }
    }
    ctrl.clearSelectedItems(TRUE);
    EXPECT_TRUE(selectedList(ctrl).empty());
    EXPECT_FALSE(ctrl.getImage(9)->isSelected());
    EXPECT_EQ(9, ctrl.getCurSel()) << "clearing keeps the current item";
}

TEST(ImageCtrlSelection, HugeCountsAndSizesStayWithinLimits)
{
    Harness harness;
    ImageCtrl& ctrl = harness.ctrl;
    ctrl.setVirtualMode(-5);
    EXPECT_EQ(0, ctrl.getCount());
    EXPECT_FALSE(ctrl.isVirtualMode());

    const __int64 count = 1000000000000;
    ctrl.setVirtualMode(count);
    harness.settle();
    ctrl.selectItems(0, count - 1, TRUE, TRUE, TRUE);
    EXPECT_TRUE(selectedList(ctrl).empty()) << "a selection of 10^12 items is refused";
    EXPECT_TRUE(harness.actions().empty());
    ctrl.setCurSel(count - 1);
    EXPECT_EQ((std::vector<__int64>{count - 1}), selectedList(ctrl));
    ctrl.UpdateWindow();
    const SCROLLINFO bar = verticalBar(ctrl);
    EXPECT_EQ(INT_MAX - 1, bar.nMax) << "the content's height saturates";
    EXPECT_GT(bar.nPos, INT_MAX - 1000);

    ctrl.setMargin(CRect(INT_MAX, -INT_MAX, 0, 0));
    EXPECT_EQ(CRect(1 << 20, -(1 << 20), 0, 0), ctrl.getMargin());
    EXPECT_EQ(1 << 20, ctrl.getDrawRect(0).left) << "one column beyond the client";
    EXPECT_TRUE(ctrl.setImageSize(CSize(INT_MAX, INT_MAX)));
    EXPECT_EQ(CRect(0, 0, 0, 0), ctrl.getDrawRect(0)) << "cells beyond any screen leave no grid";
    ctrl.UpdateWindow();
}

TEST(ImageCtrlLayout, CellsGapsAndContentFollowTheClientAndTheCount)
{
    struct Case {
        const char* name;
        int width;
        int count;
        CRect first, fourth;
        int contentHeight; // 0: no scroll range
    };
    const int left = kMargin + kGap;
    const Case cases[] = {
        {"three columns, no bar", 600, 6, CRect(left, 3, left + kCellWidth, 3 + kCellHeight),
         CRect(left, 3 + kCellHeight, left + kCellWidth, 3 + 2 * kCellHeight), 0},
        {"one column narrower than a cell", 100, 1, CRect(3, 3, 3 + kCellWidth, 3 + kCellHeight),
         CRect(3, 3 + 3 * kCellHeight, 3 + kCellWidth, 3 + 4 * kCellHeight), 0},
        {"ten items take four rows", 600, 10, CRect(), CRect(), 4 * kCellHeight + 6},
        {"nine items take three rows", 600, 9, CRect(), CRect(), 3 * kCellHeight + 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness harness(c.width, 400);
        harness.addItems(c.count);
        if (!c.first.IsRectNull()) {
            EXPECT_EQ(c.first, harness.ctrl.getDrawRect(0));
            EXPECT_EQ(c.fourth, harness.ctrl.getDrawRect(3));
        }
        const SCROLLINFO bar = verticalBar(harness.ctrl);
        EXPECT_EQ(c.contentHeight == 0 ? 0 : c.contentHeight - 1, bar.nMax);
        EXPECT_EQ(c.contentHeight == 0 ? 0u : 400u, bar.nPage) << "the page as if no bar showed";
    }
}

TEST(ImageCtrlLayout, DisplaySizeBelowOnePixelLeavesNoGrid)
{
    Harness harness;
    harness.addItems(3);
    ASSERT_TRUE(harness.ctrl.setImageSize(CSize(5, 4)));
    EXPECT_TRUE(harness.ctrl.setImageZoom(10));
    EXPECT_EQ(CSize(0, 0), harness.ctrl.getDisplayImageSize());
    EXPECT_EQ(CRect(0, 0, 0, 0), harness.ctrl.getDrawRect(0));
    EXPECT_FALSE(harness.ctrl.setImageSize(CSize(0, 10)));
    EXPECT_FALSE(harness.ctrl.setImageSize(CSize(10, -1)));
    const qvtest::Capture picture = harness.capture();
    EXPECT_EQ(600 * 400, picture.count(CRect(0, 0, 600, 400), kBackground)) << "only the background";
}

TEST(ImageCtrlZoom, ClampsToTheRangeAndNotifiesChangesOnly)
{
    Harness harness;
    ImageCtrl& ctrl = harness.ctrl;
    harness.settle();
    struct Step {
        const char* name;
        std::function<void()> action;
        int zoom;
        int notifications;
    };
    const Step steps[] = {
        {"below the minimum", [&] { ctrl.setImageZoom(5); }, 10, 1},
        {"at the minimum again", [&] { ctrl.setImageZoom(10); }, 10, 0},
        {"above the maximum", [&] { ctrl.setImageZoom(250); }, 200, 1},
        {"zoom out by the step", [&] { ctrl.zoomOut(); }, 195, 1},
        {"range refused", [&] { EXPECT_FALSE(ctrl.setImageZoomRange(0, 1001)); }, 195, 0},
        {"range pulls the zoom in", [&] { EXPECT_TRUE(ctrl.setImageZoomRange(50, 80)); }, 80, 1},
        {"step limited to the maximum", [&] { ctrl.setImageZoomStep(500); ctrl.zoomOut(); }, 50, 1},
        {"negative step", [&] { ctrl.setImageZoomStep(-3); ctrl.zoomIn(); }, 50, 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        harness.parent.clear();
        step.action();
        EXPECT_EQ(step.zoom, ctrl.getImageZoom());
        EXPECT_EQ(std::vector<int>(size_t(step.notifications), kZoomChanged), harness.actions());
        EXPECT_EQ(std::vector<__int64>(size_t(step.notifications), -1), harness.items({kZoomChanged}));
        EXPECT_EQ(CSize(160 * step.zoom / 100, 120 * step.zoom / 100), ctrl.getDisplayImageSize());
    }
}

TEST(ImageCtrlHitTest, KnowsCellsOnlyAfterAPaintFoundTheFirstVisibleItem)
{
    Harness harness;
    ImageCtrl& ctrl = harness.ctrl;
    ctrl.setVirtualMode(100);
    const CRect fifth = ctrl.getItemRect(4);
    EXPECT_EQ(-1, ctrl.hitTest(fifth.CenterPoint())) << "before the first paint";
    harness.settle();

    struct Probe {
        const char* name;
        CPoint point;
        CSize offset;
        __int64 item;
    };
    const Probe probes[] = {
        {"inside", fifth.CenterPoint(), CSize(0, 0), 4},
        {"top-left corner is inside", fifth.TopLeft(), CSize(0, 0), 4},
        {"right edge is outside", CPoint(fifth.right, fifth.top), CSize(0, 0), -1},
        {"gap before the first column", CPoint(kMargin + 2, 50), CSize(0, 0), -1},
        {"offset moves the cells", fifth.CenterPoint() + CSize(0, kCellHeight), CSize(0, -kCellHeight), 4},
        {"offset past the visible run", CPoint(300, 200), CSize(0, 1000), -1},
    };
    for (const Probe& probe : probes) {
        SCOPED_TRACE(probe.name);
        EXPECT_EQ(probe.item, ctrl.hitTest(probe.point, probe.offset));
    }

    scroll(ctrl, SB_LINEDOWN);
    EXPECT_EQ(-1, ctrl.hitTest(fifth.CenterPoint())) << "a scroll forgets the first visible item";
    harness.settle();
    EXPECT_EQ(4, ctrl.hitTest(fifth.CenterPoint() - CSize(0, 20)));
}

TEST(ImageCtrlScroll, PagesAndLinesClampToTheContent)
{
    Harness harness;
    ImageCtrl& ctrl = harness.ctrl;
    ctrl.setVirtualMode(100); // 34 rows: content 34 * 152 + 6
    const int content = 34 * kCellHeight + 6;
    harness.settle();
    const int page = int(verticalBar(ctrl).nPage);
    ASSERT_EQ(400, page);

    struct Step {
        const char* name;
        UINT code;
        int times;
        int position;
    };
    const Step steps[] = {
        {"page up at the top", SB_PAGEUP, 1, 0},
        {"line down", SB_LINEDOWN, 1, 20},
        {"past the end", SB_PAGEDOWN, 20, content - page},
        {"line down at the end", SB_LINEDOWN, 1, content - page},
        {"line up", SB_LINEUP, 1, content - page - 20},
        {"other codes", SB_ENDSCROLL, 1, content - page - 20},
        {"back to the top", SB_PAGEUP, 20, 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        scroll(ctrl, step.code, step.times);
        EXPECT_EQ(step.position, ctrl.GetScrollPos(SB_VERT));
        EXPECT_EQ(CPoint(kMargin + kGapBesideBar, kMargin - step.position), ctrl.getItemRect(0).TopLeft());
    }

    scroll(ctrl, SB_PAGEDOWN, 20);
    ctrl.recalcLayout();
    EXPECT_EQ(content - page - 1, ctrl.GetScrollPos(SB_VERT)) << "a layout keeps one pixel less";
}

TEST(ImageCtrlScroll, ThumbTakesThe32BitTrackPositionBeyond65535)
{
    Harness harness;
    ImageCtrl& ctrl = harness.ctrl;
    ctrl.setVirtualMode(1000000);
    harness.settle();
    ASSERT_GT(verticalBar(ctrl).nMax, 50000000);
    const int target = 12345678;
    ::SetScrollPos(ctrl, SB_VERT, target, FALSE); // where a dragged thumb would be
    ctrl.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, target & 0xFFFF));
    EXPECT_EQ(target, ctrl.GetScrollPos(SB_VERT));
    const __int64 row = (target - kMargin) / kCellHeight;
    EXPECT_EQ(kMargin + row * kCellHeight - target, ctrl.getItemRect(row * 3).top);
}

TEST(ImageCtrlScroll, WheelStepsFollowTheWheelLinesSetting)
{
    Harness harness;
    ImageCtrl& ctrl = harness.ctrl;
    ctrl.setVirtualMode(100);
    harness.settle();
    UINT lines = 0;
    ::SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    if (lines != 3)
        GTEST_SKIP() << "the cases assume three lines a notch, the system's default";

    struct Case {
        const char* name;
        UINT lines;
        short delta;
        int position;
    };
    const Case cases[] = {
        {"one notch", 3, -120, 20},     {"two notches", 3, -240, 40},   {"three notches", 3, -360, 60},
        {"no delta scrolls down", 3, 0, 20}, {"up at the top", 3, 120, 0},
        {"page mode", WHEEL_PAGESCROLL, -120, 400},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        scroll(ctrl, SB_PAGEUP, 30);
        ::SystemParametersInfo(SPI_SETWHEELSCROLLLINES, c.lines, nullptr, 0);
        CPoint screen(10, 10);
        ctrl.ClientToScreen(&screen);
        const LRESULT handled =
            ctrl.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(c.delta)), MAKELPARAM(screen.x, screen.y));
        EXPECT_EQ(c.position, ctrl.GetScrollPos(SB_VERT));
        EXPECT_NE(0, handled);
    }
    ::SystemParametersInfo(SPI_SETWHEELSCROLLLINES, lines, nullptr, 0);

    ctrl.setVirtualMode(3);
    EXPECT_EQ(0, ctrl.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-120)), 0)) << "nothing to scroll";
}

} // namespace
