#include "GroupButtonsMap.h"
#include "Notification.h"

#include <algorithm>
#include <utility>

namespace qv::gui {

namespace {

constexpr DWORD kHoverTimeMs = 1;
constexpr UINT kFrameChanged = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED;

} // namespace

BEGIN_MESSAGE_MAP(GroupButtons, CWnd)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEHOVER()
    ON_WM_MOUSELEAVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

BOOL GroupButtons::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.dwExStyle |= WS_EX_STATICEDGE;
    return CWnd::PreCreateWindow(cs);
}

// A control placed on a dialog gets its edge here.
void GroupButtons::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    ModifyStyleEx(0, WS_EX_STATICEDGE, kFrameChanged);
}

// Message handlers

void GroupButtons::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    recalcLayout();
    if (m_mouseTracking)
        _updateFocusItem();
}

// The paint covers every pixel.
BOOL GroupButtons::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void GroupButtons::OnPaint()
{
    CPaintDC dc(this);
    _paint(&dc);
}

LRESULT GroupButtons::OnPrintClient(WPARAM wParam, LPARAM)
{
    _paint(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return 0;
}

// Mouse states:
//   idle      --press on a button-->      selection changes (BN_CLICKED, NM_CLICK), idle
//   idle      --press on a marker-->      dragging: mouse captured, the drag line follows the
//                                         mouse, the cursor kept between the markers the
//                                         dragged one may reach
//   dragging  --release-->                groups edited by the marker under the mouse, idle
// In every state the cursor is pulled once onto a marker that comes within reach.
void GroupButtons::OnMouseMove(UINT nFlags, CPoint point)
{
    CWnd::OnMouseMove(nFlags, point);
    if (!m_mouseTracking) {
        TRACKMOUSEEVENT request{sizeof(request), TME_HOVER | TME_LEAVE, m_hWnd, kHoverTimeMs};
        m_mouseTracking = ::TrackMouseEvent(&request) != FALSE;
    }
    if (_pullToMarker(point))
        return;
    if (m_dragMarker != -1 && _confineDrag(point))
        return;
    _trackHover(point);
}

void GroupButtons::OnMouseHover(UINT, CPoint)
{
    _invalidate();
}

void GroupButtons::OnMouseLeave()
{
    m_mouseTracking = false;
    m_hotMarker = -1;
    m_focusItem = -1;
    _invalidate();
}

void GroupButtons::OnLButtonDown(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonDown(nFlags, point);
    if (::GetFocus() != m_hWnd)
        SetFocus();
    m_dragMarker = -1;
    const hitData hit = hitTest(point);
    if (hit.index != -1 && isSelectable(hit.index)) {
        if (hit.area == kMarkerArea) {
            m_dragMarker = hit.index;
            _invalidate();
        } else if (m_multiSelect && isSelected(hit.index)) {
            unselectItem(hit.index, true);
        } else {
            selectItem(hit.index, true);
        }
    }
    if (m_dragMarker != -1)
        SetCapture();
}

void GroupButtons::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    _finishDrag();
    CWnd::OnLButtonUp(nFlags, point);
}

void GroupButtons::OnRButtonDown(UINT nFlags, CPoint point)
{
    CWnd::OnRButtonDown(nFlags, point);
    NMGROUPBUTTONS record{};
    record.index = hitTest(point).index;
    _sendNotify(NM_RCLICK, record.hdr);
}

// Implementation

// True when the cursor was moved: the move it causes carries on from the marker's centre.
bool GroupButtons::_pullToMarker(CPoint point)
{
    const INT64 marker = _snapMarker(point, -1);
    if (marker == -1) {
        m_anchorMarker = -1;
        return false;
    }
    if (marker == m_anchorMarker)
        return false;
    m_anchorMarker = marker;
    _setCursorPos(_markerCenter(marker));
    return true;
}

// The dragged marker sweeps the buttons up to the nearest group boundaries on either side: the
// first marker of a group reaches back to the previous group and forward to its own last, the
// last marker the other way round; a marker inside a group stays inside it.
bool GroupButtons::_confineDrag(CPoint point)
{
    if (_adjustMouseRange(point, 0, getCount() - 1))
        return true;
    const INT64 dragged = m_dragMarker;
    const groupData* group = getGroupFromButtonIndex(dragged);
    INT64 low = findPrevGroupMarker(dragged);
    INT64 high = findNextGroupMarker(dragged);
    if (group != nullptr && dragged == group->first) {
        high = group->last;
    } else if (group != nullptr && dragged == group->last) {
        low = group->first;
    } else if (group != nullptr) {
        low = group->first;
        high = group->last;
    }
    return _adjustMouseRange(point, low, high);
}

