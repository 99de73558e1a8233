#include "TestWindows.h"

#include <qvtest/DibSurface.h>
#include <qvtest/Input.h>
#include <qvtest/MfcPump.h>

#include <afxcmn.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace qvtest::colors;

const UINT childId = 7;
const DWORD waitMs = 5000;
const DWORD stepMs = 20;
const int initialTipDelayMs = 100;

// Pumps until done() or the wait is over; true when done.
template <class Done> bool pumpUntil(Done done)
{
    const ULONGLONG end = ::GetTickCount64() + waitMs;
    while (!done() && ::GetTickCount64() < end) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, stepMs, QS_ALLINPUT);
        qvtest::pumpMfcUntilIdle();
    }
    return done();
}

// A parent whose tool tip covers its child and asks it for the text, as a control that
// relays the mouse to its own tool tip does.
class TipParent : public CWnd {
public:
    CToolTipCtrl tip;
    std::vector<UINT_PTR> toolsAsked;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (tip.m_hWnd)
            tip.RelayEvent(pMsg);
        return CWnd::PreTranslateMessage(pMsg);
    }

protected:
    afx_msg BOOL OnNeedText(UINT, NMHDR* pNMHDR, LRESULT*)
    {
        toolsAsked.push_back(pNMHDR->idFrom);
        reinterpret_cast<NMTTDISPINFO*>(pNMHDR)->lpszText = const_cast<LPTSTR>(L"from the parent");
        return TRUE;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TipParent, CWnd)
    ON_NOTIFY_EX(TTN_NEEDTEXT, 0, &TipParent::OnNeedText)
END_MESSAGE_MAP()

TEST(ToolTipCtrlTest, ShowsTheTextTheParentSuppliesAfterTheMouseRestsOnTheTool)
{
    TipParent parent;
    ASSERT_TRUE(createPopup(parent));
    CStatic child;
    ASSERT_TRUE(child.Create(L"", WS_VISIBLE | SS_NOTIFY, CRect(20, 20, 120, 80), &parent, childId));
    ASSERT_TRUE(parent.tip.Create(&parent));
    EXPECT_EQ(parent.tip.GetOwner(), &parent);
    ASSERT_TRUE(parent.tip.AddTool(&child));
    parent.tip.SetDelayTime(TTDT_INITIAL, initialTipDelayMs);
    parent.tip.Activate(TRUE);
    ASSERT_TRUE(qvtest::bringToForeground(parent));

    qvtest::moveMouse(parent, {50, 50});
    ASSERT_TRUE(pumpUntil([&] { return parent.tip.IsWindowVisible(); }));
    ASSERT_FALSE(parent.toolsAsked.empty());
    EXPECT_EQ(parent.toolsAsked.back(), reinterpret_cast<UINT_PTR>(child.m_hWnd));
    CString shown;
    parent.tip.GetWindowText(shown);
    EXPECT_EQ(shown, CString(L"from the parent"));
}

TEST(ToolTipCtrlTest, ToolsOfAWindowAndOfItsAreasAreAddressedApart)
{
    CWnd parent;
    ASSERT_TRUE(createPopup(parent));
    CStatic child;
    ASSERT_TRUE(child.Create(L"", WS_VISIBLE, CRect(0, 0, 50, 50), &parent, childId));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&parent));
    const CRect area(5, 5, 20, 20);
    ASSERT_TRUE(tip.AddTool(&child, L"whole"));
    ASSERT_TRUE(tip.AddTool(&child, L"area", &area, 3));
    tip.UpdateTipText(L"whole, updated", &child);
    EXPECT_EQ(tip.GetToolCount(), 2);

    struct Case {
        const char* label;
        UINT_PTR id;
        HWND hwnd;
        UINT_PTR uId;
        const wchar_t* text;
    };
    const Case cases[] = {
        {"whole window", 0, parent.m_hWnd, reinterpret_cast<UINT_PTR>(child.m_hWnd), L"whole, updated"},
        {"area", 3, child.m_hWnd, 3, L"area"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        CToolInfo info;
        ASSERT_TRUE(tip.GetToolInfo(info, &child, c.id));
        EXPECT_EQ(info.hwnd, c.hwnd);
        EXPECT_EQ(info.uId, c.uId);
        EXPECT_STREQ(info.szText, c.text);
        CString text;
        tip.GetText(text, &child, c.id);
        EXPECT_EQ(text, CString(c.text));
    }
    tip.DelTool(&child);
    EXPECT_EQ(tip.GetToolCount(), 1);
}

