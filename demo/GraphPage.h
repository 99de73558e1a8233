#pragma once

#include "Page.h"

#include <qv.win/GraphWnd.h>

#include <random>

namespace demo {

// The line graph live: three measurement channels streaming in while the page is shown,
// thousands of points a second. Hover a point for its tip, click it to select it; drag with
// the middle or right button to pan, Shift + right drag to zoom into a box, the wheel to zoom
// and a left double click to see everything again.
class GraphPage : public qv::gl::GraphWnd, public Page {
public:
    GraphPage();

    const wchar_t* title() const override { return L"Line Graph"; }
    const wchar_t* shotName() const override { return L"graph"; }
    bool create(CWnd* parent, UINT id) override;
    CWnd* window() override { return this; }
    void activate(bool active) override;
    void tour(Tour& tour) override;

protected:
    // The page draws and picks its points as GraphWnd does.
    bool isDefaultPointDrawing() const override { return true; }
    bool isDefaultPick() const override { return true; }

    void onRenderGLPost() override;

    afx_msg void OnTimer(UINT_PTR id);

    DECLARE_MESSAGE_MAP()

private:
    void _stream(int samples);
    CPoint _visiblePoint() const;

    std::mt19937 random;
    std::normal_distribution<float> noise;
    bool streaming = false;
    float drift = 0;
    int samples = 0;
};

} // namespace demo
