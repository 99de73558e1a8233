#include <qv.win/MemDC.h>

#include "LogicalPalette.h"

namespace qv::gui {

namespace {

// The colours a palette device leaves to applications: 256 less the 20 static system colours.
const int kPaletteEntries = 236;

} // namespace

MemDC::MemDC(CDC* pDC, const RECT* pRect, int copyFirst, int usePalette) : m_pDC(pDC), m_bUsePalette(usePalette)
{
    if (pDC == nullptr)
        return;
    m_bMemDC = !pDC->IsPrinting();
    if (m_bMemDC)
        _createBuffer(pRect, copyFirst != 0);
    else
        _borrowPrinter();
}

// Drawing goes straight to the printer through its own handles.
void MemDC::_borrowPrinter()
{
    m_bPrinting = m_pDC->m_bPrinting;
    m_hDC = m_pDC->m_hDC;
    m_hAttribDC = m_pDC->m_hAttribDC;
}

void MemDC::_createBuffer(const RECT* pRect, bool copyFirst)
{
    if (pRect != nullptr)
        m_rect = *pRect;
    else
        m_pDC->GetClipBox(&m_rect);
    CreateCompatibleDC(m_pDC);
    m_bitmap.CreateCompatibleBitmap(m_pDC, m_rect.Width(), m_rect.Height());
    m_oldBitmap = SelectObject(&m_bitmap);
    SetWindowOrg(m_rect.left, m_rect.top);
    if (copyFirst)
        BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_pDC, m_rect.left, m_rect.top, SRCCOPY);
}

MemDC::~MemDC()
{
    if (m_bMemDC) {
        _copyBack();
    } else {
        // The handles are the printer's: the base class must not delete them.
        m_hDC = nullptr;
        m_hAttribDC = nullptr;
    }
}

void MemDC::_copyBack()
{
    CPalette palette;
    CPalette* oldPalette = nullptr;
    if (m_bUsePalette && CreatePalette(palette)) {
        oldPalette = m_pDC->SelectPalette(&palette, FALSE);
        m_pDC->RealizePalette();
    }
    m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top, SRCCOPY);
    if (oldPalette != nullptr)
        m_pDC->SelectPalette(oldPalette, TRUE);
    SelectObject(m_oldBitmap);
}

BOOL MemDC::CreatePalette(CPalette& palette, CDC* pDC)
{
    CDC* source = pDC != nullptr ? pDC : this;
    if ((source->GetDeviceCaps(RASTERCAPS) & RC_PALETTE) == 0)
        return FALSE;
    RGBQUAD colors[kPaletteEntries] = {};
    ::GetDIBColorTable(source->m_hDC, 0, kPaletteEntries, colors);
    LogicalPalette logical(kPaletteEntries);
    for (int i = 0; i < kPaletteEntries; ++i)
        logical[i] = PALETTEENTRY{colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue, 0};
    return logical.create(palette);
}

} // namespace qv::gui
