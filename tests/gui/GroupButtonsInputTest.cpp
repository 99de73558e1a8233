#include "GroupButtonsFixture.h"

#include "qvtest/Input.h"
#include "qvtest/Pump.h"

#include <vector>

using namespace gbtest;
using qvtest::MouseButton;

namespace {

// 201 x 40 with eight buttons: cells from x = 25 * i, 26 wide; markers centred at x = 25 * i + 13,
// y = 35.
class InputTest : public StripTest {
protected:
    void SetUp() override
    {
        create(201, 40, 8);
        ASSERT_TRUE(qvtest::bringToForeground(strip));
        qvtest::pumpUntilIdle();
    }

    static CPoint marker(int button) { return CPoint(25 * button + 13, 35); }
    static CPoint face(int button) { return CPoint(25 * button + 13, 5); }

    void click(CPoint point, MouseButton button = MouseButton::Left)
    {
        qvtest::click(strip, point, button);
        qvtest::pumpUntilIdle();
    }

    void drag(CPoint from, CPoint to)
    {
        qvtest::mouseDown(strip, from);
        qvtest::pumpUntilIdle();
        qvtest::moveMouse(strip, to);
        qvtest::pumpUntilIdle();
        qvtest::mouseUp(strip, to);
        qvtest::pumpUntilIdle();
    }

    CPoint cursor() const
    {
        CPoint point;
        ::GetCursorPos(&point);
        strip.ScreenToClient(&point);
        return point;
    }
};

TEST_F(InputTest, ClicksSelectUnlessTheButtonIsUnselectable)
{
    click(face(1));
    click(face(1) + CPoint(6, 0)); // not a double click
    EXPECT_EQ(clicks(), "cmd click:1 cmd click:1") << "the current selection clicked again";
    EXPECT_TRUE(strip.isSelected(1));

    parent.clear();
    strip.setSelectable(4, false);
    click(face(4));
    drag(marker(4), marker(6));
    EXPECT_EQ(clicks(), "");
    EXPECT_EQ(strip.getCurSel(), 1);
    EXPECT_TRUE(strip.isEmptyGroups()) << "the marker of an unselectable button does not drag";

    strip.setMultiSelect(true);
    strip.addGroup(2, 3);
    click(face(3));
    click(face(2));
    EXPECT_EQ(clicks(), "cmd click:3 cmd click:2");
    EXPECT_FALSE(strip.isSelected(3)) << "the second click on a group unselects it";
    EXPECT_TRUE(strip.isSelected(1));
}

TEST_F(InputTest, RightClicksReportTheButtonOrMarkerUnderTheMouse)
{
    click(face(2), MouseButton::Right);
    click(CPoint(25, 35), MouseButton::Right);
    click(marker(5), MouseButton::Right);
    EXPECT_EQ(clicks(), "rclick:2 rclick:-1 rclick:5");
}

TEST_F(InputTest, TheCursorIsPulledOntoAMarkerOnceUntilItLeavesItsReach)
{
    const struct {
        const char* label;
        CPoint moveTo;
        CPoint cursorAt;
    } steps[] = {
        {"within reach: pulled onto the centre", {marker(2).x + 6, 33}, marker(2)},
        {"still within reach: left alone", {marker(2).x + 6, 33}, {marker(2).x + 6, 33}},
        {"out of reach", {marker(2).x, 10}, {marker(2).x, 10}},
        {"back within reach: pulled again", {marker(2).x - 5, 37}, marker(2)},
        {"the neighbour's reach", {marker(3).x - 6, 35}, marker(3)},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.label);
        qvtest::moveMouse(strip, step.moveTo);
        qvtest::pumpUntilIdle();
        EXPECT_EQ(cursor(), step.cursorAt);
    }
    strip.enableEditMarker(false);
    qvtest::moveMouse(strip, CPoint(marker(6).x + 6, 33));
    qvtest::pumpUntilIdle();
    EXPECT_EQ(cursor(), CPoint(marker(6).x + 6, 33)) << "marker editing off";
}

TEST_F(InputTest, DroppingAMarkerOnAnotherEditsTheGroups)
{
    const struct {
        const char* label;
        std::vector<std::pair<INT64, INT64>> initial;
        int from, to;
        std::string groups;
    } cases[] = {
        {"two free buttons join", {}, 2, 5, "{2,5} ..0000.."},
        {"a button leaves its group", {{2, 5}}, 3, 3, "{4,5} ....00.."},
        {"two groups merge", {{0, 1}, {3, 4}}, 1, 3, "{0,4} 00000..."},
        {"a group is cut between the two", {{0, 6}}, 2, 4, "{0,1}{5,6} 00...11."},
        {"a group grows to a free button", {{0, 1}}, 1, 3, "{0,3} 0000...."},
        {"a free button joins the group it is dropped on", {{4, 6}}, 2, 4, "{2,6} ..00000."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        strip.deleteGroupAll();
        for (const auto& [first, last] : c.initial)
            strip.addGroup(first, last);
        drag(marker(c.from), marker(c.to));
        EXPECT_EQ(groups(), c.groups);
    }
}

TEST_F(InputTest, ADraggedMarkerCannotPassTheGroupsOnEitherSide)
{
    strip.addGroup(0, 1);
    strip.addGroup(6, 7);
    qvtest::mouseDown(strip, marker(3));
    qvtest::pumpUntilIdle();
    qvtest::moveMouse(strip, CPoint(marker(0).x + 2, 10));
    qvtest::pumpUntilIdle();
    EXPECT_EQ(cursor(), marker(1)) << "stopped at the previous group";
    qvtest::moveMouse(strip, CPoint(marker(7).x - 2, 10));
    qvtest::pumpUntilIdle();
    EXPECT_EQ(cursor(), marker(6)) << "stopped at the next group";
    qvtest::mouseUp(strip, CPoint(100, 10));
    qvtest::pumpUntilIdle();
    EXPECT_EQ(groups(), "{0,1}{6,7} 00....11") << "released away from any marker";
}

TEST_F(InputTest, HoverLightsTheGroupUnderTheMouseUntilItLeaves)
{
    strip.addGroup(2, 3);
    const auto faceColor = [this](int button) {
        qvtest::DibSurface surface(201, 40);
        paint(surface);
        return surface.pixel(face(button).x, 22);
    };
    qvtest::moveMouse(strip, face(2));
    qvtest::pumpFor(50);
    EXPECT_EQ(faceColor(3), strip.getColorFocus());
    EXPECT_EQ(faceColor(4), strip.getColorNormal());
    qvtest::moveMouse(parent, CPoint(300, 150));
    qvtest::pumpFor(200);
    EXPECT_EQ(faceColor(3), strip.getColorNormal()) << "after leaving";
}

} // namespace
