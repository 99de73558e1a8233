#pragma once

#include <qv.win/GraphWnd.h>

#include <vector>

namespace qv::gl {

// What was computed for drawing one layer, valid while neither the layer nor the view changes.
struct GraphWnd::LayerDrawing {
    const GraphLayer* layer = nullptr;
    unsigned revision = 0;
    rect<float> view;
    CSize pixels;
    bool everyPoint = false;
    float pointSize = 0;
    bool linesValid = false;
    bool pointsValid = false;
    std::vector<float> lines;
    std::vector<float> points;
};

} // namespace qv::gl
