#include <qv.win/SplashWnd.h>

#include "SplashResources.h"

#include "qvtest/Capture.h"
#include "qvtest/MfcPump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using qv::gui::SplashWnd;

namespace {

const int kBitmapWidth = 160;
const int kBitmapHeight = 100;
const int kCornerSquare = 8;
const COLORREF kNavy = RGB(0, 0, 128);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kTextColor = RGB(255, 255, 255);
// Where the status line may paint: 16 pixels in from the sides, 24 to 4 above the bottom.
// How far from its right end a text that ends in "..." shows only dots.
const int kEllipsisEnd = 5;
const CRect kStatusBand(16, kBitmapHeight - 24, kBitmapWidth - 16, kBitmapHeight - 4);

const UINT kPending = WM_APP + 1;

// A splash that counts its paints, shows its status text and records whether it was visible
// when it handled kPending.
class ProbedSplash : public SplashWnd {
public:
    int paints = 0;
    std::vector<BOOL> visibleWhenPending;
    CString status() const { return statusText; }

protected:
    afx_msg void OnPaint()
    {
        ++paints;
        SplashWnd::OnPaint();
    }
    afx_msg LRESULT OnPending(WPARAM, LPARAM)
    {
        visibleWhenPending.push_back(IsWindowVisible());
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ProbedSplash, SplashWnd)
    ON_WM_PAINT()
    ON_MESSAGE(kPending, OnPending)
END_MESSAGE_MAP()

// The smallest rectangle of the area holding every pixel that is not the picture's background or
// a corner square.
CRect textBounds(const qvtest::Capture& capture, const CRect& area)
{
    return capture.boundsOf([](COLORREF c) { return c != kNavy && c != kRed && c != kGreen; }, area);
}

// One splash shared by the tests that do not destroy it: under Wine without a window manager,
// destroying an activated top-level window waits two seconds for the window manager.
class SplashShown : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        shared = new ProbedSplash;
        shared->Create(nullptr, IDB_SPLASH, kTextColor);
    }
    static void TearDownTestSuite() { delete shared; }

    void SetUp() override
    {
        ASSERT_NE(shared->GetSafeHwnd(), nullptr);
        shared->ShowWindow(SW_SHOWNA);
        shared->SetStatusText(L"Initializing ...");
        qvtest::pumpMfcUntilIdle();
    }

    static ProbedSplash* shared;
    ProbedSplash& splash = *shared;
};

ProbedSplash* SplashShown::shared = nullptr;

TEST_F(SplashShown, IsABorderlessPopupOfThePictureCentredOnTheWorkArea)
{
    CRect work;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    CRect window;
    splash.GetWindowRect(&window);
    const CPoint corner(work.left + (work.Width() - kBitmapWidth) / 2, work.top + (work.Height() - kBitmapHeight) / 2);
    EXPECT_EQ(window, CRect(corner, CSize(kBitmapWidth, kBitmapHeight)));
    CRect client;
    splash.GetClientRect(&client);
    EXPECT_EQ(client.Size(), window.Size()) << "the whole window is client area";
    EXPECT_EQ(splash.GetStyle() & (WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_BORDER), DWORD(WS_POPUP | WS_VISIBLE));
    EXPECT_EQ(::GetTopWindow(nullptr), splash.m_hWnd);
    EXPECT_FALSE(splash.Create(nullptr, IDB_SPLASH, kTextColor)) << "a second window";
}

