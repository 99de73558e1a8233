#include "TestWindows.h"

#include <qvtest/MfcPump.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Log = std::vector<std::wstring>;

// Records each WM_KEYDOWN it is offered for pre-translation; handles it when told to.
class TranslatingWnd : public CWnd {
public:
    TranslatingWnd(Log& log, const wchar_t* name) : m_log(log), m_name(name) {}

    BOOL handles = FALSE;
    int keyDowns = 0;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message != WM_KEYDOWN)
            return CWnd::PreTranslateMessage(pMsg);
        m_log.push_back(m_name);
        return handles;
    }

protected:
    afx_msg void OnKeyDown(UINT, UINT, UINT) { ++keyDowns; }

    DECLARE_MESSAGE_MAP()

private:
    Log& m_log;
    const wchar_t* m_name;
};

BEGIN_MESSAGE_MAP(TranslatingWnd, CWnd)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

// top (popup) > middle > a foreign STATIC > leaf
class PreTranslateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(createPopup(top));
        ASSERT_TRUE(middle.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 100, 100), &top, 1));
        foreign = ::CreateWindowEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 80, 80, middle.m_hWnd,
                                   reinterpret_cast<HMENU>(2), nullptr, nullptr);
        ASSERT_TRUE(leaf.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 50, 50), CWnd::FromHandle(foreign), 3));
        qvtest::pumpMfcUntilIdle();
    }

    Log log;
    TranslatingWnd top{log, L"top"};
    TranslatingWnd middle{log, L"middle"};
    HWND foreign = nullptr;
    TranslatingWnd leaf{log, L"leaf"};
};

TEST_F(PreTranslateTest, WalkGoesFromTheTargetUpItsParentsAndStopsAtTheFirstThatHandles)
{
    struct Case {
        const wchar_t* name;
        TranslatingWnd* handler;
        Log expected;
        int dispatched;
    };
    const Case cases[] = {
        {L"nobody", nullptr, {L"leaf", L"middle", L"top"}, 1},
        {L"top", &top, {L"leaf", L"middle", L"top"}, 0},
        {L"middle", &middle, {L"leaf", L"middle"}, 0},
        {L"leaf", &leaf, {L"leaf"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        log.clear();
        leaf.keyDowns = 0;
        for (TranslatingWnd* wnd : {&top, &middle, &leaf})
            wnd->handles = wnd == c.handler;
        leaf.PostMessage(WM_KEYDOWN, 'A');
        qvtest::pumpMfcUntilIdle();
        EXPECT_EQ(log, c.expected);
        EXPECT_EQ(leaf.keyDowns, c.dispatched);
    }
}

TEST_F(PreTranslateTest, WalkStopsAtTheGivenWindow)
{
    MSG msg{leaf.m_hWnd, WM_KEYDOWN, 'A', 0, 0, {}};
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(middle.m_hWnd, &msg));
    EXPECT_EQ(log, (Log{L"leaf", L"middle"}));
}

TEST_F(PreTranslateTest, ApplicationPumpPreTranslatesUntilQuit)
{
    CWinApp app;
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_EQ(AfxGetThread(), &app);
    app.m_pMainWnd = &top;
    middle.handles = TRUE;
    leaf.PostMessage(WM_KEYDOWN, 'A');
    ::PostQuitMessage(3);
    EXPECT_EQ(app.Run(), 3);
    EXPECT_EQ(log, (Log{L"leaf", L"middle"}));
    EXPECT_EQ(leaf.keyDowns, 0);
    app.m_pMainWnd = nullptr;
}

class ClosingApp : public CWinApp {
public:
    bool exited = false;

    BOOL InitInstance() override
    {
        auto* frame = new CFrameWnd;
        if (!frame->Create(nullptr, L"app"))
            return FALSE;
        m_pMainWnd = frame;
        frame->PostMessage(WM_CLOSE);
        return TRUE;
    }
    int ExitInstance() override
    {
        exited = true;
        return CWinApp::ExitInstance();
    }
};

TEST(ApplicationTest, ClosingTheMainWindowEndsTheApplication)
{
    ClosingApp app;
    wchar_t commandLine[] = L"";
    EXPECT_EQ(AfxWinMain(::GetModuleHandle(nullptr), nullptr, commandLine, SW_SHOWNORMAL), 0);
    EXPECT_TRUE(app.exited);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(app.m_lpCmdLine, commandLine);
}

} // namespace
