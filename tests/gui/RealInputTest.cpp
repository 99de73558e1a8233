#include "RealInputWindows.h"

#include "qvtest/Input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using qv::gui::RealSlideEdit;

namespace {

// Points of a 200 x 24 slide edit: its arrow buttons are 30 pixels wide inside a 2-pixel margin.
const POINT kLeftArrow{17, 12};
const POINT kRightArrow{183, 12};
const POINT kValue{100, 12};
const POINT kBorder{1, 12};
const DWORD kHoverWaitMs = 700; // the system's hover time is 400 ms

void pumpMfcFor(DWORD ms)
{
    const ULONGLONG end = ::GetTickCount64() + ms;
    for (ULONGLONG now = end - ms; now < end; now = ::GetTickCount64()) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        qvtest::pumpMfcUntilIdle(static_cast<DWORD>(end - now));
    }
}

POINT offset(POINT p, int dx, int dy)
{
    return {p.x + dx, p.y + dy};
}

// A slide edit at 5 of -10000 ... 10000 in step 0.1, its parent in front.
class SlideEditInput : public SuiteWindow<SlideEditWindow> {
protected:
    SlideEditInput()
    {
        edit.set(5, 0.1, -10000, 10000);
        qvtest::bringToForeground(w.parent);
        qvtest::moveMouse(w.parent, {390, 190});
        qvtest::pumpMfcUntilIdle();
    }

    void click(POINT point)
    {
        qvtest::click(edit, point);
        qvtest::pumpMfcUntilIdle();
    }
    void drag(POINT from, const std::vector<POINT>& moves)
    {
        qvtest::mouseDown(edit, from);
        qvtest::pumpMfcUntilIdle();
        for (POINT to : moves) {
            qvtest::moveMouse(edit, to);
            qvtest::pumpMfcUntilIdle();
        }
        notifiedBeforeRelease = w.notified.size();
        qvtest::mouseUp(edit, moves.back());
        qvtest::pumpMfcUntilIdle();
    }
    void hover()
    {
        qvtest::moveMouse(edit, kValue);
        pumpMfcFor(kHoverWaitMs);
    }
    void wheel(short delta)
    {
        POINT screen = kValue;
        edit.ClientToScreen(&screen);
        edit.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(screen.x, screen.y));
    }
    HWND inplaceEdit() const { return ::FindWindowEx(edit.GetSafeHwnd(), nullptr, L"Edit", nullptr); }

    SlideEditWindow& w = window();
    RealSlideEdit& edit = w.renew();
    size_t notifiedBeforeRelease = 0;
};

} // namespace

TEST_F(SlideEditInput, ArrowClicksStepByOneStepWithinTheBounds)
{
    edit.set(5, 0.25, 0, 5.375);
    const struct {
        const char* name;
        POINT point;
        double value;
        std::vector<double> notified;
    } rows[] = {
        {"right arrow", kRightArrow, 5.25, {5.25}},   {"up to the maximum", kRightArrow, 5.375, {5.375}},
        {"at the maximum", kRightArrow, 5.375, {}},   {"left arrow", kLeftArrow, 5.125, {5.125}},
        {"border", kBorder, 5.125, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        w.notified.clear();
        click(row.point);
        EXPECT_EQ(edit.getValue(), row.value);
        EXPECT_EQ(w.notified, row.notified);
        EXPECT_EQ(inplaceEdit(), nullptr);
    }
}

TEST_F(SlideEditInput, DraggingMovesTheValueByStepsPerPixel)
{
    struct Row {
        const char* name;
        bool sensitive, slidingUpdate;
        std::vector<POINT> moves; // relative to the press point
        double change;
        size_t notifications, beforeRelease;
        bool click; // the release is a click on the value
    };
    const Row rows[] = {
        {"40 pixels right", false, false, {{40, 0}}, 4, 1, 0, false},
        {"20 pixels left", false, false, {{-20, 0}}, -2, 1, 0, false},
        {"back at the press point: a click", false, false, {{10, 0}, {0, 0}}, 0, 0, 0, true},
        {"sliding update", false, true, {{10, 0}, {30, 0}}, 3, 2, 2, false},
        {"sensitive, 5 pixels off: ten times", true, false, {{40, 5}}, 40, 1, 0, false},
        {"sensitive, 25 pixels off: as is", true, false, {{40, 25}}, 4, 1, 0, false},
        {"sensitive, 45 pixels off: a hundredth", true, false, {{40, 45}}, 0.04, 1, 0, false},
        {"sensitive, far off: a thousandth at least", true, false, {{40, 200}}, 0.004, 1, 0, false},
    };
    const POINT press{60, 12};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        edit.setValue(5, true);
        edit.enableSlidingSensitive(row.sensitive);
        edit.enableSlidingUpdate(row.slidingUpdate);
        w.notified.clear();
        qvtest::moveMouse(edit, press);
        std::vector<POINT> moves;
        for (POINT move : row.moves)
            moves.push_back(offset(press, move.x, move.y));
        drag(press, moves);
        EXPECT_NEAR(edit.getValue(), 5 + row.change, 1e-9);
        EXPECT_EQ(w.notified.size(), row.notifications);
        EXPECT_EQ(notifiedBeforeRelease, row.beforeRelease);
        EXPECT_FALSE(edit.isSliding());
        EXPECT_EQ(inplaceEdit() != nullptr, row.click);
        if (!w.notified.empty()) {
            EXPECT_EQ(w.notified.back(), edit.getValue());
        }
        qvtest::pressKey(VK_ESCAPE);
        qvtest::pumpMfcUntilIdle();
    }
}

