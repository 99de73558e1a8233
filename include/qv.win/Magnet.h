#pragma once

#include "qv.win.h"

#include <afxwin.h>

namespace qv::gui {

// Makes a window magnetic: while it moves, an edge that comes within the snapping
// distance of an edge of the reference window snaps onto it. The reference is the
// desktop by default, whose taskbar ("Shell_TrayWnd") is then kept free.
//
// The magnet sees nothing by itself: the moving window's owner hands it each
// WM_WINDOWPOSCHANGING (translateMessage from a window procedure, or windowPosChanging
// from an OnWindowPosChanging handler), and the proposed position is corrected in place.
// WM_WINDOWPOSCHANGING is sent, never posted, so it does not pass PreTranslateMessage.
class QV_WIN_API Magnet {
public:
    // Construction

    Magnet() = default;
    Magnet(const Magnet&) = default;
    Magnet& operator=(const Magnet&) = default;
    virtual ~Magnet();

    // Attributes

    // A null target means the desktop. False, keeping the previous settings, unless both
    // windows exist.
    bool setWindow(HWND window, HWND target = nullptr, int snapX = kDefaultSnap, int snapY = kDefaultSnap);
    bool setWindow(CWnd* window, CWnd* target = nullptr, int snapX = kDefaultSnap, int snapY = kDefaultSnap);

    // Operations

    // Snaps on WM_WINDOWPOSCHANGING; every other message is left alone.
    void translateMessage(MSG* message);
    // Corrects the proposed top-left corner, given in the target's coordinates (screen
    // coordinates for the desktop, client coordinates for a parent). A maximised window
    // or a window that no longer exists is never moved.
    void windowPosChanging(WINDOWPOS* position);

    static constexpr int kDefaultSnap = 10;

private:
    // Implementation

    struct Insets {
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
    };

    Insets _taskbarInsets(const CRect& targetRect) const;

    HWND target = nullptr;
    HWND window = nullptr;
    int snapX = kDefaultSnap;
    int snapY = kDefaultSnap;
};

} // namespace qv::gui
