#include <qv.win/RichEditCtrl.h>

#include <richedit.h>

namespace qv::gui {

namespace {

// Every effect bit but automatic colour; the mask decides which of them apply.
constexpr DWORD kAllEffectsButAutoColor = ~static_cast<DWORD>(CFE_AUTOCOLOR);

CHARFORMAT colorFormat(COLORREF color)
{
    CHARFORMAT format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    format.dwEffects = kAllEffectsButAutoColor;
    format.crTextColor = color;
    return format;
}

} // namespace

BEGIN_MESSAGE_MAP(RichEditCtrl, CRichEditCtrl)
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

RichEditCtrl::RichEditCtrl() = default;

RichEditCtrl::~RichEditCtrl() = default;

bool RichEditCtrl::isSelected() const
{
    long start = 0;
    long end = 0;
    GetSel(start, end);
    return end > start;
}

void RichEditCtrl::setDefaultTextColor(COLORREF color)
{
    CHARFORMAT format = colorFormat(color);
    SetDefaultCharFormat(format);
}

bool RichEditCtrl::isSelectable() const
{
    return selectable;
}

void RichEditCtrl::setSelectable(bool value)
{
    selectable = value;
}

void RichEditCtrl::appendString(const wchar_t* text)
{
    _append(text, nullptr);
}

void RichEditCtrl::appendString(const wchar_t* text, COLORREF color, bool bold)
{
    CHARFORMAT format = colorFormat(color);
    if (bold)
        format.dwMask |= CFM_BOLD;
    _append(text, &format);
}

void RichEditCtrl::clearAll()
{
    SetSel(0, -1);
    ReplaceSel(L"");
}

void RichEditCtrl::gotoEndLine()
{
    SendMessage(EM_SCROLLCARET);
}

// Inserts at the end, in the format given (else in the one in force there). A visible pane
// draws nothing meanwhile and is repainted when the application is next idle: drawing every
// append at once would cost far more than the append.
void RichEditCtrl::_append(const wchar_t* text, CHARFORMAT* format)
{
    if (text == nullptr || !::IsWindow(m_hWnd))
        return;
    const bool visible = (GetStyle() & WS_VISIBLE) != 0;
    if (visible)
        SetRedraw(FALSE);
    const long end = GetWindowTextLength();
    SetSel(end, end);
    if (format != nullptr)
        SetSelectionCharFormat(*format);
    ReplaceSel(text, FALSE);
    gotoEndLine();
    if (visible) {
        SetRedraw(TRUE);
        Invalidate(FALSE);
    }
}

BOOL RichEditCtrl::PreTranslateMessage(MSG* msg)
{
    if (msg->wParam == VK_ESCAPE)
        return TRUE;
    return CRichEditCtrl::PreTranslateMessage(msg);
}

void RichEditCtrl::OnSetFocus(CWnd* previous)
{
    if (selectable) {
        CRichEditCtrl::OnSetFocus(previous);
        return;
    }
    if (previous != nullptr && ::IsWindow(previous->m_hWnd))
        previous->SetFocus();
}

} // namespace qv::gui
