#include "ScenePage.h"

#include "Journal.h"
#include "Tour.h"

#include <qv.win/Camera.h>
#include <qv.win/DIBSection.h>

#include <GL/gl.h>

#include <iterator>

namespace demo {

namespace {

using color = qv::gl::Manager::color;
using vector3 = qv::gl::Manager::vector3;

// Names loaded for picking, and what they are called.
enum Part : unsigned { Nothing, Sphere, Box, Floor, Rings };
const wchar_t* const kPartNames[] = {L"nothing", L"the sphere", L"the box", L"the floor", L"the rings"};

constexpr UINT_PTR kRotationTimer = 1;
constexpr UINT kRotationMs = 40;
constexpr float kRotationDegrees = 2;
constexpr int kPickBufferSize = 256;
constexpr int kPickSize = 5;

// The tour looks at the scene from a little above and to the right of the front.
constexpr float kTourPitch = 25;
constexpr float kTourYaw = -35;

const color kSky{0.93f, 0.96f, 1, 1};
const color kHorizon{0.52f, 0.62f, 0.82f, 1};

} // namespace

BEGIN_MESSAGE_MAP(ScenePage, qv::gl::Wnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_TIMER()
END_MESSAGE_MAP()

ScenePage::ScenePage() : Wnd(false)
{
    setColorBackground(kSky, kSky, kHorizon, kHorizon);
    setViewFPS(true);
}

bool ScenePage::create(CWnd* parent, UINT id)
{
    return Create(WS_CHILD, CRect(0, 0, 1, 1), parent, id, nullptr) != FALSE;
}

void ScenePage::activate(bool active)
{
    if (active)
        SetTimer(kRotationTimer, kRotationMs, nullptr);
    else
        KillTimer(kRotationTimer);
}

// A click on the middle of the picture lands on the sphere, seen from any side.
void ScenePage::tour(Tour& tour)
{
    activate(false);
    getCamera()->viewDirection(qv::gl::Camera::Front, false);
    getCamera()->worldRotate({1, 0, 0}, kTourPitch, false);
    getCamera()->worldRotate({0, 1, 0}, kTourYaw, true);
    tour.pump(200);
    CRect client;
    GetClientRect(&client);
    tour.click(this, client.CenterPoint());
    tour.check(picked == Sphere, L"picking the sphere in the 3D scene");
    _tourReadBack(tour);
}

const wchar_t* ScenePage::getPicked() const
{
    return kPartNames[picked];
}

bool ScenePage::onCreateGLFont()
{
    return Wnd::onCreateGLFont() && outline.createOutline(getDC(), "Arial", 1, 0.2f, true) != 0;
}

void ScenePage::onRenderGL()
{
    _drawObjects();
    _drawTitle();
    _drawLabels();
}

// Mesa hangs on the extruded glyph lists in selection mode, so the title is left out of
// picking; everything else is picked as drawn.
void ScenePage::onPickGL()
{
    _drawObjects();
}

void ScenePage::_drawObjects()
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
}

void ScenePage::onDestroyGL()
{
    makeCurrent();
    outline.destroy();
    Wnd::onDestroyGL();
}

void ScenePage::OnLButtonDown(UINT /*flags*/, CPoint point)
{
    unsigned buffer[kPickBufferSize] = {};
    const int hits = pickObjects(buffer, kPickBufferSize, point.x, point.y, kPickSize, kPickSize);
    unsigned* names = nullptr;
    const int count = getPickNameBuffer(buffer, hits, names);
    picked = count > 0 && names[0] < std::size(kPartNames) ? names[0] : Nothing;
    delete[] names;
    note("3D scene: picked %ls at (%ld, %ld)", kPartNames[picked], point.x, point.y);
}

void ScenePage::OnTimer(UINT_PTR /*id*/)
{
    getCamera()->worldRotate({0, 1, 0}, kRotationDegrees, true);
}

// Corner coordinates in bitmap text, unlit so that they keep their colour.
// The picture read back into a bitmap, as a host saves or prints it; the sphere fills the middle.
void ScenePage::_tourReadBack(Tour& tour)
{
    qv::gl::DIBSection picture;
    COLORREF middle = CLR_INVALID;
    if (getScreenShot(picture, GL_BGRA_EXT))
        picture.getPixel(picture.getWidth() / 2, picture.getHeight() / 2, middle);
    note("3D scene: read back %u x %u pixels, RGB(%d, %d, %d) in the middle", picture.getWidth(),
         picture.getHeight(), GetRValue(middle), GetGValue(middle), GetBValue(middle));
    tour.check(middle != CLR_INVALID && GetRValue(middle) > GetBValue(middle), L"reading the 3D scene back");
}

void ScenePage::_drawLabels()
{
    ::glPushAttrib(GL_ENABLE_BIT);
    ::glDisable(GL_LIGHTING);
    ::glColor3f(0.1f, 0.1f, 0.2f);
    drawText({-6, -6, 6}, "(-6, -6, 6)");
    drawText({6, 6, -6}, "(6, 6, -6)");
    ::glPopAttrib();
}

// Extruded outline glyphs, one em = 2 world units, standing above the box.
void ScenePage::_drawTitle()
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
