#include <qv.win/Progress.h>

#include <qv.win/MemDC.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <utility>

namespace qv::gui {

namespace {

constexpr int kEscapementUnitsPerDegree = 10;
constexpr LPCWSTR kPercentPattern = L"%d%%";
constexpr LPCWSTR kPositionPattern = L"%d";

bool isVertical(DWORD style)
{
    return (style & PBS_VERTICAL) != 0;
}

// The gradient direction that runs from the edge a bar of this style grows from.
Gradient::eDirection barDirection(DWORD style)
{
    const bool reverse = (style & PBS_REVERSE) != 0;
    if (isVertical(style))
        return reverse ? Gradient::TopToBottom : Gradient::BottomToTop;
    return reverse ? Gradient::RightToLeft : Gradient::LeftToRight;
}

// A span of positions along the bar axis, kept in left and right as ConvertToReal expects.
CRect span(int start, int end)
{
    return CRect(start, 0, end, 0);
}

} // namespace

// The text's extents along x and y once rotated by the font's escapement, and the offset of the
// TA_CENTER | TA_BOTTOM reference point that centres it on the anchor.
struct Progress::TextLayout {
    CSize extent;
    CSize correction;
};

// Construction

Progress::Progress()
    : m_clrBk(::GetSysColor(COLOR_BTNFACE)),
      m_clrTextOnBar(::GetSysColor(COLOR_CAPTIONTEXT)),
      m_clrTextOnBk(::GetSysColor(COLOR_BTNTEXT))
{
    _setDefaultGradient();
}

Progress::~Progress() = default;

// Attributes

DWORD Progress::GetBarStyle() const
{
    return m_dwStyle;
}

void Progress::ModifyBarStyle(DWORD dwRemove, DWORD dwAdd)
{
    m_dwStyle = (m_dwStyle & ~dwRemove) | dwAdd;
}

void Progress::SetReverse(BOOL reverse)
{
    _setStyle(PBS_REVERSE, reverse);
}

DWORD Progress::GetReverse() const
{
    return GetBarStyle() & PBS_REVERSE;
}

void Progress::SetRubberBar(BOOL rubber)
{
    _setStyle(PBS_RUBBER_BAR, rubber);
}

DWORD Progress::GetRubberBar() const
{
    return GetBarStyle() & PBS_RUBBER_BAR;
}

void Progress::SetTiedText(BOOL tied)
{
    _setStyle(PBS_TIED_TEXT, tied);
}

DWORD Progress::GetTiedText() const
{
    return GetBarStyle() & PBS_TIED_TEXT;
}

void Progress::SetSnake(BOOL snake)
{
    _setStyle(PBS_SNAKE | PBS_RUBBER_BAR, snake);
}

DWORD Progress::GetSnake() const
{
    return GetBarStyle() & PBS_SNAKE;
}

void Progress::SetShowPercent(BOOL show)
{
    SetTextFormat(show ? kPercentPattern : L"", show ? PBS_SHOW_PERCENT : 0);
}

DWORD Progress::GetShowPercent() const
{
    return GetBarStyle() & PBS_SHOW_PERCENT;
}

void Progress::SetTextAlign(DWORD align)
{
    ModifyBarStyle(PBS_TEXTALIGN_MASK, align & PBS_TEXTALIGN_MASK);
}

DWORD Progress::GetTextAlign() const
{
    return GetBarStyle() & PBS_TEXTALIGN_MASK;
}

void Progress::SetTextFormat(LPCWSTR pattern, DWORD mode)
{
    const bool show = pattern != nullptr && *pattern != L'\0' && mode != 0;
    ModifyBarStyle(PBS_TEXTMODE_MASK, show ? mode : 0);
    m_strText = show ? pattern : L"";
}

void Progress::HideText()
{
    SetTextFormat(nullptr, 0);
}

void Progress::SetText(LPCWSTR pattern)
{
    m_strText = pattern;
}

CString Progress::GetText() const
{
    return m_strText;
}

void Progress::SetTextColor(COLORREF onBar, COLORREF onBackground)
{
    m_clrTextOnBar = onBar;
    m_clrTextOnBk = onBackground == CLR_NONE ? onBar : onBackground;
}

COLORREF Progress::GetTextColor() const
{
    return m_clrTextOnBar;
}

COLORREF Progress::GetTextColorOnBk() const
{
    return m_clrTextOnBk;
}

void Progress::SetBkColor(COLORREF color)
{
    m_clrBk = color;
}

COLORREF Progress::GetBkColor() const
{
    return m_clrBk;
}

void Progress::SetBkBrush(CBrush* brush)
{
    m_pbrBk = brush;
}

CBrush* Progress::GetBkBrush() const
{
    return m_pbrBk;
}

void Progress::SetBarBrush(CBrush* brush)
{
    m_pbrBar = brush;
}

CBrush* Progress::GetBarBrush() const
{
    return m_pbrBar;
}

void Progress::SetFont(CFont* font)
{
    m_pFont = font;
}

CFont* Progress::GetFont() const
{
    return m_pFont;
}

void Progress::SetBorders(const CRect& borders)
{
    m_rcBorders = borders;
}

const CRect& Progress::GetBorders() const
{
    return m_rcBorders;
}

void Progress::SetSnakeTail(int tail)
{
    m_nTail = tail;
}

int Progress::GetSnakeTail() const
{
    return m_nTail;
}

BOOL Progress::SetShape(HRGN region)
{
    m_rgnShape.DeleteObject();
    return region == nullptr ? TRUE : m_rgnShape.Attach(region);
}

void Progress::SetRange(int nLower, int nUpper)
{
    m_nLower = std::min(nLower, nUpper);
    m_nUpper = std::max(nLower, nUpper);
    SetPos(m_nPos);
}

void Progress::GetRange(int& nLower, int& nUpper) const
{
    nLower = m_nLower;
    nUpper = m_nUpper;
}

int Progress::GetPos() const
{
    return m_nPos;
}

int Progress::SetPos(int nPos)
{
    const int old = m_nPos;
    if (!SetSnakePos(nPos, FALSE))
        UpdatePos(nPos);
    return old;
}

int Progress::OffsetPos(int nPos)
{
    const int old = m_nPos;
    if (!SetSnakePos(nPos, TRUE))
        UpdatePos(_clampToRange(static_cast<long long>(m_nPos) + nPos));
    return old;
}

int Progress::StepIt()
{
    return OffsetPos(m_nStep);
}

int Progress::SetStep(int nStep)
{
    return std::exchange(m_nStep, nStep);
}

// Operations

void Progress::Animate(int nStep)
{
    const double stretched = float(_range()) * GetStretchGradient();
    const auto cycle = static_cast<long long>(std::min(stretched, double(INT_MAX)));
    m_nAnimPos = cycle == 0 ? 0 : int((static_cast<long long>(m_nAnimPos) + nStep) % cycle);
}

void Progress::ResetAnimation()
{
    m_nAnimPos = 0;
}

void Progress::Draw(CDC* pDC, CRect rect, BOOL direct)
{
    if (pDC == nullptr)
        return;
    if (m_rgnShape.GetSafeHandle() != nullptr) {
        pDC->SelectClipRgn(&m_rgnShape);
        pDC->OffsetClipRgn(rect.left, rect.top);
    }
    const BOOL printing = pDC->m_bPrinting;
    if (direct)
        pDC->m_bPrinting = TRUE;
    MemDC memDC(pDC, &rect, m_pbrBk == nullptr && m_clrBk == CLR_NONE, FALSE);
    pDC->m_bPrinting = printing;

    _drawBackground(&memDC, rect);
    if (m_nPos < m_nLower || m_nPos > m_nUpper)
        return;
    CRect area = rect;
    area.DeflateRect(&m_rcBorders);
    const CDrawInfo info{&memDC, GetBarStyle(), area, m_nPos, m_nLower, m_nUpper};
    const int extent = isVertical(info.dwStyle) ? area.Height() : area.Width();
    const int barEnd = _toExtent(m_nPos, extent);
    const int barStart = (info.dwStyle & PBS_SNAKE) != 0 ? _toExtent(m_nSnakePos, extent) : 0;
    _drawBar(info, barStart, barEnd, extent);
    DrawText(info, span(0, extent), span(barStart, barEnd));
}

// Overridables

void Progress::DrawText(const CDrawInfo& info, const CRect& rcFull, const CRect& rcBar)
{
    if ((info.dwStyle & PBS_TEXTMODE_MASK) == 0)
        return;
    CString text = FormatText(info, m_strText, CalcPos(info));
    if (text.IsEmpty())
        return;

    CDC* pDC = info.pDC;
    CFont* pOldFont = m_pFont != nullptr ? pDC->SelectObject(m_pFont) : nullptr;
    const COLORREF oldColor = pDC->SetTextColor(m_clrTextOnBar);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const UINT oldAlign = pDC->SetTextAlign(TA_CENTER | TA_BOTTOM);
    const CPoint windowOrg = pDC->GetWindowOrg();
    const TextLayout layout = _layoutText(pDC, text);
    const CPoint viewportOrg = pDC->GetViewportOrg();

    if ((info.dwStyle & PBS_TIED_TEXT) != 0) {
        const int along = isVertical(info.dwStyle) ? layout.extent.cy : layout.extent.cx;
        if (along <= rcBar.Width()) {
            _anchorText(info, layout, ConvertToReal(info, rcBar));
            DrawClippedText(info, rcBar, text, windowOrg);
        }
    } else {
        _anchorText(info, layout, info.rcClient);
        pDC->SetTextColor(m_clrTextOnBk);
        DrawClippedText(info, rcFull, text, windowOrg);
        if (m_clrTextOnBk != m_clrTextOnBar) {
            pDC->SetTextColor(m_clrTextOnBar);
            DrawClippedText(info, rcBar, text, windowOrg);
        }
    }

    pDC->SetViewportOrg(viewportOrg);
    pDC->SetTextAlign(oldAlign);
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldColor);
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
}

