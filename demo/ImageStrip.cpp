#include "ImageStrip.h"

namespace demo {

bool createImageStrip(CWnd& window, CImageList& images, int size, int count, COLORREF mask,
                      const std::function<void(CDC& dc, const CRect& cell, int index)>& draw)
{
    CClientDC screen(&window);
    CDC dc;
    CBitmap strip;
    if (!dc.CreateCompatibleDC(&screen) || !strip.CreateCompatibleBitmap(&screen, size * count, size))
        return false;
    CBitmap* previous = dc.SelectObject(&strip);
    dc.FillSolidRect(0, 0, size * count, size, mask);
    for (int i = 0; i < count; ++i)
        draw(dc, CRect(i * size, 0, (i + 1) * size, size), i);
    dc.SelectObject(previous);
    return images.Create(size, size, ILC_COLOR24 | ILC_MASK, count, 0) && images.Add(&strip, mask) == 0;
}

} // namespace demo
