#include <qv.win/Manager.h>

#include <qv.win/Font.h>

#include <GL/gl.h>

#include <cmath>

namespace qv::gl {

namespace {

// What a primitive may change: enables, viewport, accumulation, depth buffer, lighting and polygon state.
constexpr GLbitfield kPrimitiveState = GL_ENABLE_BIT | GL_VIEWPORT_BIT | GL_ACCUM_BUFFER_BIT | GL_DEPTH_BUFFER_BIT
                                     | GL_LIGHTING_BIT | GL_POLYGON_STIPPLE_BIT | GL_POLYGON_BIT;

// Faces of a box given by its minimum and maximum: c0..c3 the max-z side, c4..c7 the min-z side.
constexpr int kBoxFaces[6][4] = {{0, 1, 2, 3}, {5, 4, 7, 6}, {7, 4, 0, 3}, {5, 6, 2, 1}, {4, 5, 1, 0}, {6, 7, 3, 2}};
// Faces of a box given by eight corners.
constexpr int kCornerFaces[6][4] = {{0, 1, 5, 4}, {0, 3, 2, 1}, {4, 5, 6, 7}, {0, 4, 7, 3}, {1, 2, 6, 5}, {2, 3, 7, 6}};
constexpr int kPlaneFace[1][4] = {{0, 1, 2, 3}};

constexpr double kCircleStep = 0.01f;
constexpr double kCircleEnd = 6.28318;
constexpr int kDiscDegrees = 360;
constexpr double kDegreesPerRadian = 57.29577957795135;

// Pushes the primitive state on construction and pops it on destruction.
class PrimitiveState {
public:
    PrimitiveState() { ::glPushAttrib(kPrimitiveState); }
    PrimitiveState(const PrimitiveState&) = delete;
    PrimitiveState& operator=(const PrimitiveState&) = delete;
    ~PrimitiveState() { ::glPopAttrib(); }
};

// Unlit drawing in the given colours.
void beginFlat()
{
    ::glDisable(GL_LIGHTING);
    ::glEnable(GL_COLOR_MATERIAL);
    ::glLineWidth(1);
}

// Translucent drawing that shows what lies behind and hides nothing drawn later.
void beginBlended()
{
    ::glEnable(GL_BLEND);
    ::glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    ::glDepthMask(GL_FALSE);
}

void vertex(const Manager::vector3& v)
{
    ::glVertex3f(v.x, v.y, v.z);
}

Manager::vector2 onCircle(const Manager::vector2& centre, float radius, double t)
{
    return {static_cast<float>(centre.x + radius * std::sin(t)), static_cast<float>(centre.y + radius * std::cos(t))};
}

void vertex(const Manager::vector2& v)
{
    ::glVertex2f(v.x, v.y);
}

} // namespace

void Manager::drawBox3D(const box3& box, const color& c, bool wire, float alpha)
{
    const vector3& lo = box.min;
    const vector3& hi = box.max;
    const vector3 corners[8] = {{lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z}, {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z},
                                {lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, hi.y, lo.z}, {lo.x, hi.y, lo.z}};
    _drawFaces(corners, kBoxFaces, 6, c, wire, alpha);
}

void Manager::drawBox3D(const vector3 corners[8], const color& c, bool wire, float alpha)
{
    _drawFaces(corners, kCornerFaces, 6, c, wire, alpha);
}

void Manager::drawPlane(const vector3 corners[4], const color& c, bool wire, float alpha)
{
    _drawFaces(corners, kPlaneFace, 1, c, wire, alpha);
}

// Starts at the top (largest y), runs toward +x and stops just short of closing.
void Manager::drawCircle2D(const vector2& centre, float radius, const color& c, float /*unused*/)
{
    const PrimitiveState state;
    beginFlat();
    ::glColor4f(c.r, c.g, c.b, c.a);
    ::glBegin(GL_LINE_STRIP);
    vertex(vector2{centre.x, centre.y + radius});
    for (double t = 0; t + kCircleStep <= kCircleEnd; t += kCircleStep)
        vertex(onCircle(centre, radius, t));
    ::glEnd();
}

// A fan of one-degree triangles; the first is degenerate (it starts at the centre).
void Manager::drawCircle2DFill(const vector2& centre, float radius, const color& c, float /*unused*/)
{
    const PrimitiveState state;
    beginFlat();
    beginBlended();
    ::glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    ::glColor4f(c.r, c.g, c.b, c.a);
    ::glBegin(GL_TRIANGLES);
    vector2 previous = centre;
    for (int i = 0; i <= kDiscDegrees; ++i) {
        const vector2 next = onCircle(centre, radius, i / kDegreesPerRadian);
        vertex(centre);
        vertex(previous);
        vertex(next);
        previous = next;
    }
    ::glEnd();
}

void Manager::drawSphear(const vector3& centre, double radius, const color& c, float /*unused*/, int slices,
                         int stacks)
{
    _initQuadric();
    const PrimitiveState state;
    for (const GLenum capability :
         {GL_LIGHTING, GL_LIGHT0, GL_COLOR_MATERIAL, GL_DEPTH_TEST, GL_TEXTURE_2D, GL_NORMALIZE})
        ::glEnable(capability);
    ::glDepthMask(GL_TRUE);
    ::glColor4f(c.r, c.g, c.b, c.a);
    ::glTranslatef(centre.x, centre.y, centre.z);
    ::gluSphere(quadric, radius, slices, stacks);
    ::glTranslatef(-centre.x, -centre.y, -centre.z);
}

void Manager::drawText(vector3 position, const char* text)
{
    if (font == nullptr)
        return;
    ::glRasterPos3f(position.x, position.y, position.z);
    font->draw(text);
}

void Manager::drawText3D(const char* text)
{
    if (font != nullptr)
        font->draw(text);
}

void Manager::_drawFaces(const vector3* corners, const int (*faces)[4], int faceCount, const color& c, bool wire,
                         float alpha)
{
    const PrimitiveState state;
    beginFlat();
    if (wire) {
        ::glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        ::glColor4f(c.r, c.g, c.b, c.a);
    } else {
        beginBlended();
        ::glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        ::glColor4f(c.r, c.g, c.b, alpha);
    }
    const GLenum mode = wire ? GL_LINE_LOOP : GL_QUADS;
    for (int f = 0; f < faceCount; ++f) {
        ::glBegin(mode);
        for (const int corner : faces[f])
            vertex(corners[corner]);
        ::glEnd();
    }
}

} // namespace qv::gl