void Progress::DrawClippedText(const CDrawInfo& info, const CRect& rcSpan, CString& text, const CPoint& ptWindowOrg)
{
    CRect clip = ConvertToReal(info, rcSpan);
    clip.OffsetRect(-ptWindowOrg.x, -ptWindowOrg.y);
    if (clip.IsRectEmpty())
        return;
    CRgn region;
    region.CreateRectRgnIndirect(&clip);
    info.pDC->SelectClipRgn(&region);
    info.pDC->TextOut(0, 0, text);
    region.DeleteObject();
}

BOOL Progress::SetSnakePos(int nValue, BOOL bIncrement)
{
    if ((GetBarStyle() & PBS_SNAKE) == 0)
        return FALSE;
    // Wide enough that no step, tail or range overflows.
    long long head = nValue;
    if (bIncrement) {
        // At the upper end the head runs on beyond the range while the tail catches up.
        const bool tailing = m_nPos == m_nUpper && static_cast<long long>(m_nPos) - m_nSnakePos < m_nTail;
        head = std::llabs(nValue) + (tailing ? static_cast<long long>(m_nSnakePos) + m_nTail : m_nPos);
    }
    const long long turn = static_cast<long long>(m_nUpper) + m_nTail;
    if (head > turn) {
        head = std::min(head - (turn - m_nLower), turn);
        const DWORD reverse = GetBarStyle() & PBS_REVERSE;
        ModifyBarStyle(reverse, PBS_REVERSE & ~reverse);
    }
    m_nSnakePos = _clampToRange(head - m_nTail);
    UpdatePos(_clampToRange(head));
    return TRUE;
}

