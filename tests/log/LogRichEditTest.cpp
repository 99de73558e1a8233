#include <qv.win/LogRichEdit.h>
#include <qv.win/RichEditCtrl.h>
#include <qv.win/core/qv.Log.h>

#include "LogLineMatch.h"

#include "qvtest/MfcPump.h"

#include <gtest/gtest.h>

#include <richedit.h>

#include <algorithm>
#include <memory>
#include <thread>

using qv::LogRichEdit;
using qv::gui::RichEditCtrl;

namespace {

const COLORREF kPurple = RGB(128, 0, 128);

// A log pane in a top-level window of the framework that is never activated.
class Pane {
public:
    Pane()
    {
        m_host.CreateEx(0, AfxRegisterWndClass(0), L"log", WS_POPUP, CRect(0, 0, 500, 300), nullptr, 0);
        pane.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY, CRect(0, 0, 500, 300), &m_host, 1);
        m_host.ShowWindow(SW_SHOWNA);
    }

    // The pane's lines, without the empty one after the last line break.
    std::vector<std::wstring> lines() const
    {
        CString text;
        pane.GetWindowText(text);
        const std::wstring all(text);
        std::vector<std::wstring> lines;
        for (size_t start = 0; start < all.size();) {
            const size_t end = std::min(all.find_first_of(L"\r\n", start), all.size());
            lines.push_back(all.substr(start, end - start));
            start = end + (all.compare(end, 2, L"\r\n") == 0 ? 2 : 1);
        }
        return lines;
    }

    struct Format {
        COLORREF color;
        bool bold;
    };
    // The format of the first character of a line.
    Format lineFormat(int line)
    {
        const int start = pane.LineIndex(line);
        pane.SetSel(start, start + 1);
        CHARFORMAT format{};
        pane.GetSelectionCharFormat(format);
        return {format.crTextColor, (format.dwEffects & CFE_BOLD) != 0};
    }

    RichEditCtrl pane;

private:
    CWnd m_host;
};

std::vector<std::wstring> textsOf(const std::vector<std::wstring>& lines)
{
    return logtest::textsOf(logtest::parseLines(lines, L""));
}

TEST(LogRichEdit, WritesEachLineWithThePrefixInTheColourOfItsLevel)
{
    struct Case {
        qv::LogLevel level;
        const char* text;
        COLORREF color;
        bool bold;
    };
    const Case cases[] = {
        {qv::LogError, "broken", RGB(192, 0, 0), true},
        {qv::LogWarning, "careful", RGB(192, 96, 0), false},
        {qv::LogInfo, "fine", ::GetSysColor(COLOR_WINDOWTEXT), false},
        {qv::LogDebug, "details", RGB(128, 128, 128), false},
    };
    Pane pane;
    LogRichEdit sink(pane.pane, qv::LogAll);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.text);
        sink.write(c.text, c.level, "", 0);
        const std::vector<std::wstring> lines = pane.lines();
        ASSERT_EQ(lines.size(), i + 1);
        EXPECT_TRUE(lines[i].ends_with(L"|" + std::wstring(CString(c.text)))) << lines[i];
        const Pane::Format format = pane.lineFormat(static_cast<int>(i));
        EXPECT_EQ(format.color, c.color);
        EXPECT_EQ(format.bold, c.bold);
    }

    pane.pane.clearAll();
    sink.write("two lines\nthe second with blanks  ", qv::LogInfo, "", 0);
    EXPECT_EQ(textsOf(pane.lines()), (std::vector<std::wstring>{L"two lines", L"the second with blanks"}));
}

TEST(LogRichEdit, TakesTheStylesItIsGiven)
{
    Pane pane;
    LogRichEdit sink(pane.pane, qv::LogAll);
    sink.setStyle(qv::LogInfo, kPurple, true);
    sink.setStyle(qv::LogDefault, RGB(0, 255, 0), false);
    sink.write("styled", qv::LogInfo, "", 0);
    const Pane::Format format = pane.lineFormat(0);
    EXPECT_EQ(format.color, kPurple);
    EXPECT_TRUE(format.bold);
}

TEST(LogRichEdit, AppendsOtherThreadsMessagesOnThePanesThreadInOrder)
{
    Pane pane;
    LogRichEdit sink(pane.pane);
    std::thread([&] { sink.write("from a worker", qv::LogInfo, "", 0); }).join();
    EXPECT_TRUE(pane.lines().empty()) << "not before the pane's thread handles its messages";

    sink.write("from the pane's thread", qv::LogInfo, "", 0);
    qvtest::pumpMfcUntilIdle();
    std::thread([&] { sink.write("later from a worker", qv::LogInfo, "", 0); }).join();
    qvtest::pumpMfcUntilIdle();

    const std::vector<std::wstring> expected{L"from a worker", L"from the pane's thread", L"later from a worker"};
    const std::vector<logtest::LogLine> lines = logtest::parseLines(pane.lines(), L"");
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_TRUE(lines[i].text.ends_with(expected[i])) << lines[i].text;
}

TEST(LogRichEdit, ReceivesWarningsOfTheLoggingSystemAndSurvivesItsPane)
{
    auto pane = std::make_unique<Pane>();
    LogRichEdit sink(pane->pane);
    qv::Log::add(&sink);
    qv::Log::warning("value %d", 5);
    EXPECT_EQ(pane->lines().size(), 1u);
    EXPECT_EQ(pane->lineFormat(0).color, RGB(192, 96, 0));

    pane->pane.DestroyWindow();
    qv::Log::warning("after the pane");
    qv::Log::remove(&sink);
    pane.reset();
}

} // namespace
