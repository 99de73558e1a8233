#include "StaticProgressPage.h"

#include "Tour.h"
#include "resource.h"

#include <qvtest/Tooltips.h>

namespace demo {

namespace {

using qv::gui::ProgressCtrlX;
using qv::gui::Static;

constexpr COLORREF kPage = RGB(238, 242, 248);
constexpr COLORREF kHatch = RGB(218, 226, 238);
constexpr COLORREF kNavy = RGB(24, 48, 104);
constexpr COLORREF kSky = RGB(120, 170, 230);
constexpr COLORREF kInk = RGB(40, 40, 48);
constexpr COLORREF kMuted = RGB(96, 104, 120);
constexpr COLORREF kWine = RGB(150, 30, 50);
constexpr COLORREF kLine = RGB(150, 160, 180);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kTrack = RGB(250, 251, 253);
constexpr COLORREF kHatchedBar = RGB(200, 110, 40);

constexpr int kMargin = 24;
constexpr int kGap = 12;
constexpr int kLabelHeight = 26;
constexpr int kBarHeight = 28;
constexpr int kVerticalWidth = 56;
constexpr int kVerticalHeight = 220;
const CSize kButton(110, 32);
constexpr int kStaticHeights[] = {96, 70, 84, 118, 58, 70};

constexpr UINT kSnakeMs = 60;
constexpr UINT kAnimationMs = 40;
constexpr int kAnimationStep = 2;
constexpr DWORD kTooltipWaitMs = 3000;

void createFont(CFont& font, int escapement)
{
    font.CreateFont(-15, 0, escapement, escapement, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                    CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Tahoma");
}

} // namespace

BEGIN_MESSAGE_MAP(StaticProgressPage, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_BN_CLICKED(IDC_STEP, OnStep)
END_MESSAGE_MAP()

StaticProgressPage::StaticProgressPage() : hatch(HS_DIAGCROSS, kHatchedBar)
{
    createFont(bold, 0);
    createFont(vertical, 900);
}

bool StaticProgressPage::create(CWnd* parent, UINT id)
{
    if (!Create(IDD_STATICS, parent) || !_attachControls())
        return false;
    SetDlgCtrlID(static_cast<int>(id));
    _setUpLabels();
    _setUpStatics();
    _setUpBars();
    return true;
}

void StaticProgressPage::activate(bool active)
{
    if (active) {
        bars[Snake].RunSnake(kSnakeMs);
        bars[Animated].RunAnimation(kAnimationMs, kAnimationStep);
    } else {
        bars[Snake].StopSnake();
        bars[Animated].StopAnimation();
    }
}

// The Step button moves the still bars; the snake runs on its own; resting the mouse on the
// percentage bar shows its value in a tooltip.
void StaticProgressPage::tour(Tour& tour)
{
    const int before = bars[Percent].GetPos();
    CWnd* step = GetDlgItem(IDC_STEP);
    CRect rect;
    step->GetClientRect(&rect);
    tour.click(step, rect.CenterPoint());
    tour.check(bars[Percent].GetPos() == before + 10, L"stepping the percentage bar with the Step button");

    const int snake = bars[Snake].GetPos();
    tour.pump(kSnakeMs * 5);
    tour.check(bars[Snake].GetPos() != snake, L"the snake running on its timer");

    bars[Percent].GetClientRect(&rect);
    tour.moveMouse(&bars[Percent], rect.CenterPoint());
    tour.check(tour.waitFor([] { return qvtest::threadTooltip(true) != nullptr; }, kTooltipWaitMs),
               L"the percentage bar's tooltip");
}

BOOL StaticProgressPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    return FALSE; // a hidden page takes no focus
}

BOOL StaticProgressPage::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, kPage);
    CBrush stripes(HS_BDIAGONAL, kHatch);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->FillRect(&client, &stripes);
    pDC->SetBkMode(oldMode);
    return TRUE;
}

void StaticProgressPage::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    // The dialog is sized before its controls are taken over.
    if (bars[Rotated].GetSafeHwnd() != nullptr)
        _layout(cx);
}

void StaticProgressPage::OnStep()
{
    for (BarId id : {Percent, Position, Up, Down, Rotated}) {
        int lower = 0, upper = 0;
        bars[id].GetRange(lower, upper);
        if (bars[id].GetPos() >= upper)
            bars[id].SetPos(lower);
        else
            bars[id].StepIt();
    }
}

bool StaticProgressPage::_attachControls()
{
    for (int i = 0; i < StaticCount; ++i)
        if (!statics[i].SubclassDlgItem(IDC_STATICS_FIRST + i, this))
            return false;
    for (int i = 0; i < LabelCount; ++i)
        if (!labels[i].SubclassDlgItem(IDC_LABELS_FIRST + i, this))
            return false;
    for (int i = 0; i < BarCount; ++i)
        if (!bars[i].SubclassDlgItem(IDC_BARS_FIRST + i, this))
            return false;
    return true;
}

void StaticProgressPage::_setUpLabels()
{
    for (Static& label : labels) {
        label.setTransparent(true);
        label.setColor(kNavy, kNavy, kWhite);
        label.setColorOutline(kLine);
        label.setMargin(0, 4, 0, 4, 0);
    }
}

