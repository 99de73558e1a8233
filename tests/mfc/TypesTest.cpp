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

TEST(CPointCSize, ArithmeticAndConversions)
{
    CPoint p(3, 4);
    const CSize s(10, 20);
    EXPECT_EQ(p + s, CPoint(13, 24));
    EXPECT_EQ(p - s, CPoint(-7, -16));
    EXPECT_EQ(-p, CPoint(-3, -4));
    EXPECT_EQ(CPoint(5, 9) - p, CSize(2, 5));
    EXPECT_EQ(s + p, CPoint(13, 24));
    EXPECT_EQ(s - CSize(1, 2), CSize(9, 18));
    EXPECT_EQ(-s, CSize(-10, -20));
    p += s;
    p -= CPoint(1, 1);
    p.Offset(1, -1);
    EXPECT_EQ(p, CPoint(13, 22));
    EXPECT_TRUE(p != CPoint(13, 23));

    EXPECT_EQ(CPoint(MAKELPARAM(-5, 7)), CPoint(-5, 7));
    EXPECT_EQ(CSize(DWORD(MAKELONG(-2, 3))), CSize(-2, 3));
    EXPECT_EQ(CPoint(), CPoint(0, 0));
    const POINT raw = p;
    EXPECT_EQ(raw.x, 13);
    EXPECT_EQ(CPoint(s), CPoint(10, 20));

    const CRect moved = CPoint(1, 2) + CRect(0, 0, 5, 5);
    ExpectRect(moved, 1, 2, 6, 7);
}

TEST(CRect, AttributesAndPointMembership)
{
    CRect r(10, 20, 40, 60);
    EXPECT_EQ(r.Width(), 30);
    EXPECT_EQ(r.Height(), 40);
    EXPECT_EQ(r.Size(), CSize(30, 40));
    EXPECT_EQ(r.CenterPoint(), CPoint(25, 40));
    r.TopLeft() = CPoint(0, 0);
    r.BottomRight().x = 5;
    ExpectRect(r, 0, 0, 5, 60);

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
}

TEST(CRect, NormalizeSwapsReversedEdges)
{
    CRect r(40, 60, 10, 20);
    r.NormalizeRect();
    ExpectRect(r, 10, 20, 40, 60);
    r.NormalizeRect();
    ExpectRect(r, 10, 20, 40, 60);
}

TEST(CRect, InflateAndDeflateOverloads)
{
    CRect r(10, 10, 20, 20);
    r.InflateRect(1, 2);
    ExpectRect(r, 9, 8, 21, 22);
    r.InflateRect(CSize(1, 1));
    ExpectRect(r, 8, 7, 22, 23);
    r.InflateRect(1, 2, 3, 4);
    ExpectRect(r, 7, 5, 25, 27);
    const RECT margins = {1, 2, 3, 4};
    r.DeflateRect(&margins);
    ExpectRect(r, 8, 7, 22, 23);
    r.InflateRect(&margins);
    r.DeflateRect(1, 2, 3, 4);
    ExpectRect(r, 8, 7, 22, 23);
    r.DeflateRect(CSize(1, 1));
    r.DeflateRect(1, 2);
    ExpectRect(r, 10, 10, 20, 20);
    ExpectRect(r + &margins, 9, 8, 23, 24);
    ExpectRect(r - &margins, 11, 12, 17, 16);
}

TEST(CRect, OffsetAndMove)
{
    CRect r(0, 0, 10, 5);
    r.OffsetRect(2, 3);
    ExpectRect(r, 2, 3, 12, 8);
    r.MoveToX(0);
    r.MoveToY(-1);
    ExpectRect(r, 0, -1, 10, 4);
    r.MoveToXY(CPoint(5, 5));
    ExpectRect(r, 5, 5, 15, 10);
    ExpectRect(r + CPoint(1, 1), 6, 6, 16, 11);
    ExpectRect(r - CSize(5, 5), 0, 0, 10, 5);
    r += CSize(1, 0);
    r -= CPoint(0, 1);
    ExpectRect(r, 6, 4, 16, 9);
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

TEST(CRect, SettersAndComparison)
{
    CRect r;
    r.SetRect(1, 2, 3, 4);
    EXPECT_TRUE(r == CRect(1, 2, 3, 4));
    EXPECT_TRUE(r != CRect(1, 2, 3, 5));
    EXPECT_TRUE(r.EqualRect(CRect(1, 2, 3, 4)));
    r.SetRect(CPoint(5, 6), CPoint(7, 8));
    ExpectRect(r, 5, 6, 7, 8);
    const RECT source = {9, 9, 10, 10};
    r.CopyRect(&source);
    ExpectRect(r, 9, 9, 10, 10);
    r.SetRectEmpty();
    EXPECT_TRUE(r.IsRectNull());
    ExpectRect(CRect(CPoint(1, 2), CSize(3, 4)), 1, 2, 4, 6);
    ExpectRect(CRect(-10, 5, 20, 40).MulDiv(3, 2), -15, 8, 30, 60);

    RECT filled = {};
    ::SetRect(&filled, 0, 0, 0, 0);
    ::CopyRect(&filled, CRect(1, 1, 2, 2));
    ExpectRect(filled, 1, 1, 2, 2);
    CRect target;
    ::SetRect(target, 3, 3, 4, 4);
    ExpectRect(target, 3, 3, 4, 4);
}
