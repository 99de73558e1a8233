// ImageCtrl: construction, items, selection, settings and notifications.

#include <qv.win/ImageCtrl.h>

#include <qv.win/SystemFont.h>

#include "ImageGrid.h"
#include "Notification.h"
#include "WindowClass.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace qv::gui {

namespace {

const wchar_t kClassName[] = L"QVTImageControl";
constexpr UINT kClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
constexpr DWORD kToolTipStyle = TTS_ALWAYSTIP | TTS_NOPREFIX;
constexpr int kMaxZoom = 1000;

void setColors(COLORREF (&colors)[4], COLORREF c1, COLORREF c2, COLORREF c3, COLORREF c4)
{
    colors[0] = c1;
    colors[1] = c2;
    colors[2] = c3;
    colors[3] = c4;
}

void getColors(const COLORREF (&colors)[4], COLORREF* c1, COLORREF* c2, COLORREF* c3, COLORREF* c4)
{
    COLORREF* out[] = {c1, c2, c3, c4};
    for (int i = 0; i < 4; ++i) {
        if (out[i] != nullptr)
            *out[i] = colors[i];
    }
}

// Margins beyond any screen are cut to what the grid arithmetic holds.
CRect limited(const CRect& rect)
{
    return CRect(grid::limited(rect.left), grid::limited(rect.top), grid::limited(rect.right),
                 grid::limited(rect.bottom));
}

} // namespace

IMPLEMENT_DYNAMIC(ImageCtrl, CWnd)

BEGIN_MESSAGE_MAP(ImageCtrl, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_KEYDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipText)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipText)
    ON_NOTIFY_EX_RANGE(TTN_SHOW, 0, 0xFFFF, OnToolTipShow)
END_MESSAGE_MAP()

// The class exists from the first construction on, so that dialog templates can name it.
ImageCtrl::ImageCtrl()
{
    registerWindowClass(kClassName, kClassStyle);
}

// The window goes first, while the whole object still handles its messages.
ImageCtrl::~ImageCtrl()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
    removeAll();
    _releaseToolTip();
}

BOOL ImageCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(kClassName, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL ImageCtrl::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CWnd::PreCreateWindow(cs))
        return FALSE;
    registerWindowClass(kClassName, kClassStyle);
    return TRUE;
}

void ImageCtrl::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    EnableToolTips(TRUE);
}

int ImageCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_toolTip.Create(this, kToolTipStyle))
        return -1;
    setToolTipCtrl(&m_toolTip);
    const SystemFont menuFont(SystemFont::Menu);
    _createCaptionFont(menuFont.ncm().lfMenuFont);
    return 0;
}

void ImageCtrl::OnDestroy()
{
    _releaseToolTip();
    CWnd::OnDestroy();
}

// Items

bool ImageCtrl::_isOwned(const ImageData* image) const
{
    const __int64 index = image->m_nIndex;
    return index >= 0 && index < m_images.GetSize() && m_images[INT_PTR(index)] == image;
}

void ImageCtrl::_adopt(ImageData* image, __int64 index)
{
    image->m_nIndex = index;
    image->m_bSelected = isSelected(index);
}

__int64 ImageCtrl::addImage(ImageData* image)
{
    if (m_bVirtualMode || image == nullptr || _isOwned(image))
        return -1;
    const __int64 index = m_images.GetSize();
    _adopt(image, index);
    m_images.Add(image);
    updateScrollInfo();
    invalidateItem(index);
    // The empty message goes with the first item.
    if (index == 0 && !m_strEmptyMessage.IsEmpty() && GetSafeHwnd() != nullptr)
        Invalidate(TRUE);
    return index;
}

ImageData* ImageCtrl::getImage(__int64 index) const
{
    if (m_bVirtualMode || index < 0 || index >= m_images.GetSize())
        return nullptr;
    return m_images[INT_PTR(index)];
}

__int64 ImageCtrl::getCount() const
{
    return m_bVirtualMode ? m_nVirtualCount : static_cast<__int64>(m_images.GetSize());
}

