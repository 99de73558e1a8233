#pragma once

#include "ControlsResources.h"
#include "qvtest/DibSurface.h"
#include "qvtest/TestWindow.h"

#include <afxwin.h>

// The visible top-level window of every dialog of the program. Hiding a top-level window makes
// Wine wait two seconds for a window manager that is not there; a child goes at once.
inline HWND dialogHost()
{
    static const auto* host = new qvtest::TestWindow(480, 320);
    return *host;
}

// The controls dialog of Controls.rc, a child of the host, destroyed with the object.
class ControlsDialog : public CDialog {
public:
    ControlsDialog() { Create(IDD_CONTROLS, CWnd::FromHandle(dialogHost())); }
    ~ControlsDialog() override { DestroyWindow(); }
};

// Sizes the control in pixels and paints its client area into a surface of that size.
inline void printClient(CWnd& control, qvtest::DibSurface& surface)
{
    control.MoveWindow(0, 0, surface.width(), surface.height(), FALSE);
    control.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.hdc()), PRF_CLIENT | PRF_ERASEBKGND);
}
