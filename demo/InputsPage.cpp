#include "InputsPage.h"

#include "Settings.h"
#include "Tour.h"

#include <qv.win/DC.h>
#include <qv.win/MemDC.h>

#include <algorithm>
#include <cmath>

namespace demo {

namespace {

enum ControlId : UINT { kWidth = 1, kHeight, kArea, kCornerEdit, kCornerSpin };

// Controls in a column at the left, one row each; the plate to their right, 3 pixels a millimetre.
constexpr int kMargin = 20;
constexpr int kRowHeight = 26;
constexpr int kRowPitch = 36;
constexpr int kColumnWidth = 280;
constexpr int kLabelWidth = 110;
constexpr int kSpinWidth = 18;
constexpr int kPixelsPerMm = 3;

constexpr double kStep = 0.5;
constexpr double kMinSide = 10;
constexpr double kMaxWidth = 160;
constexpr double kMaxHeight = 120;
constexpr double kMaxCorner = 20;

const COLORREF kBackground = RGB(255, 255, 255);
const wchar_t kWidthSetting[] = L"Width";
const wchar_t kHeightSetting[] = L"Height";
const wchar_t kCornerSetting[] = L"Corner";
const COLORREF kPlateLight = RGB(200, 222, 240);
const COLORREF kPlate = RGB(70, 130, 180);
const COLORREF kPlateDark = RGB(40, 80, 125);
const COLORREF kPlateEdge = RGB(25, 60, 100);
const COLORREF kText = RGB(40, 40, 40);
const wchar_t kCornerLabel[] = L"Corner radius (mm)";

// The tour's slide goes this far right, 25 pixels below the press point: one step a pixel.
constexpr int kSlidePixels = 30;
constexpr int kSlideBelow = 25;

} // namespace

BEGIN_MESSAGE_MAP(InputsPage, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_NOTIFY_RANGE(qv::gui::RSN_VALUECHANGED, kWidth, kHeight, &InputsPage::OnSizeChanged)
    ON_EN_CHANGE(kCornerEdit, &InputsPage::OnCornerChanged)
END_MESSAGE_MAP()

bool InputsPage::create(CWnd* parent, UINT id)
{
    LPCTSTR className = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    return Create(className, L"Inputs", WS_CHILD | WS_CLIPCHILDREN, CRect(0, 0, 1, 1), parent, id) != FALSE;
}

int InputsPage::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    steel.SetGradientColorsX(3, kPlateLight, kPlate, kPlateDark);
    steel.SetColorsStretch(30.0, 70.0);
    steel.SetDirection(qv::gui::Gradient::TopToBottom);
    if (!_createSlideEdit(width, kWidth, 0, L"Width", L"mm") || !_createSlideEdit(height, kHeight, 1, L"Height", L"mm") ||
        !_createCorner() || !_createSlideEdit(area, kArea, 3, L"Area", L"mm\u00B2"))
        return -1;
    width.set(120, kStep, kMinSide, kMaxWidth);
    height.set(80, kStep, kMinSide, kMaxHeight);
    height.enableSlidingUpdate(true);
    height.enableSlidingSensitive(true);
    area.set(0, 1, 0, kMaxWidth * kMaxHeight);
    area.setDisplayType(qv::gui::RealSlideEdit::Single);
    area.setVisibleSpin(false);
    area.setReadOnly(true);
    cornerSpin.setRangeAndDelta(0, kMaxCorner, kStep);
    cornerSpin.setDecimalPlaces(1);
    cornerSpin.setPos(5);
    _update();
    return 0;
}

bool InputsPage::_createSlideEdit(qv::gui::RealSlideEdit& edit, UINT id, int row, const wchar_t* label,
                                  const wchar_t* unit)
{
    const int top = kMargin + row * kRowPitch;
    if (!edit.Create(this, id, CRect(kMargin, top, kMargin + kColumnWidth, top + kRowHeight)))
        return false;
    edit.setLabel(label);
    edit.setUnit(unit);
    return true;
}

// The corner's label is painted; the edit and the spin button attached to its right edge follow.
bool InputsPage::_createCorner()
{
    const CRect row = _cornerRow();
    if (!cornerEdit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_RIGHT,
                           CRect(row.left + kLabelWidth, row.top, row.right - kSpinWidth, row.bottom), this,
                           kCornerEdit) ||
        !cornerSpin.Create(WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_ARROWKEYS, CRect(0, 0, kSpinWidth, kRowHeight),
                           this, kCornerSpin))
        return false;
    cornerEdit.SetFont(&font);
    cornerSpin.SetBuddy(&cornerEdit);
    return true;
}

