#include <qv.win/GraphWnd.h>

#include <qv.win/CameraGraph.h>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <typeinfo>

namespace qv::gl {

namespace {

constexpr int kSelectionBufferSize = 10000;
// A hit record of a data point: name count, two depths, layer and item.
constexpr int kRecordHeader = 3;
constexpr unsigned kPointNames = 2;
constexpr int kMostPointHits = kSelectionBufferSize / (kRecordHeader + kPointNames);
constexpr int kWaitCursorHits = 30;
constexpr float kPickDepth = 0.1f;
constexpr float kCentreOffsetRadii = 3;
constexpr int kLargestPickSize = 4096;
constexpr int kMaxTipWidth = 32767;
constexpr int kTipShowsFor = 32767; // milliseconds
constexpr float kChannel = 255;

std::uint64_t pairKey(int high, int low)
{
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(high)) << 32) | static_cast<std::uint32_t>(low);
}

COLORREF tipColour(const GraphLayer::color& colour)
{
    const auto channel = [](float component) { return static_cast<BYTE>(static_cast<int>(component * kChannel) & 0xFF); };
    return RGB(channel(colour.r), channel(colour.g), channel(colour.b));
}

float pixelDistance(CPoint from, CPoint to)
{
    const float dx = static_cast<float>(from.x - to.x);
    const float dy = static_cast<float>(from.y - to.y);
    return math<float>::sqrt(dx * dx + dy * dy);
}

} // namespace

BEGIN_MESSAGE_MAP(GraphWnd, Wnd)
    ON_WM_CREATE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

int GraphWnd::OnCreate(LPCREATESTRUCT createStruct)
{
    if (Wnd::OnCreate(createStruct) == -1)
        return -1;
    _setUpToolTip();
    return 0;
}

// The tip shows at once, stays as long as it can and wraps only at the text's own line breaks.
void GraphWnd::_setUpToolTip()
{
    EnableToolTips(TRUE);
    if (!toolTip.Create(this, 0))
        return;
    toolTip.Activate(TRUE);
    toolTip.AddTool(this, LPSTR_TEXTCALLBACK, nullptr, 0);
    toolTip.SetMaxTipWidth(kMaxTipWidth);
    toolTip.SetDelayTime(TTDT_AUTOPOP, kTipShowsFor);
    toolTip.SetDelayTime(TTDT_INITIAL, 0);
    toolTip.SetDelayTime(TTDT_RESHOW, 0);
}

BOOL GraphWnd::PreTranslateMessage(MSG* msg)
{
    if (toolTip.GetSafeHwnd() != nullptr)
        toolTip.RelayEvent(msg);
    return Wnd::PreTranslateMessage(msg);
}

void GraphWnd::OnLButtonDown(UINT /*flags*/, CPoint point)
{
    mouseDownPoint = point;
}

void GraphWnd::OnLButtonUp(UINT /*flags*/, CPoint point)
{
    if (point == mouseDownPoint && enablePick && snapped)
        onPickedItem(snapLayer, snapItem);
}

void GraphWnd::OnMouseMove(UINT flags, CPoint point)
{
    if (flags != 0 || !enableTip || !graphRect.PtInRect(point))
        return;
    const int size = _pickSize();
    std::vector<Hit> hits;
    const int count = isDefaultPick() ? pickOnCPU(point, size, hits) : pickWithGL(point, size, hits);
    if (count <= 0) {
        _hideSnap();
        return;
    }
    _addCandidates(hits);
    // The repaint comes before the snap, as the hover has always done: the marker shown is the
    // one of the move before.
    refreshScreen(true, true);
    makeSnapData(point);
}

bool GraphWnd::isDefaultPick() const
{
    return typeid(*this) == typeid(GraphWnd);
}

