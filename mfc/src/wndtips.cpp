#include "wndstate.h"

#include <cstdlib>

namespace {

bool isMouseMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

HWND threadToolTip()
{
    auto& state = qvmfc::threadState();
    if (!state.toolTip) {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&init);
        state.toolTip = ::CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT,
                                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                         AfxGetInstanceHandle(), nullptr);
    }
    return state.toolTip;
}

void removeCurrentTool()
{
    auto& state = qvmfc::threadState();
    if (!state.toolOwner)
        return;
    TOOLINFO info{};
    info.cbSize = sizeof info;
    info.hwnd = state.toolOwner;
    info.uId = state.toolId;
    ::SendMessage(state.toolTip, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&info));
    state.toolOwner = nullptr;
    state.toolId = 0;
    state.toolWindow = nullptr;
}

// The tool tip finds its tool by the message's window, so the message is relayed as if it had
// gone to the tool's window (mouse messages over a transparent child go to the parent).
void relayToToolTip(HWND toolTip, const MSG& msg, HWND toolWindow)
{
    MSG relayed = msg;
    POINT point = msg.pt;
    ::ScreenToClient(toolWindow, &point);
    relayed.hwnd = toolWindow;
    relayed.lParam = MAKELPARAM(point.x, point.y);
    ::SendMessage(toolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

} // namespace

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    const BOOL wasEnabled = (m_nFlags & WF_TOOLTIPS) != 0;
    if (bEnable) {
        m_nFlags |= WF_TOOLTIPS;
    } else {
        m_nFlags &= ~WF_TOOLTIPS;
        if (qvmfc::threadState().toolOwner == m_hWnd)
            CancelToolTips();
    }
    return wasEnabled;
}

void PASCAL CWnd::CancelToolTips(BOOL)
{
    auto& state = qvmfc::threadState();
    if (!state.toolTip)
        return;
    ::SendMessage(state.toolTip, TTM_POP, 0, 0);
    removeCurrentTool();
}

// The default tool is the child window under the point, its text asked for with TTN_NEEDTEXT.
INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    HWND child = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE);
    if (!child || child == m_hWnd)
        return -1;
    if (pTI) {
        pTI->hwnd = m_hWnd;
        pTI->uId = reinterpret_cast<UINT_PTR>(child);
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return ::GetDlgCtrlID(child);
}

// Keeps the thread's tool tip on the tool under the mouse and relays mouse messages to it.
BOOL CWnd::FilterToolTipMessage(MSG* pMsg)
{
    if (!isMouseMessage(pMsg->message))
        return FALSE;
    HWND toolTip = threadToolTip();
    if (!toolTip)
        return FALSE;
    CPoint point = pMsg->pt;
    ScreenToClient(&point);
    TOOLINFO info{};
    info.cbSize = sizeof info;
    const INT_PTR hit = OnToolHitTest(point, &info);
    auto& state = qvmfc::threadState();
    if (hit == -1 || info.hwnd != state.toolOwner || info.uId != state.toolId) {
        removeCurrentTool();
        if (hit != -1 && ::SendMessage(toolTip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info))) {
            state.toolOwner = info.hwnd;
            state.toolId = info.uId;
            state.toolWindow = (info.uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(info.uId) : info.hwnd;
        }
    }
    if (state.toolOwner)
        relayToToolTip(toolTip, *pMsg, state.toolWindow);
    // OnToolHitTest may hand over text allocated with malloc, as with MFC; the tool tip copied it.
    if (info.lpszText != LPSTR_TEXTCALLBACK)
        std::free(info.lpszText);
    return FALSE;
}
