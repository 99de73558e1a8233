#pragma once

#include "core/qv.Math.h"
#include "core/qv.Rect.h"
#include "core/qv.Size.h"
#include "core/qv.Vector.h"

#include <algorithm>
#include <cmath>
#include <type_traits>
#include <utility>

namespace qv {

// Maps a rectangle of content onto a viewport of pixels and tracks the visible part.
//
// Three spaces: content coordinates (the user's units), relative coordinates (0..1
// across the content volume, (0, 0) at its left/top corner) and viewport pixels
// (top is the smaller y). The box is the visible part in relative coordinates; every
// zoom and pan goes through setBox, which clamps the zoom to [min, max] (the minimum
// wins when the limits cross). After each change of an input the derived rectangles
// are recomputed and the hooks fire in a fixed order: bound content volume, bound view
// volume, then the input's own hook, each with the previous value first. The bound
// view volume hook stays silent while the viewport is smaller than 1x1 pixel.
//
// Degenerate sizes are accepted: zero-sized content or boxes give infinite or NaN
// derived data, never an exception; the zoom factor itself always stays clamped.
// No conversion applies inverseVertical; only translate, zoomAtRect(int...) and
// zoomAtViewportPoint, which take window pixels, do.
template <typename T, typename P>
class zoombox {
    static_assert(std::is_floating_point_v<T> && std::is_integral_v<P>);

public:
    using rect_type = rect<T>;
    using vector_type = basic_vector<2, T>;
    using pixel_size = size<P>;
    using content_size = size<T>;

    enum Stretch : int {
        None = 0,    // one content unit per pixel at zoom 1, content centred
        Fill = 1,    // each axis fills the viewport on its own; aspect not kept
        Uniform = 2, // one scale that fits the box, centred; aspect kept
    };

    // The space of a rectangle returned by box, content and viewport.
    enum Unit : int {
        Viewport = 0,
        Relative = 1,
        Content = 2,
    };

    // Construction

    zoombox() = default;

    // Attributes

    const pixel_size& viewportSize() const { return m_viewportSize; }
    const rect_type& contentVolume() const { return m_contentVolume; }
    const rect_type& boundBox() const { return m_boundBox; }
    const rect_type& boundViewVolume() const { return m_boundViewVolume; }
    const rect_type& boundContentVolume() const { return m_boundContentVolume; }
    const vector_type& centerPosition() const { return m_centerPosition; }
    const T& zoomFactor() const { return m_zoomFactor; }
    const T& zoomFactorMin() const { return m_zoomFactorMin; }
    const T& zoomFactorMax() const { return m_zoomFactorMax; }
    Stretch stretch() const { return m_stretch; }
    bool inverseVertical() const { return m_inverseVertical; }
    content_size contentSize() const { return {m_contentVolume.width(), m_contentVolume.height()}; }

    void setViewportSize(P cx, P cy) { setViewportSize(pixel_size{cx, cy}); }
    void setViewportSize(pixel_size newSize)
    {
        _setInput(m_viewportSize, newSize, &zoombox::onChangedScreenSize);
    }

    void setContentVolume(T left, T top, T right, T bottom)
    {
        setContentVolume(rect_type{left, top, right, bottom});
    }
    void setContentVolume(rect_type newVolume)
    {
        _setInput(m_contentVolume, newVolume, &zoombox::onChangedContentVolume);
    }

    void setContentSize(T cx, T cy) { setContentVolume(0, 0, cx, cy); }
    void setContentSize(content_size newSize) { setContentSize(newSize.cx, newSize.cy); }

    void setBox(T left, T top, T right, T bottom) { setBox(rect_type{left, top, right, bottom}); }
    void setBox(rect_type newBox)
    {
        if (newBox == m_box)
            return;
        const T requested = calcZoomFactorFromBox(newBox);
        const T zoom = _clampZoom(requested);
        // A request above the maximum counts as clamped even when crossed limits give it back.
        if (zoom != requested || !(requested <= m_zoomFactorMax)) {
            if (zoom == m_zoomFactor)
                return;
            newBox = _squareFrom(_centre(newBox), 1 / zoom);
        }
        m_zoomFactor = zoom;
        m_centerPosition = _centre(newBox);
        const rect_type oldBox = std::exchange(m_box, newBox);
        updateBoundData();
        onChangedBox(oldBox, newBox);
    }

