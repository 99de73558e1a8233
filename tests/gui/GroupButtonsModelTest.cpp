#include "GroupButtonsFixture.h"
#include "GroupButtonsResources.h"

#include <climits>
#include <cmath>
#include <functional>
#include <vector>

using namespace gbtest;
using qv::gui::GroupButtons;

namespace {

using Strip = GroupButtons;

std::string describe(const GroupButtons::groupData* group)
{
    return group ? "{" + std::to_string(group->first) + "," + std::to_string(group->last) + "}" : "null";
}

std::string describe(bool value)
{
    return value ? "true" : "false";
}

struct LayoutCase {
    const char* label;
    int width, height, count;
    CRect margin, buttonMargin;
    Strip::MarkerPos position;
    bool visible;
    INT64 button;
    CRect cell, inside, image, marker;
};

using LayoutTest = StripTest;

TEST_F(LayoutTest, CellsShareBordersAndFillTheRowMarkersCentreUnderThem)
{
    const CRect none(0, 0, 0, 0);
    const LayoutCase cases[] = {
        {"4 in 101: no remainder", 101, 40, 4, none, none, Strip::Bottom, true, 0,
         {0, 0, 26, 29}, {1, 1, 25, 28}, {1, 1, 25, 28}, {8, 30, 18, 40}},
        {"4 in 101: the last cell ends at the edge", 101, 40, 4, none, none, Strip::Bottom, true, 3,
         {75, 0, 101, 29}, {76, 1, 100, 28}, {76, 1, 100, 28}, {83, 30, 93, 40}},
        {"4 in 103: remainder 2, offset 1", 103, 40, 4, none, none, Strip::Bottom, true, 1,
         {26, 0, 52, 29}, {27, 1, 51, 28}, {27, 1, 51, 28}, {34, 30, 44, 40}},
        {"4 in 100: remainder 3, offset 1", 100, 40, 4, none, none, Strip::Bottom, true, 0,
         {1, 0, 26, 29}, {2, 1, 25, 28}, {2, 1, 25, 28}, {8, 30, 18, 40}},
        {"markers hidden: the buttons end a row above the bottom", 101, 40, 4, none, none, Strip::Bottom, false, 0,
         {0, 0, 26, 39}, {1, 1, 25, 38}, {1, 1, 25, 38}, {8, 35, 18, 45}},
        {"markers on top", 101, 40, 4, none, none, Strip::Top, true, 0,
         {0, 11, 26, 40}, {1, 12, 25, 39}, {1, 12, 25, 39}, {8, 0, 18, 10}},
        {"margins and button margins", 101, 40, 4, {2, 3, 4, 5}, {1, 2, 3, 4}, Strip::Bottom, true, 1,
         {26, 3, 50, 24}, {27, 4, 49, 23}, {28, 6, 46, 19}, {33, 25, 43, 35}},
        {"more buttons than pixels: the row overhangs both sides", 10, 40, 20, none, none, Strip::Bottom, true, 0,
         {-5, 0, -3, 29}, {-4, 1, -4, 28}, {-4, 1, -4, 28}, {-9, 30, 1, 40}},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.label);
        TestStrip tested;
        ASSERT_TRUE(tested.addImages(makeImages(c.count)));
        place(tested, c.width, c.height);
        tested.setMargin(c.margin);
        tested.setButtonMargin(c.buttonMargin);
        tested.setVisibleMarker(c.visible);
        tested.setMarkerPosition(c.position);
        EXPECT_EQ(tested.getButtonRect(c.button), c.cell);
        EXPECT_EQ(tested.getItemRect(c.button, Strip::Button), c.cell);
        EXPECT_EQ(tested.getItemRect(c.button, Strip::Inside), c.inside);
        EXPECT_EQ(tested.getItemRect(c.button, Strip::Image), c.image);
        EXPECT_EQ(tested.getItemRect(c.button, Strip::Marker), c.marker);
        EXPECT_EQ(tested.getMarkerRect(c.button), c.marker);
    }
}

