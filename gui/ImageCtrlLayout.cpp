// ImageCtrl: grid layout, hit testing, scrolling and the keyboard.

#include <qv.win/ImageCtrl.h>

#include "ImageGrid.h"

#include <cmath>
#include <cstdlib>

namespace qv::gui {

using grid::Axis;
using grid::saturated;

namespace {

const wchar_t kTextHeightSample[] = L"Get Text Height";
constexpr int kLineScroll = 20;
constexpr int kWheelDelta = WHEEL_DELTA;
constexpr UINT kDefaultWheelLines = 3;
// Up to this many wheel lines scroll one line step; beyond it one step per three lines.
constexpr __int64 kSingleStepLines = 6;
constexpr __int64 kLinesPerStep = 3;
constexpr SHORT kKeyDown = SHORT(0x8000);

bool isKeyDown(int virtualKey)
{
    return (::GetAsyncKeyState(virtualKey) & kKeyDown) != 0;
}

} // namespace

// The grid seen from a point of the content: cells in coordinates relative to origin.
struct ImageCtrl::Grid {
    Axis columns;
    Axis rows;

    CRect cell(__int64 index) const
    {
        const __int64 column = index % columns.count;
        const __int64 row = index / columns.count;
        const __int64 left = columns.start(column);
        const __int64 top = rows.start(row);
        return CRect(saturated(left), saturated(top), saturated(left + columns.size), saturated(top + rows.size));
    }
};

ImageCtrl::Grid ImageCtrl::_grid(CPoint origin) const
{
    const __int64 columns = m_nColumns;
    const __int64 count = getCount();
    const __int64 rows = count / columns + (count % columns != 0 ? 1 : 0);
    return Grid{Axis{static_cast<__int64>(m_rcLayout.left) - origin.x, m_nGapX, m_nCellWidth, columns},
                Axis{static_cast<__int64>(m_rcLayout.top) - origin.y, m_nGapY, m_nCellHeight, rows}};
}

CRect ImageCtrl::_clientRect() const
{
    CRect client(0, 0, 0, 0);
    if (GetSafeHwnd() != nullptr)
        GetClientRect(&client);
    return client;
}

// Layout

void ImageCtrl::recalcLayout()
{
    m_rcLayout = _clientRect();
    m_nColumns = m_nRows = 0;
    const double zoom = m_nZoom / 100.0;
    const double width = std::trunc(m_szImage.cx * zoom);
    const double height = std::trunc(m_szImage.cy * zoom);
    m_szDisplayImage = CSize(saturated(static_cast<__int64>(std::min(width, double(INT_MAX)))),
                             saturated(static_cast<__int64>(std::min(height, double(INT_MAX)))));
    if (width < 1 || height < 1 || width > grid::kMaxExtent || height > grid::kMaxExtent || GetSafeHwnd() == nullptr)
        return;
    _measureCaption();
    const __int64 frame = 2 * static_cast<__int64>(m_nImageBoxThickness);
    const __int64 cellWidth = static_cast<__int64>(m_rcSelectBox.left) + m_rcSelectBox.right + m_rcImageMargin.left +
                              m_rcImageMargin.right + frame + m_szDisplayImage.cx;
    const __int64 cellHeight = static_cast<__int64>(m_nCaptionHeight) + m_rcSelectBox.top + m_rcSelectBox.bottom +
                               m_rcCaptionMargin.top + m_rcCaptionMargin.bottom + m_rcImageMargin.top +
                               m_rcImageMargin.bottom + frame + m_szDisplayImage.cy;
    if (cellWidth < 1 || cellHeight < 1 || cellWidth > grid::kMaxExtent || cellHeight > grid::kMaxExtent)
        return;
    m_nCellWidth = int(cellWidth);
    m_nCellHeight = int(cellHeight);
    m_rcLayout.DeflateRect(&m_rcMargin);
    const int layoutWidth = m_rcLayout.Width();
    m_nColumns = std::max(layoutWidth / m_nCellWidth, 1);
    m_nRows = std::max(m_rcLayout.Height() / m_nCellHeight, 1);
    m_nGapY = 0;
    m_nFirstVisibleItem = -1;
    m_nGapX = std::max((layoutWidth - m_nColumns * m_nCellWidth) / (m_nColumns + 1), 0);
    updateScrollInfo();
}

CFont* ImageCtrl::_selectCaptionFont(CDC* pDC)
{
    return m_captionFont.GetSafeHandle() != nullptr ? pDC->SelectObject(&m_captionFont) : nullptr;
}

void ImageCtrl::_measureCaption()
{
    CDC* dc = GetDC();
    CFont* oldFont = _selectCaptionFont(dc);
    const int textHeight = dc->GetTextExtent(kTextHeightSample, int(std::size(kTextHeightSample)) - 1).cy;
    if (oldFont != nullptr)
        dc->SelectObject(oldFont);
    ReleaseDC(dc);
    m_nCaptionHeight = saturated(static_cast<__int64>(textHeight) * m_nCaptionLines);
}

// Geometry

CRect ImageCtrl::getDrawRect(__int64 index) const
{
    if (m_nColumns < 1)
        return CRect(0, 0, 0, 0);
    return _grid(CPoint(0, 0)).cell(index);
}

CRect ImageCtrl::getItemRect(__int64 index, CSize offset) const
{
    if (m_nColumns < 1)
        return CRect(0, 0, 0, 0);
    return _grid(m_ptScroll + offset).cell(index);
}

// The lowest item whose cell meets the client area, found from the scroll position.
void ImageCtrl::_calcFirstVisibleItem()
{
    m_nFirstVisibleItem = -1;
    const CRect client = _clientRect();
    if (m_nColumns < 1 || m_nRows < 1 || client.IsRectEmpty())
        return;
    const Grid grid = _grid(m_ptScroll);
    const auto [firstColumn, lastColumn] = grid.columns.overlapping(client.left, client.right);
    const auto [firstRow, lastRow] = grid.rows.overlapping(client.top, client.bottom);
    const __int64 first = firstRow * m_nColumns + firstColumn;
    if (firstColumn <= lastColumn && firstRow <= lastRow && first < getCount())
        m_nFirstVisibleItem = first;
}

// The item whose cell holds the point, counting only the cells that follow the first visible one
// without a break: a cell outside the client area ends the run.
__int64 ImageCtrl::hitTest(CPoint point, CSize offset) const
{
    const __int64 first = m_nFirstVisibleItem;
    const CRect client = _clientRect();
    if (first < 0 || first >= getCount() || m_nColumns < 1 || client.IsRectEmpty())
        return -1;
    const Grid grid = _grid(m_ptScroll + offset);
    const __int64 column = grid.columns.at(point.x);
    const __int64 row = grid.rows.at(point.y);
    const __int64 hit = row * m_nColumns + column;
    if (column < 0 || row < 0 || hit < first || hit >= getCount())
        return -1;
    const auto [firstColumn, lastColumn] = grid.columns.overlapping(client.left, client.right);
    const auto [firstRow, lastRow] = grid.rows.overlapping(client.top, client.bottom);
    const __int64 startRow = first / m_nColumns;
    if (startRow < firstRow || row > lastRow || first % m_nColumns < firstColumn)
        return -1;
    const bool reached = row == startRow ? column <= lastColumn : firstColumn == 0 && lastColumn == m_nColumns - 1;
    return reached ? hit : -1;
}

void ImageCtrl::invalidateItem(__int64 index)
{
    if (GetSafeHwnd() != nullptr)
        _invalidateItem(index, _clientRect());
}

void ImageCtrl::_invalidateItem(__int64 index, const CRect& client)
{
    const CRect cell = getItemRect(index);
    CRect visible;
    if (visible.IntersectRect(&cell, &client))
        InvalidateRect(&cell, TRUE);
}

void ImageCtrl::populate(BOOL now)
{
    if (GetSafeHwnd() == nullptr)
        return;
    if (now)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    else
        Invalidate(TRUE);
}

// Scroll bars

void ImageCtrl::updateScrollInfo()
{
    if (GetSafeHwnd() == nullptr || m_nColumns < 1)
        return;
    const CRect client = _clientRect();
    const Grid grid = _grid(CPoint(0, 0));
    const __int64 rowsHeight = std::min<__int64>(grid.rows.count, INT_MAX) * m_nCellHeight;
    const CSize content(client.Width(),
                        std::max(saturated(rowsHeight + m_rcMargin.top + m_rcMargin.bottom), 0));
    // Measured as if no scroll bar showed: a bar that shows takes from the client area.
    CRect window;
    GetWindowRect(&window);
    ScreenToClient(&window);
    const int barWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    const int barHeight = ::GetSystemMetrics(SM_CYHSCROLL);
    const int availableWidth = window.right - client.right >= barWidth ? client.Width() + barWidth : client.Width();
    const int availableHeight =
        window.bottom - client.bottom >= barHeight ? client.Height() + barHeight : client.Height();
    CSize shift(0, 0);
    _updateScrollBar(SB_HORZ, availableWidth, content.cx, m_szPage.cx, m_ptScroll.x, shift.cx);
    _updateScrollBar(SB_VERT, availableHeight, content.cy, m_szPage.cy, m_ptScroll.y, shift.cy);
    m_szContent = content;
    if (shift.cx != 0 || shift.cy != 0) {
        ScrollWindow(shift.cx, shift.cy);
        m_nFirstVisibleItem = -1;
    }
}

// A page change keeps the same fraction of the content above the client area.
void ImageCtrl::_updateScrollBar(int nBar, int available, int content, LONG& page, LONG& position, LONG& shift)
{
    available = std::max(available, 0);
    const int barPosition = GetScrollPos(nBar);
    int maximum = 0;
    if (available >= content) {
        page = 0;
        position = 0;
        shift = barPosition;
    } else {
        maximum = content - 1;
        if (page > 0 && position > 0)
            position = saturated(static_cast<__int64>(double(position) * available / page));
        page = available;
        position = std::min(position, LONG(content - available - 1));
        shift = barPosition - position;
    }
    SCROLLINFO info{sizeof info, SIF_ALL, 0, maximum, UINT(page), position, 0};
    SetScrollInfo(nBar, &info, TRUE);
}

int ImageCtrl::_get32BitScrollPos(int nBar, CScrollBar* pScrollBar)
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    if (pScrollBar != nullptr)
        pScrollBar->GetScrollInfo(&info, SIF_TRACKPOS);
    else
        GetScrollInfo(nBar, &info, SIF_TRACKPOS);
    return info.nTrackPos;
}

