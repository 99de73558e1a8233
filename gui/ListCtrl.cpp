#include <qv.win/ListCtrl.h>

#include <qv.win/InPlaceEdit.h>

#include <algorithm>

namespace qv::gui {

namespace {

constexpr DWORD kReportStyle = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
constexpr int kTrueImage = 1;
constexpr int kFalseImage = 2;
// The list view's header is its child with identifier 0.
constexpr int kHeaderId = 0;
constexpr UINT kEditId = 0;
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
// Room between the cell's edges and the edit box.
constexpr int kEditInsetLeft = 4;
constexpr int kEditInsetRight = 4;
constexpr int kEditWidthTrim = 3;
constexpr UINT kMenuFlags = TPM_NONOTIFY | TPM_RETURNCMD;

// A row count from a caller, cut to the rows the list has: each row past them would still cost
// a message that changes nothing.
int existingRows(const CListCtrl& list, int rowCount)
{
    return std::min(rowCount, list.GetItemCount());
}

} // namespace

BEGIN_MESSAGE_MAP(ListCtrl, CListCtrl)
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnclick)
    ON_NOTIFY_REFLECT(LVN_ENDLABELEDIT, OnEndlabeledit)
END_MESSAGE_MAP()

ListCtrl::ListCtrl()
{
    std::fill(std::begin(columnTypes), std::end(columnTypes), NotEditable);
}

ListCtrl::~ListCtrl() = default;

void ListCtrl::Initialize(DWORD exStyle, CFont* font)
{
    ModifyStyle(0, kReportStyle);
    SetExtendedStyle(exStyle | LVS_EX_SUBITEMIMAGES);
    if (font != nullptr)
        SetFont(font, TRUE);
}

void ListCtrl::AddColumn(int column, const CString& text, int width, int format, ColumnType type)
{
    if (!_isColumn(column))
        return;
    if (InsertColumn(column, text, format, width, column) >= 0)
        columnTypes[column] = type;
}

int ListCtrl::AddRow(const CString& text, int image)
{
    return AddRow(GetItemCount(), text, image);
}

int ListCtrl::AddRow(int row, const CString& text, int image)
{
    const int inserted = InsertItem(LVIF_TEXT | LVIF_IMAGE, row, text, 0, 0, image, 0);
    if (inserted >= 0)
        EnsureVisible(inserted, FALSE);
    return inserted;
}

void ListCtrl::AddItem(int row, int column, const CString& text)
{
    if (column == 0)
        InsertItem(LVIF_TEXT, row, text, 0, 0, 0, 0);
    else
        AddNotEditableItem(row, column, text);
}

void ListCtrl::AddNotEditableItem(int row, int column, const CString& text)
{
    SetItem(row, column, LVIF_TEXT, text, 0, 0, 0, 0);
}

void ListCtrl::AddBoolItem(int row, int column, bool value)
{
    SetItemBool(row, column, value);
}

void ListCtrl::SetItemBool(int row, int column, bool value)
{
    _setImage(row, column, value ? kTrueImage : kFalseImage);
}

bool ListCtrl::GetItemBool(int row, int column)
{
    return _image(row, column) == kTrueImage;
}

void ListCtrl::AddListItem(int row, int column, int count, const CString* newChoices, int index)
{
    if (!_isColumn(column))
        return;
    const int kept = newChoices != nullptr ? std::clamp(count, 0, kMaxChoices) : 0;
    std::copy(newChoices, newChoices + kept, choices[column]);
    choiceCounts[column] = kept;
    SetItemList(row, column, index);
}

void ListCtrl::SetItemList(int row, int column, int index)
{
    if (_isColumn(column) && index >= 0 && index < choiceCounts[column])
        SetItemText(row, column, choices[column][index]);
}

int ListCtrl::GetItemList(int row, int column)
{
    if (!_isColumn(column))
        return 0;
    return std::max(_choiceIndex(column, GetItemText(row, column)), 0);
}

void ListCtrl::SetDeleteRenumbering(bool renumber)
{
    deleteRenumbering = renumber;
}

int ListCtrl::GetCurRow()
{
    return GetNextItem(-1, LVNI_SELECTED);
}

int ListCtrl::GetCurrentString(int column, const CString& text)
{
    return std::max(_choiceIndex(column, text), 0);
}

int ListCtrl::GetNextString(int column, const CString& text)
{
    const int index = _choiceIndex(column, text);
    if (index < 0 || index + 1 >= choiceCounts[column])
        return 0;
    return index + 1;
}

