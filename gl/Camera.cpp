#include <qv.win/Camera.h>

#include <qv.win/Manager.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace qv::gl {

namespace {

using vector3 = Camera::vector3;
using matrix4 = Camera::matrix4;

constexpr float kPi = 3.14159265358979323846f;
constexpr float kTolerance = math<float>::epsilon();
constexpr float kWorldMargin = 1.2f;        // the world radius leaves 20 % around the scene
constexpr float kFarPerNear = 100.0f;       // far plane distance in near plane distances
constexpr float kEyeDistance = 3.0f;        // world radii from the near plane to the centre
constexpr float kFrustumScale = 0.25f;      // perspective sides relative to the orthographic ones
constexpr float kIsometricTilt = 0.6154031f; // atan(1 / sqrt(2)): 35.26 degrees
constexpr COLORREF kRubberBandColour = 0x0000FFFF;

const Camera::box3 kFallbackWorld{{-10, -10, -10}, {10, 10, 10}};

const vector3 kAxisX{1, 0, 0};
const vector3 kAxisY{0, 1, 0};
const vector3 kAxisZ{0, 0, 1};

struct Turn {
    float angle;
    vector3 axis;
};

// The rotations from the identity of each view direction, applied in order.
struct DirectionTurns {
    int count;
    Turn turns[3];
};

const DirectionTurns kDirectionTurns[] = {
    {3, {{-kPi / 4, kAxisY}, {kIsometricTilt, kAxisX}, {-2 * kPi / 3, kAxisZ}}},
    {2, {{-kPi / 2, kAxisX}, {kPi, kAxisY}}},
    {1, {{-kPi / 2, kAxisX}}},
    {2, {{-kPi / 2, kAxisX}, {-kPi / 2, kAxisY}}},
    {2, {{-kPi / 2, kAxisX}, {kPi / 2, kAxisY}}},
    {0, {}},
    {1, {{kPi, kAxisY}}},
    {1, {{kPi, kAxisZ}}},
};

// Rotation about axis (normalised, or taken as it is when shorter than the tolerance).
matrix4 rotation(float angle, vector3 axis)
{
    axis.normalize(kTolerance);
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const float t = 1 - c;
    const float x = axis.x, y = axis.y, z = axis.z;
    matrix4 r;
    r.m = {x * x * t + c,     x * y * t - z * s, x * z * t + y * s, 0,
           x * y * t + z * s, y * y * t + c,     y * z * t - x * s, 0,
           x * z * t - y * s, y * z * t + x * s, z * z * t + c,     0,
           0,                 0,                 0,                 1};
    return r;
}

// m applied to p as OpenGL applies it: element 4j+i is row i, column j.
vector3 transformed(const matrix4& m, const vector3& p)
{
    const float in[3] = {p.x, p.y, p.z};
    float out[3];
    for (int i = 0; i < 3; ++i)
        out[i] = m[i] * in[0] + m[4 + i] * in[1] + m[8 + i] * in[2] + m[12 + i];
    return {out[0], out[1], out[2]};
}

matrix4 inverseOrIdentity(const matrix4& m)
{
    matrix4 inverse;
    m.inverse(inverse);
    return inverse;
}

bool isDegenerate(const Camera::box3& box)
{
    const float coordinates[6] = {box.min.x, box.min.y, box.min.z, box.max.x, box.max.y, box.max.z};
    if (!std::all_of(std::begin(coordinates), std::end(coordinates), [](float v) { return math<float>::isValid(v); }))
        return true;
    if (box.min.x > box.max.x || box.min.y > box.max.y || box.min.z > box.max.z)
        return true;
    return math<float>::isZero(math<float>::abs(box.max.x - box.min.x), kTolerance)
        && math<float>::isZero(math<float>::abs(box.max.y - box.min.y), kTolerance)
        && math<float>::isZero(math<float>::abs(box.max.z - box.min.z), kTolerance);
}

bool sameCorners(const Camera::box3& a, const Camera::box3& b)
{
    const auto same = [](const vector3& p, const vector3& q) {
        return math<float>::isEqual(p.x, q.x, kTolerance) && math<float>::isEqual(p.y, q.y, kTolerance)
            && math<float>::isEqual(p.z, q.z, kTolerance);
    };
    return same(a.min, b.min) && same(a.max, b.max);
}

// World units per pixel of the current GL viewport; the volume's top is its larger y.
Camera::vector2 unitsPerPixel(const rect<float>& volume)
{
    GLint viewport[4] = {};
    ::glGetIntegerv(GL_VIEWPORT, viewport);
    return {(volume.right - volume.left) / static_cast<float>(viewport[2]),
            (volume.top - volume.bottom) / static_cast<float>(viewport[3])};
}

} // namespace

