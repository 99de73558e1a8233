// ImageCtrl: the mouse, the drag start and the caption tool tips.

#include <qv.win/ImageCtrl.h>

#include <climits>
#include <cstdlib>

namespace qv::gui {

namespace {

// How far the pointer moves with the button down, in either axis, before a drag starts.
constexpr int kDragDistance = 4;
constexpr int kMaxTipWidth = SHRT_MAX;
constexpr int kTipShowTime = SHRT_MAX;
// The text buffer of a tool tip's text request, terminator included.
constexpr int kTipTextLength = 80;

} // namespace

// Left press, in order: NM_CLICK with the item under the pointer (or -1), then the selection
// (Shift: range from the current item, Ctrl: toggle, both: nothing, neither: only this item), then
// the drag is armed. A press on empty space only notifies.
void ImageCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonDown(nFlags, point);
    if (::GetFocus() != m_hWnd)
        SetFocus();
    const __int64 hit = hitTest(point);
    _sendNotify(NM_CLICK, hit);
    if (hit < 0)
        return;
    const bool shift = (nFlags & MK_SHIFT) != 0;
    const bool control = (nFlags & MK_CONTROL) != 0;
    if (shift && !control)
        selectItems(m_nCurItem, hit, TRUE, TRUE, TRUE);
    else if (control && !shift)
        selectItems(hit, hit, !isSelected(hit), FALSE, TRUE);
    else if (!shift && !control)
        selectItems(hit, hit, TRUE, TRUE, TRUE);
    m_ptDragStart = point;
    m_bDragArmed = TRUE;
}

void ImageCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonUp(nFlags, point);
    m_bDragArmed = FALSE;
    _trackPointer(point, false);
}

// On empty space the double click clears the selection.
void ImageCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonDblClk(nFlags, point);
    const __int64 hit = hitTest(point);
    selectItems(hit, hit, TRUE, TRUE, TRUE);
    _sendNotify(NM_DBLCLK, hit);
}

void ImageCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    CWnd::OnRButtonDown(nFlags, point);
    _sendNotify(NM_RCLICK, hitTest(point));
}

// The focus item follows the pointer; it is -1 outside the client area.
void ImageCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    CWnd::OnMouseMove(nFlags, point);
    const bool buttonDown = (nFlags & MK_LBUTTON) != 0;
    const bool inside = _trackPointer(point, buttonDown);
    // A release outside the window may not have reached the control.
    if (!buttonDown)
        m_bDragArmed = FALSE;
    if (m_bDragArmed && (std::abs(point.x - m_ptDragStart.x) >= kDragDistance ||
                         std::abs(point.y - m_ptDragStart.y) >= kDragDistance)) {
        m_bDragArmed = FALSE;
        OnBeginDrag(m_ptDragStart);
    }
    if (inside && m_nFocusItem != -1 && getItemRect(m_nFocusItem).PtInRect(point))
        return;
    const __int64 previous = m_nFocusItem;
    m_nFocusItem = inside ? hitTest(point) : -1;
    _updateToolTip();
    if (m_nFocusItem != previous)
        Invalidate(TRUE);
}

// The control holds the capture while the pointer is over its client area, and while the left
// button is down, so that it sees the move that leaves. Changing the capture makes the platform
// send a move of its own: the capture changes only when the pointer crosses the edge.
bool ImageCtrl::_trackPointer(CPoint point, bool buttonDown)
{
    const bool inside = _clientRect().PtInRect(point) != FALSE;
    const bool captured = ::GetCapture() == m_hWnd;
    if (inside && !captured)
        SetCapture();
    else if (!inside && !buttonDown && captured)
        ::ReleaseCapture();
    return inside;
}

void ImageCtrl::OnBeginDrag(CPoint point)
{
    _sendDragDropNotify(ICN_BEGINDRAG, hitTest(point), point, 0, 0);
}

// Tool tips

