#include "wndstate.h"

#include <utility>

namespace qvmfc {

ThreadState& threadState()
{
    thread_local ThreadState state;
    return state;
}

} // namespace qvmfc

using qvmfc::threadState;

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

// The base handlers of these messages reflect them to the child that sent them.
BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
    ON_WM_CTLCOLOR()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

namespace {

const wchar_t imeClassName[] = L"IME";
const int classNameLength = 8;

// Guards one window procedure call: the current message for Default() and a lock on the
// temporary maps, both restored even when a handler throws.
class CurrentMessage {
public:
    CurrentMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
        : m_previous(std::exchange(threadState().lastSentMsg, MSG{hWnd, message, wParam, lParam, 0, {}}))
    {
        AfxLockTempMaps();
    }
    ~CurrentMessage()
    {
        AfxUnlockTempMaps(FALSE);
        threadState().lastSentMsg = m_previous;
    }
    CurrentMessage(const CurrentMessage&) = delete;
    CurrentMessage& operator=(const CurrentMessage&) = delete;

private:
    MSG m_previous;
};

bool isImeWindow(HWND hWnd)
{
    wchar_t name[classNameLength] = {};
    ::GetClassName(hWnd, name, classNameLength);
    return ::lstrcmpi(name, imeClassName) == 0;
}

// Attaches the window CreateEx is creating before it receives its first message.
LRESULT CALLBACK cbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    auto& state = threadState();
    auto hWnd = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND && state.wndInit && !isImeWindow(hWnd))
        std::exchange(state.wndInit, nullptr)->SubclassWindow(hWnd);
    return ::CallNextHookEx(state.createHook, code, wParam, lParam);
}

bool isWindowEntryFor(const AFX_MSGMAP_ENTRY& entry, UINT message)
{
    if (message >= AFX_REGISTERED_MESSAGE && message <= AFX_LAST_REGISTERED_MESSAGE)
        return entry.nMessage == AFX_REGISTERED_MESSAGE && *reinterpret_cast<const UINT*>(entry.nSig) == message;
    return entry.nMessage == message && entry.nCode == 0 && entry.nID == 0;
}

const AFX_MSGMAP_ENTRY* findWindowEntry(const AFX_MSGMAP* map, UINT message)
{
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->nSig != AfxSig_end; ++entry) {
            if (isWindowEntryFor(*entry, message))
                return entry;
        }
    }
    return nullptr;
}

bool isCtlColorMessage(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

} // namespace

// Handle maps

HWND CWnd::GetSafeHwnd() const
{
    // Library code calls this on null pointers, as with MFC.
    const CWnd* volatile self = this;
    return self ? m_hWnd : nullptr;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    return threadState().windows.fromHandle(hWnd, [](HANDLE h) {
        auto* wnd = new CWnd;
        wnd->m_hWnd = static_cast<HWND>(h);
        return wnd;
    });
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    return threadState().windows.lookupPermanent(hWnd);
}

void PASCAL CWnd::DeleteTempMap()
{
    threadState().windows.deleteTemporaries([](CWnd* wnd) { wnd->m_hWnd = nullptr; });
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew || FromHandlePermanent(hWndNew))
        return FALSE;
    threadState().windows.setPermanent(hWndNew, this);
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = std::exchange(m_hWnd, nullptr);
    if (hWnd)
        threadState().windows.removeHandle(hWnd);
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    auto previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxGetAfxWndProc())));
    WNDPROC* super = GetSuperWndProcAddr();
    if (!*super && previous != AfxGetAfxWndProc())
        *super = previous;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(CWnd::SafeHandle(pParent), static_cast<int>(nID));
    return hWndControl ? SubclassWindow(hWndControl) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    WNDPROC* super = GetSuperWndProcAddr();
    if (*super)
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(std::exchange(*super, nullptr)));
    return Detach();
}

// Creation and destruction

CWnd::~CWnd()
{
    // A window still attached is destroyed with its object; the base-class PostNcDestroy runs.
    if (m_hWnd && ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, CWnd::SafeHandle(pParentWnd),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    CREATESTRUCT cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                                 cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    // The hook never saw the window: nothing was attached, so nothing will clean up.
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    return hWnd != nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    const bool permanent = FromHandlePermanent(m_hWnd) == this;
    const BOOL result = ::DestroyWindow(m_hWnd);
    // A permanent window was detached by OnNcDestroy, and 'this' may be deleted by now.
    if (!permanent)
        Detach();
    return result;
}

void CWnd::PreSubclassWindow()
{
}

void CWnd::PostNcDestroy()
{
}

void CWnd::OnNcDestroy()
{
    if (CWinThread* thread = AfxGetThread(); thread && thread->m_pMainWnd == this) {
        if (thread == AfxGetApp())
            AfxPostQuitMessage(0);
        thread->m_pMainWnd = nullptr;
    }
    auto& state = threadState();
    if (state.toolOwner == m_hWnd)
        CancelToolTips();
    const auto ourProc = ::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC);
    Default();
    WNDPROC* super = GetSuperWndProcAddr();
    if (*super && ::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC) == ourProc)
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*super));
    *super = nullptr;
    Detach();
    PostNcDestroy();
}

// Message processing

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