Camera::Camera(Manager* owner)
    : rubberBandShown(false), zoomBoxArmed(false), manager(owner), screenRatio(1), heightScreenRatio(false),
      perspective(false), worldCenter{0, 0, 0}, worldRadius(0), boundRadius(0), depthNear(0), depthFar(0),
      distanceByPixel(0)
{
    setWorldSize(kFallbackWorld, true);
    viewDirection(Isometric, false);
    setInverseVertical(true);
    setZoomFactorMin(0.1f);
    setZoomFactorMax(1000.0f);
}

Camera::Camera(const Camera& other)
    : zoombox(), rubberBandShown(false), zoomBoxArmed(false), manager(nullptr), screenRatio(1),
      heightScreenRatio(false), perspective(false), worldCenter{0, 0, 0}, worldRadius(0), boundRadius(0),
      depthNear(0), depthFar(0), distanceByPixel(0)
{
    operator=(other);
}

Camera::~Camera() = default;

Camera& Camera::operator=(const Camera& other)
{
    matrix = other.matrix;
    perspective = other.perspective;
    worldSize = other.worldSize;
    worldCenter = other.worldCenter;
    worldVolume = other.worldVolume;
    boundVolume = other.boundVolume;
    worldRadius = other.worldRadius;
    boundRadius = other.boundRadius;
    depthNear = other.depthNear;
    depthFar = other.depthFar;
    return *this;
}

void Camera::setScreenSize(const CSize& size)
{
    if (size == screenSize)
        return;
    screenSize = size;
    heightScreenRatio = size.cx > size.cy;
    screenRatio = static_cast<float>(std::max(size.cx, size.cy)) / static_cast<float>(std::min(size.cx, size.cy));
    if (manager != nullptr) {
        manager->makeCurrent();
        ::glViewport(0, 0, size.cx, size.cy);
    }
    setViewportSize(size.cx, size.cy);
}

void Camera::setPerspective(bool on, bool refresh)
{
    if (on == perspective)
        return;
    perspective = on;
    setupViewVolume(true);
    _refresh(refresh);
}

void Camera::setWorldSize(box3 box, bool fit)
{
    if (isDegenerate(box))
        box = kFallbackWorld;
    if (!sameCorners(box, worldSize))
        onChangeWorldSize(box);
    if (fit) {
        zoomFit(true);
    } else {
        boundRadius = worldRadius;
        setupViewVolume(true);
    }
}

rect<float> Camera::getBoundVolume(bool world) const
{
    if (!world)
        return boundVolume;
    return {boundVolume.left + worldCenter.x, boundVolume.top + worldCenter.y, boundVolume.right + worldCenter.x,
            boundVolume.bottom + worldCenter.y};
}

void Camera::setBoundVolume(const rect<float>& volume)
{
    boundVolume = volume;
    boundRadius = calcViewVolume(boundVolume);
    setupViewVolume(true);
}

Camera::vector2 Camera::getBoundVolumeRatio() const
{
    return unitsPerPixel(boundVolume);
}

Camera::vector2 Camera::getWorldVolumeRatio() const
{
    return unitsPerPixel(worldVolume);
}

// The eye's z axis in world coordinates, read as OpenGL reads the matrix.
Camera::vector3 Camera::getViewVector() const
{
    const matrix4 inverse = inverseOrIdentity(matrix);
    vector3 view{inverse[8], inverse[9], inverse[10]};
    view.normalize(kTolerance);
    return view;
}

void Camera::setupOrthogonal2D(int cx, int cy, bool flipY, int x, int y)
{
    if (manager == nullptr)
        return;
    manager->makeCurrent();
    ::glMatrixMode(GL_PROJECTION);
    ::glLoadIdentity();
    ::gluOrtho2D(0, cx, flipY ? cy : 0, flipY ? 0 : cy);
    ::glMatrixMode(GL_MODELVIEW);
    ::glLoadIdentity();
    ::glViewport(x, y, cx, cy);
}

void Camera::setupOrthogonal2D(bool flipY)
{
    setupOrthogonal2D(screenSize.cx, screenSize.cy, flipY, 0, 0);
}

void Camera::setupOrthogonal3D()
{
    _setupProjection(false);
}

