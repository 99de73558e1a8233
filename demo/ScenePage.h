#pragma once

#include "Page.h"

#include <qv.win/Font.h>
#include <qv.win/Wnd.h>

namespace demo {

// A GL window host showing the primitives of the manager: a lit sphere inside a wire box,
// a translucent floor, circles, labels, extruded 3D text and the frame-rate overlay.
// The world turns while the page is shown; a click picks the object under the mouse.
class ScenePage : public qv::gl::Wnd, public Page {
public:
    ScenePage();

    const wchar_t* title() const override { return L"3D Scene"; }
    const wchar_t* shotName() const override { return L"scene"; }
    bool create(CWnd* parent, UINT id) override;
    CWnd* window() override { return this; }
    void activate(bool active) override;
    void tour(Tour& tour) override;

    // The object picked last, "nothing" before the first click.
    const wchar_t* getPicked() const;

    bool onCreateGLFont() override;
    void onRenderGL() override;
    void onPickGL() override;
    void onDestroyGL() override;

protected:
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnTimer(UINT_PTR id);

    DECLARE_MESSAGE_MAP()

private:
    void _drawObjects();
    void _drawLabels();
    void _drawTitle();
    void _tourReadBack(Tour& tour);

    qv::gl::Font outline;
    unsigned picked = 0;
};

} // namespace demo
