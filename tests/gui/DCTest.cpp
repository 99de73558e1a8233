#include <qv.win/DC.h>

#include <atlimage.h>
#include <gtest/gtest.h>

#include <functional>

#include <climits>

#include "qvtest/DibSurface.h"

using qv::gui::DC;
using Canvas = qvtest::DibSurface;

using namespace qvtest::colors;

namespace {

TEST(DCTest, AlphaFillBlendsOverThePicture)
{
    struct Case {
        BYTE alpha;
        COLORREF inside;
    };
    const Case cases[] = {{0, kWhite}, {255, kBlue}, {128, RGB(127, 127, 255)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.alpha));
        Canvas canvas(8, 8);
        DC(canvas.dc()).FillSolidRect(CRect(2, 2, 6, 6), kBlue, c.alpha);
        EXPECT_PRED2(qvtest::nearColor, canvas.pixel(2, 2), c.inside);
        EXPECT_PRED2(qvtest::nearColor, canvas.pixel(5, 5), c.inside);
        EXPECT_EQ(canvas.pixel(1, 2), kWhite);
        EXPECT_EQ(canvas.pixel(6, 5), kWhite);
    }

    Canvas canvas(8, 8);
    DC(canvas.dc()).FillSolidRect(CRect(6, 6, 2, 2), kBlue, 255); // inverted: nothing to fill
    EXPECT_EQ(canvas.pixel(4, 4), kWhite);
}

TEST(DCTest, UnusableSurfaceDrawsNothingAndConvertsNothing)
{
    CDC empty;
    for (CDC* surface : {static_cast<CDC*>(nullptr), &empty}) {
        DC dc(surface);
        dc.FillSolidRect(CRect(0, 0, 4, 4), kBlue, 255);
        dc.drawCircle(CPoint(2, 2), kBlue, 2, true);
        dc.drawOutlineBox(CRect(0, 0, 4, 4), kBlack, kWhite, 2, true);
        dc.drawImage(static_cast<ATL::CImage*>(nullptr), CRect(0, 0, 4, 4), 0);
        EXPECT_EQ(dc.pixel2PointX(96), 96);
        EXPECT_EQ(dc.point2PixelY(72), 72);
        EXPECT_EQ(dc.pixel2Point(CSize(10, 20)), CSize(10, 20));
    }
    DC(nullptr).roundRectLine(CRect(0, 0, 4, 4), kBlue, CPoint(2, 2), 1);
}