// Records the arrow clicks its spin buttons report.
class SpinParent : public CWnd {
public:
    std::vector<NMUPDOWN> deltas;

protected:
    afx_msg void OnDeltaPos(NMHDR* pNMHDR, LRESULT* pResult)
    {
        deltas.push_back(*reinterpret_cast<NMUPDOWN*>(pNMHDR));
        *pResult = 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SpinParent, CWnd)
    ON_NOTIFY(UDN_DELTAPOS, childId, &SpinParent::OnDeltaPos)
END_MESSAGE_MAP()

TEST(SpinButtonCtrlTest, ARealClickOnAnArrowSendsDeltaPosAndMovesTheBuddy)
{
    struct Case {
        const char* label;
        int yPercent;
        int delta;
        int position;
    };
    const Case cases[] = {{"up", 25, 1, 6}, {"down", 75, -1, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        SpinParent parent;
        ASSERT_TRUE(createPopup(parent));
        CEdit buddy;
        ASSERT_TRUE(buddy.Create(WS_VISIBLE | WS_BORDER, CRect(10, 10, 80, 34), &parent, 1));
        CSpinButtonCtrl spin;
        ASSERT_TRUE(spin.Create(WS_VISIBLE | UDS_SETBUDDYINT, CRect(80, 10, 100, 50), &parent, childId));
        spin.SetBuddy(&buddy);
        spin.SetRange32(0, 100);
        spin.SetPos32(5);
        ASSERT_TRUE(qvtest::bringToForeground(parent));
        qvtest::pumpMfcUntilIdle();

        qvtest::click(spin, {10, 40 * c.yPercent / 100});
        ASSERT_TRUE(pumpUntil([&] { return !parent.deltas.empty(); }));
        EXPECT_EQ(parent.deltas.front().hdr.hwndFrom, spin.m_hWnd);
        EXPECT_EQ(parent.deltas.front().iPos, 5);
        EXPECT_EQ(parent.deltas.front().iDelta, c.delta);
        qvtest::pumpMfcUntilIdle();
        EXPECT_EQ(spin.GetPos32(), c.position);
        EXPECT_EQ(spin.GetBuddy(), &buddy);
        CString text;
        buddy.GetWindowText(text);
        EXPECT_EQ(_wtoi(text), c.position);
    }
}

TEST(SpinButtonCtrlTest, SixteenBitRangeAndPositionKeepTheirSign)
{
    CWnd parent;
    ASSERT_TRUE(createPopup(parent));
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_VISIBLE, CRect(0, 0, 20, 40), &parent, childId));
    spin.SetRange(-20, 30);
    int lower = 0;
    int upper = 0;
    spin.GetRange(lower, upper);
    EXPECT_EQ(lower, -20);
    EXPECT_EQ(upper, 30);
    spin.SetPos(-7);
    EXPECT_EQ(spin.SetPos(3), -7);
    EXPECT_EQ(LOWORD(spin.GetPos()), 3);
}

