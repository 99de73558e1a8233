#include "qvtest/DibSurface.h"
#include "Runs.h"

#include <qv.win/Gradient.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <iterator>
#include <limits>
#include <utility>

using qv::gui::GradElementArray;
using qv::gui::Gradient;
using qvtest::DibSurface;
using namespace qvtest::colors;

namespace {

constexpr UINT kAll = Gradient::kNoColorLimit;

// Records every run list that painting computes.
class RecordingGradient : public Gradient {
public:
    void CalcShiftedGradient(GradElementArray& runs, int nShift, int nSize, int nStart, int nEnd,
                             UINT nMaxColors) override
    {
        Gradient::CalcShiftedGradient(runs, nShift, nSize, nStart, nEnd, nMaxColors);
        painted = toRuns(runs);
    }

    Runs painted;
};

// A gradient whose full run list is fixed, to drive the rotation with known runs.
class FixedRunsGradient : public Gradient {
public:
    explicit FixedRunsGradient(Runs runs) : m_runs(std::move(runs)) { SetGradientColors(kBlack, kWhite); }

    void CalcMultiGradient(GradElementArray& runs, int, int, int, UINT) override
    {
        for (Run run : m_runs) {
            qv::gui::GradElement element{run.color, run.length};
            runs.Add(element);
        }
    }

private:
    Runs m_runs;
};

Runs calGradient(COLORREF from, COLORREF to, int size, int start, int end, UINT maxColors)
{
    Gradient gradient;
    GradElementArray runs;
    gradient.CalGradient(runs, from, to, size, start, end, maxColors);
    return toRuns(runs);
}

Runs multiGradient(Gradient& gradient, int size, int start, int end, UINT maxColors = kAll)
{
    GradElementArray runs;
    gradient.CalcMultiGradient(runs, size, start, end, maxColors);
    return toRuns(runs);
}

Runs shiftedGradient(Gradient& gradient, int shift, int size, int start, int end)
{
    GradElementArray runs;
    gradient.CalcShiftedGradient(runs, shift, size, start, end, kAll);
    return toRuns(runs);
}

COLORREF red(int value)
{
    return RGB(value, 0, 0);
}

COLORREF grey(int value)
{
    return RGB(value, value, value);
}

TEST(CalGradient, BandsPerColourStepPixelAndLimit)
{
    struct Case {
        const char* name;
        COLORREF from, to;
        int size, start, end;
        UINT maxColors;
        Runs expected;
    };
    const Case cases[] = {
        {"four steps over ten pixels", kBlack, red(4), 10, 0, -1, kAll,
         {{red(0), 2}, {red(1), 3}, {red(2), 2}, {red(3), 3}}},
        {"clipped to 3..6", kBlack, red(4), 10, 3, 6, kAll, {{red(1), 2}, {red(2), 1}}},
        {"band ending at start kept empty", kBlack, red(4), 10, 2, -1, kAll,
         {{red(0), 0}, {red(1), 3}, {red(2), 2}, {red(3), 3}}},
        {"equal colours", grey(9), grey(9), 50, 0, -1, kAll, {{grey(9), 50}}},
        {"three colours allowed", kBlack, kWhite, 300, 0, -1, 3, {{grey(0), 100}, {grey(85), 100}, {grey(170), 100}}},
        {"falling channels", kWhite, kBlack, 300, 0, -1, 3, {{grey(255), 100}, {grey(170), 100}, {grey(85), 100}}},
        {"fewer pixels than steps", kBlack, kWhite, 4, 0, -1, kAll,
         {{grey(0), 1}, {grey(63), 1}, {grey(127), 1}, {grey(191), 1}}},
        {"channels step on their own", RGB(10, 200, 0), RGB(12, 100, 0), 2, 0, -1, kAll,
         {{RGB(10, 200, 0), 1}, {RGB(11, 150, 0), 1}}},
        {"end before the first band ends", kBlack, red(4), 10, 0, 1, kAll, {{red(0), 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, calGradient(c.from, c.to, c.size, c.start, c.end, c.maxColors));
    }
}

TEST(CalcMultiGradient, IntervalsShareTheSize)
{
    struct Case {
        const char* name;
        int size, start, end;
        UINT maxColors;
        double firstShare, secondShare;
        Runs expected;
    };
    const COLORREF yellowish0 = RGB(2, 0, 0);
    const COLORREF yellowish1 = RGB(2, 1, 0);
    const Case cases[] = {
        {"equal shares", 8, 0, -1, kAll, 1, 1, {{red(0), 2}, {red(1), 2}, {yellowish0, 2}, {yellowish1, 2}}},
        {"clipped across the boundary", 8, 3, 6, kAll, 1, 1, {{red(1), 1}, {yellowish0, 2}}},
        {"clipped to the second interval", 8, 5, -1, kAll, 1, 1, {{yellowish0, 1}, {yellowish1, 2}}},
        {"shares 3:1", 8, 0, -1, kAll, 3, 1, {{red(0), 3}, {red(1), 3}, {yellowish0, 1}, {yellowish1, 1}}},
        {"colour limit split among intervals", 8, 0, -1, 3, 1, 1, {{red(0), 4}, {yellowish0, 4}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Gradient gradient;
        gradient.SetGradientColorsX(3, kBlack, RGB(2, 0, 0), RGB(2, 2, 0));
        gradient.SetColorsStretch(c.firstShare, c.secondShare);
        EXPECT_EQ(c.expected, multiGradient(gradient, c.size, c.start, c.end, c.maxColors));
    }
}

TEST(CalcMultiGradient, NoColourGivesNothingOneColourOneRun)
{
    Gradient gradient;
    EXPECT_TRUE(multiGradient(gradient, 50, 0, -1).empty());
    COLORREF first = 0, second = 0;
    gradient.GetGradientColors(first, second);
    EXPECT_EQ(CLR_NONE, first);
    EXPECT_EQ(CLR_NONE, second);

    gradient.AddColor(red(7));
    gradient.SetColorsStretch(5.0);
    EXPECT_EQ((Runs{{red(7), 40}}), multiGradient(gradient, 50, 10, -1));
    EXPECT_EQ((Runs{{red(7), 10}}), multiGradient(gradient, 50, 10, 20));
}

TEST(CalcMultiGradient, AddedColourGetsTheMeanShare)
{
    Gradient gradient;
    for (COLORREF color : {red(0), red(1), red(2), red(3)})
        gradient.AddColor(color);
    // One colour step per interval: one run per interval, as long as its share.
    EXPECT_EQ((Runs{{red(0), 100}, {red(1), 100}, {red(2), 100}}), multiGradient(gradient, 300, 0, -1));

    gradient.SetColorsStretch(2.0, 1.0, 1.0);
    gradient.AddColor(red(4));
    // Shares 50, 25, 25 and a new one of 33.3, normalised to sum 100.
    const Runs runs = multiGradient(gradient, 1000, 0, -1);
    ASSERT_EQ(4u, runs.size());
    EXPECT_EQ(375, runs[0].length);
    EXPECT_EQ(250, runs[3].length);
}

TEST(CalcShiftedGradient, RotatesTheRunsTowardTheEnd)
{
    const COLORREF c1 = red(1), c2 = red(2), c3 = red(3);
    struct Case {
        const char* name;
        int shift, start, end;
        Runs expected;
    };
    const Case cases[] = {
        {"half way", 50, 0, -1, {{c2, 10}, {c3, 40}, {c1, 30}, {c2, 20}}},
        {"clipped", 50, 20, 60, {{c3, 30}, {c1, 10}}},
        {"exactly one run", 40, 0, -1, {{c3, 40}, {c1, 30}, {c2, 30}}},
        {"negative", -10, 0, -1, {{c1, 20}, {c2, 30}, {c3, 40}, {c1, 10}}},
        {"more than the size", 190, 0, -1, {{c1, 20}, {c2, 30}, {c3, 40}, {c1, 10}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FixedRunsGradient gradient({{c1, 30}, {c2, 30}, {c3, 40}});
        EXPECT_EQ(c.expected, shiftedGradient(gradient, c.shift, 100, c.start, c.end));
    }
}

TEST(CalcShiftedGradient, ShiftOfZeroOrTheSizeIsUnshifted)
{
    Gradient gradient;
    gradient.SetGradientColorsX(3, kBlack, kWhite, red(200));
    const Runs unshifted = multiGradient(gradient, 100, 10, 70);
    for (int shift : {0, 100, -100, 300}) {
        SCOPED_TRACE(shift);
        EXPECT_EQ(unshifted, shiftedGradient(gradient, shift, 100, 10, 70));
    }
    EXPECT_EQ(shiftedGradient(gradient, 90, 100, 0, -1), shiftedGradient(gradient, -10, 100, 0, -1));
}

TEST(CalcShiftedGradient, SingleRunFillsTheRequestedSpan)
{
    Gradient gradient;
    gradient.SetGradientColors(red(5), red(5));
    EXPECT_EQ((Runs{{red(5), 30}}), shiftedGradient(gradient, 10, 100, 20, 50));
}

TEST(CalcShiftedGradient, SizeNotPositiveIsThePlainGradient)
{
    // A bar area narrower than its borders computes a negative size; rotating it used to walk the
    // shift toward -infinity for seconds, or past the first run.
    Gradient gradient;
    gradient.SetGradientColorsX(3, kBlack, kWhite, red(200));
    for (int size : {0, -2, -300}) {
        const Runs plain = multiGradient(gradient, size, 0, -1);
        for (int shift : {7, -1, -3, INT_MIN}) {
            SCOPED_TRACE(testing::Message() << "size " << size << ", shift " << shift);
            EXPECT_EQ(plain, shiftedGradient(gradient, shift, size, 0, -1));
        }
    }
}

TEST(GradientStretch, SharesThatCannotBeNormalisedCountAsNone)
{
    // Shares summing to zero would make every boundary NaN and negative ones would run them
    // backwards: a share that is not a finite positive number counts as none, and when no share
    // is left they are all equal.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    const Runs equal{{red(0), 50}, {red(1), 50}};
    const Runs secondOnly{{red(0), 0}, {red(1), 100}};
    struct Case {
        const char* name;
        double first, second;
        Runs expected;
    };
    const Case cases[] = {
        {"both zero", 0.0, 0.0, equal},
        {"summing to zero", 5.0, -5.0, {{red(0), 100}}},
        {"not a number", nan, 1.0, secondOnly},
        {"infinite", infinity, 1.0, secondOnly},
        {"none a number", nan, infinity, equal},
        {"one negative", -1.0, 3.0, secondOnly},
        {"three to one", 3.0, 1.0, {{red(0), 75}, {red(1), 25}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Gradient gradient;
        gradient.SetGradientColorsX(3, kBlack, red(1), red(2));
        gradient.SetColorsStretch(c.first, c.second);
        EXPECT_EQ(c.expected, multiGradient(gradient, 100, 0, -1));
    }
}

TEST(GradientColors, FewerThanTwoColoursThrowAndKeepTheList)
{
    Gradient gradient;
    gradient.SetGradientColors(red(1), red(2));
    for (int count : {1, 0, -3}) {
        SCOPED_TRACE(count);
        bool thrown = false;
        try {
            gradient.SetGradientColorsX(count, red(9));
        } catch (CInvalidArgException* e) {
            e->Delete();
            thrown = true;
        }
        EXPECT_TRUE(thrown);
        EXPECT_EQ(2, gradient.GetGradientColorsX().GetSize());
    }
}

// Black to red 200 over 100 pixels gives one band per pixel, red = 2 x position.
class PaintedGradient : public testing::Test {
protected:
    PaintedGradient() : surface(140, 140, kWhite) { gradient.SetGradientColors(kBlack, red(200)); }

    // The red channel at every position along the axis, counted from the direction's edge.
    std::vector<int> positions(Gradient::eDirection direction, const CRect& rect)
    {
        std::vector<int> reds;
        const bool vertical = direction == Gradient::TopToBottom || direction == Gradient::BottomToTop;
        const int extent = vertical ? rect.Height() : rect.Width();
        for (int p = 0; p < extent; ++p) {
            const CPoint at = direction == Gradient::RightToLeft ? CPoint(rect.right - 1 - p, rect.top)
                              : direction == Gradient::TopToBottom ? CPoint(rect.left, rect.top + p)
                              : direction == Gradient::BottomToTop ? CPoint(rect.left, rect.bottom - 1 - p)
                                                                   : CPoint(rect.left + p, rect.top);
            reds.push_back(GetRValue(surface.pixel(at.x, at.y)));
        }
        return reds;
    }

    static std::vector<int> expectedReds(int shift, float stretch = 1.0f)
    {
        std::vector<int> reds;
        for (int p = 0; p < 100; ++p)
            reds.push_back(int(float((p - shift + 100) % 100) * 2.0f / stretch));
        return reds;
    }

    DibSurface surface;
    RecordingGradient gradient;
};

TEST_F(PaintedGradient, BandsAtTheirPositionInEachDirection)
{
    for (auto direction : {Gradient::LeftToRight, Gradient::RightToLeft, Gradient::TopToBottom, Gradient::BottomToTop}) {
        SCOPED_TRACE(int(direction));
        surface.fill(kWhite);
        gradient.SetDirection(direction);
        const CRect rect(20, 20, 120, 120);
        gradient.DrawLinearGradient(surface.dc(), rect, 0, -1, 0);
        EXPECT_EQ(expectedReds(0), positions(direction, rect));
        EXPECT_EQ(kWhite, surface.pixel(19, 19));
        EXPECT_EQ(kWhite, surface.pixel(120, 120));
    }
}

// A shift rotates the picture; a stretch shows the first part of the colours.
TEST_F(PaintedGradient, ShiftRotatesAndStretchShowsTheFirstPart)
{
    const CRect rect(20, 20, 120, 30);
    for (const auto& [shift, stretch] : {std::pair{30, 1.0f}, std::pair{0, 2.0f}}) {
        SCOPED_TRACE(testing::Message() << "shift " << shift << ", stretch " << stretch);
        gradient.SetStretchGradient(stretch);
        gradient.DrawLinearGradient(surface.dc(), rect, 0, -1, shift);
        EXPECT_EQ(expectedReds(shift, stretch), positions(Gradient::LeftToRight, rect));
    }
}

TEST_F(PaintedGradient, SubRangeFromTheNamedEdge)
{
    gradient.SetDirection(Gradient::RightToLeft);
    gradient.DrawLinearGradient(surface.dc(), CRect(10, 0, 110, 10), 0, 20, 0);
    EXPECT_EQ(kWhite, surface.pixel(89, 5));
    EXPECT_EQ(red(0), surface.pixel(109, 5));
    EXPECT_EQ(red(38), surface.pixel(90, 5));
    EXPECT_EQ(kWhite, surface.pixel(110, 5));
}

TEST(GradientRuns, AtMostOneFillPerColourStep)
{
    for (int width : {1, 7, 255, 256, 1000, 4000}) {
        for (int colors : {2, 3}) {
            for (int shift : {0, width / 3}) {
                SCOPED_TRACE(testing::Message() << width << " pixels, " << colors << " colours, shift " << shift);
                DibSurface surface(width, 1, kWhite);
                RecordingGradient gradient;
                if (colors == 2)
                    gradient.SetGradientColors(kBlack, kWhite);
                else
                    gradient.SetGradientColorsX(3, kBlack, kWhite, kBlack);
                gradient.DrawLinearGradient(surface.dc(), CRect(0, 0, width, 1), 0, -1, shift);

                // Empty runs are not filled; the wrap of a shifted gradient may split one step in two.
                const size_t steps = size_t(255 * (colors - 1)) + (shift != 0);
                Runs runs;
                std::copy_if(gradient.painted.begin(), gradient.painted.end(), std::back_inserter(runs),
                             [](const ::Run& run) { return run.length != 0; });
                EXPECT_LE(runs.size(), std::min(size_t(width), steps));
                EXPECT_EQ(width, totalLength(runs));
                for (size_t i = 1; i < runs.size(); ++i)
                    EXPECT_NE(runs[i - 1].color, runs[i].color) << "one colour filled twice at run " << i;

                int bands = 1;
                for (int x = 1; x < width; ++x)
                    bands += surface.pixel(x, 0) != surface.pixel(x - 1, 0);
                EXPECT_LE(size_t(bands), runs.size());
            }
        }
    }
}

TEST(GradientPalette, BuiltOnDemandFromTheColours)
{
    Gradient gradient;
    gradient.SetGradientColors(kBlack, kWhite);
    EXPECT_EQ(nullptr, gradient.GetPalette().GetSafeHandle());

    gradient.SetCreatePalette(TRUE);
    EXPECT_TRUE(gradient.GetCreatePalette());
    CPalette& palette = gradient.GetPalette();
    ASSERT_NE(nullptr, palette.GetSafeHandle());
    ASSERT_EQ(236, palette.GetEntryCount());
    PALETTEENTRY entries[2]{};
    palette.GetPaletteEntries(234, 2, entries);
    EXPECT_EQ(252, entries[0].peRed);
    EXPECT_EQ(253, entries[1].peRed);

    gradient.SetGradientColors(red(0), red(3));
    ASSERT_EQ(3, gradient.GetPalette().GetEntryCount());
    palette.GetPaletteEntries(2, 1, entries);
    EXPECT_EQ(2, entries[0].peRed);
}

} // namespace
