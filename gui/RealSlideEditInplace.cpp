#include <qv.win/RealSlideEdit.h>

#include "RealText.h"

namespace qv::gui {

namespace {

const UINT kEditId = 1;
const DWORD kEditStyle = WS_CHILD | WS_VISIBLE | ES_WANTRETURN;

} // namespace

BEGIN_MESSAGE_MAP(RealSlideEdit::InplaceEdit, CEdit)
    ON_WM_GETDLGCODE()
    ON_WM_KEYDOWN()
    ON_CONTROL_REFLECT(EN_KILLFOCUS, &RealSlideEdit::InplaceEdit::OnKillFocusReflect)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

// Construction

RealSlideEdit::InplaceEdit::InplaceEdit(RealSlideEdit* pOwner)
    : m_pOwner(pOwner), m_crBackground(pOwner->m_crNormal), m_crText(pOwner->m_crText)
{
    m_brush.CreateSolidBrush(m_crBackground);
}

RealSlideEdit::InplaceEdit::~InplaceEdit() = default;

BOOL RealSlideEdit::InplaceEdit::open(const CString& text)
{
    RealSlideEdit* owner = m_pOwner;
    if (!Create(kEditStyle, owner->m_rcFrame, owner, kEditId))
        return FALSE;
    SetFont(&owner->m_font);
    SetWindowText(text);
    SetFocus();
    SetSel(0, -1);
    SendMessage(EM_SCROLLCARET);
    m_bActive = true;
    owner->m_bEditing = true;
    owner->Invalidate(FALSE);
    return TRUE;
}

// Overridables

// The closing keys go straight to the edit, before accelerators or dialog navigation up the chain
// can take them. A press outside the edit reaches it only while it holds the mouse capture.
BOOL RealSlideEdit::InplaceEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN &&
        (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_TAB || pMsg->wParam == VK_ESCAPE)) {
        ::DispatchMessage(pMsg);
        return TRUE;
    }
    if (pMsg->message == WM_LBUTTONDOWN && m_bActive && ::WindowFromPoint(pMsg->pt) != m_hWnd) {
        _commit();
        return TRUE;
    }
    return CEdit::PreTranslateMessage(pMsg);
}

void RealSlideEdit::InplaceEdit::PostNcDestroy()
{
    delete this;
}

// Message handlers

UINT RealSlideEdit::InplaceEdit::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

void RealSlideEdit::InplaceEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar) {
    case VK_RETURN:
    case VK_TAB:
        _commit();
        return;
    case VK_ESCAPE:
        _cancel();
        return;
    default:
        CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
    }
}

void RealSlideEdit::InplaceEdit::OnKillFocusReflect()
{
    _commit();
}

HBRUSH RealSlideEdit::InplaceEdit::CtlColor(CDC* pDC, UINT)
{
    pDC->SetBkColor(m_crBackground);
    pDC->SetTextColor(m_crText);
    return m_brush;
}

// Implementation

// The edit is gone before the owner's notification, so that whatever the receiver does, nothing
// touches it afterwards.
void RealSlideEdit::InplaceEdit::_commit()
{
    if (!m_bActive)
        return;
    m_bActive = false;
    CString text;
    GetWindowText(text);
    RealSlideEdit* owner = m_pOwner;
    owner->m_bEditing = false;
    _close();
    owner->setValue(realtext::parse(text), false);
}

// The owner's editing flag stays set: its border keeps the highlight until an edit is committed.
void RealSlideEdit::InplaceEdit::_cancel()
{
    if (!m_bActive)
        return;
    m_bActive = false;
    _close();
}

// Deletes this object.
void RealSlideEdit::InplaceEdit::_close()
{
    if (::GetFocus() == m_hWnd)
        m_pOwner->SetFocus();
    m_pOwner->Invalidate(FALSE);
    DestroyWindow();
}

} // namespace qv::gui