CString Progress::FormatText(const CDrawInfo& info, CString pattern, float value)
{
    const DWORD mode = info.dwStyle & PBS_TEXTMODE_MASK;
    if (mode != PBS_SHOW_PERCENT && mode != PBS_SHOW_POSITION)
        return CString();
    if (pattern.IsEmpty())
        pattern = mode == PBS_SHOW_PERCENT ? kPercentPattern : kPositionPattern;
    CString text;
    text.Format(pattern, int(value));
    return text;
}

float Progress::CalcPos(const CDrawInfo& info)
{
    const long long range = static_cast<long long>(info.nUpper) - info.nLower;
    switch (info.dwStyle & PBS_TEXTMODE_MASK) {
    case PBS_SHOW_PERCENT:
        return range == 0 ? 0.0f
                          : float(static_cast<long long>(info.nCurPos) - info.nLower) * 100.0f / float(range);
    case PBS_SHOW_POSITION:
        return float(info.nCurPos);
    default:
        return 0.0f;
    }
}

BOOL Progress::OnPosChanging(int, int)
{
    return TRUE;
}

void Progress::OnPosChanged(int)
{
}

// Implementation

CRect Progress::ConvertToReal(const CDrawInfo& info, const CRect& rcSpan) const
{
    return _convertToReal(barDirection(info.dwStyle), info.rcClient, rcSpan.left, rcSpan.right);
}

