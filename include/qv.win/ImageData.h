#pragma once

#include <afxwin.h>
#include <atlimage.h>

#include "qv.win.h"

namespace qv::gui {

class ImageCtrl;

// One item of an ImageCtrl: the picture (the CImage itself, loaded and destroyed with its members)
// with its caption text. The control that owns an item keeps its index and selected flag current.
//
// A copy holds its own duplicate of the bitmap; a move takes the bitmap over. CImage does not tell
// whether an image has an alpha channel, so a copied or moved 32-bit image is given one when any of
// its pixels has a non-zero alpha byte (images drawn with GDI have none).
class QV_WIN_API ImageData : public ATL::CImage {
public:
    // Construction
    explicit ImageData(const wchar_t* text = nullptr);
    ImageData(const ImageData& other);
    ImageData(ImageData&& other) noexcept;
    ImageData& operator=(const ImageData& other);
    ImageData& operator=(ImageData&& other) noexcept;
    virtual ~ImageData();

    // Attributes
    // The position in the owning control, -1 when in none.
    __int64 getIndex() const noexcept { return m_nIndex; }
    const CString& getText() const noexcept { return m_strText; }
    void setText(const wchar_t* text) { m_strText = text != nullptr ? text : L""; }
    BOOL isSelected() const noexcept { return m_bSelected; }

    // Operations
    // Fitted into the box as DC::drawImage fits a CImage.
    void drawImage(CDC* pDC, CRect box, BOOL stretch);

    // Implementation
private:
    friend class ImageCtrl;

    void _copyBitmap(const ATL::CImage& source);
    void _takeBitmap(HBITMAP bitmap, LONG transparentColor);

    __int64 m_nIndex = -1;
    CString m_strText;
    BOOL m_bSelected = FALSE;
};

} // namespace qv::gui
