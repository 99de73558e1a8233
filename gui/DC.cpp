#include <qv.win/DC.h>

#include <atlimage.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace qv::gui {

namespace {

const float kPointsPerInch = 72.27f;
const int kRedShift = 0;
const int kGreenShift = 8;
const int kBlueShift = 16;
const int kChannelShifts[] = {kRedShift, kGreenShift, kBlueShift};

// Selects a GDI object into a surface for the guard's lifetime.
class Selection {
public:
    Selection(CDC& dc, HGDIOBJ object) : m_dc(dc), m_previous(dc.SelectObject(object)) {}
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    ~Selection() { m_dc.SelectObject(m_previous); }

private:
    CDC& m_dc;
    HGDIOBJ m_previous;
};

int channel(COLORREF color, int shift)
{
    return int((color >> shift) & 0xFF);
}

// Frame i of a graded outline: from + i * step in each channel, kept to a byte.
COLORREF gradedColor(COLORREF from, const int (&steps)[3], int i)
{
    COLORREF color = 0;
    for (int c = 0; c < 3; ++c)
        color |= COLORREF((channel(from, kChannelShifts[c]) + i * steps[c]) & 0xFF) << kChannelShifts[c];
    return color;
}

// The frames [first, end) of an outline that can show in the clip box. A frame that surrounds the
// clip box hides nothing of it, and frames inside an emptied rectangle draw nothing, so a count in
// the millions costs no more than the frames the surface can show.
std::pair<long long, long long> visibleFrames(const CRect& rect, const CRect& clip, bool inward, int count)
{
    const long long left = rect.left, top = rect.top, right = rect.right, bottom = rect.bottom;
    long long first = 0;
    long long end = count;
    if (inward) {
        first = std::min({clip.left - left, clip.top - top, right - clip.right, bottom - clip.bottom});
        end = std::min(end, (std::min(right - left, bottom - top) + 1) / 2);
    } else {
        end = std::min(end, std::max({left - clip.left, top - clip.top, clip.right - right, clip.bottom - bottom}) + 1);
    }
    return {std::max(0LL, first), end};
}

// Truncation toward zero. A quotient by zero (an image or box without width, a surface without a
// resolution) is infinite or not a number and has no integer: it counts as 0.
int truncated(float value)
{
    return std::isfinite(value) ? int(value) : 0;
}

// Circles up to this radius go to the platform's Ellipse. Larger ones, which the platform
// takes seconds over or faults on, are filled row by row over the part of the surface they cross.
constexpr long long kMaxEllipseRadius = 8192;

// Whether the box of a circle, [centre - r, centre + r) each way, overlaps the clip box.
bool crosses(CPoint center, long long r, const CRect& clip)
{
    return center.x - r < clip.right && center.x + r > clip.left && center.y - r < clip.bottom
        && center.y + r > clip.top;
}

// The part of pixel row y that a disc of radius r covers, as [left, right); empty when none.
std::pair<double, double> discRow(CPoint center, double r, int y)
{
    const double dy = y + 0.5 - center.y;
    if (r <= 0 || std::abs(dy) >= r)
        return {0, 0};
    const double half = std::sqrt(r * r - dy * dy);
    return {center.x - half, center.x + half};
}

void fillRow(CDC& dc, CBrush& brush, const CRect& clip, int y, double left, double right)
{
    const long long from = std::max<long long>(clip.left, std::llround(left));
    const long long to = std::min<long long>(clip.right, std::llround(right));
    if (from < to)
        dc.FillRect(CRect(int(from), y, int(to), y + 1), &brush);
}

// The disc, or its one-pixel rim, on the rows of the clip box.
void drawCircleRows(CDC& dc, CPoint center, double r, const CRect& clip, COLORREF color, bool fill)
{
    CBrush brush;
    brush.CreateSolidBrush(color);
    for (int y = clip.top; y < clip.bottom; ++y) {
        const auto [left, right] = discRow(center, r, y);
        const auto [innerLeft, innerRight] = fill ? std::pair(0.0, 0.0) : discRow(center, r - 1, y);
        if (innerLeft == innerRight) {
            fillRow(dc, brush, clip, y, left, right);
        } else {
            fillRow(dc, brush, clip, y, left, innerLeft);
            fillRow(dc, brush, clip, y, innerRight, right);
        }
    }
}

// A pen half as wide as the farthest any visible pixel lies from the rectangle paints the same
// pixels there as any wider pen, and the platform takes seconds over very wide ones.
int visiblePenWidth(CDC& dc, const CRect& rect, int width)
{
    CRect clip;
    dc.GetClipBox(&clip);
    const auto reach = [](long long lowA, long long highA, long long lowB, long long highB) {
        return std::max(std::llabs(highA - lowB), std::llabs(highB - lowA));
    };
    const long long limit = 2 * (reach(clip.left, clip.right, rect.left, rect.right)
                                 + reach(clip.top, clip.bottom, rect.top, rect.bottom))
                          + 2;
    return width > limit ? int(limit) : width;
}

} // namespace

