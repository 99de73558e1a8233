#include "RealInputWindows.h"

#include "qvtest/DibSurface.h"

#include <qv.win/SystemFont.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

using qv::gui::RealSlideEdit;
using qvtest::DibSurface;
using namespace qvtest::colors;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

class DisplayedSlideEdit : public RealSlideEdit {
public:
    using RealSlideEdit::_getDisplayValue;
};

std::wstring displayed(const DisplayedSlideEdit& edit)
{
    return std::wstring(edit._getDisplayValue(false).GetString());
}

} // namespace

TEST(RealSlideEditText, StepDecidesTheDecimalPlaces)
{
    struct Row {
        const char* name;
        double step; // NaN: none set
        double value;
        const wchar_t* format;
        bool trim;
        const wchar_t* expected;
    };
    const Row rows[] = {
        {"new control", kNaN, 0, L"", true, L"0"},
        {"new control, 1.5", kNaN, 1.5, L"", false, L"1.5"},
        {"step -0.5", -0.5, 2, L"", false, L"2.0"},
        {"step -0.5, trimmed", -0.5, 2, L"", true, L"2.0"},
        {"step 0.05", 0.05, 2, L"", false, L"2.00"},
        {"step 0.05, trimmed", 0.05, 2, L"", true, L"2.0"},
        {"step 0.25", 0.25, 1.126, L"", false, L"1.13"},
        {"step 0.0001", 0.0001, 3.14159265, L"", false, L"3.1416"},
        {"step 0.105", 0.105, 1, L"", false, L"1.00"},
        {"step 1", 1, 2.5, L"", false, L"2.5"},
        {"step finer than %f shows", 1e-7, 0.25, L"", false, L"0.25"},
        {"%g exponent keeps its zeros", 1, 1.5e20, L"", true, L"1.5e+020"},
        {"format", 0.1, 1.5, L"%.3f", false, L"1.500"},
        {"format, trimmed", 0.1, 1.5, L"%.3f", true, L"1.5"},
        {"text after the number stops trimming", 0.1, 1.5, L"%.3f mm", true, L"1.500 mm"},
        {"percent signs", 0.1, 50, L"%.1f%%", true, L"50.0%"},
        {"format without a double is not used", 0.01, 1.5, L"%d", false, L"1.50"},
        {"format with a string is not used", 0.01, 1.5, L"%s", false, L"1.50"},
        {"format with two doubles is not used", 0.01, 1.5, L"%f %f", false, L"1.50"},
        {"format with a huge width is not used", 0.01, 1.5, L"%99999f", false, L"1.50"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DisplayedSlideEdit edit;
        edit.set(row.value, row.step, -1e30, 1e30);
        edit.setFormat(row.format);
        edit.setTrimTrailingZeros(row.trim);
        EXPECT_EQ(displayed(edit), row.expected);
    }
}

TEST(RealSlideEditText, TrimTrailingZerosKeepsOneDecimal)
{
    const std::pair<const wchar_t*, const wchar_t*> rows[] = {
        {L"1.500", L"1.5"},           {L"2.000", L"2.0"},       {L"10", L"10"},
        {L"100.000", L"100.0"},       {L"0.0", L"0.0"},         {L"", L""},
        {L"1.500e+010", L"1.5e+010"}, {L"1.50 mm", L"1.50 mm"}, {L"v1.2.300", L"v1.2.3"},
    };
    for (const auto& [text, expected] : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
        CString trimmed(text);
        RealSlideEdit::trimTrailingZeros(trimmed);
        EXPECT_EQ(std::wstring(trimmed.GetString()), expected);
    }
}

namespace {

class RealSlideEditValue : public SuiteWindow<SlideEditWindow> {};

} // namespace

// Each row acts on the state the rows before it left.
TEST_F(RealSlideEditValue, NotifiesOnceAfterEachChangeAndNeverForARejectedOne)
{
    SlideEditWindow& w = window();
    RealSlideEdit& edit = w.renew();
    struct Row {
        const char* name;
        std::function<bool()> act;
        bool changed;
        double value;
        std::vector<double> notified;
    };
    const Row rows[] = {
        {"a new value", [&] { return edit.setValue(5); }, true, 5, {5}},
        {"the same value", [&] { return edit.setValue(5); }, false, 5, {}},
        {"above the maximum", [&] { return edit.setValue(20000); }, true, 10000, {10000}},
        {"clamped to the value held", [&] { return edit.setValue(30000); }, false, 10000, {}},
        {"not a number", [&] { return edit.setValue(kNaN); }, false, 10000, {}},
        {"infinite", [&] { return edit.setValue(-kInf); }, false, 10000, {}},
        {"silent", [&] { return edit.setValue(7, true); }, true, 7, {}},
        {"new bounds adjust silently", [&] { return edit.setMinMax(0, 1), true; }, true, 1, {}},
        {"bounds that are not numbers", [&] { return edit.setMinMax(kNaN, 5), edit.setMax(kInf), true; }, true, 1, {}},
        {"minimum above maximum", [&] { return edit.setMinMax(3, 2), true; }, true, 2, {}},
        {"set", [&] { return edit.set(50, 0.5, -100, 100), true; }, true, 50, {}},
        {"set ignores what is not a number", [&] { return edit.set(kNaN, kInf, kNaN, 40), true; }, true, 40, {}},
        {"adjuster replaces the clamping",
         [&] {
             edit.setValueAdjuster([](double& v) { v = std::round(v); });
             return edit.setValue(1234.4);
         },
         true, 1234, {1234}},
        {"adjuster leaving no number", [&] {
             edit.setValueAdjuster([](double& v) { v = kNaN; });
             return edit.setValue(3);
         },
         false, 1234, {}},
        {"empty adjuster clamps again", [&] {
             edit.setValueAdjuster({});
             return edit.setValue(1234.4);
         },
         true, 40, {40}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        w.notified.clear();
        w.parent.clear();
        EXPECT_EQ(row.act(), row.changed);
        EXPECT_EQ(edit.getValue(), row.value);
        EXPECT_EQ(w.notified, row.notified);
        for (const qvtest::ParentMessage& message : w.parent.messages()) {
            EXPECT_EQ(message.wParam, SlideEditWindow::kId);
            EXPECT_EQ(message.hwndFrom, edit.GetSafeHwnd());
            EXPECT_EQ(message.idFrom, SlideEditWindow::kId);
            EXPECT_EQ(message.code, int(qv::gui::RSN_VALUECHANGED));
        }
    }
    EXPECT_EQ(edit.getStepValue(), 0.5);
}

namespace {

// A slide edit painted into a DIB section through WM_PRINTCLIENT.
class SlideEditPaint : public SuiteWindow<SlideEditWindow> {
protected:
    void paint(RealSlideEdit& edit, DibSurface& surface)
    {
        surface.fill(kMagenta);
        edit.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.hdc()), PRF_CLIENT);
    }

    // True when the area shows what DrawText draws there in the control's font, black on white.
    bool showsText(const DibSurface& painted, const CRect& area, const wchar_t* text, UINT format)
    {
        DibSurface expected(painted.width(), painted.height(), kWhite);
        CFont* oldFont = expected.dc()->SelectObject(&font);
        expected.dc()->SetBkMode(TRANSPARENT);
        CRect rect = area;
        expected.dc()->DrawText(text, -1, &rect, format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        expected.dc()->SelectObject(oldFont);
        for (int y = area.top; y < area.bottom; ++y) {
            if (painted.row(y, area.left, area.right) != expected.row(y, area.left, area.right))
                return false;
        }
        return true;
    }

    qv::gui::SystemFont font{qv::gui::SystemFont::Message};
};

} // namespace

TEST_F(SlideEditPaint, ArrowsSitInTheMiddleOfTheirButtons)
{
    struct Row {
        int width, height;
        bool visibleSpin;
        CRect left, right;
    };
    const Row rows[] = {
        {200, 24, true, CRect(13, 8, 22, 17), CRect(179, 8, 188, 17)},
        {120, 40, true, CRect(11, 14, 24, 27), CRect(97, 14, 110, 27)},
        {200, 24, false, CRect(), CRect()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.width << " x " << row.height << (row.visibleSpin ? "" : " no arrows"));
        RealSlideEdit& edit = window().renew(row.width, row.height);
        edit.setColorSpin(kRed);
        edit.setVisibleSpin(row.visibleSpin);
        DibSurface surface(row.width, row.height);
        paint(edit, surface);
        const int half = row.width / 2;
        const auto red = [](COLORREF c) { return c == kRed; };
        EXPECT_EQ(surface.boundsOf(red, CRect(0, 0, half, row.height)), row.left);
        EXPECT_EQ(surface.boundsOf(red, CRect(half, 0, row.width, row.height)), row.right);
    }
}

TEST_F(SlideEditPaint, ColoursFollowHoverReadOnlyAndEnabled)
{
    struct Row {
        const char* name;
        std::function<void(RealSlideEdit&)> act;
        COLORREF background, arrow, border;
    };
    const COLORREF spin = RGB(0x40, 0x40, 0x40);
    const COLORREF disabledText = RGB(0xC0, 0xC0, 0xC0);
    const COLORREF disabledBackground = RGB(0xF0, 0xF0, 0xF0);
    const Row rows[] = {
        {"normal",
         [](RealSlideEdit& e) {
             e.setColorNormal(RGB(1, 2, 3));
             e.setColorSpin(RGB(4, 5, 6));
             e.setColorBorder(RGB(7, 8, 9));
         },
         RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9)},
        {"hovered",
         [](RealSlideEdit& e) {
             e.setColorHighlightBorder(RGB(9, 9, 9));
             e.SendMessage(WM_MOUSEHOVER);
         },
         RGB(0xF0, 0xF0, 0xF0), spin, RGB(9, 9, 9)},
        {"read only", [](RealSlideEdit& e) { e.setReadOnly(true); }, disabledBackground, disabledText,
         RGB(0xC0, 0xC0, 0xC0)},
        {"read only ignores hovering",
         [](RealSlideEdit& e) {
             e.setReadOnly(true);
             e.SendMessage(WM_MOUSEHOVER);
             e.setReadOnly(false);
         },
         kWhite, spin, RGB(0xC0, 0xC0, 0xC0)},
        {"disabled", [](RealSlideEdit& e) { e.EnableWindow(FALSE); }, disabledBackground, disabledText,
         RGB(0xC0, 0xC0, 0xC0)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RealSlideEdit& edit = window().renew();
        row.act(edit);
        DibSurface surface(200, 24);
        paint(edit, surface);
        EXPECT_EQ(surface.pixel(0, 0), row.border);
        EXPECT_EQ(surface.pixel(199, 23), row.border);
        EXPECT_EQ(surface.pixel(5, 5), row.background);
        EXPECT_EQ(surface.pixel(18, 12), row.arrow);
        EXPECT_EQ(surface.pixel(182, 12), row.arrow);
    }
}

TEST_F(SlideEditPaint, DisplayTypesArrangeLabelValueAndUnit)
{
    // A 200 x 24 control's value area lies between the arrow buttons, 30 pixels each.
    const CRect valueArea(32, 2, 168, 22);
    // Split parts clear of where the label's ellipsis may end.
    const CRect leftPart(32, 2, 60, 22);
    const CRect rightPart(140, 2, 168, 22);
    struct Shown {
        CRect area;
        const wchar_t* text;
        UINT format;
    };
    struct Row {
        const char* name;
        RealSlideEdit::DisplayType type;
        const wchar_t* label;
        bool visibleLabel;
        std::vector<Shown> shown;
    };
    const Row rows[] = {
        {"single", RealSlideEdit::Single, L"Len", true, {{valueArea, L"Len: 2.5 mm", DT_CENTER}}},
        {"unknown type paints as single", RealSlideEdit::DisplayType(7), L"Len", true,
         {{valueArea, L"Len: 2.5 mm", DT_CENTER}}},
        {"single without label", RealSlideEdit::Single, L"", true, {{valueArea, L"2.5 mm", DT_CENTER}}},
        {"hidden label", RealSlideEdit::Single, L"Len", false, {{valueArea, L"2.5 mm", DT_CENTER}}},
        {"split", RealSlideEdit::Split, L"Len", true, {{leftPart, L"Len", DT_LEFT}, {rightPart, L"2.5 mm", DT_RIGHT}}},
        {"auto with room", RealSlideEdit::Auto, L"Len", true, {{valueArea, L"Len: 2.5 mm", DT_CENTER}}},
        {"auto without room", RealSlideEdit::Auto, L"Length of the part", true, {{rightPart, L"2.5 mm", DT_RIGHT}}},
    };
    RealSlideEdit& edit = window().renew();
    edit.set(2.5, 0.1, 0, 10);
    edit.setUnit(L"mm");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        edit.setLabel(row.label);
        edit.visibleLabel(row.visibleLabel);
        edit.setDisplayType(row.type);
        DibSurface surface(200, 24);
        paint(edit, surface);
        for (const Shown& shown : row.shown)
            EXPECT_TRUE(showsText(surface, shown.area, shown.text, shown.format)) << testing::PrintToString(std::wstring(shown.text));
    }
}

TEST_F(SlideEditPaint, SplitDropsLabelAndUnitWhenTheValueAloneIsTooWide)
{
    RealSlideEdit& edit = window().renew(90, 24);
    edit.set(1234567.5, 0.1, -1e7, 1e7);
    edit.setLabel(L"Length");
    edit.setUnit(L"mm");
    DibSurface surface(90, 24);
    paint(edit, surface);
    // 18-pixel arrow buttons leave 50 pixels, less than the value takes.
    EXPECT_TRUE(showsText(surface, CRect(20, 2, 70, 22), L"1234567.5", DT_RIGHT));
}