BOOL ImageCtrl::removeImage(__int64 index, BOOL destroy)
{
    ImageData* removed = getImage(index);
    if (removed == nullptr)
        return FALSE;
    removed->m_nIndex = -1;
    for (INT_PTR i = INT_PTR(index) + 1; i < m_images.GetSize(); ++i)
        --m_images[i]->m_nIndex;
    m_images.RemoveAt(INT_PTR(index));
    if (destroy)
        delete removed;
    updateScrollInfo();
    return TRUE;
}

BOOL ImageCtrl::replaceImage(__int64 index, ImageData* image, BOOL destroy)
{
    ImageData* old = getImage(index);
    if (old == nullptr || image == nullptr)
        return FALSE;
    if (image == old)
        return TRUE;
    if (_isOwned(image))
        return FALSE;
    _adopt(image, index);
    old->m_nIndex = -1;
    m_images[INT_PTR(index)] = image;
    if (destroy)
        delete old;
    return TRUE;
}

void ImageCtrl::removeAll()
{
    for (INT_PTR i = m_images.GetSize() - 1; i >= 0; --i)
        delete m_images[i];
    m_images.RemoveAll();
    m_selected.RemoveAll();
    m_selectedBits.clear();
    m_nCurItem = m_nRangeEndItem = m_nFocusItem = -1;
    m_bVirtualMode = FALSE;
    m_nVirtualCount = 0;
    updateScrollInfo();
}

void ImageCtrl::setVirtualMode(__int64 count)
{
    removeAll();
    m_nVirtualCount = std::max<__int64>(count, 0);
    m_bVirtualMode = count > 0;
    recalcLayout();
    if (GetSafeHwnd() != nullptr)
        Invalidate(TRUE);
}

// Selection

namespace {

constexpr int kBlockShift = 6;
constexpr __int64 kBlockMask = (1 << kBlockShift) - 1;
// Beyond this the list's nodes would take gigabytes.
constexpr __int64 kMaxSelectedItems = 1 << 24;

std::uint64_t bitOf(__int64 index)
{
    return std::uint64_t(1) << (index & kBlockMask);
}

} // namespace

BOOL ImageCtrl::isSelected(__int64 index) const
{
    const auto block = m_selectedBits.find(index >> kBlockShift);
    return block != m_selectedBits.end() && (block->second & bitOf(index)) != 0;
}

// Appends the items of low..high that are not selected yet, in order. One look-up serves a block
// of 64 items: the cost is the list's, one node per newly selected item.
void ImageCtrl::_selectRange(__int64 low, __int64 high)
{
    for (__int64 i = low; i <= high;) {
        std::uint64_t& bits = m_selectedBits[i >> kBlockShift];
        for (const __int64 blockEnd = std::min(high, i | kBlockMask); i <= blockEnd; ++i) {
            if ((bits & bitOf(i)) == 0) {
                bits |= bitOf(i);
                m_selected.AddTail(i);
            }
        }
    }
}

// Takes the items of low..high out of the list in one pass over it, whatever the range's size.
void ImageCtrl::_deselectRange(__int64 low, __int64 high)
{
    for (POSITION position = m_selected.GetHeadPosition(); position != nullptr;) {
        const POSITION current = position;
        const __int64 index = m_selected.GetNext(position);
        if (index < low || index > high)
            continue;
        const auto block = m_selectedBits.find(index >> kBlockShift);
        block->second &= ~bitOf(index);
        if (block->second == 0)
            m_selectedBits.erase(block);
        m_selected.RemoveAt(current);
    }
}

