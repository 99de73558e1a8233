#include <qv.win/ProgressCtrlX.h>

#include <algorithm>
#include <cwchar>

namespace qv::gui {

namespace {

constexpr DWORD kTooltipStyle = TTS_ALWAYSTIP | TTS_NOPREFIX;
constexpr UINT_PTR kToolId = 0;
constexpr UINT kRedrawNow = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;

} // namespace

BEGIN_MESSAGE_MAP(ProgressCtrlX, CProgressCtrl)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_TIMER()
    ON_MESSAGE(PBM_SETRANGE, OnSetRange)
    ON_MESSAGE(PBM_SETPOS, OnSetPos)
    ON_MESSAGE(PBM_DELTAPOS, OnDeltaPos)
    ON_MESSAGE(PBM_SETSTEP, OnSetStep)
    ON_MESSAGE(PBM_STEPIT, OnStepIt)
    ON_MESSAGE(PBM_SETRANGE32, OnSetRange32)
    ON_MESSAGE(PBM_GETRANGE, OnGetRange)
    ON_MESSAGE(PBM_GETPOS, OnGetPos)
    ON_MESSAGE(PBM_SETBARCOLOR, OnSetBarColor)
    ON_MESSAGE(PBM_SETBKCOLOR, OnSetBkColor)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
END_MESSAGE_MAP()

// Construction

ProgressCtrlX::ProgressCtrlX() = default;

ProgressCtrlX::~ProgressCtrlX() = default;

// Attributes

DWORD ProgressCtrlX::GetBarStyle() const
{
    return GetStyle();
}

void ProgressCtrlX::ModifyBarStyle(DWORD dwRemove, DWORD dwAdd)
{
    ModifyStyle(dwRemove, dwAdd, 0);
    _invalidate();
}

int ProgressCtrlX::SetPos(int nPos)
{
    return _invalidated(Progress::SetPos(nPos));
}

int ProgressCtrlX::OffsetPos(int nPos)
{
    return _invalidated(Progress::OffsetPos(nPos));
}

int ProgressCtrlX::StepIt()
{
    return _invalidated(Progress::StepIt());
}

int ProgressCtrlX::SetStep(int nStep)
{
    return _invalidated(Progress::SetStep(nStep));
}

void ProgressCtrlX::SetRange(int nLower, int nUpper)
{
    Progress::SetRange(nLower, nUpper);
    _invalidate();
}

int ProgressCtrlX::GetPos() const
{
    return Progress::GetPos();
}

void ProgressCtrlX::GetRange(int& nLower, int& nUpper) const
{
    Progress::GetRange(nLower, nUpper);
}

void ProgressCtrlX::SetFont(CFont* pFont)
{
    m_hFont = pFont != nullptr ? static_cast<HFONT>(pFont->GetSafeHandle()) : nullptr;
    _invalidate();
}

CFont* ProgressCtrlX::GetFont() const
{
    return m_hFont != nullptr ? CFont::FromHandle(m_hFont) : nullptr;
}

void ProgressCtrlX::SetBkColor(COLORREF color)
{
    Progress::SetBkColor(color);
}

// Operations

void ProgressCtrlX::RunSnake(UINT ms)
{
    _restartTimer(kSnakeTimer, ms);
}

void ProgressCtrlX::StopSnake()
{
    KillTimer(kSnakeTimer);
}

void ProgressCtrlX::RunAnimation(UINT ms, int step)
{
    m_nAnimStep = step;
    _restartTimer(kAnimationTimer, ms);
}

void ProgressCtrlX::StopAnimation()
{
    KillTimer(kAnimationTimer);
}

void ProgressCtrlX::SetTooltipFormat(LPCWSTR pattern, DWORD mode)
{
    m_strTooltipFormat = pattern;
    m_dwTooltipMode = mode & PBS_TEXTMODE_MASK;
    const bool show = !m_strTooltipFormat.IsEmpty() && m_dwTooltipMode != 0;
    if (show && m_tooltip.GetSafeHwnd() == nullptr) {
        m_tooltip.Create(this, kTooltipStyle);
        m_tooltip.AddTool(this, L"", nullptr, kToolId);
        UpdateTooltipText(Progress::GetPos());
    }
    if (m_tooltip.GetSafeHwnd() != nullptr)
        m_tooltip.Activate(show);
}

LPCWSTR ProgressCtrlX::GetTooltipText() const
{
    return m_strTooltipFormat;
}

void ProgressCtrlX::HideTooltip()
{
    m_strTooltipFormat.Empty();
    m_dwTooltipMode = PBS_TEXTMODE_MASK;
    if (m_tooltip.GetSafeHwnd() != nullptr)
        m_tooltip.Activate(FALSE);
}

// Overridables

// A bar of a dialog template was given the dialog's font before it was taken over.
void ProgressCtrlX::PreSubclassWindow()
{
    CProgressCtrl::PreSubclassWindow();
    m_hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
}

BOOL ProgressCtrlX::PreTranslateMessage(MSG* pMsg)
{
    if (m_tooltip.GetSafeHwnd() != nullptr && pMsg->message == WM_MOUSEMOVE)
        m_tooltip.RelayEvent(pMsg);
    return CProgressCtrl::PreTranslateMessage(pMsg);
}

void ProgressCtrlX::OnPosChanged(int nNewPos)
{
    UpdateTooltipText(nNewPos);
}

void ProgressCtrlX::UpdateTooltipText(int nPos)
{
    if (m_tooltip.GetSafeHwnd() == nullptr)
        return;
    int lower, upper;
    Progress::GetRange(lower, upper);
    const CDrawInfo info{nullptr, m_dwTooltipMode, CRect(), nPos, lower, upper};
    const CString text = FormatText(info, m_strTooltipFormat, CalcPos(info));
    if (!text.IsEmpty())
        m_tooltip.UpdateTipText(text, this, kToolId);
}

// Message handlers

BOOL ProgressCtrlX::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void ProgressCtrlX::OnPaint()
{
    CPaintDC dc(this);
    _paint(&dc);
}

LRESULT ProgressCtrlX::OnPrintClient(WPARAM wParam, LPARAM)
{
    _paint(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return 0;
}

void ProgressCtrlX::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kSnakeTimer)
        Progress::StepIt();
    else if (nIDEvent == kAnimationTimer)
        Animate(m_nAnimStep);
    if (nIDEvent == kSnakeTimer || nIDEvent == kAnimationTimer)
        _invalidate();
    CProgressCtrl::OnTimer(nIDEvent);
}

