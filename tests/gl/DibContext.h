#pragma once

#include <qv.win/DIBSection.h>

#include <GL/gl.h>
#include <gtest/gtest.h>

// A GL context drawing into a 32-bit DIB section, made current for the test's lifetime.
class DibContext {
public:
    DibContext(int cx, int cy)
    {
        dib.create(cx, cy, 32);
        PIXELFORMATDESCRIPTOR pfd{};
        pfd.nSize = sizeof(pfd);
        pfd.nVersion = 1;
        pfd.dwFlags = PFD_DRAW_TO_BITMAP | PFD_SUPPORT_OPENGL | PFD_SUPPORT_GDI;
        pfd.iPixelType = PFD_TYPE_RGBA;
        pfd.cColorBits = 32;
        pfd.cDepthBits = 24;
        const HDC hdc = dib.getDC()->GetSafeHdc();
        const int format = ::ChoosePixelFormat(hdc, &pfd);
        if (format != 0 && ::SetPixelFormat(hdc, format, &pfd))
            rc = ::wglCreateContext(hdc);
        if (rc != nullptr)
            ::wglMakeCurrent(hdc, rc);
    }
    DibContext(const DibContext&) = delete;
    DibContext& operator=(const DibContext&) = delete;
    ~DibContext()
    {
        ::wglMakeCurrent(nullptr, nullptr);
        if (rc != nullptr)
            ::wglDeleteContext(rc);
    }

    bool ok() const { return rc != nullptr; }

    // Pixel units with the origin at the bottom left, as glRasterPos and glVertex take them.
    void pixelProjection() const
    {
        ::glMatrixMode(GL_PROJECTION);
        ::glLoadIdentity();
        ::glOrtho(0, dib.getWidth(), 0, dib.getHeight(), -1, 1);
        ::glMatrixMode(GL_MODELVIEW);
        ::glLoadIdentity();
    }

    void clear() const
    {
        ::glClearColor(0, 0, 0, 1);
        ::glClear(GL_COLOR_BUFFER_BIT);
    }

    void finish() const
    {
        ::glFinish();
        ::GdiFlush();
    }

    // The colour at GL window coordinates (origin bottom left).
    COLORREF glPixel(int x, int y) const
    {
        COLORREF colour = CLR_INVALID;
        dib.getPixel(static_cast<unsigned>(x), dib.getHeight() - 1 - static_cast<unsigned>(y), colour);
        return colour;
    }

    qv::gl::DIBSection dib;
    HGLRC rc = nullptr;
};
