#include "TestWindows.h"

#include <gtest/gtest.h>

namespace {

enum : UINT {
    ID_PLAIN = 0x8101,   // a command handler only: stays enabled
    ID_UNHANDLED,        // no handler at all: disabled
    ID_CHECKED,          // from here on command handlers; checked by its update handler
    ID_RADIO,
    ID_RENAMED,
    ID_DISABLED,         // a command handler, disabled by its update handler
    ID_SUB_FIRST,        // the first item of a sub-menu
};

class CommandFrame : public CFrameWnd {
protected:
    afx_msg void OnCommand() {}
    afx_msg void OnCommandRange(UINT) {}
    afx_msg void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    afx_msg void OnUpdateRadio(CCmdUI* pCmdUI) { pCmdUI->SetRadio(TRUE); }
    afx_msg void OnUpdateRenamed(CCmdUI* pCmdUI) { pCmdUI->SetText(L"renamed"); }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CommandFrame, CFrameWnd)
    ON_COMMAND(ID_PLAIN, &CommandFrame::OnCommand)
    ON_COMMAND_RANGE(ID_CHECKED, ID_DISABLED, &CommandFrame::OnCommandRange)
    ON_UPDATE_COMMAND_UI(ID_CHECKED, &CommandFrame::OnUpdateChecked)
    ON_UPDATE_COMMAND_UI(ID_RADIO, &CommandFrame::OnUpdateRadio)
    ON_UPDATE_COMMAND_UI(ID_RENAMED, &CommandFrame::OnUpdateRenamed)
    ON_UPDATE_COMMAND_UI(ID_DISABLED, &CommandFrame::OnUpdateDisabled)
    ON_UPDATE_COMMAND_UI(ID_SUB_FIRST, &CommandFrame::OnUpdateDisabled)
END_MESSAGE_MAP()

// Snaps its position to multiples of 10 while it moves, and asks for a minimum size.
class SnappingWnd : public CWnd {
protected:
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos)
    {
        lpwndpos->x -= lpwndpos->x % 10;
        lpwndpos->y -= lpwndpos->y % 10;
    }
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI) { lpMMI->ptMinTrackSize = CPoint(123, 45); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SnappingWnd, CWnd)
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

TEST(CommandUITest, APopupMenuIsUpdatedAlongTheCommandRouteBeforeItShows)
{
    auto* frame = new CommandFrame;
    ASSERT_TRUE(frame->Create(nullptr, L"commands"));
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    for (UINT id : {ID_PLAIN, ID_UNHANDLED, ID_CHECKED, ID_RADIO, ID_RENAMED, ID_DISABLED})
        popup.AppendMenu(MF_STRING, id, L"item");
    CMenu sub;
    ASSERT_TRUE(sub.CreatePopupMenu());
    sub.AppendMenu(MF_STRING, ID_SUB_FIRST, L"first");
    popup.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Detach()), L"sub-menu");

    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.m_hMenu), MAKELPARAM(0, FALSE));

    struct Case {
        UINT position;
        UINT state;
        const wchar_t* text;
    };
    const Case cases[] = {
        {0, 0, L"item"},
        {1, MF_GRAYED, L"item"},
        {2, MF_CHECKED, L"item"},
        {3, MF_CHECKED | MFT_RADIOCHECK, L"item"},
        {4, 0, L"renamed"},
        {5, MF_GRAYED, L"item"},
        {6, 0, L"sub-menu"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        const UINT state = popup.GetMenuState(c.position, MF_BYPOSITION);
        EXPECT_EQ(state & (MF_GRAYED | MF_CHECKED | MFT_RADIOCHECK), c.state);
        CString text;
        popup.GetMenuString(c.position, text, MF_BYPOSITION);
        EXPECT_EQ(text, CString(c.text));
    }
    // The sub-menu's own items are updated when it shows.
    EXPECT_EQ(popup.GetSubMenu(6)->GetMenuState(0, MF_BYPOSITION) & MF_GRAYED, 0u);
    frame->DestroyWindow();
}

TEST(CommandUITest, PositionAndSizeLimitsReachTheirHandlers)
{
    SnappingWnd wnd;
    ASSERT_TRUE(createPopup(wnd));
    wnd.MoveWindow(13, 27, 100, 100);
    CRect rect;
    wnd.GetWindowRect(&rect);
    EXPECT_EQ(rect.TopLeft(), CPoint(10, 20));
    MINMAXINFO info{};
    wnd.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(CPoint(info.ptMinTrackSize), CPoint(123, 45));
}

} // namespace