TEST_F(SlideEditInput, WheelStepsOnlyWhileHovered)
{
    wheel(WHEEL_DELTA);
    EXPECT_EQ(edit.getValue(), 5);
    hover();
    wheel(WHEEL_DELTA);
    EXPECT_DOUBLE_EQ(edit.getValue(), 5.1);
    wheel(-3 * WHEEL_DELTA);
    EXPECT_DOUBLE_EQ(edit.getValue(), 5);
    EXPECT_EQ(w.notified.size(), 2u);
}

TEST_F(SlideEditInput, ReadOnlyIgnoresTheMouse)
{
    edit.setReadOnly(true);
    click(kRightArrow);
    click(kValue);
    drag({60, 12}, {{100, 12}});
    hover();
    wheel(WHEEL_DELTA);
    EXPECT_EQ(edit.getValue(), 5);
    EXPECT_TRUE(w.notified.empty());
    EXPECT_EQ(inplaceEdit(), nullptr);
}

TEST_F(SlideEditInput, ClickOnTheValueOpensTheEditOverTheFrame)
{
    click(kValue);
    const HWND inplace = inplaceEdit();
    ASSERT_NE(inplace, nullptr);
    EXPECT_EQ(::GetFocus(), inplace);
    wchar_t text[32] = L"";
    ::GetWindowText(inplace, text, 32);
    EXPECT_STREQ(text, L"5.0");
    EXPECT_EQ(::SendMessage(inplace, EM_GETSEL, 0, 0), MAKELRESULT(0, 3));
    CRect rect;
    ::GetWindowRect(inplace, &rect);
    edit.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(2, 2, 198, 22));
}

