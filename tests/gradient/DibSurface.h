#pragma once

#include <afxwin.h>

#include <functional>

// A memory surface over a 32-bit top-down DIB section whose pixels a test reads back directly.
class DibSurface {
public:
    DibSurface(int width, int height, COLORREF fill);
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;
    ~DibSurface();

    CDC* dc() { return &m_dc; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    void fill(COLORREF color);
    COLORREF pixel(int x, int y) const;
    // The smallest rectangle that holds every pixel for which match is true; empty when none does.
    CRect boundsOf(const std::function<bool(COLORREF)>& match) const;
    bool any(const CRect& area, COLORREF color) const;

private:
    COLORREF raw(int x, int y) const;

    CDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    const DWORD* m_bits = nullptr;
    int m_width;
    int m_height;
};
