#include <afx.h>

#include <gtest/gtest.h>

// The set operations are Win32's (empty rectangles take no part); the operators must use them.
TEST(CRect, OperatorsFollowTheWin32SetOperations)
{
    const struct {
        const char* name;
        RECT a, b;
        RECT intersection, union_;
    } cases[] = {
        {"overlap", {0, 0, 10, 10}, {5, 5, 20, 20}, {5, 5, 10, 10}, {0, 0, 20, 20}},
        {"touching edges", {0, 0, 10, 10}, {10, 0, 20, 10}, {0, 0, 0, 0}, {0, 0, 20, 10}},
        {"second empty", {0, 0, 10, 10}, {5, 5, 5, 8}, {0, 0, 0, 0}, {0, 0, 10, 10}},
        {"both empty", {0, 0, 0, 5}, {10, 10, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CRect(c.a) & c.b, c.intersection);
        EXPECT_EQ(CRect(c.a) | c.b, c.union_);
        CRect assigned(c.a);
        assigned &= c.b;
        EXPECT_EQ(assigned, c.intersection);
    }
}

TEST(CRect, NormalizeSwapsReversedEdges)
{
    CRect r(40, 60, 10, 20);
    r.NormalizeRect();
    EXPECT_EQ(r, CRect(10, 20, 40, 60));
    r.NormalizeRect();
    EXPECT_EQ(r, CRect(10, 20, 40, 60));
    EXPECT_EQ(CRect(-10, 5, 20, 40).MulDiv(3, 2), CRect(-15, 8, 30, 60)) << "MulDiv rounds half away from zero";
}
