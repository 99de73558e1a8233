#include "qvtest/GdiCount.h"

#include <windows.h>

namespace qvtest {

namespace {

constexpr UINT_PTR kLastHandleIndex = 0xFFFF;

} // namespace

int liveGdiObjects()
{
    int count = 0;
    for (UINT_PTR index = 1; index <= kLastHandleIndex; ++index) {
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0)
            ++count;
    }
    return count;
}

} // namespace qvtest
