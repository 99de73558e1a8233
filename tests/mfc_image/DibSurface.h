#pragma once

#include <windows.h>

#include <vector>

namespace qvtest {

// The colours the drawing tests paint and probe with.
namespace colors {
inline constexpr COLORREF kWhite = RGB(255, 255, 255);
inline constexpr COLORREF kBlack = RGB(0, 0, 0);
inline constexpr COLORREF kGrey = RGB(128, 128, 128);
inline constexpr COLORREF kRed = RGB(255, 0, 0);
inline constexpr COLORREF kGreen = RGB(0, 255, 0);
inline constexpr COLORREF kBlue = RGB(0, 0, 255);
inline constexpr COLORREF kMagenta = RGB(255, 0, 255);
} // namespace colors

// A memory DC with a top-down 32-bit DIB section selected: draw into hdc(), read the pixels back.
class DibSurface {
public:
    DibSurface(int width, int height, COLORREF background = RGB(255, 255, 255))
        : m_width(width), m_height(height), m_hdc(::CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap = ::CreateDIBSection(m_hdc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<DWORD*>(bits);
        m_old = ::SelectObject(m_hdc, m_bitmap);
        fill(background);
    }
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;
    ~DibSurface()
    {
        ::SelectObject(m_hdc, m_old);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_hdc);
    }

    HDC hdc() const { return m_hdc; }
    HBITMAP bitmap() const { return m_bitmap; }

    void fill(COLORREF color)
    {
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                m_bits[y * m_width + x] = toBgrx(color);
    }

    // The pixel as a COLORREF, read from the bits after GDI has finished drawing.
    COLORREF pixel(int x, int y) const
    {
        ::GdiFlush();
        const DWORD bgrx = m_bits[y * m_width + x];
        return RGB(GetBValue(bgrx), GetGValue(bgrx), GetRValue(bgrx));
    }

    // The colours of one row from x0 to x1 (exclusive), for comparing runs.
    std::vector<COLORREF> row(int y, int x0, int x1) const
    {
        std::vector<COLORREF> colors;
        for (int x = x0; x < x1; ++x)
            colors.push_back(pixel(x, y));
        return colors;
    }

private:
    static DWORD toBgrx(COLORREF color) { return RGB(GetBValue(color), GetGValue(color), GetRValue(color)); }

    int m_width;
    int m_height;
    HDC m_hdc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    DWORD* m_bits = nullptr;
};

// Colour channels within 2 of each other, for blends whose rounding differs between implementations.
inline bool nearColor(COLORREF a, COLORREF b)
{
    const auto close = [](int x, int y) { return x - y <= 2 && y - x <= 2; };
    return close(GetRValue(a), GetRValue(b)) && close(GetGValue(a), GetGValue(b)) && close(GetBValue(a), GetBValue(b));
}

} // namespace qvtest
