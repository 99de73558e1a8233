#pragma once

// Message maps: the entry table each window class declares, the handler signature tags and the
// ON_ macros that build entries. Every entry's handler is cast to its documented signature with
// static_cast first, so a handler with the wrong signature does not compile.

#include <windows.h>

class CCmdTarget;
class CCmdUI;
class CMenu;
class CWnd;

#ifndef AFX_MSG_CALL
#define AFX_MSG_CALL
#endif
#ifndef afx_msg
#define afx_msg
#endif

typedef void (AFX_MSG_CALL CCmdTarget::*AFX_PMSG)(void);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSGW)(void);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // window message, or AFX_REGISTERED_MESSAGE
    UINT nCode;     // control or WM_NOTIFY code
    UINT nID;       // control id, or first of a range
    UINT nLastID;   // last control id of a range
    UINT_PTR nSig;  // AfxSig tag; for registered messages the address of the message number
    AFX_PMSG pfn;   // the handler
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Registered messages (RegisterWindowMessage) lie from here to 0xFFFF; their entries carry
// this value as nMessage and the address of the message number in nSig.
#define AFX_REGISTERED_MESSAGE 0xC000
#define AFX_LAST_REGISTERED_MESSAGE 0xFFFF
// Reflected messages arrive at the child as WM_REFLECT_BASE + the parent's message.
#define WM_REFLECT_BASE 0xBC00
// The old single control-colour message; WM_CTLCOLORxxx are dispatched under it.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif
// Sent by frames to every view before it is first shown.
#define WM_INITIALUPDATE 0x0364
// Sent by the frame when the active view changes.
#define WM_IDLEUPDATECMDUI 0x0363

#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

// What a WM_NOTIFY handler receives through OnCmdMsg's pExtra.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// What a control-colour handler receives: WM_CTLCOLORxxx cracked into one record.
struct AFX_CTLCOLOR {
    HWND hWnd;
    HDC hDC;
    UINT nCtlType;
};

enum AfxSig : UINT_PTR {
    AfxSig_end = 0,
    AfxSig_v_v_v,          // void ()
    AfxSig_b_v_v,          // BOOL ()
    AfxSig_u_v_v,          // UINT ()
    AfxSig_i_v_s,          // int (LPCREATESTRUCT)
    AfxSig_b_D_v,          // BOOL (CDC*)
    AfxSig_v_u_ii,         // void (UINT, int, int)
    AfxSig_v_i_i,          // void (int, int)
    AfxSig_v_up,           // void (UINT_PTR)
    AfxSig_v_W_v,          // void (CWnd*)
    AfxSig_v_b_v,          // void (BOOL)
    AfxSig_v_u_u_u,        // void (UINT, UINT, UINT)
    AfxSig_v_u_p,          // void (UINT, CPoint)
    AfxSig_b_u_s_p,        // BOOL (UINT, short, CPoint)
    AfxSig_v_u_u_W,        // void (UINT, UINT, CScrollBar*)
    AfxSig_v_u_u,          // void (UINT, UINT)
    AfxSig_v_b_NCCALC,     // void (BOOL, NCCALCSIZE_PARAMS*)
    AfxSig_l_p,            // LRESULT (CPoint)
    AfxSig_b_W_u_u,        // BOOL (CWnd*, UINT, UINT)
    AfxSig_v_b_u,          // void (BOOL, UINT)
    AfxSig_v_POS,          // void (WINDOWPOS*)
    AfxSig_v_W_p,          // void (CWnd*, CPoint)
    AfxSig_h_D_W_u,        // HBRUSH (CDC*, CWnd*, UINT)
    AfxSig_h_D_u,          // HBRUSH (CDC*, UINT)
    AfxSig_v_i_DRAW,       // void (int, LPDRAWITEMSTRUCT)
    AfxSig_v_DRAW,         // void (LPDRAWITEMSTRUCT)
    AfxSig_v_i_MEASURE,    // void (int, LPMEASUREITEMSTRUCT)
    AfxSig_v_MEASURE,      // void (LPMEASUREITEMSTRUCT)
    AfxSig_l_w_l,          // LRESULT (WPARAM, LPARAM)
    AfxSig_i_W_u_u,        // int (CWnd*, UINT, UINT)
    AfxSig_v_MMI,          // void (MINMAXINFO*)
    AfxSig_v_M_u_b,        // void (CMenu*, UINT, BOOL)
    AfxSigCmd_v,           // void ()
    AfxSigCmd_b,           // BOOL ()
    AfxSigCmd_RANGE,       // void (UINT)
    AfxSigCmd_EX,          // BOOL (UINT)
    AfxSigNotify_v,        // void (NMHDR*, LRESULT*)
    AfxSigNotify_b,        // BOOL (NMHDR*, LRESULT*)
    AfxSigNotify_RANGE,    // void (UINT, NMHDR*, LRESULT*)
    AfxSigNotify_EX,       // BOOL (UINT, NMHDR*, LRESULT*)
    AfxSigCmdUI,           // void (CCmdUI*)
};

