#pragma once

#include "qv.win.h"
#include "Font.h"
#include "Graph.h"
#include "Wnd.h"

#include "core/qv.String.h"

#include <afxcmn.h>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <utility>
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
// a class derived from GraphWnd calls onDrawDataPoint for every point (unless it says with
// isDefaultPointDrawing that it leaves the points to GraphWnd). Line vertices are drawn at
// the centres of their pixels. The reduced pictures are kept per layer until its points or
// the view change.
//
// Hovering the plot snaps to the nearest point within the snap square and shows a tool tip
// with the layer's name and the coordinates, tinted in the layer's colour; with picking on, a
// click on the snapped point (press and release on the same pixel) toggles its selection.
// The points under the square are found on the CPU, in the order and with the overflow rule
// (more than 2000 points: none) of GL selection over onPickGL, by binary search in layers in
// x order. A class derived from GraphWnd is picked with GL selection through its onPickGL
// instead, unless it says with isDefaultPick that it draws no names of its own.
//
// While the mouse keeps finding points, the points found by earlier moves stay candidates
// (until a move finds none); each is kept once, since a repeated point cannot win over its
// first occurrence, and the nearest is looked up around the cursor, not through them all.
class QV_WIN_API GraphWnd : public Wnd, public Graph {
    DECLARE_DYNCREATE(GraphWnd)
public:
    using vector2 = Graph::vector2;
    using color = Manager::color;
    // A point found under the pick square: layer index, item index.
    using Hit = std::pair<int, int>;

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
    // The snap tool tip, created with the window.
    CToolTipCtrl& getToolTip() { return toolTip; }
    bool isSnapped() const { return snapped; }
    int getSnapLayer() const { return snapLayer; }
    int getSnapItem() const { return snapItem; }

    // Operations

    // Fits the data range, widened by the margin ratio (none when it is not finite), into the
    // camera's content volume; a graph without data shows -10..10 on both axes.
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
    // The tool tip's text: the layer's name and an empty line (when it has a name), then
    // "X : x, Y : y" with the coordinates as %g prints them.
    virtual String onShowSnapInfo(int layer, int item);
    // Toggles the item's selection and repaints.
    virtual void onPickedItem(int layer, int item);
    // Hover: with no key or button down and inside the plot, snaps and updates the tip.
    afx_msg virtual void OnMouseMove(UINT flags, CPoint point);
    afx_msg virtual void OnLButtonDown(UINT flags, CPoint point);
    afx_msg virtual void OnLButtonUp(UINT flags, CPoint point);

    BOOL PreTranslateMessage(MSG* msg) override;

    using Manager::createGL;
    bool onCreateGL() override;
    bool onCreateGLFont() override;
    void onDestroyGL() override;
    void onResizeGL(int cx, int cy) override;
    void onRenderGLPre() override;
    void onRenderGL() override;
    void onRenderGLPost() override;
    // Every data point as a GL point named (layer, item), for GL selection.
    void onPickGL() override;

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

    // True when GraphWnd draws the points itself, skipping repeats; false (a derived class)
    // calls onDrawDataPoint for every point.
    virtual bool isDefaultPointDrawing() const;
    // True when the points are picked on the CPU; false (a derived class) picks with GL
    // selection through onPickGL. A derived class that keeps onPickGL may return true.
    virtual bool isDefaultPick() const;
    // The points under the pick square of side size centred on point, in layer then item
    // order, as the two searches find them. The result is the number of hits, negative when
    // they overflow the 10000-entry selection buffer (hits is then left empty).
    int pickOnCPU(CPoint point, int size, std::vector<Hit>& hits);
    int pickWithGL(CPoint point, int size, std::vector<Hit>& hits);
    // Chooses the snap point among the candidates and updates the tool tip.
    void makeSnapData(CPoint point);

    // Message handlers

    afx_msg int OnCreate(LPCREATESTRUCT createStruct);

    DECLARE_MESSAGE_MAP()

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
    CToolTipCtrl toolTip;
    bool enableTip;
    int snapLayer;
    int snapItem;
    bool enablePick;
    std::vector<int> snapCandidateLayers;
    std::vector<int> snapCandidateItems;

private:
    struct LayerDrawing;

    // The first candidate on each pixel, for the view it was built in.
    struct SnapIndex {
        rect<float> view;
        size_t count = 0;
        std::unordered_map<std::uint64_t, int> firstOnPixel;
        std::unordered_set<std::uint64_t> known;
    };

    void _layout(int cx, int cy);
    void _setUpToolTip();
    void _addCandidates(const std::vector<Hit>& hits);
    int _rowsBelowPlot() const;
    void _indexCandidates(int rowsBelow);
    bool _candidatePixel(int candidate, int rowsBelow, CPoint& pixel) const;
    int _nearestCandidate(CPoint point);
    int _pickSize() const;
    void _showTip();
    void _hideSnap();
    void _drawLayerLines(int index, const GraphLayer& layer);
    void _drawLayerPoints(int index, const GraphLayer& layer);
    LayerDrawing& _drawingOf(int index, const GraphLayer& layer);

    bool drawEveryPoint;
    std::vector<std::unique_ptr<LayerDrawing>> drawings;
    SnapIndex snapIndex;
};

} // namespace qv::gl
