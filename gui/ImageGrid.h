#pragma once

// The image control's grid arithmetic, in 64 bits: which cells meet an interval and which cell
// holds a coordinate, without walking the cells.

#include <algorithm>
#include <climits>
#include <utility>

namespace qv::gui::grid {

// Margins, sizes and cells are limited to this many pixels, far beyond any screen, so that their
// sums stay within 32 bits.
constexpr int kMaxExtent = 1 << 20;

inline int saturated(__int64 value)
{
    return int(std::clamp<__int64>(value, INT_MIN, INT_MAX));
}

inline int limited(int value)
{
    return std::clamp(value, -kMaxExtent, kMaxExtent);
}

// Rounds toward minus infinity.
inline __int64 floorDiv(__int64 a, __int64 b)
{
    const __int64 q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Cells along one axis: cell k covers [start(k), start(k) + size) for k = 0 … count - 1, each
// after a gap. size + gap is at least 1.
struct Axis {
    __int64 origin;
    __int64 gap;
    __int64 size;
    __int64 count;

    __int64 pitch() const { return gap + size; }
    __int64 start(__int64 k) const { return origin + gap + k * pitch(); }

    // The first and last cells that overlap [low, high), an interval with room in it; first > last
    // when none does.
    std::pair<__int64, __int64> overlapping(__int64 low, __int64 high) const
    {
        const __int64 first = std::max<__int64>(floorDiv(low - origin - gap - size, pitch()) + 1, 0);
        const __int64 last = std::min(floorDiv(high - 1 - origin - gap, pitch()), count - 1);
        return {first, last};
    }

    // The cell that holds the coordinate, -1 in a gap or beyond the cells.
    __int64 at(__int64 coordinate) const
    {
        const __int64 k = floorDiv(coordinate - origin - gap, pitch());
        return k >= 0 && k < count && coordinate - start(k) < size ? k : -1;
    }
};

} // namespace qv::gui::grid