void ImageCtrl::selectItems(__int64 first, __int64 last, BOOL select, BOOL clearFirst, BOOL notify)
{
    const __int64 count = getCount();
    if (first < -1 || last < -1 || first >= count || last >= count)
        return;
    const __int64 kept = clearFirst ? 0 : m_selected.GetCount();
    if (select && first != -1 && last != -1 && std::abs(last - first) >= kMaxSelectedItems - kept)
        return;
    if (clearFirst)
        clearSelectedItems(TRUE);
    if (first == -1 || last == -1) {
        if (clearFirst && notify)
            _sendNotify(ICN_SELCHANGED, -1);
        return;
    }
    m_nCurItem = first;
    m_nRangeEndItem = last;
    const __int64 low = std::min(first, last);
    const __int64 high = std::max(first, last);
    for (__int64 i = low; i <= high && !m_bVirtualMode; ++i)
        m_images[INT_PTR(i)]->m_bSelected = select;
    if (select)
        _selectRange(low, high);
    else
        _deselectRange(low, high);
    scrollItem(last);
    if (notify)
        _sendNotify(ICN_SELCHANGED, -1);
    if (GetSafeHwnd() != nullptr)
        Invalidate(TRUE);
}

// The client rectangle is read once: a selection can hold millions of items.
void ImageCtrl::clearSelectedItems(BOOL invalidate)
{
    const bool repaint = invalidate && GetSafeHwnd() != nullptr;
    const CRect client = _clientRect();
    for (POSITION position = m_selected.GetHeadPosition(); position != nullptr;) {
        const __int64 index = m_selected.GetNext(position);
        if (ImageData* image = getImage(index))
            image->m_bSelected = FALSE;
        if (repaint)
            _invalidateItem(index, client);
    }
    m_selected.RemoveAll();
    m_selectedBits.clear();
}

void ImageCtrl::setCurSel(__int64 index)
{
    selectItems(index, index, TRUE, TRUE, TRUE);
}

// Sizes and zoom

BOOL ImageCtrl::setImageSize(CSize size)
{
    if (size.cx < 1 || size.cy < 1)
        return FALSE;
    m_szImage = size;
    _relayout();
    return TRUE;
}

BOOL ImageCtrl::setImageZoom(int zoom)
{
    zoom = zoom < m_nZoomMin ? m_nZoomMin : std::min(zoom, m_nZoomMax);
    if (zoom == m_nZoom)
        return TRUE;
    m_nZoom = zoom;
    _relayout();
    _sendNotify(ICN_ZOOMCHANGED, -1);
    return TRUE;
}

BOOL ImageCtrl::setImageZoomRange(int min, int max)
{
    if (min < 0 || max > kMaxZoom)
        return FALSE;
    m_nZoomMin = min;
    m_nZoomMax = max;
    if (m_nZoom < min)
        setImageZoom(min);
    else if (m_nZoom > max)
        setImageZoom(max);
    return TRUE;
}

void ImageCtrl::getImageZoomRange(int& min, int& max) const noexcept
{
    min = m_nZoomMin;
    max = m_nZoomMax;
}

void ImageCtrl::setImageZoomStep(int step)
{
    m_nZoomStep = step < 0 ? 0 : std::min(step, m_nZoomMax);
}

void ImageCtrl::zoomIn()
{
    setImageZoom(m_nZoom + m_nZoomStep);
}

void ImageCtrl::zoomOut()
{
    setImageZoom(m_nZoom - m_nZoomStep);
}

void ImageCtrl::setMargin(CRect margin)
{
    m_rcMargin = limited(margin);
    recalcLayout();
}

void ImageCtrl::setImageMargin(CRect margin)
{
    m_rcImageMargin = limited(margin);
    recalcLayout();
}

void ImageCtrl::setSelectBoxSize(CRect size)
{
    m_rcSelectBox = limited(size);
    recalcLayout();
}

void ImageCtrl::setCaptionLine(int lines)
{
    m_nCaptionLines = grid::limited(lines);
    recalcLayout();
}

void ImageCtrl::setThickImageBox(int thickness)
{
    m_nImageBoxThickness = grid::limited(thickness);
}

void ImageCtrl::setAnimation(BOOL animation)
{
    m_bAnimation = animation;
    if (GetSafeHwnd() != nullptr)
        Invalidate(TRUE);
}

void ImageCtrl::setEmptyMessage(const wchar_t* message)
{
    const CString text(message != nullptr ? message : L"");
    if (text == m_strEmptyMessage)
        return;
    m_strEmptyMessage = text;
    if (getCount() == 0 && GetSafeHwnd() != nullptr)
        Invalidate(TRUE);
}

