#pragma once

#include "qv.win.h"
#include "Manager.h"

#include <afxwin.h>

namespace qv::gl {

class Camera;
class Font;

// A child window that carries a GL manager, created with Create or by subclassing a
// placeholder control of a dialog (window class "QV_OpenGLWnd", registered by the first
// constructor of the process). It owns a default camera and a "Tahoma" 14 font, renders on
// every paint, never erases its background, and offers every pre-translated message to the
// manager (and so to the camera) after taking the focus on a button press.
//
// Derived classes draw in onRenderGL. Created by the framework (dynamic creation), it
// renders through the offscreen bitmap.
class QV_WIN_API Wnd : public CWnd, public Manager {
    DECLARE_DYNCREATE(Wnd)
public:
    // Construction

    explicit Wnd(bool useBitmap = true);
    ~Wnd() override;

    // A child of parent with no title; creates GL with it. FALSE when either fails.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id, CCreateContext* context = nullptr);

    // Overridables

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* msg) override;

    using Manager::onCreateGL;
    bool onCreateGL() override;
    bool onCreateGLFont() override;
    void onInitGL() override;
    void onRenderGL() override;
    // Frees the font's display lists while their context still exists.
    void onDestroyGL() override;

protected:
    // GL for the existing window: the client edge, the context with camera and font,
    // initGL and the first resize.
    BOOL Create();

    // Unless Create is running, subclassing creates GL; its failure throws CMemoryException.
    void PreSubclassWindow() override;

    // Message handlers

    afx_msg void OnSetFocus(CWnd* oldWnd);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnDestroy();
    afx_msg void OnPaletteChanged(CWnd* changer);
    afx_msg BOOL OnQueryNewPalette();

    DECLARE_MESSAGE_MAP()

    // Implementation

    Camera* glCamera;
    Font* glFont;
    bool createCalled;
    // 1: bitmap mode.
    DWORD useBitmap;
};

} // namespace qv::gl
