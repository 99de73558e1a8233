#include <qv.win/Manager.h>

#include <qv.win/Camera.h>

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>

namespace qv::gl {

namespace {

constexpr unsigned kFarthestDepth = 0x7FFFFFFF;
// A hit record: name count, minimum depth, maximum depth, then the names.
constexpr int kRecordHeader = 3;
// The perspective volume is the bound volume scaled down, as the camera sets it up.
constexpr double kFrustumScale = 0.25;
constexpr float kCentreOffsetRadii = 3;

// A depth word read as a signed number and taken without its sign: the lower half of the
// range orders as it is, a word of 2^31 or more as 2^32 minus its value.
unsigned depthKey(unsigned word)
{
    return static_cast<std::int32_t>(word) < 0 ? 0u - word : word;
}

} // namespace

int Manager::pickObjects(unsigned* buffer, int bufferSize, int x, int y, int width, int height)
{
    if (camera == nullptr || wnd == nullptr)
        return 0;
    makeCurrent();
    ::glSelectBuffer(bufferSize, buffer);
    GLint viewport[4] = {};
    ::glGetIntegerv(GL_VIEWPORT, viewport);
    ::glMatrixMode(GL_PROJECTION);
    ::glPushMatrix();
    ::glRenderMode(GL_SELECT);
    ::glLoadIdentity();
    _loadPickProjection(x, y, width, height, viewport);
    camera->applyGL();
    onPickGL();
    const int hits = ::glRenderMode(GL_RENDER);
    ::glMatrixMode(GL_PROJECTION);
    ::glPopMatrix();
    ::glMatrixMode(GL_MODELVIEW);
    return hits;
}

int Manager::getPickNameBuffer(unsigned* buffer, int hits, unsigned*& names)
{
    if (hits < 1)
        return 0;
    delete[] names;
    names = nullptr;
    unsigned best = kFarthestDepth;
    int count = 0;
    const unsigned* record = buffer;
    for (int i = 0; i < hits; ++i) {
        const unsigned nameCount = record[0];
        bool taken = false;
        for (const unsigned depth : {depthKey(record[1]), depthKey(record[2])})
            if (depth < best) {
                best = depth;
                taken = true;
            }
        if (taken && nameCount > 0) {
            count = static_cast<int>(nameCount);
            delete[] names;
            names = new unsigned[nameCount];
            std::copy_n(record + kRecordHeader, nameCount, names);
        }
        record += kRecordHeader + nameCount;
    }
    return count;
}

bool Manager::calcPickRay(CPoint point, Line3f& ray)
{
    if (camera == nullptr)
        return false;
    ray.start = camera->convert2DTo3D(point, 0L);
    ray.end = camera->convert2DTo3D(point, 1L);
    return true;
}

bool Manager::setPickRay(CPoint point)
{
    return calcPickRay(point, pickRay);
}

// The camera's projection narrowed to the pick rectangle. Zoomed in, the volume moves
// closer to the viewer than the camera's own (which keeps the world radius), so geometry
// right in front of the viewer may fall before the near plane and not be picked.
void Manager::_loadPickProjection(int x, int y, int width, int height, const GLint viewport[4])
{
    CRect client;
    wnd->GetClientRect(&client);
    ::gluPickMatrix(x, client.Height() - y, width, height, const_cast<GLint*>(viewport));
    const rect<float> volume = camera->getBoundVolume(false);
    const bool frustum = camera->isPerspective();
    const double scale = frustum ? kFrustumScale : 1.0;
    const double nearDepth = camera->getDepthNear();
    const double farDepth = camera->getDepthFar();
    if (frustum)
        ::glFrustum(scale * volume.left, scale * volume.right, scale * volume.bottom, scale * volume.top, nearDepth,
                    farDepth);
    else
        ::glOrtho(volume.left, volume.right, volume.bottom, volume.top, nearDepth, farDepth);
    const float offset = std::min(camera->getDepthNear() + kCentreOffsetRadii * camera->getBoundRadius(),
                                  camera->getDepthFar());
    ::glTranslated(0, 0, -offset);
}

} // namespace qv::gl
