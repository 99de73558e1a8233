// ImageCtrl: painting the grid, the captions and the selection marks.

#include <qv.win/ImageCtrl.h>

namespace qv::gui {

namespace {

constexpr UINT kCaptionFormat = DT_SINGLELINE | DT_WORD_ELLIPSIS;
constexpr UINT kEmptyMessageFormat = DT_CENTER | DT_SINGLELINE | DT_WORD_ELLIPSIS;
// The upper part of the select band, in colour 1; the rest is colour 2.
constexpr double kSelectBandSplit = 0.4;
constexpr wchar_t kLineFeed = L'\n';

} // namespace

BOOL ImageCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

// The whole client area is composed off screen and copied in one transfer.
void ImageCtrl::OnPaint()
{
    CPaintDC dc(this);
    const CRect client = _clientRect();
    if (client.IsRectEmpty())
        return;
    CDC memory;
    CBitmap bitmap;
    if (!memory.CreateCompatibleDC(&dc) || !bitmap.CreateCompatibleBitmap(&dc, client.Width(), client.Height()))
        return;
    CBitmap* oldBitmap = memory.SelectObject(&bitmap);
    _paint(&memory, client);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(oldBitmap);
}

void ImageCtrl::_paint(CDC* pDC, const CRect& client)
{
    pDC->SetBkMode(TRANSPARENT);
    CFont* oldFont = _selectCaptionFont(pDC);
    pDC->FillSolidRect(&client, m_clrBackground);
    if (getCount() >= 1)
        _drawItems(pDC, client);
    else if (!m_strEmptyMessage.IsEmpty())
        _drawEmptyMessage(pDC, client);
    if (oldFont != nullptr)
        pDC->SelectObject(oldFont);
}

// Only the cells from the first visible one up to the first that misses the client area: the cost
// follows the client's size, not the number of items. The count is read again after each item, as
// a parent may change the items while it draws.
void ImageCtrl::_drawItems(CDC* pDC, const CRect& client)
{
    if (m_nFirstVisibleItem < 0)
        _calcFirstVisibleItem();
    if (m_nColumns < 1 || m_nRows < 1)
        return;
    const int captionBlock = m_nCaptionHeight + m_rcCaptionMargin.top + m_rcCaptionMargin.bottom;
    for (__int64 i = std::max<__int64>(m_nFirstVisibleItem, 0); i < getCount(); ++i) {
        CRect cell = getItemRect(i);
        CRect visible;
        if (!visible.IntersectRect(&cell, &client))
            break;
        cell.DeflateRect(&m_rcImageMargin);
        _drawImage(pDC, CRect(cell.left, cell.top, cell.right, cell.bottom - captionBlock), i);
        // Aligned with the inside of the image box frame.
        const CRect caption(cell.left + m_rcSelectBox.left + m_nImageBoxThickness + m_rcCaptionMargin.left,
                            cell.bottom - m_nCaptionHeight - m_rcCaptionMargin.bottom,
                            cell.right - m_rcSelectBox.right - m_rcCaptionMargin.right - m_nImageBoxThickness,
                            cell.bottom - m_rcCaptionMargin.bottom);
        _drawCaption(pDC, caption, i);
    }
}

void ImageCtrl::_drawEmptyMessage(CDC* pDC, const CRect& client)
{
    const CSize extent = pDC->GetTextExtent(m_strEmptyMessage);
    const int top = (client.Height() - extent.cy) / 2;
    CRect rect(client.left, top, client.right, top + extent.cy);
    pDC->SetTextColor(m_clrCaption);
    pDC->DrawText(m_strEmptyMessage, &rect, kEmptyMessageFormat);
}

// The select band and the focus box go around the image box; the frame is what the image box fill
// leaves around the picture area.
void ImageCtrl::_drawImage(CDC* pDC, CRect rect, __int64 item)
{
    const CRect box(rect.left + m_rcSelectBox.left, rect.top + m_rcSelectBox.top, rect.right - m_rcSelectBox.right,
                    rect.bottom - m_rcSelectBox.bottom);
    CRect inner = box;
    if (m_nImageBoxThickness != 0)
        inner.InflateRect(-m_nImageBoxThickness, -m_nImageBoxThickness);
    if (isSelected(item))
        _drawSelectBox(pDC, rect);
    if (item == m_nFocusItem)
        _drawFocusBox(pDC, rect);
    if (m_nImageBoxThickness != 0)
        pDC->FillSolidRect(&box, m_clrImageBox);
    if (m_bDrawImageBackground)
        pDC->FillSolidRect(&inner, m_clrImageBackground);
    if (m_bVirtualMode)
        _sendDrawNotify(item, pDC, inner, m_bStretchSmallImage);
    else if (ImageData* image = getImage(item))
        image->drawImage(pDC, inner, m_bStretchSmallImage);
}

void ImageCtrl::_drawSelectBox(CDC* pDC, CRect rect)
{
    const int split = rect.top - int(rect.Height() * -kSelectBandSplit);
    const CRect upper(rect.left, rect.top, rect.right, split);
    const CRect lower(rect.left, split, rect.right, rect.bottom);
    pDC->FillSolidRect(&upper, m_clrSelectBox[0]);
    pDC->FillSolidRect(&lower, m_clrSelectBox[1]);
}

void ImageCtrl::_drawFocusBox(CDC* pDC, CRect rect)
{
    pDC->Draw3dRect(&rect, m_clrFocusBox[2], m_clrFocusBox[2]);
    rect.InflateRect(-1, -1);
    pDC->Draw3dRect(&rect, m_clrFocusBox[3], m_clrFocusBox[3]);
}

// One line of the caption per caption line, each cut with an ellipsis at a word when too wide.
void ImageCtrl::_drawCaption(CDC* pDC, CRect rect, __int64 item)
{
    if (m_nCaptionLines < 1)
        return;
    const int lineHeight = m_nCaptionHeight / m_nCaptionLines;
    CStringArray lines;
    const INT_PTR count = std::min<INT_PTR>(_splitString(_itemText(item), lines), m_nCaptionLines);
    pDC->SetTextColor(m_clrCaption);
    for (INT_PTR j = 0; j < count; ++j) {
        CRect line(rect.left, rect.top + int(j) * lineHeight, rect.right, rect.top + int(j + 1) * lineHeight);
        pDC->DrawText(lines[j], &line, kCaptionFormat);
    }
}

INT_PTR ImageCtrl::_splitString(const CString& text, CStringArray& lines)
{
    lines.RemoveAll();
    for (int start = 0; start <= text.GetLength();) {
        int end = text.Find(kLineFeed, start);
        if (end < 0)
            end = text.GetLength();
        if (end > start)
            lines.Add(text.Mid(start, end - start));
        start = end + 1;
    }
    return lines.GetSize();
}

} // namespace qv::gui