    // The stored centre is taken as given; setBox then derives it again from the box.
    void setCenterPosition(vector_type newCentre)
    {
        if (newCentre == m_centerPosition)
            return;
        const vector_type oldCentre = std::exchange(m_centerPosition, newCentre);
        setBox(_shifted(m_box, newCentre - oldCentre));
    }

    void setZoomFactor(T zoom)
    {
        if (zoom == m_zoomFactor)
            return;
        _setSquareBox(_clampZoom(zoom));
    }

    // A limit that is not a finite positive number is ignored: the clamp keeps the zoom finite.
    void setZoomFactorMax(T zoom)
    {
        if (!_isZoomLimit(zoom))
            return;
        m_zoomFactorMax = zoom;
        if (m_zoomFactor > zoom)
            _setSquareBox(zoom);
    }

    void setZoomFactorMin(T zoom)
    {
        if (!_isZoomLimit(zoom))
            return;
        m_zoomFactorMin = zoom;
        if (zoom > m_zoomFactor)
            _setSquareBox(zoom);
    }

    // Stored only: the derived data follows the next change of an input.
    void setStretch(Stretch stretch) { m_stretch = stretch; }
    void setInverseVertical(bool inverse) { m_inverseVertical = inverse; }

    // Conversions (the rectangle overloads convert left/top and right/bottom as two points)

    vector_type fromContent(vector_type p) const { return fromContent(p, m_contentVolume); }
    rect_type fromContent(rect_type r) const { return fromContent(r, m_contentVolume); }
    vector_type fromContent(vector_type p, rect_type frame) const
    {
        return {(p.x - frame.left) / frame.width(), (p.y - frame.top) / frame.height()};
    }
    rect_type fromContent(rect_type r, rect_type frame) const
    {
        return _corners(r, [&](vector_type p) { return fromContent(p, frame); });
    }

    vector_type toContent(vector_type p) const { return toRect(p, m_contentVolume); }
    rect_type toContent(rect_type r) const { return toRect(r, m_contentVolume); }
    vector_type toContent(vector_type p, rect_type frame) const { return toRect(p, frame); }
    rect_type toContent(rect_type r, rect_type frame) const { return toRect(r, frame); }
    vector_type toRect(vector_type p, rect_type frame) const
    {
        return {frame.left + frame.width() * p.x, frame.top + frame.height() * p.y};
    }
    rect_type toRect(rect_type r, rect_type frame) const
    {
        return _corners(r, [&](vector_type p) { return toRect(p, frame); });
    }

    vector_type fromViewport(vector_type p) const { return fromContent(p, m_boundContentVolume); }
    rect_type fromViewport(rect_type r) const { return fromContent(r, m_boundContentVolume); }
    vector_type toViewport(vector_type p) const { return toRect(p, m_boundContentVolume); }
    rect_type toViewport(rect_type r) const { return toRect(r, m_boundContentVolume); }

    vector_type contentToViewport(vector_type p) const { return toViewport(fromContent(p)); }
    rect_type contentToViewport(rect_type r) const { return toViewport(fromContent(r)); }
    vector_type viewportToContent(vector_type p) const { return toContent(fromViewport(p)); }
    rect_type viewportToContent(rect_type r) const { return toContent(fromViewport(r)); }

    // Absolute: a square of side 1/zoom; otherwise the current box scaled by zoomFactor/zoom.
    rect_type calcBox(vector_type centre, T zoom, bool absolute) const
    {
        return _centred(centre, _zoomedSize(zoom, absolute));
    }
    rect_type calcContentBound(rect_type area, rect_type relative) const { return toContent(relative, area); }
    T calcZoomFactorFromBox(rect_type b) const
    {
        return (1 / (b.right - b.left) + 1 / (b.bottom - b.top)) * T(0.5);
    }