DC::~DC() = default;

bool DC::_isUsable() const noexcept
{
    return m_pDC != nullptr && m_pDC->GetSafeHdc() != nullptr;
}

// A scratch bitmap filled with the colour, blended onto the surface with constant alpha.
void DC::FillSolidRect(const CRect& rect, COLORREF color, BYTE alpha)
{
    if (!_isUsable())
        return;
    const int width = rect.Width();
    const int height = rect.Height();
    CDC scratch;
    CBitmap bitmap;
    if (!scratch.CreateCompatibleDC(m_pDC) || !bitmap.CreateCompatibleBitmap(m_pDC, width, height))
        return;
    const Selection selected(scratch, bitmap);
    scratch.FillSolidRect(0, 0, width, height, color);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, 0};
    m_pDC->AlphaBlend(rect.left, rect.top, width, height, &scratch, 0, 0, width, height, blend);
}

void DC::drawCircle(CPoint center, COLORREF color, int radius, bool fill)
{
    if (!_isUsable())
        return;
    CRect clip;
    m_pDC->GetClipBox(&clip);
    const long long r = std::llabs(radius);
    if (!crosses(center, r, clip))
        return;
    if (r > kMaxEllipseRadius) {
        drawCircleRows(*m_pDC, center, double(r), clip, color, fill);
        return;
    }
    CPen pen;
    CBrush brush;
    pen.CreatePen(PS_SOLID, 1, color);
    const Selection penSelected(*m_pDC, pen);
    if (fill)
        brush.CreateSolidBrush(color);
    const Selection brushSelected(*m_pDC, fill ? HGDIOBJ(brush) : ::GetStockObject(NULL_BRUSH));
    m_pDC->Ellipse(center.x - radius, center.y - radius, center.x + radius, center.y + radius);
}

void DC::roundRectFill(const CRect& rect, COLORREF lineColor, COLORREF fillColor, const CPoint& corner, int lineWidth)
{
    if (m_pDC == nullptr)
        return;
    CBrush brush;
    brush.CreateSolidBrush(fillColor);
    const Selection brushSelected(*m_pDC, brush);
    roundRectLine(rect, lineColor, corner, lineWidth);
}

void DC::roundRectLine(const CRect& rect, COLORREF lineColor, const CPoint& corner, int lineWidth)
{
    if (m_pDC == nullptr)
        return;
    CPen pen;
    pen.CreatePen(PS_SOLID, visiblePenWidth(*m_pDC, rect, lineWidth), lineColor);
    const Selection penSelected(*m_pDC, pen);
    m_pDC->RoundRect(&rect, corner);
}

void DC::drawOutlineBox(const CRect& rect, COLORREF from, COLORREF to, int count, bool inward)
{
    if (!_isUsable() || count <= 0)
        return;
    // One frame has nothing to grade towards: it takes the `from` colour.
    int steps[3] = {};
    if (count > 1) {
        for (int c = 0; c < 3; ++c)
            steps[c] = (channel(to, kChannelShifts[c]) - channel(from, kChannelShifts[c])) / (count - 1);
    }
    CRect clip;
    m_pDC->GetClipBox(&clip);
    const auto [first, end] = visibleFrames(rect, clip, inward, count);
    const int grow = inward ? -1 : 1;
    for (long long i = first; i < end; ++i) {
        const COLORREF color = gradedColor(from, steps, int(i));
        // Edges beyond the clip box are invisible: they are brought to just outside it, where
        // they cannot overflow.
        const auto x = [&](long long v) { return int(std::clamp<long long>(v, clip.left - 1LL, clip.right + 1LL)); };
        const auto y = [&](long long v) { return int(std::clamp<long long>(v, clip.top - 1LL, clip.bottom + 1LL)); };
        CRect frame(x(rect.left - grow * i), y(rect.top - grow * i), x(rect.right + grow * i), y(rect.bottom + grow * i));
        m_pDC->Draw3dRect(&frame, color, color);
    }
}

