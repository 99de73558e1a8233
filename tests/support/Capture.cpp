#include "qvtest/Capture.h"

#include <algorithm>

namespace qvtest {

namespace {

const WORD bitsPerPixel = 32;

} // namespace

Capture::Capture(HWND hwnd)
{
    RECT client{};
    ::GetClientRect(hwnd, &client);
    m_width = client.right;
    m_height = client.bottom;
    HDC dc = ::GetDC(hwnd);
    copyFrom(dc);
    ::ReleaseDC(hwnd, dc);
}

Capture::Capture(HDC dc, int width, int height) : m_width(width), m_height(height)
{
    copyFrom(dc);
}

void Capture::copyFrom(HDC dc)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = m_width;
    info.bmiHeader.biHeight = -m_height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return;
    HDC memory = ::CreateCompatibleDC(dc);
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, m_width, m_height, dc, 0, 0, SRCCOPY);
    ::GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    m_pixels.assign(pixels, pixels + static_cast<size_t>(m_width) * static_cast<size_t>(m_height));
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
    ::DeleteObject(bitmap);
}

COLORREF Capture::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height || m_pixels.empty())
        return CLR_INVALID;
    const std::uint32_t bgra = m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)];
    return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
}

int Capture::count(const RECT& rect, COLORREF color) const
{
    int matches = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x)
            matches += pixel(x, y) == color;
    }
    return matches;
}

RECT Capture::boundsOf(const std::function<bool(COLORREF)>& match, const RECT& area) const
{
    RECT bounds{area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (match(pixel(x, y)))
                bounds = {std::min<LONG>(bounds.left, x), std::min<LONG>(bounds.top, y),
                          std::max<LONG>(bounds.right, x + 1), std::max<LONG>(bounds.bottom, y + 1)};
        }
    }
    return bounds.left < bounds.right ? bounds : RECT{};
}

} // namespace qvtest