    // Rectangles by unit; each throws the C string "Unknown unit" for any other value.

    rect_type box(Unit unit) const
    {
        return _byUnit(
            unit, [&] { return toViewport(m_box); }, [&] { return m_box; }, [&] { return toContent(m_box); });
    }

    rect_type content(Unit unit) const
    {
        return _byUnit(
            unit, [&] { return m_boundContentVolume; }, [&] { return fromContent(m_contentVolume); },
            [&] { return m_contentVolume; });
    }

    rect_type viewport(Unit unit) const
    {
        return _byUnit(
            unit, [&] { return _viewportRect(); }, [&] { return fromViewport(_viewportRect()); },
            [&] { return toContent(fromViewport(_viewportRect())); });
    }

    // Operations: navigation, each ending in setBox or setCenterPosition

    // Window pixels: dy runs the other way when inverseVertical is set.
    void translate(P dx, P dy)
    {
        const P y = m_inverseVertical ? -dy : dy;
        translateRelative(static_cast<T>(dx) / m_boundContentVolume.width(),
                          static_cast<T>(y) / m_boundContentVolume.height());
    }

    // As the conversion of the point (x, y), not of a distance: an offset content
    // volume shifts the centre by its own origin too.
    void translateContent(T x, T y) { setCenterPosition(m_centerPosition + fromContent(vector_type{x, y})); }

    void translateRelative(T dx, T dy) { setCenterPosition(m_centerPosition + vector_type{dx, dy}); }

    // Brings the content under pixel p to the centre of the box.
    void translateToCenter(vector_type p) { translateToRelativeCenter(fromViewport(p)); }
    void translateToRelativeCenter(vector_type p) { setBox(_shifted(m_box, p - m_centerPosition)); }

    // A rectangle in window pixels, as a mouse drag delivers it.
    void zoomAtRect(P left, P top, P right, P bottom)
    {
        if (m_inverseVertical)
            zoomAtRect(_pixelRect(left, _flipY(bottom), right, _flipY(top)));
        else
            zoomAtRect(_pixelRect(left, top, right, bottom));
    }

    // r in viewport pixels, either corner first. A rectangle of almost no area is ignored.
    void zoomAtRect(rect_type r)
    {
        const T area = r.height() * r.width();
        if (area > 0 && area < math<T>::epsilon())
            return;
        r = _normalized(r);
        const vector_type extent = _viewportExtent();
        const T zoom = (std::min)(extent.x / r.width(), extent.y / r.height()) * m_zoomFactor;
        setBox(_centred(_centre(fromViewport(r)), _square(1 / zoom)));
    }

    void zoomAtRelativeRect(rect_type r) { zoomAtRect(toViewport(r)); }

    // Zooms to the absolute factor zoom, keeping the content under window pixel (x, y) there.
    void zoomAtViewportPoint(T zoom, P x, P y)
    {
        const vector_type extent = _viewportExtent();
        const vector_type boxPixels{m_pixelScale.x / m_zoomFactor * m_contentVolume.width(),
                                    m_pixelScale.y / m_zoomFactor * m_contentVolume.height()};
        const vector_type origin{(extent.x - boxPixels.x) * T(0.5), (extent.y - boxPixels.y) * T(0.5)};
        const T windowY = static_cast<T>(m_inverseVertical ? _flipY(y) : y);
        const vector_type fraction{(static_cast<T>(x) - origin.x) / boxPixels.x,
                                   (windowY - origin.y) / boxPixels.y};
        zoomAtBoxPosition(zoom, fraction, true);
    }

    // The point at fraction p of the box stays at fraction p.
    void zoomAtBoxPosition(T zoom, vector_type p, bool absolute)
    {
        const vector_type zoomed = _zoomedSize(zoom, absolute);
        const T left = m_box.left + (m_box.width() - zoomed.x) * p.x;
        const T top = m_box.top + (m_box.height() - zoomed.y) * p.y;
        setBox(left, top, left + zoomed.x, top + zoomed.y);
    }

protected:
    // Overridables: each receives the previous value first and the new value second.