// Records the order of the tab notifications.
class TabParent : public CWnd {
public:
    std::vector<UINT> codes;

protected:
    afx_msg void OnSelChanging(NMHDR* pNMHDR, LRESULT* pResult)
    {
        codes.push_back(pNMHDR->code);
        *pResult = FALSE;
    }
    afx_msg void OnSelChange(NMHDR* pNMHDR, LRESULT*) { codes.push_back(pNMHDR->code); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TabParent, CWnd)
    ON_NOTIFY(TCN_SELCHANGING, childId, &TabParent::OnSelChanging)
    ON_NOTIFY(TCN_SELCHANGE, childId, &TabParent::OnSelChange)
END_MESSAGE_MAP()

TEST(TabCtrlTest, ARealClickOnATabSelectsItAndTellsTheParent)
{
    TabParent parent;
    ASSERT_TRUE(createPopup(parent, 300, 200));
    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_VISIBLE, CRect(10, 10, 290, 190), &parent, childId));
    for (int page = 0; page < 3; ++page)
        EXPECT_EQ(tabs.InsertItem(page, page == 1 ? L"Graph" : L"Page"), page);
    EXPECT_EQ(tabs.GetItemCount(), 3);
    EXPECT_EQ(tabs.SetCurSel(2), 0);
    EXPECT_TRUE(parent.codes.empty());

    CRect tab;
    ASSERT_TRUE(tabs.GetItemRect(1, &tab));
    ASSERT_TRUE(qvtest::bringToForeground(parent));
    qvtest::click(tabs, tab.CenterPoint());
    ASSERT_TRUE(pumpUntil([&] { return parent.codes.size() >= 2; }));
    EXPECT_EQ(parent.codes, (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE}));
    EXPECT_EQ(tabs.GetCurSel(), 1);

    CRect window;
    tabs.GetClientRect(&window);
    CRect display = window;
    tabs.AdjustRect(FALSE, &display);
    EXPECT_GE(display.top, tab.bottom);
    EXPECT_TRUE(CRect().IntersectRect(display, window));
    tabs.AdjustRect(TRUE, &display);
    EXPECT_EQ(display, window);
}

// Three 8 x 8 images side by side: red; blue with a magenta (mask colour) top-left quarter;
// all magenta.
class ImageListTest : public ::testing::Test {
protected:
    static constexpr int side = 8;

    void SetUp() override
    {
        qvtest::DibSurface strip(3 * side, side, kMagenta);
        CDC* dc = strip.dc();
        dc->FillSolidRect(0, 0, side, side, kRed);
        dc->FillSolidRect(side, 0, side, side, kBlue);
        dc->FillSolidRect(side, 0, side / 2, side / 2, kMagenta);
        ::GdiFlush();
        HBITMAP copy = static_cast<HBITMAP>(::CopyImage(strip.bitmap(), IMAGE_BITMAP, 0, 0, 0));
        ASSERT_TRUE(bitmap.Attach(copy));
    }

    COLORREF drawnPixel(CImageList& list, int image, int x, int y)
    {
        qvtest::DibSurface target(side, side, kWhite);
        EXPECT_TRUE(list.Draw(target.dc(), image, CPoint(0, 0), ILD_TRANSPARENT));
        return target.pixel(x, y);
    }

    CBitmap bitmap;
};

TEST_F(ImageListTest, MaskColourPixelsAreTransparentWhenDrawn)
{
    CImageList list;
    ASSERT_TRUE(list.Create(side, side, ILC_COLOR24 | ILC_MASK, 0, 1));
    EXPECT_EQ(list.Add(&bitmap, kMagenta), 0);
    EXPECT_EQ(list.GetImageCount(), 3);
    IMAGEINFO info{};
    ASSERT_TRUE(list.GetImageInfo(1, &info));
    EXPECT_EQ(CRect(info.rcImage).Width(), side);

    struct Case {
        const char* label;
        int image;
        int x;
        int y;
        COLORREF expected;
    };
    const Case cases[] = {
        {"opaque red", 0, 5, 5, kRed},
        {"masked corner", 1, 1, 1, kWhite},
        {"opaque blue", 1, 6, 6, kBlue},
        {"all masked", 2, 4, 4, kWhite},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(drawnPixel(list, c.image, c.x, c.y), c.expected);
    }
}

