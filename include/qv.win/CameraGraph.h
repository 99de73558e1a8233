#pragma once

#include "qv.win.h"
#include "Camera.h"

#include <optional>

namespace qv::gl {

// The flat camera of the graph window: an orthographic projection straight from the bound
// view volume (no depth set-up, no world-centre shift), both axes stretched to fill the
// viewport, and the mouse of a plot:
//
//   middle drag, or right drag        pan (the mouse is captured from press to release)
//   Shift + right drag                an XOR rubber band; on release the view zooms into it,
//                                     a box wider than high taking the viewport's aspect,
//                                     any other becoming square in pixels
//   wheel                             zoom by 1.05 a notch; 1.01 with Shift alone, 2 with Ctrl
//                                     alone (the key state is compared, not tested bit by bit)
//   left double click                 fit the whole content
//
// preTranslateMessage never consumes a message, so the window still receives it. The zoom
// box armed by a Shift press is disarmed only by a right drag, so a right click right after
// a box zoom zooms again into the degenerate box at the click point.
class QV_WIN_API CameraGraph : public Camera {
public:
    // Construction

    // ranges: null, or four pointers to axis range values, each null when absent. The values
    // are copied and kept for the application; the camera itself does not use them.
    CameraGraph(Manager* manager, float** ranges);
    CameraGraph(const CameraGraph& other);
    CameraGraph& operator=(const CameraGraph& other);

    // Attributes

    // A flag kept for the application; it changes nothing here.
    bool isAxisRangeSync() const { return axisRangeSync; }
    void setAxisRangeSync(bool sync) { axisRangeSync = sync; }
    // The axis range value index (0..3) given at construction, or null when absent.
    const float* getAxisRange(int index) const;

    // Overridables

    ~CameraGraph() override;
    int preTranslateMessage(MSG* message) override;
    // The argument is not used: there is no pixel distance to measure in a flat projection.
    void setupViewVolume(bool measurePixel) override;

private:
    static constexpr int kAxisRangeCount = 4;

    void _onMouseMove(CPoint point, UINT keys);
    void _onRightButtonDown(CPoint point, UINT keys);
    void _onRightButtonUp(CPoint point);
    void _onMiddleButtonDown(CPoint point);
    void _onWheel(UINT keys, short delta);
    void _panTo(CPoint point);
    void _eraseRubberBand();
    void _zoomIntoBox(CPoint point);
    void _capture();

    bool axisRangeSync;
    std::optional<float> axisRange[kAxisRangeCount];
};

} // namespace qv::gl
