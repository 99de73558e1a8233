#include "TestWindows.h"

#include <afxcmn.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const UINT listId = 9;

// A report list of three columns and rows "r0" .. "r<rows-1>" in a popup of the framework.
class ReportList {
public:
    explicit ReportList(int rows = 3)
    {
        createPopup(parent, 300, 200);
        list.Create(WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &parent, listId);
        list.InsertColumn(0, L"name", LVCFMT_LEFT, 80);
        list.InsertColumn(1, L"value", LVCFMT_RIGHT, 60, 1);
        list.InsertColumn(2, L"note", LVCFMT_CENTER, 70, 2);
        for (int row = 0; row < rows; ++row)
            list.InsertItem(row, (L"r" + std::to_wstring(row)).c_str());
    }

    CWnd parent;
    CListCtrl list;
};

TEST(ListCtrlTest, CellsRoundTripTextOfAnyLengthAndImages)
{
    ReportList report;
    CListCtrl& list = report.list;
    const struct {
        const char* label;
        int length;
    } lengths[] = {{"empty", 0}, {"short", 5}, {"one less than the first buffer", 254}, {"the first buffer", 255},
                   {"long", 5000}};
    for (const auto& c : lengths) {
        SCOPED_TRACE(c.label);
        const CString text(std::wstring(static_cast<size_t>(c.length), L'x').c_str());
        ASSERT_TRUE(list.SetItemText(1, 2, text));
        EXPECT_EQ(list.GetItemText(1, 2), text);
    }

    list.SetExtendedStyle(LVS_EX_SUBITEMIMAGES);
    ASSERT_TRUE(list.SetItem(2, 1, LVIF_TEXT | LVIF_IMAGE, L"set", 5, 0, 0, 0));
    EXPECT_EQ(list.InsertItem(LVIF_TEXT | LVIF_IMAGE, 0, L"first", 0, 0, 4, 0), 0);
    LVITEM item{};
    item.mask = LVIF_IMAGE;
    item.iItem = 3;
    item.iSubItem = 1;
    ASSERT_TRUE(list.GetItem(&item));
    EXPECT_EQ(item.iImage, 5);
    EXPECT_EQ(list.GetItemText(3, 1), L"set");
    item.iItem = 0;
    item.iSubItem = 0;
    ASSERT_TRUE(list.GetItem(&item));
    EXPECT_EQ(item.iImage, 4);
    EXPECT_EQ(list.GetItemCount(), 4);
    EXPECT_EQ(list.GetItemText(9, 0), L"") << "no such row";
}

TEST(ListCtrlTest, ColumnsKeepFormatAndWidthAndSelectionIsFound)
{
    ReportList report;
    CListCtrl& list = report.list;
    const int formats[] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER};
    const int widths[] = {80, 60, 70};
    for (int column = 0; column < 3; ++column) {
        SCOPED_TRACE(column);
        LVCOLUMN format{};
        format.mask = LVCF_FMT;
        ASSERT_TRUE(list.GetColumn(column, &format));
        EXPECT_EQ(format.fmt & LVCFMT_JUSTIFYMASK, formats[column]);
        EXPECT_EQ(list.GetColumnWidth(column), widths[column]);
    }
    ASSERT_TRUE(list.SetColumnWidth(1, 3));
    EXPECT_EQ(list.GetColumnWidth(1), 3);

    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);
    ASSERT_TRUE(list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
    EXPECT_EQ(list.GetItemState(2, LVIS_SELECTED | LVIS_FOCUSED), UINT(LVIS_SELECTED | LVIS_FOCUSED));
    ASSERT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);

    EXPECT_EQ(list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES), 0u);
    EXPECT_EQ(list.SetExtendedStyle(LVS_EX_FULLROWSELECT), DWORD(LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES));
    EXPECT_EQ(list.GetExtendedStyle(), DWORD(LVS_EX_FULLROWSELECT));

    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32, 0, 1));
    EXPECT_EQ(list.SetImageList(&images, LVSIL_SMALL), nullptr);
    EXPECT_EQ(list.GetImageList(LVSIL_SMALL)->GetSafeHandle(), images.GetSafeHandle());
    list.SetImageList(nullptr, LVSIL_SMALL);
}