// The points whose window position falls in the pick square, as the selection pass's pick
// volume takes them (its depth range included: all points lie at the same depth).
int GraphWnd::pickOnCPU(CPoint point, int size, std::vector<Hit>& hits)
{
    hits.clear();
    if (camera == nullptr || GetSafeHwnd() == nullptr)
        return 0;
    const float offset =
        std::min(camera->getDepthNear() + kCentreOffsetRadii * camera->getBoundRadius(), camera->getDepthFar());
    if (!(camera->getDepthNear() <= offset - kPickDepth && offset - kPickDepth <= camera->getDepthFar()))
        return 0;
    makeCurrent();
    GLint viewport[4] = {};
    ::glGetIntegerv(GL_VIEWPORT, viewport);
    CRect client;
    GetClientRect(&client);
    const double half = std::clamp(size, 1, kLargestPickSize) * 0.5;
    const double centreX = point.x;
    const double centreY = client.Height() - point.y;
    const rect<float> bv = camera->getBoundVolume(true);
    const double scaleX = viewport[2] / (static_cast<double>(bv.right) - bv.left);
    const double scaleY = viewport[3] / (static_cast<double>(bv.top) - bv.bottom);
    const auto inside = [&](const vector2& p) {
        const double x = viewport[0] + (p.x - bv.left) * scaleX;
        const double y = viewport[1] + (p.y - bv.bottom) * scaleY;
        return x >= centreX - half && x <= centreX + half && y >= centreY - half && y <= centreY + half;
    };
    // The x window of the square in graph units, a pixel wider on each side for rounding.
    const float lowX = static_cast<float>(bv.left + (centreX - half - 1 - viewport[0]) / scaleX);
    const float highX = static_cast<float>(bv.left + (centreX + half + 1 - viewport[0]) / scaleX);
    for (int i = 0; i < getLayerCount(); ++i) {
        const GraphLayer& layer = *getLayer(i);
        const GraphPos* items = layer.getItems();
        const GraphPos* first = items;
        const GraphPos* last = items + layer.getCount();
        if (layer.isOrderedX()) {
            first = std::lower_bound(first, last, lowX, [](const GraphPos& item, float x) { return item.getItem().x < x; });
            last = std::upper_bound(first, last, highX, [](float x, const GraphPos& item) { return x < item.getItem().x; });
        }
        for (const GraphPos* item = first; item != last; ++item)
            if (inside(item->getItem())) {
                if (static_cast<int>(hits.size()) == kMostPointHits) {
                    hits.clear();
                    return -1;
                }
                hits.emplace_back(i, static_cast<int>(item - items));
            }
    }
    return static_cast<int>(hits.size());
}

int GraphWnd::pickWithGL(CPoint point, int size, std::vector<Hit>& hits)
{
    hits.clear();
    std::vector<GLuint> buffer(kSelectionBufferSize);
    const int side = std::clamp(size, 1, kLargestPickSize);
    const int count = pickObjects(buffer.data(), kSelectionBufferSize, point.x, point.y, side, side);
    const bool wait = count > kWaitCursorHits;
    if (wait)
        BeginWaitCursor();
    for (int record = 0, at = 0; record < count; ++record) {
        const GLuint names = buffer[static_cast<size_t>(at)];
        if (names == kPointNames)
            hits.emplace_back(static_cast<int>(buffer[static_cast<size_t>(at + kRecordHeader)]),
                              static_cast<int>(buffer[static_cast<size_t>(at + kRecordHeader + 1)]));
        at += kRecordHeader + static_cast<int>(names);
    }
    if (wait)
        EndWaitCursor();
    return count;
}

void GraphWnd::onPickGL()
{
    ::glPointSize(1.0f);
    ::glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
    ::glInitNames();
    ::glPushName(0);
    for (int i = 0; i < getLayerCount(); ++i) {
        const GraphLayer& layer = *getLayer(i);
        const GraphPos* items = layer.getItems();
        ::glLoadName(static_cast<GLuint>(i));
        ::glPushName(0);
        for (int j = 0; j < layer.getCount(); ++j) {
            ::glLoadName(static_cast<GLuint>(j));
            ::glBegin(GL_POINTS);
            ::glVertex3f(items[j].getItem().x, items[j].getItem().y, kPickDepth);
            ::glEnd();
        }
        ::glPopName();
    }
    ::glPopName();
}

void GraphWnd::makeSnapData(CPoint point)
{
    snapLayer = snapItem = -1;
    snapped = !snapCandidateLayers.empty();
    const int best = snapped ? _nearestCandidate(point) : -1;
    if (best < 0) {
        if (toolTip.GetSafeHwnd() != nullptr)
            toolTip.Activate(FALSE);
        return;
    }
    snapLayer = snapCandidateLayers[static_cast<size_t>(best)];
    snapItem = snapCandidateItems[static_cast<size_t>(best)];
    _showTip();
}

String GraphWnd::onShowSnapInfo(int layer, int item)
{
    String text;
    const GraphLayer* owner = getLayer(layer);
    if (owner == nullptr || item < 0 || item >= owner->getCount())
        return text;
    const vector2& p = owner->getItems()[item].getItem();
    if (*owner->getName() == '\0')
        text.format("X : %g, Y : %g", static_cast<double>(p.x), static_cast<double>(p.y));
    else
        text.format("%s\n\nX : %g, Y : %g", owner->getName(), static_cast<double>(p.x), static_cast<double>(p.y));
    return text;
}

void GraphWnd::onPickedItem(int layer, int item)
{
    GraphLayer* owner = getLayer(layer);
    if (owner == nullptr || item < 0 || item >= owner->getCount())
        return;
    GraphPos picked = owner->getItem(item);
    picked.setSelected(!picked.getSelected());
    owner->setItem(item, picked);
    refreshScreen(false, true);
}