CRect InputsPage::_cornerRow() const
{
    const int top = kMargin + 2 * kRowPitch;
    return CRect(kMargin, top, kMargin + kColumnWidth, top + kRowHeight);
}

void InputsPage::loadSettings(const Settings& settings)
{
    width.setValue(settings.getReal(kWidthSetting, width.getValue()), true);
    height.setValue(settings.getReal(kHeightSetting, height.getValue()), true);
    cornerSpin.setPos(settings.getReal(kCornerSetting, cornerSpin.getPos()));
    _update();
}

void InputsPage::saveSettings(Settings& settings) const
{
    settings.setReal(kWidthSetting, width.getValue());
    settings.setReal(kHeightSetting, height.getValue());
    settings.setReal(kCornerSetting, cornerSpin.getPos());
}

void InputsPage::OnSizeChanged(UINT, NMHDR*, LRESULT*)
{
    _update();
}

void InputsPage::OnCornerChanged()
{
    _update();
}

void InputsPage::_update()
{
    area.setValue(width.getValue() * height.getValue(), true);
    Invalidate(FALSE);
}

CRect InputsPage::_plateRect() const
{
    const int left = 2 * kMargin + kColumnWidth;
    return CRect(left, kMargin, left + int(width.getValue() * kPixelsPerMm),
                 kMargin + int(height.getValue() * kPixelsPerMm));
}

// The buddy's text, within what the plate allows.
double InputsPage::_corner() const
{
    const double limit = std::min(width.getValue(), height.getValue()) / 2;
    return std::clamp(cornerSpin.getPos(), 0.0, limit);
}

void InputsPage::OnPaint()
{
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    qv::gui::MemDC dc(&paint, &client);
    dc.FillSolidRect(&client, kBackground);
    const CRect plate = _plateRect();
    const int corner = int(2 * _corner() * kPixelsPerMm);
    _drawPlate(dc, plate, corner);
    CString measures;
    measures.Format(L"%.1f mm \u00D7 %.1f mm, corners %.1f mm", width.getValue(), height.getValue(), _corner());
    CFont* oldFont = dc.SelectObject(&font);
    dc.SetTextColor(kText);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(plate.left, plate.bottom + kMargin / 2, measures);
    CRect label = _cornerRow();
    dc.DrawText(kCornerLabel, -1, &label, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    dc.SelectObject(oldFont);
}

// Brushed steel: a gradient clipped to the plate's rounded outline.
void InputsPage::_drawPlate(CDC& dc, const CRect& plate, int corner)
{
    CRgn outline;
    outline.CreateRoundRectRgn(plate.left, plate.top, plate.right + 1, plate.bottom + 1, corner, corner);
    dc.SelectClipRgn(&outline);
    steel.DrawLinearGradient(&dc, plate, 0, -1, 0);
    dc.SelectClipRgn(nullptr);
    // The outline is a rounded rectangle filled with the selected brush.
    CGdiObject* previous = dc.SelectStockObject(NULL_BRUSH);
    qv::gui::DC(&dc).roundRectLine(plate, kPlateEdge, CPoint(corner, corner), 2);
    dc.SelectObject(previous);
}

// Two arrow clicks, a live slide, a spin click and a typed value.
void InputsPage::tour(Tour& tour)
{
    CRect rect;
    width.GetClientRect(&rect);
    const CPoint rightArrow(rect.right - rect.Height() / 2, rect.CenterPoint().y);
    const double startWidth = width.getValue();
    tour.click(&width, rightArrow);
    tour.click(&width, rightArrow);
    tour.check(width.getValue() == std::min(startWidth + 2 * kStep, kMaxWidth), L"stepping the width by its arrow");

    const double startHeight = height.getValue();
    const CPoint press = rect.CenterPoint();
    tour.drag(&height, press, press + CSize(-kSlidePixels, kSlideBelow));
    tour.check(std::fabs(height.getValue() - (startHeight - kSlidePixels * kStep)) < 1e-9,
               L"sliding the height by dragging");

    CRect spin;
    cornerSpin.GetClientRect(&spin);
    const double startCorner = cornerSpin.getPos();
    tour.click(&cornerSpin, CPoint(spin.CenterPoint().x, spin.Height() / 4));
    tour.check(cornerSpin.getPos() == startCorner + kStep, L"raising the corner radius by the spin button");

    tour.click(&width, rect.CenterPoint());
    for (WORD key : {WORD('9'), WORD('5'), WORD(VK_RETURN)})
        tour.pressKey(key);
    tour.check(width.getValue() == 95, L"typing the width into its in-place edit");
    tour.check(area.getValue() == 95 * height.getValue(), L"showing the area of the plate");
}

} // namespace demo