void ImageCtrl::setFontIndirect(const LOGFONT* logFont)
{
    if (logFont != nullptr)
        _createCaptionFont(*logFont);
}

void ImageCtrl::_createCaptionFont(const LOGFONT& logFont)
{
    m_captionFont.DeleteObject();
    m_captionFont.CreateFontIndirect(&logFont);
}

// Colours

void ImageCtrl::setColorBackground(COLORREF color)
{
    m_clrBackground = color;
}

void ImageCtrl::setColorImageBackground(COLORREF color)
{
    m_clrImageBackground = color;
}

void ImageCtrl::setColorCaption(COLORREF color)
{
    m_clrCaption = color;
}

void ImageCtrl::setColorImageBox(COLORREF color)
{
    m_clrImageBox = color;
}

void ImageCtrl::setColorSelectBox(COLORREF color)
{
    setColorSelectBox(color, color, color, color);
}

void ImageCtrl::setColorSelectBox(COLORREF c1, COLORREF c2, COLORREF c3, COLORREF c4)
{
    setColors(m_clrSelectBox, c1, c2, c3, c4);
}

void ImageCtrl::getColorSelectBox(COLORREF* c1, COLORREF* c2, COLORREF* c3, COLORREF* c4) const
{
    getColors(m_clrSelectBox, c1, c2, c3, c4);
}

void ImageCtrl::setColorFocusBox(COLORREF color)
{
    setColorFocusBox(color, color, color, color);
}

void ImageCtrl::setColorFocusBox(COLORREF c1, COLORREF c2, COLORREF c3, COLORREF c4)
{
    setColors(m_clrFocusBox, c1, c2, c3, c4);
}

void ImageCtrl::getColorFocusBox(COLORREF* c1, COLORREF* c2, COLORREF* c3, COLORREF* c4) const
{
    getColors(m_clrFocusBox, c1, c2, c3, c4);
}

// Notifications

// The owner, or the parent when there is none.
CWnd* ImageCtrl::_notifyTarget() const
{
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    CWnd* target = GetOwner();
    return target != nullptr && target->GetSafeHwnd() != nullptr ? target : nullptr;
}

LRESULT ImageCtrl::_send(NMHDR& header, UINT code)
{
    CWnd* target = _notifyTarget();
    return target != nullptr ? sendNotification(*target, *this, code, header) : 0;
}

LRESULT ImageCtrl::_sendNotify(UINT code, __int64 item)
{
    NMIMAGECTRL notify{};
    notify.item = item;
    notify.image = getImage(item);
    return _send(notify.hdr, code);
}

LRESULT ImageCtrl::_sendDrawNotify(__int64 item, CDC* pDC, CRect rect, BOOL stretch)
{
    NMIMAGEDRAW notify{};
    notify.item = item;
    notify.dc = pDC;
    notify.rect = rect;
    notify.stretch = stretch;
    return _send(notify.hdr, ICN_DRAWITEM);
}

LRESULT ImageCtrl::_sendGetCaption(__int64 item, CString& text)
{
    NMIMAGECAPTION notify{};
    notify.item = item;
    if (_notifyTarget() == nullptr)
        return 0;
    const LRESULT result = _send(notify.hdr, ICN_GETCAPTION);
    text = notify.caption;
    return result;
}

LRESULT ImageCtrl::_sendDragDropNotify(UINT code, __int64 item, CPoint point, UINT flags, int data)
{
    NMIMAGEDRAG notify{};
    notify.item = item;
    notify.point = point;
    notify.data = data;
    notify.flags = flags;
    return _send(notify.hdr, code);
}

// The item's own text in normal mode, then whatever the parent makes of it.
CString ImageCtrl::_itemText(__int64 item)
{
    CString text;
    if (const ImageData* image = getImage(item))
        text = image->getText();
    _sendGetCaption(item, text);
    return text;
}

} // namespace qv::gui