    virtual void onChangedScreenSize(pixel_size /*oldSize*/, pixel_size /*newSize*/) {}
    virtual void onChangedBox(rect_type /*oldBox*/, rect_type /*newBox*/) {}
    virtual void onChangedContentVolume(rect_type /*oldVolume*/, rect_type /*newVolume*/) {}
    virtual void onChangedBoundContentVolume(rect_type /*oldVolume*/, rect_type /*newVolume*/) {}
    virtual void onChangedBoundViewVolume(rect_type /*oldVolume*/, rect_type /*newVolume*/) {}

    // Steps of the derived-data update. An unknown stretch value leaves everything as it was.
    void updateBoundData()
    {
        Fit fit;
        if (!_fit(fit))
            return;
        m_pixelScale = fit.scale;
        const T left = fit.margin.x - fit.pixels.x * m_box.left;
        const T top = fit.margin.y - fit.pixels.y * m_box.top;
        updateBoundContentVolume({left, top, left + fit.pixels.x, top + fit.pixels.y});
        updateBoundViewVolume(toContent(m_boundBox));
    }

    // The bound box follows only a real viewport and a non-empty volume; the hook fires anyway.
    void updateBoundContentVolume(rect_type volume)
    {
        if (volume == m_boundContentVolume)
            return;
        const rect_type oldVolume = std::exchange(m_boundContentVolume, volume);
        if (_hasViewport() && volume.width() > 0 && volume.height() > 0)
            m_boundBox = _viewportInRelative(volume);
        onChangedBoundContentVolume(oldVolume, volume);
    }

    void updateBoundViewVolume(rect_type volume)
    {
        if (volume == m_boundViewVolume)
            return;
        const rect_type oldVolume = std::exchange(m_boundViewVolume, volume);
        if (_hasViewport())
            onChangedBoundViewVolume(oldVolume, volume);
    }

private:
    // Stores a changed input, refreshes the derived data, then reports the input's own change.
    template <typename Value>
    void _setInput(Value& field, Value value, void (zoombox::*onChanged)(Value, Value))
    {
        if (value == field)
            return;
        const Value oldValue = std::exchange(field, value);
        updateBoundData();
        (this->*onChanged)(oldValue, value);
    }

    // Pixels per content unit, the content's size in pixels and the margin that places
    // the box, by stretch mode.
    struct Fit {
        vector_type scale;
        vector_type pixels;
        vector_type margin;
    };

    bool _fit(Fit& fit) const
    {
        const vector_type extent = _viewportExtent();
        const content_size content = contentSize();
        const T boxWidth = m_box.width();
        const T boxHeight = m_box.height();
        const T fillX = extent.x / (content.cx * boxWidth);
        const T fillY = extent.y / (content.cy * boxHeight);
        switch (m_stretch) {
        case None:
            fit = {{1 / boxWidth, 1 / boxHeight},
                   {content.cx / boxWidth, content.cy / boxHeight},
                   {(extent.x - content.cx) * T(0.5), (extent.y - content.cy) * T(0.5)}};
            return true;
        case Fill:
            fit = {{fillX, fillY}, {fillX * content.cx, fillY * content.cy}, {0, 0}};
            return true;
        case Uniform: {
            const T common = (std::min)(fillX, fillY);
            fit = {{common, common},
                   {common * content.cx, common * content.cy},
                   {(extent.x - common * content.cx * boxWidth) * T(0.5),
                    (extent.y - common * content.cy * boxHeight) * T(0.5)}};
            return true;
        }
        }
        return false;
    }

    // The whole viewport in relative coordinates, given the content volume in pixels.
    rect_type _viewportInRelative(rect_type volume) const
    {
        const vector_type extent = _viewportExtent();
        const T left = volume.left / volume.width();
        const T top = volume.top / volume.height();
        return {-left, -top, extent.x / volume.width() - left, extent.y / volume.height() - top};
    }

