#include <qv.win/View.h>

namespace qv::gl {

namespace {

const wchar_t kClassName[] = L"QV_OpenGLView";
constexpr UINT kAddedClassStyle = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;

} // namespace

IMPLEMENT_DYNCREATE(View, CView)

BEGIN_MESSAGE_MAP(View, Host<CView>)
    ON_WM_CREATE()
END_MESSAGE_MAP()

View::View(bool useBitmap) : Host(useBitmap) {}

// The view base class's window class with its own DC per window and no background brush.
BOOL View::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (!CView::PreCreateWindow(cs))
        return FALSE;
    WNDCLASS windowClass{};
    if (!::GetClassInfo(cs.hInstance, kClassName, &windowClass)) {
        ::GetClassInfo(cs.hInstance, cs.lpszClass, &windowClass);
        windowClass.style |= kAddedClassStyle;
        windowClass.hbrBackground = nullptr;
        windowClass.hInstance = cs.hInstance;
        windowClass.lpszClassName = kClassName;
        _registerClass(windowClass);
    }
    cs.lpszClass = kClassName;
    return TRUE;
}

void View::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    initGL();
}

void View::OnDraw(CDC* /*dc*/) {}

int View::OnCreate(LPCREATESTRUCT cs)
{
    if (CView::OnCreate(cs) == -1)
        return -1;
    return createGL(this, useBitmap) ? 0 : -1;
}

} // namespace qv::gl
