#include "TestWindows.h"

#include <qvtest/Capture.h>
#include <qvtest/MfcPump.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const UINT childId = 10;
const UINT buttonId = 11;
const LRESULT childResult = 5;
const COLORREF red = RGB(255, 0, 0);

using Calls = std::vector<std::wstring>;

// A child that sends its parent notifications and commands.
class NotifyingWnd : public CWnd {
public:
    LRESULT notifyParent(UINT code)
    {
        NMHDR header{m_hWnd, static_cast<UINT_PTR>(GetDlgCtrlID()), code};
        return GetParent()->SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    }
    LRESULT commandParent(WORD code)
    {
        return GetParent()->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), code), reinterpret_cast<LPARAM>(m_hWnd));
    }
};

// A child that handles some of its own notifications by reflection.
class ReflectingChild : public NotifyingWnd {
public:
    Calls& calls;
    HBRUSH brush = nullptr;

    explicit ReflectingChild(Calls& record) : calls(record) {}

protected:
    afx_msg void OnClickReflect(NMHDR*, LRESULT* pResult)
    {
        calls.push_back(L"child NM_CLICK");
        *pResult = childResult;
    }
    afx_msg BOOL OnDblClkReflect(NMHDR*, LRESULT*)
    {
        calls.push_back(L"child NM_DBLCLK");
        return FALSE;
    }
    afx_msg void OnClickedReflect() { calls.push_back(L"child BN_CLICKED"); }
    afx_msg HBRUSH CtlColor(CDC*, UINT) { return brush; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingChild, CWnd)
    ON_NOTIFY_REFLECT(NM_CLICK, &ReflectingChild::OnClickReflect)
    ON_NOTIFY_REFLECT_EX(NM_DBLCLK, &ReflectingChild::OnDblClkReflect)
    ON_CONTROL_REFLECT(BN_CLICKED, &ReflectingChild::OnClickedReflect)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class RecordingParent : public CWnd {
public:
    Calls calls;
    bool destroySender = false;

protected:
    afx_msg void OnChildNotify(UINT id, NMHDR* pNMHDR, LRESULT*)
    {
        calls.push_back(L"parent " + std::to_wstring(static_cast<int>(pNMHDR->code)) + L" from " + std::to_wstring(id));
        if (destroySender)
            ::DestroyWindow(pNMHDR->hwndFrom);
    }
    afx_msg void OnClicked(UINT id)
    {
        calls.push_back(L"parent BN_CLICKED from " + std::to_wstring(id));
        if (destroySender)
            ::DestroyWindow(::GetDlgItem(m_hWnd, static_cast<int>(id)));
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RecordingParent, CWnd)
    ON_NOTIFY_RANGE(NM_CLICK, childId, buttonId, &RecordingParent::OnChildNotify)
    ON_NOTIFY_RANGE(NM_DBLCLK, childId, buttonId, &RecordingParent::OnChildNotify)
    ON_NOTIFY_RANGE(NM_RCLICK, childId, buttonId, &RecordingParent::OnChildNotify)
    ON_CONTROL_RANGE(BN_CLICKED, childId, buttonId, &RecordingParent::OnClicked)
END_MESSAGE_MAP()

class ReflectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(createPopup(parent));
        ASSERT_TRUE(child.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 20, 20), &parent, childId));
    }

    RecordingParent parent;
    ReflectingChild child{parent.calls};
};

// The child handles what its map reflects; the parent sees what the child passes on (a
// REFLECT_EX handler returning FALSE) or does not map.
TEST_F(ReflectionTest, TheChildHandlesWhatItMapsAndTheParentSeesTheRest)
{
    EXPECT_EQ(child.notifyParent(NM_CLICK), childResult);
    EXPECT_EQ(parent.calls, (Calls{L"child NM_CLICK"}));
    parent.calls.clear();
    child.notifyParent(NM_DBLCLK);
    EXPECT_EQ(parent.calls, (Calls{L"child NM_DBLCLK", L"parent -3 from 10"}));
    parent.calls.clear();
    child.notifyParent(NM_RCLICK);
    EXPECT_EQ(parent.calls, (Calls{L"parent -5 from 10"}));
    parent.calls.clear();
    child.commandParent(BN_CLICKED);
    EXPECT_EQ(parent.calls, (Calls{L"child BN_CLICKED"}));
}

TEST_F(ReflectionTest, CommandFromAForeignControlReachesTheParent)
{
    HWND button = ::CreateWindowEx(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 30, 0, 40, 20,
                                   parent.m_hWnd, reinterpret_cast<HMENU>(buttonId), nullptr, nullptr);
    ::SendMessage(button, BM_CLICK, 0, 0);
    EXPECT_EQ(parent.calls, (Calls{L"parent BN_CLICKED from 11"}));
}

TEST_F(ReflectionTest, CtlColorIsReflectedToTheChild)
{
    CBrush brush(red);
    child.brush = brush;
    CClientDC dc(&child);
    const LRESULT result = parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.m_hDC),
                                              reinterpret_cast<LPARAM>(child.m_hWnd));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(result), static_cast<HBRUSH>(brush));
    // Without a brush from the child the parent's default answers.
    child.brush = nullptr;
    EXPECT_NE(parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.m_hDC),
                                 reinterpret_cast<LPARAM>(child.m_hWnd)),
              result);
}