void Progress::UpdatePos(int nPos, BOOL bForce)
{
    const int pos = std::clamp(nPos, m_nLower, m_nUpper);
    if (pos == m_nPos)
        return;
    if (!OnPosChanging(m_nPos, pos) && !bForce)
        return;
    m_nPos = pos;
    OnPosChanged(pos);
}

void Progress::_setDefaultGradient()
{
    BOOL gradientCaptions = FALSE;
    ::SystemParametersInfoW(SPI_GETGRADIENTCAPTIONS, 0, &gradientCaptions, 0);
    const COLORREF caption = ::GetSysColor(COLOR_ACTIVECAPTION);
    SetGradientColors(caption, gradientCaptions ? ::GetSysColor(COLOR_GRADIENTACTIVECAPTION) : caption);
}

void Progress::_setStyle(DWORD bits, BOOL on)
{
    ModifyBarStyle(on ? 0 : bits, on ? bits : 0);
}

long long Progress::_range() const
{
    return static_cast<long long>(m_nUpper) - m_nLower;
}

int Progress::_clampToRange(long long value) const
{
    return int(std::clamp<long long>(value, m_nLower, m_nUpper));
}

int Progress::_toExtent(int value, int extent) const
{
    const long long range = _range();
    return range == 0 ? 0 : int(float(static_cast<long long>(value) - m_nLower) * float(extent) / float(range));
}

void Progress::_drawBackground(CDC* pDC, const CRect& rect) const
{
    if (m_pbrBk != nullptr)
        pDC->FillRect(&rect, m_pbrBk);
    else if (m_clrBk != CLR_NONE)
        pDC->FillSolidRect(&rect, m_clrBk);
}

void Progress::_drawBar(const CDrawInfo& info, int barStart, int barEnd, int extent)
{
    if (m_pbrBar != nullptr) {
        info.pDC->FillRect(ConvertToReal(info, span(barStart, barEnd)), m_pbrBar);
        return;
    }
    const CRect gradientSpan = (info.dwStyle & PBS_RUBBER_BAR) != 0 ? span(barStart, barEnd) : span(0, extent);
    SetDirection(barDirection(info.dwStyle));
    const long long range = _range();
    const long long shift = range == 0 ? 0 : static_cast<long long>(gradientSpan.Width()) * m_nAnimPos / range;
    DrawLinearGradient(info.pDC, ConvertToReal(info, gradientSpan), barStart - gradientSpan.left,
                       barEnd - gradientSpan.left, int(std::clamp<long long>(shift, INT_MIN, INT_MAX)));
}

Progress::TextLayout Progress::_layoutText(CDC* pDC, const CString& text) const
{
    int angle = 0;
    LOGFONT lf;
    if (m_pFont != nullptr && m_pFont->GetLogFont(&lf) != 0)
        angle = lf.lfEscapement / kEscapementUnitsPerDegree;
    const CSize size = pDC->GetTextExtent(text);
    switch (angle) {
    case 0:
        return {size, CSize(0, size.cy)};
    case 90:
        return {CSize(size.cy, size.cx), CSize(size.cy, 0)};
    case 180:
        return {size, CSize(0, -size.cy)};
    case 270:
        return {CSize(size.cy, size.cx), CSize(-size.cy, 0)};
    default:
        return {CSize(0, 0), CSize(0, 0)};
    }
}

void Progress::_anchorText(const CDrawInfo& info, const TextLayout& layout, const CRect& box) const
{
    const int width = box.Width();
    const int height = box.Height();
    CSize offset = layout.correction;
    if ((info.dwStyle & PBS_LEFT) != 0)
        offset.cx += layout.extent.cx - width;
    if ((info.dwStyle & PBS_RIGHT) != 0)
        offset.cx += width - layout.extent.cx;
    if ((info.dwStyle & PBS_TOP) != 0)
        offset.cy += layout.extent.cy - height;
    if ((info.dwStyle & PBS_BOTTOM) != 0)
        offset.cy += height - layout.extent.cy;
    info.pDC->SetViewportOrg(box.left + (width + offset.cx) / 2, box.top + (height + offset.cy) / 2);
}

} // namespace qv::gui
