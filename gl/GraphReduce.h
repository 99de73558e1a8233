#pragma once

// What the graph window draws of a layer, computed on the CPU in the plot's pixels.

#include <qv.win/GraphPos.h>

#include <qv.win/core/qv.Rect.h>

#include <cstddef>
#include <vector>

namespace qv::gl::reduce {

// Graph units to plot pixels (origin bottom left), clamped far beyond the plot.
class PixelMap {
public:
    // view: the visible graph units (top is the larger y); width, height: the plot in pixels.
    PixelMap(const rect<float>& view, int width, int height);

    // False for an empty plot or view: nothing can be drawn through the map.
    bool isUsable() const;
    double x(float graphX) const;
    double y(float graphY) const;
    double unclampedX(float graphX) const { return (graphX - left) * scaleX; }
    int width() const { return cx; }
    int height() const { return cy; }

private:
    double left, bottom, scaleX, scaleY;
    int cx, cy;
};

// The items [first, last) of a layer whose x never decreases that can touch the x window
// [left, right]: those inside, plus the neighbour on each side that a segment leads to.
struct Span {
    size_t first;
    size_t last;
};
Span visibleSpan(const GraphPos* items, size_t count, float left, float right);

// Appends the (x, y) pixel vertices of the line strip through the items of span that have a
// place (finite coordinates), each at the centre of its pixel. With everyPoint every item; otherwise, of each run of consecutive items in one
// pixel column, the first, the lowest, the highest and the last, in item order. With every
// vertex on a pixel centre the segments inside a column are vertical and light exactly the
// rows between its lowest and highest point, so a 1-pixel line lights the same pixels.
void lineStrip(const GraphPos* items, Span span, const PixelMap& map, bool everyPoint, std::vector<float>& out);

// The side in pixels of the square a point of pointSize paints.
int squareSize(float pointSize);

// Appends one vertex per square of pointSize pixels that the items of span paint, placed at
// the square's centre so that it covers exactly the pixels computed here. With everyPoint
// one per item; otherwise each square once, and none that cannot reach the plot.
void pointSquares(const GraphPos* items, Span span, const PixelMap& map, float pointSize, bool everyPoint,
                  std::vector<float>& out);

} // namespace qv::gl::reduce