TEST(ListCtrlTest, CellGeometryHitsAndScrolling)
{
    ReportList report(40);
    CListCtrl& list = report.list;
    CRect bounds;
    ASSERT_TRUE(list.GetItemRect(1, &bounds, LVIR_BOUNDS));
    CRect label;
    ASSERT_TRUE(list.GetItemRect(1, &label, LVIR_LABEL));
    EXPECT_EQ(bounds.Width(), 80 + 60 + 70);
    EXPECT_LT(label.Width(), bounds.Width());

    LVHITTESTINFO hit{};
    hit.pt = CPoint(bounds.left + 80 + 60 + 5, bounds.CenterPoint().y);
    EXPECT_EQ(list.SubItemHitTest(&hit), 1);
    EXPECT_EQ(hit.iItem, 1);
    EXPECT_EQ(hit.iSubItem, 2);

    EXPECT_EQ(list.GetTopIndex(), 0);
    ASSERT_TRUE(list.EnsureVisible(35, FALSE));
    EXPECT_GT(list.GetTopIndex(), 20);
    ASSERT_TRUE(list.Scroll(CSize(0, -1000)));
    EXPECT_EQ(list.GetTopIndex(), 0);
}

TEST(RichEditCtrlTest, SelectionsTextAndFormatsReachTheControl)
{
    CWnd parent;
    ASSERT_TRUE(createPopup(parent));
    CRichEditCtrl edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 200, 100), &parent, 3));
    WCHAR className[32] = {};
    ::GetClassName(edit, className, 32);
    EXPECT_STREQ(className, RICHEDIT_CLASS);

    edit.SetSel(0, 0);
    edit.ReplaceSel(L"one\rtwo");
    EXPECT_EQ(edit.GetTextLength(), 8) << "the paragraph break counted as CR LF";
    EXPECT_EQ(edit.LineIndex(1), 4);
    EXPECT_GT(edit.PosFromChar(4).y, edit.PosFromChar(0).y) << "second line below the first";
    EXPECT_EQ(edit.GetFirstVisibleLine(), 0);

    edit.SetSel(4, 7);
    long start = 0;
    long end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(end, 7);
    CHARFORMAT red{};
    red.dwMask = CFM_COLOR | CFM_ITALIC;
    red.dwEffects = CFE_ITALIC;
    red.crTextColor = RGB(255, 0, 0);
    ASSERT_TRUE(edit.SetSelectionCharFormat(red));
    CHARFORMAT read{};
    const DWORD uniform = edit.GetSelectionCharFormat(read);
    EXPECT_EQ(read.cbSize, sizeof(CHARFORMAT));
    EXPECT_EQ(uniform & (CFM_COLOR | CFM_ITALIC), DWORD(CFM_COLOR | CFM_ITALIC));
    EXPECT_EQ(read.crTextColor, RGB(255, 0, 0));
    EXPECT_NE(read.dwEffects & CFE_ITALIC, 0u);
    edit.SetSel(0, 3);
    edit.GetSelectionCharFormat(read);
    EXPECT_EQ(read.dwEffects & CFE_ITALIC, 0u) << "the first line as it was";

    CHARFORMAT blue{};
    blue.dwMask = CFM_COLOR;
    blue.crTextColor = RGB(0, 0, 255);
    ASSERT_TRUE(edit.SetDefaultCharFormat(blue));
    CHARFORMAT fallback{};
    edit.GetDefaultCharFormat(fallback);
    EXPECT_EQ(fallback.crTextColor, RGB(0, 0, 255));

    edit.SetBackgroundColor(FALSE, RGB(1, 2, 3));
    EXPECT_EQ(edit.SetBackgroundColor(TRUE, 0), RGB(1, 2, 3));
}

} // namespace
