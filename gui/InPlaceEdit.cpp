#include <qv.win/InPlaceEdit.h>

#include <algorithm>

namespace qv::gui {

namespace {

// Room the grown box leaves after the text.
constexpr int kGrowMargin = 5;

} // namespace

BEGIN_MESSAGE_MAP(InPlaceEdit, CEdit)
    ON_WM_CREATE()
    ON_WM_CHAR()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

InPlaceEdit::InPlaceEdit(int row, int column, const CString& initialText)
    : row(row), column(column), initialText(initialText)
{
}

InPlaceEdit::~InPlaceEdit() = default;

BOOL InPlaceEdit::PreTranslateMessage(MSG* msg)
{
    if (!_isEditKey(*msg))
        return CEdit::PreTranslateMessage(msg);
    ::TranslateMessage(msg);
    ::DispatchMessage(msg);
    return TRUE;
}

bool InPlaceEdit::_isEditKey(const MSG& msg) const
{
    if (msg.message != WM_KEYDOWN)
        return false;
    return msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE || msg.wParam == VK_DELETE ||
           ::GetKeyState(VK_CONTROL) != 0;
}

int InPlaceEdit::OnCreate(LPCREATESTRUCT createStruct)
{
    if (CEdit::OnCreate(createStruct) == -1)
        return -1;
    SetFont(GetParent()->GetFont());
    SetWindowText(initialText);
    SetFocus();
    SetSel(0, -1);
    // Selecting does not scroll a single-line edit on every platform.
    SendMessage(EM_SCROLLCARET);
    return 0;
}

void InPlaceEdit::OnChar(UINT character, UINT repeatCount, UINT flags)
{
    if (character == VK_ESCAPE || character == VK_RETURN) {
        if (character == VK_ESCAPE)
            cancelled = TRUE;
        GetParent()->SetFocus();
        return;
    }
    CEdit::OnChar(character, repeatCount, flags);
    _growToText();
}

// Widens the box to the text in the list's font, up to the list's right edge.
void InPlaceEdit::_growToText()
{
    CString text;
    GetWindowText(text);
    CWindowDC dc(this);
    CFont* oldFont = dc.SelectObject(GetParent()->GetFont());
    const int width = dc.GetTextExtent(text).cx + kGrowMargin;
    dc.SelectObject(oldFont);

    CRect client;
    GetClientRect(&client);
    if (width <= client.Width())
        return;
    CRect listClient;
    GetParent()->GetClientRect(&listClient);
    CRect box;
    GetWindowRect(&box);
    GetParent()->ScreenToClient(&box);
    box.right = std::min(box.left + width, listClient.right);
    MoveWindow(&box);
}

void InPlaceEdit::OnKillFocus(CWnd* newWindow)
{
    CEdit::OnKillFocus(newWindow);
    CString text;
    GetWindowText(text);
    _notifyEnd(text);
    DestroyWindow();
}

void InPlaceEdit::_notifyEnd(const CString& text)
{
    CWnd* list = GetParent();
    CWnd* owner = list->GetParent();
    if (owner == nullptr)
        return;
    NMLVDISPINFO info{};
    info.hdr.hwndFrom = list->m_hWnd;
    info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    info.hdr.code = LVN_ENDLABELEDIT;
    info.item.mask = LVIF_TEXT;
    info.item.iItem = row;
    info.item.iSubItem = column;
    info.item.pszText = cancelled ? nullptr : const_cast<LPTSTR>(static_cast<LPCTSTR>(text));
    info.item.cchTextMax = text.GetLength();
    owner->SendMessage(WM_NOTIFY, static_cast<WPARAM>(list->GetDlgCtrlID()), reinterpret_cast<LPARAM>(&info));
}

void InPlaceEdit::PostNcDestroy()
{
    delete this;
}

} // namespace qv::gui