void Camera::setupPerspective3D()
{
    _setupProjection(true);
}

Camera::vector3 Camera::convert2DTo3D(CPoint point, vector3& direction) const
{
    direction = getViewVector();
    return convert2DTo3D(point, 0);
}

Camera::vector3 Camera::convert2DTo3D(CPoint point, long depth) const
{
    const vector3 eye = manager != nullptr ? manager->convert2DTo3D(point, depth) : vector3{0, 0, 0};
    return _toWorld(eye);
}

CPoint Camera::convert3DTo2D(vector3 world) const
{
    if (manager == nullptr)
        return CPoint(0, 0);
    return manager->convert3DTo2D(transformed(matrix, world - worldCenter));
}

Camera::vector3 Camera::screenPt2Vector(int x, int y, float tolerance) const
{
    const float width = static_cast<float>(screenSize.cx);
    const float height = static_cast<float>(screenSize.cy);
    const float vx = (2 * static_cast<float>(x) - width) / width;
    const float vy = (height - 2 * static_cast<float>(y)) / height;
    const float d2 = vx * vx + vy * vy;
    const float vz = std::cos(std::min(math<float>::sqrt(d2), 1.0f) * kPi / 2);
    float length = math<float>::sqrt(vz * vz + d2);
    if (tolerance >= math<float>::abs(length))
        length = 1;
    return {vx / length, vy / length, vz / length};
}

Camera::vector3 Camera::screenPt2Vector(basic_vector<2, int> point, float tolerance) const
{
    return screenPt2Vector(point.x, point.y, tolerance);
}

void Camera::worldRotate(vector3 axis, float degrees, bool refresh)
{
    if (manager != nullptr) {
        manager->makeCurrent();
        ::glPushMatrix();
        ::glLoadIdentity();
        ::glRotatef(degrees, axis.x, axis.y, axis.z);
        ::glMultMatrixf(matrix.data());
        ::glGetFloatv(GL_MODELVIEW_MATRIX, matrix.data());
        ::glPopMatrix();
    }
    _refresh(refresh);
}

void Camera::rubberBandBox(CDC* dc, CPoint from, CPoint to, int width)
{
    if (dc == nullptr)
        return;
    CPen pen(PS_SOLID, width, kRubberBandColour);
    CPen* oldPen = dc->SelectObject(&pen);
    const int oldMode = dc->SetROP2(R2_XORPEN);
    dc->MoveTo(from.x, from.y);
    dc->LineTo(to.x, from.y);
    dc->LineTo(to.x, to.y);
    dc->LineTo(from.x, to.y);
    dc->LineTo(from.x, from.y);
    dc->SetROP2(oldMode);
    dc->SelectObject(oldPen);
}

void Camera::rubberBandBox(CPoint from, CPoint to, int width)
{
    CWnd* wnd = manager != nullptr ? manager->getWnd() : nullptr;
    if (wnd == nullptr)
        return;
    CDC* dc = wnd->GetDC();
    rubberBandBox(dc, from, to, width);
    wnd->ReleaseDC(dc);
}

void Camera::viewDirection(ViewDirection direction, bool refresh)
{
    if (direction < 0 || static_cast<size_t>(direction) >= std::size(kDirectionTurns))
        return;
    const DirectionTurns& turns = kDirectionTurns[direction];
    matrix = matrix4::identity();
    for (int i = 0; i < turns.count; ++i)
        matrix = rotation(turns.turns[i].angle, turns.turns[i].axis) * matrix;
    _refresh(refresh);
}

void Camera::pan(int dx, int dy, bool refresh)
{
    translate(dx, dy);
    _refresh(refresh);
}

void Camera::zoom(int x, int y, float factor, bool refresh)
{
    zoomAtViewportPoint(factor, x, y);
    _refresh(refresh);
}

void Camera::zoom(float factor, bool refresh)
{
    zoom(screenSize.cx / 2, screenSize.cy / 2, factor, refresh);
}

void Camera::zoomBox(CPoint from, CPoint to, bool refresh)
{
    const float height = static_cast<float>(viewportSize().cy);
    const auto y = [&](int windowY) {
        return inverseVertical() ? height - static_cast<float>(windowY) : static_cast<float>(windowY);
    };
    zoomAtRect(rect<float>{static_cast<float>(from.x), y(from.y), static_cast<float>(to.x), y(to.y)});
    _refresh(refresh);
}

