#include <qv.win/Graph.h>

#include <qv.win/core/qv.Math.h>
#include "GraphRange.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace qv::gl {

namespace {

constexpr float kLargest = std::numeric_limits<float>::max();
const GraphLayer::color kNewLayerColour{0, 0, 0, 1};

// The grid interval: a multiplier of 1, 2, 5 or 10 times a power of ten.
struct Interval {
    double value;
    double exponent;
    int multiplier;
};

// The multiplier nearest the ratio of the raw interval to its power of ten. The comparisons
// are strict: 3.5 gives 2, 7.5 gives 5, and ratios just above 1 give 2.
int multiplierFor(double ratio)
{
    if (ratio <= 1)
        return 1;
    if (ratio < 2 && (ratio - 1) > (2 - ratio))
        return 2;
    if (ratio < 5)
        return (ratio - 2) > (5 - ratio) ? 5 : 2;
    return (ratio - 5) > (10 - ratio) ? 10 : 5;
}

Interval intervalFor(double span, unsigned int count, bool integerOnly)
{
    const double raw = span / count;
    double exponent = std::floor(std::log10(raw));
    if (integerOnly)
        exponent = std::max(exponent, 0.0);
    const double base = std::pow(10.0, exponent);
    const int multiplier = multiplierFor(raw / base);
    return {multiplier * base, exponent, multiplier};
}

int decimalsFor(const Interval& interval)
{
    if (!std::isfinite(interval.exponent))
        return 0;
    const int k = static_cast<int>(interval.exponent) + (interval.multiplier == 10 ? 1 : 0);
    return k < 0 ? -k : 0;
}

} // namespace

Graph::Graph() : autoRange(true), userMin{0, 0}, userMax{1, 1} {}

Graph::~Graph()
{
    removeAllLayer();
}

void Graph::setName(const char* newName)
{
    name = newName;
}

void Graph::getUserMinMax(vector2& min, vector2& max) const
{
    min = userMin;
    max = userMax;
}

void Graph::setUserMinMax(vector2 min, vector2 max)
{
    userMin = min;
    userMax = max;
}

GraphLayer* Graph::getLayer(int index) const
{
    if (index < 0 || index >= getLayerCount())
        return nullptr;
    return layers[static_cast<size_t>(index)];
}

int Graph::add(const char* layerName, vector2 position, unsigned long userData)
{
    int index = findLayer(layerName);
    if (index < 0) {
        layers.push_back(new GraphLayer(layerName, kNewLayerColour));
        index = getLayerCount() - 1;
    }
    return layers[static_cast<size_t>(index)]->addItem(position, userData);
}

int Graph::addLayer(GraphLayer* layer)
{
    if (layer == nullptr || findLayer(layer->getName()) >= 0)
        return -1;
    layers.push_back(layer);
    return getLayerCount() - 1;
}

bool Graph::deleteLayer(int index)
{
    GraphLayer* layer = getLayer(index);
    if (layer == nullptr)
        return false;
    delete layer;
    layers.erase(layers.begin() + index);
    return true;
}

void Graph::removeAllLayer()
{
    for (GraphLayer* layer : layers)
        delete layer;
    layers.clear();
}

int Graph::findLayer(const char* layerName) const
{
    const char* name = layerName != nullptr ? layerName : "";
    for (size_t i = 0; i < layers.size(); ++i)
        if (std::strcmp(layers[i]->getName(), name) == 0)
            return static_cast<int>(i);
    return -1;
}

void Graph::getDataRange(vector2& min, vector2& max) const
{
    if (!autoRange) {
        getUserMinMax(min, max);
        return;
    }
    vector2 low{kLargest, kLargest};
    vector2 high{-kLargest, -kLargest};
    for (GraphLayer* layer : layers)
        layer->getDataRange(low, high);
    widenRange(low, high, min, max);
}

void Graph::calcGrid(float min, float max, int count, std::vector<float>& values)
{
    if (count < 1)
        return;
    const double interval = intervalFor(static_cast<double>(max) - static_cast<double>(min),
                                        static_cast<unsigned int>(std::min(count, kMaxGridCount)), false)
                                .value;
    const double start = std::floor(min / interval) * interval;
    const double end = std::ceil(max / interval) * interval + math<double>::epsilon();
    // The range is widened by a float epsilon for the rounding of the walk, but never by more
    // than half an interval: over a range narrower than the epsilon (a plot zoomed in far), every
    // multiple within the epsilon would count, far more values than the count asks for.
    const float slack = static_cast<float>(std::min<double>(math<float>::epsilon(), interval / 2));
    const float low = min - slack;
    const float high = max + slack;
    // An interval too small to move v ends the walk, and so does passing high.
    for (double v = start; v <= end && v <= high && v + interval > v; v += interval)
        if (low <= v && v <= high)
            values.push_back(static_cast<float>(v));
}

double Graph::getOptimalInterval(double min, double max, unsigned int count, double* outMin, double* outMax,
                                 int* outDecimals, bool integerOnly)
{
    const Interval interval = intervalFor(max - min, count, integerOnly);
    if (outMin != nullptr)
        *outMin = std::floor(min / interval.value) * interval.value;
    if (outMax != nullptr)
        *outMax = std::ceil(max / interval.value) * interval.value;
    if (outDecimals != nullptr)
        *outDecimals = decimalsFor(interval);
    return interval.value;
}

} // namespace qv::gl
