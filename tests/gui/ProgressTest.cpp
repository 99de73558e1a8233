#include "qvtest/DibSurface.h"

#include <qv.win/Progress.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

using qvtest::DibSurface;
using namespace qv::gui;
using namespace qvtest::colors;

namespace {

constexpr COLORREF kYellow = RGB(255, 255, 0);

// One text output: the span it was clipped to, the text and the colour it was drawn in.
struct ClippedText {
    int spanStart, spanEnd;
    std::wstring text;
    COLORREF color;

    bool operator==(const ClippedText&) const = default;
};

void PrintTo(const ClippedText& t, std::ostream* os)
{
    *os << "{" << t.spanStart << ".." << t.spanEnd << " \"" << testing::PrintToString(t.text) << "\" 0x" << std::hex
        << t.color << std::dec << "}";
}

// Records the position protocol and the text outputs; can veto position changes.
class RecordingProgress : public Progress {
public:
    using Progress::UpdatePos;

    BOOL OnPosChanging(int nOldPos, int nNewPos) override
    {
        changing.emplace_back(nOldPos, nNewPos);
        return allowChange;
    }

    void OnPosChanged(int nNewPos) override { changed.push_back(nNewPos); }

    void DrawClippedText(const CDrawInfo& info, const CRect& rcSpan, CString& text, const CPoint& ptWindowOrg) override
    {
        texts.push_back({rcSpan.left, rcSpan.right, std::wstring(LPCWSTR(text)), info.pDC->GetTextColor()});
        Progress::DrawClippedText(info, rcSpan, text, ptWindowOrg);
    }

