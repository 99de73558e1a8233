#pragma once

#include <afxwin.h>

#include <vector>

namespace qv::gui {

// A logical palette of a fixed number of entries, all zero until the caller fills them, from
// which a CPalette is made. The GL manager, the gradient and the memory DC build theirs with it.
class LogicalPalette {
public:
    explicit LogicalPalette(int entries)
        : m_buffer(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * static_cast<size_t>(entries > 1 ? entries - 1 : 0))
    {
        get()->palVersion = kVersion;
        get()->palNumEntries = static_cast<WORD>(entries);
    }

    LOGPALETTE* get() { return reinterpret_cast<LOGPALETTE*>(m_buffer.data()); }
    PALETTEENTRY& operator[](int index) { return get()->palPalEntry[index]; }

    // FALSE when the platform refuses the palette.
    BOOL create(CPalette& palette) { return palette.CreatePalette(get()); }

private:
    static constexpr WORD kVersion = 0x300;

    std::vector<BYTE> m_buffer;
};

} // namespace qv::gui