TEST(DCTest, CircleOutlineAndFilledDisc)
{
    Canvas outline(11, 11);
    DC(outline.dc()).drawCircle(CPoint(5, 5), kRed, 3, false);
    EXPECT_EQ(outline.pixel(5, 2), kRed);
    EXPECT_EQ(outline.pixel(2, 5), kRed);
    EXPECT_EQ(outline.pixel(5, 5), kWhite);
    EXPECT_EQ(outline.pixel(1, 1), kWhite);

    Canvas disc(11, 11);
    DC(disc.dc()).drawCircle(CPoint(5, 5), kRed, 3, true);
    EXPECT_EQ(disc.pixel(5, 2), kRed);
    EXPECT_EQ(disc.pixel(5, 5), kRed);
    EXPECT_EQ(disc.pixel(1, 1), kWhite);

    // The surface gets its own pen and brush back.
    EXPECT_EQ(GetCurrentObject(disc.hdc(), OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(disc.hdc(), OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
}

// Only what can touch the surface reaches the platform, which faults or hangs on huge shapes.
TEST(DCTest, HugeCirclesAndPensDrawOnlyWhatTheSurfaceShows)
{
    const int kHuge = 1000000;
    const struct {
        const char* name;
        CPoint center;
        bool fill;
        COLORREF at5x5;   // above the top edge of a circle whose edge runs across row 10
        COLORREF at32x10; // on that edge
        COLORREF at32x40; // inside
    } cases[] = {
        {"rim crossing the surface", CPoint(32, 10 + kHuge), false, kWhite, kRed, kWhite},
        {"disc crossing the surface", CPoint(32, 10 + kHuge), true, kWhite, kRed, kRed},
        {"rim around the surface", CPoint(32, 32), false, kWhite, kWhite, kWhite},
        {"disc around the surface", CPoint(32, 32), true, kRed, kRed, kRed},
        {"far away", CPoint(INT_MAX, INT_MIN), true, kWhite, kWhite, kWhite},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(64, 64);
        DC(canvas.dc()).drawCircle(c.center, kRed, kHuge, c.fill);
        EXPECT_EQ(canvas.pixel(5, 5), c.at5x5);
        EXPECT_EQ(canvas.pixel(32, 10), c.at32x10);
        EXPECT_EQ(canvas.pixel(32, 40), c.at32x40);
    }

    Canvas canvas(64, 64, kBlack);
    DC(canvas.dc()).roundRectLine(CRect(10, 10, 50, 50), kRed, CPoint(4, 4), kHuge);
    EXPECT_TRUE(canvas.boundsOf([](COLORREF c) { return c != kRed; }).IsRectEmpty()) << "the pen covers everything";
}

TEST(DCTest, RoundRectFillsWithItsBrushAndLineUsesTheSelectedOne)
{
    Canvas filled(12, 12);
    DC(filled.dc()).roundRectFill(CRect(1, 1, 11, 11), kRed, kGreen, CPoint(4, 4), 1);
    EXPECT_EQ(filled.pixel(6, 1), kRed);
    EXPECT_EQ(filled.pixel(6, 6), kGreen);
    EXPECT_EQ(filled.pixel(1, 1), kWhite); // cut off by the rounded corner
    EXPECT_EQ(GetCurrentObject(filled.hdc(), OBJ_BRUSH), GetStockObject(WHITE_BRUSH));

    Canvas line(12, 12, kBlack);
    CBrush blue;
    blue.CreateSolidBrush(kBlue);
    CBrush* previous = line.dc()->SelectObject(&blue);
    DC(line.dc()).roundRectLine(CRect(1, 1, 11, 11), kRed, CPoint(4, 4), 2);
    line.dc()->SelectObject(previous);
    EXPECT_EQ(line.pixel(6, 0), kRed); // two pixels wide, across the edge
    EXPECT_EQ(line.pixel(6, 1), kRed);
    EXPECT_EQ(line.pixel(6, 6), kBlue);
}

TEST(DCTest, OutlineBoxGradesItsFrames)
{
    struct Case {
        const char* name;
        COLORREF from;
        COLORREF to;
        int count;
        std::vector<COLORREF> frames;
    };
    const Case cases[] = {
        {"black to white", kBlack, kWhite, 2, {kBlack, kWhite}},
        {"steps truncate", kBlack, RGB(10, 0, 0), 4, {kBlack, RGB(3, 0, 0), RGB(6, 0, 0), RGB(9, 0, 0)}},
        {"channels run both ways", RGB(200, 100, 50), RGB(0, 100, 250), 3,
         {RGB(200, 100, 50), RGB(100, 100, 150), RGB(0, 100, 250)}},
        {"one frame takes from", kRed, kGreen, 1, {kRed}},
    };
    const COLORREF background = kBlue;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(12, 12, background);
        DC(canvas.dc()).drawOutlineBox(CRect(0, 0, 12, 12), c.from, c.to, c.count, true);
        std::vector<COLORREF> expected = c.frames;
        expected.push_back(background);
        EXPECT_EQ(canvas.row(6, 0, c.count + 1), expected);
        // Each frame is closed: the same colour on the opposite side and along the top.
        EXPECT_EQ(canvas.pixel(11, 6), c.frames[0]);
        EXPECT_EQ(canvas.pixel(6, c.count - 1), c.frames.back());
    }
}

TEST(DCTest, OutlineBoxGrowsOutwardAndIgnoresNoFrames)
{
    Canvas canvas(12, 12, kBlue);
    DC(canvas.dc()).drawOutlineBox(CRect(4, 4, 8, 8), kBlack, kWhite, 2, false);
    EXPECT_EQ(canvas.row(6, 2, 6), (std::vector<COLORREF>{kBlue, kWhite, kBlack, kBlue}));

    Canvas untouched(4, 4, kBlue);
    DC(untouched.dc()).drawOutlineBox(CRect(0, 0, 4, 4), kBlack, kWhite, 0, true);
    DC(untouched.dc()).drawOutlineBox(CRect(0, 0, 4, 4), kBlack, kWhite, -3, true);
    EXPECT_EQ(untouched.row(0, 0, 4), std::vector<COLORREF>(4, kBlue));
}

// Counts and rectangles far beyond the surface cost only the frames it shows, and an image
// asked into a box without area leaves the picture alone.
TEST(DCTest, HugeOutlinesAndInvertedImageBoxesDrawOnlyWhatTheSurfaceShows)
{
    CImage red;
    red.Create(4, 4, 32);
    const struct {
        const char* name;
        std::function<void(DC&)> draw;
        COLORREF expected;
    } rows[] = {
        {"inward", [](DC& dc) { dc.drawOutlineBox(CRect(0, 0, 12, 12), kBlack, kWhite, INT_MAX, true); }, kBlack},
        {"outward", [](DC& dc) { dc.drawOutlineBox(CRect(4, 4, 8, 8), kBlack, kWhite, INT_MAX, false); }, kBlack},
        {"rectangle of the whole plane",
         [](DC& dc) { dc.drawOutlineBox(CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), kBlack, kWhite, INT_MAX, true); },
         kBlack},
        {"image in an inverted box", [&](DC& dc) { dc.drawImage(&red, CRect(0, 0, INT_MIN, INT_MIN), 0); }, kBlue},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Canvas canvas(12, 12, kBlue);
        DC dc(canvas.dc());
        row.draw(dc);
        EXPECT_EQ(canvas.row(0, 0, 12), std::vector<COLORREF>(12, row.expected));
        EXPECT_EQ(canvas.row(11, 0, 12), std::vector<COLORREF>(12, row.expected));
    }
}

TEST(DCTest, RectBySizeCentresSmallImagesAndFitsTheRest)
{
    struct Case {
        CRect box;
        CSize size;
        int stretch;
        CRect expected;
    };
    const Case cases[] = {
        {CRect(0, 0, 100, 50), CSize(40, 20), 0, CRect(30, 15, 70, 35)},
        {CRect(0, 0, 100, 50), CSize(40, 20), 1, CRect(0, 0, 100, 50)},
        {CRect(0, 0, 100, 50), CSize(200, 50), 0, CRect(0, 12, 100, 37)},
        {CRect(0, 0, 100, 50), CSize(100, 20), 0, CRect(0, 15, 100, 35)}, // not strictly smaller
        {CRect(0, 0, 100, 50), CSize(30, 60), 0, CRect(37, 0, 62, 50)},   // taller than the box
        {CRect(10, 20, 110, 70), CSize(41, 21), 0, CRect(29, 14, 70, 35)}, // relative to the box
        {CRect(0, 0, 100, 50), CSize(0, 0), 0, CRect(50, 25, 50, 25)},  // centred like any smaller size
        {CRect(0, 0, 100, 50), CSize(0, 20), 1, CRect(50, 0, 50, 50)},  // infinitely tall: full height
        {CRect(0, 0, 0, 50), CSize(40, 20), 1, CRect(0, 25, 0, 25)},    // no width to fill
        {CRect(0, 0, 100, 50), CSize(0, 0), 1, CRect(0, 25, 100, 25)},  // no ratio at all: no height
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "box " << c.box.Width() << "x" << c.box.Height() << ", size " << c.size.cx
                                        << "x" << c.size.cy << ", stretch " << c.stretch);
        EXPECT_EQ(DC::calcRectBySize(c.box, c.size, c.stretch), c.expected);
    }
}

