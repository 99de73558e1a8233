#include "SceneWnd.h"

#include <qv.win/Camera.h>

#include <GL/gl.h>

#include <iterator>
#include <string>

namespace demo {

namespace {

using color = qv::gl::Manager::color;
using vector3 = qv::gl::Manager::vector3;

// Names loaded for picking, and what they are called.
enum Part : unsigned { Nothing, Sphere, Box, Floor, Rings, Title };
const wchar_t* const kPartNames[] = {L"nothing", L"the sphere", L"the box", L"the floor", L"the rings",
                                     L"the title"};

constexpr UINT_PTR kRotationTimer = 1;
constexpr UINT kRotationMs = 40;
constexpr float kRotationDegrees = 2;
constexpr int kPickBufferSize = 256;
constexpr int kPickSize = 5;

const color kSky{0.93f, 0.96f, 1, 1};
const color kHorizon{0.52f, 0.62f, 0.82f, 1};

} // namespace

BEGIN_MESSAGE_MAP(SceneWnd, qv::gl::Wnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_TIMER()
END_MESSAGE_MAP()

SceneWnd::SceneWnd() : Wnd(false)
{
    setColorBackground(kSky, kSky, kHorizon, kHorizon);
    setViewFPS(true);
}

void SceneWnd::startRotation()
{
    SetTimer(kRotationTimer, kRotationMs, nullptr);
}

bool SceneWnd::onCreateGLFont()
{
    return Wnd::onCreateGLFont() && outline.createOutline(getDC(), "Arial", 1, 0.2f, true) != 0;
}

void SceneWnd::onRenderGL()
{
    ::glInitNames();
    ::glPushName(Nothing);

    ::glLoadName(Floor);
    const vector3 floor[4] = {{-9, -6, -9}, {9, -6, -9}, {9, -6, 9}, {-9, -6, 9}};
    drawPlane(floor, color(0.1f, 0.6f, 0.3f, 1), false, 0.35f);

    ::glLoadName(Sphere);
    drawSphear({0, 0, 0}, 4, color(0.85f, 0.45f, 0.1f, 1), 0, 48, 32);

    ::glLoadName(Box);
    drawBox3D(qv::gl::Manager::box3{{-6, -6, -6}, {6, 6, 6}}, color(0.1f, 0.15f, 0.5f, 1), true, 1);

    ::glLoadName(Rings);
    drawCircle2D({0, 0}, 7.5f, color(0.8f, 0.1f, 0.1f, 1), 0);
    drawCircle2DFill({6, 6}, 1.5f, color(1, 0.85f, 0, 0.6f), 0);
    drawCircle2DFill({-6, 6}, 1.5f, color(0.2f, 0.5f, 1, 0.6f), 0);

    ::glLoadName(Title);
    _drawTitle();
    _drawLabels();
}

void SceneWnd::onDestroyGL()
{
    makeCurrent();
    outline.destroy();
    Wnd::onDestroyGL();
}

void SceneWnd::OnLButtonDown(UINT /*flags*/, CPoint point)
{
    unsigned buffer[kPickBufferSize] = {};
    const int hits = pickObjects(buffer, kPickBufferSize, point.x, point.y, kPickSize, kPickSize);
    unsigned* names = nullptr;
    const int count = getPickNameBuffer(buffer, hits, names);
    const unsigned part = count > 0 && names[0] < std::size(kPartNames) ? names[0] : Nothing;
    delete[] names;
    GetParent()->SetWindowText((std::wstring(L"qv.win GL demo: picked ") + kPartNames[part]).c_str());
}

void SceneWnd::OnTimer(UINT_PTR /*id*/)
{
    getCamera()->worldRotate({0, 1, 0}, kRotationDegrees, true);
}

// Corner coordinates in bitmap text, unlit so that they keep their colour.
void SceneWnd::_drawLabels()
{
    ::glPushAttrib(GL_ENABLE_BIT);
    ::glDisable(GL_LIGHTING);
    ::glColor3f(0.1f, 0.1f, 0.2f);
    drawText({-6, -6, 6}, "(-6, -6, 6)");
    drawText({6, 6, -6}, "(6, 6, -6)");
    ::glPopAttrib();
}

// Extruded outline glyphs, one em = 2 world units, standing above the box.
void SceneWnd::_drawTitle()
{
    qv::gl::Font* labels = getFont();
    setFont(&outline);
    ::glPushMatrix();
    ::glTranslatef(-4.5f, 6.8f, 0);
    ::glScalef(2, 2, 2);
    ::glColor3f(0.15f, 0.35f, 0.75f);
    drawText3D("qv.win");
    ::glPopMatrix();
    setFont(labels);
}

} // namespace demo