TEST_F(SplashShown, PaintsThePictureWithTheStatusLineOverItsLowerEdge)
{
    const std::wstring longText(200, L'W');
    struct Case {
        const char* label;
        const wchar_t* text;
        bool painted;
    };
    const Case cases[] = {
        {"initial status", nullptr, true},
        {"status wider than the band", longText.c_str(), true},
        {"cleared status", L"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        if (c.text != nullptr)
            splash.SetStatusText(c.text);
        qvtest::pumpMfcUntilIdle();
        const qvtest::Capture capture(splash);
        EXPECT_EQ(capture.pixel(0, 0), kRed);
        EXPECT_EQ(capture.pixel(kCornerSquare - 1, kCornerSquare - 1), kRed);
        EXPECT_EQ(capture.pixel(kBitmapWidth - 1, kBitmapHeight - 1), kGreen);
        EXPECT_EQ(capture.pixel(kBitmapWidth - kCornerSquare, kBitmapHeight - kCornerSquare), kGreen);
        const CRect text = textBounds(capture, CRect(0, 0, kBitmapWidth, kBitmapHeight));
        if (!c.painted) {
            EXPECT_TRUE(text.IsRectEmpty()) << "no text band";
            continue;
        }
        EXPECT_GT(capture.count(kStatusBand, kTextColor), 0);
        EXPECT_GE(text.left, kStatusBand.left);
        EXPECT_LE(text.right, kStatusBand.right);
        EXPECT_GE(text.top, kStatusBand.top);
        EXPECT_LE(text.bottom, kStatusBand.bottom);
        const CRect endTop(text.right - kEllipsisEnd, text.top, text.right, text.CenterPoint().y);
        EXPECT_TRUE(textBounds(capture, endTop).IsRectEmpty()) << "ends in dots";
    }
}

TEST_F(SplashShown, TakesStatusTextsAndRepaintsAtOnceOnlyWhenTheyChange)
{
    struct Step {
        const wchar_t* text;
        int paints;
        const wchar_t* status;
    };
    const Step steps[] = {
        {L"Loading", 1, L"Loading"},
        {L"Loading", 0, L"Loading"},
        {nullptr, 1, L""},
        {L"", 0, L""},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.status);
        splash.paints = 0;
        splash.SetStatusText(step.text);
        EXPECT_EQ(splash.paints, step.paints) << "painted without pumping";
        EXPECT_EQ(splash.status(), step.status);
    }

    splash.SetStatusText(UINT(IDS_SPLASH_LOADING));
    EXPECT_EQ(splash.status(), L"Loading models");
    splash.SetStatusText(UINT(IDS_MISSING));
    EXPECT_EQ(splash.status(), L"Loading models") << "a string that does not load";

    ProbedSplash windowless;
    windowless.SetStatusText(L"Stored");
    EXPECT_EQ(windowless.status(), L"Stored");
}

TEST_F(SplashShown, IgnoresCloseRequests)
{
    struct Case {
        const char* label;
        UINT message;
        WPARAM wParam;
    };
    const Case cases[] = {
        {"WM_CLOSE", WM_CLOSE, 0},
        {"Alt+F4 (system close command)", WM_SYSCOMMAND, SC_CLOSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        splash.SendMessage(c.message, c.wParam);
        qvtest::pumpMfcUntilIdle();
        EXPECT_TRUE(::IsWindow(splash.GetSafeHwnd()));
        EXPECT_TRUE(splash.IsWindowVisible());
    }
}

TEST(SplashWnd, AMissingBitmapLeavesNoWindow)
{
    SplashWnd constructed(nullptr, IDB_MISSING, kTextColor);
    EXPECT_EQ(constructed.GetSafeHwnd(), nullptr);
    SplashWnd created;
    EXPECT_FALSE(created.Create(nullptr, IDB_MISSING, kTextColor));
    EXPECT_EQ(created.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(created.DestroyWindow());
}

TEST(SplashWnd, DestroyHidesThenHandlesPendingMessagesThenDestroys)
{
    ProbedSplash splash;
    ASSERT_TRUE(splash.Create(nullptr, IDB_SPLASH, kTextColor));
    const HWND window = splash.GetSafeHwnd();
    splash.PostMessage(kPending);

    EXPECT_TRUE(splash.DestroyWindow());
    EXPECT_EQ(splash.visibleWhenPending, std::vector<BOOL>{FALSE});
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(splash.GetSafeHwnd(), nullptr);
}

// Counts the idle calls the pump makes.
class IdleCountingApp : public CWinApp {
public:
    std::vector<LONG> counts;
    BOOL OnIdle(LONG count) override
    {
        counts.push_back(count);
        return count < 2;
    }
};

TEST_F(SplashShown, PumpPostsQuitAgainAndRunsIdleUntilDone)
{
    {
        IdleCountingApp app;
        splash.PeekAndPumpMessage(false);
        EXPECT_TRUE(app.counts.empty());
        splash.PeekAndPumpMessage(true);
        EXPECT_EQ(app.counts, (std::vector<LONG>{0, 1, 2}));
    }

    ::PostQuitMessage(7);
    splash.PeekAndPumpMessage(true);
    MSG message;
    ASSERT_TRUE(::PeekMessage(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 0u) << "posted again with exit code 0";
}

} // namespace
