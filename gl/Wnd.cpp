#include <qv.win/Wnd.h>

#include <qv.win/Camera.h>
#include <qv.win/Font.h>
#include "HostGL.h"
#include "../gui/WindowClass.h"

namespace qv::gl {

namespace {

const wchar_t kClassName[] = L"QV_OpenGLWnd";
constexpr UINT kClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
constexpr DWORD kBitmapMode = 1;

bool takesFocus(UINT message)
{
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN;
}

} // namespace

IMPLEMENT_DYNCREATE(Wnd, CWnd)

BEGIN_MESSAGE_MAP(Wnd, CWnd)
    ON_WM_SETFOCUS()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_PALETTECHANGED()
    ON_WM_QUERYNEWPALETTE()
END_MESSAGE_MAP()

Wnd::Wnd(bool useBitmap)
    : glCamera(nullptr), glFont(nullptr), createCalled(false), useBitmap(useBitmap ? kBitmapMode : 0)
{
    gui::registerWindowClass(kClassName, kClassStyle);
}

Wnd::~Wnd()
{
    delete glFont;
    delete glCamera;
}

BOOL Wnd::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id, CCreateContext* context)
{
    createCalled = true;
    if (!CWnd::Create(kClassName, nullptr, style, rect, parent, id, context))
        return FALSE;
    return Create();
}

BOOL Wnd::Create()
{
    ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    if (!createGL(this, useBitmap == kBitmapMode))
        return FALSE;
    initGL();
    CRect client;
    GetClientRect(&client);
    resizeGL(client.Width(), client.Height());
    return TRUE;
}

BOOL Wnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CWnd::PreCreateWindow(cs);
}

void Wnd::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    if (!createCalled && !Create())
        AfxThrowMemoryException();
}

BOOL Wnd::PreTranslateMessage(MSG* msg)
{
    if (takesFocus(msg->message) && ::GetFocus() != m_hWnd)
        SetFocus();
    if (preTranslateMessage(msg))
        return TRUE;
    return CWnd::PreTranslateMessage(msg);
}

bool Wnd::onCreateGL()
{
    return host::createCamera(*this, glCamera);
}

bool Wnd::onCreateGLFont()
{
    return host::createFont(*this, glFont);
}

void Wnd::onInitGL()
{
    host::enableLighting();
}

void Wnd::onRenderGL() {}

void Wnd::onDestroyGL()
{
    host::releaseFont(*this, glFont);
}

void Wnd::OnSetFocus(CWnd* oldWnd)
{
    CWnd::OnSetFocus(oldWnd);
}

void Wnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    resizeGL(cx, cy);
}

void Wnd::OnPaint()
{
    CPaintDC dc(this);
    paint();
}

// The picture covers the whole client area: erasing first would only flicker.
BOOL Wnd::OnEraseBkgnd(CDC* /*dc*/)
{
    return TRUE;
}

void Wnd::OnDestroy()
{
    destroyGL();
    CWnd::OnDestroy();
}

void Wnd::OnPaletteChanged(CWnd* changer)
{
    if (changer != this)
        OnQueryNewPalette();
}

BOOL Wnd::OnQueryNewPalette()
{
    return host::realizePalette(*this, *this);
}

} // namespace qv::gl
