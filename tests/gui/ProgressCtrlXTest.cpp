#include "ControlsDialog.h"
#include "qvtest/DibSurface.h"
#include "qvtest/Tooltips.h"

#include <qv.win/ProgressCtrlX.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using qv::gui::ProgressCtrlX;
using qvtest::DibSurface;
using namespace qv::gui;
using namespace qvtest::colors;

namespace {

// Pumps until the window has received `ticks` WM_TIMER messages of the timer id, calling onTick
// after each; false when they did not all come within timeoutMs.
bool pumpTicks(HWND hwnd, UINT_PTR id, int ticks, const std::function<void()>& onTick, DWORD timeoutMs = 3000)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    int seen = 0;
    while (seen < ticks && ::GetTickCount64() < end) {
        MSG msg;
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
        if (msg.message == WM_TIMER && msg.hwnd == hwnd && msg.wParam == id) {
            ++seen;
            if (onTick)
                onTick();
        }
    }
    return seen == ticks;
}

// Records the gradient shift of every paint: with range 0..100 over 100 pixels it is the
// animation offset.
class RecordingProgressCtrl : public ProgressCtrlX {
public:
    void DrawLinearGradient(CDC* pDC, CRect rect, int nStart, int nEnd, int nShift) override
    {
        shifts.push_back(nShift);
        ProgressCtrlX::DrawLinearGradient(pDC, rect, nStart, nEnd, nShift);
    }

    std::vector<int> shifts;
};

// The dialog's first progress bar taken over by the control, the second left to the platform.
class ProgressInDialog : public testing::Test {
protected:
    ProgressInDialog() : native(::GetDlgItem(dialog, IDC_NATIVE))
    {
        attached = bar.SubclassDlgItem(IDC_PROGRESS, &dialog);
    }

    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return bar.SendMessage(message, wParam, lParam);
    }

    ControlsDialog dialog;
    HWND native;
    RecordingProgressCtrl bar;
    bool attached = false;
};

TEST_F(ProgressInDialog, AnswersProgressMessagesAsThePlatformBarDoes)
{
    ASSERT_TRUE(attached);
    struct Step {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT expected;
        bool asPlatform; // the platform's progress bar answers the same
    };
    const Step steps[] = {
        {"set range", PBM_SETRANGE, 0, MAKELPARAM(0, 200), MAKELONG(0, 100), true},
        {"set position", PBM_SETPOS, 50, 0, 0, true},
        {"get position", PBM_GETPOS, 0, 0, 50, true},
        {"delta", PBM_DELTAPOS, 25, 0, 50, true},
        {"set step", PBM_SETSTEP, 30, 0, 10, true},
        {"step", PBM_STEPIT, 0, 0, 75, true},
        {"position beyond the end", PBM_SETPOS, 500, 0, 105, true},
        {"clamped to the end", PBM_GETPOS, 0, 0, 200, true},
        {"32-bit range", PBM_SETRANGE32, WPARAM(-50), 50, MAKELONG(0, 200), true},
        {"position clamped into it", PBM_GETPOS, 0, 0, 50, true},
        {"lower limit", PBM_GETRANGE, TRUE, 0, -50, true},
        {"upper limit", PBM_GETRANGE, FALSE, 0, 50, true},
        {"position below the start", PBM_SETPOS, WPARAM(-80), 0, 50, true},
        {"clamped to the start", PBM_GETPOS, 0, 0, -50, true},
        {"16-bit range", PBM_SETRANGE, 0, LPARAM(0xFFFF0000), MAKELONG(-50, 50), true},
        {"not sign-extended", PBM_GETRANGE, FALSE, 0, 65535, true},
        {"bar colour", PBM_SETBARCOLOR, 0, LPARAM(kRed), LRESULT(CLR_DEFAULT), true},
        {"background colour", PBM_SETBKCOLOR, 0, LPARAM(kWhite), LRESULT(CLR_DEFAULT), true},
        {"near the end", PBM_SETPOS, 65530, 0, 0, true},
        {"step past the end", PBM_STEPIT, 0, 0, 65530, true},
        {"stops at the end", PBM_GETPOS, 0, 0, 65535, false},
        {"reversed range", PBM_SETRANGE32, 100, 0, LRESULT(DWORD(MAKELONG(0, 65535))), true},
        {"is put in order", PBM_GETRANGE, TRUE, 0, 0, false},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        const LRESULT result = send(s.message, s.wParam, s.lParam);
        EXPECT_EQ(s.expected, result);
        if (s.asPlatform)
            EXPECT_EQ(::SendMessage(native, s.message, s.wParam, s.lParam), result) << "the platform's bar differs";
        else
            ::SendMessage(native, s.message, s.wParam, s.lParam);
    }
    PBRANGE range{-1, -1};
    EXPECT_EQ(100, send(PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range)));
    EXPECT_EQ(0, range.iLow);
    EXPECT_EQ(100, range.iHigh);
}

