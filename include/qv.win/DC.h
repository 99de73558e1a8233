#pragma once

#include <afxwin.h>

#include "qv.win.h"

namespace ATL {
class CImage;
}
namespace Gdiplus {
class Image;
}

namespace qv::gui {

// The drawing primitives the owner-drawn controls share, on a surface owned by the caller. A DC is
// usable when its surface exists and holds a device handle; otherwise the drawing operations do
// nothing and the conversions return their input. roundRectFill and roundRectLine skip only a
// missing surface. Colours are COLORREF; a point is the printer's point, 1/72.27 inch.
class QV_WIN_API DC {
public:
    // Construction
    DC(CDC* pDC) noexcept : m_pDC(pDC) {}
    DC(const DC&) noexcept = default;
    DC& operator=(const DC&) noexcept = default;
    virtual ~DC();

    // Attributes
    CDC* operator->() const noexcept { return m_pDC; }

    // Operations
    // Blends a solid rectangle over the surface with a constant alpha: 0 leaves it, 255 covers it.
    void FillSolidRect(const CRect& rect, COLORREF color, BYTE alpha);
    // Only what can touch the clip box reaches the platform: a circle too large for its Ellipse is
    // drawn row by row there, and a pen wider than the visible area needs is narrowed.
    void drawCircle(CPoint center, COLORREF color, int radius, bool fill);
    void roundRectFill(const CRect& rect, COLORREF lineColor, COLORREF fillColor, const CPoint& corner, int lineWidth);
    // The interior gets the brush the surface has selected.
    void roundRectLine(const CRect& rect, COLORREF lineColor, const CPoint& corner, int lineWidth);
    // count nested one-pixel frames from rect inward (or outward), graded from one colour towards the
    // other in equal integer steps; the last frame can fall short of `to` by the steps' truncation.
    void drawOutlineBox(const CRect& rect, COLORREF from, COLORREF to, int count, bool inward);

    // The image at its own size centred in the box when stretch is 0 and the box is larger in both
    // directions, else scaled to fit the box with its aspect ratio kept. A box without area (the
    // platform faults on some inverted ones) draws nothing.
    virtual void drawImage(Gdiplus::Image* image, CRect box, int stretch);
    // Drawn as CImage::Draw does (transparent colour, alpha channel or a plain stretch).
    virtual void drawImage(ATL::CImage* image, CRect box, int stretch);

    // size shrunk into limit, each axis on its own or with the aspect ratio kept.
    static CSize calcFixedSize(CSize size, CSize limit, bool keepRatio);
    // Where drawImage puts an image of the size, relative to the box's top-left corner.
    static CRect calcRectBySize(CRect box, CSize size, int stretch);

    CSize pixel2Point(CSize pixels) const;
    int pixel2PointX(int pixels) const;
    int pixel2PointY(int pixels) const;
    CSize point2Pixel(CSize points) const;
    int point2PixelX(int points) const;
    int point2PixelY(int points) const;

    // Implementation
private:
    bool _isUsable() const noexcept;
    CRect _placeInBox(const CRect& box, CSize size, int stretch) const;
    int _pixel2Point(int pixels, int index) const;
    int _point2Pixel(int points, int index) const;

    CDC* m_pDC;
};

} // namespace qv::gui
