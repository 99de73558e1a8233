#pragma once

#include <afxwin.h>

#include "qv.win.h"

namespace qv::gui {

// A double-buffered surface for one paint pass. Everything drawn into it goes to an off-screen bitmap
// in the target's own logical coordinates, copied onto the target when the MemDC is destroyed. On a
// printing target it draws straight onto the target instead and copies nothing.
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

    // Text output on the memory surface's own handle.
    CSize TabbedTextOut(int x, int y, LPCTSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions,
                        int nTabOrigin);
    int DrawTextEx(LPTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams);
    BOOL GrayString(CBrush* pBrush, GRAYSTRINGPROC lpfnOutput, LPARAM lpData, int nCount, int x, int y, int nWidth,
                    int nHeight);
    int Escape(int nEscape, int nCount, LPCSTR lpszInData, LPVOID lpOutData);

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
