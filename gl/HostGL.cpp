#include "HostGL.h"

#include <qv.win/Camera.h>
#include <qv.win/Font.h>

#include <GL/gl.h>

namespace qv::gl::host {

namespace {

const char kFontFace[] = "Tahoma";
constexpr int kFontHeight = 14;

} // namespace

void registerClass(WNDCLASS& windowClass)
{
    if (!AfxRegisterClass(&windowClass))
        AfxThrowResourceException();
}

bool createCamera(Manager& manager, Camera*& camera)
{
    delete camera;
    camera = new Camera(&manager);
    manager.setCamera(camera);
    return camera != nullptr;
}

bool createFont(Manager& manager, Font*& font)
{
    delete font;
    font = new Font;
    if (font->create(manager.getDC(), kFontFace, kFontHeight) == 0)
        return false;
    manager.setFont(font);
    return true;
}

void releaseFont(Manager& manager, Font* font)
{
    if (font == nullptr)
        return;
    manager.makeCurrent();
    font->destroy();
}

void enableLighting()
{
    ::glEnable(GL_DEPTH_TEST);
    ::glEnable(GL_LIGHTING);
    ::glEnable(GL_LIGHT0);
    ::glEnable(GL_COLOR_MATERIAL);
}

BOOL realizePalette(CWnd& window, const Manager& manager)
{
    CPalette* palette = manager.getPalette();
    if (palette == nullptr)
        return TRUE;
    CDC* dc = window.GetDC();
    dc->SelectPalette(palette, FALSE);
    const UINT changed = dc->RealizePalette();
    window.ReleaseDC(dc);
    if (changed > 0)
        window.Invalidate(TRUE);
    return TRUE;
}

} // namespace qv::gl::host
