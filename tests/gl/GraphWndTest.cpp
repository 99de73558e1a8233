#include "GraphWndSupport.h"

#include "qvtest/DibSurface.h"

#include <cmath>
#include <limits>
#include <random>
#include <string>

using namespace graphcolors;

namespace {

const GraphLayer::color kRed{1, 0, 0, 1};

// A header of text height 16.
class TallHeaderGraph : public GraphWnd {
public:
    bool onCreateGLFont() override { return GraphWnd::onCreateGLFont() && headerFont.create(getDC(), "Tahoma", 16); }
};

bool isGrey(COLORREF c)
{
    return GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c) && GetRValue(c) > 100 && GetRValue(c) < 230;
}

bool isDark(COLORREF c)
{
    return GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100;
}

bool isRed(COLORREF c)
{
    return GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60;
}

template <class Window, class Match>
int countIn(const GraphFixture<Window>& f, const CRect& area, Match match)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += match(f.pixel(x, y));
    return count;
}

} // namespace

TEST(GraphWndLayout, HeaderAxesAndPlotOrThePlotAlone)
{
    const struct {
        int cx, cy;
        bool onlyGraph;
        CRect header, axisY, graph, axisX;
    } rows[] = {
        {640, 480, false, {5, 5, 635, 21}, {6, 32, 54, 454}, {56, 32, 624, 454}, {56, 456, 624, 474}},
        {199, 400, true, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 199, 400}, {0, 0, 0, 0}},
        {300, 149, true, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 300, 149}, {0, 0, 0, 0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.cx << " x " << row.cy);
        GraphFixture<TallHeaderGraph> f(row.cx, row.cy);
        ASSERT_TRUE(f.created);
        EXPECT_EQ(row.onlyGraph, f.wnd.isOnlyGraph());
        EXPECT_EQ(row.header, f.wnd.getHeaderRect());
        EXPECT_EQ(row.axisY, f.wnd.getAxisYRect());
        EXPECT_EQ(row.graph, f.wnd.getGraphRect());
        EXPECT_EQ(row.axisX, f.wnd.getAxisXRect());

        f.render();
        const int y = row.graph.CenterPoint().y;
        const CRect left(row.graph.left - 2, y, row.graph.left + 2, y + 1);
        EXPECT_EQ(row.onlyGraph, countIn(f, left, isDark) == 0) << "the frame's border";
        EXPECT_EQ(kWhite, f.pixel(row.graph.CenterPoint().x + 7, y + 7)) << "the plot's fill";
        const CRect header(0, 0, row.cx, 22);
        EXPECT_EQ(row.onlyGraph, countIn(f, header, isDark) == 0) << "the header text";
    }
}

