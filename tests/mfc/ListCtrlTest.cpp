#include "TestWindows.h"

#include <qvtest/Input.h>
#include <qvtest/MfcPump.h>

#include <afxcmn.h>

#include <gtest/gtest.h>

#include <optional>
#include <tuple>
#include <vector>

namespace {

const UINT listId = 9;
const int rowCount = 40;

// Answers the end of label editing as the test says, remembering the text it was offered.
class ListParent : public CWnd {
public:
    BOOL accept = TRUE;
    int endEdits = 0;
    std::optional<CString> offered;

protected:
    afx_msg void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
    {
        const LVITEM& item = reinterpret_cast<NMLVDISPINFO*>(pNMHDR)->item;
        ++endEdits;
        offered = item.pszText ? std::optional<CString>(item.pszText) : std::nullopt;
        *pResult = accept;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ListParent, CWnd)
    ON_NOTIFY(LVN_ENDLABELEDIT, listId, &ListParent::OnEndLabelEdit)
END_MESSAGE_MAP()

// A report list of three columns and rowCount rows "row N" | "N" | "", of which a few rows show.
class ListCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(createPopup(parent, 300, 200));
        ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT | LVS_EDITLABELS | LVS_SHAREIMAGELISTS, CRect(0, 0, 260, 120),
                                &parent, listId));
        ASSERT_EQ(list.InsertColumn(0, L"Name", LVCFMT_LEFT, 100), 0);
        ASSERT_EQ(list.InsertColumn(1, L"Value", LVCFMT_RIGHT, 60, 1), 1);
        ASSERT_EQ(list.InsertColumn(2, L"Note", LVCFMT_LEFT, 80, 2), 2);
        // Each visible change repaints at once under Wine: ~40 ms a row.
        list.SetRedraw(FALSE);
        for (int row = 0; row < rowCount; ++row) {
            CString name;
            name.Format(L"row %d", row);
            ASSERT_EQ(list.InsertItem(row, name), row);
            CString value;
            value.Format(L"%d", row);
            ASSERT_TRUE(list.SetItemText(row, 1, value));
        }
        list.SetRedraw(TRUE);
    }

    ListParent parent;
    CListCtrl list;
};

TEST_F(ListCtrlTest, ARealLabelEditEndsAsTheParentDecides)
{
    struct Case {
        const char* label;
        WORD key;
        BOOL accept;
        std::optional<CString> offered;
        const wchar_t* text;
    };
    const Case cases[] = {
        {"enter, accepted", VK_RETURN, TRUE, CString(L"renamed"), L"renamed"},
        {"enter, refused", VK_RETURN, FALSE, CString(L"renamed"), L"row 1"},
        {"escape", VK_ESCAPE, TRUE, std::nullopt, L"row 1"},
    };
    ASSERT_TRUE(qvtest::bringToForeground(parent));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        list.SetItemText(1, 0, L"row 1");
        parent.accept = c.accept;
        parent.endEdits = 0;
        list.SetFocus();
        CEdit* edit = list.EditLabel(1);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(list.GetEditControl(), edit);
        edit->SetWindowText(L"renamed");
        qvtest::pressKey(c.key);
        qvtest::pumpMfcUntilIdle();
        EXPECT_EQ(parent.endEdits, 1);
        EXPECT_EQ(parent.offered, c.offered);
        EXPECT_EQ(list.GetItemText(1, 0), CString(c.text));
        EXPECT_EQ(list.GetEditControl(), nullptr);
    }
}