    static bool _isZoomLimit(T zoom) { return std::isfinite(zoom) && zoom > 0; }

    // clamp(z) = max(min, min(z, max)); a NaN request counts as above the maximum.
    T _clampZoom(T zoom) const
    {
        const T capped = zoom < m_zoomFactorMax ? zoom : m_zoomFactorMax;
        return m_zoomFactorMin > capped ? m_zoomFactorMin : capped;
    }

    void _setSquareBox(T zoom) { setBox(calcBox(m_centerPosition, zoom, true)); }

    vector_type _zoomedSize(T zoom, bool absolute) const
    {
        if (absolute)
            return _square(1 / zoom);
        const T scale = m_zoomFactor / zoom;
        return {m_box.width() * scale, m_box.height() * scale};
    }

    template <typename InViewport, typename InRelative, typename InContent>
    static rect_type _byUnit(Unit unit, InViewport inViewport, InRelative inRelative, InContent inContent)
    {
        switch (unit) {
        case Viewport:
            return inViewport();
        case Relative:
            return inRelative();
        case Content:
            return inContent();
        }
        throw "Unknown unit";
    }

    template <typename Convert>
    static rect_type _corners(rect_type r, Convert convert)
    {
        const vector_type leftTop = convert(vector_type{r.left, r.top});
        const vector_type rightBottom = convert(vector_type{r.right, r.bottom});
        return {leftTop.x, leftTop.y, rightBottom.x, rightBottom.y};
    }

    static vector_type _square(T side) { return {side, side}; }

    static vector_type _centre(rect_type r)
    {
        return {(r.left + r.right) * T(0.5), (r.top + r.bottom) * T(0.5)};
    }

    static rect_type _centred(vector_type centre, vector_type extent)
    {
        const vector_type half{T(0.5) * extent.x, T(0.5) * extent.y};
        return {centre.x - half.x, centre.y - half.y, centre.x + half.x, centre.y + half.y};
    }

    // The square that replaces a clamped box: right and bottom follow from left and top.
    static rect_type _squareFrom(vector_type centre, T side)
    {
        const T left = centre.x - T(0.5) * side;
        const T top = centre.y - T(0.5) * side;
        return {left, top, left + side, top + side};
    }

    static rect_type _shifted(rect_type r, vector_type d)
    {
        return {r.left + d.x, r.top + d.y, r.right + d.x, r.bottom + d.y};
    }

    static rect_type _normalized(rect_type r)
    {
        if (r.top > r.bottom)
            std::swap(r.top, r.bottom);
        if (r.left > r.right)
            std::swap(r.left, r.right);
        return r;
    }

    static rect_type _pixelRect(P left, P top, P right, P bottom)
    {
        return {static_cast<T>(left), static_cast<T>(top), static_cast<T>(right), static_cast<T>(bottom)};
    }

    P _flipY(P y) const { return m_viewportSize.cy - y; }
    bool _hasViewport() const { return m_viewportSize.cx >= 1 && m_viewportSize.cy >= 1; }
    vector_type _viewportExtent() const
    {
        return {static_cast<T>(m_viewportSize.cx), static_cast<T>(m_viewportSize.cy)};
    }
    rect_type _viewportRect() const { return _pixelRect(0, 0, m_viewportSize.cx, m_viewportSize.cy); }

    pixel_size m_viewportSize;
    rect_type m_contentVolume;
    rect_type m_box{0, 0, 1, 1};
    rect_type m_boundBox;
    rect_type m_boundViewVolume;
    Stretch m_stretch = Uniform;
    vector_type m_pixelScale{0, 0};
    rect_type m_boundContentVolume;
    vector_type m_centerPosition{T(0.5), T(0.5)};
    T m_zoomFactor = 1;
    T m_zoomFactorMin = T(0.01);
    T m_zoomFactorMax = 100;
    bool m_inverseVertical = false;
};

namespace gl {
using qv::zoombox;
} // namespace gl

} // namespace qv
