#include "GraphSummary.h"

namespace qv::gl::reduce {

namespace {

Block summarise(const GraphPos* items, std::size_t first, std::size_t count)
{
    Block block;
    for (std::size_t i = first; i < first + count; ++i)
        if (const GraphPos::vector2& p = items[i].getItem(); hasPlace(p))
            block.add(static_cast<std::uint32_t>(i), p.y);
    block.lastX = items[first + count - 1].getItem().x;
    return block;
}

Block summarise(const std::vector<Block>& blocks, std::size_t first, std::size_t count)
{
    Block block;
    for (std::size_t i = first; i < first + count; ++i)
        block.add(blocks[i]);
    return block;
}

} // namespace

void Summary::update(const GraphPos* items, std::size_t count)
{
    std::size_t blockItems = kFirstBlockItems;
    for (std::size_t level = 0; count / blockItems > 0; ++level, blockItems *= kFanOut) {
        if (levels.size() == level)
            levels.emplace_back();
        std::vector<Block>& blocks = levels[level];
        for (std::size_t b = blocks.size(); b < count / blockItems; ++b)
            blocks.push_back(level == 0 ? summarise(items, b * kFirstBlockItems, kFirstBlockItems)
                                        : summarise(levels[level - 1], b * kFanOut, kFanOut));
    }
}

const Block* Summary::at(std::size_t index, std::size_t blockItems) const
{
    std::size_t items = kFirstBlockItems;
    for (const std::vector<Block>& level : levels) {
        if (items == blockItems)
            return index % items == 0 && index / items < level.size() ? &level[index / items] : nullptr;
        items *= kFanOut;
    }
    return nullptr;
}

void Summary::reset()
{
    for (std::vector<Block>& level : levels)
        level.clear();
}

} // namespace qv::gl::reduce
