#include "wndstate.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_CLOSE()
    ON_WM_ERASEBKGND()
    ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

namespace qvmfc {

LPCTSTR frameOrViewClass(HICON icon)
{
    return AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW),
                               reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), icon);
}

} // namespace qvmfc

CFrameWnd* CWnd::GetParentFrame() const
{
    for (CWnd* parent = GetParent(); parent; parent = parent->GetParent()) {
        if (parent->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return static_cast<CFrameWnd*>(parent);
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    CFrameWnd* top = IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(const_cast<CWnd*>(this)) : nullptr;
    for (CFrameWnd* frame = GetParentFrame(); frame; frame = frame->GetParentFrame())
        top = frame;
    return top;
}

// Creation

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    LPCTSTR resource = MAKEINTRESOURCE(nIDResource);
    CString strings;
    strings.LoadString(nIDResource);
    CString title;
    AfxExtractSubString(title, strings, 0);
    HICON icon = ::LoadIcon(AfxFindResourceHandle(resource, RT_GROUP_ICON), resource);
    if (!Create(qvmfc::frameOrViewClass(icon), title, dwDefaultStyle, rectDefault, pParentWnd, resource, 0, pContext))
        return FALSE;
    m_hAccelTable = ::LoadAccelerators(AfxFindResourceHandle(resource, RT_ACCELERATOR), resource);
    if (!pContext)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    m_strTitle = lpszWindowName;
    HMENU menu = lpszMenuName ? ::LoadMenu(AfxFindResourceHandle(lpszMenuName, RT_MENU), lpszMenuName) : nullptr;
    const bool byDefault = ::EqualRect(&rect, &rectDefault) != 0;
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    byDefault ? CW_USEDEFAULT : rect.right - rect.left,
                    byDefault ? CW_USEDEFAULT : rect.bottom - rect.top, CWnd::SafeHandle(pParentWnd), menu, pContext);
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CObject* object = pContext->m_pNewViewClass->CreateObject();
    CWnd* view = DYNAMIC_DOWNCAST(CWnd, object);
    if (!view) {
        delete object;
        return nullptr;
    }
    // A view that fails to create deletes itself (PostNcDestroy).
    if (!view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;
    return view;
}

// Attributes

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* previous = m_pViewActive;
    if (previous == pViewNew)
        return;
    m_pViewActive = pViewNew;
    if (bNotify && previous)
        previous->OnActivateView(FALSE, pViewNew, previous);
    if (bNotify && pViewNew)
        pViewNew->OnActivateView(TRUE, pViewNew, previous);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

// Operations

void CFrameWnd::RecalcLayout(BOOL)
{
    HWND pane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
    if (!pane)
        return;
    CRect client;
    GetClientRect(&client);
    ::MoveWindow(pane, client.left, client.top, client.Width(), client.Height(), TRUE);
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL bMakeVisible)
{
    if (!m_pViewActive) {
        CWnd* pane = FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST));
        if (pane && pane->IsKindOf(RUNTIME_CLASS(CView)))
            SetActiveView(static_cast<CView*>(pane), FALSE);
    }
    if (bMakeVisible) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        ShowWindow(SW_SHOW);
        if (m_pViewActive)
            m_pViewActive->OnActivateView(TRUE, m_pViewActive, m_pViewActive);
    }
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* document = GetActiveDocument();
    if (!bAddToTitle || !document) {
        SetWindowText(m_strTitle);
        return;
    }
    CString title = document->GetTitle();
    if (!m_strTitle.IsEmpty())
        title += L" - " + m_strTitle;
    SetWindowText(title);
}

// Overridables

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = qvmfc::frameOrViewClass();
    return TRUE;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    const bool key = pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST;
    return key && m_hAccelTable && ::TranslateAccelerator(m_hWnd, m_hAccelTable, pMsg);
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    return !pContext || !pContext->m_pNewViewClass || CreateView(pContext, AFX_IDW_PANE_FIRST);
}

// Commands go to the active view (and its document) first, then the frame, then the application.
BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

// Message handlers

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!OnCreateClient(lpcs, static_cast<CCreateContext*>(lpcs->lpCreateParams)))
        return -1;
    RecalcLayout();
    return 0;
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

// Closing the frame of a document closes the document, which destroys the frame.
void CFrameWnd::OnClose()
{
    HWND hWnd = m_hWnd;
    if (CDocument* document = GetActiveDocument())
        document->OnCloseDocument();
    if (::IsWindow(hWnd))
        DestroyWindow();
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC)
{
    // The active view paints everything it covers.
    return m_pViewActive ? TRUE : CWnd::OnEraseBkgnd(pDC);
}