TEST_F(ListCtrlTest, CellTextOfAnyLengthComesBackWhole)
{
    struct Case {
        const char* label;
        int length;
    };
    const Case cases[] = {{"empty", 0}, {"short", 5}, {"one less than the first buffer", 255},
                          {"the first buffer", 256}, {"long", 5000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const CString text(L'x', c.length);
        ASSERT_TRUE(list.SetItemText(1, 2, text));
        EXPECT_EQ(list.GetItemText(1, 2), text);
    }
    EXPECT_TRUE(list.GetItemText(rowCount, 0).IsEmpty());
}

TEST_F(ListCtrlTest, CellsAreFoundWhereTheirRectanglesAre)
{
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 3);
    EXPECT_EQ(list.GetItemText(2, 1), CString(L"2"));

    for (int column : {0, 1, 2}) {
        SCOPED_TRACE(column);
        CRect cell;
        ASSERT_TRUE(list.GetSubItemRect(3, column, LVIR_BOUNDS, cell));
        LVHITTESTINFO hit{};
        hit.pt = CPoint(cell.left + 5, cell.CenterPoint().y);
        EXPECT_EQ(list.SubItemHitTest(&hit), 3);
        EXPECT_EQ(hit.iSubItem, column);
    }
    CRect label;
    ASSERT_TRUE(list.GetItemRect(3, &label, LVIR_LABEL));
    UINT flags = 0;
    EXPECT_EQ(list.HitTest(label.CenterPoint(), &flags), 3);
    EXPECT_NE(flags & LVHT_ONITEMLABEL, 0u);
    CRect row;
    ASSERT_TRUE(list.GetItemRect(0, &row, LVIR_BOUNDS));
    EXPECT_EQ(list.HitTest(CPoint(row.right + 5, row.CenterPoint().y), &flags), -1);
    CRect unused;
    EXPECT_FALSE(list.GetSubItemRect(rowCount, 0, LVIR_BOUNDS, unused));
}

TEST_F(ListCtrlTest, EnsureVisibleAndScrollMoveTheTopRow)
{
    EXPECT_EQ(list.GetTopIndex(), 0);
    ASSERT_TRUE(list.EnsureVisible(rowCount - 1, FALSE));
    const int top = list.GetTopIndex();
    EXPECT_EQ(top + list.GetCountPerPage(), rowCount);
    CRect row;
    list.GetItemRect(0, &row, LVIR_BOUNDS);
    ASSERT_TRUE(list.Scroll(CSize(0, -3 * row.Height())));
    EXPECT_EQ(list.GetTopIndex(), top - 3);
}

TEST_F(ListCtrlTest, SelectedItemsAreWalkedInOrder)
{
    const auto selected = [this] {
        std::vector<int> items;
        for (POSITION pos = list.GetFirstSelectedItemPosition(); pos;)
            items.push_back(list.GetNextSelectedItem(pos));
        return items;
    };
    EXPECT_TRUE(selected().empty());
    ASSERT_TRUE(list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED));
    ASSERT_TRUE(list.SetItemState(7, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(selected(), (std::vector<int>{0, 7}));
    EXPECT_EQ(list.GetSelectedCount(), 2u);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 7);
    EXPECT_EQ(list.GetItemState(7, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));

    ASSERT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetItemCount(), rowCount - 1);
    EXPECT_EQ(selected(), (std::vector<int>{6}));
    ASSERT_TRUE(list.SetItemState(-1, 0, LVIS_SELECTED));
    EXPECT_TRUE(selected().empty());
}

TEST_F(ListCtrlTest, ImageListsAndItemDataComeBackAsSet)
{
    CImageList small;
    ASSERT_TRUE(small.Create(16, 16, ILC_COLOR24, 0, 1));
    EXPECT_EQ(list.SetImageList(&small, LVSIL_SMALL), nullptr);
    EXPECT_EQ(list.GetImageList(LVSIL_SMALL), &small);
    EXPECT_EQ(list.SetImageList(nullptr, LVSIL_SMALL), &small);

    const DWORD previous = list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    EXPECT_EQ(list.SetExtendedStyle(0), previous | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    EXPECT_EQ(list.GetExtendedStyle(), 0u);

    list.SetExtendedStyle(LVS_EX_SUBITEMIMAGES);
    ASSERT_TRUE(list.SetItem(2, 1, LVIF_TEXT | LVIF_IMAGE, L"set", 5, 0, 0, 0));
    EXPECT_EQ(list.InsertItem(LVIF_TEXT | LVIF_IMAGE, 0, L"first", 0, 0, 4, 0), 0);
    for (auto [row, column, image] : {std::tuple{3, 1, 5}, std::tuple{0, 0, 4}}) {
        LVITEM item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        item.iSubItem = column;
        ASSERT_TRUE(list.GetItem(&item));
        EXPECT_EQ(item.iImage, image);
    }
    EXPECT_EQ(list.GetItemText(3, 1), CString(L"set"));

    const DWORD_PTR data = 0x123456789ABCull;
    ASSERT_TRUE(list.SetItemData(5, data));
    EXPECT_EQ(list.GetItemData(5), data);
    EXPECT_EQ(list.GetItemText(5, 0), CString(L"row 4"));
    EXPECT_EQ(list.GetItemData(rowCount), 0u);
}

} // namespace
