#include "TestWindows.h"

#include <qvtest/MfcPump.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const UINT registeredMessage = ::RegisterWindowMessage(L"qv.test.registered");

class BaseWnd : public CWnd {
public:
    std::vector<std::wstring> calls;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        calls.push_back(L"Base::OnSize");
        CWnd::OnSize(nType, cx, cy);
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent) { calls.push_back(L"Base::OnTimer " + std::to_wstring(nIDEvent)); }
    afx_msg LRESULT OnApp(WPARAM, LPARAM) { return 41; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_MESSAGE(WM_APP, &BaseWnd::OnApp)
END_MESSAGE_MAP()

class DerivedWnd : public BaseWnd {
public:
    int creates = 0;
    CPoint lastPoint;
    short lastDelta = 0;
    UINT currentMessage = 0;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        ++creates;
        return BaseWnd::OnCreate(lpCreateStruct);
    }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        calls.push_back(L"Derived::OnSize " + std::to_wstring(cx) + L"x" + std::to_wstring(cy));
        BaseWnd::OnSize(nType, cx, cy);
    }
    afx_msg void OnLButtonDown(UINT, CPoint point)
    {
        lastPoint = point;
        currentMessage = GetCurrentMessage()->message;
    }
    afx_msg BOOL OnMouseWheel(UINT, short zDelta, CPoint point)
    {
        lastDelta = zDelta;
        lastPoint = point;
        return TRUE;
    }
    afx_msg LRESULT OnApp(WPARAM, LPARAM) { return 42; }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam) * 2; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWnd, BaseWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEWHEEL()
    ON_MESSAGE(WM_APP, &DerivedWnd::OnApp)
    ON_REGISTERED_MESSAGE(registeredMessage, &DerivedWnd::OnRegistered)
END_MESSAGE_MAP()

// One map serves every instantiation; each chains to the map of its own base.
template <class Base>
class TemplateWnd : public Base {
public:
    std::vector<std::wstring> templateCalls;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        templateCalls.push_back(L"Template::OnSize");
        Base::OnSize(nType, cx, cy);
    }
    afx_msg LRESULT OnTemplateApp(WPARAM, LPARAM) { return 7; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_TEMPLATE_MESSAGE_MAP(TemplateWnd, Base, Base)
    ON_WM_SIZE()
    ON_MESSAGE(WM_APP + 2, &ThisClass::OnTemplateApp)
END_MESSAGE_MAP()

class LeafWnd : public TemplateWnd<CWnd> {
protected:
    afx_msg LRESULT OnApp(WPARAM, LPARAM) { return 9; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(LeafWnd, TemplateWnd<CWnd>)
    ON_MESSAGE(WM_APP, &LeafWnd::OnApp)
END_MESSAGE_MAP()

TEST(TemplateMessageMapTest, EachInstantiationChainsToItsOwnBase)
{
    TemplateWnd<BaseWnd> overBase;
    ASSERT_TRUE(createPopup(overBase));
    overBase.calls.clear();
    overBase.templateCalls.clear();
    overBase.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(30, 40));
    EXPECT_EQ(overBase.templateCalls, std::vector<std::wstring>{L"Template::OnSize"});
    EXPECT_EQ(overBase.calls, std::vector<std::wstring>{L"Base::OnSize"});
    EXPECT_EQ(overBase.SendMessage(WM_APP + 2), 7);
    EXPECT_EQ(overBase.SendMessage(WM_APP), 41) << "the base's entry";

    LeafWnd leaf;
    ASSERT_TRUE(createPopup(leaf));
    EXPECT_EQ(leaf.SendMessage(WM_APP + 2), 7) << "the template's entry under a derived map";
    EXPECT_EQ(leaf.SendMessage(WM_APP), 9);
    leaf.templateCalls.clear();
    leaf.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(30, 40));
    EXPECT_EQ(leaf.templateCalls, std::vector<std::wstring>{L"Template::OnSize"});
}

class MessageMapTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(createPopup(wnd)); }

    DerivedWnd wnd;
};

TEST_F(MessageMapTest, HandlersOverrideChainAndReturnThroughTheMaps)
{
    EXPECT_EQ(wnd.creates, 1);
    wnd.calls.clear();
    wnd.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(30, 40));
    wnd.SendMessage(WM_TIMER, 7);
    EXPECT_EQ(wnd.calls, (std::vector<std::wstring>{L"Derived::OnSize 30x40", L"Base::OnSize", L"Base::OnTimer 7"}));
    EXPECT_EQ(wnd.SendMessage(WM_APP), 42);
    EXPECT_EQ(wnd.SendMessage(registeredMessage, 21), 42);
    EXPECT_EQ(wnd.SendMessage(WM_APP + 1), 0);
}

TEST_F(MessageMapTest, MouseCoordinatesAreCrackedSigned)
{
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5, 12));
    EXPECT_EQ(wnd.lastPoint, CPoint(-5, 12));
    EXPECT_EQ(wnd.currentMessage, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_TRUE(wnd.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), MAKELPARAM(3, 4)));
    EXPECT_EQ(wnd.lastDelta, -WHEEL_DELTA);
    EXPECT_EQ(wnd.lastPoint, CPoint(3, 4));
}