// Entries cast member pointers to the common AFX_PMSG type; the cast is what the map is.
#define PTM_WARNING_DISABLE \
    _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wcast-function-type\"")
#define PTM_WARNING_RESTORE _Pragma("GCC diagnostic pop")

#define DECLARE_MESSAGE_MAP()                                \
protected:                                                   \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();     \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                   \
    PTM_WARNING_DISABLE                                                          \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap()                       \
    {                                                                            \
        [[maybe_unused]] typedef theClass ThisClass;                                            \
        typedef baseClass TheBaseClass;                                          \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

// The map of a class template, one per instantiation: theClass<type_name> deriving from baseClass.
#define BEGIN_TEMPLATE_MESSAGE_MAP(theClass, type_name, baseClass)                \
    PTM_WARNING_DISABLE                                                          \
    template <typename type_name>                                                \
    const AFX_MSGMAP* theClass<type_name>::GetMessageMap() const { return GetThisMessageMap(); } \
    template <typename type_name>                                                \
    const AFX_MSGMAP* PASCAL theClass<type_name>::GetThisMessageMap()            \
    {                                                                            \
        [[maybe_unused]] typedef theClass<type_name> ThisClass;                  \
        typedef baseClass TheBaseClass;                                          \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                        \
            { 0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0 }                              \
        };                                                                       \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, \
                                               &_messageEntries[0] };            \
        return &messageMap;                                                      \
    }                                                                            \
    PTM_WARNING_RESTORE

// One window-message entry: handler fn of ThisClass with signature ret (CWnd::*)(args).
#define AFX_WND_ENTRY_(message, sig, fn, ret, ...)                                              \
    { message, 0, 0, 0, sig,                                                                    \
      (AFX_PMSG)(AFX_PMSGW)(static_cast<ret (AFX_MSG_CALL CWnd::*)(__VA_ARGS__)>(&ThisClass::fn)) },

