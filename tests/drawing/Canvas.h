#pragma once

#include <afxwin.h>

#include <ostream>

#include "DibSurface.h"

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

// A DIB-section surface wrapped in a CDC, the way a paint handler hands one to the drawing helpers.
class Canvas : public DibSurface {
public:
    explicit Canvas(int width, int height, COLORREF background = RGB(255, 255, 255))
        : DibSurface(width, height, background)
    {
        m_dc.Attach(hdc());
    }
    ~Canvas() { m_dc.Detach(); }

    CDC* dc() { return &m_dc; }

private:
    CDC m_dc;
};

} // namespace qvtest