TEST(DCTest, FixedSizeShrinksIntoTheLimit)
{
    struct Case {
        CSize size;
        CSize limit;
        bool keepRatio;
        CSize expected;
    };
    const Case cases[] = {
        {CSize(200, 100), CSize(100, 100), true, CSize(100, 50)},
        {CSize(200, 100), CSize(100, 100), false, CSize(100, 100)},
        {CSize(80, 100), CSize(100, 100), true, CSize(80, 100)},
        {CSize(300, 700), CSize(100, 100), true, CSize(42, 100)},
        {CSize(300, 70), CSize(100, 100), false, CSize(100, 70)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size.cx << "x" << c.size.cy << " keep ratio " << c.keepRatio);
        EXPECT_EQ(DC::calcFixedSize(c.size, c.limit, c.keepRatio), c.expected);
    }
}

TEST(DCTest, PixelsAndPrinterPointsAt96Dpi)
{
    Canvas canvas(1, 1);
    ASSERT_EQ(canvas.dc()->GetDeviceCaps(LOGPIXELSX), 96);
    ASSERT_EQ(canvas.dc()->GetDeviceCaps(LOGPIXELSY), 96);
    const DC dc(canvas.dc());
    EXPECT_EQ(dc.pixel2PointX(96), 72);
    EXPECT_EQ(dc.pixel2PointY(10), 7); // 7.53
    EXPECT_EQ(dc.point2PixelX(72), 95);
    EXPECT_EQ(dc.point2PixelY(1000), 1328); // 96000 / 72.27 = 1328.35
    EXPECT_EQ(dc.point2PixelX(-72), -95);   // toward zero
    EXPECT_EQ(dc.pixel2Point(CSize(96, 10)), CSize(72, 7));
    EXPECT_EQ(dc.point2Pixel(CSize(72, 1000)), CSize(95, 1328));
}

TEST(DCTest, ResolutionComesFromTheAttributeHandle)
{
    Canvas canvas(1, 1);
    CDC outputOnly; // usable, but with no attribute handle to give a resolution
    outputOnly.SetOutputDC(canvas.hdc());
    const DC dc(&outputOnly);
    EXPECT_EQ(dc.point2PixelX(72), 0);
    EXPECT_EQ(dc.point2Pixel(CSize(72, 1000)), CSize(0, 0));
    EXPECT_EQ(dc.pixel2PointY(96), 0);
    outputOnly.ReleaseOutputDC();
}

} // namespace
