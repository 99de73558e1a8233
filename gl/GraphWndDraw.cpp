#include <qv.win/GraphWnd.h>

#include <qv.win/CameraGraph.h>
#include "GraphReduce.h"
#include "GraphWndDrawing.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <typeinfo>

namespace qv::gl {

namespace {

constexpr int kGridCount = 6;
constexpr float kFrameWidth = 2.0f;
constexpr float kGridWidth = 1.25f;
constexpr float kOriginWidth = 2.5f;
constexpr float kGridDepth = -0.3f;
constexpr float kOriginDepth = -0.2f;
constexpr float kAxisXLabelTop = 12;
constexpr int kAxisYLabelGap = 2;
constexpr float kMarkerRing = 4.0f;
constexpr float kMarkerDot = 2.0f;
const GraphWnd::color kBlack{0, 0, 0, 1};
const GraphWnd::color kYellow{1, 1, 0, 1};
const GraphWnd::color kWhite{1, 1, 1, 1};

// Restores the enabled state of one capability when it goes out of scope.
class Enabled {
public:
    Enabled(GLenum capability, bool on) : capability(capability), was(::glIsEnabled(capability) != GL_FALSE)
    {
        on ? ::glEnable(capability) : ::glDisable(capability);
    }
    Enabled(const Enabled&) = delete;
    Enabled& operator=(const Enabled&) = delete;
    ~Enabled() { was ? ::glEnable(capability) : ::glDisable(capability); }

private:
    GLenum capability;
    bool was;
};

// A drawing step in pixels of its own viewport: the matrices and viewport are saved with the
// manager, lighting and depth test are off, and all of it comes back at the end.
class PixelStep {
public:
    // rc in client pixels (y down) of a client screenHeight pixels high.
    PixelStep(Manager& manager, const CRect& rc, int screenHeight, double left, double right, double bottom,
              double top)
        : manager(manager), lighting(GL_LIGHTING, false), depthTest(GL_DEPTH_TEST, false)
    {
        manager.backupMatrix(projection, modelView, viewport);
        ::glViewport(rc.left, screenHeight - rc.bottom, rc.Width(), rc.Height());
        ::glMatrixMode(GL_PROJECTION);
        ::glLoadIdentity();
        ::gluOrtho2D(left, right, bottom, top);
        ::glMatrixMode(GL_MODELVIEW);
        ::glLoadIdentity();
    }
    PixelStep(const PixelStep&) = delete;
    PixelStep& operator=(const PixelStep&) = delete;
    ~PixelStep() { manager.restoreMatrix(projection, modelView, viewport); }

private:
    Manager& manager;
    double projection[16];
    double modelView[16];
    int viewport[4];
    Enabled lighting;
    Enabled depthTest;
};

// Plot pixels for the data drawn on the CPU's pixel grid, over the current viewport; the GL
// state (lighting included) stays as the data drawing set it, so colours come out the same.
class PlotPixels {
public:
    PlotPixels(int cx, int cy)
    {
        ::glMatrixMode(GL_PROJECTION);
        ::glPushMatrix();
        ::glLoadIdentity();
        ::gluOrtho2D(0, cx, 0, cy);
        ::glMatrixMode(GL_MODELVIEW);
        ::glPushMatrix();
        ::glLoadIdentity();
    }
    PlotPixels(const PlotPixels&) = delete;
    PlotPixels& operator=(const PlotPixels&) = delete;
    ~PlotPixels()
    {
        ::glMatrixMode(GL_PROJECTION);
        ::glPopMatrix();
        ::glMatrixMode(GL_MODELVIEW);
        ::glPopMatrix();
    }
};

void drawArrays(GLenum mode, const float* vertices, GLint stride, GLsizei count)
{
    if (count < 1)
        return;
    ::glEnableClientState(GL_VERTEX_ARRAY);
    ::glVertexPointer(2, GL_FLOAT, stride, vertices);
    ::glDrawArrays(mode, 0, count);
    ::glDisableClientState(GL_VERTEX_ARRAY);
}

void drawPixelVertices(GLenum mode, const std::vector<float>& vertices, int cx, int cy)
{
    const PlotPixels pixels(cx, cy);
    drawArrays(mode, vertices.data(), 0, static_cast<GLsizei>(vertices.size() / 2));
}

void line(float x0, float y0, float x1, float y1, float z)
{
    ::glBegin(GL_LINES);
    ::glVertex3f(x0, y0, z);
    ::glVertex3f(x1, y1, z);
    ::glEnd();
}

void point(const GraphWnd::vector2& position)
{
    ::glBegin(GL_POINTS);
    ::glVertex2f(position.x, position.y);
    ::glEnd();
}

String label(float value)
{
    String text;
    text.format("%g", static_cast<double>(value));
    return text;
}

bool drawsLines(GraphWnd::EViewType type)
{
    return type == GraphWnd::Line || type == GraphWnd::LineAndPoint;
}

bool drawsPoints(GraphWnd::EViewType type)
{
    return type == GraphWnd::Point || type == GraphWnd::LineAndPoint;
}

// The items of a layer that can reach the view: all of them unless the layer is in x order.
reduce::Span spanOf(const GraphLayer& layer, const rect<float>& view)
{
    const size_t count = static_cast<size_t>(layer.getCount());
    if (!layer.isOrderedX())
        return {0, count};
    return reduce::visibleSpan(layer.getItems(), count, view.left, view.right);
}

// Whether a scan of the scanned items can go on to span: the same view, and only items
// appended since.
bool continues(bool valid, const reduce::Span& scanned, const reduce::Span& span)
{
    return valid && scanned.first == span.first && scanned.last <= span.last;
}

} // namespace

void GraphWnd::onRenderGL()
{
    if (camera == nullptr)
        return;
    const rect<float> bv = camera->getBoundVolume(true);
    std::vector<float> xs;
    std::vector<float> ys;
    calcGrid(bv.left, bv.right, kGridCount, xs);
    calcGrid(bv.bottom, bv.top, kGridCount, ys);
    if (!onlyGraph) {
        drawHeader();
        drawAxisX(xs);
        drawAxisY(ys);
    }
    drawGraphFrame();
    drawGrid(xs, ys);
    drawOriginAxis();
    onDrawDataPre();
    drawData(viewType);
    onDrawDataPost();
    drawSelectedData();
    const GraphLayer* layer = getLayer(snapLayer);
    if (snapped && layer != nullptr && snapItem >= 0 && snapItem < layer->getCount())
        onDrawMarker(layer->getItems()[snapItem].getItem(), kWhite);
}

void GraphWnd::drawHeader()
{
    if (!showHeaderText || camera == nullptr)
        return;
    const PixelStep step(*this, headerRect, camera->getScreenSize().cy, 0, headerRect.Width(), headerRect.Height(), 0);
    ::glColor3f(0, 0, 0);
    ::glRasterPos2f((static_cast<float>(headerRect.Width()) - static_cast<float>(headerTextSize.cx)) * 0.5f,
                    static_cast<float>(headerTextSize.cy));
    headerFont.draw(header.c_str());
}

void GraphWnd::drawAxisX(const std::vector<float>& xs)
{
    if (camera == nullptr)
        return;
    const rect<float> bv = camera->getBoundVolume(true);
    const PixelStep step(*this, axisXRect, camera->getScreenSize().cy, bv.left, bv.right, axisXRect.Height(), 0);
    ::glColor3f(0, 0, 0);
    for (const float x : xs)
        drawText({x, kAxisXLabelTop, 0}, label(x).c_str());
}

void GraphWnd::drawAxisY(const std::vector<float>& ys)
{
    if (camera == nullptr)
        return;
    const rect<float> bv = camera->getBoundVolume(true);
    const PixelStep step(*this, axisYRect, camera->getScreenSize().cy, 0, axisYRect.Width(), bv.bottom, bv.top);
    ::glColor3f(0, 0, 0);
    for (const float y : ys) {
        const String text = label(y);
        const int width = getFont() != nullptr ? getFont()->getOutputTextExtent(text.c_str()).cx : 0;
        drawText({static_cast<float>(axisYRect.Width() - width - kAxisYLabelGap), y, 0}, text.c_str());
    }
}

void GraphWnd::drawGraphFrame()
{
    if (camera == nullptr)
        return;
    const CSize screen = camera->getScreenSize();
    const PixelStep step(*this, CRect(0, 0, screen.cx, screen.cy), screen.cy, 0, screen.cx, screen.cy, 0);
    drawBox(graphRect, colorWork, onlyGraph ? colorWork : kBlack, kFrameWidth);
}

void GraphWnd::drawBox(CRect rc, color fill, color border, float width)
{
    const Enabled blend(GL_BLEND, true);
    ::glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const auto quad = [&] {
        ::glBegin(GL_QUADS);
        ::glVertex2i(rc.left, rc.top);
        ::glVertex2i(rc.right, rc.top);
        ::glVertex2i(rc.right, rc.bottom);
        ::glVertex2i(rc.left, rc.bottom);
        ::glEnd();
    };
    {
        const Enabled offset(GL_POLYGON_OFFSET_FILL, true);
        ::glPolygonOffset(1.0f, 1.0f);
        ::glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        ::glColor4fv(fill.data());
        quad();
    }
    ::glDisable(GL_POLYGON_OFFSET_FILL);
    ::glLineWidth(width);
    ::glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    ::glColor4fv(border.data());
    quad();
}

void GraphWnd::drawGrid(const std::vector<float>& xs, const std::vector<float>& ys)
{
    if (!showGridLines || camera == nullptr)
        return;
    const rect<float> bv = camera->getBoundVolume(true);
    ::glLineWidth(kGridWidth);
    ::glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    ::glColor3f(0.6f, 0.6f, 0.6f);
    for (const float x : xs)
        line(x, bv.bottom, x, bv.top, kGridDepth);
    for (const float y : ys)
        line(bv.left, y, bv.right, y, kGridDepth);
}

void GraphWnd::drawOriginAxis()
{
    if (!showOriginAxes || camera == nullptr)
        return;
    const rect<float> bv = camera->getBoundVolume(true);
    ::glLineWidth(kOriginWidth);
    ::glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    ::glColor3f(0.4f, 0.4f, 0.4f);
    if (bv.bottom < 0 && 0 < bv.top)
        line(bv.left, 0, bv.right, 0, kOriginDepth);
    if (bv.left < 0 && 0 < bv.right)
        line(0, bv.bottom, 0, bv.top, kOriginDepth);
}

void GraphWnd::drawData(EViewType type)
{
    const Enabled depthTest(GL_DEPTH_TEST, false);
    if (drawsLines(type)) {
        ::glLineWidth(lineWidth);
        ::glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        for (int i = 0; i < getLayerCount(); ++i) {
            ::glColor4fv(getLayer(i)->getColor().data());
            _drawLayerLines(i, *getLayer(i));
        }
    }
    if (drawsPoints(type))
        for (int i = 0; i < getLayerCount(); ++i) {
            ::glColor4fv(getLayer(i)->getColor().data());
            _drawLayerPoints(i, *getLayer(i));
        }
}

void GraphWnd::onDrawDataPoint(int /*layer*/, int /*item*/, const vector2& position)
{
    ::glPointSize(pointSize);
    ::glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
    point(position);
}

void GraphWnd::drawSelectedData()
{
    for (int i = 0; i < getLayerCount(); ++i) {
        const GraphLayer& layer = *getLayer(i);
        if (layer.getSelectedCount() == 0)
            continue;
        const GraphPos* items = layer.getItems();
        for (int j = 0; j < layer.getCount(); ++j)
            if (items[j].getSelected())
                onDrawMarker(items[j].getItem(), kYellow);
    }
}

void GraphWnd::onDrawMarker(const vector2& position, const color& colour)
{
    const Enabled depthTest(GL_DEPTH_TEST, false);
    ::glPointSize(pointSize + kMarkerRing);
    ::glColor3f(0, 0, 0);
    point(position);
    ::glPointSize(pointSize + kMarkerDot);
    ::glColor4fv(colour.data());
    point(position);
}

// Reduced lines for a layer in x order with 1-pixel lines; every point from the layer's
// array otherwise (cut to the visible window when in x order: segments beyond it are clipped).
void GraphWnd::_drawLayerLines(int index, const GraphLayer& layer)
{
    if (!layer.isOrderedX() || lineWidth != 1.0f) {
        const reduce::Span span = spanOf(layer, camera->getBoundVolume(true));
        if (span.first < span.last)
            drawArrays(GL_LINE_STRIP, &layer.getItems()[span.first].getItem().x, sizeof(GraphPos),
                       static_cast<GLsizei>(span.last - span.first));
        return;
    }
    LayerDrawing& drawing = _drawingOf(index, layer);
    const reduce::PixelMap map(drawing.view, drawing.pixels.cx, drawing.pixels.cy);
    const reduce::Span span = spanOf(layer, drawing.view);
    if (!continues(drawing.linesValid, drawing.lines.getSpan(), span)) {
        drawing.lines.start(span, drawEveryPoint);
        drawing.linesValid = true;
    }
    drawing.lines.scan(layer.getItems(), span, map, &drawing.summary);
    drawPixelVertices(GL_LINE_STRIP, drawing.lines.getVertices(), drawing.pixels.cx, drawing.pixels.cy);
}

// Squares painted once each when GraphWnd draws the points itself; a derived class gets
// onDrawDataPoint for every point.
void GraphWnd::_drawLayerPoints(int index, const GraphLayer& layer)
{
    if (!isDefaultPointDrawing()) {
        const GraphPos* items = layer.getItems();
        for (int j = 0; j < layer.getCount(); ++j)
            onDrawDataPoint(index, j, items[j].getItem());
        return;
    }
    LayerDrawing& drawing = _drawingOf(index, layer);
    const reduce::PixelMap map(drawing.view, drawing.pixels.cx, drawing.pixels.cy);
    const reduce::Span span = spanOf(layer, drawing.view);
    const int side = reduce::squareSize(pointSize);
    if (!continues(drawing.pointsValid && drawing.pointSize == pointSize, drawing.points.getSpan(), span)) {
        drawing.points.start(span, map, side, drawEveryPoint);
        drawing.pointSize = pointSize;
        drawing.pointsValid = true;
    }
    drawing.points.scan(layer.getItems(), span, map, layer.isOrderedX() ? &drawing.summary : nullptr);
    ::glLineWidth(1.0f);
    drawPixelVertices(GL_LINES, drawing.points.getRuns(), drawing.pixels.cx, drawing.pixels.cy);
    ::glPointSize(static_cast<float>(side));
    ::glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
    drawPixelVertices(GL_POINTS, drawing.points.getPoints(), drawing.pixels.cx, drawing.pixels.cy);
}

bool GraphWnd::isDefaultPointDrawing() const
{
    return typeid(*this) == typeid(GraphWnd);
}

// The layer's drawing: its summary follows the items appended since the last frame and starts
// over when others changed; its scans start over when the view or the plot size changed.
GraphWnd::LayerDrawing& GraphWnd::_drawingOf(int index, const GraphLayer& layer)
{
    if (drawings.size() < static_cast<size_t>(getLayerCount()))
        drawings.resize(static_cast<size_t>(getLayerCount()));
    std::unique_ptr<LayerDrawing>& slot = drawings[static_cast<size_t>(index)];
    if (!slot)
        slot = std::make_unique<LayerDrawing>();
    GLint viewport[4] = {};
    ::glGetIntegerv(GL_VIEWPORT, viewport);
    const CSize pixels(viewport[2], viewport[3]);
    const rect<float> view = camera->getBoundVolume(true);
    LayerDrawing& drawing = *slot;
    if (drawing.layer != &layer || drawing.rewriteRevision != layer.getRewriteRevision()) {
        drawing.layer = &layer;
        drawing.rewriteRevision = layer.getRewriteRevision();
        drawing.summary.reset();
        drawing.linesValid = drawing.pointsValid = false;
    }
    if (!(drawing.view == view) || drawing.pixels != pixels || drawing.everyPoint != drawEveryPoint) {
        drawing.view = view;
        drawing.pixels = pixels;
        drawing.everyPoint = drawEveryPoint;
        drawing.linesValid = drawing.pointsValid = false;
    }
    if (layer.isOrderedX())
        drawing.summary.update(layer.getItems(), static_cast<size_t>(layer.getCount()));
    return drawing;
}

} // namespace qv::gl
