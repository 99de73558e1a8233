#include <qv.win/View.h>

#include <qv.win/Camera.h>
#include <qv.win/Font.h>
#include "HostGL.h"

namespace qv::gl {

namespace {

const wchar_t kClassName[] = L"QV_OpenGLView";
constexpr UINT kAddedClassStyle = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;

// The view base class's window class with its own DC per window and no background brush.
void registerViewClass(const CREATESTRUCT& cs)
{
    WNDCLASS windowClass{};
    if (::GetClassInfo(cs.hInstance, kClassName, &windowClass))
        return;
    ::GetClassInfo(cs.hInstance, cs.lpszClass, &windowClass);
    windowClass.style |= kAddedClassStyle;
    windowClass.hbrBackground = nullptr;
    windowClass.hInstance = cs.hInstance;
    windowClass.lpszClassName = kClassName;
    host::registerClass(windowClass);
}

} // namespace

IMPLEMENT_DYNCREATE(View, CView)

BEGIN_MESSAGE_MAP(View, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_PALETTECHANGED()
    ON_WM_QUERYNEWPALETTE()
END_MESSAGE_MAP()

View::View(bool useBitmap) : glCamera(nullptr), glFont(nullptr), useBitmap(useBitmap) {}

View::~View()
{
    delete glFont;
    glFont = nullptr;
    delete glCamera;
    glCamera = nullptr;
}

BOOL View::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (!CView::PreCreateWindow(cs))
        return FALSE;
    registerViewClass(cs);
    cs.lpszClass = kClassName;
    return TRUE;
}

BOOL View::PreTranslateMessage(MSG* msg)
{
    if (preTranslateMessage(msg))
        return TRUE;
    return CView::PreTranslateMessage(msg);
}

void View::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    initGL();
}

void View::OnDraw(CDC* /*dc*/) {}

bool View::onCreateGL()
{
    return host::createCamera(*this, glCamera);
}

bool View::onCreateGLFont()
{
    return host::createFont(*this, glFont);
}

void View::onInitGL()
{
    host::enableLighting();
}

void View::onRenderGL() {}

void View::onDestroyGL()
{
    host::releaseFont(*this, glFont);
}

int View::OnCreate(LPCREATESTRUCT cs)
{
    if (CView::OnCreate(cs) == -1)
        return -1;
    return createGL(this, useBitmap) ? 0 : -1;
}

void View::OnSize(UINT type, int cx, int cy)
{
    CView::OnSize(type, cx, cy);
    resizeGL(cx, cy);
}

void View::OnPaint()
{
    CPaintDC dc(this);
    paint();
    OnDraw(&dc);
}

// The picture covers the whole client area: erasing first would only flicker.
BOOL View::OnEraseBkgnd(CDC* /*dc*/)
{
    return TRUE;
}

void View::OnDestroy()
{
    destroyGL();
    CView::OnDestroy();
}

void View::OnPaletteChanged(CWnd* changer)
{
    if (changer != this)
        OnQueryNewPalette();
}

BOOL View::OnQueryNewPalette()
{
    return host::realizePalette(*this, *this);
}

} // namespace qv::gl
