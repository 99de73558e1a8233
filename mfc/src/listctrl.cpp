#include "wndstate.h"

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

namespace {

// The first buffer GetItemText tries; it doubles while the text fills it.
const int firstTextLength = 256;

// Positions of selected items are the item plus one, so that no item (-1) is null.
POSITION positionOfItem(int item)
{
    return reinterpret_cast<POSITION>(static_cast<INT_PTR>(item) + 1);
}

LVITEM itemOf(UINT mask, int item, int subItem, LPCTSTR text, int image, UINT state, UINT stateMask, LPARAM lParam)
{
    LVITEM record{};
    record.mask = mask;
    record.iItem = item;
    record.iSubItem = subItem;
    record.state = state;
    record.stateMask = stateMask;
    record.pszText = const_cast<LPTSTR>(text);
    record.iImage = image;
    record.lParam = lParam;
    return record;
}

} // namespace

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return qvmfc::createCommonControl(*this, ICC_LISTVIEW_CLASSES, WC_HEADER, 0, dwStyle, rect, pParentWnd, nID);
}

// Construction

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, dwStyle, rect, pParentWnd, nID);
}

BOOL CListCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return qvmfc::createCommonControl(*this, ICC_LISTVIEW_CLASSES, WC_LISTVIEW, dwExStyle, dwStyle, rect, pParentWnd,
                                      nID);
}

// Attributes

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    const LRESULT previous = SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(nImageListType),
                                         reinterpret_cast<LPARAM>(pImageList->GetSafeHandle()));
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(previous));
}

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState,
                        UINT nStateMask, LPARAM lParam)
{
    const LVITEM item = itemOf(nMask, nItem, nSubItem, lpszItem, nImage, nState, nStateMask, lParam);
    return SetItem(&item);
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEM item{};
    item.state = nState;
    item.stateMask = nMask;
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(nItem),
                                         reinterpret_cast<LPARAM>(&item)));
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    CString text;
    for (int length = firstTextLength;; length *= 2) {
        const int copied = GetItemText(nItem, nSubItem, text.GetBufferSetLength(length), length + 1);
        text.ReleaseBuffer(copied);
        if (copied < length)
            return text;
    }
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const
{
    LVITEM item{};
    item.iSubItem = nSubItem;
    item.pszText = lpszText;
    item.cchTextMax = nLen;
    return static_cast<int>(SendMessage(LVM_GETITEMTEXT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    LVITEM item{};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPTSTR>(lpszText);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEM item{};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    return SetItem(nItem, 0, LVIF_PARAM, nullptr, 0, 0, 0, static_cast<LPARAM>(dwData));
}

BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const
{
    RECT rect{nArea, iSubItem, 0, 0};
    const auto found = static_cast<BOOL>(SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(iItem),
                                                     reinterpret_cast<LPARAM>(&rect)));
    if (found)
        ref = rect;
    return found;
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    return positionOfItem(GetNextItem(-1, LVNI_SELECTED));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    const auto item = static_cast<int>(reinterpret_cast<INT_PTR>(pos) - 1);
    pos = positionOfItem(GetNextItem(item, LVNI_SELECTED));
    return item;
}

// Operations

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                          LPARAM lParam)
{
    const LVITEM item = itemOf(nMask, nItem, 0, lpszItem, nImage, nState, nStateMask, lParam);
    return InsertItem(&item);
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMN column{};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = const_cast<LPTSTR>(lpszColumnHeading);
    column.fmt = nFormat;
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO info{};
    info.pt = pt;
    const int item = HitTest(&info);
    if (pFlags)
        *pFlags = info.flags;
    return item;
}
