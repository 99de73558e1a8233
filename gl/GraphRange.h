#pragma once

#include <qv.win/GraphPos.h>

namespace qv::gl {

// Lowers min and raises max, component by component, to take in [low, high]; never narrows.
inline void widenRange(const GraphPos::vector2& low, const GraphPos::vector2& high, GraphPos::vector2& min,
                       GraphPos::vector2& max)
{
    if (low.x < min.x)
        min.x = low.x;
    if (low.y < min.y)
        min.y = low.y;
    if (high.x > max.x)
        max.x = high.x;
    if (high.y > max.y)
        max.y = high.y;
}

} // namespace qv::gl
