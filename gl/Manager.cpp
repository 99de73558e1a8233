#include <qv.win/Manager.h>

#include <qv.win/Camera.h>
#include <qv.win/Font.h>

#include <qv.win/core/qv.String.h>

#include "../gui/LogicalPalette.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace qv::gl {

namespace {

constexpr BYTE kColorBits = 32;
// Surface sides are signed on the platform.
constexpr unsigned kMaxSide = static_cast<unsigned>((std::numeric_limits<int>::max)());
constexpr DWORD kWindowFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
constexpr DWORD kBitmapFlags = PFD_DRAW_TO_BITMAP | PFD_SUPPORT_GDI | PFD_SUPPORT_OPENGL;
constexpr int kPaletteEntries = 256;
constexpr UINT kRedrawNow = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;
constexpr GLbitfield kClearMask = GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT;
constexpr int kFpsRightMargin = 10;
constexpr GLfloat kFpsBaseline = 8;
const qv::color<float, color_traits<float>> kFpsShadow{0.4f, 0.4f, 0.5f, 1};

// Index of each corner in colorBackground.
enum Corner { TopLeft, TopRight, BottomLeft, BottomRight };

// Set while any manager of the process renders: a render requested meanwhile is dropped.
bool g_rendering = false;

class RenderGuard {
public:
    RenderGuard() : m_entered(!g_rendering) { g_rendering = true; }
    RenderGuard(const RenderGuard&) = delete;
    RenderGuard& operator=(const RenderGuard&) = delete;
    ~RenderGuard()
    {
        if (m_entered)
            g_rendering = false;
    }
    bool entered() const { return m_entered; }

private:
    bool m_entered;
};

double seconds(LONGLONG ticks)
{
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

LONGLONG now()
{
    LARGE_INTEGER counter{};
    ::QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

bool isStandard332(const PIXELFORMATDESCRIPTOR& format)
{
    return format.cColorBits == 8 && format.cRedBits == 3 && format.cRedShift == 0 && format.cGreenBits == 3
        && format.cGreenShift == 3 && format.cBlueBits == 2 && format.cBlueShift == 6;
}

} // namespace

const BYTE Manager::_oneto8[2] = {0, 255};
const BYTE Manager::_twoto8[4] = {0, 85, 170, 255};
const BYTE Manager::_threeto8[8] = {0, 36, 73, 109, 146, 182, 219, 255};
const int Manager::_defaultOverride[13] = {0, 3, 24, 27, 64, 67, 88, 173, 181, 236, 247, 164, 91};
const PALETTEENTRY Manager::_defaultPalEntry[20] = {
    {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},   {0, 0, 128, 0},
    {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0}, {192, 220, 192, 0}, {166, 202, 240, 0},
    {255, 251, 240, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},
    {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0},
};

Manager::Manager()
    : quadric(nullptr), fps(0), wnd(nullptr), dc(nullptr), rc(nullptr), colorBits(0), pixelFlags(0), palette(nullptr),
      oldPalette(nullptr), drawToBitmap(false), needRender(true), refreshScreenNow(false), camera(nullptr),
      font(nullptr), viewFPS(false), colorFPS(234 / 255.0f, 198 / 255.0f, 74 / 255.0f, 1),
      backgroundMode(BackgroundGradient),
      colorBackground{{1, 1, 1, 1}, {1, 1, 1, 1}, {0, 0, 1, 1}, {0, 0, 1, 1}}
{
}

Manager::~Manager()
{
    if (quadric != nullptr)
        ::gluDeleteQuadric(quadric);
    destroyGL();
}

Camera* Manager::setCamera(Camera* newCamera)
{
    Camera* previous = camera;
    camera = newCamera;
    if (camera != nullptr) {
        camera->setManager(this);
        if (_hasPixels())
            camera->setScreenSize(screenSize);
    }
    return previous;
}

void Manager::setColorBackground(const color& c)
{
    setColorBackground(c, c, c, c);
}

void Manager::setColorBackground(const color& topLeft, const color& topRight, const color& bottomLeft,
                                 const color& bottomRight)
{
    colorBackground[TopLeft] = topLeft;
    colorBackground[TopRight] = topRight;
    colorBackground[BottomLeft] = bottomLeft;
    colorBackground[BottomRight] = bottomRight;
}

void Manager::getColorBackground(color& topLeft, color& topRight, color& bottomLeft, color& bottomRight) const
{
    topLeft = colorBackground[TopLeft];
    topRight = colorBackground[TopRight];
    bottomLeft = colorBackground[BottomLeft];
    bottomRight = colorBackground[BottomRight];
}

bool Manager::createGL(CWnd* window, bool toBitmap)
{
    if (window == nullptr)
        return false;
    wnd = window;
    drawToBitmap = toBitmap;
    if (drawToBitmap) {
        CRect client;
        wnd->GetClientRect(&client);
        if (!_createBitmap(client.Width(), client.Height()))
            return false;
    } else {
        dc = new CClientDC(wnd);
        if (dc->GetSafeHdc() == nullptr)
            return false;
    }
    return _createContext();
}

bool Manager::createBitmapGL(unsigned cx, unsigned cy)
{
    if (cx > kMaxSide || cy > kMaxSide)
        return false;
    drawToBitmap = true;
    wnd = nullptr;
    if (!_createBitmap(static_cast<int>(cx), static_cast<int>(cy)) || !_createContext())
        return false;
    makeCurrent();
    onInitGL();
    return true;
}

void Manager::destroyGL()
{
    onDestroyGL();
    if (oldPalette != nullptr && dc != nullptr)
        dc->SelectPalette(oldPalette, FALSE);
    oldPalette = nullptr;
    delete palette;
    palette = nullptr;
    deleteGLContext();
    if (!drawToBitmap)
        delete dc;
    dc = nullptr;
}

void Manager::initGL()
{
    makeCurrent();
    onInitGL();
}

void Manager::makeCurrent()
{
    if (dc == nullptr)
        return;
    if (palette != nullptr && !drawToBitmap) {
        dc->SelectPalette(palette, FALSE);
        dc->RealizePalette();
    }
    if (::wglGetCurrentContext() != rc)
        ::wglMakeCurrent(dc->GetSafeHdc(), rc);
}

void Manager::resizeGL(int cx, int cy)
{
    if (dc == nullptr)
        return;
    screenSize = CSize(cx, cy);
    if (!_hasPixels())
        return;
    if (drawToBitmap) {
        dib.resizeImage(cx, cy);
        _releaseCurrent();
    }
    if (camera != nullptr)
        camera->setScreenSize(screenSize);
    makeCurrent();
    onResizeGL(cx, cy);
    refreshScreen(false, true);
}

void Manager::paint()
{
    if (wnd == nullptr) {
        paint(nullptr);
        return;
    }
    CDC* windowDC = wnd->GetDC();
    paint(windowDC);
    wnd->ReleaseDC(windowDC);
}

void Manager::paint(CDC* target)
{
    if (!drawToBitmap) {
        const bool copy = target != nullptr && !_showsWindow(target);
        _renderCycle(copy ? target : nullptr);
        onPaint(copy ? target : dc);
        return;
    }
    if (needRender) {
        _renderCycle(nullptr);
        needRender = false;
    }
    onPaint(dib.getDC());
    if (target != nullptr)
        dib.draw(target, 0, 0);
}

void Manager::renderGL()
{
    _renderPass(nullptr);
}

void Manager::refreshScreen(bool now, bool dirty)
{
    if (dirty)
        needRender = true;
    if (wnd != nullptr) {
        if (now || refreshScreenNow)
            wnd->RedrawWindow(nullptr, nullptr, kRedrawNow);
        else
            wnd->Invalidate(FALSE);
    } else if (drawToBitmap && rc != nullptr && dc != nullptr) {
        paint();
    }
}

void Manager::clearBackground(bool callHook)
{
    if (callHook)
        onClearGL();
    if (backgroundMode == BackgroundGradient && camera != nullptr)
        _drawGradient();
    else if (backgroundMode == BackgroundSolid || backgroundMode == BackgroundGradient)
        ::glClearColor(colorBackground[TopLeft].r, colorBackground[TopLeft].g, colorBackground[TopLeft].b,
                       colorBackground[TopLeft].a);
}

void Manager::swapBuffers()
{
    if (dc != nullptr)
        ::SwapBuffers(dc->GetSafeHdc());
}

void Manager::backupMatrix(double projection[16], double modelView[16], int viewport[4]) const
{
    ::glGetDoublev(GL_PROJECTION_MATRIX, projection);
    ::glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    ::glGetIntegerv(GL_VIEWPORT, viewport);
}

void Manager::restoreMatrix(const double projection[16], const double modelView[16], const int viewport[4])
{
    ::glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
    ::glMatrixMode(GL_PROJECTION);
    ::glLoadMatrixd(projection);
    ::glMatrixMode(GL_MODELVIEW);
    ::glLoadMatrixd(modelView);
}

Manager::vector3 Manager::convert2DTo3D(CPoint point, long depth)
{
    makeCurrent();
    double projection[16] = {};
    double modelView[16] = {};
    int viewport[4] = {};
    backupMatrix(projection, modelView, viewport);
    double x = 0, y = 0, z = 0;
    ::gluUnProject(point.x, viewport[3] - point.y, static_cast<double>(depth), modelView, projection, viewport, &x,
                   &y, &z);
    return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
}

CPoint Manager::convert3DTo2D(vector3 world)
{
    makeCurrent();
    double projection[16] = {};
    double modelView[16] = {};
    int viewport[4] = {};
    backupMatrix(projection, modelView, viewport);
    return convert3DTo2D(projection, modelView, viewport, world);
}

CPoint Manager::convert3DTo2D(const double* projection, const double* modelView, const int* viewport,
                              vector3 world)
{
    double x = 0, y = 0, z = 0;
    ::gluProject(world.x, world.y, world.z, modelView, projection, viewport, &x, &y, &z);
    return CPoint(static_cast<int>(std::trunc(x)), static_cast<int>(std::trunc(viewport[3] - y)));
}

void Manager::drawFPS(color c)
{
    if (camera == nullptr || font == nullptr)
        return;
    PixelOverlay saved{};
    _beginPixelOverlay(saved);
    ::glPushMatrix();
    String text;
    text.format("%.2f FPS", fps);
    const CSize extent = font->getOutputTextExtent(text.c_str());
    GLint viewport[4] = {};
    ::glGetIntegerv(GL_VIEWPORT, viewport);
    const GLfloat x = static_cast<GLfloat>(viewport[2] - extent.cx - kFpsRightMargin);
    ::glColor4fv(kFpsShadow.data());
    ::glRasterPos3f(x, kFpsBaseline - 1, 0);
    font->draw(text.c_str());
    ::glColor4fv(c.data());
    ::glRasterPos3f(x, kFpsBaseline, 0);
    font->draw(text.c_str());
    ::glPopMatrix();
    _endPixelOverlay(saved);
}

bool Manager::preTranslateMessage(MSG* message)
{
    return camera != nullptr && camera->preTranslateMessage(message) != 0;
}

void Manager::setMouseCursor(Cursor /*cursor*/) {}

bool Manager::onCreatePalette(LOGPALETTE* /*logicalPalette*/)
{
    return true;
}

bool Manager::onCreateGL()
{
    return true;
}

bool Manager::onCreateGL(CWnd* /*window*/, PIXELFORMATDESCRIPTOR* /*format*/)
{
    return true;
}

void Manager::onDestroyGL() {}

bool Manager::onCreateGLFont()
{
    return true;
}

void Manager::onResizeGL(int /*cx*/, int /*cy*/) {}

// A white-ish directional light from above and in front.
void Manager::onInitGL()
{
    const GLfloat ambient[] = {0.8f, 0.8f, 0.8f, 1};
    const GLfloat diffuse[] = {0.7f, 0.7f, 0.7f, 1};
    const GLfloat specular[] = {0.6f, 0.6f, 0.6f, 1};
    const GLfloat position[] = {0, 1300, 1500, 0};
    ::glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    ::glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    ::glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    ::glLightfv(GL_LIGHT0, GL_POSITION, position);
    ::glEnable(GL_DEPTH_TEST);
    ::glEnable(GL_LIGHTING);
    ::glEnable(GL_LIGHT0);
    ::glEnable(GL_COLOR_MATERIAL);
}

bool Manager::onClearGL()
{
    ::glClearDepth(1.0);
    ::glClear(kClearMask);
    return true;
}

void Manager::onRenderGLPre() {}

void Manager::onRenderGL() {}

void Manager::onPickGL()
{
    onRenderGL();
}

void Manager::onRenderGLPost() {}

void Manager::onPaint(CDC* /*target*/) {}

void Manager::_initQuadric()
{
    if (quadric == nullptr)
        quadric = ::gluNewQuadric();
}

bool Manager::setupPixelFormat(HDC hdc, BYTE bits, DWORD flags)
{
    PIXELFORMATDESCRIPTOR format{};
    format.nSize = sizeof(format);
    format.nVersion = 1;
    format.dwFlags = flags;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = bits;
    format.cRedBits = 8;
    format.cRedShift = 24;
    format.cGreenBits = 8;
    format.cGreenShift = 16;
    format.cBlueBits = 8;
    format.cBlueShift = 8;
    format.cAlphaBits = 8;
    format.cAlphaShift = 0;
    format.cAccumBits = 64;
    format.cAccumRedBits = 16;
    format.cAccumGreenBits = 16;
    format.cAccumBlueBits = 16;
    format.cAccumAlphaBits = 0;
    format.cDepthBits = 32;
    format.cStencilBits = 8;
    format.cAuxBuffers = 0;
    format.iLayerType = PFD_MAIN_PLANE;
    const int index = ::ChoosePixelFormat(hdc, &format);
    if (index == 0 || !::SetPixelFormat(hdc, index, &format))
        return false;
    colorBits = bits;
    pixelFlags = flags;
    return true;
}

bool Manager::setupPixelFormat(HDC hdc)
{
    return setupPixelFormat(hdc, colorBits, pixelFlags);
}

bool Manager::createPalette()
{
    if (dc == nullptr)
        return false;
    const HDC hdc = dc->GetSafeHdc();
    PIXELFORMATDESCRIPTOR format{};
    const int index = ::GetPixelFormat(hdc);
    if (index == 0 || ::DescribePixelFormat(hdc, index, sizeof(format), &format) == 0)
        return false;
    const bool colourIndex = format.iPixelType == PFD_TYPE_COLORINDEX;
    const bool needed = (format.dwFlags & PFD_NEED_PALETTE) != 0 || (drawToBitmap && format.cColorBits == 8)
                     || colourIndex;
    if (!needed)
        return false;

    gui::LogicalPalette logical(kPaletteEntries);
    if (colourIndex)
        onCreatePalette(logical.get());
    else
        _fillPalette(logical.get(), format);

    delete palette;
    palette = new CPalette;
    const bool created = logical.create(*palette) != FALSE;
    if (drawToBitmap)
        return created;
    oldPalette = dc->SelectPalette(palette, FALSE);
    dc->RealizePalette();
    return created;
}

BYTE Manager::componentFromIndex(int index, unsigned bits, unsigned shift)
{
    const int value = index >> shift;
    switch (bits) {
    case 1:
        return _oneto8[value & 1];
    case 2:
        return _twoto8[value & 3];
    case 3:
        return _threeto8[value & 7];
    default:
        return 0;
    }
}

bool Manager::createGLContext(HDC hdc, bool replace)
{
    if (replace)
        deleteGLContext();
    if (rc != nullptr)
        return false;
    rc = ::wglCreateContext(hdc);
    return rc != nullptr;
}

void Manager::deleteGLContext()
{
    if (rc == nullptr)
        return;
    if (::wglGetCurrentContext() == rc)
        ::wglMakeCurrent(nullptr, nullptr);
    ::wglDeleteContext(rc);
    rc = nullptr;
}

// The DIB section of bitmap mode and its DC; false when the platform could not make the DIB.
bool Manager::_createBitmap(int cx, int cy)
{
    screenSize = CSize(cx, cy);
    dib.create(cx, cy, kColorBits);
    dc = dib.getDC();
    return dib.isCreated();
}

bool Manager::_hasPixels() const
{
    return screenSize.cx >= 1 && screenSize.cy >= 1;
}

// Pixel format, palette, context and the creation hooks on the surface's DC.
bool Manager::_createContext()
{
    const HDC hdc = dc->GetSafeHdc();
    if (!setupPixelFormat(hdc, kColorBits, drawToBitmap ? kBitmapFlags : kWindowFlags))
        return false;
    createPalette();
    if (!createGLContext(hdc, true))
        return false;
    makeCurrent();
    if (!onCreateGL())
        return false;
    return onCreateGLFont();
}

// The 3-3-2 colour cube; an exact 3-3-2 format keeps the twelve static system colours.
void Manager::_fillPalette(LOGPALETTE* logicalPalette, const PIXELFORMATDESCRIPTOR& format)
{
    const int count = format.cColorBits >= 8 ? kPaletteEntries : 1 << format.cColorBits;
    for (int i = 0; i < count; ++i)
        logicalPalette->palPalEntry[i] = {componentFromIndex(i, format.cRedBits, format.cRedShift),
                                          componentFromIndex(i, format.cGreenBits, format.cGreenShift),
                                          componentFromIndex(i, format.cBlueBits, format.cBlueShift), 0};
    if (!isStandard332(format))
        return;
    for (int k = 1; k <= 12; ++k)
        logicalPalette->palPalEntry[_defaultOverride[k]] = _defaultPalEntry[k];
}

void Manager::_beginPixelOverlay(PixelOverlay& saved)
{
    backupMatrix(saved.projection, saved.modelView, saved.viewport);
    camera->setupOrthogonal2D(false);
    saved.lighting = ::glIsEnabled(GL_LIGHTING) != GL_FALSE;
    saved.depthTest = ::glIsEnabled(GL_DEPTH_TEST) != GL_FALSE;
    ::glDisable(GL_LIGHTING);
    ::glDisable(GL_DEPTH_TEST);
}

void Manager::_endPixelOverlay(const PixelOverlay& saved)
{
    if (saved.lighting)
        ::glEnable(GL_LIGHTING);
    if (saved.depthTest)
        ::glEnable(GL_DEPTH_TEST);
    restoreMatrix(saved.projection, saved.modelView, saved.viewport);
}

// Per-vertex corner colours over the whole surface, below everything drawn after it.
void Manager::_drawGradient()
{
    PixelOverlay saved{};
    _beginPixelOverlay(saved);
    const GLfloat cx = static_cast<GLfloat>(screenSize.cx);
    const GLfloat cy = static_cast<GLfloat>(screenSize.cy);
    ::glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    ::glPushMatrix();
    ::glBegin(GL_QUADS);
    ::glColor4fv(colorBackground[BottomLeft].data());
    ::glVertex2f(0, 0);
    ::glColor4fv(colorBackground[BottomRight].data());
    ::glVertex2f(cx, 0);
    ::glColor4fv(colorBackground[TopRight].data());
    ::glVertex2f(cx, cy);
    ::glColor4fv(colorBackground[TopLeft].data());
    ::glVertex2f(0, cy);
    ::glEnd();
    ::glPopMatrix();
    _endPixelOverlay(saved);
}

// A DIB context is bound to the bitmap it was made current with; a new bitmap needs a new binding.
void Manager::_releaseCurrent()
{
    if (rc != nullptr && ::wglGetCurrentContext() == rc)
        ::wglMakeCurrent(nullptr, nullptr);
}

void Manager::_renderCycle(CDC* copyTarget)
{
    onRenderGLPre();
    _renderPass(copyTarget);
    onRenderGLPost();
}

// The render pass; a copy target receives the back buffer instead of the swap.
void Manager::_renderPass(CDC* copyTarget)
{
    const RenderGuard guard;
    if (!guard.entered())
        return;
    makeCurrent();
    clearBackground(true);
    ::glPushMatrix();
    ::glLoadIdentity();
    if (camera != nullptr)
        camera->applyGL();
    const LONGLONG start = now();
    onRenderGL();
    fps = 1.0 / seconds(now() - start);
    if (viewFPS)
        drawFPS(colorFPS);
    ::glPopMatrix();
    ::glFinish();
    if (drawToBitmap)
        ::GdiFlush();
    if (copyTarget != nullptr)
        _copyPicture(copyTarget);
    else
        swapBuffers();
}

void Manager::_copyPicture(CDC* target)
{
    DIBSection picture;
    if (getScreenShot(picture, GL_BGRA_EXT))
        picture.draw(target, 0, 0);
}

bool Manager::_showsWindow(CDC* target) const
{
    return wnd != nullptr && ::WindowFromDC(target->GetSafeHdc()) == wnd->GetSafeHwnd();
}

} // namespace qv::gl