void GraphWnd::_showTip()
{
    if (toolTip.GetSafeHwnd() == nullptr)
        return;
    toolTip.SetTipBkColor(tipColour(getLayer(snapLayer)->getColor()));
    const std::wstring text = onShowSnapInfo(snapLayer, snapItem).wstring();
    toolTip.UpdateTipText(text.c_str(), this, 0);
    toolTip.Activate(TRUE);
}

// A move over empty space; the snap layer and item stay for the next snap to reset.
void GraphWnd::_hideSnap()
{
    const bool shown = snapped || snapLayer != -1 || snapItem != -1;
    snapCandidateLayers.clear();
    snapCandidateItems.clear();
    snapIndex = SnapIndex();
    snapped = false;
    if (toolTip.GetSafeHwnd() != nullptr)
        toolTip.Activate(FALSE);
    if (shown)
        refreshScreen(false, true);
}

// Each point once: a repeat is never nearer than its first occurrence, which wins ties.
void GraphWnd::_addCandidates(const std::vector<Hit>& hits)
{
    for (const Hit& hit : hits)
        if (snapIndex.known.insert(pairKey(hit.first, hit.second)).second) {
            snapCandidateLayers.push_back(hit.first);
            snapCandidateItems.push_back(hit.second);
        }
}

// The client rows below the plot. Camera conversions measure y down from the top of the GL
// viewport, which is the plot's, not the client area's.
int GraphWnd::_rowsBelowPlot() const
{
    GLint viewport[4] = {};
    ::glGetIntegerv(GL_VIEWPORT, viewport);
    CRect client;
    GetClientRect(&client);
    return client.Height() - viewport[3];
}

bool GraphWnd::_candidatePixel(int candidate, int rowsBelow, CPoint& pixel) const
{
    const GraphLayer* layer = getLayer(snapCandidateLayers[static_cast<size_t>(candidate)]);
    const int item = snapCandidateItems[static_cast<size_t>(candidate)];
    if (layer == nullptr || item < 0 || item >= layer->getCount() || camera == nullptr)
        return false;
    const vector2& p = layer->getItems()[item].getItem();
    pixel = camera->convert3DTo2D({p.x, p.y, 0});
    pixel.y += rowsBelow;
    return true;
}

// Brings the pixel index up to the candidates, starting over when the view changed or the
// candidates were replaced.
void GraphWnd::_indexCandidates(int rowsBelow)
{
    const rect<float> view = camera != nullptr ? camera->getBoundVolume(true) : rect<float>{};
    if (!(snapIndex.view == view) || snapCandidateLayers.size() < snapIndex.count) {
        snapIndex.view = view;
        snapIndex.count = 0;
        snapIndex.firstOnPixel.clear();
    }
    for (size_t c = snapIndex.count; c < snapCandidateLayers.size(); ++c) {
        CPoint pixel;
        if (_candidatePixel(static_cast<int>(c), rowsBelow, pixel))
            snapIndex.firstOnPixel.try_emplace(pairKey(pixel.x, pixel.y), static_cast<int>(c));
    }
    snapIndex.count = snapCandidateLayers.size();
}

// The snap size, or the point size without snapping, as a side the pick can use (a point size
// that is not a number picks one pixel).
int GraphWnd::_pickSize() const
{
    const float side = enableSnap ? static_cast<float>(snapSize) : pointSize;
    return std::isnan(side) ? 1 : static_cast<int>(std::clamp(side, 1.0f, static_cast<float>(kLargestPickSize)));
}

// The first candidate at the smallest distance from point, or -1. Looked up pixel by pixel
// in a square around point wide enough for the pick square; when nothing that near decides
// it, every candidate is measured.
int GraphWnd::_nearestCandidate(CPoint point)
{
    const int rowsBelow = _rowsBelowPlot();
    _indexCandidates(rowsBelow);
    const int radius = _pickSize() + 2;
    float best = std::numeric_limits<float>::max();
    int winner = -1;
    const auto consider = [&](CPoint pixel, int candidate) {
        const float d = pixelDistance(point, pixel);
        if (d < best || (d == best && candidate < winner)) {
            best = d;
            winner = candidate;
        }
    };
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const auto found = snapIndex.firstOnPixel.find(pairKey(point.x + dx, point.y + dy));
            if (found != snapIndex.firstOnPixel.end())
                consider(CPoint(point.x + dx, point.y + dy), found->second);
        }
    if (winner >= 0 && best <= static_cast<float>(radius))
        return winner;
    best = std::numeric_limits<float>::max();
    winner = -1;
    for (size_t c = 0; c < snapCandidateLayers.size(); ++c) {
        CPoint pixel;
        if (_candidatePixel(static_cast<int>(c), rowsBelow, pixel))
            consider(pixel, static_cast<int>(c));
    }
    return winner;
}

} // namespace qv::gl
