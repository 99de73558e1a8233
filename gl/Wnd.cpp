#include <qv.win/Wnd.h>

#include "../gui/WindowClass.h"

namespace qv::gl {

namespace {

const wchar_t kClassName[] = L"QV_OpenGLWnd";
constexpr UINT kClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;

bool takesFocus(UINT message)
{
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN;
}

} // namespace

IMPLEMENT_DYNCREATE(Wnd, CWnd)

Wnd::Wnd(bool useBitmap) : Host(useBitmap), createCalled(false)
{
    gui::registerWindowClass(kClassName, kClassStyle);
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
    if (!createGL(this, useBitmap))
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
    return Host::PreTranslateMessage(msg);
}

} // namespace qv::gl