TEST_F(SlideEditInput, TheEditCommitsOrCancels)
{
    CEdit other;
    other.Create(WS_CHILD | WS_VISIBLE, CRect(10, 100, 100, 120), CWnd::FromHandle(w.parent), 20);
    const std::wstring longText(10000, L'9');
    struct Row {
        const char* name;
        std::vector<WORD> keys;    // typed over the selected value
        const wchar_t* text;       // or set as the text
        std::function<void(HWND)> close;
        double value;
        std::vector<double> notified;
    };
    const auto press = [](WORD key) { return [key](HWND) { qvtest::pressKey(key); }; };
    const Row rows[] = {
        {"enter", {'7', VK_OEM_PERIOD, '2'}, nullptr, press(VK_RETURN), 7.2, {7.2}},
        {"tab", {'8'}, nullptr, press(VK_TAB), 8, {8}},
        {"escape", {'9'}, nullptr, press(VK_ESCAPE), 5, {}},
        {"focus elsewhere", {'6'}, nullptr, [&](HWND) { other.SetFocus(); }, 6, {6}},
        {"press outside while captured",
         {'4'},
         nullptr,
         [&](HWND inplace) {
             qvtest::moveMouse(w.parent, {300, 150});
             qvtest::pumpMfcUntilIdle();
             ::PostMessage(inplace, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
         },
         4, {4}},
        {"the same value", {'5'}, nullptr, press(VK_RETURN), 5, {}},
        {"beyond the maximum", {'2', '0', '0', '0', '0', '0'}, nullptr, press(VK_RETURN), 10000, {10000}},
        {"not a number", {'A', 'B', 'C'}, nullptr, press(VK_RETURN), 0, {0}},
        {"a number too long for a double", {}, longText.c_str(), press(VK_RETURN), 0, {0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        edit.setValue(5, true);
        w.notified.clear();
        click(kValue);
        const HWND inplace = inplaceEdit();
        ASSERT_NE(inplace, nullptr);
        for (WORD key : row.keys)
            qvtest::pressKey(key);
        if (row.text)
            ::SetWindowText(inplace, row.text);
        qvtest::pumpMfcUntilIdle();
        row.close(inplace);
        qvtest::pumpMfcUntilIdle();
        EXPECT_FALSE(::IsWindow(inplace));
        EXPECT_EQ(edit.getValue(), row.value);
        EXPECT_EQ(w.notified, row.notified);
    }
}

TEST_F(SlideEditInput, ParentMayDestroyTheControlWhenNotified)
{
    w.parent.setOnNotify([&](const NMHDR&) { edit.DestroyWindow(); });
    click(kRightArrow);
    EXPECT_FALSE(::IsWindow(edit.GetSafeHwnd()));
    EXPECT_DOUBLE_EQ(edit.getValue(), 5.1);
}

namespace {

// Clicks on the up and down arrows of a real spin button with an edit buddy.
class SpinInput : public SuiteWindow<SpinWindow> {
protected:
    static void clickArrow(SpinWindow& w, bool up)
    {
        CRect client;
        w.spin->GetClientRect(&client);
        qvtest::bringToForeground(w.recorder);
        qvtest::click(*w.spin, {client.Width() / 2, up ? client.Height() / 4 : client.Height() * 3 / 4});
        qvtest::pumpMfcUntilIdle();
    }
};

} // namespace

TEST_F(SpinInput, ArrowClicksStepTheBuddysValue)
{
    struct Row {
        const char* name;
        DWORD style;
        double min, max, delta;
        int decimals;
        const wchar_t* text;
        bool up;
        const wchar_t* expected;
    };
    const Row rows[] = {
        {"up", 0, 0, 100, 1, -1, L"40.5", true, L"41.5"},
        {"up clamps", 0, 0, 100, 1, -1, L"99.5", true, L"100"},
        {"up wraps", UDS_WRAP, 0, 100, 1, -1, L"99.5", true, L"0"},
        {"down clamps", 0, 0, 100, 1, -1, L"0.5", false, L"0"},
        {"down wraps", UDS_WRAP, 0, 100, 1, -1, L"0.5", false, L"100"},
        {"reaching the end", 0, 0, 1, 0.1, 1, L"0.9", true, L"1"},
        {"rounding past the end does not wrap", UDS_WRAP, 0, 0.3, 0.1, -1, L"0.2", true, L"0.3"},
        {"not a number counts as 0", 0, 0, 100, 1, -1, L"abc", true, L"1"},
        {"beyond a double counts as 0", 0, -10, 10, 1, -1, L"1e999", false, L"-1"},
        {"above the range moves down freely", 0, 0, 100, 1, -1, L"500", false, L"499"},
        {"negative delta turns the arrows round", 0, 0, 100, -2, -1, L"50", true, L"48"},
    };
    SpinWindow& w = window();
    w.renew();
    std::vector<std::wstring> textWhenNotified;
    w.recorder.setOnNotify([&](const NMHDR&) { textWhenNotified.push_back(w.text()); });
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        w.spin->ModifyStyle(UDS_WRAP, row.style);
        w.spin->setRangeAndDelta(row.min, row.max, row.delta);
        w.spin->setDecimalPlaces(row.decimals);
        w.buddy->SetWindowText(row.text);
        w.recorder.clear();
        textWhenNotified.clear();
        clickArrow(w, row.up);
        EXPECT_EQ(w.text(), row.expected);
        EXPECT_EQ(w.recorder.notifyCodes(), std::vector<int>{int(UDN_DELTAPOS)});
        EXPECT_EQ(textWhenNotified, std::vector<std::wstring>{row.expected});
    }
}
