#include "GroupButtonsMap.h"

#include <qv.win/DC.h>
#include <qv.win/MemDC.h>

#include <algorithm>

namespace qv::gui {

namespace {

constexpr int kFaceLineWidth = 1;
constexpr int kDragLineHalfHeight = 1;

} // namespace

// The whole client goes to a memory surface and reaches the target in one transfer: groups'
// marker lines and faces first, so that each button's face, image and marker lie over them.
void GroupButtons::_paint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    MemDC memDC(pDC, &client);
    memDC.SetBkMode(TRANSPARENT);
    memDC.FillSolidRect(&client, m_colors[kBackground]);
    if (m_visibleMarker) {
        for (const auto& group : m_groups)
            _drawMarkerLine(memDC, group.get());
        if (m_dragMarker != -1) {
            const COLORREF color = m_colors[m_hotMarker != -1 ? kSelectMarker : kFocusMarker];
            _drawMarkerLine(memDC, _markerCenter(m_dragMarker).x, m_lastMouse.x, kDragLineHalfHeight, color);
        }
    }
    for (const auto& group : m_groups)
        _drawGroupButton(memDC, group.get());
    _drawButtons(memDC);
    _drawFocusButton(memDC);
}

// Each paint notification may end with the parent having destroyed the window.
void GroupButtons::_drawButtons(CDC* pDC)
{
    if (m_buttonWidth < 1 || m_buttonHeight < 1)
        return;
    const HWND window = m_hWnd;
    for (INT64 button = 0; button < getCount() && ::IsWindow(window); ++button) {
        if (_sendDrawNotify(GBN_PREDRAWBUTTON, pDC, button, getButtonRect(button)) != 0)
            continue;
        _drawButtton(pDC, button);
        const CRect image = getItemRect(button, Image);
        _sendDrawNotify(GBN_PREDRAWIMAGE, pDC, button, image);
        if (_sendDrawNotify(GBN_DRAWIMAGE, pDC, button, image) == 0)
            drawImage(pDC, button, image);
        _sendDrawNotify(GBN_POSTDRAWBUTTON, pDC, button, getItemRect(button, Inside));
        if (m_visibleMarker)
            _drawMarker(pDC, button);
    }
}

// A group is one face from its first cell to its last.
void GroupButtons::_drawGroupButton(CDC* pDC, groupData* group)
{
    CRect first, last;
    if (!_groupCells(group, first, last))
        return;
    CRect face;
    face.UnionRect(&first, &last);
    const bool hovered = m_focusItem >= group->first && m_focusItem <= group->last;
    _drawFace(pDC, face, hovered, _isSelectedButton(group->first));
}

void GroupButtons::_drawButtton(CDC* pDC, INT64 button)
{
    if (getGroupFromButtonIndex(button) == nullptr)
        _drawFace(pDC, getButtonRect(button), button == m_focusItem, _isSelectedButton(button));
}

// Hovered or selected faces are rounded and outlined; a plain face fills the inside of the cell.
void GroupButtons::_drawFace(CDC* pDC, CRect cell, bool hovered, bool selected)
{
    const int shrink = (m_border - 1) / 2;
    if (!hovered && !selected) {
        cell.DeflateRect(shrink + m_border, shrink + m_border);
        pDC->FillSolidRect(&cell, m_colors[kNormal]);
        return;
    }
    cell.DeflateRect(shrink, shrink);
    const CPoint corners(m_roundCorners.cx, m_roundCorners.cy);
    DC(pDC).roundRectFill(cell, m_colors[kOutline], _stateColor(hovered, selected), corners, kFaceLineWidth);
}

// A group that reaches past the last button ends with it.
bool GroupButtons::_groupCells(const groupData* group, CRect& first, CRect& last) const
{
    first = getButtonRect(group->first);
    last = getButtonRect(std::min(group->last, getCount() - 1));
    return !first.IsRectNull() && !last.IsRectNull();
}

