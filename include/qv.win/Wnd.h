#pragma once

#include "qv.win.h"
#include "Host.h"

#include <afxwin.h>

namespace qv::gl {

// A child window that carries a GL manager, created with Create or by subclassing a
// placeholder control of a dialog (window class "QV_OpenGLWnd", registered by the first
// constructor of the process). On a button press it takes the focus before the manager
// (and so the camera) sees the message. Everything else is the host's (Host.h).
//
// Derived classes draw in onRenderGL. Created by the framework (dynamic creation), it
// renders through the offscreen bitmap.
class QV_WIN_API Wnd : public Host<CWnd> {
    DECLARE_DYNCREATE(Wnd)
public:
    // Construction

    explicit Wnd(bool useBitmap = true);

    // A child of parent with no title; creates GL with it. FALSE when either fails.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id, CCreateContext* context = nullptr);

    // Overridables

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    // GL for the existing window: the client edge, the context with camera and font,
    // initGL and the first resize.
    BOOL Create();

    // Unless Create is running, subclassing creates GL; its failure throws CMemoryException.
    void PreSubclassWindow() override;

    // Implementation

    bool createCalled;
};

} // namespace qv::gl
