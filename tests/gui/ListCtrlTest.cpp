#include <qv.win/InPlaceEdit.h>
#include <qv.win/ListCtrl.h>

#include "ControlsDialog.h"
#include "qvtest/DibSurface.h"
#include "qvtest/Input.h"
#include "qvtest/MfcPump.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

// Readable cell texts in failure messages.
inline void PrintTo(const CString& text, std::ostream* os)
{
    *os << '"' << CStringA(text).GetString() << '"';
}

using qv::gui::ListCtrl;
using Action = std::tuple<int, int, int>;

namespace {

const UINT kListId = 21;
const int kRows = 5;
const int kMenuSafetyMs = 3000;
// Columns: number, name (edit), flag (bool), kind (list), fixed (not editable), note (edit, right).
enum Column { Number, Name, Flag, Kind, Fixed, Note };
const int kWidths[] = {40, 100, 40, 80, 60, 60};
const int kColumns = 6;
const CString kKinds[] = {L"alpha", L"beta", L"gamma"};

// Records every action before reacting as the base does.
class RecordingList : public ListCtrl {
public:
    std::vector<Action> actions;

    bool MessageHandler(int code, int row, int column) override
    {
        actions.emplace_back(code, row, column);
        return ListCtrl::MessageHandler(code, row, column);
    }
};

// Ends a menu left open by a test that went wrong.
void CALLBACK endMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    ::EndMenu();
}

// One foreground parent of the framework for every test: destroying an activated window waits
// for a window manager under Wine.
class ListTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        parent = new CWnd;
        parent->CreateEx(0, AfxRegisterWndClass(0), L"table", WS_POPUP | WS_VISIBLE, CRect(30, 30, 430, 330),
                         nullptr, 0);
    }
    static void TearDownTestSuite() { delete parent; }

    void SetUp() override
    {
        ASSERT_TRUE(qvtest::bringToForeground(*parent));
        makeList();
    }
    void TearDown() override
    {
        list.reset();
        qvtest::pumpMfcUntilIdle();
    }

    void makeList()
    {
        list = std::make_unique<RecordingList>();
        list->Create(WS_VISIBLE | WS_BORDER, CRect(0, 0, 400, 300), parent, kListId);
        list->Initialize(0, nullptr);
        list->imageList.Create(16, 16, ILC_COLOR32, 3, 0);
        list->imageList.SetImageCount(3);
        list->SetImageList(&list->imageList, LVSIL_SMALL);
        const ListCtrl::ColumnType types[] = {ListCtrl::Edit,  ListCtrl::Edit,        ListCtrl::Bool,
                                              ListCtrl::List,  ListCtrl::NotEditable, ListCtrl::Edit};
        for (int column = 0; column < kColumns; ++column)
            list->AddColumn(column, L"c", kWidths[column], column == Note ? LVCFMT_RIGHT : LVCFMT_LEFT, types[column]);
        for (int row = 0; row < kRows; ++row) {
            list->AddRow(std::to_wstring(row + 1).c_str(), 0);
            list->AddItem(row, Name, (L"name " + std::to_wstring(row)).c_str());
            list->AddBoolItem(row, Flag, row % 2 == 0);
            list->AddListItem(row, Kind, 3, kKinds, row % 3);
            list->AddNotEditableItem(row, Fixed, L"fixed");
        }
        qvtest::pumpMfcUntilIdle();
    }

    // The centre of a cell, or of the column's header item for row -1.
    CPoint cellCentre(int row, int column) const
    {
        CRect bounds;
        list->GetItemRect(std::max(row, 0), &bounds, LVIR_BOUNDS);
        int left = bounds.left;
        for (int c = 0; c < column; ++c)
            left += list->GetColumnWidth(c);
        const CPoint centre(left + list->GetColumnWidth(column) / 2, bounds.CenterPoint().y);
        return row >= 0 ? centre : CPoint(centre.x, bounds.top / 2);
    }
    void clickCell(int row, int column, qvtest::MouseButton button = qvtest::MouseButton::Left)
    {
        qvtest::click(*list, cellCentre(row, column), button);
        qvtest::pumpMfcUntilIdle();
    }
    void type(const std::vector<WORD>& keys)
    {
        for (const WORD key : keys)
            qvtest::pressKey(key);
        qvtest::pumpMfcUntilIdle();
    }
    // The open in-place edit, null when there is none.
    CEdit* openEdit() const { return dynamic_cast<CEdit*>(CWnd::FromHandlePermanent(::GetFocus())); }

    static CWnd* parent;
    std::unique_ptr<RecordingList> list;
};

