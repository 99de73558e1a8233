#include "TestWindows.h"

#include <qvtest/Input.h>
#include <qvtest/MfcPump.h>

#include <gtest/gtest.h>

namespace {

const UINT childId = 5;
const DWORD toolTipWaitMs = 5000;
const DWORD stepMs = 50;
const int restSteps = 16;   // longer than the tool tip's initial delay

class ClickedChild : public CWnd {
public:
    int preTranslatedClicks = 0;
    int clicks = 0;
    CPoint lastPoint;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        preTranslatedClicks += pMsg->message == WM_LBUTTONDOWN && pMsg->hwnd == m_hWnd;
        return CWnd::PreTranslateMessage(pMsg);
    }

protected:
    afx_msg void OnLButtonDown(UINT, CPoint point)
    {
        ++clicks;
        lastPoint = point;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ClickedChild, CWnd)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class TippedParent : public CWnd {
public:
    UINT_PTR toolAsked = 0;

protected:
    afx_msg BOOL OnNeedText(UINT, NMHDR* pNMHDR, LRESULT*)
    {
        auto* info = reinterpret_cast<NMTTDISPINFO*>(pNMHDR);
        toolAsked = pNMHDR->idFrom;
        info->lpszText = const_cast<LPTSTR>(L"tip");
        return TRUE;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TippedParent, CWnd)
    ON_NOTIFY_EX(TTN_NEEDTEXT, 0, &TippedParent::OnNeedText)
END_MESSAGE_MAP()

TEST(InputTest, RealClickIsPreTranslatedAndDispatchedThroughTheMap)
{
    CWnd parent;
    ASSERT_TRUE(createPopup(parent));
    ClickedChild child;
    ASSERT_TRUE(child.Create(nullptr, nullptr, WS_VISIBLE, CRect(20, 20, 80, 80), &parent, childId));
    ASSERT_TRUE(qvtest::bringToForeground(parent));
    qvtest::click(child, {5, 6});
    qvtest::pumpMfcUntilIdle();
    EXPECT_EQ(child.preTranslatedClicks, 1);
    EXPECT_EQ(child.clicks, 1);
    EXPECT_EQ(child.lastPoint, CPoint(5, 6));
}

TEST(InputTest, ToolTipAsksTheParentForTheTextOfTheChildUnderTheMouse)
{
    TippedParent parent;
    ASSERT_TRUE(createPopup(parent));
    parent.EnableToolTips();
    HWND child = ::CreateWindowEx(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE, 20, 20, 60, 60, parent.m_hWnd,
                                  reinterpret_cast<HMENU>(childId), nullptr, nullptr);
    ASSERT_TRUE(qvtest::bringToForeground(parent));
    qvtest::moveMouse(parent, {10, 10});
    qvtest::pumpMfcUntilIdle();
    // The mouse rests over the child, moving again now and then as a hand does, until the tip
    // asks for its text.
    const ULONGLONG end = ::GetTickCount64() + toolTipWaitMs;
    for (int step = 0; !parent.toolAsked && ::GetTickCount64() < end; ++step) {
        if (step % restSteps == 0)
            qvtest::moveMouse(parent, {40 + step / restSteps, 40});
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, stepMs, QS_ALLINPUT);
        qvtest::pumpMfcUntilIdle();
    }
    EXPECT_EQ(parent.toolAsked, reinterpret_cast<UINT_PTR>(child));
    CWnd::CancelToolTips();
}

} // namespace
