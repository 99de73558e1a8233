#pragma once

#include "qv.win.h"
#include "Host.h"

#include <afxwin.h>

namespace qv::gl {

// A document-view view that carries a GL manager (window class "QV_OpenGLView", the view
// class with its own device context and no background brush). It creates GL with the
// window and initialises it on the initial update; after each picture OnDraw draws over
// it with GDI, with the DC the picture went to. Everything else is the host's (Host.h).
//
// Created by a document template (dynamic creation), it renders through the offscreen bitmap.
class QV_WIN_API View : public Host<CView> {
    DECLARE_DYNCREATE(View)
public:
    // Construction

    explicit View(bool useBitmap = true);

    // Overridables

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnInitialUpdate() override;
    void OnDraw(CDC* dc) override;

protected:
    // Message handlers

    afx_msg int OnCreate(LPCREATESTRUCT cs);

    DECLARE_MESSAGE_MAP()
};

} // namespace qv::gl
