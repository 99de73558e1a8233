#pragma once

#include "ControlsResources.h"
#include "qvtest/DibSurface.h"

#include <afxwin.h>

// The controls dialog of Controls.rc, created modeless and destroyed with the object.
class ControlsDialog : public CDialog {
public:
    ControlsDialog() { Create(IDD_CONTROLS, nullptr); }
    ~ControlsDialog() override { DestroyWindow(); }
};

// Sizes the control in pixels and paints its client area into a surface of that size.
inline void printClient(CWnd& control, qvtest::DibSurface& surface)
{
    control.MoveWindow(0, 0, surface.width(), surface.height(), FALSE);
    control.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.hdc()), PRF_CLIENT | PRF_ERASEBKGND);
}
