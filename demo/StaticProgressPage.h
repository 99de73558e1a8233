#pragma once

#include "Page.h"

#include <qv.win/ProgressCtrlX.h>
#include <qv.win/Static.h>

#include <array>

namespace demo {

// Statics with titles and descriptions, an icon, a graded background, outlines and a bitmap
// behind the text; progress bars with gradients, two-colour percentage text, a snake, a scrolling
// gradient, vertical bars and a tooltip with the value. The page is a dialog whose template holds
// plain statics and platform progress bars, taken over with SubclassDlgItem. The Step button
// steps the still bars.
class StaticProgressPage : public CDialog, public Page {
public:
    StaticProgressPage();

    const wchar_t* title() const override { return L"Statics and progress"; }
    const wchar_t* shotName() const override { return L"statics"; }
    bool create(CWnd* parent, UINT id) override;
    CWnd* window() override { return this; }
    void activate(bool active) override;
    void tour(Tour& tour) override;

protected:
    BOOL OnInitDialog() override;
    // Enter and Escape do not end a page.
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnStep();

    DECLARE_MESSAGE_MAP()

private:
    enum StaticId { Header, Outlined, Indented, Picture, Transparent, IconRight, StaticCount };
    enum LabelId { PercentLabel, PositionLabel, SnakeLabel, AnimationLabel, VerticalLabel, LabelCount };
    enum BarId { Percent, Position, Snake, Animated, Up, Down, Rotated, BarCount };

    bool _attachControls();
    void _setUpLabels();
    void _setUpStatics();
    void _setUpBars();
    void _layout(int width);

    CFont bold;
    CFont vertical;
    CBrush hatch;
    std::array<qv::gui::Static, StaticCount> statics;
    std::array<qv::gui::Static, LabelCount> labels;
    std::array<qv::gui::ProgressCtrlX, BarCount> bars;
};

} // namespace demo
