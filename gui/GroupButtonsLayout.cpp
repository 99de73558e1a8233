#include <qv.win/GroupButtons.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace qv::gui {

namespace {

// GDI coordinates hold 27 bits; margins and positions are kept within them so that the layout's
// sums cannot overflow.
constexpr INT64 kMaxCoordinate = INT64(1) << 27;

int toCoordinate(INT64 value)
{
    return int(std::clamp(value, -kMaxCoordinate, kMaxCoordinate));
}

CRect clampedMargin(const CRect& margin)
{
    return CRect(toCoordinate(margin.left), toCoordinate(margin.top), toCoordinate(margin.right),
                 toCoordinate(margin.bottom));
}

CRect deflated(const CRect& rect, const CRect& margin)
{
    return CRect(toCoordinate(INT64(rect.left) + margin.left), toCoordinate(INT64(rect.top) + margin.top),
                 toCoordinate(INT64(rect.right) - margin.right), toCoordinate(INT64(rect.bottom) - margin.bottom));
}

bool intersects(const CRect& a, const CRect& b)
{
    CRect common;
    return common.IntersectRect(&a, &b) != FALSE;
}

} // namespace

void GroupButtons::setMargin(CRect margin)
{
    m_margin = clampedMargin(margin);
    recalcLayout();
}

CRect GroupButtons::getMargin() const
{
    return m_margin;
}

void GroupButtons::setButtonMargin(CRect margin)
{
    m_buttonMargin = clampedMargin(margin);
    recalcLayout();
}

CRect GroupButtons::getButtonMargin() const
{
    return m_buttonMargin;
}

// The marker band takes the height of a ringed marker at the top or bottom of the client; one
// pixel row between it and the buttons belongs to neither.
void GroupButtons::recalcLayout()
{
    CRect window(0, 0, 0, 0);
    if (GetSafeHwnd() != nullptr)
        GetClientRect(&window);
    m_client = deflated(window, m_margin);
    const int band = m_visibleMarker ? std::max(m_markerLineHalfHeight, 2 * (m_markerInnerRadius + m_markerRing)) +
                                           m_markerMargin.top + m_markerMargin.bottom
                                     : 0;
    switch (m_markerPos) {
    case Bottom:
        m_markerBand = m_client;
        m_markerBand.top = m_client.bottom - band;
        m_buttonArea = m_client;
        m_buttonArea.bottom = m_client.bottom - band - 1;
        break;
    case Top:
        m_markerBand = m_client;
        m_markerBand.bottom = m_client.top + band;
        m_buttonArea = m_client;
        m_buttonArea.top = m_client.top + band + 1;
        break;
    default:
        m_markerBand.SetRectEmpty();
        break;
    }
    _layoutRow();
    _clearCache();
}

// The cells share their border columns and fill the button area's width; what the integer
// division leaves over is split on both sides.
void GroupButtons::_layoutRow()
{
    const INT64 count = getCount();
    if (count < 1)
        return;
    const INT64 width = m_buttonArea.Width();
    const INT64 margins = (INT64(m_buttonMargin.left) + m_buttonMargin.right) * count;
    const INT64 borders = (count + 1) * m_border;
    const INT64 buttonWidth = (width - margins - borders) / count;
    m_buttonWidth = toCoordinate(buttonWidth);
    m_buttonHeight = m_buttonArea.Height();
    m_offset = toCoordinate((width - count * buttonWidth - margins - borders) / 2);
}

bool GroupButtons::_hasLayout() const
{
    return m_client.Width() > 0 && m_client.Height() > 0 && !m_imageLists.empty();
}

CRect GroupButtons::getButtonRect(INT64 button) const
{
    if (!_hasLayout() || !_isButton(button))
        return CRect(0, 0, 0, 0);
    const INT64 pitch = INT64(m_buttonWidth) + m_buttonMargin.left + m_buttonMargin.right;
    const INT64 left = m_buttonArea.left + INT64(m_offset) + button * (pitch + m_border);
    return CRect(toCoordinate(left), m_buttonArea.top, toCoordinate(left + pitch + 2 * m_border),
                 m_buttonArea.top + m_buttonHeight);
}

CRect GroupButtons::getItemRect(INT64 button, RectType type) const
{
    if (type == Marker)
        return getMarkerRect(button);
    CRect rect = getButtonRect(button);
    if (rect.IsRectNull() || type == Button)
        return rect;
    if (type != Inside && type != Image)
        return CRect(0, 0, 0, 0);
    rect.DeflateRect(m_border, m_border);
    return type == Image ? deflated(rect, m_buttonMargin) : rect;
}

CRect GroupButtons::getMarkerRect(INT64 button) const
{
    const CRect cell = getButtonRect(button);
    if (cell.IsRectNull())
        return cell;
    const CPoint center((cell.left + cell.right) / 2, _markerCenterY());
    const int reach = m_markerInnerRadius + m_markerRing;
    return CRect(center.x - reach, center.y - reach, center.x + reach, center.y + reach);
}

int GroupButtons::_markerCenterY() const
{
    return (m_markerBand.top + m_markerMargin.top + m_markerBand.bottom - m_markerMargin.bottom) / 2;
}

// (0, 0) when the button has no marker.
CPoint GroupButtons::_markerCenter(INT64 button) const
{
    return getMarkerRect(button).CenterPoint();
}

// Cells and markers are scanned from the left until one lies outside the client: the scan costs
// what is visible. On a shared border column the lower index wins.
GroupButtons::hitData GroupButtons::hitTest(CPoint point) const
{
    hitData hit{-1, kButtonArea};
    if (isEmpty())
        return hit;
    RectType scanned = Button;
    if (m_buttonArea.PtInRect(point)) {
        scanned = Button;
    } else if (m_editMarker && m_markerBand.PtInRect(point)) {
        scanned = Marker;
        hit.area = kMarkerArea;
    } else {
        return hit;
    }
    for (INT64 button = 0; button < getCount(); ++button) {
        const CRect rect = getItemRect(button, scanned);
        if (!intersects(rect, m_client))
            break;
        if (rect.PtInRect(point)) {
            hit.index = button;
            break;
        }
    }
    return hit;
}

// The nearest centre wins; on equal distance the lower index.
INT64 GroupButtons::_snapMarker(CPoint point, int radius) const
{
    if (isEmpty() || !m_editMarker)
        return -1;
    if (radius < 0)
        radius = std::max(m_markerLineHalfHeight, m_markerInnerRadius + m_markerRing);
    radius = toCoordinate(radius);
    const CRect reach(toCoordinate(INT64(point.x) - radius), toCoordinate(INT64(point.y) - radius),
                      toCoordinate(INT64(point.x) + radius), toCoordinate(INT64(point.y) + radius));
    INT64 nearest = -1;
    double nearestDistance = std::numeric_limits<double>::infinity();
    for (INT64 button = 0; button < getCount(); ++button) {
        const CRect marker = getMarkerRect(button);
        if (button == m_dragMarker || !intersects(marker, reach))
            continue;
        const CPoint center = marker.CenterPoint();
        const double distance = std::hypot(double(center.x) - point.x, double(center.y) - point.y);
        if (distance < nearestDistance) {
            nearest = button;
            nearestDistance = distance;
        }
    }
    return nearest;
}

} // namespace qv::gui