TEST(GraphWndRange, FitsTheDataWithTheMargin)
{
    GraphFixture<GraphWnd> f(300, 200);
    ASSERT_TRUE(f.created);
    const auto content = [&] { return f.wnd.getGraphCamera()->contentVolume(); };
    f.wnd.recalcRange(false);
    EXPECT_EQ((qv::rect<float>{-11, -11, 11, 11}), content()) << "no data";
    f.wnd.add("data", {0, 100}, 0);
    f.wnd.add("data", {10, 0}, 0);
    f.wnd.recalcRange(false);
    EXPECT_EQ((qv::rect<float>{-0.5f, -5, 10.5f, 105}), content());
    for (float margin : {0.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
        SCOPED_TRACE(margin);
        f.wnd.setMarginRatio(margin);
        f.wnd.recalcRange(false);
        EXPECT_EQ((qv::rect<float>{0, 0, 10, 100}), content());
    }
}

// Vertical grid lines of a view from -3.2 to 7.9 at -2, 0, 2, 4 and 6, each with its label
// starting at the line; the x = 0 origin axis when shown.
TEST(GraphWndFrame, GridLinesAndLabelsAtTheRoundValues)
{
    GraphFixture<GraphWnd> f(640, 480);
    ASSERT_TRUE(f.created);
    f.wnd.getGraphCamera()->setContentVolume(-3.2f, 0, 7.9f, 10);
    f.render();
    const CRect& plot = f.wnd.getGraphRect();
    const CRect& axis = f.wnd.getAxisXRect();
    const int row = plot.top + 13;
    int lines = 0;
    for (int x = plot.left + 3; x < plot.right - 3; ++x)
        lines += isGrey(f.pixel(x, row)) && !isGrey(f.pixel(x - 1, row));
    EXPECT_EQ(5, lines);
    for (const float value : {-2.f, 0.f, 2.f, 4.f, 6.f}) {
        SCOPED_TRACE(value);
        const int x = f.toPixel(value, 5).x;
        EXPECT_TRUE(isGrey(f.pixel(x, row)) || isGrey(f.pixel(x - 1, row)) || isGrey(f.pixel(x + 1, row)));
        EXPECT_GT(countIn(f, CRect(x, axis.top, x + 14, axis.bottom), isDark), 5) << "a label";
        EXPECT_EQ(0, countIn(f, CRect(x - 6, axis.top, x - 1, axis.bottom), isDark)) << "starting at the line";
    }
    const int zero = f.toPixel(0, 5).x;
    EXPECT_FALSE(isDark(f.pixel(zero, row + 40)));
    f.wnd.showOriginAxis(true);
    f.render();
    EXPECT_TRUE(isGrey(f.pixel(zero, row + 40)));
    EXPECT_LT(GetRValue(f.pixel(zero, row + 40)), 150) << "darker than the grid";
}

TEST(GraphWndData, ViewTypesChooseLinesPointsOrNothing)
{
    GraphFixture<GraphWnd> f(300, 240);
    ASSERT_TRUE(f.created);
    f.wnd.showGrid(false);
    f.wnd.addLayer(new GraphLayer("L", kRed));
    f.wnd.add("L", {0, 0}, 0);
    f.wnd.add("L", {10, 10}, 0);
    f.wnd.recalcRange(false);
    const struct {
        int type;
        bool ends, middle;
    } rows[] = {{GraphWnd::Line, true, true}, {GraphWnd::Point, true, false}, {GraphWnd::LineAndPoint, true, true},
                {3, false, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.type);
        f.wnd.setViewType(static_cast<GraphWnd::EViewType>(row.type));
        f.render();
        const CPoint end = f.toPixel(10, 10);
        const CPoint middle = f.toPixel(5, 5);
        EXPECT_EQ(row.ends, countIn(f, CRect(end.x - 1, end.y - 1, end.x + 2, end.y + 2), isRed) > 0);
        EXPECT_EQ(row.middle, countIn(f, CRect(middle.x - 1, middle.y - 1, middle.x + 2, middle.y + 2), isRed) > 0);
        const bool point = row.type == GraphWnd::Point || row.type == GraphWnd::LineAndPoint;
        EXPECT_EQ(point, isRed(f.pixel(end.x + 1, end.y + 1))) << "a 3-pixel point off the line";
    }
}

// Sizes from callers reach the pixel squares and the pick: a size that is not a number, or below
// one, draws and picks one pixel; a huge one is limited.
TEST(GraphWndData, PointSizesOutsideTheUsableRangeAreLimited)
{
    GraphFixture<GraphWnd> f(300, 240);
    ASSERT_TRUE(f.created);
    f.wnd.showGrid(false);
    f.wnd.setViewType(GraphWnd::Point);
    f.wnd.setEnalbeSnap(false);
    f.wnd.addLayer(new GraphLayer("L", kRed));
    f.wnd.add("L", {0, 0}, 0);
    f.wnd.add("L", {5, 5}, 0);
    f.wnd.add("L", {10, 10}, 0);
    f.wnd.recalcRange(false);
    const CPoint centre = f.toPixel(5, 5);
    const struct {
        float size;
        int side;
    } rows[] = {{std::numeric_limits<float>::quiet_NaN(), 1}, {-4, 1}, {0.2f, 1}, {1e9f, 64}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.size);
        f.wnd.setPointSize(row.size);
        f.render();
        const CRect around(centre.x - 40, centre.y - 40, centre.x + 40, centre.y + 40);
        EXPECT_EQ(row.side * row.side, countIn(f, around, isRed));
        f.wnd.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
        qvtest::pumpMfcUntilIdle();
    }
}

TEST(GraphWndData, SelectedPointsShowAYellowMarkerInABlackRing)
{
    GraphFixture<GraphWnd> f(300, 240);
    ASSERT_TRUE(f.created);
    f.wnd.showGrid(false);
    f.wnd.add("L", {0, 0}, 0);
    f.wnd.add("L", {5, 5}, 0);
    f.wnd.add("L", {10, 0}, 0);
    GraphLayer* layer = f.wnd.getLayer(0);
    layer->setItem(1, GraphPos({5, 5}, 0, true));
    f.wnd.recalcRange(false);
    f.render();
    const CPoint centre = f.toPixel(5, 5);
    EXPECT_EQ(kYellow, f.pixel(centre.x, centre.y));
    EXPECT_EQ(kYellow, f.pixel(centre.x + 2, centre.y - 2)) << "a dot of 5 pixels";
    EXPECT_EQ(kBlack, f.pixel(centre.x + 3, centre.y)) << "in a ring of 7";
    EXPECT_EQ(kBlack, f.pixel(centre.x, centre.y - 3));
    EXPECT_NE(kBlack, f.pixel(centre.x + 4, centre.y - 4));
}

