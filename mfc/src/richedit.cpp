#include "wndstate.h"

IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

namespace {

// GetTextLengthEx counts in UTF-16 unless told otherwise, as the control's text is.
const UINT utf16CodePage = 1200;

} // namespace

// Each DLL is loaded once and kept for the life of the process: windows of its classes may
// outlive any one user.
BOOL AFXAPI AfxInitRichEdit2()
{
    static const HMODULE module = ::LoadLibrary(L"riched20.dll");
    return module != nullptr;
}

BOOL AFXAPI AfxInitRichEdit5()
{
    static const HMODULE module = ::LoadLibrary(L"msftedit.dll");
    return module != nullptr;
}

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, dwStyle, rect, pParentWnd, nID);
}

BOOL CRichEditCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!AfxInitRichEdit2())
        return FALSE;
    return CWnd::CreateEx(dwExStyle, RICHEDIT_CLASS, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

long CRichEditCtrl::GetTextLengthEx(DWORD dwFlags, UINT uCodePage) const
{
    GETTEXTLENGTHEX length{dwFlags, uCodePage == static_cast<UINT>(-1) ? utf16CodePage : uCodePage};
    return static_cast<long>(SendMessage(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length)));
}

void CRichEditCtrl::GetSel(long& nStartChar, long& nEndChar) const
{
    CHARRANGE range{};
    GetSel(range);
    nStartChar = range.cpMin;
    nEndChar = range.cpMax;
}

void CRichEditCtrl::SetSel(long nStartChar, long nEndChar)
{
    CHARRANGE range{nStartChar, nEndChar};
    SetSel(range);
}

CPoint CRichEditCtrl::PosFromChar(UINT nChar) const
{
    POINTL point{};
    SendMessage(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), static_cast<LPARAM>(nChar));
    return CPoint(point.x, point.y);
}

CString CRichEditCtrl::GetSelText() const
{
    CHARRANGE range{};
    GetSel(range);
    CString text;
    const long length = range.cpMax - range.cpMin;
    if (length <= 0)
        return text;
    const auto copied = static_cast<int>(
        SendMessage(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text.GetBufferSetLength(static_cast<int>(length)))));
    text.ReleaseBuffer(copied);
    return text;
}

DWORD CRichEditCtrl::getCharFormat(WPARAM which, CHARFORMAT& cf) const
{
    cf.cbSize = sizeof cf;
    return static_cast<DWORD>(SendMessage(EM_GETCHARFORMAT, which, reinterpret_cast<LPARAM>(&cf)));
}

BOOL CRichEditCtrl::setCharFormat(WPARAM which, CHARFORMAT& cf)
{
    cf.cbSize = sizeof cf;
    return static_cast<BOOL>(SendMessage(EM_SETCHARFORMAT, which, reinterpret_cast<LPARAM>(&cf)));
}