CWnd* ListTest::parent = nullptr;

TEST_F(ListTest, EveryClickGoesThroughTheMessageHandler)
{
    using qvtest::MouseButton;
    struct Case {
        const char* label;
        CPoint point;
        MouseButton button;
        Action action;
    };
    CRect lastRow;
    list->GetItemRect(kRows - 1, &lastRow, LVIR_BOUNDS);
    const CPoint belowRows(20, lastRow.bottom + 20);
    const CPoint rightOfColumns(lastRow.right + 5, lastRow.CenterPoint().y);
    const Case cases[] = {
        {"left below the rows", belowRows, MouseButton::Left, {ListCtrl::ClickEmpty, -1, -1}},
        {"left on a cell", cellCentre(2, Fixed), MouseButton::Left, {ListCtrl::ClickCell, 2, Fixed}},
        {"left right of the columns", rightOfColumns, MouseButton::Left, {ListCtrl::ClickEmpty, -1, -1}},
        {"right on a cell", cellCentre(3, Name), MouseButton::Right, {ListCtrl::RightClickCell, 3, Name}},
        {"right below the rows", belowRows, MouseButton::Right, {ListCtrl::RightClickEmpty, -1, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        list->actions.clear();
        qvtest::click(*list, c.point, c.button);
        qvtest::pumpMfcUntilIdle();
        EXPECT_EQ(list->actions, std::vector<Action>{c.action}) << testing::PrintToString(list->actions);
        EXPECT_EQ(list->GetCurRow(), -1) << "no selection by the list view itself";
    }

    list->actions.clear();
    qvtest::click(*list, cellCentre(1, Fixed));
    qvtest::click(*list, cellCentre(1, Fixed));
    qvtest::pumpMfcUntilIdle();
    const std::vector<Action> doubleClick{{ListCtrl::ClickCell, 1, Fixed}, {ListCtrl::DoubleClickCell, 1, Fixed}};
    EXPECT_EQ(list->actions, doubleClick);

    clickCell(3, Number);
    EXPECT_EQ(list->GetCurRow(), 3);
    EXPECT_EQ(list->GetItemState(3, LVIS_FOCUSED), UINT(LVIS_FOCUSED));
    EXPECT_EQ(::GetFocus(), list->m_hWnd);
}

TEST_F(ListTest, EditsTextCellsInPlace)
{
    struct Case {
        const char* label;
        int row;
        int column;
        DWORD exStyle;
        bool click;
        std::vector<WORD> keys;
        const wchar_t* result;
    };
    const std::wstring longText(3000, L'L');
    const Case cases[] = {
        {"Enter commits", 1, Name, 0, true, {'X', 'Y', VK_RETURN}, L"xy"},
        {"Escape cancels", 2, Name, LVS_EX_GRIDLINES, true, {'X', VK_ESCAPE}, L"name 2"},
        {"very long text kept whole", 3, Name, 0, true, {VK_END, VK_RETURN}, longText.c_str()},
        {"right-aligned cell scrolled into view", 4, Note, 0, false, {'Z', VK_RETURN}, L"z"},
    };
    list->SetItemText(3, Name, longText.c_str());
    list->SetColumnWidth(Fixed, 300);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        list->SetExtendedStyle(c.exStyle | LVS_EX_SUBITEMIMAGES);
        if (c.click)
            clickCell(c.row, c.column);
        else
            list->EditSubitem(c.row, c.column);
        CEdit* edit = openEdit();
        ASSERT_NE(edit, nullptr);
        ASSERT_EQ(edit->GetParent(), list.get());

        CRect bounds;
        list->GetItemRect(c.row, &bounds, LVIR_BOUNDS);
        CRect client;
        list->GetClientRect(&client);
        int offset = 0;
        for (int column = 0; column < c.column; ++column)
            offset += list->GetColumnWidth(column);
        const bool gridLines = c.exStyle != 0;
        CRect expected(bounds.left + offset + 4, bounds.top, 0, bounds.bottom - (gridLines ? 1 : 0));
        expected.right = std::min<int>(client.right, expected.left - 3 + list->GetColumnWidth(c.column)) - 4;
        CRect placed;
        edit->GetWindowRect(&placed);
        list->ScreenToClient(&placed);
        EXPECT_EQ(placed, expected);
        EXPECT_GE(placed.left, 0) << "the cell was scrolled into view";
        EXPECT_EQ(edit->GetStyle() & (ES_RIGHT | ES_CENTER), DWORD(c.column == Note ? ES_RIGHT : ES_LEFT));
        CString shown;
        edit->GetWindowText(shown);
        EXPECT_EQ(shown, list->GetItemText(c.row, c.column));
        EXPECT_EQ(edit->GetSel(), MAKELONG(0, shown.GetLength())) << "all selected";

        type(c.keys);
        EXPECT_EQ(openEdit(), nullptr);
        EXPECT_EQ(list->GetItemText(c.row, c.column), c.result);
    }
}

TEST_F(ListTest, LongTextGrowsTheBoxUpToTheListsEdgeAndAClickOnTheNextCellCommits)
{
    clickCell(0, Name);
    CEdit* edit = openEdit();
    ASSERT_NE(edit, nullptr);
    CRect start;
    edit->GetWindowRect(&start);
    std::vector<WORD> keys(60, 'W');
    type(keys);
    CRect grown;
    edit->GetWindowRect(&grown);
    list->ScreenToClient(&grown);
    CRect client;
    list->GetClientRect(&client);
    EXPECT_EQ(grown.right, client.right);

    clickCell(3, Name);
    EXPECT_EQ(list->GetItemText(0, Name), CString(std::wstring(60, L'w').c_str()));
    ASSERT_NE(openEdit(), nullptr) << "the next cell is edited";
    CRect next;
    openEdit()->GetWindowRect(&next);
    list->ScreenToClient(&next);
    EXPECT_GT(next.top, grown.bottom);
    type({VK_ESCAPE});
    EXPECT_EQ(openEdit(), nullptr);
}

TEST_F(ListTest, BoolCellsToggleAndChoiceCellsTakeTheChosenItem)
{
    const bool flags[] = {false, true, true};
    for (int row = 0; row < 3; ++row) {
        clickCell(row % 2, Flag);
        EXPECT_EQ(list->GetItemBool(row % 2, Flag), flags[row]) << "click " << row;
    }

    struct Case {
        const char* label;
        int row;
        std::vector<WORD> keys;
        const wchar_t* result;
    };
    const Case cases[] = {
        {"third choice", 0, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, L"gamma"},
        {"first choice", 1, {VK_DOWN, VK_RETURN}, L"alpha"},
        {"dismissed", 2, {VK_DOWN, VK_DOWN, VK_ESCAPE}, L"gamma"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const UINT_PTR timer = ::SetTimer(nullptr, 0, kMenuSafetyMs, endMenu);
        qvtest::click(*list, cellCentre(c.row, Kind));
        for (const WORD key : c.keys)
            qvtest::pressKey(key);
        qvtest::pumpMfcUntilIdle();
        ::KillTimer(nullptr, timer);
        EXPECT_EQ(list->GetItemText(c.row, Kind), c.result);
    }
}

TEST_F(ListTest, AHeaderClickCopiesTheFirstRowDown)
{
    struct Case {
        const char* label;
        int column;
        const wchar_t* firstRow;
        const wchar_t* copied;
    };
    const Case cases[] = {
        {"edit column", Name, L"name 0", L"name 0"},
        {"list column, text not a choice", Kind, L"delta", L"alpha"},
        {"not editable column", Fixed, L"first", L"fixed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        list->SetItemText(0, c.column, c.firstRow);
        clickCell(-1, c.column);
        EXPECT_EQ(list->actions.back(), Action(ListCtrl::ColumnClick, 0, c.column));
        for (int row = 1; row < kRows; ++row)
            EXPECT_EQ(list->GetItemText(row, c.column), c.copied) << "row " << row;
    }
    clickCell(-1, Flag);
    for (int row = 1; row < kRows; ++row)
        EXPECT_TRUE(list->GetItemBool(row, Flag)) << "row " << row;
}

TEST_F(ListTest, DeleteRemovesTheSelectedRowAndRenumbers)
{
    struct Case {
        const char* label;
        bool renumber;
        int selected;
        std::vector<std::wstring> numbers;
    };
    const Case cases[] = {
        {"renumbered", true, 2, {L"1", L"2", L"3", L"4"}},
        {"kept", false, 1, {L"1", L"3", L"4", L"x"}},
        {"nothing selected, renumbered anyway", true, -1, {L"1", L"2", L"3", L"4", L"5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        makeList();
        list->SetDeleteRenumbering(c.renumber);
        if (c.selected >= 0)
            clickCell(c.selected, Number);
        else
            list->SetFocus();
        list->SetItemText(4, Number, L"x");
        type({VK_DELETE});
        EXPECT_EQ(list->actions.back(), Action(ListCtrl::DeleteRow, c.selected, -1));
        std::vector<std::wstring> numbers;
        for (int row = 0; row < list->GetItemCount(); ++row)
            numbers.emplace_back(list->GetItemText(row, Number));
        EXPECT_EQ(numbers, c.numbers);
    }

    list->ResetContent();
    list->AddRow(L"only", 0);
    list->SelectRow(0);
    type({VK_DELETE});
    EXPECT_EQ(list->GetItemCount(), 0);
    EXPECT_EQ(list->GetCurrentString(Kind, L"beta"), 1) << "choices survive";
}

TEST_F(ListTest, LooksUpChoicesAndRefusesWhatItCannotEdit)
{
    struct Lookup {
        const wchar_t* text;
        int current;
        int next;
    };
    const Lookup lookups[] = {{L"alpha", 0, 1}, {L"beta", 1, 2}, {L"gamma", 2, 0}, {L"Beta", 0, 0}, {L"", 0, 0}};
    for (const Lookup& l : lookups) {
        SCOPED_TRACE(testing::Message() << CStringA(l.text));
        EXPECT_EQ(list->GetCurrentString(Kind, l.text), l.current);
        EXPECT_EQ(list->GetNextString(Kind, l.text), l.next);
    }
    EXPECT_EQ(list->GetItemList(2, Kind), 2);
    list->SetItemList(2, Kind, 7);
    EXPECT_EQ(list->GetItemText(2, Kind), L"gamma") << "no such choice";

    EXPECT_EQ(list->FindStringExact(Name, L"name 3"), 3);
    EXPECT_EQ(list->FindStringExact(Name, L"Name 3"), -1);
    EXPECT_EQ(list->FindStringExact(Flag, L""), -1) << "bool column";
    EXPECT_EQ(list->FindStringExact(-1, L"fixed"), -1);

    EXPECT_EQ(list->SetupPopupMenu(Name), nullptr) << "no choices";

    list->AddColumn(ListCtrl::kMaxColumns, L"beyond", 50, LVCFMT_LEFT, ListCtrl::Edit);
    list->InsertColumn(kColumns, L"untyped", LVCFMT_LEFT, 50, kColumns);
    list->SetColumnWidth(Fixed, ListCtrl::kMinEditWidth - 1);
    struct Refusal {
        const char* label;
        int row;
        int column;
    };
    const Refusal refusals[] = {{"no such row", kRows, Name},   {"no such column", 0, kColumns + 1},
                                {"negative column", 0, -1},     {"narrow column", 0, Fixed}};
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.label);
        EXPECT_EQ(list->EditSubLabel(r.row, r.column), nullptr);
    }
    list->EditSubitem(0, kColumns);
    EXPECT_EQ(openEdit(), nullptr) << "a column without a type is not edited";

    ASSERT_NE(list->EditSubLabel(1, Name), nullptr);
    list.reset();
    qvtest::pumpMfcUntilIdle();
    EXPECT_EQ(openEdit(), nullptr) << "gone with its list";
}


// A dialog turns Enter and Escape into its default buttons, which would end the dialog and
// leave the edit open: the edit takes them first.
TEST_F(ListTest, EnterAndEscapeInADialogEndTheEditNotTheDialog)
{
    ControlsDialog dialog;
    list->SetParent(&dialog);
    ASSERT_TRUE(qvtest::bringToForeground(dialogHost()));
    struct Case {
        const char* label;
        int row;
        WORD key;
        const wchar_t* result;
    };
    const Case cases[] = {{"Enter", 1, VK_RETURN, L"q"}, {"Escape", 2, VK_ESCAPE, L"name 2"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        clickCell(c.row, Name);
        ASSERT_NE(openEdit(), nullptr);
        type({'Q', c.key});
        EXPECT_EQ(openEdit(), nullptr);
        EXPECT_EQ(list->GetItemText(c.row, Name), c.result);
        EXPECT_TRUE(dialog.IsWindowVisible()) << "the dialog stays";
    }
}

} // namespace
