#include <qv.win/RichEditCtrl.h>

#include "qvtest/Capture.h"
#include "qvtest/DialogTemplate.h"
#include "qvtest/Input.h"
#include "qvtest/MfcPump.h"

#include <gtest/gtest.h>

#include <richedit.h>

#include <memory>
#include <string>

using qv::gui::RichEditCtrl;

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const UINT kPaneId = 1001;
const UINT kEditId = 1002;
const DWORD kPaneStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY;

// A top-level window of the framework holding a log pane (with a regular font: a rich edit
// starts in bold "System") and an edit beside it.
class PaneHost {
public:
    explicit PaneHost(DWORD show = SW_SHOWNA)
    {
        m_host.CreateEx(0, AfxRegisterWndClass(0), L"pane host", WS_POPUP, CRect(20, 20, 420, 320), nullptr, 0);
        m_font.CreatePointFont(90, L"Tahoma");
        pane.Create(kPaneStyle, CRect(0, 0, 300, 120), &m_host, kPaneId);
        pane.SetFont(&m_font);
        edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 150, 300, 180), &m_host, kEditId);
        m_host.ShowWindow(static_cast<int>(show));
        qvtest::pumpMfcUntilIdle();
    }

    RichEditCtrl pane;
    CEdit edit;

private:
    CWnd m_host;
    CFont m_font;
};

struct Format {
    COLORREF color;
    bool bold;
    bool uniform;
};

// The format of the characters from start to end, read back from the control.
Format formatOf(RichEditCtrl& pane, long start, long end)
{
    CHARFORMAT format{};
    pane.SetSel(start, end);
    pane.GetSelectionCharFormat(format);
    const DWORD both = CFM_COLOR | CFM_BOLD;
    return {format.crTextColor, (format.dwEffects & CFE_BOLD) != 0, (format.dwMask & both) == both};
}

CString textOf(const RichEditCtrl& pane)
{
    CString text;
    pane.GetWindowText(text);
    return text;
}

TEST(RichEditCtrl, AppendsAtTheEndInColourKeepingBoldOnceSet)
{
    struct Step {
        const wchar_t* text;
        bool coloured;
        COLORREF color;
        bool bold;
        COLORREF expectedColor;
        bool expectedBold;
    };
    const COLORREF plain = ::GetSysColor(COLOR_WINDOWTEXT);
    const Step steps[] = {
        {L"first", false, 0, false, plain, false},
        {L"second", true, kRed, true, kRed, true},
        {L"third", false, 0, false, kRed, true},
        {L"fourth", true, kBlue, false, kBlue, true},
    };
    PaneHost host;
    RichEditCtrl& pane = host.pane;
    std::wstring expected;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.text);
        pane.SetSel(0, 2);
        const auto start = static_cast<long>(expected.size());
        if (step.coloured)
            pane.appendString(step.text, step.color, step.bold);
        else
            pane.appendString(step.text);
        expected += step.text;
        EXPECT_FALSE(pane.isSelected()) << "the user's selection gave way to the end";
        EXPECT_EQ(textOf(pane), expected.c_str());
        const Format format = formatOf(pane, start, static_cast<long>(expected.size()));
        EXPECT_TRUE(format.uniform);
        EXPECT_EQ(format.color, step.expectedColor);
        EXPECT_EQ(format.bold, step.expectedBold);
    }
}

TEST(RichEditCtrl, ClearsAndReportsSelections)
{
    PaneHost host;
    RichEditCtrl& pane = host.pane;
    pane.clearAll();
    EXPECT_EQ(pane.GetWindowTextLength(), 0) << "empty pane";

    pane.appendString(L"some log text");
    struct Case {
        long start;
        long end;
        bool selected;
    };
    const Case cases[] = {{0, 0, false}, {4, 4, false}, {0, 4, true}, {4, 0, true}, {0, -1, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << ".." << c.end);
        pane.SetSel(c.start, c.end);
        EXPECT_EQ(pane.isSelected(), c.selected);
    }

    pane.clearAll();
    EXPECT_EQ(pane.GetWindowTextLength(), 0);
    EXPECT_FALSE(pane.isSelected());
}