TEST_F(LayoutTest, QueriesWithoutAButtonOrAClientAreAnsweredWithAnEmptyRectangle)
{
    const struct {
        const char* label;
        int width, height, count;
        INT64 button;
        int type;
    } cases[] = {
        {"no image list", 101, 40, -1, 0, Strip::Button},
        {"index -1", 101, 40, 4, -1, Strip::Inside},
        {"index = count", 101, 40, 4, 4, Strip::Marker},
        {"huge index", 101, 40, 4, LLONG_MAX, Strip::Image},
        {"no client height", 101, 0, 4, 0, Strip::Button},
        {"no client width: no marker either", 0, 40, 4, 0, Strip::Marker},
        {"unknown rectangle type", 101, 40, 4, 0, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TestStrip tested;
        if (c.count >= 0)
            tested.addImages(makeImages(c.count));
        place(tested, c.width, c.height);
        EXPECT_EQ(tested.getItemRect(c.button, Strip::RectType(c.type)), CRect(0, 0, 0, 0));
    }
}

TEST_F(LayoutTest, HitTestFindsTheLowerCellOnASharedBorderAndMarkersOnlyWhileEditable)
{
    create(101, 40, 4);
    const struct {
        const char* label;
        CPoint point;
        bool editMarker;
        INT64 index;
        int area;
    } cases[] = {
        {"shared border column", {25, 10}, true, 0, 1},
        {"right of the border", {26, 10}, true, 1, 1},
        {"last column of the last cell", {100, 28}, true, 3, 1},
        {"the row between buttons and markers", {12, 29}, true, -1, 1},
        {"marker", {13, 35}, true, 0, 2},
        {"marker band between markers", {25, 35}, true, -1, 2},
        {"marker while editing is off", {13, 35}, false, -1, 1},
        {"right of the client", {101, 10}, true, -1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        strip.enableEditMarker(c.editMarker);
        const Strip::hitData hit = strip.hitTest(c.point);
        EXPECT_EQ(hit.index, c.index);
        EXPECT_EQ(hit.area, c.area);
    }
    strip.clearData();
    EXPECT_EQ(strip.hitTest(CPoint(13, 10)).index, -1);
}

TEST_F(LayoutTest, SnapFindsTheNearestReachableMarkerButNeverTheDraggedOne)
{
    create(100, 40, 4); // marker centres at x 13, 37, 61, 85, y 35
    const struct {
        const char* label;
        CPoint point;
        int radius;
        INT64 expected;
    } cases[] = {
        {"on a marker", {13, 35}, -1, 0},
        {"4 pixels beside it", {22, 31}, -1, 0},
        {"out of its reach", {25, 35}, -1, -1},
        {"equal distance: the lower index", {25, 35}, 10, 0},
        {"nearer to the higher one", {26, 35}, 10, 1},
        {"a radius beyond any coordinate", {-5000, 35}, INT_MAX, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(strip._snapMarker(c.point, c.radius), c.expected);
    }
    strip.SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(13, 35));
    EXPECT_EQ(strip._snapMarker(CPoint(13, 35), 30), 1) << "the dragged marker";
    strip.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(13, 35));
    strip.enableEditMarker(false);
    EXPECT_EQ(strip._snapMarker(CPoint(13, 35), -1), -1) << "editing off";
}

struct GroupCase {
    const char* label;
    std::vector<std::pair<INT64, INT64>> initial;
    std::function<std::string(Strip&)> action;
    std::string result;
    std::string groups;
};

using GroupTest = StripTest;

TEST_F(GroupTest, GroupEditsFollowTheRulesOfRanges)
{
    static GroupButtons::groupData foreign{1, 2};
    const auto g = [](Strip& s, INT64 i) { return s.getGroupAt(i); };
    const GroupCase cases[] = {
        {"add orders its ends", {}, [](Strip& s) { return describe(s.addGroup(3, 1)); }, "{1,3}", "{1,3} .000...."},
        {"add of a range already grouped", {{1, 3}}, [](Strip& s) { return describe(s.addGroup(1, 3)); }, "null",
         "{1,3} .000...."},
        {"add takes buttons from earlier groups, which keep their bounds", {{1, 3}},
         [](Strip& s) { return describe(s.addGroup(2, 5)); }, "{2,5}", "{1,3}{2,5} .01111.."},
        {"a group of one", {}, [](Strip& s) { return describe(s.addGroup(4, 4)); }, "{4,4}", "{4,4} ....0..."},
        {"a range past the last button is never grouped already", {{0, 7}},
         [](Strip& s) { return describe(s.addGroup(6, 9)); }, "{6,9}", "{0,7}{6,9} 00000011"},
        {"a negative range", {}, [](Strip& s) { return describe(s.addGroup(-1, 2)); }, "null", " ........"},
        {"append after", {{1, 3}}, [&](Strip& s) { return describe(s.appendGroupButtons(g(s, 0), 5)); }, "true",
         "{1,5} .00000.."},
        {"append before", {{3, 4}}, [&](Strip& s) { return describe(s.appendGroupButtons(g(s, 0), 0)); }, "true",
         "{0,4} 00000..."},
        {"append inside", {{1, 3}}, [&](Strip& s) { return describe(s.appendGroupButtons(g(s, 0), 2)); }, "false",
         "{1,3} .000...."},
        {"append a range grouped already", {{1, 2}, {3, 4}},
         [&](Strip& s) { return describe(s.appendGroupButtons(g(s, 0), 4)); }, "false", "{1,2}{3,4} .0011..."},
        {"append a range grouped in part", {{1, 2}, {4, 5}},
         [&](Strip& s) { return describe(s.appendGroupButtons(g(s, 0), 4)); }, "true", "{1,4}{4,5} .00001.."},
        {"append a button out of range", {{1, 3}},
         [&](Strip& s) { return describe(s.appendGroupButtons(g(s, 0), 8) || s.appendGroupButtons(nullptr, 5)); },
         "false", "{1,3} .000...."},
        {"cut the middle of three: no part is left", {{1, 3}},
         [&](Strip& s) { return describe(s.removeGroupButtons(g(s, 0), 2, 2)); }, "true", " ........"},
        {"cut the middle of six: two parts", {{0, 5}},
         [&](Strip& s) { return describe(s.removeGroupButtons(g(s, 0), 2, 2)); }, "true", "{0,1}{3,5} 00.111.."},
        {"remove the start leaving one", {{0, 2}},
         [&](Strip& s) { return describe(s.removeGroupButtons(g(s, 0), 1, 0)); }, "true", " ........"},
        {"remove the end", {{0, 4}}, [&](Strip& s) { return describe(s.removeGroupButtons(g(s, 0), 4, 3)); },
         "true", "{0,2} 000....."},
        {"remove the whole group", {{1, 4}}, [&](Strip& s) { return describe(s.removeGroupButtons(g(s, 0), 1, 4)); },
         "true", " ........"},
        {"remove beyond the group", {{1, 4}},
         [&](Strip& s) { return describe(s.removeGroupButtons(g(s, 0), 0, 2)); }, "false", "{1,4} .0000..."},
        {"delete", {{1, 2}, {4, 5}}, [&](Strip& s) { return describe(s.deleteGroup(g(s, 0))); }, "true",
         "{4,5} ....00.."},
        {"delete leaves the buttons a later group took", {{1, 3}, {2, 5}},
         [&](Strip& s) { return describe(s.deleteGroup(g(s, 0))); }, "true", "{2,5} ..0000.."},
        {"delete a record of no strip", {{1, 2}}, [](Strip& s) { return describe(s.deleteGroup(&foreign)); },
         "false", "{1,2} .00....."},
        {"delete at an index out of range", {{1, 2}}, [](Strip& s) { return describe(s.deleteGroupAt(1)); }, "false",
         "{1,2} .00....."},
        {"delete all of five", {{0, 0}, {1, 1}, {2, 3}, {4, 5}, {6, 7}},
         [](Strip& s) {
             s.deleteGroupAll();
             return describe(s.isEmptyGroups());
         },
         "true", " ........"},
    };
    create(201, 40, 8);
    for (const GroupCase& c : cases) {
        SCOPED_TRACE(c.label);
        strip.deleteGroupAll();
        for (const auto& [first, last] : c.initial)
            strip.addGroup(first, last);
        EXPECT_EQ(c.action(strip), c.result);
        EXPECT_EQ(groups(), c.groups);
    }
}

TEST_F(GroupTest, QueriesSeeGroupsOnlyAmongTheButtons)
{
    create(201, 40, 8);
    strip.addGroup(1, 3);
    strip.addGroup(5, 6);
    strip.addGroup(7, 12);
    const struct {
        const char* label;
        INT64 result, expected;
    } cases[] = {
        {"isGroupButtons across two groups", strip.isGroupButtons(5, 7), 1},
        {"isGroupButtons over a free button", strip.isGroupButtons(3, 5), 0},
        {"isGroupButtons past the last button", strip.isGroupButtons(7, 8), 0},
        {"boundary: first", strip.isGroupBoundaryButton(1), 1},
        {"boundary: inside", strip.isGroupBoundaryButton(2), 0},
        {"inside", strip.isGroupInsideButton(2), 1},
        {"inside: free button", strip.isGroupInsideButton(4), 0},
        {"group of a button out of range", strip.getGroupFromButtonIndex(8) != nullptr, 0},
        {"next after a group", strip.findNextGroupMarker(3), 5},
        {"next from below the first button", strip.findNextGroupMarker(-5), 1},
        {"next stays among the buttons", strip.findNextGroupMarker(7), -1},
        {"previous", strip.findPrevGroupMarker(5), 3},
        {"previous of the first grouped", strip.findPrevGroupMarker(1), -1},
        {"previous from past the end", strip.findPrevGroupMarker(100), 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(c.result, c.expected);
    }
}

using SelectionTest = StripTest;

TEST_F(SelectionTest, SelectionCoversGroupsAndEveryChangeIsNotified)
{
    const struct {
        const char* label;
        bool multi;
        std::function<void(Strip&)> actions;
        std::vector<INT64> selected;
        INT64 current;
        std::string notified;
    } cases[] = {
        {"a free button", false, [](Strip& s) { s.selectItem(1, true); }, {1}, 1, "cmd click:1"},
        {"a grouped button selects the group, current stays the clicked", false,
         [](Strip& s) { s.setCurSel(3); }, {2, 3, 4}, 3, "cmd click:3"},
        {"selecting the current again only notifies", false,
         [](Strip& s) {
             s.selectItem(1, true);
             s.selectItem(1, true);
         },
         {1}, 1, "cmd click:1 cmd click:1"},
        {"single selection replaces", false,
         [](Strip& s) {
             s.selectItem(1, false);
             s.selectItem(6, false);
         },
         {6}, 6, ""},
        {"multi selection keeps the order", true,
         [](Strip& s) {
             s.selectItem(6, true);
             s.selectItem(3, true);
         },
         {6, 2, 3, 4}, 3, "cmd click:6 cmd click:3"},
        {"unselecting a member drops the group; the current falls back", true,
         [](Strip& s) {
             s.selectItem(6, false);
             s.selectItem(3, false);
             s.unselectItem(2, true);
         },
         {6}, 6, "cmd click:2"},
        {"unselecting a button not selected", true, [](Strip& s) { s.unselectItem(1, true); }, {}, -1, ""},
        {"indices out of range", false,
         [](Strip& s) {
             s.selectItem(8, true);
             s.selectItem(-1, true);
             s.unselectItem(8, true);
         },
         {}, -1, ""},
        {"multi selection off clears the items, not the current", true,
         [](Strip& s) {
             s.selectItem(1, false);
             s.setMultiSelect(false);
         },
         {}, 1, ""},
        {"clearSelectedItems keeps the current", false,
         [](Strip& s) {
             s.selectItem(3, false);
             s.clearSelectedItems(TRUE);
         },
         {}, 3, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        create(201, 40, 8);
        strip.addGroup(2, 4);
        strip.setMultiSelect(c.multi);
        c.actions(strip);
        std::vector<INT64> selected;
        for (INT64 n = -1; n <= strip.getCountSelectItems(); ++n) {
            if (const INT64 button = strip.getSelectIndex(n); button != -1)
                selected.push_back(button);
        }
        EXPECT_EQ(selected, c.selected);
        EXPECT_EQ(strip.getCurSel(), c.current);
        EXPECT_EQ(clicks(), c.notified);
        strip.DestroyWindow();
        strip.clearData();
        strip.setMultiSelect(false);
    }
}

using ImagesTest = StripTest;

TEST_F(ImagesTest, ListsShorterThanTheFirstAreRefusedAndIndicesOutOfRangeIgnored)
{
    EXPECT_TRUE(strip.isEmpty());
    EXPECT_FALSE(strip.addImages(static_cast<CImageList*>(nullptr)));
    ASSERT_TRUE(strip.addImages(makeImages(4)));
    EXPECT_FALSE(strip.isEmpty());
    EXPECT_FALSE(strip.addImages(makeImages(3)));
    EXPECT_TRUE(strip.addImages(makeImages(5)));
    EXPECT_EQ(strip.getCountImages(), 2);
    EXPECT_EQ(strip.getCount(), 4);
    EXPECT_EQ(strip.getImageList(2), nullptr);

    strip.setImageIndex(1, 1);
    for (const auto& [button, list] : {std::pair<INT64, INT64>{1, 2}, {1, -2}, {4, 1}, {-1, 0}})
        strip.setImageIndex(button, list);
    EXPECT_EQ(strip.getImageIndex(1), 1);
    EXPECT_EQ(strip.getImageIndex(4), -1);
    strip.setImageIndex(1, -1);
    EXPECT_EQ(strip.getImageIndex(1), -1);
}

TEST_F(ImagesTest, BitmapResourcesAreCutIntoImagesOfSizesThatFit)
{
    const struct {
        const char* label;
        UINT id;
        int cx, cy;
        bool loaded;
    } cases[] = {
        {"four images", IDB_GROUP_STRIP, 8, 8, true},
        {"no width", IDB_GROUP_STRIP, 0, 8, false},
        {"negative height", IDB_GROUP_STRIP, 8, -1, false},
        {"wider than the bitmap", IDB_GROUP_STRIP, 1 << 20, 8, false},
        {"no such resource", IDB_GROUP_STRIP + 1, 8, 8, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        strip.addGroup(0, 1);
        EXPECT_EQ(strip.loadImages(c.id, c.cx, c.cy, kMask, ILC_COLOR24 | ILC_MASK), c.loaded);
        EXPECT_EQ(strip.getCount(), c.loaded ? 4 : 0);
        EXPECT_TRUE(strip.isEmptyGroups()) << "loadImages starts from nothing";
    }
}

TEST(GroupButtonsPixel, AlphaScalesEachChannelAndClampsToAByte)
{
    const struct {
        float alpha;
        COLORREF expected;
    } cases[] = {
        {0.5f, RGB(100, 50, 25)}, {0.0f, RGB(200, 100, 50)}, {1.0f, RGB(0, 0, 0)},
        {-1.0f, RGB(255, 200, 100)}, {NAN, RGB(0, 0, 0)}, {-INFINITY, RGB(255, 255, 255)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.alpha);
        EXPECT_EQ(TestStrip::_alphaPixel(RGB(200, 100, 50), c.alpha), c.expected);
    }
}

} // namespace

namespace {

using WindowTest = StripTest;

TEST_F(WindowTest, TheClassIsRegisteredForDialogsAndEveryStripGetsAStaticEdge)
{
    create(101, 40, 4);
    HWND placed = ::CreateWindowEx(0, L"QVTGroupButtons", nullptr, WS_CHILD, 0, 0, 50, 20, parent, nullptr,
                                   AfxGetInstanceHandle(), nullptr);
    TestStrip subclassed;
    ASSERT_TRUE(subclassed.SubclassWindow(placed));
    for (const GroupButtons* tested : std::initializer_list<const GroupButtons*>{&strip, &subclassed}) {
        SCOPED_TRACE(tested == &strip ? "created" : "subclassed");
        EXPECT_TRUE(tested->GetExStyle() & WS_EX_STATICEDGE);
    }
    subclassed.DestroyWindow();
}

} // namespace
