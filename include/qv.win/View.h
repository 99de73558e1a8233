#pragma once

#include "qv.win.h"
#include "Manager.h"

#include <afxwin.h>

namespace qv::gl {

class Camera;
class Font;

// A document-view view that carries a GL manager (window class "QV_OpenGLView", the view
// class with its own device context and no background brush). It owns a default camera
// and a "Tahoma" 14 font, creates GL with the window and initialises it on the initial
// update, renders on every paint and then lets OnDraw draw over the picture with GDI.
//
// Created by a document template (dynamic creation), it renders through the offscreen bitmap.
class QV_WIN_API View : public CView, public Manager {
    DECLARE_DYNCREATE(View)
public:
    // Construction

    explicit View(bool useBitmap = true);
    ~View() override;

    // Overridables

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnInitialUpdate() override;
    // Draws over the presented GL picture with the paint DC.
    void OnDraw(CDC* dc) override;

    using Manager::onCreateGL;
    bool onCreateGL() override;
    bool onCreateGLFont() override;
    void onInitGL() override;
    void onRenderGL() override;
    // Frees the font's display lists while their context still exists.
    void onDestroyGL() override;

protected:
    // Message handlers

    afx_msg int OnCreate(LPCREATESTRUCT cs);
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
    bool useBitmap;
};

} // namespace qv::gl
