#pragma once

#include <afxwin.h>

#include "qv.win.h"

namespace qv::gui {

// A double-buffered surface for one paint pass. Everything drawn into it goes to an off-screen bitmap
// in the target's own logical coordinates, copied onto the target when the MemDC is destroyed. On a
// printing target it draws straight onto the target instead and copies nothing. Text and visibility
// queries act on the surface's own output handle, as CDC's do.
class QV_WIN_API MemDC : public CDC {
public:
    // Construction
    // pRect null buffers the target's clip box; copyFirst starts from the target's picture; usePalette
    // realises a palette built from the bitmap on the target before the copy back.
    explicit MemDC(CDC* pDC, const RECT* pRect = nullptr, int copyFirst = FALSE, int usePalette = FALSE);
    MemDC(const MemDC&) = delete;
    MemDC& operator=(const MemDC&) = delete;
    ~MemDC() override;

    // Attributes
    operator MemDC*() noexcept { return this; }
    MemDC* operator->() noexcept { return this; }

    // Operations
    // A 236-colour palette from the colour table of the bitmap in pDC (null: this surface); FALSE on a
    // device without palettes.
    BOOL CreatePalette(CPalette& palette, CDC* pDC = nullptr);

    // Implementation
private:
    void _borrowPrinter();
    void _createBuffer(const RECT* pRect, bool copyFirst);
    void _copyBack();

    CBitmap m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    CDC* m_pDC;
    CRect m_rect;
    BOOL m_bMemDC = FALSE;
    BOOL m_bUsePalette;
};

} // namespace qv::gui
