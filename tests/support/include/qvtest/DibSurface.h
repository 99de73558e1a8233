#pragma once

#include <afxwin.h>

#include <functional>
#include <ostream>
#include <vector>

// Readable failure messages for the value types.
inline void PrintTo(const CRect& rect, std::ostream* os)
{
    *os << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
}

inline void PrintTo(const CSize& size, std::ostream* os)
{
    *os << size.cx << " x " << size.cy;
}

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

// A memory DC with a top-down 32-bit DIB section selected, also wrapped in a CDC the way a
// paint handler hands one to the drawing code: draw into it, read the pixels back.
class DibSurface {
public:
    DibSurface(int width, int height, COLORREF background = colors::kWhite);
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;
    ~DibSurface();

    HDC hdc() const { return m_dc.GetSafeHdc(); }
    CDC* dc() { return &m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    void fill(COLORREF color);
    // The pixel as a COLORREF, read from the bits after GDI has finished drawing.
    COLORREF pixel(int x, int y) const;
    // The colours of one row from x0 to x1 (exclusive), for comparing runs.
    std::vector<COLORREF> row(int y, int x0, int x1) const;
    // The smallest rectangle that holds every pixel (of the area) for which match is true; empty
    // when none does.
    CRect boundsOf(const std::function<bool(COLORREF)>& match) const;
    CRect boundsOf(const std::function<bool(COLORREF)>& match, const CRect& area) const;
    CRect boundsOf(COLORREF color) const;
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

// Colour channels within 2 of each other, for blends whose rounding differs between implementations.
bool nearColor(COLORREF a, COLORREF b);

} // namespace qvtest