bool GroupButtons::_adjustMouseRange(CPoint point, INT64 low, INT64 high)
{
    if (low != -1) {
        if (!_isButton(low))
            return false;
        const CPoint lowCenter = _markerCenter(low);
        if (point.x < lowCenter.x) {
            _setCursorPos(lowCenter);
            return true;
        }
    }
    if (!_isButton(high))
        return false;
    const CPoint highCenter = _markerCenter(high);
    if (point.x <= highCenter.x)
        return false;
    _setCursorPos(highCenter);
    return true;
}

void GroupButtons::_trackHover(CPoint point)
{
    m_lastMouse = point;
    const INT64 oldFocus = std::exchange(m_focusItem, -1);
    const INT64 oldHot = std::exchange(m_hotMarker, -1);
    const hitData hit = hitTest(point);
    (hit.area == kMarkerArea ? m_hotMarker : m_focusItem) = hit.index;
    if (m_focusItem != oldFocus || m_hotMarker != oldHot || m_dragMarker != -1)
        _invalidate();
}

void GroupButtons::_finishDrag()
{
    const INT64 dragged = std::exchange(m_dragMarker, -1);
    if (dragged == -1)
        return;
    if (m_hotMarker != -1)
        _editGroups(dragged, m_hotMarker);
    _invalidate();
}

// Dropping a marker on another joins two free buttons, merges two groups, cuts a group between
// the two, or grows a group to a free button; dropping it on itself takes the button out of its
// group.
void GroupButtons::_editGroups(INT64 dragged, INT64 target)
{
    groupData* draggedGroup = getGroupFromButtonIndex(dragged);
    groupData* targetGroup = getGroupFromButtonIndex(target);
    if (dragged == target) {
        if (draggedGroup != nullptr)
            removeGroupButtons(draggedGroup, dragged, dragged);
    } else if (draggedGroup == nullptr && targetGroup == nullptr) {
        addGroup(dragged, target);
    } else if (draggedGroup == targetGroup) {
        removeGroupButtons(draggedGroup, dragged, target);
    } else if (draggedGroup != nullptr && targetGroup != nullptr) {
        const INT64 first = std::min(draggedGroup->first, targetGroup->first);
        const INT64 last = std::max(draggedGroup->last, targetGroup->last);
        deleteGroup(draggedGroup);
        deleteGroup(targetGroup);
        addGroup(first, last);
    } else if (draggedGroup != nullptr) {
        appendGroupButtons(draggedGroup, target);
    } else {
        appendGroupButtons(targetGroup, dragged);
    }
}

bool GroupButtons::_isSelectedButton(INT64 button) const
{
    return isSelected(button) != FALSE;
}

bool GroupButtons::_isFocusedButton(INT64 button) const
{
    if (m_focusItem == -1)
        return false;
    const groupData* group = getGroupFromButtonIndex(m_focusItem);
    if (group == nullptr)
        return button == m_focusItem;
    return button >= group->first && button <= group->last;
}

void GroupButtons::_updateFocusItem()
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    const INT64 previous = std::exchange(m_focusItem, hitTest(cursor).index);
    if (previous != -1 || m_focusItem != -1)
        _invalidate();
}

void GroupButtons::_setCursorPos(CPoint point)
{
    ClientToScreen(&point);
    ::SetCursorPos(point.x, point.y);
}

// Notifications

CWnd* GroupButtons::_notifyTarget() const
{
    return GetSafeHwnd() != nullptr ? GetOwner() : nullptr;
}

LRESULT GroupButtons::_sendNotify(UINT code, NMHDR& header)
{
    CWnd* target = _notifyTarget();
    return target != nullptr ? sendNotification(*target, *this, code, header) : 0;
}

void GroupButtons::_sendClick(INT64 button)
{
    if (CWnd* target = _notifyTarget())
        target->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), reinterpret_cast<LPARAM>(m_hWnd));
    NMGROUPBUTTONS record{};
    record.index = button;
    _sendNotify(NM_CLICK, record.hdr);
}

LRESULT GroupButtons::_sendDrawNotify(UINT code, CDC* pDC, INT64 button, const CRect& rect)
{
    NMGROUPBUTTONSDRAW record{};
    record.index = button;
    record.dc = pDC;
    record.rect = rect;
    return _sendNotify(code, record.hdr);
}

} // namespace qv::gui
