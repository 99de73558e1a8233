#include "qvtest/DibSurface.h"

#include <algorithm>

namespace qvtest {

DibSurface::DibSurface(int width, int height, COLORREF background) : m_width(width), m_height(height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down: row 0 first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<const DWORD*>(bits);
    m_dc.CreateCompatibleDC(nullptr);
    m_oldBitmap = ::SelectObject(m_dc.GetSafeHdc(), m_bitmap);
    fill(background);
}

DibSurface::~DibSurface()
{
    ::SelectObject(m_dc.GetSafeHdc(), m_oldBitmap);
    ::DeleteObject(m_bitmap);
}

void DibSurface::fill(COLORREF color)
{
    m_dc.FillSolidRect(0, 0, m_width, m_height, color);
}

COLORREF DibSurface::pixel(int x, int y) const
{
    ::GdiFlush();
    return raw(x, y);
}

std::vector<COLORREF> DibSurface::row(int y, int x0, int x1) const
{
    ::GdiFlush();
    std::vector<COLORREF> colors;
    for (int x = x0; x < x1; ++x)
        colors.push_back(raw(x, y));
    return colors;
}

COLORREF DibSurface::raw(int x, int y) const
{
    const DWORD bgra = m_bits[y * m_width + x];
    return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
}

CRect DibSurface::boundsOf(const std::function<bool(COLORREF)>& match) const
{
    return boundsOf(match, CRect(0, 0, m_width, m_height));
}

CRect DibSurface::boundsOf(COLORREF color) const
{
    return boundsOf([color](COLORREF c) { return c == color; });
}

CRect DibSurface::boundsOf(const std::function<bool(COLORREF)>& match, const CRect& area) const
{
    ::GdiFlush();
    CRect bounds(area.right, area.bottom, area.left, area.top);
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (match(raw(x, y))) {
                bounds.left = std::min<int>(bounds.left, x);
                bounds.top = std::min<int>(bounds.top, y);
                bounds.right = std::max<int>(bounds.right, x + 1);
                bounds.bottom = std::max<int>(bounds.bottom, y + 1);
            }
    return bounds.IsRectEmpty() ? CRect() : bounds;
}

bool DibSurface::any(const CRect& area, COLORREF color) const
{
    ::GdiFlush();
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (raw(x, y) == color)
                return true;
    return false;
}

bool nearColor(COLORREF a, COLORREF b)
{
    const auto close = [](int x, int y) { return x - y <= 2 && y - x <= 2; };
    return close(GetRValue(a), GetRValue(b)) && close(GetGValue(a), GetGValue(b)) && close(GetBValue(a), GetBValue(b));
}

} // namespace qvtest
