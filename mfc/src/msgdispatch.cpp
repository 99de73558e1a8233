#include "wndstate.h"

#include <windowsx.h>

namespace {

union WindowHandlers {
    AFX_PMSG pfn;
    void (AFX_MSG_CALL CWnd::*pfn_v_v)();
    BOOL (AFX_MSG_CALL CWnd::*pfn_b_v)();
    UINT (AFX_MSG_CALL CWnd::*pfn_u_v)();
    int (AFX_MSG_CALL CWnd::*pfn_i_s)(LPCREATESTRUCT);
    BOOL (AFX_MSG_CALL CWnd::*pfn_b_D)(CDC*);
    void (AFX_MSG_CALL CWnd::*pfn_v_u_ii)(UINT, int, int);
    void (AFX_MSG_CALL CWnd::*pfn_v_i_i)(int, int);
    void (AFX_MSG_CALL CWnd::*pfn_v_up)(UINT_PTR);
    void (AFX_MSG_CALL CWnd::*pfn_v_W)(CWnd*);
    void (AFX_MSG_CALL CWnd::*pfn_v_b)(BOOL);
    void (AFX_MSG_CALL CWnd::*pfn_v_u_u_u)(UINT, UINT, UINT);
    void (AFX_MSG_CALL CWnd::*pfn_v_u_p)(UINT, CPoint);
    BOOL (AFX_MSG_CALL CWnd::*pfn_b_u_s_p)(UINT, short, CPoint);
    void (AFX_MSG_CALL CWnd::*pfn_v_u_u_W)(UINT, UINT, CScrollBar*);
    void (AFX_MSG_CALL CWnd::*pfn_v_u_u)(UINT, UINT);
    void (AFX_MSG_CALL CWnd::*pfn_v_b_NCCALC)(BOOL, NCCALCSIZE_PARAMS*);
    LRESULT (AFX_MSG_CALL CWnd::*pfn_l_p)(CPoint);
    BOOL (AFX_MSG_CALL CWnd::*pfn_b_W_u_u)(CWnd*, UINT, UINT);
    void (AFX_MSG_CALL CWnd::*pfn_v_b_u)(BOOL, UINT);
    void (AFX_MSG_CALL CWnd::*pfn_v_POS)(WINDOWPOS*);
    void (AFX_MSG_CALL CWnd::*pfn_v_W_p)(CWnd*, CPoint);
    HBRUSH (AFX_MSG_CALL CWnd::*pfn_h_D_W_u)(CDC*, CWnd*, UINT);
    HBRUSH (AFX_MSG_CALL CWnd::*pfn_h_D_u)(CDC*, UINT);
    void (AFX_MSG_CALL CWnd::*pfn_v_i_DRAW)(int, LPDRAWITEMSTRUCT);
    void (AFX_MSG_CALL CWnd::*pfn_v_DRAW)(LPDRAWITEMSTRUCT);
    void (AFX_MSG_CALL CWnd::*pfn_v_i_MEASURE)(int, LPMEASUREITEMSTRUCT);
    void (AFX_MSG_CALL CWnd::*pfn_v_MEASURE)(LPMEASUREITEMSTRUCT);
    LRESULT (AFX_MSG_CALL CWnd::*pfn_l_w_l)(WPARAM, LPARAM);
    int (AFX_MSG_CALL CWnd::*pfn_i_W_u_u)(CWnd*, UINT, UINT);
    void (AFX_MSG_CALL CWnd::*pfn_v_MMI)(MINMAXINFO*);
    void (AFX_MSG_CALL CWnd::*pfn_v_M_u_b)(CMenu*, UINT, BOOL);
};

CPoint pointOf(LPARAM lParam)
{
    return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

} // namespace

namespace qvmfc {

// Owner-draw handlers return TRUE (processed), as the platform expects.
LRESULT dispatchWindowMessage(CWnd* wnd, const AFX_MSGMAP_ENTRY* entry, WPARAM wParam, LPARAM lParam)
{
    WindowHandlers handler;
    handler.pfn = entry->pfn;
    if (entry->nMessage == AFX_REGISTERED_MESSAGE)
        return (wnd->*handler.pfn_l_w_l)(wParam, lParam);
    auto* ctlColor = reinterpret_cast<AFX_CTLCOLOR*>(lParam);
    switch (entry->nSig) {
    case AfxSig_v_v_v:
        (wnd->*handler.pfn_v_v)();
        return 0;
    case AfxSig_b_v_v:
        return (wnd->*handler.pfn_b_v)();
    case AfxSig_u_v_v:
        return (wnd->*handler.pfn_u_v)();
    case AfxSig_i_v_s:
        return (wnd->*handler.pfn_i_s)(reinterpret_cast<LPCREATESTRUCT>(lParam));
    case AfxSig_b_D_v:
        return (wnd->*handler.pfn_b_D)(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    case AfxSig_v_u_ii:
        (wnd->*handler.pfn_v_u_ii)(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case AfxSig_v_i_i:
        (wnd->*handler.pfn_v_i_i)(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case AfxSig_v_up:
        (wnd->*handler.pfn_v_up)(static_cast<UINT_PTR>(wParam));
        return 0;
    case AfxSig_v_W_v:
        (wnd->*handler.pfn_v_W)(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
        return 0;
    case AfxSig_v_b_v:
        (wnd->*handler.pfn_v_b)(static_cast<BOOL>(wParam));
        return 0;
    case AfxSig_v_u_u_u:
        (wnd->*handler.pfn_v_u_u_u)(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case AfxSig_v_u_p:
        (wnd->*handler.pfn_v_u_p)(static_cast<UINT>(wParam), pointOf(lParam));
        return 0;
    case AfxSig_b_u_s_p:
        return (wnd->*handler.pfn_b_u_s_p)(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam),
                                            pointOf(lParam));
    case AfxSig_v_u_u_W:
        (wnd->*handler.pfn_v_u_u_W)(LOWORD(wParam), HIWORD(wParam),
                                    static_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(lParam))));
        return 0;
    case AfxSig_v_u_u:
        (wnd->*handler.pfn_v_u_u)(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case AfxSig_v_b_NCCALC:
        (wnd->*handler.pfn_v_b_NCCALC)(static_cast<BOOL>(wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
        return 0;
    case AfxSig_l_p:
        return (wnd->*handler.pfn_l_p)(pointOf(lParam));
    case AfxSig_b_W_u_u:
        return (wnd->*handler.pfn_b_W_u_u)(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam),
                                            HIWORD(lParam));
    case AfxSig_v_b_u:
        (wnd->*handler.pfn_v_b_u)(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        return 0;
    case AfxSig_v_POS:
        (wnd->*handler.pfn_v_POS)(reinterpret_cast<WINDOWPOS*>(lParam));
        return 0;
    case AfxSig_v_W_p:
        (wnd->*handler.pfn_v_W_p)(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), pointOf(lParam));
        return 0;
    case AfxSig_h_D_W_u:
        return reinterpret_cast<LRESULT>((wnd->*handler.pfn_h_D_W_u)(
            CDC::FromHandle(ctlColor->hDC), CWnd::FromHandle(ctlColor->hWnd), ctlColor->nCtlType));
    case AfxSig_h_D_u:
        return reinterpret_cast<LRESULT>(
            (wnd->*handler.pfn_h_D_u)(CDC::FromHandle(ctlColor->hDC), ctlColor->nCtlType));
    case AfxSig_v_i_DRAW:
        (wnd->*handler.pfn_v_i_DRAW)(static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        return TRUE;
    case AfxSig_v_DRAW:
        (wnd->*handler.pfn_v_DRAW)(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        return TRUE;
    case AfxSig_v_i_MEASURE:
        (wnd->*handler.pfn_v_i_MEASURE)(static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        return TRUE;
    case AfxSig_v_MEASURE:
        (wnd->*handler.pfn_v_MEASURE)(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        return TRUE;
    case AfxSig_l_w_l:
        return (wnd->*handler.pfn_l_w_l)(wParam, lParam);
    case AfxSig_i_W_u_u:
        return (wnd->*handler.pfn_i_W_u_u)(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam),
                                            HIWORD(lParam));
    case AfxSig_v_MMI:
        (wnd->*handler.pfn_v_MMI)(reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case AfxSig_v_M_u_b:
        (wnd->*handler.pfn_v_M_u_b)(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), LOWORD(lParam),
                                    static_cast<BOOL>(HIWORD(lParam)));
        return 0;
    default:
        return 0;
    }
}

} // namespace qvmfc