#define ON_WM_CREATE()          AFX_WND_ENTRY_(WM_CREATE, AfxSig_i_v_s, OnCreate, int, LPCREATESTRUCT)
#define ON_WM_DESTROY()         AFX_WND_ENTRY_(WM_DESTROY, AfxSig_v_v_v, OnDestroy, void)
#define ON_WM_NCDESTROY()       AFX_WND_ENTRY_(WM_NCDESTROY, AfxSig_v_v_v, OnNcDestroy, void)
#define ON_WM_SIZE()            AFX_WND_ENTRY_(WM_SIZE, AfxSig_v_u_ii, OnSize, void, UINT, int, int)
#define ON_WM_MOVE()            AFX_WND_ENTRY_(WM_MOVE, AfxSig_v_i_i, OnMove, void, int, int)
#define ON_WM_PAINT()           AFX_WND_ENTRY_(WM_PAINT, AfxSig_v_v_v, OnPaint, void)
#define ON_WM_ERASEBKGND()      AFX_WND_ENTRY_(WM_ERASEBKGND, AfxSig_b_D_v, OnEraseBkgnd, BOOL, CDC*)
#define ON_WM_TIMER()           AFX_WND_ENTRY_(WM_TIMER, AfxSig_v_up, OnTimer, void, UINT_PTR)
#define ON_WM_SETFOCUS()        AFX_WND_ENTRY_(WM_SETFOCUS, AfxSig_v_W_v, OnSetFocus, void, CWnd*)
#define ON_WM_KILLFOCUS()       AFX_WND_ENTRY_(WM_KILLFOCUS, AfxSig_v_W_v, OnKillFocus, void, CWnd*)
#define ON_WM_ENABLE()          AFX_WND_ENTRY_(WM_ENABLE, AfxSig_v_b_v, OnEnable, void, BOOL)
#define ON_WM_KEYDOWN()         AFX_WND_ENTRY_(WM_KEYDOWN, AfxSig_v_u_u_u, OnKeyDown, void, UINT, UINT, UINT)
#define ON_WM_KEYUP()           AFX_WND_ENTRY_(WM_KEYUP, AfxSig_v_u_u_u, OnKeyUp, void, UINT, UINT, UINT)
#define ON_WM_CHAR()            AFX_WND_ENTRY_(WM_CHAR, AfxSig_v_u_u_u, OnChar, void, UINT, UINT, UINT)
#define ON_WM_SYSKEYDOWN()      AFX_WND_ENTRY_(WM_SYSKEYDOWN, AfxSig_v_u_u_u, OnSysKeyDown, void, UINT, UINT, UINT)
#define ON_WM_MOUSEMOVE()       AFX_WND_ENTRY_(WM_MOUSEMOVE, AfxSig_v_u_p, OnMouseMove, void, UINT, CPoint)
#define ON_WM_MOUSEWHEEL()      AFX_WND_ENTRY_(WM_MOUSEWHEEL, AfxSig_b_u_s_p, OnMouseWheel, BOOL, UINT, short, CPoint)
#define ON_WM_MOUSEHOVER()      AFX_WND_ENTRY_(WM_MOUSEHOVER, AfxSig_v_u_p, OnMouseHover, void, UINT, CPoint)
#define ON_WM_MOUSELEAVE()      AFX_WND_ENTRY_(WM_MOUSELEAVE, AfxSig_v_v_v, OnMouseLeave, void)
#define ON_WM_LBUTTONDOWN()     AFX_WND_ENTRY_(WM_LBUTTONDOWN, AfxSig_v_u_p, OnLButtonDown, void, UINT, CPoint)
#define ON_WM_LBUTTONUP()       AFX_WND_ENTRY_(WM_LBUTTONUP, AfxSig_v_u_p, OnLButtonUp, void, UINT, CPoint)
#define ON_WM_LBUTTONDBLCLK()   AFX_WND_ENTRY_(WM_LBUTTONDBLCLK, AfxSig_v_u_p, OnLButtonDblClk, void, UINT, CPoint)
#define ON_WM_RBUTTONDOWN()     AFX_WND_ENTRY_(WM_RBUTTONDOWN, AfxSig_v_u_p, OnRButtonDown, void, UINT, CPoint)
#define ON_WM_RBUTTONUP()       AFX_WND_ENTRY_(WM_RBUTTONUP, AfxSig_v_u_p, OnRButtonUp, void, UINT, CPoint)
#define ON_WM_RBUTTONDBLCLK()   AFX_WND_ENTRY_(WM_RBUTTONDBLCLK, AfxSig_v_u_p, OnRButtonDblClk, void, UINT, CPoint)
#define ON_WM_MBUTTONDOWN()     AFX_WND_ENTRY_(WM_MBUTTONDOWN, AfxSig_v_u_p, OnMButtonDown, void, UINT, CPoint)
#define ON_WM_MBUTTONUP()       AFX_WND_ENTRY_(WM_MBUTTONUP, AfxSig_v_u_p, OnMButtonUp, void, UINT, CPoint)
#define ON_WM_MBUTTONDBLCLK()   AFX_WND_ENTRY_(WM_MBUTTONDBLCLK, AfxSig_v_u_p, OnMButtonDblClk, void, UINT, CPoint)
#define ON_WM_HSCROLL()         AFX_WND_ENTRY_(WM_HSCROLL, AfxSig_v_u_u_W, OnHScroll, void, UINT, UINT, CScrollBar*)
#define ON_WM_VSCROLL()         AFX_WND_ENTRY_(WM_VSCROLL, AfxSig_v_u_u_W, OnVScroll, void, UINT, UINT, CScrollBar*)
#define ON_WM_PALETTECHANGED()  AFX_WND_ENTRY_(WM_PALETTECHANGED, AfxSig_v_W_v, OnPaletteChanged, void, CWnd*)
#define ON_WM_QUERYNEWPALETTE() AFX_WND_ENTRY_(WM_QUERYNEWPALETTE, AfxSig_b_v_v, OnQueryNewPalette, BOOL)
#define ON_WM_NCCALCSIZE() \
    AFX_WND_ENTRY_(WM_NCCALCSIZE, AfxSig_v_b_NCCALC, OnNcCalcSize, void, BOOL, NCCALCSIZE_PARAMS*)
