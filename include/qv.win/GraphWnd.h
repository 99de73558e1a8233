#pragma once

#include "qv.win.h"
#include "Font.h"
#include "Graph.h"
#include "Wnd.h"

#include "core/qv.String.h"

#include <memory>
#include <vector>

namespace qv::gl {

class CameraGraph;

// The 2D line-graph window: a GL window and a Graph at once. Fill it through the Graph
// interface, call recalcRange to fit the data into the view, and it draws a header, the axis
// labels, a framed plot with a grid, and the layers as lines, points or both, with the
// selected points marked yellow. The graph camera pans and zooms the plot.
//
// Layout (on every resize): a 5-pixel border, the header on top, the y labels in a 50-pixel
// strip on the left, the x labels in a 20-pixel strip below, the plot in between. Below the
// only-graph size the plot takes the whole client area, with no header, labels or border.
// Setters only store: the layout follows the next resize, the picture the next paint.
//
// Drawing costs grow with the pixels of the plot, not with the points. A layer whose x values
// never decrease is cut to its visible x window by binary search and, with 1-pixel lines,
// drawn through at most four points per pixel column (the first, lowest, highest and last
// point falling in it), which lights the same pixels as every point would. Other layers, and
// wider lines, draw every point from the layer's array. Points that land on a pixel their
// layer has already painted are skipped, unless a derived class is drawing them: a window of
// a class derived from GraphWnd calls onDrawDataPoint for every point. The reduced pictures
// are kept per layer until its points or the view change.
class QV_WIN_API GraphWnd : public Wnd, public Graph {
    DECLARE_DYNCREATE(GraphWnd)
public:
    using vector2 = Graph::vector2;
    using color = Manager::color;

    enum EViewType : int {
        Line = 0,
        Point = 1,
        LineAndPoint = 2, // any other value draws no data
    };

    // Construction

    explicit GraphWnd(bool useBitmap = true);

    // Attributes

    const char* getHeader() const { return header.c_str(); }
    void setHeader(const char* text) { header = text; }
    float getMarginRatio() const { return marginRatio; }
    void setMarginRatio(float ratio) { marginRatio = ratio; }
    float getLineWidth() const { return lineWidth; }
    void setLineWidth(float width) { lineWidth = width; }
    float getPointSize() const { return pointSize; }
    void setPointSize(float size) { pointSize = size; }
    const color& getColorWork() const { return colorWork; }
    void setColorWork(color c) { colorWork = c; }
    const color& getColorBack() const { return colorBack; }
    void setColorBack(color c) { colorBack = c; }
    CSize getOnlyGraphSize() const { return onlyGraphSize; }
    void setOnlyGraphSize(CSize size) { onlyGraphSize = size; }
    EViewType getViewType() const { return viewType; }
    void setViewType(EViewType type) { viewType = type; }
    int getSnapSize() const { return snapSize; }
    void setSnapSize(int size) { snapSize = size; }
    bool isShowGrid() const { return showGridLines; }
    void showGrid(bool show) { showGridLines = show; }
    bool isShowHeader() const { return showHeaderText; }
    void showHeader(bool show) { showHeaderText = show; }
    bool isShowOriginAxis() const { return showOriginAxes; }
    void showOriginAxis(bool show) { showOriginAxes = show; }
    bool isEnableSnap() const { return enableSnap; }
    void setEnalbeSnap(bool enable) { enableSnap = enable; }
    bool isEnableTip() const { return enableTip; }
    void setEnalbeTip(bool enable) { enableTip = enable; }
    bool isEnablePick() const { return enablePick; }
    void setEnablePick(bool enable) { enablePick = enable; }
    // Draws every point of every layer instead of the reduced picture: the same pixels,
    // at the cost of every point. A reference for tests and timings.
    bool isDrawEveryPoint() const { return drawEveryPoint; }
    void setDrawEveryPoint(bool every) { drawEveryPoint = every; }
    // The layout of the last resize, in client pixels.
    const CRect& getGraphRect() const { return graphRect; }
    const CRect& getHeaderRect() const { return headerRect; }
    const CRect& getAxisXRect() const { return axisXRect; }
    const CRect& getAxisYRect() const { return axisYRect; }
    bool isOnlyGraph() const { return onlyGraph; }
    CameraGraph* getGraphCamera() const { return camera; }

    // Operations

    // Fits the data range, widened by the margin ratio, into the camera's content volume;
    // a graph without data shows -10..10 on both axes.
    void recalcRange(bool refresh);
    // A filled rectangle outlined with border lines of the given width, in the current units.
    void drawBox(CRect rc, color fill, color border, float width);

    // Overridables

    ~GraphWnd() override;
    // Draws one data point in graph units, in the layer's colour (already current).
    virtual void onDrawDataPoint(int layer, int item, const vector2& position);
    virtual void onDrawDataPre();
    virtual void onDrawDataPost();
    // A coloured dot in a one-pixel black ring.
    virtual void onDrawMarker(const vector2& position, const color& colour);

    using Manager::createGL;
    bool onCreateGL() override;
    bool onCreateGLFont() override;
    void onDestroyGL() override;
    void onResizeGL(int cx, int cy) override;
    void onRenderGLPre() override;
    void onRenderGL() override;
    void onRenderGLPost() override;

protected:
    // Like onCreateGL, with the axis range values handed to the camera.
    bool createGL(float** ranges);
    // The GL viewport over a rectangle of client pixels.
    void setViewportRect(CRect rc);

    void drawGraphFrame();
    void drawHeader();
    void drawAxisX(const std::vector<float>& xs);
    void drawAxisY(const std::vector<float>& ys);
    void drawGrid(const std::vector<float>& xs, const std::vector<float>& ys);
    void drawOriginAxis();
    void drawData(EViewType type);
    void drawSelectedData();

    // Implementation

    CameraGraph* camera;
    Font headerFont;
    CRect graphRect;
    CPoint mouseDownPoint;
    CRect headerRect;
    CRect axisXRect;
    CRect axisYRect;
    CSize headerTextSize;
    String header;
    float marginRatio;
    bool showGridLines;
    bool showOriginAxes;
    bool onlyGraph;
    CSize onlyGraphSize;
    bool showHeaderText;
    bool enableSnap;
    int snapSize;
    bool snapped;
    EViewType viewType;
    float lineWidth;
    float pointSize;
    color colorWork;
    color colorBack;
    bool enableTip;
    int snapLayer;
    int snapItem;
    bool enablePick;
    std::vector<int> snapCandidateLayers;
    std::vector<int> snapCandidateItems;

private:
    struct LayerDrawing;

    void _layout(int cx, int cy);
    void _drawLayerLines(int index, const GraphLayer& layer);
    void _drawLayerPoints(int index, const GraphLayer& layer);
    LayerDrawing& _drawingOf(int index, const GraphLayer& layer);
    bool _drawsOwnPoints() const;

    bool drawEveryPoint;
    std::vector<std::unique_ptr<LayerDrawing>> drawings;
};

} // namespace qv::gl