void StaticProgressPage::_setUpStatics()
{
    Static& header = statics[Header];
    header.setOutline(false);
    header.setColor(kWhite, RGB(220, 232, 250), kNavy, kSky);
    header.setResouceInstance(AfxGetInstanceHandle());
    header.setIcon(IDI_STATICS, Static::IconSize48 | Static::IconLeft | Static::IconVCenter, {});
    header.setMargin(16, 14, 16, 10, 16);

    Static& outlined = statics[Outlined];
    outlined.setOutline(true);
    outlined.setColor(kInk, kMuted, kWhite);
    outlined.setColorOutline(kNavy);

    Static& indented = statics[Indented];
    indented.setOutline(true, false, false, true);
    indented.setColor(kWine, kMuted, RGB(252, 246, 240));
    indented.setColorOutline(kWine);
    indented.setIndent(18, 2);
    indented.setBoldFontDesc(false);

    Static& picture = statics[Picture];
    picture.setResouceInstance(AfxGetInstanceHandle());
    picture.setBitmap(IDB_SPLASH);
    picture.setOutline(false);
    picture.setColor(kWhite, RGB(230, 236, 255), kNavy);

    Static& transparent = statics[Transparent];
    transparent.setTransparent(true);
    transparent.setOutline(false);
    transparent.setColor(kNavy, kInk, kWhite);

    Static& iconRight = statics[IconRight];
    iconRight.setResouceInstance(AfxGetInstanceHandle());
    iconRight.setIcon(IDI_STATICS, Static::IconSize32 | Static::IconRight | Static::IconVCenter, {});
    iconRight.setColor(kInk, kMuted, RGB(244, 248, 240), RGB(214, 236, 200));
    iconRight.setOutline(true);
    iconRight.setColorOutline(RGB(110, 150, 90));
}

void StaticProgressPage::_setUpBars()
{
    for (ProgressCtrlX& bar : bars) {
        bar.SetBkColor(kTrack);
        bar.SetBorders(CRect(1, 1, 1, 1));
        bar.SetFont(&bold);
        bar.SetTextColor(kWhite, kInk);
    }
    bars[Down].ModifyBarStyle(0, qv::gui::PBS_REVERSE);

    ProgressCtrlX& percent = bars[Percent];
    percent.SetGradientColorsX(3, RGB(30, 90, 200), RGB(60, 180, 220), RGB(90, 200, 120));
    percent.SetShowPercent(TRUE);
    percent.SetTextColor(kWhite, kNavy);
    percent.SetPos(64);
    percent.SetTooltipFormat(L"%d%% done", qv::gui::PBS_SHOW_PERCENT);

    ProgressCtrlX& position = bars[Position];
    position.SetBarBrush(&hatch);
    position.SetRange(0, 200);
    position.SetTextFormat(L"%d of 200 files", qv::gui::PBS_SHOW_POSITION);
    position.SetTiedText(TRUE);
    position.SetTextColor(kInk);
    position.SetStep(20);
    position.SetPos(150);

    ProgressCtrlX& snake = bars[Snake];
    snake.SetGradientColors(RGB(250, 190, 60), RGB(220, 60, 40));
    snake.SetSnake(TRUE);
    snake.SetSnakeTail(30);
    snake.SetStep(4);

    ProgressCtrlX& animated = bars[Animated];
    animated.SetGradientColorsX(4, RGB(40, 80, 180), RGB(120, 200, 240), RGB(60, 120, 210), RGB(40, 80, 180));
    animated.SetPos(100);

    bars[Up].SetShowPercent(TRUE);
    bars[Up].SetTextColor(kWhite, kInk);
    bars[Up].SetFont(GetFont());
    bars[Up].SetPos(40);
    bars[Down].SetGradientColors(RGB(120, 60, 160), RGB(230, 120, 170));
    bars[Down].SetTextFormat(L"%d", qv::gui::PBS_SHOW_POSITION);
    bars[Down].SetPos(70);
    bars[Rotated].SetGradientColors(RGB(30, 120, 90), RGB(150, 220, 120));
    bars[Rotated].SetRubberBar(TRUE);
    bars[Rotated].SetFont(&vertical);
    bars[Rotated].SetTextFormat(L"%d%% rubber", qv::gui::PBS_SHOW_PERCENT);
    bars[Rotated].SetPos(55);
}

void StaticProgressPage::_layout(int width)
{
    const int column = (width - 2 * kMargin - kGap) / 2;
    int y = kMargin;
    for (int i = 0; i < StaticCount; ++i) {
        statics[i].MoveWindow(kMargin, y, column, kStaticHeights[i]);
        y += kStaticHeights[i] + kGap;
    }

    const int x = kMargin + column + kGap;
    y = kMargin;
    for (int i = 0; i < LabelCount; ++i) {
        labels[i].MoveWindow(x, y, column, kLabelHeight);
        y += kLabelHeight + kGap / 2;
        if (i == VerticalLabel)
            break;
        bars[i].MoveWindow(x, y, column, kBarHeight);
        y += kBarHeight + kGap;
    }
    for (int i = Up; i < BarCount; ++i)
        bars[i].MoveWindow(x + (i - Up) * (kVerticalWidth + kGap * 2), y, kVerticalWidth, kVerticalHeight);
    GetDlgItem(IDC_STEP)->MoveWindow(x + 3 * (kVerticalWidth + kGap * 2) + kGap, y + kVerticalHeight - kButton.cy,
                                     kButton.cx, kButton.cy);
}

} // namespace demo