#define ON_WM_NCHITTEST()       AFX_WND_ENTRY_(WM_NCHITTEST, AfxSig_l_p, OnNcHitTest, LRESULT, CPoint)
#define ON_WM_MOUSEACTIVATE() \
    AFX_WND_ENTRY_(WM_MOUSEACTIVATE, AfxSig_i_W_u_u, OnMouseActivate, int, CWnd*, UINT, UINT)
#define ON_WM_CLOSE()           AFX_WND_ENTRY_(WM_CLOSE, AfxSig_v_v_v, OnClose, void)
#define ON_WM_GETDLGCODE()      AFX_WND_ENTRY_(WM_GETDLGCODE, AfxSig_u_v_v, OnGetDlgCode, UINT)
#define ON_WM_SETCURSOR()       AFX_WND_ENTRY_(WM_SETCURSOR, AfxSig_b_W_u_u, OnSetCursor, BOOL, CWnd*, UINT, UINT)
#define ON_WM_SHOWWINDOW()      AFX_WND_ENTRY_(WM_SHOWWINDOW, AfxSig_v_b_u, OnShowWindow, void, BOOL, UINT)
#define ON_WM_WINDOWPOSCHANGED() AFX_WND_ENTRY_(WM_WINDOWPOSCHANGED, AfxSig_v_POS, OnWindowPosChanged, void, WINDOWPOS*)
#define ON_WM_WINDOWPOSCHANGING() \
    AFX_WND_ENTRY_(WM_WINDOWPOSCHANGING, AfxSig_v_POS, OnWindowPosChanging, void, WINDOWPOS*)
#define ON_WM_GETMINMAXINFO()   AFX_WND_ENTRY_(WM_GETMINMAXINFO, AfxSig_v_MMI, OnGetMinMaxInfo, void, MINMAXINFO*)
#define ON_WM_INITMENUPOPUP() \
    AFX_WND_ENTRY_(WM_INITMENUPOPUP, AfxSig_v_M_u_b, OnInitMenuPopup, void, CMenu*, UINT, BOOL)
#define ON_WM_CONTEXTMENU()     AFX_WND_ENTRY_(WM_CONTEXTMENU, AfxSig_v_W_p, OnContextMenu, void, CWnd*, CPoint)
#define ON_WM_CTLCOLOR()        AFX_WND_ENTRY_(WM_CTLCOLOR, AfxSig_h_D_W_u, OnCtlColor, HBRUSH, CDC*, CWnd*, UINT)
#define ON_WM_DRAWITEM()        AFX_WND_ENTRY_(WM_DRAWITEM, AfxSig_v_i_DRAW, OnDrawItem, void, int, LPDRAWITEMSTRUCT)
#define ON_WM_MEASUREITEM() \
    AFX_WND_ENTRY_(WM_MEASUREITEM, AfxSig_v_i_MEASURE, OnMeasureItem, void, int, LPMEASUREITEMSTRUCT)

// Messages a parent reflects back to the child that sent them.
#define ON_WM_CTLCOLOR_REFLECT() \
    AFX_WND_ENTRY_(WM_REFLECT_BASE + WM_CTLCOLOR, AfxSig_h_D_u, CtlColor, HBRUSH, CDC*, UINT)
