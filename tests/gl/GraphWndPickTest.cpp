#include "GraphWndSupport.h"

#include "qvtest/DibSurface.h"
#include "qvtest/Input.h"

#include <random>
#include <string>

using namespace graphcolors;

namespace {


// Both searches and the candidates, for comparing the CPU search with GL selection.
class ProbeGraph : public GraphWnd {
public:
    using GraphWnd::makeSnapData;
    using GraphWnd::pickOnCPU;
    using GraphWnd::pickWithGL;

    bool cpu = true;
    bool isDefaultPick() const override { return cpu; }

    size_t candidates() const { return snapCandidateLayers.size(); }
    // The snap point chosen among exactly these candidates.
    Hit snapAmong(const std::vector<Hit>& hits, CPoint point)
    {
        snapCandidateLayers.clear();
        snapCandidateItems.clear();
        for (const Hit& hit : hits) {
            snapCandidateLayers.push_back(hit.first);
            snapCandidateItems.push_back(hit.second);
        }
        makeSnapData(point);
        return {getSnapLayer(), getSnapItem()};
    }
};

std::wstring tipText(GraphWnd& wnd)
{
    CString text;
    wnd.getToolTip().GetText(text, &wnd, 0);
    return text.GetString();
}

// A visible graph in the foreground over 0..10 on both axes, for real mouse input.
template <class Window = GraphWnd>
class Hover : public GraphFixture<Window> {
public:
    Hover() : GraphFixture<Window>(400, 300)
    {
        if (this->created)
            qvtest::bringToForeground(this->parent.m_hWnd);
        this->wnd.setMarginRatio(0);
        this->wnd.showGrid(false);
    }

    // The data set, fitted to 0..10 by two invisible corner points of a last layer.
    void fit()
    {
        this->wnd.addLayer(new GraphLayer("corners", {1, 1, 1, 1}));
        this->wnd.add("corners", {0, 0}, 0);
        this->wnd.add("corners", {10, 10}, 0);
        this->wnd.recalcRange(false);
        this->render();
    }

    // Inside the plot, away from every point of the tests.
    CPoint emptySpot() const { return this->toPixel(8, 2); }

    void move(CPoint client)
    {
        qvtest::moveMouse(this->wnd.m_hWnd, client);
        qvtest::pumpMfcUntilIdle();
    }

    // Presses on at, moves away and (when back) to release, then releases.
    void press(CPoint at, CPoint release)
    {
        qvtest::mouseDown(this->wnd.m_hWnd, at);
        qvtest::pumpMfcUntilIdle();
        qvtest::moveMouse(this->wnd.m_hWnd, {at.x + 30, at.y + 20});
        qvtest::pumpMfcUntilIdle();
        qvtest::mouseUp(this->wnd.m_hWnd, release);
        qvtest::pumpMfcUntilIdle();
    }
};

} // namespace

TEST(GraphWndHover, TheTipNamesTheLayerAndTheCoordinatesInTheLayersColour)
{
    Hover<> f;
    ASSERT_TRUE(f.created);
    f.wnd.addLayer(new GraphLayer("Speed", {1, 0.5f, 0, 1}));
    f.wnd.addLayer(new GraphLayer("", {0, 0, 1, 1}));
    f.wnd.add("Speed", {1.5f, 2}, 0);
    f.wnd.add("", {8, 7.5f}, 0);
    f.fit();
    const struct {
        const char* label;
        CPoint at;
        std::wstring text;
        COLORREF colour;
    } rows[] = {
        {"named", f.toPixel(1.5f, 2) + CPoint(4, -3), L"Speed\n\nX : 1.5, Y : 2", 0x00007FFF},
        {"no name", f.toPixel(8, 7.5f) + CPoint(-6, 2), L"X : 8, Y : 7.5", 0x00FF0000},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        f.move({100, 5});
        f.move(row.at);
        EXPECT_TRUE(f.wnd.isSnapped());
        EXPECT_EQ(row.text, tipText(f.wnd));
        EXPECT_EQ(row.colour, f.wnd.getToolTip().GetTipBkColor());
    }
}

TEST(GraphWndHover, TheFirstHitWinsATie)
{
    Hover<> f;
    ASSERT_TRUE(f.created);
    f.wnd.addLayer(new GraphLayer("B", {1, 0, 0, 1}));
    f.wnd.addLayer(new GraphLayer("A", {0, 0, 1, 1}));
    f.wnd.add("A", {5, 5}, 0);
    f.wnd.add("B", {3, 3}, 0);
    f.wnd.add("B", {5, 5}, 0);
    f.wnd.add("B", {5, 5}, 0);
    f.fit();
    f.move(f.toPixel(5, 5) + CPoint(3, 3));
    EXPECT_EQ(0, f.wnd.getSnapLayer()) << "layer order";
    EXPECT_EQ(1, f.wnd.getSnapItem()) << "then item order";
    EXPECT_EQ(L"B\n\nX : 5, Y : 5", tipText(f.wnd));
}

