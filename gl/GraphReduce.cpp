#include "GraphReduce.h"

#include <algorithm>
#include <cmath>

namespace qv::gl::reduce {

namespace {

// Far beyond any plot, well inside what a rasteriser's fixed-point coordinates hold.
constexpr double kFarPixels = 4194304;
constexpr float kLargestPointSize = 64;

// The centre of the pixel holding a position.
float pixelCentre(double pixels)
{
    return static_cast<float>(std::floor(pixels) + 0.5);
}

// One run of consecutive items in one column, reduced to the items that shape its pixels.
class ColumnRun {
public:
    void start(size_t index, float y)
    {
        first = last = low = high = index;
        lowY = highY = y;
    }
    void add(size_t index, float y)
    {
        last = index;
        if (y < lowY) {
            lowY = y;
            low = index;
        }
        if (y > highY) {
            highY = y;
            high = index;
        }
    }
    // The distinct indices among first, low, high and last, in item order.
    int indices(size_t out[4]) const
    {
        size_t sorted[4] = {first, std::min(low, high), std::max(low, high), last};
        int count = 0;
        for (const size_t index : sorted)
            if (count == 0 || out[count - 1] != index)
                out[count++] = index;
        return count;
    }

private:
    size_t first = 0, last = 0, low = 0, high = 0;
    float lowY = 0, highY = 0;
};

// Points without a place (NaN or infinite coordinates) are left out of what GL is given.
bool isFinite(const GraphPos& item)
{
    return std::isfinite(item.getItem().x) && std::isfinite(item.getItem().y);
}

void append(std::vector<float>& out, float x, float y)
{
    out.push_back(x);
    out.push_back(y);
}

// The first pixel a square of size pixels covers when drawn at position: odd squares centre on
// the pixel holding the position, even ones on the pixel corner nearest to it.
int squareKey(double position, int size)
{
    return static_cast<int>(std::floor(position + (size % 2 == 0 ? 0.5 : 0.0))) - size / 2;
}

float squareCentre(int key, int size)
{
    return static_cast<float>(key) + static_cast<float>(size) * 0.5f;
}

} // namespace

PixelMap::PixelMap(const rect<float>& view, int width, int height)
    : left(view.left), bottom(view.bottom), scaleX(width / (static_cast<double>(view.right) - view.left)),
      scaleY(height / (static_cast<double>(view.top) - view.bottom)), cx(width), cy(height)
{
}

bool PixelMap::isUsable() const
{
    return std::isfinite(scaleX) && std::isfinite(scaleY) && scaleX > 0 && scaleY > 0;
}

double PixelMap::x(float graphX) const
{
    return std::clamp(unclampedX(graphX), -kFarPixels, kFarPixels);
}

double PixelMap::y(float graphY) const
{
    return std::clamp((graphY - bottom) * scaleY, -kFarPixels, kFarPixels);
}

Span visibleSpan(const GraphPos* items, size_t count, float left, float right)
{
    const GraphPos* end = items + count;
    const GraphPos* inside =
        std::lower_bound(items, end, left, [](const GraphPos& item, float x) { return item.getItem().x < x; });
    const GraphPos* beyond =
        std::upper_bound(inside, end, right, [](float x, const GraphPos& item) { return x < item.getItem().x; });
    const size_t first = static_cast<size_t>(inside - items);
    const size_t last = static_cast<size_t>(beyond - items);
    return {first > 0 ? first - 1 : 0, last < count ? last + 1 : count};
}

void lineStrip(const GraphPos* items, Span span, const PixelMap& map, bool everyPoint, std::vector<float>& out)
{
    if (!map.isUsable())
        return;
    const auto vertex = [&](size_t i) {
        append(out, pixelCentre(map.x(items[i].getItem().x)), pixelCentre(map.y(items[i].getItem().y)));
    };
    if (everyPoint) {
        for (size_t i = span.first; i < span.last; ++i)
            if (isFinite(items[i]))
                vertex(i);
        return;
    }
    const auto flush = [&](const ColumnRun& run) {
        size_t indices[4];
        const int count = run.indices(indices);
        for (int k = 0; k < count; ++k)
            vertex(indices[k]);
    };
    // The lowest and highest of a run are taken by graph y: the map keeps their order, and
    // items on one pixel row share its centre, so any of them gives the same vertex.
    ColumnRun run;
    bool started = false;
    double column = 0;
    for (size_t i = span.first; i < span.last; ++i) {
        if (!isFinite(items[i]))
            continue;
        const GraphPos::vector2& p = items[i].getItem();
        const double x = map.unclampedX(p.x);
        if (started && x >= column && x < column + 1) {
            run.add(i, p.y);
            continue;
        }
        if (started)
            flush(run);
        column = std::floor(x);
        run.start(i, p.y);
        started = true;
    }
    if (started)
        flush(run);
}

int squareSize(float pointSize)
{
    return static_cast<int>(std::lround(std::clamp(pointSize, 1.0f, kLargestPointSize)));
}

void pointSquares(const GraphPos* items, Span span, const PixelMap& map, float pointSize, bool everyPoint,
                  std::vector<float>& out)
{
    if (!map.isUsable())
        return;
    const int size = squareSize(pointSize);
    // Keys of squares that can reach the plot lie in [-size, extent).
    const int columns = map.width() + size;
    const int rows = map.height() + size;
    std::vector<bool> painted(everyPoint ? 0 : static_cast<size_t>(columns) * static_cast<size_t>(rows));
    for (size_t i = span.first; i < span.last; ++i) {
        if (!isFinite(items[i]))
            continue;
        const int kx = squareKey(map.x(items[i].getItem().x), size);
        const int ky = squareKey(map.y(items[i].getItem().y), size);
        if (!everyPoint) {
            const int column = kx + size;
            const int row = ky + size;
            if (column < 0 || column >= columns || row < 0 || row >= rows)
                continue;
            const size_t bit = static_cast<size_t>(row) * static_cast<size_t>(columns) + static_cast<size_t>(column);
            if (painted[bit])
                continue;
            painted[bit] = true;
        }
        append(out, squareCentre(kx, size), squareCentre(ky, size));
    }
}

} // namespace qv::gl::reduce
