#include <qv.win/GraphWnd.h>

#include <qv.win/CameraGraph.h>
#include "GraphWndDrawing.h"

#include <cmath>
#include <limits>

namespace qv::gl {

namespace {

const char kDefaultHeader[] = "QV::GL 2D Line Graph";
const char kHeaderFace[] = "Tahoma";
constexpr int kHeaderHeight = 14;
constexpr float kLargest = std::numeric_limits<float>::max();
const GraphWnd::vector2 kEmptyMin{-10, -10};
const GraphWnd::vector2 kEmptyMax{10, 10};
const GraphWnd::color kWhite{1, 1, 1, 1};

// Layout, in client pixels.
constexpr int kBorder = 5;
constexpr int kHeaderGap = 10;
constexpr int kAxisYWidth = 50;
constexpr int kAxisXHeight = 20;
constexpr int kRightGap = 10;

CRect shrunk(CRect rc)
{
    rc.DeflateRect(1, 1);
    return rc;
}

} // namespace

IMPLEMENT_DYNCREATE(GraphWnd, Wnd)

GraphWnd::GraphWnd(bool useBitmap)
    : Wnd(useBitmap), camera(nullptr), graphRect(0, 0, 0, 0), mouseDownPoint(0, 0), headerRect(0, 0, 0, 0),
      axisXRect(0, 0, 0, 0), axisYRect(0, 0, 0, 0), headerTextSize(0, 0), header(kDefaultHeader), marginRatio(0.1f),
      showGridLines(true), showOriginAxes(false), onlyGraph(false), onlyGraphSize(200, 150), showHeaderText(true),
      enableSnap(true), snapSize(20), snapped(false), viewType(LineAndPoint), lineWidth(1.0f), pointSize(3.0f),
      colorWork(kWhite), colorBack(kWhite), enableTip(true), snapLayer(-1), snapItem(-1), enablePick(false),
      drawEveryPoint(false)
{
    setColorBackground(kWhite);
}

GraphWnd::~GraphWnd()
{
    delete camera;
}

void GraphWnd::recalcRange(bool refresh)
{
    if (camera == nullptr)
        return;
    vector2 min{kLargest, kLargest};
    vector2 max{-kLargest, -kLargest};
    getDataRange(min, max);
    if (min.x == kLargest && min.y == kLargest)
        min = kEmptyMin;
    if (max.x == -kLargest && max.y == -kLargest)
        max = kEmptyMax;
    // A margin that is not a number would leave no view at all: the data fit exactly instead.
    const float margin = std::isfinite(marginRatio) ? marginRatio : 0.0f;
    const float dx = math<float>::abs(max.x - min.x) * margin * 0.5f;
    const float dy = math<float>::abs(max.y - min.y) * margin * 0.5f;
    camera->setContentVolume(min.x - dx, min.y - dy, max.x + dx, max.y + dy);
    if (refresh)
        refreshScreen(false, true);
}

bool GraphWnd::onCreateGL()
{
    return createGL(nullptr);
}

bool GraphWnd::createGL(float** ranges)
{
    if (!Wnd::onCreateGL())
        return false;
    delete camera;
    camera = new CameraGraph(this, ranges);
    setCamera(camera);
    return true;
}

bool GraphWnd::onCreateGLFont()
{
    if (!Wnd::onCreateGLFont())
        return false;
    return headerFont.create(getDC(), kHeaderFace, kHeaderHeight) != 0;
}

// The header's display lists go while their context is still current.
void GraphWnd::onDestroyGL()
{
    makeCurrent();
    headerFont.destroy();
    Wnd::onDestroyGL();
}

void GraphWnd::onResizeGL(int cx, int cy)
{
    _layout(cx, cy);
    makeCurrent();
    setViewportRect(graphRect);
    recalcRange(false);
}

void GraphWnd::onRenderGLPre() {}

void GraphWnd::onRenderGLPost() {}

void GraphWnd::onDrawDataPre() {}

void GraphWnd::onDrawDataPost() {}

void GraphWnd::setViewportRect(CRect rc)
{
    if (camera == nullptr)
        return;
    ::glViewport(rc.left, camera->getScreenSize().cy - rc.bottom, rc.Width(), rc.Height());
}

void GraphWnd::_layout(int cx, int cy)
{
    onlyGraph = cx < onlyGraphSize.cx || cy < onlyGraphSize.cy;
    if (onlyGraph) {
        headerRect = axisXRect = axisYRect = CRect(0, 0, 0, 0);
        graphRect = CRect(0, 0, cx, cy);
        return;
    }
    headerTextSize = showHeaderText ? headerFont.getOutputTextExtent(header.c_str()) : CSize(0, 0);
    const int h = showHeaderText ? headerTextSize.cy : 0;
    const int top = kBorder + h + kHeaderGap;
    const int plotLeft = kBorder + kAxisYWidth;
    const int plotRight = cx - kBorder - kRightGap;
    const int plotBottom = cy - kBorder - kAxisXHeight;
    headerRect = CRect(kBorder, kBorder, cx - kBorder, kBorder + h);
    axisYRect = shrunk(CRect(kBorder, top, plotLeft, plotBottom));
    graphRect = shrunk(CRect(plotLeft, top, plotRight, plotBottom));
    axisXRect = shrunk(CRect(plotLeft, plotBottom, plotRight, cy - kBorder));
}

} // namespace qv::gl