void Camera::zoomFit(bool refresh)
{
    setBox(0, 0, 1, 1);
    _refresh(refresh);
}

void Camera::rotate(radian<float> angle, vector3 axis, bool refresh)
{
    matrix = rotation(angle, axis) * matrix;
    _refresh(refresh);
}

void Camera::rotate(radian<float> angle, float x, float y, float z, bool refresh)
{
    rotate(angle, vector3{x, y, z}, refresh);
}

void Camera::rotateX(radian<float> angle, bool refresh)
{
    rotate(angle, kAxisX, refresh);
}

void Camera::rotateY(radian<float> angle, bool refresh)
{
    rotate(angle, kAxisY, refresh);
}

void Camera::rotateZ(radian<float> angle, bool refresh)
{
    rotate(angle, kAxisZ, refresh);
}

int Camera::preTranslateMessage(MSG* /*message*/)
{
    return 0;
}

void Camera::applyGL()
{
    ::glMultMatrixf(matrix.data());
    ::glTranslatef(-worldCenter.x, -worldCenter.y, -worldCenter.z);
}

rect<float> Camera::makeViewVolumeFromRadius(float radius)
{
    depthNear = radius;
    depthFar = kFarPerNear * radius;
    return {-radius, radius, radius, -radius};
}

void Camera::onChangeWorldSize(box3 box)
{
    worldSize = box;
    worldCenter = {(box.min.x + box.max.x) / 2, (box.min.y + box.max.y) / 2, (box.min.z + box.max.z) / 2};
    const float extent = std::max({box.max.x - box.min.x, box.max.y - box.min.y, box.max.z - box.min.z});
    worldRadius = extent * 0.5f * kWorldMargin;
    worldVolume = makeViewVolumeFromRadius(worldRadius);
    worldRadius = calcViewVolume(worldVolume);
    setContentVolume(worldVolume.left, worldVolume.bottom, worldVolume.right, worldVolume.top);
}

float Camera::calcViewVolume(rect<float>& volume)
{
    const float cx = (volume.left + volume.right) / 2;
    const float cy = (volume.top + volume.bottom) / 2;
    float width = 0;
    float height = 0;
    float result = 0;
    if (heightScreenRatio) {
        height = volume.top - volume.bottom;
        width = height * screenRatio;
        result = height / 2;
    } else {
        width = volume.right - volume.left;
        height = width * screenRatio;
        result = width / 2;
    }
    if (width == 0 || height == 0)
        return 0;
    volume = {cx - width / 2, cy + height / 2, cx + width / 2, cy - height / 2};
    return result;
}

void Camera::setupViewVolume(bool measurePixel)
{
    if (perspective)
        setupPerspective3D();
    else
        setupOrthogonal3D();
    if (measurePixel && manager != nullptr) {
        const vector3 first = manager->convert2DTo3D(CPoint(0, 0), 0);
        const vector3 second = manager->convert2DTo3D(CPoint(0, 1), 0);
        distanceByPixel = first.distance(second);
    }
}

void Camera::onChangedBoundViewVolume(rect<float> /*oldVolume*/, rect<float> newVolume)
{
    boundVolume = {newVolume.left, newVolume.bottom, newVolume.right, newVolume.top};
    rect<float> adapted = boundVolume;
    boundRadius = calcViewVolume(adapted);
    setupViewVolume(true);
}

void Camera::_refresh(bool refresh) const
{
    if (refresh && manager != nullptr)
        manager->refreshScreen(false, true);
}

void Camera::_setupProjection(bool frustum)
{
    if (manager == nullptr)
        return;
    manager->makeCurrent();
    ::glMatrixMode(GL_PROJECTION);
    ::glLoadIdentity();
    const float scale = frustum ? kFrustumScale : 1.0f;
    const double left = scale * boundVolume.left;
    const double right = scale * boundVolume.right;
    const double bottom = scale * boundVolume.bottom;
    const double top = scale * boundVolume.top;
    if (frustum)
        ::glFrustum(left, right, bottom, top, depthNear, depthFar);
    else
        ::glOrtho(left, right, bottom, top, depthNear, depthFar);
    ::glTranslated(0, 0, -depthNear - kEyeDistance * worldRadius);
    ::glMatrixMode(GL_MODELVIEW);
    ::glLoadIdentity();
}

Camera::vector3 Camera::_toWorld(const vector3& eye) const
{
    return transformed(inverseOrIdentity(matrix), eye) + worldCenter;
}

} // namespace qv::gl