namespace {

// The plot's pixels, row by row, a margin of 2 pixels in from its edges.
std::vector<COLORREF> plotPixels(const GraphFixture<GraphWnd>& f)
{
    const CRect& plot = f.wnd.getGraphRect();
    std::vector<COLORREF> pixels;
    for (int y = plot.top + 2; y < plot.bottom - 2; ++y)
        for (int x = plot.left + 2; x < plot.right - 2; ++x)
            pixels.push_back(f.pixel(x, y));
    return pixels;
}

// Renders reduced (going on from the last frame when only items were appended since), then
// with every point, and compares the plot pixels.
void expectSamePlot(GraphFixture<GraphWnd>& f)
{
    f.render();
    const std::vector<COLORREF> reduced = plotPixels(f);
    f.wnd.setDrawEveryPoint(true);
    f.render();
    const std::vector<COLORREF> every = plotPixels(f);
    f.wnd.setDrawEveryPoint(false);
    int differences = 0, coloured = 0;
    for (size_t i = 0; i < every.size(); ++i) {
        differences += reduced[i] != every[i];
        coloured += every[i] != kWhite;
    }
    EXPECT_EQ(0, differences);
    EXPECT_GT(coloured, 300) << "the data cross the plot";
}

// A noisy walk (with a point without a place now and then), steps, and a scatter not in x order.
struct TestData {
    std::mt19937 random{7};
    float walk = 0;
    int added = 0;

    void add(GraphWnd& wnd, int count);
};

void TestData::add(GraphWnd& wnd, int count)
{
    std::normal_distribution<float> noise(0, 1);
    std::uniform_real_distribution<float> anywhere(0, 100);
    for (int i = added; i < added + count; ++i) {
        walk += noise(random);
        const float y = i % 1000 == 999 ? NAN : 50 + walk * 0.2f + 10 * noise(random);
        wnd.add("walk", {i * 100.0f / 60000, y}, 0);
        if (i % 3 == 0)
            wnd.add("steps", {static_cast<float>(i / 300) / 2, 30 + 20 * std::sin(i * 0.001f)}, 0);
        if (i % 20 == 0)
            wnd.add("scatter", {anywhere(random), anywhere(random)}, 0);
    }
    added += count;
}

} // namespace

// The reduced picture against every point drawn: the same plot pixels for layers in x order
// and not, from thousands of points a column down to a few, with pans by a pixel and boxes
// that cut the data at the plot's edges, with odd and even point sizes, and over items
// appended to a drawn view.
TEST(GraphWndData, ReducedDrawingPaintsTheSamePixelsAsEveryPoint)
{
    GraphFixture<GraphWnd> f(420, 300);
    ASSERT_TRUE(f.created);
    f.wnd.showGrid(false);
    TestData data;
    data.add(f.wnd, 60000);
    const GraphLayer::color colours[] = {{1, 0, 0, 1}, {0, 0.5f, 1, 1}, {0.2f, 0.7f, 0.1f, 1}};
    for (int i = 0; i < 3; ++i)
        f.wnd.getLayer(i)->setColor(colours[i]);
    ASSERT_TRUE(f.wnd.getLayer(0)->isOrderedX());
    ASSERT_TRUE(f.wnd.getLayer(1)->isOrderedX());
    ASSERT_FALSE(f.wnd.getLayer(2)->isOrderedX());
    f.wnd.recalcRange(false);

    const qv::rect<float> boxes[] = {
        {0, 0, 1, 1},           {-20, 0, 21, 1},           {-1, 0.1f, 2, 0.9f},
        {0.3f, 0.2f, 0.55f, 0.6f}, {-0.2f, 0.1f, 0.4f, 0.9f}, {0.71f, 0.45f, 1.3f, 0.52f},
        {0.5003f, 0.3f, 0.5011f, 0.7f},
    };
    const struct {
        GraphWnd::EViewType type;
        float pointSize;
    } drawings[] = {{GraphWnd::Line, 3}, {GraphWnd::LineAndPoint, 3}, {GraphWnd::LineAndPoint, 4}};
    for (const auto& drawing : drawings)
        for (const qv::rect<float>& box : boxes) {
            SCOPED_TRACE(testing::Message() << "type " << drawing.type << ", point size " << drawing.pointSize
                                            << ", box " << box.left << " " << box.top << " " << box.right << " "
                                            << box.bottom);
            f.wnd.setViewType(drawing.type);
            f.wnd.setPointSize(drawing.pointSize);
            f.wnd.getGraphCamera()->setBox(box);
            expectSamePlot(f);
            SCOPED_TRACE("panned by a pixel");
            f.wnd.getGraphCamera()->pan(1, 0, false);
            expectSamePlot(f);
        }

    SCOPED_TRACE("appended to a drawn view");
    f.wnd.getGraphCamera()->setBox({0.5f, 0, 1.5f, 1});
    f.render();
    data.add(f.wnd, 30000);
    ASSERT_TRUE(f.wnd.getLayer(0)->isOrderedX());
    expectSamePlot(f);
}
