#pragma once

#include <qv.win/Font.h>
#include <qv.win/Wnd.h>

namespace demo {

// A GL window host showing the primitives of the manager: a lit sphere inside a wire box,
// a translucent floor, circles, labels, extruded 3D text and the frame-rate overlay.
// A click picks the object under the mouse and names it in the parent's title.
class SceneWnd : public qv::gl::Wnd {
public:
    SceneWnd();

    // Turns the world about the vertical axis on every timer tick.
    void startRotation();

    bool onCreateGLFont() override;
    void onRenderGL() override;
    void onDestroyGL() override;

protected:
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnTimer(UINT_PTR id);

    DECLARE_MESSAGE_MAP()

private:
    void _drawLabels();
    void _drawTitle();

    qv::gl::Font outline;
};

} // namespace demo