// Scrolling

// The distance a scroll-bar request moves, kept within 0 … content - page; 0 for other codes.
int ImageCtrl::_scrollDistance(int nBar, UINT nSBCode, CScrollBar* pScrollBar)
{
    const bool vertical = nBar == SB_VERT;
    const __int64 position = vertical ? m_ptScroll.y : m_ptScroll.x;
    const __int64 page = vertical ? m_szPage.cy : m_szPage.cx;
    const __int64 content = vertical ? m_szContent.cy : m_szContent.cx;
    __int64 distance = 0;
    switch (nSBCode) {
    case SB_LINEUP: distance = -kLineScroll; break;
    case SB_LINEDOWN: distance = kLineScroll; break;
    case SB_PAGEUP: distance = -page; break;
    case SB_PAGEDOWN: distance = page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: distance = _get32BitScrollPos(nBar, pScrollBar) - position; break;
    default: return 0;
    }
    if (position + distance > content - page)
        distance = content - page - position;
    else if (position + distance < 0)
        distance = -position;
    return saturated(distance);
}

// Every move forgets the first visible item: the next paint finds it again.
void ImageCtrl::_scrollBy(int nBar, int delta, bool updateFocus)
{
    if (delta == 0 || GetSafeHwnd() == nullptr)
        return;
    const bool vertical = nBar == SB_VERT;
    LONG& position = vertical ? m_ptScroll.y : m_ptScroll.x;
    position = saturated(static_cast<__int64>(position) + delta);
    SetScrollPos(nBar, position, TRUE);
    ScrollWindow(vertical ? 0 : -delta, vertical ? -delta : 0);
    m_nFirstVisibleItem = -1;
    if (updateFocus)
        _updateFocusItem();
}