TEST_F(ProgressInDialog, PainterStylesLiveInTheWindowStyle)
{
    struct Case {
        const char* name;
        std::function<void()> change;
        DWORD bits;
        DWORD expected;
    };
    const Case cases[] = {
        {"reverse", [&] { bar.SetReverse(TRUE); }, PBS_REVERSE, PBS_REVERSE},
        {"percent", [&] { bar.SetShowPercent(TRUE); }, PBS_TEXTMODE_MASK, PBS_SHOW_PERCENT},
        {"snake", [&] { bar.SetSnake(TRUE); }, PBS_SNAKE | PBS_RUBBER_BAR, PBS_SNAKE | PBS_RUBBER_BAR},
        {"no text", [&] { bar.HideText(); }, PBS_TEXTMODE_MASK, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bar.ValidateRect(nullptr);
        c.change();
        EXPECT_EQ(c.expected, bar.GetStyle() & c.bits);
        EXPECT_EQ(c.expected, bar.GetBarStyle() & c.bits);
        CRect update;
        EXPECT_TRUE(bar.GetUpdateRect(&update));
    }
}

TEST_F(ProgressInDialog, BarColoursFromTheMessage)
{
    struct Case {
        const char* name;
        COLORREF second, first;
        COLORREF atStart, atMiddle; // at x 0 and 99 of 200, the position at half the range
    };
    const Case cases[] = {
        {"one colour", 0, kRed, kRed, kRed},
        {"red to blue", kBlue, kRed, kRed, RGB(129, 0, 126)},
    };
    send(PBM_SETBKCOLOR, 0, LPARAM(kWhite));
    send(PBM_SETPOS, 50);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        send(PBM_SETBARCOLOR, c.second, LPARAM(c.first));
        DibSurface surface(200, 20, kGreen);
        printClient(bar, surface);
        EXPECT_EQ(c.atStart, surface.pixel(0, 10));
        EXPECT_EQ(c.atMiddle, surface.pixel(99, 10));
        EXPECT_EQ(CRect(100, 0, 200, 20), surface.boundsOf(kWhite));
    }

    send(PBM_SETBARCOLOR, 0, LPARAM(CLR_DEFAULT));
    send(PBM_SETBKCOLOR, 0, LPARAM(CLR_DEFAULT));
    DibSurface surface(200, 20, kGreen);
    printClient(bar, surface);
    EXPECT_EQ(::GetSysColor(COLOR_ACTIVECAPTION), surface.pixel(0, 10));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), surface.pixel(150, 10));
}

TEST_F(ProgressInDialog, TextAndFontMessages)
{
    EXPECT_EQ(TRUE, send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"%d%%")));
    EXPECT_EQ(CString(L"%d%%"), bar.GetText());
    EXPECT_EQ(4, send(WM_GETTEXTLENGTH));
    struct Case {
        WPARAM capacity;
        LRESULT copied;
        std::wstring buffer; // as copied: padded with nulls, unterminated when full
    };
    const Case cases[] = {
        {8, 4, std::wstring(L"%d%%\0\0\0\0#", 9)},
        {4, 4, L"%d%%#"},
        {2, 2, L"%d##"},
        {0, 0, L"#"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.capacity);
        std::wstring buffer(c.buffer.size(), L'#');
        EXPECT_EQ(c.copied, send(WM_GETTEXT, c.capacity, reinterpret_cast<LPARAM>(buffer.data())));
        EXPECT_EQ(c.buffer, buffer);
    }

    EXPECT_NE(0, send(WM_GETFONT)) << "the dialog's font";
    EXPECT_EQ(::SendMessage(native, WM_GETFONT, 0, 0), send(WM_GETFONT));
    CFont font;
    font.CreateFont(-20, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                    NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
    bar.Invalidate();
    EXPECT_EQ(0, send(WM_SETFONT, reinterpret_cast<WPARAM>(font.GetSafeHandle()), TRUE));
    CRect update;
    EXPECT_FALSE(bar.GetUpdateRect(&update)) << "painted at once";
    EXPECT_EQ(reinterpret_cast<LRESULT>(font.GetSafeHandle()), send(WM_GETFONT));
    EXPECT_EQ(font.GetSafeHandle(), bar.GetFont()->GetSafeHandle());
    send(WM_SETFONT, 0, FALSE);
    EXPECT_EQ(0, send(WM_GETFONT));
    EXPECT_EQ(nullptr, bar.GetFont());
}

