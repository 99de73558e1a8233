#include "wndstate.h"

#include <utility>

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

namespace {

// The dialog procedure behind the dialog class's own window procedure, which CDialog
// subclasses: it only starts the dialog; everything else goes through the message map first.
INT_PTR CALLBACK dialogProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* dialog = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
    return dialog ? dialog->OnInitDialog() : TRUE;
}

LPCDLGTEMPLATE loadTemplate(LPCTSTR name)
{
    if (!name)
        return nullptr;
    HINSTANCE instance = AfxFindResourceHandle(name, RT_DIALOG);
    HRSRC resource = ::FindResource(instance, name, RT_DIALOG);
    HGLOBAL loaded = resource ? ::LoadResource(instance, resource) : nullptr;
    return loaded ? static_cast<LPCDLGTEMPLATE>(::LockResource(loaded)) : nullptr;
}

// Dialogs without a parent belong to the application's main window, or else to the window
// the user is working in.
HWND ownerFor(CWnd* parent)
{
    CWnd* owner = parent ? parent : AfxGetMainWnd();
    if (owner && owner->m_hWnd)
        return owner->GetTopLevelParent()->m_hWnd;
    return ::GetActiveWindow();
}

} // namespace

// Construction

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(MAKEINTRESOURCE(nIDTemplate), pParentWnd)
{
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    LPCDLGTEMPLATE dialogTemplate = loadTemplate(lpszTemplateName);
    return dialogTemplate ? CreateIndirect(dialogTemplate, pParentWnd) : FALSE;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void*)
{
    if (m_hWnd || !lpDialogTemplate)
        return FALSE;
    m_pParentWnd = pParentWnd;
    HWND parent = pParentWnd ? pParentWnd->m_hWnd : CWnd::SafeHandle(AfxGetMainWnd());
    return createFromTemplate(lpDialogTemplate, parent);
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void*)
{
    m_lpszTemplateName = nullptr;
    m_lpDialogTemplate = lpDialogTemplate;
    m_pParentWnd = pParentWnd;
    return lpDialogTemplate != nullptr;
}

// Operations

INT_PTR CDialog::DoModal()
{
    LPCDLGTEMPLATE dialogTemplate = m_lpszTemplateName ? loadTemplate(m_lpszTemplateName) : m_lpDialogTemplate;
    if (!dialogTemplate || m_hWnd)
        return -1;
    HWND owner = ownerFor(m_pParentWnd);
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner)
        ::EnableWindow(owner, FALSE);

    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    const BOOL created = createFromTemplate(dialogTemplate, owner);
    // OnInitDialog may have ended the dialog already.
    if (created && ContinueModal())
        RunModalLoop(GetStyle() & DS_NOIDLEMSG ? MLF_SHOWONIDLE | MLF_NOIDLEMSG : MLF_SHOWONIDLE);
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);

    // Hide first, so that enabling the owner does not flash the dialog in front of it.
    if (m_hWnd)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (disableOwner)
        ::EnableWindow(owner, TRUE);
    if (owner && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(owner);
    DestroyWindow();
    return created ? m_nModalResult : -1;
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    ::EndDialog(m_hWnd, nResult);
}

// The creation hook attaches the dialog window, so that it sees every message through the map,
// WM_INITDIALOG included.
BOOL CDialog::createFromTemplate(LPCDLGTEMPLATE dialogTemplate, HWND owner)
{
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParam(AfxGetInstanceHandle(), dialogTemplate, owner, dialogProc, 0);
    AfxUnhookWindowCreate();
    return hWnd != nullptr;
}

// Overridables

BOOL CDialog::OnInitDialog()
{
    return TRUE;
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    return PreTranslateInput(pMsg);
}

// Modal loops of any window

BOOL CWnd::PreTranslateInput(LPMSG lpMsg)
{
    const bool key = lpMsg->message >= WM_KEYFIRST && lpMsg->message <= WM_KEYLAST;
    const bool mouse = lpMsg->message >= WM_MOUSEFIRST && lpMsg->message <= WM_MOUSELAST;
    return (key || mouse) && IsDialogMessage(lpMsg);
}

// The window is shown, and its parent told that the dialog is idle, whenever the queue runs dry.
int CWnd::RunModalLoop(DWORD dwFlags)
{
    bool showOnIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND parent = ::GetParent(m_hWnd);
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    MSG msg;
    while (ContinueModal()) {
        if (!::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (std::exchange(showOnIdle, false)) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && parent)
                ::SendMessage(parent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(m_hWnd));
        }
        // WM_QUIT ends this loop and is posted again for the loop around it.
        if (!AfxPumpMessage()) {
            AfxPostQuitMessage(0);
            m_nModalResult = -1;
            break;
        }
    }
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

// The loop notices at its next message: the posted WM_NULL is that message.
void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        PostMessage(WM_NULL);
    }
}