TEST(RichEditCtrl, KeepsTheEndOfALongLogInView)
{
    PaneHost host;
    RichEditCtrl& pane = host.pane;
    for (int line = 0; line < 200; ++line)
        pane.appendString(L"a line of the log\n", kBlue, false);
    qvtest::pumpMfcUntilIdle();

    EXPECT_GT(pane.GetFirstVisibleLine(), 150);
    CRect client;
    pane.GetClientRect(&client);
    const CPoint end = pane.PosFromChar(static_cast<UINT>(pane.LineIndex()));
    EXPECT_TRUE(client.PtInRect(end)) << end.x << ", " << end.y;
    EXPECT_GT(qvtest::Capture(pane).count(client, kBlue), 0) << "repainted once idle";
}

TEST(RichEditCtrl, IgnoresNullTextAndAVanishedWindow)
{
    auto host = std::make_unique<PaneHost>();
    RichEditCtrl& pane = host->pane;
    pane.appendString(L"kept");
    pane.appendString(nullptr);
    pane.appendString(nullptr, kRed, true);
    EXPECT_EQ(textOf(pane), L"kept");

    pane.DestroyWindow();
    pane.appendString(L"after");
    pane.appendString(L"after", kRed, true);
    pane.clearAll();
    EXPECT_FALSE(pane.isSelected());
    EXPECT_EQ(pane.GetSafeHwnd(), nullptr);
}

TEST(RichEditCtrl, RefusesTheFocusWhenNotSelectable)
{
    struct Case {
        bool selectable;
        UINT focusedId;
    };
    const Case cases[] = {{true, kPaneId}, {false, kEditId}};
    PaneHost host(SW_SHOW);
    ASSERT_TRUE(qvtest::bringToForeground(host.pane));
    host.pane.appendString(L"click me");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selectable ? "selectable" : "not selectable");
        host.pane.setSelectable(c.selectable);
        host.edit.SetFocus();
        qvtest::click(host.pane, CPoint(20, 10));
        qvtest::pumpMfcUntilIdle();
        ASSERT_NE(::GetFocus(), nullptr);
        EXPECT_EQ(static_cast<UINT>(::GetDlgCtrlID(::GetFocus())), c.focusedId);
    }
}

// An in-memory modeless dialog with a multi-line rich edit and an edit; closes on IDCANCEL.
class LogDialog {
public:
    LogDialog()
    {
        AfxInitRichEdit2();
        qvtest::DialogTemplate dialog(WS_POPUP | WS_VISIBLE | DS_MODALFRAME, 200, 120);
        dialog.item(kPaneStyle | WS_TABSTOP, 5, 5, 190, 60, kPaneId, RICHEDIT_CLASS);
        dialog.item(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, 5, 80, 190, 14, kEditId, L"EDIT");
        hwnd = ::CreateDialogIndirect(AfxGetInstanceHandle(), dialog.get(), nullptr, &LogDialog::proc);
    }
    ~LogDialog()
    {
        if (::IsWindow(hwnd))
            ::DestroyWindow(hwnd);
    }

    // Pumps as a host with a modeless dialog does: the framework's pre-translation first, then
    // the dialog's keyboard handling.
    void pumpUntilIdle() const
    {
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (AfxPreTranslateMessage(&msg) || (::IsWindow(hwnd) && ::IsDialogMessage(hwnd, &msg)))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }

    HWND hwnd = nullptr;

private:
    static INT_PTR CALLBACK proc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
    {
        if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
            ::DestroyWindow(dialog);
            return TRUE;
        }
        return message == WM_INITDIALOG;
    }
};

TEST(RichEditCtrl, KeepsEscapeFromTheDialog)
{
    struct Case {
        const char* label;
        UINT focusedId;
        bool open;
    };
    const Case cases[] = {{"escape in the log pane", kPaneId, true}, {"escape in the edit", kEditId, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        LogDialog dialog;
        ASSERT_NE(dialog.hwnd, nullptr);
        RichEditCtrl pane;
        ASSERT_TRUE(pane.SubclassDlgItem(kPaneId, CWnd::FromHandle(dialog.hwnd)));
        ASSERT_TRUE(qvtest::bringToForeground(dialog.hwnd));
        ::SetFocus(::GetDlgItem(dialog.hwnd, static_cast<int>(c.focusedId)));
        dialog.pumpUntilIdle();

        qvtest::pressKey(VK_ESCAPE);
        dialog.pumpUntilIdle();
        EXPECT_EQ(::IsWindow(dialog.hwnd) != FALSE, c.open);
    }
}

} // namespace
