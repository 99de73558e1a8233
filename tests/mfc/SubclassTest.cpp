#include "TestWindows.h"

#include <gtest/gtest.h>

namespace {

const UINT placeholderId = 100;
const UINT staticId = 101;
const wchar_t placeholderClass[] = L"QvTestPlaceholder";

class Placeholder : public CWnd {
public:
    int preSubclassCalls = 0;
    int sizes = 0;

protected:
    void PreSubclassWindow() override
    {
        ++preSubclassCalls;
        CWnd::PreSubclassWindow();
    }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        ++sizes;
        CWnd::OnSize(nType, cx, cy);
    }
    afx_msg LRESULT OnApp(WPARAM, LPARAM) { return 7; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Placeholder, CWnd)
    ON_WM_SIZE()
    ON_MESSAGE(WM_APP, &Placeholder::OnApp)
END_MESSAGE_MAP()

// A dialog-like parent with two placeholders: one of a registered class, one "STATIC".
class SubclassTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASS wc{};
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.lpszClassName = placeholderClass;
        ASSERT_TRUE(AfxRegisterClass(&wc));
        ASSERT_TRUE(createPopup(parent));
        ::CreateWindowEx(0, placeholderClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, parent.m_hWnd,
                         reinterpret_cast<HMENU>(placeholderId), AfxGetInstanceHandle(), nullptr);
        ::CreateWindowEx(0, L"STATIC", L"text", WS_CHILD | WS_VISIBLE, 30, 0, 40, 20, parent.m_hWnd,
                         reinterpret_cast<HMENU>(staticId), nullptr, nullptr);
    }

    CWnd parent;
};

TEST_F(SubclassTest, SubclassDlgItemCallsPreSubclassWindowOnceAndRoutesThroughTheMap)
{
    for (UINT id : {placeholderId, staticId}) {
        SCOPED_TRACE(id);
        Placeholder control;
        ASSERT_TRUE(control.SubclassDlgItem(id, &parent));
        EXPECT_EQ(control.preSubclassCalls, 1);
        EXPECT_EQ(CWnd::FromHandlePermanent(control.m_hWnd), &control);
        control.MoveWindow(0, 0, 25, 25);
        EXPECT_EQ(control.sizes, 1);
        EXPECT_EQ(control.SendMessage(WM_APP), 7);
        // Unmapped messages still reach the original window procedure.
        control.SetWindowText(L"new");
        CString text;
        control.GetWindowText(text);
        EXPECT_EQ(text, CString(L"new"));
        control.UnsubclassWindow();
    }
}

TEST_F(SubclassTest, UnsubclassWindowRestoresTheOriginalProcedure)
{
    HWND hWnd = ::GetDlgItem(parent.m_hWnd, staticId);
    const LONG_PTR original = ::GetWindowLongPtr(hWnd, GWLP_WNDPROC);
    Placeholder control;
    ASSERT_TRUE(control.SubclassWindow(hWnd));
    EXPECT_EQ(::GetWindowLongPtr(hWnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(AfxGetAfxWndProc()));
    EXPECT_EQ(control.UnsubclassWindow(), hWnd);
    EXPECT_EQ(::GetWindowLongPtr(hWnd, GWLP_WNDPROC), original);
    EXPECT_EQ(::SendMessage(hWnd, WM_APP, 0, 0), 0);
    EXPECT_EQ(control.m_hWnd, nullptr);
}

TEST_F(SubclassTest, MissingOrTakenWindowsAreRefused)
{
    Placeholder control;
    EXPECT_FALSE(control.SubclassDlgItem(999, &parent));
    EXPECT_EQ(control.preSubclassCalls, 0);
    ASSERT_TRUE(control.SubclassDlgItem(staticId, &parent));
    Placeholder second;
    EXPECT_FALSE(second.SubclassDlgItem(staticId, &parent));
    EXPECT_EQ(second.preSubclassCalls, 0);
    control.UnsubclassWindow();
}

TEST_F(SubclassTest, ModifyStyleExReportsChanges)
{
    Placeholder control;
    ASSERT_TRUE(control.SubclassDlgItem(placeholderId, &parent));
    EXPECT_TRUE(control.ModifyStyleEx(0, WS_EX_STATICEDGE, SWP_FRAMECHANGED));
    EXPECT_TRUE(control.GetExStyle() & WS_EX_STATICEDGE);
    EXPECT_FALSE(control.ModifyStyleEx(0, WS_EX_STATICEDGE));
    EXPECT_TRUE(control.ModifyStyle(WS_VISIBLE, 0));
    EXPECT_FALSE(control.IsWindowVisible());
    control.UnsubclassWindow();
}

} // namespace