void DC::drawImage(Gdiplus::Image* image, CRect box, int stretch)
{
    if (!_isUsable() || image == nullptr || box.IsRectEmpty())
        return;
    const int height = int(image->GetHeight());
    const int width = int(image->GetWidth());
    const CRect destination = _placeInBox(box, CSize(width, height), stretch);
    Gdiplus::Graphics graphics(m_pDC->GetSafeHdc());
    graphics.SetPageUnit(Gdiplus::UnitPixel);
    graphics.DrawImage(image, Gdiplus::Rect(destination.left, destination.top, destination.Width(), destination.Height()),
                       0, 0, width, height, Gdiplus::UnitPixel);
}

void DC::drawImage(ATL::CImage* image, CRect box, int stretch)
{
    if (!_isUsable() || image == nullptr || image->IsNull() || box.IsRectEmpty())
        return;
    const CRect destination = _placeInBox(box, CSize(image->GetWidth(), image->GetHeight()), stretch);
    const int previousMode = m_pDC->GetStretchBltMode();
    m_pDC->SetStretchBltMode(COLORONCOLOR);
    image->Draw(m_pDC->GetSafeHdc(), destination);
    m_pDC->SetStretchBltMode(previousMode);
}

CRect DC::_placeInBox(const CRect& box, CSize size, int stretch) const
{
    CRect placed = calcRectBySize(box, size, stretch);
    placed.OffsetRect(box.left, box.top);
    return placed;
}

CSize DC::calcFixedSize(CSize size, CSize limit, bool keepRatio)
{
    if (size.cx <= limit.cx && size.cy <= limit.cy)
        return size;
    if (!keepRatio)
        return CSize(std::min(size.cx, limit.cx), std::min(size.cy, limit.cy));
    const float scale = std::min(float(limit.cx) / float(size.cx), float(limit.cy) / float(size.cy));
    return CSize(int(scale * float(size.cx)), int(scale * float(size.cy)));
}

CRect DC::calcRectBySize(CRect box, CSize size, int stretch)
{
    const int boxWidth = box.Width();
    const int boxHeight = box.Height();
    if (stretch == 0 && boxWidth > size.cx && boxHeight > size.cy) {
        const CPoint topLeft((boxWidth - size.cx) / 2, (boxHeight - size.cy) / 2);
        return CRect(topLeft, size);
    }
    const float ratio = float(size.cy) / float(size.cx);
    if (ratio > float(boxHeight) / float(boxWidth)) {
        const int width = truncated(float(boxHeight) / ratio);
        return CRect(CPoint((boxWidth - width) / 2, 0), CSize(width, boxHeight));
    }
    const int height = truncated(float(boxWidth) * ratio);
    return CRect(CPoint(0, (boxHeight - height) / 2), CSize(boxWidth, height));
}

// The input comes back unchanged when there is no surface to ask for its resolution.
int DC::_pixel2Point(int pixels, int index) const
{
    if (!_isUsable())
        return pixels;
    return truncated(float(pixels) * kPointsPerInch / float(m_pDC->GetDeviceCaps(index)));
}

int DC::_point2Pixel(int points, int index) const
{
    if (!_isUsable())
        return points;
    return truncated(float(m_pDC->GetDeviceCaps(index) * points) / kPointsPerInch);
}

CSize DC::pixel2Point(CSize pixels) const
{
    return CSize(pixel2PointX(pixels.cx), pixel2PointY(pixels.cy));
}

int DC::pixel2PointX(int pixels) const
{
    return _pixel2Point(pixels, LOGPIXELSX);
}

int DC::pixel2PointY(int pixels) const
{
    return _pixel2Point(pixels, LOGPIXELSY);
}

CSize DC::point2Pixel(CSize points) const
{
    return CSize(point2PixelX(points.cx), point2PixelY(points.cy));
}

int DC::point2PixelX(int points) const
{
    return _point2Pixel(points, LOGPIXELSX);
}

int DC::point2PixelY(int points) const
{
    return _point2Pixel(points, LOGPIXELSY);
}

} // namespace qv::gui
