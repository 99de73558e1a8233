#include "GraphReduce.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace qv::gl::reduce {

namespace {

// Far beyond any plot, well inside what a rasteriser's fixed-point coordinates hold.
constexpr double kFarPixels = 4194304;
constexpr float kLargestPointSize = 64;
constexpr int kWordBits = 64;

// The centre of the pixel holding a position.
float pixelCentre(double pixels)
{
    return static_cast<float>(std::floor(pixels) + 0.5);
}

void append(std::vector<float>& out, float x, float y)
{
    out.push_back(x);
    out.push_back(y);
}

// The largest integer not above pixels, for pixels within the far limits: cheaper than floor,
// which the point scan would otherwise call twice an item.
int floorPixel(double pixels)
{
    const int truncated = static_cast<int>(pixels);
    return truncated - (pixels < truncated);
}

// Calls visit(word, mask) for each word holding bits of [from, to], with the mask of those
// bits, while it returns true; returns whether it always did.
template <class Visit>
bool eachWord(int from, int to, Visit visit)
{
    for (int bit = from; bit <= to;) {
        const int first = bit % kWordBits;
        const int count = std::min(kWordBits - first, to - bit + 1);
        const std::uint64_t mask = (count == kWordBits ? ~0ull : ((1ull << count) - 1)) << first;
        if (!visit(static_cast<std::size_t>(bit / kWordBits), mask))
            return false;
        bit += count;
    }
    return true;
}

// The first row from `from` on whose bit is `set`, or rows when there is none.
int nextRow(const std::uint64_t* words, std::size_t count, int rows, int from, bool set)
{
    std::size_t word = static_cast<std::size_t>(from / kWordBits);
    if (word >= count)
        return rows;
    std::uint64_t bits = (set ? words[word] : ~words[word]) & (~0ull << (from % kWordBits));
    while (bits == 0) {
        if (++word >= count)
            return rows;
        bits = set ? words[word] : ~words[word];
    }
    return std::min(static_cast<int>(word) * kWordBits + std::countr_zero(bits), rows);
}

} // namespace

// The squares of side size over the plot's pixels, indexed by their first pixel plus size, so
// that those that can reach the plot have indices from 0 on. A point's square centres on the
// pixel holding it when odd, on the pixel corner nearest to it when even.
class SquareGrid {
public:
    SquareGrid(const PixelMap& map, int size) : map(map), half(size % 2 == 0 ? 0.5 : 0.0), shift(size - size / 2) {}

    int column(float x) const { return floorPixel(map.x(x) + half) + shift; }
    int row(float y) const { return floorPixel(map.y(y) + half) + shift; }

private:
    const PixelMap& map;
    double half;
    int shift;
};

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
    return std::min(std::max(unclampedX(graphX), -kFarPixels), kFarPixels);
}

double PixelMap::y(float graphY) const
{
    return std::min(std::max((graphY - bottom) * scaleY, -kFarPixels), kFarPixels);
}

Span visibleSpan(const GraphPos* items, std::size_t count, float left, float right)
{
    const GraphPos* end = items + count;
    const GraphPos* inside =
        std::lower_bound(items, end, left, [](const GraphPos& item, float x) { return item.getItem().x < x; });
    const GraphPos* beyond =
        std::upper_bound(inside, end, right, [](float x, const GraphPos& item) { return x < item.getItem().x; });
    const std::size_t first = static_cast<std::size_t>(inside - items);
    const std::size_t last = static_cast<std::size_t>(beyond - items);
    return {first > 0 ? first - 1 : 0, last < count ? last + 1 : count};
}

void LineScan::start(Span span, bool every)
{
    scanned = {span.first, span.first};
    everyPoint = every;
    started = false;
    vertices.clear();
    closedSize = 0;
}

// The lowest and highest of a run are taken by graph y: the map keeps their order, and items
// on one pixel row share its centre, so any of them gives the same vertex.
void LineScan::scan(const GraphPos* items, Span span, const PixelMap& map, const Summary* summary)
{
    if (span.last == scanned.last)
        return;
    vertices.resize(closedSize);
    if (!map.isUsable()) {
        scanned.last = span.last;
        return;
    }
    if (everyPoint)
        summary = nullptr;
    const auto inRunColumn = [&](const Block& block) { return _inColumn(map.unclampedX(block.lastX)); };
    for (std::size_t i = scanned.last; i < span.last;) {
        std::size_t blockItems = 0;
        const Block* block = started && summary ? summary->largestAt(i, span.last, inRunColumn, blockItems) : nullptr;
        if (block != nullptr) {
            run.add(*block);
            i += blockItems;
            continue;
        }
        const GraphPos::vector2& p = items[i].getItem();
        if (hasPlace(p)) {
            const double x = map.unclampedX(p.x);
            if (everyPoint || !started || !_inColumn(x)) {
                if (started)
                    _flush(items, map);
                _startRun(i, x);
            }
            run.add(static_cast<std::uint32_t>(i), p.y);
        }
        ++i;
    }
    scanned.last = span.last;
    closedSize = vertices.size();
    if (started)
        _flush(items, map);
}

