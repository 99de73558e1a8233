#pragma once

#include <afxwin.h>

#include "qv.win.h"

namespace qv::gui {

// An off-screen DIB section with its own memory surface, for callers that compose pictures (for
// example thumbnails drawn once and copied into an image control's cells). Rows are bottom-up.
// Not copyable: the object alone releases its bitmap and surface.
class QV_WIN_API ImageDC {
public:
    // Construction
    ImageDC() = default;
    ImageDC(const ImageDC&) = delete;
    ImageDC& operator=(const ImageDC&) = delete;
    virtual ~ImageDC();

    // Replaces what exists with a new surface and a bitmap of the size and depth (16, 24 or 32 bits
    // per pixel); a size without area or another depth leaves the surface without a bitmap.
    void create(int cx, int cy, WORD bitCount);
    void create(CSize size, WORD bitCount);
    // A new bitmap of the same depth; nothing happens unless both sides are positive.
    void resize(int cx, int cy);
    void resize(CSize size);
    void destroy();

    // Attributes
    CDC* getDC() const noexcept { return m_pDC; }
    operator CDC*() const noexcept { return m_pDC; }
    HBITMAP getHandle() const noexcept { return m_hBitmap; }
    const BITMAPINFO& getInfo() const noexcept { return m_info; }
    CSize getSize() const noexcept { return m_size; }
    WORD getBitCount() const noexcept { return m_nBitCount; }
    bool isCreated() const noexcept { return m_pBits != nullptr; }

    // Operations
    // Copies the whole bitmap to the target at (x, y).
    void draw(CDC* pDC, int x, int y);

    // Implementation
private:
    void _resize(int cx, int cy, WORD bitCount);
    void _releaseBitmap();

    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
    void* m_pBits = nullptr;
    CSize m_size{0, 0};
    CDC* m_pDC = nullptr;
    BITMAPINFO m_info{};
    WORD m_nBitCount = 0;
};

} // namespace qv::gui