TEST(HandleMapTest, FromHandleReturnsThePermanentObjectOrOneTemporary)
{
    CWnd wnd;
    ASSERT_TRUE(createPopup(wnd));
    EXPECT_EQ(CWnd::FromHandle(wnd.m_hWnd), &wnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);

    HWND foreign = ::CreateWindowEx(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(foreign, nullptr);
    CWnd* temporary = CWnd::FromHandle(foreign);
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(temporary->m_hWnd, foreign);
    EXPECT_EQ(CWnd::FromHandle(foreign), temporary);
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
    AfxLockTempMaps();
    AfxUnlockTempMaps();
    // The temporary is gone but the window is not.
    EXPECT_TRUE(::IsWindow(foreign));
    ::DestroyWindow(foreign);
}

TEST(HandleMapTest, AttachMakesPermanentAndDetachReleases)
{
    HWND foreign = ::CreateWindowEx(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    CWnd wnd;
    ASSERT_TRUE(wnd.Attach(foreign));
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign), &wnd);
    CWnd other;
    EXPECT_FALSE(other.Attach(foreign));
    EXPECT_EQ(wnd.Detach(), foreign);
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);
    EXPECT_TRUE(::IsWindow(foreign));
    ::DestroyWindow(foreign);
}

TEST(WindowClassTest, EachCombinationOfClassFieldsGetsItsOwnClass)
{
    const CString plain = AfxRegisterWndClass(CS_DBLCLKS);
    const CString withIcon = AfxRegisterWndClass(CS_DBLCLKS, nullptr, nullptr, ::LoadIcon(nullptr, IDI_APPLICATION));
    EXPECT_NE(plain, withIcon);
    EXPECT_EQ(CString(AfxRegisterWndClass(CS_DBLCLKS)), plain);
    WNDCLASS info{};
    ASSERT_TRUE(::GetClassInfo(AfxGetInstanceHandle(), withIcon, &info));
    EXPECT_EQ(info.hIcon, ::LoadIcon(nullptr, IDI_APPLICATION));
    EXPECT_EQ(info.style, static_cast<UINT>(CS_DBLCLKS));
}

TEST(WaitCursorTest, WaitCursorNestsAndRestores)
{
    CCmdTarget target;
    HCURSOR arrow = ::LoadCursor(nullptr, IDC_ARROW);
    ::SetCursor(arrow);
    target.BeginWaitCursor();
    target.BeginWaitCursor();
    EXPECT_EQ(::GetCursor(), ::LoadCursor(nullptr, IDC_WAIT));
    target.EndWaitCursor();
    EXPECT_EQ(::GetCursor(), ::LoadCursor(nullptr, IDC_WAIT));
    target.EndWaitCursor();
    EXPECT_EQ(::GetCursor(), arrow);
}

class ThrowingWnd : public CWnd {
public:
    bool throwOnCreate = false;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (throwOnCreate)
            AfxThrowResourceException();
        return CWnd::OnCreate(lpCreateStruct);
    }
    afx_msg LRESULT OnApp(WPARAM, LPARAM) { AfxThrowInvalidArgException(); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ThrowingWnd, CWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_APP, &ThrowingWnd::OnApp)
END_MESSAGE_MAP()

TEST(ExceptionTest, ExceptionsInHandlersStopAtTheWindowProcedure)
{
    ThrowingWnd wnd;
    ASSERT_TRUE(createPopup(wnd));
    EXPECT_EQ(wnd.SendMessage(WM_APP, 1, 2), 0);
    EXPECT_TRUE(::IsWindow(wnd.m_hWnd));

    ThrowingWnd failing;
    failing.throwOnCreate = true;
    EXPECT_FALSE(createPopup(failing));
    EXPECT_EQ(failing.m_hWnd, nullptr);
}

class SelfDeletingWnd : public CWnd {
public:
    explicit SelfDeletingWnd(int& deletions) : m_deletions(deletions) {}
    ~SelfDeletingWnd() override { ++m_deletions; }

protected:
    void PostNcDestroy() override { delete this; }

private:
    int& m_deletions;
};

TEST(LifetimeTest, PostNcDestroyLetsAWindowDeleteItself)
{
    int deletions = 0;
    CWnd parent;
    ASSERT_TRUE(createPopup(parent));
    auto* child = new SelfDeletingWnd(deletions);
    ASSERT_TRUE(child->Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 20, 20), &parent, 1));
    const HWND childHandle = child->m_hWnd;
    parent.DestroyWindow();
    EXPECT_EQ(deletions, 1);
    EXPECT_FALSE(::IsWindow(childHandle));
    EXPECT_EQ(CWnd::FromHandlePermanent(childHandle), nullptr);
    EXPECT_EQ(parent.m_hWnd, nullptr);
}

TEST(LifetimeTest, FailedCreationCallsPostNcDestroy)
{
    int deletions = 0;
    auto* wnd = new SelfDeletingWnd(deletions);
    EXPECT_FALSE(wnd->CreateEx(0, L"qv.no.such.class", nullptr, WS_POPUP, 0, 0, 1, 1, nullptr, nullptr));
    EXPECT_EQ(deletions, 1);
}

class RefusingWnd : public SelfDeletingWnd {
public:
    using SelfDeletingWnd::SelfDeletingWnd;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT) { return -1; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RefusingWnd, SelfDeletingWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(LifetimeTest, WindowRefusingCreationIsDeletedOnce)
{
    int deletions = 0;
    auto* wnd = new RefusingWnd(deletions);
    EXPECT_FALSE(wnd->CreateEx(0, AfxRegisterWndClass(0), nullptr, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(deletions, 1);
}

TEST(LifetimeTest, DestroyingTheObjectDestroysItsWindow)
{
    HWND hWnd = nullptr;
    {
        CWnd wnd;
        ASSERT_TRUE(createPopup(wnd));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

} // namespace
