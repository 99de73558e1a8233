#include <qv.win/Graph.h>

#include "../mfc/Throws.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using qv::gl::Graph;
using qv::gl::GraphLayer;
using qv::gl::GraphPos;
using vector2 = Graph::vector2;

namespace {

constexpr float kLargest = std::numeric_limits<float>::max();
const GraphLayer::color kRed{1, 0, 0, 1};

class IntervalGraph : public Graph {
public:
    using Graph::getOptimalInterval;
};

// Counts the layers destroyed, to see who deletes a layer.
class CountedLayer : public GraphLayer {
public:
    CountedLayer(const char* name, int& deaths) : GraphLayer(name, kRed), deaths(deaths) {}
    ~CountedLayer() override { ++deaths; }

private:
    int& deaths;
};

struct Range {
    vector2 min{kLargest, kLargest};
    vector2 max{-kLargest, -kLargest};
};

Range rangeOf(GraphLayer& layer)
{
    Range range;
    layer.getDataRange(range.min, range.max);
    return range;
}

void expectRange(const Range& range, vector2 min, vector2 max)
{
    EXPECT_EQ(min, range.min);
    EXPECT_EQ(max, range.max);
}

} // namespace

void PrintTo(const vector2& v, std::ostream* os)
{
    *os << "(" << v.x << ", " << v.y << ")";
}

TEST(GraphInterval, RatiosPickTheMultiplierWithStrictComparisons)
{
    const struct {
        double ratio;
        double multiplier;
    } rows[] = {{1.0, 1}, {1.2, 2}, {1.5, 2}, {1.6, 2}, {3.5, 2}, {3.6, 5}, {7.5, 5}, {7.6, 10}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.ratio);
        EXPECT_DOUBLE_EQ(row.multiplier, IntervalGraph::getOptimalInterval(0, row.ratio, 1, nullptr, nullptr,
                                                                           nullptr, false));
    }
}

TEST(GraphInterval, WorkedValues)
{
    const struct {
        double min, max;
        bool integerOnly;
        double interval, low, high;
        int decimals;
    } rows[] = {
        {0, 1, false, 0.2, 0, 1, 1},     {0, 7, false, 2, 0, 8, 0},     {0, 45, false, 5, 0, 45, 0},
        {0, 46, false, 10, 0, 50, 0},    {0, 0.6, true, 1, 0, 1, 0},    {0, 3, true, 1, 0, 3, 0},
        {-0.013, 0.05, false, 0.02, -0.02, 0.06, 2}, {0, 0.6, false, 0.1, 0, 0.6, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.min << ".." << row.max << (row.integerOnly ? " integers" : ""));
        double low = -1, high = -1;
        int decimals = -1;
        EXPECT_NEAR(row.interval,
                    IntervalGraph::getOptimalInterval(row.min, row.max, 6, &low, &high, &decimals, row.integerOnly),
                    1e-12);
        EXPECT_NEAR(row.low, low, 1e-12);
        EXPECT_NEAR(row.high, high, 1e-12);
        EXPECT_EQ(row.decimals, decimals);
    }
}

TEST(GraphGrid, AppendsTheMultiplesInsideTheRange)
{
    const struct {
        const char* label;
        float min, max;
        int count;
        std::vector<float> appended;
    } rows[] = {
        {"worked", -3.2f, 7.9f, 6, {-2, 0, 2, 4, 6}},
        {"bounds on the grid", 0, 1, 6, {0, 0.2f, 0.4f, 0.6f, 0.8f, 1}},
        {"empty range", 5, 5, 6, {}},
        {"no steps", 0, 10, 0, {}},
        {"negative count", 0, 10, -6, {}},
        {"reversed", 7.9f, -3.2f, 6, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        std::vector<float> values{42};
        Graph::calcGrid(row.min, row.max, row.count, values);
        ASSERT_EQ(row.appended.size() + 1, values.size());
        EXPECT_EQ(42, values.front()) << "not cleared";
        for (size_t i = 0; i < row.appended.size(); ++i)
            EXPECT_NEAR(row.appended[i], values[i + 1], 1e-6f);
    }
}

TEST(GraphGrid, HugeCountsAndTinyRangesEndWithAFewValues)
{
    const size_t most = Graph::kMaxGridCount + 1;
    const struct {
        float min;
        float max;
        int count;
        size_t most;
    } rows[] = {
        {1e7f, 1e7f + 1, std::numeric_limits<int>::max(), most},
        {0, 1, std::numeric_limits<int>::max(), most},
        {1e-38f, 2e-38f, 6, 8},
        {0, 1e-44f, 6, 8},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.min << ".." << row.max << " count " << row.count);
        std::vector<float> values;
        Graph::calcGrid(row.min, row.max, row.count, values);
        EXPECT_LE(values.size(), row.most);
        EXPECT_FALSE(values.empty());
    }
}