LRESULT ProgressCtrlX::OnSetRange(WPARAM, LPARAM lParam)
{
    return _setRange(LOWORD(lParam), HIWORD(lParam));
}

LRESULT ProgressCtrlX::OnSetPos(WPARAM wParam, LPARAM)
{
    return SetPos(int(wParam));
}

LRESULT ProgressCtrlX::OnDeltaPos(WPARAM wParam, LPARAM)
{
    return OffsetPos(int(wParam));
}

LRESULT ProgressCtrlX::OnSetStep(WPARAM wParam, LPARAM)
{
    return SetStep(int(wParam));
}

LRESULT ProgressCtrlX::OnStepIt(WPARAM, LPARAM)
{
    return StepIt();
}

LRESULT ProgressCtrlX::OnSetRange32(WPARAM wParam, LPARAM lParam)
{
    return _setRange(int(wParam), int(lParam));
}

LRESULT ProgressCtrlX::OnGetRange(WPARAM wParam, LPARAM lParam)
{
    int lower, upper;
    Progress::GetRange(lower, upper);
    if (auto* range = reinterpret_cast<PBRANGE*>(lParam); range != nullptr)
        *range = {lower, upper};
    return wParam != 0 ? lower : upper;
}

LRESULT ProgressCtrlX::OnGetPos(WPARAM, LPARAM)
{
    return Progress::GetPos();
}

// CLR_DEFAULT brings back the default colours, as it does for the platform's bar.
LRESULT ProgressCtrlX::OnSetBarColor(WPARAM wParam, LPARAM lParam)
{
    const auto first = COLORREF(lParam);
    if (first == CLR_DEFAULT)
        _setDefaultGradient();
    else
        SetGradientColorsX(2, first, wParam != 0 ? COLORREF(wParam) : first);
    _invalidate();
    return LRESULT(CLR_DEFAULT);
}

LRESULT ProgressCtrlX::OnSetBkColor(WPARAM, LPARAM lParam)
{
    const auto color = COLORREF(lParam);
    SetBkColor(color == CLR_DEFAULT ? ::GetSysColor(COLOR_BTNFACE) : color);
    _invalidate();
    return LRESULT(CLR_DEFAULT);
}

LRESULT ProgressCtrlX::OnSetText(WPARAM, LPARAM lParam)
{
    SetText(reinterpret_cast<LPCWSTR>(lParam));
    _invalidate();
    return TRUE;
}

LRESULT ProgressCtrlX::OnGetText(WPARAM wParam, LPARAM lParam)
{
    const CString text = GetText();
    auto* buffer = reinterpret_cast<LPWSTR>(lParam);
    if (buffer != nullptr && wParam != 0)
        std::wcsncpy(buffer, text, wParam);
    return LRESULT(std::min(size_t(wParam), size_t(text.GetLength())));
}

LRESULT ProgressCtrlX::OnGetTextLength(WPARAM, LPARAM)
{
    return GetText().GetLength();
}

LRESULT ProgressCtrlX::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    m_hFont = reinterpret_cast<HFONT>(wParam);
    if (lParam != 0)
        RedrawWindow(nullptr, nullptr, kRedrawNow);
    return 0;
}

LRESULT ProgressCtrlX::OnGetFont(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_hFont);
}

// Implementation

void ProgressCtrlX::_invalidate()
{
    if (m_hWnd != nullptr)
        Invalidate();
}

void ProgressCtrlX::_restartTimer(UINT_PTR id, UINT ms)
{
    KillTimer(id);
    SetTimer(id, ms, nullptr);
}

int ProgressCtrlX::_invalidated(int result)
{
    _invalidate();
    return result;
}

void ProgressCtrlX::_paint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CPalette* pOldPalette = nullptr;
    if (GetCreatePalette()) {
        CPalette& palette = GetPalette();
        if (palette.GetSafeHandle() != nullptr) {
            pOldPalette = pDC->SelectPalette(&palette, FALSE);
            pDC->RealizePalette();
        }
    }
    // The painter holds the font only while it paints: a wrapper of a handle lives no longer.
    Progress::SetFont(GetFont());
    Draw(pDC, client, FALSE);
    Progress::SetFont(nullptr);
    if (pOldPalette != nullptr)
        pDC->SelectPalette(pOldPalette, TRUE);
}

LRESULT ProgressCtrlX::_setRange(int nLower, int nUpper)
{
    int lower, upper;
    Progress::GetRange(lower, upper);
    SetRange(nLower, nUpper);
    return static_cast<DWORD>(MAKELONG(lower, upper));
}

} // namespace qv::gui