void LineScan::_startRun(std::size_t index, double x)
{
    column = std::floor(x);
    first = index;
    run = Block();
    started = true;
}

// The distinct items among the first, lowest, highest and last, in item order.
void LineScan::_flush(const GraphPos* items, const PixelMap& map)
{
    const std::size_t sorted[4] = {first, std::min(run.low, run.high), std::max(run.low, run.high), run.last};
    for (int k = 0; k < 4; ++k) {
        if (k > 0 && sorted[k] == sorted[k - 1])
            continue;
        const GraphPos::vector2& p = items[sorted[k]].getItem();
        append(vertices, pixelCentre(map.x(p.x)), pixelCentre(map.y(p.y)));
    }
}

// NaN would pass through the clamp.
int squareSize(float pointSize)
{
    if (!(pointSize >= 1.0f))
        return 1;
    return static_cast<int>(std::lround(std::min(pointSize, kLargestPointSize)));
}

void PointScan::start(Span span, const PixelMap& map, int squareSide, bool every)
{
    scanned = {span.first, span.first};
    everyPoint = every;
    size = squareSide;
    columns = std::max(map.width(), 0) + size;
    rows = std::max(map.height(), 0) + size;
    lastInnerColumn = map.width();
    lastInnerRow = map.height();
    wordsPerColumn = (static_cast<std::size_t>(rows) + kWordBits - 1) / kWordBits;
    painted.assign(every ? 0 : static_cast<std::size_t>(columns) * wordsPerColumn, 0);
    covered.assign(painted.size() + 1, 0);
    squareBits = size >= kWordBits ? ~0ull : (1ull << size) - 1;
    started = false;
    runs.clear();
    points.clear();
}

void PointScan::scan(const GraphPos* items, Span span, const PixelMap& map, const Summary* summary)
{
    if (span.last == scanned.last)
        return;
    std::size_t i = scanned.last;
    scanned.last = span.last;
    if (!map.isUsable())
        return;
    const SquareGrid grid(map, size);
    if (everyPoint) {
        for (; i < span.last; ++i)
            if (const GraphPos::vector2& p = items[i].getItem(); hasPlace(p))
                _addPoint(grid.column(p.x), grid.row(p.y));
        return;
    }
    while (i < span.last) {
        if (started && summary != nullptr) {
            const std::size_t taken = _takeColumn(items, *summary, i, span.last, grid);
            i += taken;
            if (taken > 0)
                continue;
        }
        const GraphPos::vector2& p = items[i++].getItem();
        if (!hasPlace(p))
            continue;
        column = grid.column(p.x);
        started = true;
        _paint(grid.row(p.y));
    }
    _collect();
}

// Takes in the whole blocks from index on that stay in the current column, and returns how
// many items they cover. The lowest and highest items of each block are painted first, so
// that the edges of the column are known early and most blocks then lie in pixels already
// covered. The others are taken apart round by round, the ends of all their parts painted
// before any part is looked at: the ends of many small blocks fill the middle of the column,
// so that few blocks need their items visited.
std::size_t PointScan::_takeColumn(const GraphPos* items, const Summary& summary, std::size_t index,
                                   std::size_t end, const SquareGrid& grid)
{
    const auto inColumn = [&](const Block& block) { return grid.column(block.lastX) == column; };
    parts.clear();
    std::size_t next = index;
    for (std::size_t blockItems = 0; const Block* block = summary.largestAt(next, end, inColumn, blockItems);) {
        _open(*block, next, blockItems, grid);
        next += blockItems;
    }
    while (!parts.empty()) {
        open.swap(parts);
        parts.clear();
        for (const OpenBlock& block : open)
            _takeApart(items, summary, block, grid);
    }
    return next - index;
}

// Paints the squares of the lowest and highest items of a block and keeps it for the next round.
void PointScan::_open(const Block& block, std::size_t first, std::size_t items, const SquareGrid& grid)
{
    if (block.isEmpty())
        return;
    _paint(grid.row(block.lowY));
    _paint(grid.row(block.highY));
    parts.push_back({&block, first, items});
}

// A block that may paint new pixels: the squares of its items when it is of the first level;
// otherwise its parts, for the next round.
void PointScan::_takeApart(const GraphPos* items, const Summary& summary, const OpenBlock& block,
                           const SquareGrid& grid)
{
    if (_isCovered(grid.row(block.block->lowY), grid.row(block.block->highY)))
        return;
    if (block.items == Summary::kFirstBlockItems) {
        for (std::size_t i = block.first; i < block.first + block.items; ++i)
            if (const GraphPos::vector2& p = items[i].getItem(); hasPlace(p))
                _paint(grid.row(p.y));
        return;
    }
    const std::size_t partItems = block.items / Summary::kFanOut;
    for (std::size_t part = block.first; part < block.first + block.items; part += partItems)
        _open(*summary.at(part, partItems), part, partItems, grid);
}

