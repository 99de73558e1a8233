#include "ControlsDialog.h"
#include "qvtest/Input.h"
#include "qvtest/MfcPump.h"
#include "qvtest/Tooltips.h"

#include <qv.win/ProgressCtrlX.h>

#include <gtest/gtest.h>

#include <functional>

using qv::gui::ProgressCtrlX;

namespace {

// Pumps with pre-translation, as the host's loop does, until done() or timeoutMs have passed.
bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (!done() && ::GetTickCount64() < end) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        qvtest::pumpMfcUntilIdle(100);
    }
    return done();
}

TEST(ProgressTooltip, ShowsTheValueWhereTheMouseRestsUntilHidden)
{
    ControlsDialog dialog;
    ProgressCtrlX bar;
    ASSERT_TRUE(bar.SubclassDlgItem(IDC_PROGRESS, &dialog));
    bar.SetTooltipFormat(L"%d items", qv::gui::PBS_SHOW_POSITION);
    bar.SendMessage(PBM_SETPOS, 42);
    const HWND tooltip = qvtest::threadTooltip();
    ASSERT_NE(nullptr, tooltip);
    ASSERT_TRUE(qvtest::bringToForeground(dialog));

    CRect client;
    bar.GetClientRect(&client);
    qvtest::moveMouse(bar, client.CenterPoint());
    EXPECT_TRUE(pumpUntil([&] { return ::IsWindowVisible(tooltip) != FALSE; }, 3000));
    EXPECT_EQ(L"42 items", qvtest::tooltipText(tooltip));

    bar.HideTooltip();
    qvtest::moveMouse(bar, client.CenterPoint() + CPoint(2, 0));
    EXPECT_FALSE(pumpUntil([&] { return ::IsWindowVisible(tooltip) != FALSE; }, 1500));
}

} // namespace
