#include <afx.h>

#include <gtest/gtest.h>

namespace {

void ExpectRect(const RECT& rect, int left, int top, int right, int bottom)
{
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.right, right);
    EXPECT_EQ(rect.bottom, bottom);
}

// One row of a rectangle set operation: a op b gives expected, non-empty or not.
struct RectCase {
    const char* name;
    RECT a, b;
    BOOL nonEmpty;
    RECT expected;
};

} // namespace

// Right and bottom edges are outside, as for every Win32 rectangle; a rectangle without area is
// empty but only all zeros is null; MulDiv rounds half away from zero.
TEST(CRect, MembershipEmptinessAndScaling)
{
    const CRect box(0, 0, 10, 10);
    EXPECT_TRUE(box.PtInRect(CPoint(0, 0)));
    EXPECT_TRUE(box.PtInRect(CPoint(9, 9)));
    EXPECT_FALSE(box.PtInRect(CPoint(10, 5)));
    EXPECT_FALSE(box.PtInRect(CPoint(5, 10)));
    EXPECT_FALSE(box.PtInRect(CPoint(-1, 5)));

    EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty());
    EXPECT_TRUE(CRect(9, 0, 5, 9).IsRectEmpty());
    EXPECT_FALSE(CRect(5, 5, 5, 9).IsRectNull());
    EXPECT_TRUE(CRect().IsRectNull());
    ExpectRect(CRect(-10, 5, 20, 40).MulDiv(3, 2), -15, 8, 30, 60);
}

TEST(CRect, NormalizeSwapsReversedEdges)
{
    CRect r(40, 60, 10, 20);
    r.NormalizeRect();
    ExpectRect(r, 10, 20, 40, 60);
    r.NormalizeRect();
    ExpectRect(r, 10, 20, 40, 60);
}

TEST(CRect, IntersectionTreatsEmptyRectanglesAsWin32Does)
{
    const RectCase cases[] = {
        {"overlap", {0, 0, 10, 10}, {5, 5, 20, 20}, TRUE, {5, 5, 10, 10}},
        {"contained", {0, 0, 10, 10}, {2, 3, 4, 5}, TRUE, {2, 3, 4, 5}},
        {"touching edges", {0, 0, 10, 10}, {10, 0, 20, 10}, FALSE, {0, 0, 0, 0}},
        {"disjoint", {0, 0, 10, 10}, {30, 30, 40, 40}, FALSE, {0, 0, 0, 0}},
        {"empty inside", {0, 0, 10, 10}, {5, 5, 5, 8}, FALSE, {0, 0, 0, 0}},
        {"reversed", {10, 10, 0, 0}, {0, 0, 10, 10}, FALSE, {0, 0, 0, 0}},
    };
    for (const RectCase& c : cases) {
        SCOPED_TRACE(c.name);
        CRect result(1, 2, 3, 4);
        EXPECT_EQ(result.IntersectRect(&c.a, &c.b), c.nonEmpty);
        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(CRect(c.a) & c.b, c.expected);
        CRect assigned(c.a);
        assigned &= c.b;
        EXPECT_EQ(assigned, c.expected);
    }
}

TEST(CRect, UnionIgnoresEmptyRectangles)
{
    const RectCase cases[] = {
        {"both", {0, 0, 5, 5}, {10, 10, 20, 15}, TRUE, {0, 0, 20, 15}},
        {"first empty", {-50, -50, -50, 0}, {10, 10, 20, 15}, TRUE, {10, 10, 20, 15}},
        {"second empty", {0, 0, 5, 5}, {100, 100, 90, 200}, TRUE, {0, 0, 5, 5}},
        {"both empty", {0, 0, 0, 5}, {3, 3, 3, 3}, FALSE, {0, 0, 0, 0}},
    };
    for (const RectCase& c : cases) {
        SCOPED_TRACE(c.name);
        CRect result;
        EXPECT_EQ(result.UnionRect(&c.a, &c.b), c.nonEmpty);
        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(CRect(c.a) | c.b, c.expected);
    }
}

TEST(CRect, SubtractRemovesAFullSide)
{
    CRect result;
    const CRect source(0, 0, 10, 10);
    EXPECT_TRUE(result.SubtractRect(source, CRect(5, -1, 11, 11)));
    ExpectRect(result, 0, 0, 5, 10);
    EXPECT_TRUE(result.SubtractRect(source, CRect(2, 2, 4, 4)));
    ExpectRect(result, 0, 0, 10, 10);
    EXPECT_FALSE(result.SubtractRect(source, CRect(-1, -1, 11, 11)));
}