TEST(GraphLayerRange, FollowsEveryKindOfChange)
{
    GraphLayer fresh;
    expectRange(rangeOf(fresh), {0, 0}, {0, 0});

    GraphLayer emptied;
    emptied.addItem({5, 5}, 0);
    ASSERT_TRUE(emptied.removeItem(0));
    expectRange(rangeOf(emptied), {kLargest, kLargest}, {-kLargest, -kLargest});

    GraphLayer layer;
    layer.addItem({1, -2}, 0);
    layer.addItem({3, 4}, 0);
    expectRange(rangeOf(layer), {1, -2}, {3, 4});
    layer.addItem({-1, 10}, 0);
    expectRange(rangeOf(layer), {-1, -2}, {3, 10});
    layer.setItem(2, GraphPos({2, 0}, 0, false));
    expectRange(rangeOf(layer), {1, -2}, {3, 4});
    ASSERT_TRUE(layer.removeItem(0));
    expectRange(rangeOf(layer), {2, 0}, {3, 4});
    layer.removeAll();
    layer.addItem({7, 8}, 0);
    expectRange(rangeOf(layer), {7, 8}, {7, 8});

    Range given{{0, 0}, {100, 100}};
    layer.getDataRange(given.min, given.max);
    expectRange(given, {0, 0}, {100, 100});
}

TEST(GraphLayerItems, BadIndicesAreRefusedAndChangeNothing)
{
    GraphLayer layer("L", kRed);
    layer.addItem({1, 2}, 7);
    const unsigned revision = layer.getRevision();
    for (int index : {-1, 1, std::numeric_limits<int>::min()}) {
        SCOPED_TRACE(index);
        EXPECT_TRUE(ThrowsInvalidArg([&] { layer.getItem(index); }));
        EXPECT_TRUE(ThrowsInvalidArg([&] { layer.setItem(index, GraphPos({9, 9}, 0, true)); }));
        EXPECT_FALSE(layer.removeItem(index));
    }
    ASSERT_EQ(1, layer.getCount());
    EXPECT_EQ((vector2{1, 2}), layer.getItem(0).getItem());
    EXPECT_EQ(7u, layer.getItem(0).getUserData());
    EXPECT_EQ(revision, layer.getRevision());
}

TEST(GraphLayerItems, OrderOfXIsTrackedThroughEveryChange)
{
    GraphLayer layer;
    const auto xs = [&] {
        std::string text;
        for (int i = 0; i < layer.getCount(); ++i)
            text += std::to_string(static_cast<int>(layer.getItem(i).getItem().x)) + " ";
        return text;
    };
    const auto expectOrdered = [&](bool ordered) {
        EXPECT_EQ(ordered, layer.isOrderedX()) << xs();
    };
    for (float x : {1.f, 2.f, 2.f, 5.f})
        layer.addItem({x, 0}, 0);
    expectOrdered(true);
    layer.addItem({3, 0}, 0); // 1 2 2 5 3
    expectOrdered(false);
    layer.setItem(4, GraphPos({6, 0}, 0, false)); // 1 2 2 5 6
    expectOrdered(true);
    layer.setItem(1, GraphPos({4, 0}, 0, false)); // 1 4 2 5 6
    expectOrdered(false);
    ASSERT_TRUE(layer.removeItem(2)); // 1 4 5 6
    expectOrdered(true);
    layer.setItem(0, GraphPos({9, 0}, 0, false)); // 9 4 5 6
    expectOrdered(false);
    ASSERT_TRUE(layer.removeItem(0));
    expectOrdered(true);
    layer.addItem({std::nanf(""), 0}, 0);
    expectOrdered(false);
    layer.removeAll();
    layer.addItem({-3, 0}, 0);
    expectOrdered(true);
}

