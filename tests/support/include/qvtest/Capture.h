#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace qvtest {

// The pixels of a window's client area (or of a DC's rectangle), copied with BitBlt into a
// 32-bit top-down DIB at construction. Pumps nothing: paint first (pumpUntilIdle or UpdateWindow).
// A window reads back what is on the screen, so it must be visible and not covered.
class Capture {
public:
    explicit Capture(HWND hwnd);
    Capture(HDC dc, int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }
    // The pixel at (x, y) as COLORREF (0x00BBGGRR); CLR_INVALID outside the image.
    COLORREF pixel(int x, int y) const;
    // How many pixels of the rectangle have the colour.
    int count(const RECT& rect, COLORREF color) const;
    // The smallest rectangle of the area holding every pixel for which match is true; empty when
    // none does.
    RECT boundsOf(const std::function<bool(COLORREF)>& match, const RECT& area) const;

private:
    void copyFrom(HDC dc);

    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_pixels;   // BGRA, rows top to bottom
};

} // namespace qvtest
