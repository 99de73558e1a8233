#include <qv.win/Host.h>

#include <GL/gl.h>

#include <type_traits>

namespace qv::gl {

namespace {

const char kFontFace[] = "Tahoma";
constexpr int kFontHeight = 14;

} // namespace

BEGIN_TEMPLATE_MESSAGE_MAP(Host, Base, Base)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, &ThisClass::OnPrintClient)
    ON_WM_PALETTECHANGED()
    ON_WM_QUERYNEWPALETTE()
END_MESSAGE_MAP()

template <class Base>
Host<Base>::Host(bool useBitmap) : useBitmap(useBitmap)
{
}

// The font goes before the camera, both before the manager and the window.
template <class Base>
Host<Base>::~Host()
{
    glFont.reset();
    glCamera.reset();
}

template <class Base>
BOOL Host<Base>::PreTranslateMessage(MSG* msg)
{
    if (preTranslateMessage(msg))
        return TRUE;
    return Base::PreTranslateMessage(msg);
}

template <class Base>
bool Host<Base>::onCreateGL()
{
    glCamera = std::make_unique<Camera>(this);
    setCamera(glCamera.get());
    return true;
}

template <class Base>
bool Host<Base>::onCreateGLFont()
{
    glFont = std::make_unique<Font>();
    if (glFont->create(getDC(), kFontFace, kFontHeight) == 0)
        return false;
    setFont(glFont.get());
    return true;
}

// The lights as the manager leaves them, without setting their parameters.
template <class Base>
void Host<Base>::onInitGL()
{
    ::glEnable(GL_DEPTH_TEST);
    ::glEnable(GL_LIGHTING);
    ::glEnable(GL_LIGHT0);
    ::glEnable(GL_COLOR_MATERIAL);
}

template <class Base>
void Host<Base>::onRenderGL()
{
}

// The lists belong to this manager's context, not to whichever is current.
template <class Base>
void Host<Base>::onDestroyGL()
{
    if (glFont == nullptr)
        return;
    makeCurrent();
    glFont->destroy();
}

template <class Base>
void Host<Base>::OnSize(UINT type, int cx, int cy)
{
    Base::OnSize(type, cx, cy);
    resizeGL(cx, cy);
}

template <class Base>
void Host<Base>::OnPaint()
{
    CPaintDC dc(this);
    _present(&dc);
}

template <class Base>
LRESULT Host<Base>::OnPrintClient(WPARAM dc, LPARAM /*flags*/)
{
    _present(CDC::FromHandle(reinterpret_cast<HDC>(dc)));
    return 0;
}

// The picture covers the whole client area: erasing first would only flicker.
template <class Base>
BOOL Host<Base>::OnEraseBkgnd(CDC* /*dc*/)
{
    return TRUE;
}

template <class Base>
void Host<Base>::OnDestroy()
{
    destroyGL();
    Base::OnDestroy();
}

template <class Base>
void Host<Base>::OnPaletteChanged(CWnd* changer)
{
    if (changer != this)
        OnQueryNewPalette();
}

// Realises the palette, if any, in the foreground; repaints when entries changed.
template <class Base>
BOOL Host<Base>::OnQueryNewPalette()
{
    CPalette* palette = getPalette();
    if (palette == nullptr)
        return TRUE;
    CDC* dc = this->GetDC();
    dc->SelectPalette(palette, FALSE);
    const UINT changed = dc->RealizePalette();
    this->ReleaseDC(dc);
    if (changed > 0)
        this->Invalidate(TRUE);
    return TRUE;
}

template <class Base>
void Host<Base>::_registerClass(WNDCLASS& windowClass)
{
    if (!AfxRegisterClass(&windowClass))
        AfxThrowResourceException();
}

template <class Base>
void Host<Base>::_present(CDC* target)
{
    paint(target);
    if constexpr (std::is_base_of_v<CView, Base>) {
        this->OnPrepareDC(target);
        this->OnDraw(target);
    }
}

template class Host<CWnd>;
template class Host<CView>;

} // namespace qv::gl