#define ON_WM_HSCROLL_REFLECT()   AFX_WND_ENTRY_(WM_REFLECT_BASE + WM_HSCROLL, AfxSig_v_u_u, HScroll, void, UINT, UINT)
#define ON_WM_VSCROLL_REFLECT()   AFX_WND_ENTRY_(WM_REFLECT_BASE + WM_VSCROLL, AfxSig_v_u_u, VScroll, void, UINT, UINT)
#define ON_WM_DRAWITEM_REFLECT() \
    AFX_WND_ENTRY_(WM_REFLECT_BASE + WM_DRAWITEM, AfxSig_v_DRAW, DrawItem, void, LPDRAWITEMSTRUCT)
#define ON_WM_MEASUREITEM_REFLECT() \
    AFX_WND_ENTRY_(WM_REFLECT_BASE + WM_MEASUREITEM, AfxSig_v_MEASURE, MeasureItem, void, LPMEASUREITEMSTRUCT)

// User-defined and registered messages.
#define ON_MESSAGE(message, memberFxn)                                                          \
    { message, 0, 0, 0, AfxSig_l_w_l,                                                           \
      (AFX_PMSG)(AFX_PMSGW)(static_cast<LRESULT (AFX_MSG_CALL CWnd::*)(WPARAM, LPARAM)>(memberFxn)) },
#define ON_MESSAGE_VOID(message, memberFxn)                                                     \
    { message, 0, 0, 0, AfxSig_v_v_v,                                                           \
      (AFX_PMSG)(AFX_PMSGW)(static_cast<void (AFX_MSG_CALL CWnd::*)(void)>(memberFxn)) },
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                      \
    { AFX_REGISTERED_MESSAGE, 0, 0, 0, (UINT_PTR)(const UINT*)(&nMessageVariable),                              \
      (AFX_PMSG)(AFX_PMSGW)(static_cast<LRESULT (AFX_MSG_CALL CWnd::*)(WPARAM, LPARAM)>(memberFxn)) },

// Commands: menu items, accelerators and control notifications by WM_COMMAND.
#define ON_COMMAND(id, memberFxn)                                                               \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_v,                              \
      static_cast<AFX_PMSG>(memberFxn) },
#define ON_COMMAND_EX(id, memberFxn)                                                            \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_EX,                             \
      (AFX_PMSG)(static_cast<BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT)>(memberFxn)) },
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                 \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSigCmd_RANGE,                      \
      (AFX_PMSG)(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(UINT)>(memberFxn)) },
// Updates of a command's menu item (or other user-interface object) before it is shown.
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                     \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(id), AfxSigCmdUI,                    \
      (AFX_PMSG)(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(CCmdUI*)>(memberFxn)) },
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                       \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(idLast), AfxSigCmdUI,                \
      (AFX_PMSG)(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(CCmdUI*)>(memberFxn)) },
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                  \
    { WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigCmd_v,                     \
      static_cast<AFX_PMSG>(memberFxn) },
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)                                    \
    { WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigCmd_RANGE,             \
      (AFX_PMSG)(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(UINT)>(memberFxn)) },
#define ON_BN_CLICKED(id, memberFxn)   ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn)    ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn)  ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn)    ON_CONTROL(EN_UPDATE, id, memberFxn)

#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                              \
    { WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_v,                     \
      static_cast<AFX_PMSG>(memberFxn) },
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                                           \
    { WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_b,                     \
      (AFX_PMSG)(static_cast<BOOL (AFX_MSG_CALL CCmdTarget::*)(void)>(memberFxn)) },

// Notifications by WM_NOTIFY. Codes are stored in 16 bits as MFC does.
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                   \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_v,              \
      (AFX_PMSG)(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*)>(memberFxn)) },
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                     \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigNotify_RANGE,      \
      (AFX_PMSG)(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(memberFxn)) },
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                                \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_EX,             \
      (AFX_PMSG)(static_cast<BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(memberFxn)) },
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn)                                  \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigNotify_EX,         \
      (AFX_PMSG)(static_cast<BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(memberFxn)) },
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                               \
    { WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_v,              \
      (AFX_PMSG)(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*)>(memberFxn)) },
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                            \
    { WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_b,              \
      (AFX_PMSG)(static_cast<BOOL (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*)>(memberFxn)) },