// A child that looks at its clicks and lets the parent have them too.
class PassingChild : public NotifyingWnd {
public:
    int seen = 0;

protected:
    afx_msg BOOL OnClickedReflect()
    {
        ++seen;
        return FALSE;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PassingChild, NotifyingWnd)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, &PassingChild::OnClickedReflect)
END_MESSAGE_MAP()

class SingleEntryParent : public CWnd {
public:
    int clicks = 0;
    int notifications = 0;

protected:
    afx_msg void OnClicked() { ++clicks; }
    afx_msg void OnReturn(NMHDR*, LRESULT* pResult)
    {
        ++notifications;
        *pResult = childResult;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SingleEntryParent, CWnd)
    ON_BN_CLICKED(childId, &SingleEntryParent::OnClicked)
    ON_NOTIFY(NM_RETURN, childId, &SingleEntryParent::OnReturn)
END_MESSAGE_MAP()

TEST(ReflectionExTest, ControlReflectExReturningFalseLetsTheParentSeeTheCommand)
{
    SingleEntryParent parent;
    ASSERT_TRUE(createPopup(parent));
    PassingChild child;
    ASSERT_TRUE(child.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 20, 20), &parent, childId));
    child.commandParent(BN_CLICKED);
    EXPECT_EQ(child.seen, 1);
    EXPECT_EQ(parent.clicks, 1);
    EXPECT_EQ(child.notifyParent(NM_RETURN), childResult);
    EXPECT_EQ(parent.notifications, 1);
    // Entries are per id: another child's notification finds no handler.
    PassingChild other;
    ASSERT_TRUE(other.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 30, 20, 50), &parent, buttonId));
    EXPECT_EQ(other.notifyParent(NM_RETURN), 0);
    other.commandParent(BN_CLICKED);
    EXPECT_EQ(parent.notifications, 1);
    EXPECT_EQ(parent.clicks, 1);
}

class RedStatic : public CWnd {
public:
    CBrush brush{red};

protected:
    afx_msg HBRUSH CtlColor(CDC*, UINT) { return brush; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RedStatic, CWnd)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

TEST(CtlColorReflectionTest, StaticControlPaintsWithTheBrushItReflects)
{
    CWnd parent;
    ASSERT_TRUE(createPopup(parent));
    RedStatic control;
    ASSERT_TRUE(control.Create(L"STATIC", L"", WS_VISIBLE, CRect(10, 10, 60, 40), &parent, childId));
    control.Invalidate();
    qvtest::pumpMfcUntilIdle();
    control.UpdateWindow();
    qvtest::Capture capture(control.m_hWnd);
    EXPECT_EQ(capture.pixel(25, 15), red);
    EXPECT_EQ(capture.count(CRect(0, 0, 50, 30), red), 50 * 30);
}

class OwnerDrawnButton : public CWnd {
public:
    int draws = 0;
    CBrush brush{red};

protected:
    afx_msg void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
    {
        ++draws;
        ::FillRect(lpDrawItemStruct->hDC, &lpDrawItemStruct->rcItem, brush);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(OwnerDrawnButton, CWnd)
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

TEST(DrawItemReflectionTest, OwnerDrawnButtonDrawsItselfThroughReflection)
{
    CWnd parent;
    ASSERT_TRUE(createPopup(parent));
    OwnerDrawnButton button;
    ASSERT_TRUE(button.Create(L"BUTTON", L"", WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 50, 30), &parent, childId));
    button.Invalidate();
    qvtest::pumpMfcUntilIdle();
    EXPECT_GE(button.draws, 1);
    qvtest::Capture capture(button.m_hWnd);
    EXPECT_EQ(capture.count(CRect(0, 0, 40, 20), red), 40 * 20);
}

class SelfDeletingChild : public NotifyingWnd {
public:
    explicit SelfDeletingChild(bool& deleted) : m_deleted(deleted) {}
    ~SelfDeletingChild() override { m_deleted = true; }

protected:
    void PostNcDestroy() override { delete this; }

private:
    bool& m_deleted;
};

TEST_F(ReflectionTest, SenderDestroyedDuringANotificationDoesNotCrash)
{
    bool deleted = false;
    auto* sender = new SelfDeletingChild(deleted);
    ASSERT_TRUE(sender->Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 30, 20, 50), &parent, buttonId));
    const HWND hWnd = sender->m_hWnd;
    parent.destroySender = true;
    sender->notifyParent(NM_RCLICK);
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(parent.calls, (Calls{L"parent -5 from 11"}));
}

TEST_F(ReflectionTest, SubclassedButtonDestroyedByItsClickHandlerDoesNotCrash)
{
    bool deleted = false;
    ::CreateWindowEx(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 30, 0, 40, 20, parent.m_hWnd,
                     reinterpret_cast<HMENU>(buttonId), nullptr, nullptr);
    auto* button = new SelfDeletingChild(deleted);
    ASSERT_TRUE(button->SubclassDlgItem(buttonId, &parent));
    const HWND hWnd = button->m_hWnd;
    parent.destroySender = true;
    ::SendMessage(hWnd, BM_CLICK, 0, 0);
    qvtest::pumpMfcUntilIdle();
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(parent.calls, (Calls{L"parent BN_CLICKED from 11"}));
}

} // namespace
