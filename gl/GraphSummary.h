#pragma once

// Block summaries of a layer's items, so that a pass over a pixel column can take in a long run
// of items without visiting them.

#include <qv.win/GraphPos.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace qv::gl::reduce {

// Points without a place (NaN or infinite coordinates) are never drawn.
inline bool hasPlace(const GraphPos::vector2& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// What a run of consecutive items adds to a reduced column: its lowest and highest item with a
// place (the first of equals) and its last one. For a layer whose x never decreases, lastX is
// the largest x in the block.
struct Block {
    static constexpr std::uint32_t kNone = UINT32_MAX;

    float lastX = 0;
    float lowY = std::numeric_limits<float>::infinity();
    float highY = -std::numeric_limits<float>::infinity();
    std::uint32_t low = kNone; // kNone: no item of the block has a place
    std::uint32_t high = kNone;
    std::uint32_t last = kNone;

    bool isEmpty() const { return last == kNone; }
    // Takes in the item at index, which has a place and follows every item taken in so far.
    // Written without branches: noisy data would mispredict them at every other item.
    void add(std::uint32_t index, float y)
    {
        const bool lower = y < lowY;
        const bool higher = y > highY;
        lowY = lower ? y : lowY;
        low = lower ? index : low;
        highY = higher ? y : highY;
        high = higher ? index : high;
        last = index;
    }
    // Takes in a block of the items that follow.
    void add(const Block& next)
    {
        lastX = next.lastX;
        if (next.isEmpty())
            return;
        if (next.lowY < lowY) {
            lowY = next.lowY;
            low = next.low;
        }
        if (next.highY > highY) {
            highY = next.highY;
            high = next.high;
        }
        last = next.last;
    }
};

// The blocks of 16, 256, 4096... consecutive items of a layer, aligned on their size. Only whole
// blocks are summarised; items appended later complete the blocks at the end. The first level
// costs 24 bytes for 16 items of 16 bytes, a tenth of the items' memory; each level above it a
// sixteenth of the one below.
class Summary {
public:
    static constexpr std::size_t kFirstBlockItems = 16;
    static constexpr std::size_t kFanOut = 16;

    // Summarises the blocks completed by the items beyond those seen so far.
    void update(const GraphPos* items, std::size_t count);
    // Forgets every block: the items seen so far have changed.
    void reset();

    // The block of blockItems (16, 256...) items starting at index, or null when it is not
    // summarised (not whole, or index not aligned on its size).
    const Block* at(std::size_t index, std::size_t blockItems) const;

    // The largest block starting at index and ending by end that satisfies fits, or null; size
    // receives its number of items. Fits must fail for a block whenever it fails for the first
    // part of that block, as a test on the block's last x or on its y range does.
    template <class Fits>
    const Block* largestAt(std::size_t index, std::size_t end, Fits fits, std::size_t& size) const
    {
        const Block* found = nullptr;
        std::size_t blockItems = kFirstBlockItems;
        for (const std::vector<Block>& level : levels) {
            if (index % blockItems != 0 || index / blockItems >= level.size() || end - index < blockItems)
                break;
            const Block& block = level[index / blockItems];
            if (!fits(block))
                break;
            found = &block;
            size = blockItems;
            blockItems *= kFanOut;
        }
        return found;
    }

private:
    std::vector<std::vector<Block>> levels;
};

} // namespace qv::gl::reduce
