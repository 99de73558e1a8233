#pragma once

// What the graph window draws of a layer, computed on the CPU in the plot's pixels.

#include "GraphSummary.h"

#include <qv.win/GraphPos.h>

#include <qv.win/core/qv.Rect.h>

#include <cstddef>
#include <cstdint>
#include <utility>
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
    std::size_t first = 0;
    std::size_t last = 0;
};
Span visibleSpan(const GraphPos* items, std::size_t count, float left, float right);

// The line strip through the items of a span that have a place, each vertex at the centre of
// its pixel. With everyPoint one vertex per item; otherwise, of each run of consecutive items
// in one pixel column, the first, the lowest, the highest and the last, in item order. With
// every vertex on a pixel centre the segments inside a column are vertical and light exactly
// the rows between its lowest and highest point, so a 1-pixel line lights the same pixels.
//
// The scan can go on where it stopped when the span has only grown at its end over the same
// items, and takes whole blocks of a summary (of a layer in x order) that fall in one column.
class LineScan {
public:
    void start(Span span, bool everyPoint);
    // Goes on to the end of span; span.first must not have changed since start.
    void scan(const GraphPos* items, Span span, const PixelMap& map, const Summary* summary);
    const Span& getSpan() const { return scanned; }
    // (x, y) pairs.
    const std::vector<float>& getVertices() const { return vertices; }

private:
    void _startRun(std::size_t index, double x);
    void _flush(const GraphPos* items, const PixelMap& map);
    bool _inColumn(double x) const { return x >= column && x < column + 1; }

    Span scanned;
    bool everyPoint = false;
    bool started = false;
    double column = 0;
    std::size_t first = 0;
    Block run;
    std::vector<float> vertices;
    // The vertices of the runs closed so far; those of the open run follow.
    std::size_t closedSize = 0;
};

// The side in pixels of the square a point of pointSize paints.
int squareSize(float pointSize);

class SquareGrid;

// The squares of side size that the points of a span paint. With everyPoint one GL point per
// item, at the centre of its square. Otherwise each square once, and none that cannot reach
// the plot: the pixels that the squares inside the plot cover as one vertical 1-pixel line per
// run down a pixel column, the squares crossing the plot's edge as GL points (GL clips those by
// their centres).
//
// Like LineScan, the scan goes on over a span that grew at its end, and skips whole blocks of
// a summary that fall in one column where their pixels are already covered.
class PointScan {
public:
    void start(Span span, const PixelMap& map, int squareSide, bool everyPoint);
    void scan(const GraphPos* items, Span span, const PixelMap& map, const Summary* summary);
    const Span& getSpan() const { return scanned; }
    // (x, y) pairs: the ends of each line, on the centres of its first pixel and of the pixel
    // after its last (which a line leaves unlit).
    const std::vector<float>& getRuns() const { return runs; }
    // (x, y) pairs: the centres of the squares drawn as GL points.
    const std::vector<float>& getPoints() const { return points; }

private:
    // A block of the summary whose rows may not all be painted yet.
    struct OpenBlock {
        const Block* block;
        std::size_t first;
        std::size_t items;
    };

    std::size_t _takeColumn(const GraphPos* items, const Summary& summary, std::size_t index, std::size_t end,
                            const SquareGrid& grid);
    void _open(const Block& block, std::size_t first, std::size_t items, const SquareGrid& grid);
    void _takeApart(const GraphPos* items, const Summary& summary, const OpenBlock& block, const SquareGrid& grid);
    bool _isCovered(int fromRow, int toRow) const;
    bool _isInside(int row) const;
    void _paint(int row);
    void _collect();
    void _collectPoints(int index);
    void _collectPixels(int pixel);
    void _addPoint(int columnIndex, int row);

    Span scanned;
    bool everyPoint = false;
    int size = 1;
    // The bits of a square's side, lowest first.
    std::uint64_t squareBits = 1;
    // Squares are indexed by their first pixel plus size, on each axis: those that can reach
    // the plot from 0 to columns and rows, those wholly inside it from size to the last inner.
    int columns = 0;
    int rows = 0;
    int lastInnerColumn = 0;
    int lastInnerRow = 0;
    std::size_t wordsPerColumn = 0;
    // A bit per square, by column, and a bit per pixel that the squares inside the plot cover,
    // the pixel at the first row of a square by that square's bit. Covered has a word beyond the
    // last column, so that a square's bits can always be written to two words.
    std::vector<std::uint64_t> painted;
    std::vector<std::uint64_t> covered;
    // The column of the last item with a place taken in, once there is one.
    bool started = false;
    int column = 0;
    // The blocks of this round of a column and, their ends painted, those of the next.
    std::vector<OpenBlock> open;
    std::vector<OpenBlock> parts;
    // The rows covered in the pixel column being collected.
    std::vector<std::uint64_t> pixelRows;
    std::vector<float> runs;
    std::vector<float> points;
};

} // namespace qv::gl::reduce