bool ImageCtrl::setToolTipCtrl(CToolTipCtrl* toolTip)
{
    if (toolTip == nullptr || toolTip->GetSafeHwnd() == nullptr)
        return false;
    const CWnd* owner = toolTip->GetOwner();
    if (owner == nullptr || owner->GetSafeHwnd() != m_hWnd)
        return false;
    if (m_pToolTip != toolTip && m_pToolTip != &m_toolTip)
        delete m_pToolTip;
    m_pToolTip = toolTip;
    toolTip->AddTool(this, LPSTR_TEXTCALLBACK);
    CToolInfo info;
    if (toolTip->GetToolInfo(info, this)) {
        info.uFlags |= TTF_TRANSPARENT;
        toolTip->SetToolInfo(&info);
    }
    toolTip->SetMaxTipWidth(kMaxTipWidth);
    toolTip->SetDelayTime(TTDT_AUTOPOP, kTipShowTime);
    toolTip->SetDelayTime(TTDT_INITIAL, 0);
    toolTip->SetDelayTime(TTDT_RESHOW, 0);
    toolTip->Activate(TRUE);
    return true;
}

void ImageCtrl::_releaseToolTip()
{
    if (m_pToolTip != &m_toolTip)
        delete m_pToolTip;
    m_pToolTip = nullptr;
    if (m_toolTip.GetSafeHwnd() != nullptr)
        m_toolTip.DestroyWindow();
}

BOOL ImageCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr)
        m_pToolTip->RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

// The tip shows the whole caption of the item under the pointer when it does not fit its line.
void ImageCtrl::_updateToolTip()
{
    if (m_pToolTip == nullptr || m_pToolTip->GetSafeHwnd() == nullptr)
        return;
    if (m_nFocusItem == -1) {
        m_pToolTip->Activate(FALSE);
        return;
    }
    const CString text = _itemText(m_nFocusItem);
    CDC* dc = GetDC();
    const int textWidth = dc->GetTextExtent(text).cx;
    ReleaseDC(dc);
    if (_captionWidth() >= textWidth) {
        m_pToolTip->Activate(FALSE);
        return;
    }
    m_pToolTip->UpdateTipText(text, this);
    m_pToolTip->Activate(TRUE);
}

int ImageCtrl::_captionWidth() const
{
    const CRect cell = getDrawRect(m_nFocusItem);
    const int right = cell.right - m_rcSelectBox.right - m_rcImageMargin.right - m_rcCaptionMargin.right -
                      m_nImageBoxThickness;
    const int left = cell.left + m_rcSelectBox.left + m_nImageBoxThickness + m_rcImageMargin.left +
                     m_rcCaptionMargin.left;
    return right - left;
}

// Tools of the framework's own tool tip (see PreSubclassWindow): one per item, by its index.
INT_PTR ImageCtrl::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    const __int64 hit = hitTest(point);
    if (hit == -1)
        return -1;
    if (pTI != nullptr) {
        pTI->hwnd = m_hWnd;
        pTI->uFlags = TTF_IDISHWND;
        pTI->uId = UINT_PTR(hit);
        pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return INT_PTR(hit);
}

BOOL ImageCtrl::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    const CString text = _itemText(static_cast<__int64>(pNMHDR->idFrom)).Left(kTipTextLength - 1);
    if (pNMHDR->code == TTN_NEEDTEXTW) {
        ::lstrcpyn(reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR)->szText, text, kTipTextLength);
    } else {
        char* narrow = reinterpret_cast<TOOLTIPTEXTA*>(pNMHDR)->szText;
        if (::WideCharToMultiByte(CP_THREAD_ACP, 0, text, -1, narrow, kTipTextLength, nullptr, nullptr) == 0)
            narrow[0] = '\0';
    }
    *pResult = 0;
    return TRUE;
}

// The tool tip places itself.
BOOL ImageCtrl::OnToolTipShow(UINT, NMHDR*, LRESULT* pResult)
{
    *pResult = FALSE;
    return FALSE;
}

} // namespace qv::gui