// Whether squares of the current column in rows [fromRow, toRow] would paint no new pixel:
// inside the plot, where squares are drawn as runs of pixels, when every pixel they could
// cover is covered already (squares overlap, so this holds long before every row has a square
// of its own); elsewhere, where squares are GL points that the plot's edge may clip whole, when
// every square that can reach the plot is painted.
bool PointScan::_isCovered(int fromRow, int toRow) const
{
    if (column < 0 || column >= columns)
        return true;
    const std::size_t at = static_cast<std::size_t>(column) * wordsPerColumn;
    if (_isInside(fromRow) && _isInside(toRow))
        return eachWord(fromRow, toRow + size - 1,
                        [&](std::size_t word, std::uint64_t mask) { return (covered[at + word] & mask) == mask; });
    return eachWord(std::max(fromRow, 0), std::min(toRow, rows - 1),
                    [&](std::size_t word, std::uint64_t mask) { return (painted[at + word] & mask) == mask; });
}

// Whether the square in row of the current column lies inside the plot.
bool PointScan::_isInside(int row) const
{
    return column >= size && column <= lastInnerColumn && row >= size && row <= lastInnerRow;
}

// Paints the square in row of the current column, and covers its pixels when inside the plot.
void PointScan::_paint(int row)
{
    if (static_cast<unsigned>(column) >= static_cast<unsigned>(columns)
        || static_cast<unsigned>(row) >= static_cast<unsigned>(rows))
        return;
    const std::size_t at =
        static_cast<std::size_t>(column) * wordsPerColumn + static_cast<std::size_t>(row) / kWordBits;
    const unsigned shift = static_cast<unsigned>(row) % kWordBits;
    painted[at] |= 1ull << shift;
    if (_isInside(row)) {
        const unsigned __int128 square = static_cast<unsigned __int128>(squareBits) << shift;
        covered[at] |= static_cast<std::uint64_t>(square);
        covered[at + 1] |= static_cast<std::uint64_t>(square >> kWordBits);
    }
}

void PointScan::_collect()
{
    runs.clear();
    points.clear();
    for (int column = 0; column < columns; ++column)
        _collectPoints(column);
    for (int pixel = 0; pixel < lastInnerColumn; ++pixel)
        _collectPixels(pixel);
}

// The squares of a column that cross the plot's edge, as points.
void PointScan::_collectPoints(int index)
{
    const std::uint64_t* squares = &painted[static_cast<std::size_t>(index) * wordsPerColumn];
    const auto addPoints = [&](int from, int to) {
        for (int row = nextRow(squares, wordsPerColumn, rows, from, true); row < to;
             row = nextRow(squares, wordsPerColumn, rows, row + 1, true))
            _addPoint(index, row);
    };
    if (index < size || index > lastInnerColumn) {
        addPoints(0, rows);
        return;
    }
    addPoints(0, size);
    addPoints(lastInnerRow + 1, rows);
}

// The pixels of one column of the plot that the squares inside it cover, as one line per run:
// the union of the squares of the size columns that reach it, so that each pixel is drawn once.
// A software rasteriser sets up a line for half the cost of a rectangle; a vertical line between
// pixel centres lights the same pixels as the rectangle around them.
void PointScan::_collectPixels(int pixel)
{
    pixelRows.assign(wordsPerColumn, 0);
    for (int index = std::max(pixel + 1, size); index <= std::min(pixel + size, lastInnerColumn); ++index) {
        const std::uint64_t* pixels = &covered[static_cast<std::size_t>(index) * wordsPerColumn];
        for (std::size_t word = 0; word < wordsPerColumn; ++word)
            pixelRows[word] |= pixels[word];
    }
    const std::uint64_t* pixels = pixelRows.data();
    const float x = static_cast<float>(pixel) + 0.5f;
    for (int row = nextRow(pixels, wordsPerColumn, rows, 0, true); row < rows;) {
        const int end = nextRow(pixels, wordsPerColumn, rows, row, false);
        append(runs, x, static_cast<float>(row - size) + 0.5f);
        append(runs, x, static_cast<float>(end - size) + 0.5f);
        row = nextRow(pixels, wordsPerColumn, rows, end, true);
    }
}

void PointScan::_addPoint(int columnIndex, int row)
{
    const float half = static_cast<float>(size) * 0.5f;
    append(points, static_cast<float>(columnIndex - size) + half, static_cast<float>(row - size) + half);
}

} // namespace qv::gl::reduce
