#pragma once

#include "qv.win.h"
#include "Camera.h"
#include "Font.h"
#include "Manager.h"

#include <afxwin.h>

#include <memory>

namespace qv::gl {

// What the GL window and the GL view share: a GL manager beside an MFC window class (CWnd or
// CView), one message map routing size, paint, print, destroy and palette messages to the
// manager, and the default camera and "Tahoma" 14 font, which the host owns.
//
// Painting goes through the DC the host is given: WM_PAINT presents into the paint DC, and
// WM_PRINTCLIENT renders into the DC it carries (a memory DC receives a copy of the picture,
// in window mode too), so a GL window can be drawn off the screen. A view then prepares the
// same DC (OnPrepareDC) and lets OnDraw draw over the picture with it. The background is never
// erased.
//
// Use Wnd or View; derive from them, not from this template.
template <class Base>
class Host : public Base, public Manager {
public:
    // Construction

    explicit Host(bool useBitmap);
    ~Host() override;

    // Overridables

    // TRUE when the manager (its camera) consumes the message, else the window's handling.
    BOOL PreTranslateMessage(MSG* msg) override;

    using Manager::onCreateGL;
    bool onCreateGL() override;
    bool onCreateGLFont() override;
    void onInitGL() override;
    void onRenderGL() override;
    // Frees the font's display lists while their context still exists.
    void onDestroyGL() override;

protected:
    // Message handlers

    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM dc, LPARAM flags);
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnDestroy();
    afx_msg void OnPaletteChanged(CWnd* changer);
    afx_msg BOOL OnQueryNewPalette();

    DECLARE_MESSAGE_MAP()

    // Implementation

    // Registers the class unless the process has it already; failure throws CResourceException.
    static void _registerClass(WNDCLASS& windowClass);

    std::unique_ptr<Camera> glCamera;
    std::unique_ptr<Font> glFont;
    bool useBitmap;

private:
    void _present(CDC* target);
};

extern template class QV_WIN_API Host<CWnd>;
extern template class QV_WIN_API Host<CView>;

} // namespace qv::gl
