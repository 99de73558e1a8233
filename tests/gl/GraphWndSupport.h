#pragma once

#include <qv.win/CameraGraph.h>
#include <qv.win/GraphWnd.h>

#include "GlHostSupport.h"

#include "qvtest/MfcPump.h"

#include <gtest/gtest.h>

using qv::gl::GraphLayer;
using qv::gl::GraphPos;
using qv::gl::GraphWnd;

namespace graphcolors {
inline constexpr COLORREF kWhite = RGB(255, 255, 255);
inline constexpr COLORREF kBlack = RGB(0, 0, 0);
inline constexpr COLORREF kYellow = RGB(255, 255, 0);
} // namespace graphcolors

// A graph window in bitmap mode with a client area of the given size, in a parent of its own;
// (GraphWnd draws through the bitmap by default); render() paints it at once and pixel() reads the picture (y from the top).
template <class Window = qv::gl::GraphWnd>
class GraphFixture {
public:
    GraphFixture(int cx, int cy)
    {
        created = createParent(parent, cx + 40, cy + 40)
               && wnd.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, cx + 4, cy + 4), &parent, 1);
        if (created)
            setClientSize(wnd, cx, cy);
        qvtest::pumpMfcUntilIdle();
    }

    void render()
    {
        wnd.refreshScreen(true, true);
        qvtest::pumpMfcUntilIdle();
    }

    COLORREF pixel(int x, int y) const
    {
        COLORREF colour = CLR_INVALID;
        wnd.getDIB().getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y), colour);
        return colour;
    }

    // The window pixel of a point in graph units.
    CPoint toPixel(float x, float y) const
    {
        const CRect& plot = wnd.getGraphRect();
        const qv::rect<float> view = wnd.getGraphCamera()->getBoundVolume(true);
        return CPoint(plot.left + static_cast<int>((x - view.left) / (view.right - view.left) * plot.Width()),
                      plot.bottom - 1 - static_cast<int>((y - view.bottom) / (view.top - view.bottom) * plot.Height()));
    }

    CWnd parent;
    Window wnd;
    bool created = false;
};