int ListCtrl::FindStringExact(int column, const CString& text)
{
    if (!_isColumn(column) || _typeOf(column) == Bool)
        return -1;
    const int rows = GetItemCount();
    for (int row = 0; row < rows; ++row) {
        if (GetItemText(row, column) == text)
            return row;
    }
    return -1;
}

void ListCtrl::ResetContent()
{
    while (GetItemCount() > 0 && DeleteItem(0)) {
    }
}

void ListCtrl::SelectRow(int row)
{
    SetFocus();
    SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void ListCtrl::EditSubitem(int row, int column)
{
    switch (_typeOf(column)) {
    case Edit:
        EditSubLabel(row, column);
        break;
    case Bool:
        ChangeBoolValue(row, column);
        break;
    case List:
        ChangeListValue(row, column);
        break;
    case NotEditable:
        break;
    }
}

CEdit* ListCtrl::EditSubLabel(int row, int column)
{
    if (!EnsureVisible(row, TRUE))
        return nullptr;
    const CWnd* header = GetDlgItem(kHeaderId);
    if (header == nullptr || column < 0)
        return nullptr;
    const auto headerColumns = static_cast<int>(header->SendMessage(HDM_GETITEMCOUNT));
    if (column >= headerColumns || GetColumnWidth(column) < kMinEditWidth)
        return nullptr;
    const CRect rect = _editRect(row, column);
    DWORD style = kEditStyle | _editAlignment(column);
    if ((GetExtendedStyle() & LVS_EX_GRIDLINES) == 0)
        style |= WS_BORDER;
    auto* edit = new InPlaceEdit(row, column, GetItemText(row, column));
    if (!edit->Create(style, rect, this, kEditId))
        return nullptr;
    return edit;
}

// The cell's rectangle inside its borders, after scrolling the list horizontally when the
// cell starts outside the client area.
CRect ListCtrl::_editRect(int row, int column)
{
    int offset = 0;
    for (int left = 0; left < column; ++left)
        offset += GetColumnWidth(left);
    CRect bounds;
    GetItemRect(row, &bounds, LVIR_BOUNDS);
    CRect client;
    GetClientRect(&client);
    // The list may scroll less than asked near the end of its range: take the cell where it is.
    const int x = bounds.left + offset;
    if (x < 0 || x > client.right) {
        Scroll(CSize(x, 0));
        GetItemRect(row, &bounds, LVIR_BOUNDS);
    }
    CRect rect(bounds.left + offset + kEditInsetLeft, bounds.top, 0, bounds.bottom);
    rect.right = std::min<int>(client.right, rect.left - kEditWidthTrim + GetColumnWidth(column)) - kEditInsetRight;
    if ((GetExtendedStyle() & LVS_EX_GRIDLINES) != 0)
        --rect.bottom;
    return rect;
}

UINT ListCtrl::_editAlignment(int column)
{
    LVCOLUMN format{};
    format.mask = LVCF_FMT;
    GetColumn(column, &format);
    switch (format.fmt & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT:
        return ES_RIGHT;
    case LVCFMT_CENTER:
        return ES_CENTER;
    default:
        return ES_LEFT;
    }
}

void ListCtrl::ChangeBoolValue(int row, int column)
{
    _setImage(row, column, _image(row, column) == kTrueImage ? kFalseImage : kTrueImage);
}

void ListCtrl::ChangeListValue(int row, int column)
{
    CMenu* menu = SetupPopupMenu(column);
    if (menu == nullptr)
        return;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    const int command = menu->TrackPopupMenu(kMenuFlags, cursor.x, cursor.y, this);
    menu->DestroyMenu();
    delete menu;
    if (command > 0)
        SetItemList(row, column, command - 1);
}

CMenu* ListCtrl::SetupPopupMenu(int column)
{
    if (!_isColumn(column) || choiceCounts[column] == 0)
        return nullptr;
    auto* menu = new CMenu;
    menu->CreatePopupMenu();
    for (int index = 0; index < choiceCounts[column]; ++index)
        menu->AppendMenu(MF_STRING, static_cast<UINT_PTR>(index + 1), choices[column][index]);
    return menu;
}

void ListCtrl::SynchronizeItems(int column)
{
    const int rows = GetItemCount();
    if (rows <= 1 || !_isColumn(column))
        return;
    switch (_typeOf(column)) {
    case Edit:
        SynchronizeString(column, rows);
        break;
    case Bool:
        SynchronizeBool(column, rows);
        break;
    case List:
        SynchronizeList(column, rows);
        break;
    case NotEditable:
        break;
    }
}

void ListCtrl::SynchronizeString(int column, int rowCount)
{
    const CString text = GetItemText(0, column);
    const int rows = existingRows(*this, rowCount);
    for (int row = 1; row < rows; ++row)
        SetItemText(row, column, text);
}

void ListCtrl::SynchronizeBool(int column, int rowCount)
{
    const bool value = GetItemBool(0, column);
    const int rows = existingRows(*this, rowCount);
    for (int row = 1; row < rows; ++row)
        SetItemBool(row, column, value);
}

void ListCtrl::SynchronizeList(int column, int rowCount)
{
    if (!_isColumn(column) || choiceCounts[column] == 0)
        return;
    const int index = GetItemList(0, column);
    const int rows = existingRows(*this, rowCount);
    for (int row = 1; row < rows; ++row)
        SetItemList(row, column, index);
}

void ListCtrl::RenumberingRow(int row)
{
    const int rows = GetItemCount();
    CString number;
    for (int r = std::max(row, 0); r < rows; ++r) {
        number.Format(L"%d", r + 1);
        SetItemText(r, 0, number);
    }
}

bool ListCtrl::MessageHandler(int code, int row, int column)
{
    switch (code) {
    case DeleteRow:
        DeleteItem(row);
        if (deleteRenumbering)
            RenumberingRow(row);
        break;
    case ClickCell:
        if (column == 0)
            SelectRow(row);
        else
            EditSubitem(row, column);
        break;
    case ColumnClick:
        SynchronizeItems(column);
        break;
    default:
        break;
    }
    return true;
}

void ListCtrl::OnLButtonDown(UINT, CPoint point)
{
    _handleClick(point, ClickCell, ClickEmpty);
}

void ListCtrl::OnRButtonDown(UINT, CPoint point)
{
    _handleClick(point, RightClickCell, RightClickEmpty);
}

void ListCtrl::OnLButtonDblClk(UINT flags, CPoint point)
{
    int row = -1;
    int column = -1;
    if (_hitCell(point, row, column))
        MessageHandler(DoubleClickCell, row, column);
    else
        CListCtrl::OnLButtonDblClk(flags, point);
}

void ListCtrl::OnKeyDown(UINT key, UINT repeatCount, UINT flags)
{
    if (key == VK_DELETE)
        MessageHandler(DeleteRow, GetCurRow(), -1);
    CListCtrl::OnKeyDown(key, repeatCount, flags);
}

void ListCtrl::OnColumnclick(NMHDR* header, LRESULT* result)
{
    const auto* list = reinterpret_cast<NMLISTVIEW*>(header);
    MessageHandler(ColumnClick, 0, list->iSubItem);
    *result = 0;
}

void ListCtrl::OnEndlabeledit(NMHDR* header, LRESULT* result)
{
    const auto* info = reinterpret_cast<NMLVDISPINFO*>(header);
    if (info->item.pszText != nullptr)
        SetItemText(info->item.iItem, info->item.iSubItem, info->item.pszText);
    *result = 0;
}

bool ListCtrl::_isColumn(int column) const
{
    return column >= 0 && column < kMaxColumns;
}

ListCtrl::ColumnType ListCtrl::_typeOf(int column) const
{
    return _isColumn(column) ? columnTypes[column] : NotEditable;
}

// The index of text among the column's choices, -1 when it is none of them.
int ListCtrl::_choiceIndex(int column, const CString& text) const
{
    if (!_isColumn(column))
        return -1;
    const CString* first = choices[column];
    const CString* last = first + choiceCounts[column];
    const CString* found = std::find_if(first, last, [&](const CString& choice) { return choice == text; });
    return found == last ? -1 : static_cast<int>(found - first);
}

// The handler gets onCell with the cell under the point, or elsewhere with -1, -1.
void ListCtrl::_handleClick(CPoint point, MessageCode onCell, MessageCode elsewhere)
{
    int row = -1;
    int column = -1;
    if (_hitCell(point, row, column))
        MessageHandler(onCell, row, column);
    else
        MessageHandler(elsewhere, -1, -1);
}

bool ListCtrl::_hitCell(CPoint point, int& row, int& column)
{
    LVHITTESTINFO hit{};
    hit.pt = point;
    SubItemHitTest(&hit);
    if (hit.iItem < 0 || hit.iSubItem < 0 || (hit.flags & LVHT_ONITEM) == 0)
        return false;
    row = hit.iItem;
    column = hit.iSubItem;
    return true;
}

int ListCtrl::_image(int row, int column)
{
    LVITEM item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iSubItem = column;
    if (!GetItem(&item))
        return -1;
    return item.iImage;
}

void ListCtrl::_setImage(int row, int column, int image)
{
    SetItem(row, column, LVIF_IMAGE, nullptr, image, 0, 0, 0);
}

} // namespace qv::gui