// Candidates found by an earlier move compete with the ones under the cursor, by their
// distance in client pixels.
TEST(GraphWndHover, TheNearestCandidateInClientPixelsWins)
{
    Hover<> f;
    ASSERT_TRUE(f.created);
    const float pixelsPerUnit = static_cast<float>(f.wnd.getGraphRect().Height()) / 10;
    f.wnd.add("L", {5, 5}, 0);
    f.wnd.add("L", {5, 5 - 15 / pixelsPerUnit}, 0);
    f.fit();
    const CPoint upper = f.toPixel(5, 5);
    f.move(upper + CPoint(0, 15));
    ASSERT_EQ(1, f.wnd.getSnapItem());
    f.move(upper);
    EXPECT_EQ(0, f.wnd.getSnapItem());
    f.move(upper + CPoint(0, 12));
    EXPECT_EQ(1, f.wnd.getSnapItem());
}

TEST(GraphWndHover, TheSnapSquareOrThePointSizeDecidesWhatIsFound)
{
    Hover<> f;
    ASSERT_TRUE(f.created);
    f.wnd.add("L", {5, 5}, 0);
    f.fit();
    const CPoint point = f.toPixel(5, 5);
    const struct {
        bool snap;
        int offset;
        bool snapped;
    } rows[] = {{true, 8, true}, {true, 11, false}, {false, 1, true}, {false, 3, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << (row.snap ? "snap" : "point size") << ", " << row.offset << " off");
        f.wnd.setEnalbeSnap(row.snap);
        f.move(f.emptySpot());
        EXPECT_FALSE(f.wnd.isSnapped());
        f.move(point + CPoint(row.offset, 0));
        EXPECT_EQ(row.snapped, f.wnd.isSnapped());
    }
}

TEST(GraphWndHover, TheMarkersShowTheSelectionUnderTheSnapPoint)
{
    Hover<> f;
    ASSERT_TRUE(f.created);
    f.wnd.add("L", {3, 3}, 0);
    f.wnd.add("L", {6, 6}, 0);
    f.fit();
    f.wnd.getLayer(0)->setItem(1, GraphPos({6, 6}, 0, true));
    const CPoint selected = f.toPixel(6, 6);
    const CPoint other = f.toPixel(3, 3);
    // The hover repaints before it snaps: the next picture shows the snap point.
    f.move(other + CPoint(2, 2));
    f.render();
    EXPECT_EQ(kWhite, f.pixel(other.x, other.y)) << "the snap marker";
    EXPECT_EQ(kBlack, f.pixel(other.x + 3, other.y));
    EXPECT_EQ(kYellow, f.pixel(selected.x, selected.y));
    f.move(selected + CPoint(2, -2));
    f.render();
    EXPECT_EQ(kWhite, f.pixel(selected.x, selected.y)) << "white on top of yellow";
    EXPECT_EQ(kBlack, f.pixel(selected.x - 3, selected.y));
    EXPECT_NE(kWhite, f.pixel(other.x, other.y));
    f.move(f.emptySpot());
    f.render();
    EXPECT_EQ(kYellow, f.pixel(selected.x, selected.y)) << "the snap marker went with the snap";
}