TEST_F(ImageListTest, ACopyOwnsItsOwnImages)
{
    CImageList original;
    ASSERT_TRUE(original.Create(side, side, ILC_COLOR24 | ILC_MASK, 0, 1));
    original.Add(&bitmap, kMagenta);
    CImageList copy;
    ASSERT_TRUE(copy.Create(&original));
    ASSERT_TRUE(original.DeleteImageList());
    EXPECT_EQ(copy.GetImageCount(), 3);
    EXPECT_EQ(drawnPixel(copy, 0, 2, 2), kRed);
}

TEST_F(ImageListTest, AttachRefusesASecondListAndTemporariesLeaveTheirListAlive)
{
    CImageList list;
    ASSERT_TRUE(list.Create(side, side, ILC_COLOR24, 0, 1));
    EXPECT_FALSE(list.Create(side, side, ILC_COLOR24, 0, 1));
    EXPECT_EQ(CImageList::FromHandle(list.m_hImageList), &list);
    EXPECT_EQ(CImageList::FromHandlePermanent(list.m_hImageList), &list);

    HIMAGELIST foreign = ImageList_Create(side, side, ILC_COLOR24, 1, 1);
    CImageList* temporary = CImageList::FromHandle(foreign);
    EXPECT_EQ(CImageList::FromHandle(foreign), temporary);
    EXPECT_EQ(CImageList::FromHandlePermanent(foreign), nullptr);
    temporary->Add(&bitmap, CLR_NONE);
    AfxLockTempMaps();
    AfxUnlockTempMaps();
    EXPECT_EQ(ImageList_GetImageCount(foreign), 3);
    EXPECT_TRUE(ImageList_Destroy(foreign));
}

TEST(MenuTest, TemporaryWrappersOfSubMenusLeaveTheMenusAlive)
{
    HMENU sub = nullptr;
    {
        CMenu menu;
        ASSERT_TRUE(menu.CreateMenu());
        CMenu popup;
        ASSERT_TRUE(popup.CreatePopupMenu());
        popup.AppendMenu(MF_STRING, 11, L"Export settings...");
        sub = popup.Detach();
        ASSERT_TRUE(menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"File"));

        CMenu* wrapper = menu.GetSubMenu(0);
        ASSERT_NE(wrapper, nullptr);
        EXPECT_EQ(wrapper->m_hMenu, sub);
        EXPECT_EQ(menu.GetSubMenu(0), wrapper);
        CString text;
        const int length = wrapper->GetMenuString(11, text, MF_BYCOMMAND);
        EXPECT_EQ(length, text.GetLength());
        EXPECT_EQ(text, CString(L"Export settings..."));
        EXPECT_EQ(wrapper->GetMenuString(99, text, MF_BYCOMMAND), 0);
        EXPECT_TRUE(text.IsEmpty());
        AfxLockTempMaps();
        AfxUnlockTempMaps();
        EXPECT_TRUE(::IsMenu(sub));
    }
    // The menu destroys its sub-menus with it.
    EXPECT_FALSE(::IsMenu(sub));
}

TEST(MenuTest, TrackPopupMenuReturnsTheCommandChosenWithTheKeyboard)
{
    CWnd owner;
    ASSERT_TRUE(createPopup(owner));
    ASSERT_TRUE(qvtest::bringToForeground(owner));
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    for (UINT id : {1u, 2u, 3u})
        menu.AppendMenu(MF_STRING | MF_BYPOSITION, id, L"choice");
    for (WORD key : {VK_DOWN, VK_DOWN, VK_RETURN})
        qvtest::pressKey(key);
    // The safety timer ends the menu should the keys not reach it.
    const UINT_PTR safety = ::SetTimer(nullptr, 0, waitMs, [](HWND, UINT, UINT_PTR, DWORD) { ::EndMenu(); });
    const BOOL chosen = menu.TrackPopupMenu(TPM_NONOTIFY | TPM_RETURNCMD, 10, 10, &owner);
    ::KillTimer(nullptr, safety);
    EXPECT_EQ(chosen, 2);
}

} // namespace
