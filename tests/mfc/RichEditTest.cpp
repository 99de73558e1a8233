#include "TestWindows.h"

#include <qvtest/DibSurface.h>

#include <afxcmn.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace qvtest::colors;

const UINT editId = 4;

class RichEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(createPopup(parent, 300, 200));
        // Without a scroll bar: under Wine a visible one makes every append take ~50 ms.
        ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 280, 80), &parent, editId));
    }

    // Inserts text at the end in the colour, bold or not, as a log pane appends.
    void append(const wchar_t* text, COLORREF color, bool bold)
    {
        const long end = edit.GetTextLength();
        edit.SetSel(end, end);
        CHARFORMAT format{};
        format.dwMask = CFM_COLOR | CFM_BOLD;
        format.dwEffects = bold ? CFE_BOLD : 0;
        format.crTextColor = color;
        ASSERT_TRUE(edit.SetSelectionCharFormat(format));
        edit.ReplaceSel(text);
    }

    CHARFORMAT formatOf(long start, long end)
    {
        edit.SetSel(start, end);
        CHARFORMAT format{};
        edit.GetSelectionCharFormat(format);
        return format;
    }

    CWnd parent;
    CRichEditCtrl edit;
};

TEST_F(RichEditTest, AppendedTextReportsItsColourAndWeight)
{
    append(L"plain ", kBlack, false);
    append(L"red ", kRed, true);
    append(L"blue", kBlue, false);
    struct Case {
        const char* label;
        long start;
        long end;
        COLORREF color;
        bool bold;
    };
    const Case cases[] = {
        {"plain", 0, 5, kBlack, false},
        {"red and bold", 6, 9, kRed, true},
        {"blue", 10, 14, kBlue, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const CHARFORMAT format = formatOf(c.start, c.end);
        EXPECT_NE(format.dwMask & CFM_COLOR, 0u);
        EXPECT_EQ(format.crTextColor, c.color);
        EXPECT_EQ((format.dwEffects & CFE_BOLD) != 0, c.bold);
        EXPECT_EQ(edit.GetSelText().GetLength(), c.end - c.start);
    }
    long start = 0;
    long end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 10);
    EXPECT_EQ(end, 14);
    // A selection of two colours has no colour of its own.
    EXPECT_EQ(formatOf(0, 14).dwMask & CFM_COLOR, 0u);
}

TEST_F(RichEditTest, TheDefaultFormatColoursNewText)
{
    CHARFORMAT format{};
    format.dwMask = CFM_COLOR;
    format.crTextColor = kGreen;
    ASSERT_TRUE(edit.SetDefaultCharFormat(format));
    CHARFORMAT read{};
    edit.GetDefaultCharFormat(read);
    EXPECT_EQ(read.crTextColor, kGreen);
    edit.ReplaceSel(L"typed");
    EXPECT_EQ(formatOf(0, 5).crTextColor, kGreen);
}

TEST_F(RichEditTest, TypingStopsAtTheTextLimit)
{
    edit.LimitText(5);
    EXPECT_EQ(edit.GetLimitText(), 5);
    edit.SetFocus();
    for (wchar_t c : std::wstring(L"abcdefgh"))
        edit.SendMessage(WM_CHAR, c, 1);
    EXPECT_EQ(edit.GetTextLength(), 5);
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, CString(L"abcde"));
}

TEST_F(RichEditTest, LineScrollMovesTheFirstVisibleLine)
{
    const int lines = 50;
    for (int line = 1; line < lines; ++line)
        edit.ReplaceSel(L"line\r");
    EXPECT_EQ(edit.GetLineCount(), lines);
    EXPECT_EQ(edit.LineIndex(3), 15);
    EXPECT_GT(edit.PosFromChar(15).y, edit.PosFromChar(10).y);
    EXPECT_EQ(edit.LineFromChar(16), 3);
    EXPECT_EQ(edit.GetTextLengthEx(GTL_NUMCHARS), (lines - 1) * 5);
    edit.SetSel(0, 0);
    EXPECT_EQ(edit.GetFirstVisibleLine(), 0);
    edit.LineScroll(20);
    EXPECT_EQ(edit.GetFirstVisibleLine(), 20);
    edit.LineScroll(-5);
    EXPECT_EQ(edit.GetFirstVisibleLine(), 15);
}

} // namespace