TEST(GraphWndHover, AClickOnTheSnapPointTogglesItsSelection)
{
    Hover<> f;
    ASSERT_TRUE(f.created);
    f.wnd.add("L", {5, 5}, 0);
    f.fit();
    const CPoint at = f.toPixel(5, 5) + CPoint(2, 1);
    const struct {
        const char* label;
        bool pick, tip;
        CPoint release;
        bool toggled;
    } rows[] = {
        {"released where pressed", true, true, at, true},
        {"released one pixel off", true, true, at + CPoint(1, 0), false},
        {"picking off", false, true, at, false},
        {"tip off: nothing snaps", true, false, at, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        f.wnd.setEnalbeTip(true);
        f.move(f.emptySpot());
        f.wnd.setEnablePick(row.pick);
        f.wnd.setEnalbeTip(row.tip);
        f.move(at);
        EXPECT_EQ(row.tip, f.wnd.isSnapped());
        const bool before = f.wnd.getLayer(0)->getItem(0).getSelected();
        f.press(at, row.release);
        EXPECT_EQ(before != row.toggled, f.wnd.getLayer(0)->getItem(0).getSelected());
    }
}

TEST(GraphWndHover, AMoveWithAButtonHeldOrOutsideThePlotChangesNothing)
{
    Hover<> f;
    ASSERT_TRUE(f.created);
    f.wnd.add("L", {5, 5}, 0);
    f.fit();
    const CPoint point = f.toPixel(5, 5);
    f.move(point);
    ASSERT_TRUE(f.wnd.isSnapped());
    ::SendMessage(f.wnd.m_hWnd, WM_MOUSEMOVE, MK_CONTROL, MAKELPARAM(f.emptySpot().x, f.emptySpot().y));
    EXPECT_TRUE(f.wnd.isSnapped());
    const CPoint empty = f.emptySpot();
    const CRect& plot = f.wnd.getGraphRect();
    ::SendMessage(f.wnd.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(plot.right, empty.y));
    EXPECT_TRUE(f.wnd.isSnapped()) << "right of the plot";
    ::SendMessage(f.wnd.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(plot.right - 1, empty.y));
    EXPECT_FALSE(f.wnd.isSnapped()) << "the plot's last column";
}

TEST(GraphWndHover, ALongHoverKeepsEachCandidateOnce)
{
    Hover<ProbeGraph> f;
    ASSERT_TRUE(f.created);
    for (int i = 0; i < 200; ++i)
        f.wnd.add("L", {5 + i * 0.001f, 5 + (i % 7) * 0.01f}, 0);
    f.fit();
    const CPoint point = f.toPixel(5, 5);
    for (int i = 0; i < 20; ++i)
        ::SendMessage(f.wnd.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(point.x + i % 3, point.y));
    EXPECT_TRUE(f.wnd.isSnapped());
    EXPECT_EQ(200u, f.wnd.candidates());
}

// The CPU search against a real GL selection pass over onPickGL: random layers (in x order
// and not), zooms and cursors give the same hits in the same order, and the same snap point.
TEST(GraphWndPick, TheCpuSearchFindsWhatGlSelectionFinds)
{
    GraphFixture<ProbeGraph> f(360, 280);
    ASSERT_TRUE(f.created);
    std::mt19937 random(11);
    std::uniform_real_distribution<float> unit(0, 1);
    for (int i = 0; i < 1500; ++i) {
        f.wnd.add("ordered", {i * 0.01f, 10 * unit(random)}, 0);
        f.wnd.add("scattered", {15 * unit(random), 10 * unit(random)}, 0);
        if (i < 60)
            f.wnd.add("clump", {7.5f, 5}, 0);
    }
    f.wnd.recalcRange(false);
    const qv::rect<float> boxes[] = {{0, 0, 1, 1}, {0.2f, 0.3f, 0.45f, 0.5f}, {0.48f, 0.45f, 0.53f, 0.56f}};
    const CRect& plot = f.wnd.getGraphRect();
    std::uniform_int_distribution<int> x(plot.left, plot.right - 1), y(plot.top, plot.bottom - 1);
    int found = 0;
    for (const qv::rect<float>& box : boxes) {
        f.wnd.getGraphCamera()->setBox(box);
        f.render();
        for (int i = 0; i < 25; ++i) {
            const CPoint point(x(random), y(random));
            const int size = i % 2 == 0 ? 20 : 3;
            SCOPED_TRACE(testing::Message() << "box " << box.left << ", cursor " << point.x << " " << point.y);
            std::vector<GraphWnd::Hit> cpu, gl;
            const int cpuCount = f.wnd.pickOnCPU(point, size, cpu);
            const int glCount = f.wnd.pickWithGL(point, size, gl);
            EXPECT_EQ(glCount, cpuCount);
            EXPECT_EQ(gl, cpu);
            EXPECT_EQ(f.wnd.snapAmong(gl, point), f.wnd.snapAmong(cpu, point));
            found += !cpu.empty();
        }
    }
    EXPECT_GT(found, 20) << "the cursors found points";
    for (int i = 0; i < 2100; ++i)
        f.wnd.add("pile", {2, 2}, 0);
    f.wnd.getGraphCamera()->setBox(0, 0, 1, 1);
    f.render();
    std::vector<GraphWnd::Hit> cpu, gl;
    const CPoint pile = f.toPixel(2, 2);
    EXPECT_LT(f.wnd.pickWithGL(pile, 3, gl), 0) << "the selection buffer overflows";
    EXPECT_LT(f.wnd.pickOnCPU(pile, 3, cpu), 0);
    EXPECT_TRUE(cpu.empty());
}