// After a handler returns, 'this' may have been deleted (a handler that destroys a
// self-deleting window); nothing here touches the object afterwards.
BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        result = 1;
    } else if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (!header->hwndFrom || !OnNotify(wParam, lParam, &result))
            return FALSE;
    } else {
        AFX_CTLCOLOR ctlColor;
        if (isCtlColorMessage(message)) {
            ctlColor = {reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam), message - WM_CTLCOLORMSGBOX};
            message = WM_CTLCOLOR;
            lParam = reinterpret_cast<LPARAM>(&ctlColor);
        }
        const AFX_MSGMAP_ENTRY* entry = findWindowEntry(GetMessageMap(), message);
        if (!entry)
            return FALSE;
        result = qvmfc::dispatchWindowMessage(this, entry, wParam, lParam);
    }
    if (pResult)
        *pResult = result;
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = threadState().lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    auto hWndCtrl = reinterpret_cast<HWND>(lParam);
    int code = HIWORD(wParam);
    if (!hWndCtrl) {
        code = CN_COMMAND;
    } else if (ReflectLastMsg(hWndCtrl)) {
        return TRUE;
    }
    if (id == 0)
        return FALSE;
    return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (ReflectLastMsg(header->hwndFrom, pResult))
        return TRUE;
    // Entries match the sender's own id, as MFC does: 0 for pop-ups such as tool tips.
    AFX_NOTIFY notify{pResult, header};
    const auto id = static_cast<UINT>(::GetDlgCtrlID(header->hwndFrom));
    return OnCmdMsg(id, static_cast<int>(MAKELONG(header->code, WM_NOTIFY)), &notify, nullptr);
}

// Reflection

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* child = FromHandlePermanent(hWndChild);
    return child ? child->SendChildNotifyLastMsg(pResult) : FALSE;
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG msg = threadState().lastSentMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    case WM_COMMAND: {
        if (!lParam)
            return FALSE;
        if (pResult)
            *pResult = 0;
        return OnCmdMsg(0, static_cast<int>(MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND)), nullptr,
                        nullptr);
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        LRESULT ignored = 0;
        AFX_NOTIFY notify{pResult ? pResult : &ignored, header};
        *notify.pResult = 0;
        return OnCmdMsg(0, static_cast<int>(MAKELONG(header->code, WM_REFLECT_BASE + WM_NOTIFY)), &notify,
                        nullptr);
    }
    default:
        break;
    }
    if (isCtlColorMessage(message)) {
        // Handled only when the child supplies a brush.
        AFX_CTLCOLOR ctlColor{reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam),
                              message - WM_CTLCOLORMSGBOX};
        LRESULT brush = 0;
        const BOOL handled = OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0, reinterpret_cast<LPARAM>(&ctlColor), &brush);
        if (pResult)
            *pResult = brush;
        return handled && brush != 0;
    }
    return FALSE;
}

// Pre-translation

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_nFlags & WF_TOOLTIPS)
        FilterToolTipMessage(pMsg);
    return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        if (CWnd* wnd = FromHandlePermanent(hWnd); wnd && wnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

// Window procedure and creation hook

WNDPROC AFXAPI AfxGetAfxWndProc()
{
    return &AfxWndProc;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
    if (!wnd)
        return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(wnd, hWnd, nMsg, wParam, lParam);
}

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CurrentMessage current(hWnd, nMsg, wParam, lParam);
    // An exception must not unwind through the system's frames that called the procedure.
    try {
        return pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (CException* e) {
        return AfxProcessWndProcException(e, &threadState().lastSentMsg);
    }
}

LRESULT AFXAPI AfxProcessWndProcException(CException* e, const MSG* pMsg)
{
    if (CWinApp* app = AfxGetApp())
        return app->ProcessWndProcException(e, pMsg);
    return qvmfc::defaultWndProcException(e, pMsg);
}

namespace qvmfc {

LRESULT defaultWndProcException(CException* e, const MSG* pMsg)
{
    const int errorLength = 256;
    wchar_t error[errorLength] = L"";
    e->GetErrorMessage(error, errorLength);
    e->Delete();
    ::OutputDebugString(L"Exception in a window procedure: ");
    ::OutputDebugString(error);
    ::OutputDebugString(L"\n");
    if (pMsg->message == WM_CREATE)
        return -1;
    if (pMsg->message == WM_PAINT)
        ::ValidateRect(pMsg->hwnd, nullptr);
    return 0;
}

} // namespace qvmfc

void AFXAPI AfxHookWindowCreate(CWnd* pWnd)
{
    auto& state = threadState();
    state.wndInit = pWnd;
    if (!state.createHook)
        state.createHook = ::SetWindowsHookEx(WH_CBT, cbtFilterHook, nullptr, ::GetCurrentThreadId());
}

BOOL AFXAPI AfxUnhookWindowCreate()
{
    auto& state = threadState();
    if (state.createHook)
        ::UnhookWindowsHookEx(std::exchange(state.createHook, nullptr));
    return std::exchange(state.wndInit, nullptr) == nullptr;
}

// Temporary maps

void AFXAPI AfxLockTempMaps()
{
    ++threadState().tempMapLock;
}

BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps)
{
    auto& state = threadState();
    if (state.tempMapLock > 0 && --state.tempMapLock > 0)
        return FALSE;
    if (bDeleteTemps) {
        CWnd::DeleteTempMap();
        CDC::DeleteTempMap();
        CGdiObject::DeleteTempMap();
        CMenu::DeleteTempMap();
        CImageList::DeleteTempMap();
    }
    return TRUE;
}
