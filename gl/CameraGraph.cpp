#include <qv.win/CameraGraph.h>

#include <qv.win/Manager.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdlib>

namespace qv::gl {

namespace {

constexpr float kWheelFactor = 1.05f;
constexpr float kWheelFactorFine = 1.01f;  // Shift alone
constexpr float kWheelFactorCoarse = 2.0f; // Ctrl alone
constexpr int kRubberBandWidth = 1;

// The point of a mouse message: two unsigned 16-bit words of lParam.
CPoint pointOf(const MSG& message)
{
    return CPoint(LOWORD(message.lParam), HIWORD(message.lParam));
}

float wheelFactor(UINT keys)
{
    if (keys == MK_SHIFT)
        return kWheelFactorFine;
    if (keys == MK_CONTROL)
        return kWheelFactorCoarse;
    return kWheelFactor;
}

} // namespace

CameraGraph::CameraGraph(Manager* manager, float** ranges) : Camera(manager), axisRangeSync(false)
{
    for (int i = 0; ranges != nullptr && i < kAxisRangeCount; ++i)
        if (ranges[i] != nullptr)
            axisRange[i] = *ranges[i];
    setPerspective(false, false);
    viewDirection(Front, false);
    setStretch(Fill);
}

CameraGraph::CameraGraph(const CameraGraph& other) : Camera(other), axisRangeSync(false)
{
    operator=(other);
}

CameraGraph& CameraGraph::operator=(const CameraGraph& other)
{
    Camera::operator=(other);
    axisRangeSync = other.axisRangeSync;
    for (int i = 0; i < kAxisRangeCount; ++i)
        axisRange[i] = other.axisRange[i];
    return *this;
}

CameraGraph::~CameraGraph() = default;

const float* CameraGraph::getAxisRange(int index) const
{
    if (index < 0 || index >= kAxisRangeCount || !axisRange[index])
        return nullptr;
    return &*axisRange[index];
}

void CameraGraph::setupViewVolume(bool /*measurePixel*/)
{
    Manager* manager = getManager();
    if (manager == nullptr)
        return;
    manager->makeCurrent();
    const rect<float> volume = getBoundVolume(false);
    ::glMatrixMode(GL_PROJECTION);
    ::glLoadIdentity();
    ::gluOrtho2D(volume.left, volume.right, volume.bottom, volume.top);
    ::glMatrixMode(GL_MODELVIEW);
    ::glLoadIdentity();
}

int CameraGraph::preTranslateMessage(MSG* message)
{
    const CPoint point = pointOf(*message);
    // The key state word (the wheel's delta is in the word above it).
    const UINT keys = LOWORD(message->wParam);
    switch (message->message) {
    case WM_MOUSEMOVE:
        _onMouseMove(point, keys);
        break;
    case WM_LBUTTONDBLCLK:
        zoomFit(true);
        break;
    case WM_RBUTTONDOWN:
        _onRightButtonDown(point, keys);
        break;
    case WM_RBUTTONUP:
        _onRightButtonUp(point);
        break;
    case WM_MBUTTONDOWN:
        _onMiddleButtonDown(point);
        break;
    case WM_MBUTTONUP:
        ::ReleaseCapture();
        break;
    case WM_MOUSEWHEEL:
        _onWheel(keys, static_cast<short>(HIWORD(message->wParam)));
        break;
    default:
        break;
    }
    return 0;
}

// Every right-button move first takes the previous band away; Shift then decides whether
// this move stretches a new band or pans.
void CameraGraph::_onMouseMove(CPoint point, UINT keys)
{
    if (keys & MK_MBUTTON) {
        _panTo(point);
        return;
    }
    if (!(keys & MK_RBUTTON))
        return;
    _eraseRubberBand();
    zoomBoxArmed = false;
    if (keys & MK_SHIFT) {
        rubberBandBox(dragStart, point, kRubberBandWidth);
        rubberBandEnd = point;
        mousePoint = point;
        rubberBandShown = true;
        zoomBoxArmed = true;
    } else {
        _panTo(point);
    }
}

void CameraGraph::_onRightButtonDown(CPoint point, UINT keys)
{
    mousePoint = dragStart = point;
    if (keys & MK_SHIFT)
        zoomBoxArmed = true;
    _capture();
}

void CameraGraph::_onRightButtonUp(CPoint point)
{
    ::ReleaseCapture();
    _eraseRubberBand();
    if (zoomBoxArmed)
        _zoomIntoBox(point);
}

void CameraGraph::_onMiddleButtonDown(CPoint point)
{
    mousePoint = point;
    _capture();
}

void CameraGraph::_onWheel(UINT keys, short delta)
{
    const float factor = wheelFactor(keys);
    zoom(delta > 0 ? zoomFactor() * factor : zoomFactor() / factor, true);
}

void CameraGraph::_panTo(CPoint point)
{
    pan(mousePoint.x - point.x, mousePoint.y - point.y, true);
    mousePoint = point;
}

void CameraGraph::_eraseRubberBand()
{
    if (!rubberBandShown)
        return;
    rubberBandBox(dragStart, rubberBandEnd, kRubberBandWidth);
    rubberBandShown = false;
}

// The box in viewport pixels: wider than high, it keeps its width and takes the viewport's
// aspect; otherwise it keeps its height and becomes square.
void CameraGraph::_zoomIntoBox(CPoint point)
{
    GLint viewport[4] = {};
    if (Manager* manager = getManager()) {
        manager->makeCurrent();
        ::glGetIntegerv(GL_VIEWPORT, viewport);
    }
    const CSize origin(viewport[0], viewport[1]);
    CPoint end = point - origin;
    dragStart -= origin;
    const int width = std::abs(dragStart.x - end.x);
    const int height = std::abs(dragStart.y - end.y);
    if (width > height && viewport[2] > 0) {
        const int centre = (end.y + dragStart.y) / 2;
        const int half = ((viewport[3] * width) / viewport[2]) / 2;
        dragStart.y = centre - half;
        end.y = centre + half;
    } else {
        const int centre = (end.x + dragStart.x) / 2;
        const int half = height / 2;
        dragStart.x = centre - half;
        end.x = centre + half;
    }
    zoomBox(dragStart, end, true);
}

void CameraGraph::_capture()
{
    Manager* manager = getManager();
    if (manager != nullptr && manager->getWnd() != nullptr)
        manager->getWnd()->SetCapture();
}

} // namespace qv::gl
