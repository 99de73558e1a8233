#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include <functional>

namespace demo {

// Fills images with count square images of side size, drawn side by side on one bitmap that
// starts in the mask colour: draw paints image index into cell (in the bitmap's coordinates).
// False when the bitmap or the list could not be made.
bool createImageStrip(CWnd& window, CImageList& images, int size, int count, COLORREF mask,
                      const std::function<void(CDC& dc, const CRect& cell, int index)>& draw);

} // namespace demo