TEST_F(ProgressInDialog, EmptyRangesZeroSizesAndLostFontsPaintSafely)
{
    bar.SetShowPercent(TRUE);
    bar.SetTextColor(kBlue);
    send(PBM_SETBKCOLOR, 0, LPARAM(kWhite));
    CFont lost;
    lost.CreateFont(-20, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                    NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
    send(WM_SETFONT, reinterpret_cast<WPARAM>(lost.GetSafeHandle()));
    lost.DeleteObject();
    send(PBM_SETRANGE32, 7, 7);
    EXPECT_EQ(7, send(PBM_SETPOS, 9));
    EXPECT_EQ(7, send(PBM_GETPOS));
    bar.RunAnimation(1, 5);

    DibSurface surface(120, 20, kGreen);
    printClient(bar, surface);
    EXPECT_EQ(CRect(0, 0, 120, 20), surface.boundsOf([](COLORREF c) { return c != kGreen; }));
    EXPECT_FALSE(surface.boundsOf(kBlue).IsRectEmpty()) << "0% in the surface's font";

    surface.fill(kGreen);
    bar.MoveWindow(0, 0, 0, 0, FALSE);
    bar.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.hdc()), PRF_CLIENT);
    EXPECT_EQ(CRect(), surface.boundsOf([](COLORREF c) { return c != kGreen; }));
    bar.StopAnimation();
}

TEST_F(ProgressInDialog, AnimationTimerScrollsTheGradientCyclically)
{
    send(PBM_SETPOS, 100);
    DibSurface surface(100, 10);
    std::vector<int> shifts;
    bar.RunAnimation(1, 5);
    ASSERT_TRUE(pumpTicks(bar, ProgressCtrlX::kAnimationTimer, 20, [&] {
        printClient(bar, surface);
        shifts.push_back(bar.shifts.back());
    }));
    bar.StopAnimation();
    std::vector<int> expected;
    for (int i = 1; i <= 20; ++i)
        expected.push_back(5 * i % 100);
    EXPECT_EQ(expected, shifts);
    EXPECT_FALSE(::KillTimer(bar, ProgressCtrlX::kAnimationTimer)) << "stopped";
}

TEST_F(ProgressInDialog, SnakeTimerStepsUntilStoppedOrDestroyed)
{
    std::vector<int> positions;
    bar.RunSnake(1);
    ASSERT_TRUE(pumpTicks(bar, ProgressCtrlX::kSnakeTimer, 12, [&] { positions.push_back(bar.GetPos()); }));
    EXPECT_EQ((std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 100, 100}), positions);
    bar.StopSnake();
    EXPECT_FALSE(pumpTicks(bar, ProgressCtrlX::kSnakeTimer, 1, {}, 50));

    send(PBM_SETPOS, 0);
    bar.SetSnake(TRUE);
    bar.RunSnake(1);
    bar.RunAnimation(1, 5);
    ASSERT_TRUE(pumpTicks(bar, ProgressCtrlX::kSnakeTimer, 1, {}));
    const HWND window = bar.GetSafeHwnd();
    bar.DestroyWindow();
    EXPECT_FALSE(pumpTicks(window, ProgressCtrlX::kSnakeTimer, 1, {}, 50));
    EXPECT_FALSE(pumpTicks(window, ProgressCtrlX::kAnimationTimer, 1, {}, 50));
}

TEST_F(ProgressInDialog, TooltipTextFollowsThePosition)
{
    struct Case {
        const char* name;
        LPCWSTR pattern;
        DWORD mode;
        int pos;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"position", L"%d items", PBS_SHOW_POSITION, 42, L"42 items"},
        {"percent", L"%d%%", PBS_SHOW_PERCENT, 50, L"25%"},
        {"mode out of the mask", L"at %d", PBS_SHOW_POSITION | PBS_SNAKE, 60, L"at 60"},
        {"no mode keeps the last text", L"%d", 0, 70, L"at 60"},
    };
    send(PBM_SETRANGE32, 0, 200);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bar.SetTooltipFormat(c.pattern, c.mode);
        send(PBM_SETPOS, c.pos);
        EXPECT_EQ(std::wstring(c.expected), qvtest::tooltipText(qvtest::threadTooltip()));
    }
    EXPECT_STREQ(L"%d", bar.GetTooltipText());
}

} // namespace