void ImageCtrl::OnVScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar)
{
    _scrollBy(SB_VERT, _scrollDistance(SB_VERT, nSBCode, pScrollBar), true);
}

void ImageCtrl::OnHScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar)
{
    _scrollBy(SB_HORZ, _scrollDistance(SB_HORZ, nSBCode, pScrollBar), false);
}

// Ctrl zooms and scrolls. Three wheel lines a notch scroll one line step; many lines at once scroll
// a step per three lines.
BOOL ImageCtrl::OnMouseWheel(UINT, short zDelta, CPoint)
{
    const bool up = zDelta > 0;
    if (isKeyDown(VK_CONTROL))
        up ? zoomIn() : zoomOut();
    int minimum = 0;
    int maximum = 0;
    GetScrollRange(SB_VERT, &minimum, &maximum);
    if (minimum == maximum)
        return FALSE;
    UINT lines = kDefaultWheelLines;
    ::SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    if (lines == WHEEL_PAGESCROLL) {
        OnVScroll(up ? SB_PAGEUP : SB_PAGEDOWN, 0, nullptr);
        return TRUE;
    }
    const __int64 wheelLines = static_cast<__int64>(std::abs(int(zDelta)) / kWheelDelta) * lines;
    const __int64 steps = wheelLines < kSingleStepLines ? 1 : wheelLines / kLinesPerStep;
    // Steps beyond the content's height scroll nothing more.
    const __int64 usefulSteps = std::min<__int64>(steps, m_szContent.cy / kLineScroll + 1);
    for (__int64 i = 0; i < usefulSteps; ++i)
        OnVScroll(up ? SB_LINEUP : SB_LINEDOWN, 0, nullptr);
    return TRUE;
}

