#include "GroupButtonsPage.h"

#include "ImageStrip.h"
#include "PageReport.h"
#include "Tour.h"

#include <qvtest/Input.h>

#include <iterator>

namespace demo {

namespace {

constexpr UINT kStripId = 1;
constexpr int kImageSize = 32;
constexpr int kImageCount = 8;
constexpr COLORREF kMask = RGB(255, 0, 255);
constexpr COLORREF kNumberColor = RGB(120, 120, 140);
constexpr int kMargin = 16;
constexpr int kStripHeight = 72;
constexpr int kButtonPadding = 6;
constexpr int kReportHeight = 80;

// Each image is one polygon in a 32 x 32 cell, in its own colour.
struct Shape {
    COLORREF color;
    int count;
    POINT points[12];
};

const Shape kShapes[kImageCount] = {
    {RGB(210, 40, 40), 4, {{4, 4}, {28, 4}, {28, 28}, {4, 28}}},
    {RGB(40, 150, 60), 3, {{16, 3}, {29, 28}, {3, 28}}},
    {RGB(40, 90, 200), 4, {{16, 2}, {30, 16}, {16, 30}, {2, 16}}},
    {RGB(230, 150, 20), 6, {{9, 3}, {23, 3}, {30, 16}, {23, 29}, {9, 29}, {2, 16}}},
    {RGB(140, 60, 180), 10, {{16, 2}, {20, 12}, {30, 12}, {22, 19}, {25, 30}, {16, 23}, {7, 30}, {10, 19}, {2, 12}, {12, 12}}},
    {RGB(20, 150, 150), 7, {{2, 12}, {18, 12}, {18, 4}, {30, 16}, {18, 28}, {18, 20}, {2, 20}}},
    {RGB(120, 80, 40), 12,
     {{11, 2}, {21, 2}, {21, 11}, {30, 11}, {30, 21}, {21, 21}, {21, 30}, {11, 30}, {11, 21}, {2, 21}, {2, 11}, {11, 11}}},
    {RGB(200, 170, 0), 5, {{16, 2}, {30, 13}, {25, 30}, {7, 30}, {2, 13}}},
};

CString buttonText(INT64 button)
{
    CString text;
    if (button == -1)
        text = L"no button";
    else
        text.Format(L"button %lld", button);
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(GroupButtonsPage, CWnd)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_NOTIFY(NM_CLICK, kStripId, OnStripClick)
    ON_NOTIFY(NM_RCLICK, kStripId, OnStripRightClick)
    ON_NOTIFY(qv::gui::GBN_POSTDRAWBUTTON, kStripId, OnStripButtonPainted)
END_MESSAGE_MAP()

bool GroupButtonsPage::create(CWnd* parent, UINT id)
{
    if (!Create(nullptr, nullptr, WS_CHILD | WS_CLIPCHILDREN, CRect(0, 0, 1, 1), parent, id) ||
        !strip.Create(L"QVTGroupButtons", nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), this, kStripId))
        return false;
    strip.setButtonMargin(CRect(kButtonPadding, kButtonPadding, kButtonPadding, kButtonPadding));
    if (!_addImages())
        return false;
    strip.addGroup(1, 3);
    strip.addGroup(5, 6);
    groups = _describeGroups();
    return true;
}

// The shapes on a mask-coloured bitmap, cut into an image list that the strip takes over.
bool GroupButtonsPage::_addImages()
{
    const auto drawShape = [](CDC& dc, const CRect& cell, int index) {
        const Shape& shape = kShapes[index];
        POINT points[std::size(kShapes[0].points)];
        for (int p = 0; p < shape.count; ++p)
            points[p] = {shape.points[p].x + cell.left, shape.points[p].y};
        CBrush brush(shape.color);
        CBrush* previousBrush = dc.SelectObject(&brush);
        CGdiObject* previousPen = dc.SelectStockObject(NULL_PEN);
        dc.Polygon(points, shape.count);
        dc.SelectObject(previousPen);
        dc.SelectObject(previousBrush);
    };
    auto* images = new CImageList;
    if (!createImageStrip(*this, *images, kImageSize, kImageCount, kMask, drawShape)) {
        delete images;
        return false;
    }
    return strip.addImages(images);
}

// Clicks, a group joined by dragging, a right click, then the mouse rests on a group.
void GroupButtonsPage::tour(Tour& tour)
{
    const auto face = [this](INT64 button) {
        const CRect cell = strip.getButtonRect(button);
        return CPoint(cell.CenterPoint().x, cell.top + kButtonPadding);
    };
    tour.click(&strip, face(0));
    tour.check(strip.getCurSel() == 0 && lastNotification == L"NM_CLICK, button 0",
               L"selecting a button with a click");
    tour.click(&strip, face(2));
    tour.check(strip.isSelected(1) && strip.isSelected(3), L"selecting a group with a click on one of its buttons");
    tour.drag(&strip, strip.getMarkerRect(7).CenterPoint(), strip.getMarkerRect(6).CenterPoint());
    tour.check(groups == L"1-3, 5-7", L"growing a group by dragging a marker onto it");
    qvtest::click(strip, face(4), qvtest::MouseButton::Right);
    tour.pump(50);
    tour.check(lastNotification == L"NM_RCLICK, button 4", L"reporting a right click on a group button");
    tour.moveMouse(&strip, face(6));
}

void GroupButtonsPage::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    strip.MoveWindow(kMargin, kMargin, cx - 2 * kMargin, kStripHeight);
}

BOOL GroupButtonsPage::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void GroupButtonsPage::OnPaint()
{
    CString text;
    text.Format(L"Last notification: %s\nGroups: %s\n\nClick a button to select it, or its whole group. Drag a "
                L"marker onto another marker to join free buttons, grow, merge or cut groups; drop it on itself to "
                L"take its button out of a group.",
                LPCWSTR(lastNotification), LPCWSTR(groups));
    paintReport(*this, font, _reportRect(), text);
}

CRect GroupButtonsPage::_reportRect() const
{
    CRect client;
    GetClientRect(&client);
    const int top = 2 * kMargin + kStripHeight;
    return CRect(kMargin, top, client.right - kMargin, top + kReportHeight);
}

void GroupButtonsPage::_report(const CString& notification)
{
    lastNotification = notification;
    InvalidateRect(_reportRect(), FALSE);
}

void GroupButtonsPage::OnStripClick(NMHDR* header, LRESULT* result)
{
    _report(L"NM_CLICK, " + buttonText(reinterpret_cast<qv::gui::NMGROUPBUTTONS*>(header)->index));
    *result = 0;
}

void GroupButtonsPage::OnStripRightClick(NMHDR* header, LRESULT* result)
{
    _report(L"NM_RCLICK, " + buttonText(reinterpret_cast<qv::gui::NMGROUPBUTTONS*>(header)->index));
    *result = 0;
}

// Numbers each button in the corner of its face. The strip sends no notification when a drag
// edits its groups, but it repaints: the last button painted brings the group report up to date.
void GroupButtonsPage::OnStripButtonPainted(NMHDR* header, LRESULT* result)
{
    const auto* draw = reinterpret_cast<qv::gui::NMGROUPBUTTONSDRAW*>(header);
    CString number;
    number.Format(L"%lld", draw->index);
    CRect corner(draw->rect);
    corner.DeflateRect(2, 1);
    CFont* previous = draw->dc->SelectObject(&font);
    draw->dc->SetTextColor(kNumberColor);
    draw->dc->DrawText(number, &corner, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    draw->dc->SelectObject(previous);
    if (draw->index == strip.getCount() - 1 && _describeGroups() != groups) {
        groups = _describeGroups();
        InvalidateRect(_reportRect(), FALSE);
    }
    *result = 0;
}

CString GroupButtonsPage::_describeGroups() const
{
    CString text;
    for (INT64 i = 0; i < strip.getCountGroups(); ++i) {
        const qv::gui::GroupButtons::groupData* group = strip.getGroupAt(i);
        CString range;
        range.Format(L"%s%lld-%lld", i == 0 ? L"" : L", ", group->first, group->last);
        text += range;
    }
    return text.IsEmpty() ? CString(L"none") : text;
}

} // namespace demo