    BOOL allowChange = TRUE;
    std::vector<std::pair<int, int>> changing;
    std::vector<int> changed;
    std::vector<ClippedText> texts;
};

// A painter with a white background and a solid bar brush or a one-colour gradient.
class ProgressPaint : public testing::Test {
protected:
    ProgressPaint() : surface(240, 240, kGreen)
    {
        barBrush.CreateSolidBrush(kRed);
        progress.SetBkColor(kWhite);
        progress.SetGradientColors(kBlue, kBlue);
        font.CreateFont(-20, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                        CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
    }

    // The red channel along a row.
    std::vector<int> reds(int y, int from, int to) const
    {
        std::vector<int> values;
        for (int x = from; x < to; ++x)
            values.push_back(GetRValue(surface.pixel(x, y)));
        return values;
    }

    DibSurface surface;
    CBrush barBrush;
    CFont font;
    RecordingProgress progress;
};

TEST_F(ProgressPaint, BarCoverageForEachOrientation)
{
    struct Case {
        const char* name;
        DWORD style;
        CRect rect, borders, expected;
    };
    const Case cases[] = {
        {"normal", 0, CRect(10, 10, 210, 30), CRect(), CRect(10, 10, 110, 30)},
        {"reverse", PBS_REVERSE, CRect(10, 10, 210, 30), CRect(), CRect(110, 10, 210, 30)},
        {"vertical", PBS_VERTICAL, CRect(10, 10, 30, 210), CRect(), CRect(10, 110, 30, 210)},
        {"vertical reverse", PBS_VERTICAL | PBS_REVERSE, CRect(10, 10, 30, 210), CRect(), CRect(10, 10, 30, 110)},
        {"borders", 0, CRect(10, 10, 210, 30), CRect(6, 3, 4, 2), CRect(16, 13, 111, 28)},
        {"vertical borders", PBS_VERTICAL, CRect(10, 10, 30, 210), CRect(1, 10, 2, 20), CRect(11, 105, 28, 190)},
    };
    for (BOOL useBrush : {TRUE, FALSE}) {
        for (BOOL direct : {FALSE, TRUE}) {
            for (const Case& c : cases) {
                SCOPED_TRACE(testing::Message() << c.name << (useBrush ? ", brush" : ", gradient")
                                                << (direct ? ", direct" : ", buffered"));
                surface.fill(kGreen);
                progress.ModifyBarStyle(PBS_VERTICAL | PBS_REVERSE, c.style);
                progress.SetBorders(c.borders);
                progress.SetBarBrush(useBrush ? &barBrush : nullptr);
                progress.SetPos(50);
                progress.Draw(surface.dc(), c.rect, direct);
                EXPECT_FALSE(surface.dc()->IsPrinting());
                EXPECT_EQ(c.expected, surface.boundsOf(useBrush ? kRed : kBlue));
                EXPECT_EQ(c.rect, surface.boundsOf([](COLORREF color) { return color != kGreen; }));
            }
        }
    }
}

TEST_F(ProgressPaint, BarAreaNarrowerThanItsBordersTakesPositionsAsTheyAre)
{
    // Borders wider than the rectangle leave a bar area 2 pixels wide the wrong way round; half the
    // range ends the bar at position -1, which is a position and not "up to the end".
    progress.SetBarBrush(&barBrush);
    progress.SetBorders(CRect(6, 0, 6, 0));
    progress.SetPos(50);
    progress.Draw(surface.dc(), CRect(10, 10, 20, 30));

    DibSurface expected(surface.width(), surface.height(), kGreen);
    expected.dc()->FillSolidRect(CRect(10, 10, 20, 30), kWhite);
    expected.dc()->FillRect(CRect(16, 10, 15, 30), &barBrush);
    EXPECT_EQ(expected.boundsOf(kRed), surface.boundsOf(kRed));
}

TEST_F(ProgressPaint, AnimatedBarNarrowerThanItsBordersPaintsAsStill)
{
    progress.SetGradientColors(kBlack, RGB(200, 0, 0));
    progress.SetBorders(CRect(6, 0, 6, 0));
    progress.SetPos(100);
    const CRect rect(10, 10, 20, 30);
    progress.Draw(surface.dc(), rect);
    DibSurface still(surface.width(), surface.height(), kGreen);
    still.dc()->BitBlt(0, 0, surface.width(), surface.height(), surface.dc(), 0, 0, SRCCOPY);

    for (int step : {60, 25}) {
        SCOPED_TRACE(step);
        progress.Animate(step);
        surface.fill(kGreen);
        progress.Draw(surface.dc(), rect);
        EXPECT_EQ(still.row(20, 0, 40), surface.row(20, 0, 40));
    }
}

TEST_F(ProgressPaint, RangesWiderThanAnIntegerHoldTheBar)
{
    struct Case {
        const char* name;
        int lower, upper, pos;
        CRect expected;
    };
    const Case cases[] = {
        {"whole integer range", INT_MIN, INT_MAX, 0, CRect(10, 10, 110, 30)},
        {"at the top", INT_MIN, INT_MAX, INT_MAX, CRect(10, 10, 210, 30)},
        {"negative half", INT_MIN, 0, INT_MIN / 4, CRect(10, 10, 160, 30)},
    };
    progress.SetBarBrush(&barBrush);
    progress.SetShowPercent(TRUE);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        surface.fill(kGreen);
        progress.SetRange(c.lower, c.upper);
        progress.SetPos(c.pos);
        progress.Animate(INT_MAX);
        progress.Draw(surface.dc(), CRect(10, 10, 210, 30));
        EXPECT_EQ(c.expected, surface.boundsOf(kRed));
        const int percent = (c.expected.Width() * 100) / 200;
        ASSERT_FALSE(progress.texts.empty());
        EXPECT_EQ(std::to_wstring(percent) + L"%", progress.texts.back().text);
    }
}

TEST_F(ProgressPaint, GradientRevealedOrSqueezed)
{
    progress.SetGradientColors(kBlack, RGB(200, 0, 0));
    progress.SetPos(50);
    const CRect rect(0, 0, 100, 10);

    progress.Draw(surface.dc(), rect);
    EXPECT_EQ(0, GetRValue(surface.pixel(0, 5)));
    EXPECT_EQ(98, GetRValue(surface.pixel(49, 5)));
    EXPECT_EQ(kWhite, surface.pixel(50, 5));

    progress.SetRubberBar(TRUE);
    progress.Draw(surface.dc(), rect);
    EXPECT_EQ(196, GetRValue(surface.pixel(49, 5)));

    progress.SetRubberBar(FALSE);
    progress.SetReverse(TRUE);
    progress.Draw(surface.dc(), rect);
    EXPECT_EQ(0, GetRValue(surface.pixel(99, 5)));
    EXPECT_EQ(98, GetRValue(surface.pixel(50, 5)));
    EXPECT_EQ(kWhite, surface.pixel(49, 5));
}

TEST_F(ProgressPaint, AnimationScrollsTheGradientCyclically)
{
    progress.SetGradientColors(kBlack, RGB(200, 0, 0));
    progress.SetPos(100);
    const CRect rect(0, 0, 100, 10);
    auto expected = [](int offset) {
        std::vector<int> values;
        for (int x = 0; x < 100; ++x)
            values.push_back(2 * ((x - offset + 100) % 100));
        return values;
    };

    progress.Animate(25);
    progress.Draw(surface.dc(), rect);
    EXPECT_EQ(expected(25), reds(5, 0, 100));

    progress.Animate(80);
    progress.Draw(surface.dc(), rect);
    EXPECT_EQ(expected(5), reds(5, 0, 100));

    progress.ResetAnimation();
    progress.Draw(surface.dc(), rect);
    EXPECT_EQ(expected(0), reds(5, 0, 100));
}

TEST_F(ProgressPaint, EmptyRangeLeavesTheAnimationAtZero)
{
    progress.SetGradientColors(kBlack, RGB(200, 0, 0));
    progress.Animate(30);
    progress.SetRange(7, 7);
    progress.Animate(10);
    progress.Draw(surface.dc(), CRect(0, 0, 100, 10));
    EXPECT_EQ(CRect(0, 0, 100, 10), surface.boundsOf(kWhite));

    progress.SetRange(0, 100);
    progress.SetPos(100);
    progress.Draw(surface.dc(), CRect(0, 0, 100, 10));
    EXPECT_EQ(0, GetRValue(surface.pixel(0, 5)));
    EXPECT_EQ(198, GetRValue(surface.pixel(99, 5)));
}

TEST_F(ProgressPaint, TransparentBackgroundKeepsWhatIsBehind)
{
    progress.SetBkColor(CLR_NONE);
    progress.SetBarBrush(&barBrush);
    progress.SetPos(50);
    progress.Draw(surface.dc(), CRect(10, 10, 210, 30));
    EXPECT_EQ(CRect(10, 10, 110, 30), surface.boundsOf(kRed));
    EXPECT_EQ(kGreen, surface.pixel(150, 20));
    EXPECT_EQ(CRect(), surface.boundsOf(kWhite));
}

TEST_F(ProgressPaint, ShapeClipsThePainting)
{
    progress.SetBarBrush(&barBrush);
    progress.SetPos(100);
    ASSERT_TRUE(progress.SetShape(::CreateRectRgn(0, 0, 50, 20)));
    progress.Draw(surface.dc(), CRect(10, 10, 210, 30));
    surface.dc()->SelectClipRgn(nullptr);
    EXPECT_EQ(CRect(10, 10, 60, 30), surface.boundsOf(kRed));

    EXPECT_TRUE(progress.SetShape(nullptr));
    progress.Draw(surface.dc(), CRect(10, 10, 210, 30));
    EXPECT_EQ(CRect(10, 10, 210, 30), surface.boundsOf(kRed));
}

// Text over a blue bar: yellow over the bar, red over the white background.
class ProgressText : public ProgressPaint {
protected:
    ProgressText()
    {
        barBrush.DeleteObject();
        barBrush.CreateSolidBrush(kBlue);
        progress.SetBarBrush(&barBrush);
        progress.SetFont(&font);
        progress.SetTextColor(kYellow, kRed);
        progress.SetShowPercent(TRUE);
    }
};

TEST_F(ProgressText, PercentInTheBarColourOverTheBar)
{
    progress.SetRange(0, 200);
    progress.SetPos(100);
    progress.Draw(surface.dc(), CRect(20, 10, 220, 40));

    const ClippedText background{0, 200, L"50%", kRed};
    const ClippedText bar{0, 100, L"50%", kYellow};
    EXPECT_EQ((std::vector<ClippedText>{background, bar}), progress.texts);
    EXPECT_NEAR(120, (surface.boundsOf(kYellow).left + surface.boundsOf(kRed).right) / 2, 3);
}

TEST_F(ProgressText, TwoColoursInEveryOrientation)
{
    struct Case {
        const char* name;
        DWORD style;
        int escapement;
        CRect rect, bar, background;
    };
    const Case cases[] = {
        {"left to right", 0, 0, CRect(20, 10, 220, 50), CRect(20, 10, 120, 50), CRect(120, 10, 220, 50)},
        {"right to left, upside down", PBS_REVERSE, 1800, CRect(20, 10, 220, 50), CRect(120, 10, 220, 50),
         CRect(20, 10, 120, 50)},
        {"bottom to top", PBS_VERTICAL, 900, CRect(10, 20, 50, 220), CRect(10, 120, 50, 220), CRect(10, 20, 50, 120)},
        {"top to bottom", PBS_VERTICAL | PBS_REVERSE, 2700, CRect(10, 20, 50, 220), CRect(10, 20, 50, 120),
         CRect(10, 120, 50, 220)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CFont rotated;
        rotated.CreateFont(-20, 0, c.escapement, c.escapement, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
        progress.SetFont(&rotated);
        progress.ModifyBarStyle(PBS_VERTICAL | PBS_REVERSE, c.style);
        progress.SetPos(50);
        surface.fill(kGreen);
        progress.Draw(surface.dc(), c.rect);

        const CRect yellow = surface.boundsOf(kYellow);
        const CRect red = surface.boundsOf(kRed);
        ASSERT_FALSE(yellow.IsRectEmpty());
        ASSERT_FALSE(red.IsRectEmpty());
        CRect inside;
        EXPECT_TRUE(inside.IntersectRect(yellow, c.bar) && inside == yellow) << "yellow ink outside the bar";
        EXPECT_TRUE(inside.IntersectRect(red, c.background) && inside == red) << "red ink over the bar";
    }
}

TEST_F(ProgressText, FormattedByMode)
{
    struct Case {
        const char* name;
        LPCWSTR pattern;
        DWORD mode;
        const wchar_t* expected; // null: no text
    };
    const Case cases[] = {
        {"percent", L"", PBS_SHOW_PERCENT, L"25%"},
        {"position", L"", PBS_SHOW_POSITION, L"50"},
        {"own pattern", L"at %d of 200", PBS_SHOW_POSITION, L"at 50 of 200"},
        {"percent pattern", L"%d percent", PBS_SHOW_PERCENT, L"25 percent"},
        {"both modes", L"%d", PBS_SHOW_PERCENT | PBS_SHOW_POSITION, nullptr},
        {"no mode", L"%d", 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        progress.ModifyBarStyle(PBS_TEXTMODE_MASK, c.mode);
        progress.SetText(c.pattern);
        progress.SetRange(0, 200);
        progress.SetPos(50);
        progress.texts.clear();
        progress.Draw(surface.dc(), CRect(0, 0, 200, 30));
        if (c.expected == nullptr) {
            EXPECT_TRUE(progress.texts.empty());
        } else {
            ASSERT_FALSE(progress.texts.empty());
            EXPECT_EQ(c.expected, progress.texts.front().text);
        }
    }
}

TEST_F(ProgressText, OneColourDrawsOnce)
{
    progress.SetTextColor(kYellow);
    progress.SetPos(50);
    progress.Draw(surface.dc(), CRect(0, 0, 200, 30));
    EXPECT_EQ((std::vector<ClippedText>{{0, 200, L"50%", kYellow}}), progress.texts);
}

TEST_F(ProgressText, TiedTextFollowsTheBarOrStaysAway)
{
    progress.SetTiedText(TRUE);
    progress.SetPos(5);
    progress.Draw(surface.dc(), CRect(0, 0, 200, 30));
    EXPECT_TRUE(progress.texts.empty());
    EXPECT_EQ(CRect(), surface.boundsOf(kYellow));
    EXPECT_EQ(CRect(), surface.boundsOf(kRed));

    progress.SetPos(80);
    progress.Draw(surface.dc(), CRect(0, 0, 200, 30));
    EXPECT_EQ((std::vector<ClippedText>{{0, 160, L"80%", kYellow}}), progress.texts);
    const CRect yellow = surface.boundsOf(kYellow);
    EXPECT_NEAR(80, (yellow.left + yellow.right) / 2, 3);
}

TEST_F(ProgressText, AlignedToTheNamedEdges)
{
    struct Case {
        const char* name;
        DWORD align;
        LONG RECT::*keptEdge; // the edge the text keeps to
        LONG RECT::*oppositeEdge;
    };
    const Case cases[] = {
        {"left", PBS_LEFT | PBS_VCENTER, &CRect::left, &CRect::right},
        {"right", PBS_RIGHT | PBS_VCENTER, &CRect::right, &CRect::left},
        {"top", PBS_CENTER | PBS_TOP, &CRect::top, &CRect::bottom},
        {"bottom", PBS_CENTER | PBS_BOTTOM, &CRect::bottom, &CRect::top},
    };
    const CRect rect(10, 10, 210, 110);
    progress.SetTextColor(kRed);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        surface.fill(kGreen);
        progress.SetTextAlign(c.align);
        progress.Draw(surface.dc(), rect);
        const CRect text = surface.boundsOf(kRed);
        ASSERT_FALSE(text.IsRectEmpty());
        // The ink sits a few pixels inside the text cell.
        EXPECT_LE(std::abs(text.*c.keptEdge - rect.*c.keptEdge), 6);
        EXPECT_GE(std::abs(text.*c.oppositeEdge - rect.*c.oppositeEdge), 50);
    }
}

TEST_F(ProgressText, CentredInEveryOrientation)
{
    progress.SetTextFormat(L"Vertical %d", PBS_SHOW_POSITION);
    progress.SetTextColor(kRed);
    const CRect rect(20, 20, 220, 220);
    for (int escapement : {0, 900, 1800, 2700}) {
        SCOPED_TRACE(escapement);
        CFont rotated;
        rotated.CreateFont(-20, 0, escapement, escapement, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
        progress.SetFont(&rotated);
        surface.fill(kGreen);
        progress.Draw(surface.dc(), rect);
        const CRect text = surface.boundsOf(kRed);
        ASSERT_FALSE(text.IsRectEmpty());
        const bool upright = escapement % 1800 == 0;
        EXPECT_EQ(upright, text.Width() > text.Height());
        EXPECT_NEAR(rect.CenterPoint().x, text.CenterPoint().x, 5);
        EXPECT_NEAR(rect.CenterPoint().y, text.CenterPoint().y, 5);
    }
}

TEST(ProgressPosition, RangeAndPositionProtocol)
{
    RecordingProgress progress;
    progress.SetRange(100, 0);
    int lower = -1, upper = -1;
    progress.GetRange(lower, upper);
    EXPECT_EQ(0, lower);
    EXPECT_EQ(100, upper);

    EXPECT_EQ(0, progress.SetPos(150));
    EXPECT_EQ(100, progress.GetPos());
    EXPECT_EQ(100, progress.SetPos(100));
    EXPECT_EQ(100, progress.OffsetPos(-500));
    EXPECT_EQ(0, progress.GetPos());
    EXPECT_EQ(10, progress.SetStep(25));
    EXPECT_EQ(0, progress.StepIt());
    EXPECT_EQ(25, progress.GetPos());
    progress.SetRange(0, 20);
    EXPECT_EQ(20, progress.GetPos());

    const std::vector<std::pair<int, int>> changing{{0, 100}, {100, 0}, {0, 25}, {25, 20}};
    EXPECT_EQ(changing, progress.changing);
    EXPECT_EQ((std::vector<int>{100, 0, 25, 20}), progress.changed);
}

TEST(ProgressPosition, OffsetsBeyondTheIntegerRangeStopAtTheLimits)
{
    struct Case {
        const char* name;
        int lower, upper, start, step;
        std::vector<int> positions; // after each StepIt
    };
    const Case cases[] = {
        {"largest step", 0, INT_MAX, 0, INT_MAX, {INT_MAX, INT_MAX}},
        {"largest step from the middle", -100, INT_MAX, 50, INT_MAX, {INT_MAX, INT_MAX}},
        {"smallest step", INT_MIN, 0, 0, INT_MIN, {INT_MIN, INT_MIN}},
        {"smallest step from above", INT_MIN, 100, 50, INT_MIN, {INT_MIN + 50, INT_MIN}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Progress progress;
        progress.SetRange(c.lower, c.upper);
        progress.SetPos(c.start);
        progress.SetStep(c.step);
        std::vector<int> positions;
        for (size_t i = 0; i < c.positions.size(); ++i) {
            progress.StepIt();
            positions.push_back(progress.GetPos());
        }
        EXPECT_EQ(c.positions, positions);
    }
}

TEST(ProgressPosition, VetoKeepsThePositionUnlessForced)
{
    RecordingProgress progress;
    progress.allowChange = FALSE;
    EXPECT_EQ(0, progress.SetPos(40));
    EXPECT_EQ(0, progress.OffsetPos(10));
    EXPECT_EQ(0, progress.GetPos());
    EXPECT_EQ((std::vector<std::pair<int, int>>{{0, 40}, {0, 10}}), progress.changing);
    EXPECT_TRUE(progress.changed.empty());

    progress.UpdatePos(300, TRUE);
    EXPECT_EQ(100, progress.GetPos());
    EXPECT_EQ((std::vector<int>{100}), progress.changed);
}

TEST(ProgressSnake, RunsPastTheEndThenComesBackReversed)
{
    RecordingProgress progress;
    progress.SetSnake(TRUE);
    EXPECT_EQ(PBS_SNAKE | PBS_RUBBER_BAR, progress.GetBarStyle() & (PBS_SNAKE | PBS_RUBBER_BAR));
    struct Step {
        int pos;
        bool reversed;
    };
    std::vector<Step> expected;
    for (int i = 1; i <= 10; ++i)
        expected.push_back({10 * i, false});
    for (int i = 0; i < 4; ++i) // the head runs on to 140 while the tail catches up
        expected.push_back({100, false});
    for (int pos : {10, 20, 30})
        expected.push_back({pos, true});
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "step " << i + 1);
        progress.StepIt();
        EXPECT_EQ(expected[i].pos, progress.GetPos());
        EXPECT_EQ(expected[i].reversed, progress.GetReverse() != 0);
    }
    EXPECT_EQ(13u, progress.changed.size());
}

TEST(ProgressSnake, NegativeStepAdvancesToo)
{
    RecordingProgress progress;
    progress.SetSnake(TRUE);
    progress.OffsetPos(-30);
    EXPECT_EQ(30, progress.GetPos());
    progress.SetPos(70);
    EXPECT_EQ(70, progress.GetPos());
    progress.SetSnake(FALSE);
    EXPECT_EQ(0u, progress.GetBarStyle() & (PBS_SNAKE | PBS_RUBBER_BAR));
}

TEST_F(ProgressPaint, SnakeCoversItsTailAndFlipsWithReverse)
{
    progress.SetBarBrush(&barBrush);
    progress.SetSnake(TRUE);
    const CRect rect(0, 0, 100, 10);
    struct Case {
        int steps;
        CRect expected;
    };
    // Tail 40, step 10: after 6 steps the head is at 60; after 12 at 120 (tail at 80); after
    // 17 it has wrapped to 30 and runs back from the right edge.
    const Case cases[] = {{6, CRect(20, 0, 60, 10)}, {6, CRect(80, 0, 100, 10)}, {5, CRect(70, 0, 100, 10)}};
    for (const Case& c : cases) {
        for (int i = 0; i < c.steps; ++i)
            progress.StepIt();
        SCOPED_TRACE(progress.GetPos());
        surface.fill(kGreen);
        progress.Draw(surface.dc(), rect);
        EXPECT_EQ(c.expected, surface.boundsOf(kRed));
    }
    EXPECT_NE(0u, progress.GetReverse());
}

TEST(ProgressStyle, TextModeFollowsThePattern)
{
    Progress progress;
    progress.SetShowPercent(TRUE);
    EXPECT_EQ(CString(L"%d%%"), progress.GetText());

    progress.SetTextFormat(L"%d items", PBS_SHOW_POSITION);
    EXPECT_EQ(PBS_SHOW_POSITION, progress.GetBarStyle() & PBS_TEXTMODE_MASK);
    progress.SetTextFormat(L"", PBS_SHOW_POSITION);
    EXPECT_EQ(0u, progress.GetBarStyle() & PBS_TEXTMODE_MASK);
    EXPECT_TRUE(progress.GetText().IsEmpty());

    progress.SetTextAlign(PBS_LEFT | PBS_SNAKE);
    EXPECT_EQ(PBS_LEFT, progress.GetTextAlign());
    EXPECT_EQ(0u, progress.GetSnake());
}

} // namespace
