#pragma once

#include "qv.win.h"

#include <afxwin.h>

namespace qv::gui {

// The start-up picture of an application: a borderless pop-up showing a bitmap resource
// centred on the desktop work area, with a one-line status text painted over its lower
// edge. Create it before the main window, call SetStatusText while initialising and
// PeekAndPumpMessage to keep the application responsive, then DestroyWindow.
//
// The user cannot close it: close requests (Alt+F4, WM_CLOSE) are ignored. The whole
// window is client area and shows the wait cursor.
class QV_WIN_API SplashWnd : public CWnd {
public:
    // Construction

    SplashWnd();
    // Creates the window at once; without a window afterwards when that fails.
    SplashWnd(CWnd* parent, UINT bitmapId, DWORD textColor);

    // Loads the bitmap (searching the application's resource modules), creates the window
    // on top, shows it and pumps the pending messages. False, with no window, when the
    // class cannot be registered, the bitmap does not load or the window already exists.
    bool Create(CWnd* parent, UINT bitmapId, DWORD textColor);
    // Hides the window and pumps the pending messages before destroying it.
    BOOL DestroyWindow() override;

    // Registers "qv.gui.SplashWnd" once per process; true when it is registered.
    static bool RegisterSplashWndClass();

    // Operations

    // A string resource; an id that does not load changes nothing.
    void SetStatusText(UINT stringId);
    // Null clears the text. A visible window repaints at once when the text changes.
    void SetStatusText(const wchar_t* text);
    // Processes every waiting message; with idle, then runs the thread's idle processing
    // until it wants no more. A quit message is posted again so the main loop still sees it.
    void PeekAndPumpMessage(bool idle);

    // Overridables

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    // Message handlers

    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnPaint();
    afx_msg void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnClose();

    DECLARE_MESSAGE_MAP()

    // Implementation

    void _drawPicture(CDC& dc);
    void _drawStatus(CDC& dc);
    CRect _statusRect() const;

    COLORREF textColor = 0;
    CBitmap bitmap;
    int bitmapWidth = 0;
    int bitmapHeight = 0;
    CString statusText;
};

} // namespace qv::gui