COLORREF GroupButtons::_stateColor(bool hovered, bool selected) const
{
    if (hovered)
        return m_colors[selected ? kFocusSelect : kFocus];
    return m_colors[selected ? kSelect : kNormal];
}

// The image goes onto a bitmap of the face colour first, which is then keyed out, so that the
// image list's own transparency survives the fitting into rect.
void GroupButtons::drawImage(CDC* pDC, INT64 button, CRect rect)
{
    const INT64 listIndex = getImageIndex(button);
    CImageList* imageList = getImageList(listIndex == -1 ? 0 : listIndex);
    IMAGEINFO info{};
    if (pDC == nullptr || rect.IsRectEmpty() || imageList == nullptr || !_isButton(button) ||
        !imageList->GetImageInfo(int(button), &info))
        return;
    const CSize size = CRect(info.rcImage).Size();
    const COLORREF key = _stateColor(_isFocusedButton(button), _isSelectedButton(button));
    CDC scratch;
    CBitmap bitmap;
    if (!scratch.CreateCompatibleDC(pDC) || !bitmap.CreateCompatibleBitmap(pDC, size.cx, size.cy))
        return;
    CBitmap* previous = scratch.SelectObject(&bitmap);
    scratch.FillSolidRect(0, 0, size.cx, size.cy, key);
    imageList->Draw(&scratch, int(button), CPoint(0, 0), ILD_TRANSPARENT);
    CRect fitted = DC::calcRectBySize(rect, size, 0);
    fitted.OffsetRect(rect.TopLeft());
    const int previousMode = pDC->SetStretchBltMode(COLORONCOLOR);
    pDC->TransparentBlt(fitted.left, fitted.top, fitted.Width(), fitted.Height(), &scratch, 0, 0, size.cx, size.cy,
                        key);
    pDC->SetStretchBltMode(previousMode);
    scratch.SelectObject(previous);
}

// The ring shows the dragged marker or the one under the mouse; the inside, whether the button
// is selected or shares a group with the current selection.
void GroupButtons::_drawMarker(CDC* pDC, INT64 button)
{
    CRect square = getMarkerRect(button);
    if (square.IsRectNull())
        return;
    if (button == m_dragMarker)
        pDC->FillSolidRect(&square, m_colors[kFocusMarker]);
    else if (button == m_hotMarker)
        pDC->FillSolidRect(&square, m_colors[kSelectMarker]);
    square.DeflateRect(m_markerRing, m_markerRing);
    const groupData* group = getGroupFromButtonIndex(button);
    const bool clicked = isSelected(button) || (group != nullptr && group == getGroupFromButtonIndex(m_curSel));
    pDC->FillSolidRect(&square, m_colors[clicked ? kClickMarker : kNormalMarker]);
}

void GroupButtons::_drawFocusButton(CDC*) {}

void GroupButtons::_drawMarkerLine(CDC* pDC, int x1, int x2, int halfHeight, COLORREF color)
{
    const int centerY = _markerCenterY();
    CRect line(x1, centerY - halfHeight, x2, centerY + halfHeight);
    line.NormalizeRect();
    pDC->FillSolidRect(&line, color);
}

void GroupButtons::_drawMarkerLine(CDC* pDC, groupData* group)
{
    CRect first, last;
    if (!_groupCells(group, first, last))
        return;
    _drawMarkerLine(pDC, first.CenterPoint().x, last.CenterPoint().x, m_markerLineHalfHeight, m_colors[kMarkerLine]);
}

COLORREF GroupButtons::_alphaPixel(COLORREF color, float a)
{
    const float keep = 1.0f - a;
    const auto scaled = [keep](BYTE channel) {
        const float value = float(channel) * keep;
        return BYTE(_checkValue(value >= 0.0f ? int(std::min(value, 255.0f)) : 0));
    };
    return RGB(scaled(GetRValue(color)), scaled(GetGValue(color)), scaled(GetBValue(color)));
}

int GroupButtons::_checkValue(int value)
{
    return std::clamp(value, 0, 255);
}

} // namespace qv::gui