TEST(GraphLayerItems, AssignmentCopiesIndependentItems)
{
    GraphLayer source("Speed", kRed);
    source.addItem({1, 2}, 3);
    source.addItem({0, 5}, 4);
    GraphLayer copy;
    copy = source;
    source.setItem(0, GraphPos({9, 9}, 9, true));
    source.addItem({8, 8}, 0);
    EXPECT_STREQ("Speed", copy.getName());
    EXPECT_EQ(kRed, copy.getColor());
    ASSERT_EQ(2, copy.getCount());
    EXPECT_EQ((vector2{1, 2}), copy.getItem(0).getItem());
    EXPECT_FALSE(copy.getItem(0).getSelected());
    EXPECT_FALSE(copy.isOrderedX());
    expectRange(rangeOf(copy), {0, 2}, {1, 5});
}

TEST(GraphLayers, OwnershipFollowsAddDeleteAndDestruction)
{
    int deaths = 0;
    {
        Graph graph;
        EXPECT_EQ(0, graph.addLayer(new CountedLayer("A", deaths)));
        EXPECT_EQ(1, graph.addLayer(new CountedLayer("B", deaths)));
        CountedLayer duplicate("A", deaths);
        EXPECT_EQ(-1, graph.addLayer(&duplicate)) << "the refused layer stays the caller's";
        EXPECT_EQ(2, graph.getLayerCount());

        EXPECT_FALSE(graph.deleteLayer(2));
        EXPECT_FALSE(graph.deleteLayer(-1));
        EXPECT_EQ(nullptr, graph.getLayer(2));
        EXPECT_TRUE(graph.deleteLayer(0));
        EXPECT_EQ(1, deaths);
        EXPECT_EQ(0, graph.findLayer("B"));
        EXPECT_EQ(-1, graph.findLayer("A"));
    }
    EXPECT_EQ(3, deaths) << "B by the graph, the duplicate by its owner";
}

TEST(GraphLayers, AddFindsTheLayerByNameOrCreatesIt)
{
    Graph graph;
    char first[] = "Speed";
    char second[] = "Speed";
    EXPECT_EQ(0, graph.add(first, {1, 2}, 5));
    EXPECT_EQ(1, graph.add(second, {3, 4}, 6));
    EXPECT_EQ(0, graph.add("speed", {0, 0}, 0)) << "names compare byte for byte";
    ASSERT_EQ(2, graph.getLayerCount());
    GraphLayer* speed = graph.getLayer(0);
    ASSERT_EQ(2, speed->getCount());
    EXPECT_EQ(6u, speed->getItem(1).getUserData());
    EXPECT_EQ((GraphLayer::color{0, 0, 0, 1}), speed->getColor());

    EXPECT_EQ(0, graph.add(nullptr, {0, 0}, 0)) << "no name is the empty name";
    EXPECT_EQ(1, graph.add("", {0, 0}, 0));
    EXPECT_EQ(2, graph.findLayer(nullptr));
}

TEST(GraphRange, AutoRangeWidensTheCallersRangeUserRangeReplacesIt)
{
    Graph graph;
    Range untouched{{1, 2}, {3, 4}};
    graph.getDataRange(untouched.min, untouched.max);
    expectRange(untouched, {1, 2}, {3, 4});

    graph.addLayer(new GraphLayer("fresh", kRed));
    graph.add("data", {5, 6}, 0);
    graph.add("data", {7, -8}, 0);
    Range range;
    graph.getDataRange(range.min, range.max);
    expectRange(range, {0, -8}, {7, 6});

    graph.setAutoRange(false);
    graph.setUserMinMax({-1, -2}, {10, 20});
    Range user{{-100, -100}, {100, 100}};
    graph.getDataRange(user.min, user.max);
    expectRange(user, {-1, -2}, {10, 20});
}
