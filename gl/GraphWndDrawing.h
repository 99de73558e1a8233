#pragma once

#include <qv.win/GraphWnd.h>

#include "GraphReduce.h"

namespace qv::gl {

// What was computed for drawing one layer. The summary holds while the layer's items are only
// appended to; the scans hold for one view, and go on over appended items.
struct GraphWnd::LayerDrawing {
    const GraphLayer* layer = nullptr;
    unsigned rewriteRevision = 0;
    rect<float> view;
    CSize pixels;
    bool everyPoint = false;
    float pointSize = 0;
    bool linesValid = false;
    bool pointsValid = false;
    reduce::Summary summary;
    reduce::LineScan lines;
    reduce::PointScan points;
};

} // namespace qv::gl
