#include "TablePage.h"

#include "ImageStrip.h"
#include "Tour.h"

#include <qvtest/Input.h>

#include <cwctype>
#include <iterator>

namespace demo {

namespace {

using qv::gui::ListCtrl;

constexpr UINT kHint = 1;
constexpr UINT kTable = 2;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

constexpr COLORREF kPage = RGB(238, 242, 248);
constexpr int kMargin = 24;
constexpr int kHintHeight = 40;

// Check images 1 (checked) and 2 (unchecked) of the Visible column; image 0 is left blank.
constexpr int kImageSize = 16;
constexpr int kImageCount = 3;
constexpr COLORREF kImageMask = RGB(255, 0, 255);

enum Column { Number, Part, Material, Visible, Mass, Id };
struct ColumnLayout {
    const wchar_t* title;
    int width;
    int format;
    ListCtrl::ColumnType type;
};
const ColumnLayout kColumns[] = {
    {L"No.", 44, LVCFMT_LEFT, ListCtrl::Edit},        {L"Part", 170, LVCFMT_LEFT, ListCtrl::Edit},
    {L"Material", 110, LVCFMT_LEFT, ListCtrl::List},  {L"Visible", 60, LVCFMT_LEFT, ListCtrl::Bool},
    {L"Mass [kg]", 90, LVCFMT_RIGHT, ListCtrl::Edit}, {L"Id", 90, LVCFMT_LEFT, ListCtrl::NotEditable},
};
const CString kMaterials[] = {L"Steel", L"Aluminium", L"Titanium", L"Copper", L"Plastic"};

struct Row {
    const wchar_t* part;
    int material;
    bool visible;
    const wchar_t* mass;
    const wchar_t* id;
};
const Row kRows[] = {
    {L"Base plate", 0, true, L"12.40", L"QV-1001"},  {L"Bracket", 1, true, L"0.85", L"QV-1002"},
    {L"Shaft", 0, false, L"3.10", L"QV-1003"},       {L"Bearing cover", 3, true, L"0.42", L"QV-1004"},
    {L"Housing", 1, true, L"5.75", L"QV-1005"},      {L"Cable guide", 4, false, L"0.08", L"QV-1006"},
};

// The tour renames a part, ticks a box and picks a material from the menu.
constexpr int kTourRow = 1;
const wchar_t kTourPart[] = L"bracket b";
constexpr int kMenuSafetyMs = 3000;

void CALLBACK endMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    ::EndMenu();
}

} // namespace

BEGIN_MESSAGE_MAP(TablePage, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

bool TablePage::create(CWnd* parent, UINT id)
{
    if (!CWnd::Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 1, 1), parent, id))
        return false;
    const wchar_t* text = L"Click a cell to edit it: text in place (Enter keeps, Escape drops), materials from a "
                          L"menu, Visible toggles. A header click copies the first row down; click a number, then "
                          L"Delete, to remove a row.";
    if (!hint.Create(text, kChild | SS_LEFT, CRect(), this, kHint))
        return false;
    hint.SetFont(&font);
    page.CreateSolidBrush(kPage);
    if (!table.Create(kChild | WS_BORDER, CRect(), this, kTable) || !_createCheckImages())
        return false;
    table.Initialize(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT, &font);
    table.SetImageList(&table.imageList, LVSIL_SMALL);
    _addColumns();
    _addRows();
    return true;
}

// Check boxes drawn by the system into one strip, cut into the table's image list.
bool TablePage::_createCheckImages()
{
    const UINT states[] = {DFCS_BUTTONCHECK | DFCS_CHECKED, DFCS_BUTTONCHECK};
    const auto drawCheck = [&states](CDC& dc, const CRect& cell, int index) {
        if (index == 0)
            return; // no image
        CRect box(0, 0, kImageSize - 3, kImageSize - 3);
        box.OffsetRect(cell.left + 1, 1);
        ::DrawFrameControl(dc.GetSafeHdc(), &box, DFC_BUTTON, states[index - 1]);
    };
    return createImageStrip(*this, table.imageList, kImageSize, kImageCount, kImageMask, drawCheck);
}

void TablePage::_addColumns()
{
    for (int column = 0; column < static_cast<int>(std::size(kColumns)); ++column) {
        const ColumnLayout& layout = kColumns[column];
        table.AddColumn(column, layout.title, layout.width, layout.format, layout.type);
    }
}

void TablePage::_addRows()
{
    CString number;
    for (int row = 0; row < static_cast<int>(std::size(kRows)); ++row) {
        const Row& data = kRows[row];
        number.Format(L"%d", row + 1);
        table.AddRow(number, 0);
        table.AddItem(row, Part, data.part);
        table.AddListItem(row, Material, static_cast<int>(std::size(kMaterials)), kMaterials, data.material);
        table.AddBoolItem(row, Visible, data.visible);
        table.AddItem(row, Mass, data.mass);
        table.AddNotEditableItem(row, Id, data.id);
    }
}

// Edits one part's name by mouse and keyboard, ticks its Visible box and picks its material
// from the menu with the keys queued before the menu opens.
void TablePage::tour(Tour& tour)
{
    tour.click(&table, _cellCentre(kTourRow, Part));
    const CWnd* focus = GetFocus();
    tour.check(focus != nullptr && focus->GetParent() == &table, L"opening an in-place edit on a cell");
    for (const wchar_t* key = kTourPart; *key != 0; ++key)
        tour.pressKey(static_cast<WORD>(*key == L' ' ? VK_SPACE : ::towupper(*key)));
    tour.pressKey(VK_RETURN);
    tour.check(table.GetItemText(kTourRow, Part) == kTourPart, L"keeping the text typed into a cell");

    const bool visible = table.GetItemBool(kTourRow, Visible);
    tour.click(&table, _cellCentre(kTourRow, Visible));
    tour.check(table.GetItemBool(kTourRow, Visible) != visible, L"toggling a check cell");

    const UINT_PTR timer = ::SetTimer(nullptr, 0, kMenuSafetyMs, endMenu);
    qvtest::click(table, _cellCentre(kTourRow, Material));
    for (const WORD key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN})
        qvtest::pressKey(key);
    tour.pump(200);
    ::KillTimer(nullptr, timer);
    tour.check(table.GetItemText(kTourRow, Material) == kMaterials[2], L"choosing a material from the menu");
}

CPoint TablePage::_cellCentre(int row, int column) const
{
    CRect bounds;
    table.GetItemRect(row, &bounds, LVIR_BOUNDS);
    int left = bounds.left;
    for (int c = 0; c < column; ++c)
        left += table.GetColumnWidth(c);
    return CPoint(left + table.GetColumnWidth(column) / 2, bounds.CenterPoint().y);
}

BOOL TablePage::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, kPage);
    return TRUE;
}

// The hint sits on the page's own colour.
HBRUSH TablePage::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor != CTLCOLOR_STATIC)
        return CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
    pDC->SetBkColor(kPage);
    return static_cast<HBRUSH>(page.GetSafeHandle());
}

void TablePage::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    hint.MoveWindow(kMargin, kMargin, cx - 2 * kMargin, kHintHeight);
    table.MoveWindow(kMargin, kMargin + kHintHeight, cx - 2 * kMargin, cy - 2 * kMargin - kHintHeight);
}

} // namespace demo