// The item's top lands one margin below the client's top, or its bottom one margin above the
// client's bottom, whichever side it is cut at; an item taller than the client stays as it is.
void ImageCtrl::scrollItem(__int64 index)
{
    if (GetSafeHwnd() == nullptr || m_nColumns < 1 || index < 0 || index >= getCount())
        return;
    const CRect item = getItemRect(index);
    const CRect client = _clientRect();
    CRect visible;
    const bool meets = visible.IntersectRect(&item, &client) != FALSE;
    if (meets && visible == item) {
        InvalidateRect(&item, TRUE);
        return;
    }
    __int64 dy = 0;
    if ((meets && visible.top == client.top) || item.top < client.top)
        dy = static_cast<__int64>(item.top) - m_rcMargin.top - client.top;
    else if (client.Height() > item.Height() && (item.bottom > client.bottom || (meets && visible.bottom == client.bottom)))
        dy = static_cast<__int64>(item.bottom) - client.bottom + m_rcMargin.bottom;
    __int64 dx = 0;
    if ((meets && visible.left == client.left) || item.left < client.left)
        dx = static_cast<__int64>(item.left) - m_rcMargin.left - client.left;
    else if (client.Width() > item.Width() && (item.right > client.right || (meets && visible.right == client.right)))
        dx = static_cast<__int64>(item.right) - client.right + m_rcMargin.right;
    _scrollBy(SB_VERT, saturated(dy), true);
    _scrollBy(SB_HORZ, saturated(dx), true);
}

// The item under the cursor, after anything that moved the cells.
void ImageCtrl::_updateFocusItem()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    const __int64 previous = m_nFocusItem;
    m_nFocusItem = hitTest(cursor);
    if (previous != -1)
        invalidateItem(previous);
    if (m_nFocusItem != -1)
        invalidateItem(m_nFocusItem);
}

// After the image size or the zoom changed.
void ImageCtrl::_relayout()
{
    recalcLayout();
    if (GetSafeHwnd() != nullptr)
        Invalidate(TRUE);
    if (m_nRangeEndItem != -1)
        scrollItem(m_nRangeEndItem);
    _updateFocusItem();
}

void ImageCtrl::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    recalcLayout();
    if (m_nRangeEndItem != -1)
        scrollItem(m_nRangeEndItem);
}

// Keyboard

void ImageCtrl::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (nChar < VK_RETURN || nChar > VK_SUBTRACT)
        return;
    const bool shift = isKeyDown(VK_SHIFT);
    const __int64 count = getCount();
    switch (nChar) {
    case VK_RETURN:
        if (m_nCurItem != -1)
            _sendNotify(NM_RETURN, m_nCurItem);
        break;
    case VK_PRIOR: OnVScroll(SB_PAGEUP, 0, nullptr); break;
    case VK_NEXT: OnVScroll(SB_PAGEDOWN, 0, nullptr); break;
    case VK_HOME:
    case VK_END:
        if (count >= 1) {
            const __int64 item = nChar == VK_HOME ? 0 : count - 1;
            // With no current item the selection only clears; the range end moves all the same.
            if (shift)
                m_nRangeEndItem = item;
            _selectTo(item, shift);
        }
        break;
    case VK_LEFT: _step(-1, shift); break;
    case VK_RIGHT: _step(1, shift); break;
    case VK_UP: _step(-static_cast<__int64>(m_nColumns), shift); break;
    case VK_DOWN: _step(m_nColumns, shift); break;
    case VK_ADD:
        if (isKeyDown(VK_CONTROL))
            zoomIn();
        break;
    case VK_SUBTRACT:
        if (isKeyDown(VK_CONTROL))
            zoomOut();
        break;
    default: break;
    }
}

// Shift moves the range end from the current item, else the item becomes the only selected one.
void ImageCtrl::_selectTo(__int64 item, bool shift)
{
    selectItems(shift ? m_nCurItem : item, item, TRUE, TRUE, TRUE);
}

// An arrow moves the current item (or, with Shift, the range end) by a step, when that stays
// within the items on the side it moves to.
void ImageCtrl::_step(__int64 step, bool shift)
{
    const __int64 target = (shift ? m_nRangeEndItem : m_nCurItem) + step;
    if (step < 0 ? target >= 0 : target < getCount())
        _selectTo(target, shift);
}

} // namespace qv::gui
