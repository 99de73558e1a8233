#include <qv.win/RealSlideEdit.h>

#include <qv.win/MemDC.h>
#include <qv.win/core/qv.String.h>

#include "Notification.h"
#include "RealText.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cwctype>
#include <vector>

namespace qv::gui {

namespace {

const int kMessageFontSize = 9;
const int kFrameMargin = 2;
const float kSpinShare = 0.15f;         // of the client width, per arrow button
const double kMinSpinShare = 0.75;      // of the client height
const float kArrowShare = 0.4f;         // of the arrow button's shorter side
const DWORD kHoverTime = 0;
const DWORD kCreateStyle = WS_CHILD | WS_VISIBLE;
const DWORD kWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
const UINT kFrameChanged = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED;
const UINT kLabelFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
const UINT kValueFormat = DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
const UINT kSingleFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
const wchar_t kSeparator[] = L": ";
const wchar_t kGeneralPattern[] = L"%g";
const wchar_t kFixedPatternPattern[] = L"%%.%df";
const wchar_t kEditPattern[] = L"%f";

// Sliding sensitive: each further 10 pixels of vertical distance divides the speed by 10.
const int kSensitivityPixels = 10;
const double kSensitivityBase = 100.0;
const float kMinSensitivity = 0.001f;

double sensitivity(int verticalDistance)
{
    const int k = std::max(1, verticalDistance / kSensitivityPixels);
    return std::max(double(kMinSensitivity), kSensitivityBase / std::pow(10.0, k));
}

// Decimal places of a step's fraction digits: all of them up to and including the first zero
// after a non-zero digit (0.105 shows two, 0.0001 four).
int fractionPlaces(const String& fraction)
{
    int places = 0;
    bool nonZero = false;
    for (size_t i = 0; i < fraction.length(); ++i) {
        const bool zero = fraction.at(i) == U'0';
        ++places;
        if (zero && nonZero)
            break;
        nonZero = nonZero || !zero;
    }
    return places;
}

// The font and text colour of the texts, put back at the end of the scope.
class TextStyle {
public:
    TextStyle(CDC* pDC, CFont* font, COLORREF color)
        : m_pDC(pDC), m_oldFont(pDC->SelectObject(font)), m_oldColor(pDC->SetTextColor(color))
    {
    }
    TextStyle(const TextStyle&) = delete;
    TextStyle& operator=(const TextStyle&) = delete;
    ~TextStyle()
    {
        m_pDC->SetTextColor(m_oldColor);
        m_pDC->SelectObject(m_oldFont);
    }

    void draw(const CString& text, CRect rect, UINT format) { m_pDC->DrawText(text, &rect, format); }

private:
    CDC* m_pDC;
    CFont* m_oldFont;
    COLORREF m_oldColor;
};

} // namespace

// The texts of one paint and their widths, measured in the surface's own font.
struct RealSlideEdit::Texts {
    CString label, separator, value, unit;
    int labelWidth = 0, separatorWidth = 0, valueWidth = 0, unitWidth = 0;

    int total() const { return labelWidth + separatorWidth + valueWidth + unitWidth; }
};

struct RealSlideEdit::Colors {
    COLORREF background, arrow, text, border;
};

BEGIN_MESSAGE_MAP(RealSlideEdit, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_MOVE()
    ON_WM_ENABLE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, &RealSlideEdit::OnPrintClient)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEHOVER()
    ON_WM_MOUSELEAVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

// Construction

RealSlideEdit::RealSlideEdit() : m_font(SystemFont::Message, kMessageFontSize)
{
}

// The window goes first, while the adjuster and the font still exist for an edit it commits.
RealSlideEdit::~RealSlideEdit()
{
    DestroyWindow();
}

BOOL RealSlideEdit::Create(CWnd* pParentWnd, UINT nID, CRect rect)
{
    return CWnd::Create(nullptr, nullptr, kCreateStyle, rect, pParentWnd, nID);
}

BOOL RealSlideEdit::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= kWindowStyle;
    return CWnd::PreCreateWindow(cs);
}

// A window made elsewhere (a dialog item) gets no size message on attaching: lay it out now.
void RealSlideEdit::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    SetWindowPos(nullptr, 0, 0, 0, 0, kFrameChanged);
    recalcLayout();
}

// Attributes

void RealSlideEdit::set(double value, double step, double min, double max)
{
    if (std::isfinite(value))
        m_dValue = value;
    setStepValue(step);
    if (std::isfinite(min))
        m_dMin = min;
    if (std::isfinite(max))
        m_dMax = max;
    _adjustStored();
    _invalidate();
}

bool RealSlideEdit::setValue(double value, bool silent)
{
    if (!_adjust(value) || value == m_dValue)
        return false;
    m_dValue = value;
    _invalidate();
    if (!silent)
        _sendNotify();
    return true;
}

void RealSlideEdit::setMin(double min)
{
    setMinMax(min, m_dMax);
}

void RealSlideEdit::setMax(double max)
{
    setMinMax(m_dMin, max);
}

void RealSlideEdit::setMinMax(double min, double max)
{
    if (!std::isfinite(min) || !std::isfinite(max))
        return;
    m_dMin = min;
    m_dMax = max;
    _adjustStored();
    _invalidate();
}

void RealSlideEdit::setStepValue(double step)
{
    if (!std::isfinite(step))
        return;
    m_dStepValue = std::fabs(step);
    String text;
    text.format("%f", m_dStepValue).trimZeros();
    const std::vector<String> pieces = text.split(".", false, false, 0);
    m_nDecimalPlaces = pieces.size() < 2 ? 0 : fractionPlaces(pieces[1]);
}

void RealSlideEdit::setValueAdjuster(ValueAdjuster adjuster)
{
    m_adjuster = std::move(adjuster);
}

void RealSlideEdit::setFormat(const wchar_t* format)
{
    m_strFormat = format;
    _invalidate();
}

void RealSlideEdit::setLabel(const wchar_t* label)
{
    m_strLabel = label;
    _invalidate();
}

void RealSlideEdit::setUnit(const wchar_t* unit)
{
    m_strUnit = unit;
    _invalidate();
}

void RealSlideEdit::setDisplayType(DisplayType type)
{
    m_displayType = type;
    _invalidate();
}

void RealSlideEdit::setReadOnly(bool readOnly)
{
    m_bReadOnly = readOnly;
    _invalidate();
}

void RealSlideEdit::setTrimTrailingZeros(bool trim)
{
    m_bTrimTrailingZeros = trim;
    _invalidate();
}

void RealSlideEdit::visibleLabel(bool visible)
{
    m_bVisibleLabel = visible;
    _invalidate();
}

void RealSlideEdit::setVisibleSpin(bool visible)
{
    m_bVisibleSpin = visible;
    if (m_hWnd) {
        CRect client;
        GetClientRect(&client);
        SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
    }
    _invalidate();
}

void RealSlideEdit::autoAdjustSpinWidth(bool adjust)
{
    m_bAutoAdjustSpinWidth = adjust;
    _invalidate();
}

void RealSlideEdit::setColorBorder(COLORREF color)
{
    m_crBorder = color;
    _invalidate();
}

void RealSlideEdit::setColorHighlightBorder(COLORREF color)
{
    m_crHighlightBorder = color;
    _invalidate();
}

void RealSlideEdit::setColorNormal(COLORREF color)
{
    m_crNormal = color;
    _invalidate();
}

void RealSlideEdit::setColorHover(COLORREF color)
{
    m_crHover = color;
    _invalidate();
}

void RealSlideEdit::setColorClick(COLORREF color)
{
    m_crClick = color;
    _invalidate();
}

void RealSlideEdit::setColorSpin(COLORREF color)
{
    m_crSpin = color;
    _invalidate();
}

void RealSlideEdit::setColorText(COLORREF color)
{
    m_crText = color;
    _invalidate();
}

// Operations

void RealSlideEdit::recalcLayout()
{
    CRect client(0, 0, 0, 0);
    if (m_hWnd)
        GetClientRect(&client);
    m_rcTextInset.SetRect(0, 0, 0, 0);
    m_nMinSpinWidth = int(kMinSpinShare * client.Height());
    m_nSpinWidth = std::max(int(double(kSpinShare) * client.Width()), m_nMinSpinWidth);
    m_rcClient = client;
    m_rcFrame = client;
    m_rcFrame.DeflateRect(kFrameMargin, kFrameMargin);
    if (!m_bVisibleSpin) {
        const int inset = int(0.5 * m_nSpinWidth);
        m_rcTextInset.SetRect(inset, 0, inset, 0);
    }
    CRect inner = m_rcFrame;
    inner.DeflateRect(&m_rcTextInset);
    if (!m_bVisibleSpin) {
        m_rcSpinLeft.SetRect(0, 0, 0, 0);
        m_rcSpinRight.SetRect(0, 0, 0, 0);
        m_rcValue = inner;
        return;
    }
    m_rcSpinLeft.SetRect(inner.left, inner.top, inner.left + m_nSpinWidth, inner.bottom);
    m_rcSpinRight.SetRect(inner.right - m_nSpinWidth, inner.top, inner.right, inner.bottom);
    m_rcValue.SetRect(m_rcSpinLeft.right, inner.top, m_rcSpinRight.left, inner.bottom);
}

void RealSlideEdit::trimTrailingZeros(CString& text)
{
    const int point = text.ReverseFind(L'.');
    if (point < 0)
        return;
    int end = point + 1;
    while (end < text.GetLength() && std::iswdigit(text[end]))
        ++end;
    // Only a number's own digits: an exponent may follow them, other text (a unit) stops the trim.
    const CString rest = text.Mid(end);
    if (!rest.IsEmpty() && rest[0] != L'e' && rest[0] != L'E')
        return;
    int keep = end;
    while (keep > point + 2 && text[keep - 1] == L'0')
        --keep;
    text = text.Left(keep) + rest;
}

// Overridables

void RealSlideEdit::onSlide(CPoint point)
{
    if (!m_bVisibleSpin)
        return;
    double delta = (point.x - m_ptLast.x) * m_dStepValue;
    if (m_bSlidingSensitive)
        delta *= sensitivity(std::abs(m_ptPress.y - point.y));
    setValue(m_dValue + delta, _silent());
}

void RealSlideEdit::onSpinLeft()
{
    if (m_bVisibleSpin)
        _step(-m_dStepValue);
}

void RealSlideEdit::onSpinRight()
{
    if (m_bVisibleSpin)
        _step(m_dStepValue);
}

void RealSlideEdit::onEnterEdit()
{
    CString text;
    text.Format(kEditPattern, m_dValue);
    trimTrailingZeros(text);
    (new InplaceEdit(this))->open(text);
}

// Implementation: values

CString RealSlideEdit::_getDisplayValue(bool withUnit) const
{
    CString text;
    text.Format(_valuePattern(), m_dValue);
    if (m_bTrimTrailingZeros)
        trimTrailingZeros(text);
    if (withUnit && !m_strUnit.IsEmpty())
        text += L" " + m_strUnit;
    return text;
}

CString RealSlideEdit::_getDisplayLabel() const
{
    return m_bVisibleLabel ? m_strLabel : CString();
}

CString RealSlideEdit::_valuePattern() const
{
    if (!m_strFormat.IsEmpty() && realtext::isRealPattern(m_strFormat))
        return m_strFormat;
    if (m_nDecimalPlaces < 1)
        return kGeneralPattern;
    CString pattern;
    pattern.Format(kFixedPatternPattern, m_nDecimalPlaces);
    return pattern;
}

// False for a value that is, or that the adjuster leaves, not a finite number.
bool RealSlideEdit::_adjust(double& value) const
{
    if (!std::isfinite(value))
        return false;
    if (m_adjuster)
        m_adjuster(value);
    else
        value = std::min(std::max(value, m_dMin), m_dMax);
    return std::isfinite(value);
}

void RealSlideEdit::_adjustStored()
{
    double value = m_dValue;
    if (_adjust(value))
        m_dValue = value;
}

void RealSlideEdit::_invalidate()
{
    if (m_hWnd)
        Invalidate(FALSE);
}

bool RealSlideEdit::_sendNotify()
{
    const HWND self = m_hWnd;
    CWnd* target = self ? GetOwner() : nullptr;
    if (target) {
        NMREALSLIDEEDIT record{{}, this};
        sendNotification(*target, *this, RSN_VALUECHANGED, record.hdr);
    }
    return ::IsWindow(self) != FALSE;
}

void RealSlideEdit::_step(double delta)
{
    setValue(m_dValue + delta, _silent());
}

// Implementation: mouse
//
// State      | event                                  | next     | action
// idle       | button down                            | pressed  | focus, capture, press point
// pressed    | move, arrow buttons shown              | sliding  | start value kept, slide
// sliding    | move                                   | sliding  | value += dx * step (* sensitivity)
// sliding    | button up                              | idle     | one notification if the value moved
//            |                                        |          | and sliding update is off
// pressed    | button up at the press point, or       | idle     | the part under the point: an arrow
//            | anywhere without arrow buttons         |          | steps, the value opens the edit
// pressed    | button up elsewhere                    | idle     | nothing: a drag is not a click
// Hover starts with the platform's hover message and ends with its leave message.

void RealSlideEdit::OnMouseMove(UINT nFlags, CPoint point)
{
    CWnd::OnMouseMove(nFlags, point);
    if (m_bReadOnly)
        return;
    if (m_bTracking && !m_bHover)
        m_bTracking = false;
    if (!m_bTracking)
        _trackMouse();
    if (m_bPressed && m_bVisibleSpin) {
        if (!m_bSliding) {
            m_dSlideStartValue = m_dValue;
            m_bSliding = true;
        }
        const HWND self = m_hWnd;
        onSlide(point);
        if (::IsWindow(self))
            m_ptLast = point;
        return;
    }
    const HitType part = _hitTest(point);
    if (part != m_hoverPart) {
        m_hoverPart = part;
        Invalidate(FALSE);
    }
    m_ptLast = point;
}

void RealSlideEdit::OnMouseHover(UINT, CPoint)
{
    if (m_bReadOnly || m_bHover)
        return;
    m_bHover = true;
    Invalidate(FALSE);
}

void RealSlideEdit::OnMouseLeave()
{
    if (!m_bHover)
        return;
    m_bHover = false;
    m_bTracking = false;
    Invalidate(FALSE);
}

void RealSlideEdit::OnLButtonDown(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonDown(nFlags, point);
    if (m_bReadOnly)
        return;
    if (::GetFocus() != m_hWnd)
        SetFocus();
    m_bPressed = true;
    m_ptPress = point;
    SetCapture();
    Invalidate(FALSE);
}

void RealSlideEdit::OnLButtonUp(UINT, CPoint point)
{
    if (m_bReadOnly)
        return;
    ::ReleaseCapture();
    m_bPressed = false;
    if (m_bSliding) {
        m_bSliding = false;
        if (m_bVisibleSpin && !m_bSlidingUpdate && m_dValue != m_dSlideStartValue && !_sendNotify())
            return;
    }
    if (m_bVisibleSpin && point != m_ptPress) {
        Invalidate(FALSE);
        return;
    }
    const HWND self = m_hWnd;
    _click(point);
    if (::IsWindow(self))
        Invalidate(FALSE);
}

// The window class counts a quick second press as a double click: here it is one more press.
void RealSlideEdit::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
}

BOOL RealSlideEdit::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    if (m_bReadOnly || !m_bHover)
        return CWnd::OnMouseWheel(nFlags, zDelta, pt);
    _step(zDelta > 0 ? m_dStepValue : -m_dStepValue);
    return TRUE;
}

void RealSlideEdit::_click(CPoint point)
{
    switch (_hitTest(point)) {
    case SpinLeft:
        onSpinLeft();
        break;
    case SpinRight:
        onSpinRight();
        break;
    case Value:
        onEnterEdit();
        break;
    case None:
    case Frame:
        break;
    }
}

void RealSlideEdit::_trackMouse()
{
    TRACKMOUSEEVENT request{sizeof request, TME_HOVER | TME_LEAVE, m_hWnd, kHoverTime};
    m_bTracking = ::TrackMouseEvent(&request) != FALSE;
}

RealSlideEdit::HitType RealSlideEdit::_hitTest(CPoint point) const
{
    if (!m_rcClient.PtInRect(point))
        return None;
    if (m_rcSpinRight.PtInRect(point))
        return SpinRight;
    if (m_rcSpinLeft.PtInRect(point))
        return SpinLeft;
    if (m_rcValue.PtInRect(point))
        return Value;
    return m_bVisibleSpin ? Frame : Value;
}

// Message handlers: window

int RealSlideEdit::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return CWnd::OnCreate(lpCreateStruct) == -1 ? -1 : 0;
}

void RealSlideEdit::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    recalcLayout();
    Invalidate(TRUE);
}

void RealSlideEdit::OnMove(int x, int y)
{
    CWnd::OnMove(x, y);
    Invalidate(TRUE);
}

void RealSlideEdit::OnEnable(BOOL)
{
    Invalidate(FALSE);
}

// The parent paints the background, in its own coordinates.
BOOL RealSlideEdit::OnEraseBkgnd(CDC* pDC)
{
    CWnd* parent = GetParent();
    if (!parent)
        return CWnd::OnEraseBkgnd(pDC);
    CPoint origin(0, 0);
    MapWindowPoints(parent, &origin, 1);
    const CPoint previous = pDC->OffsetWindowOrg(origin.x, origin.y);
    const LRESULT erased = parent->SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(pDC->GetSafeHdc()));
    pDC->SetWindowOrg(previous);
    return BOOL(erased);
}

// Message handlers: painting

void RealSlideEdit::OnPaint()
{
    CPaintDC dc(this);
    MemDC memDC(&dc);
    _paint(&memDC);
}

LRESULT RealSlideEdit::OnPrintClient(WPARAM wParam, LPARAM)
{
    _paint(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return 0;
}

void RealSlideEdit::_paint(CDC* pDC)
{
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const Colors colors = _colors();
    const Texts texts = _texts(pDC);
    _drawRountRect(pDC, m_rcClient, CPoint(), colors.border, colors.background);
    DisplayType type = m_displayType;
    if (type == Auto)
        type = texts.total() > m_rcValue.Width() ? Split : Single;
    if (type == Split)
        _paintSplit(pDC, texts, colors);
    else
        _paintSingle(pDC, texts, colors);
    pDC->SetBkMode(oldMode);
}

RealSlideEdit::Colors RealSlideEdit::_colors() const
{
    const COLORREF border = m_bEditing || m_bHover ? m_crHighlightBorder : m_crBorder;
    if (!IsWindowEnabled() || m_bReadOnly)
        return {m_crDisabledBackground, m_crDisabledText, m_crDisabledText, border};
    const COLORREF background = m_bHover ? (m_bPressed ? m_crClick : m_crHover) : m_crNormal;
    return {background, m_crSpin, m_crText, border};
}

// Widths are measured before the control's font is selected, in the surface's own font.
RealSlideEdit::Texts RealSlideEdit::_texts(CDC* pDC) const
{
    Texts texts;
    texts.label = _getDisplayLabel();
    if (!texts.label.IsEmpty())
        texts.separator = kSeparator;
    texts.value = _getDisplayValue(false);
    if (!m_strUnit.IsEmpty())
        texts.unit = L" " + m_strUnit;
    texts.labelWidth = pDC->GetTextExtent(texts.label).cx;
    texts.separatorWidth = pDC->GetTextExtent(texts.separator).cx;
    texts.valueWidth = pDC->GetTextExtent(texts.value).cx;
    texts.unitWidth = pDC->GetTextExtent(texts.unit).cx;
    return texts;
}

// The label at the left and value and unit at the right; where they do not fit, the label goes
// first, then the unit.
void RealSlideEdit::_paintSplit(CDC* pDC, const Texts& texts, const Colors& colors)
{
    const int valueAndUnit = texts.valueWidth + texts.unitWidth;
    _adjustSpinWidth(texts.labelWidth + valueAndUnit);
    const int available = m_rcValue.Width();
    const bool showLabel = valueAndUnit <= available;
    const bool keepUnit = showLabel || texts.valueWidth <= available;
    const int x = m_rcValue.right - texts.valueWidth - (keepUnit ? texts.unitWidth : 0);
    _drawArrows(pDC, colors.arrow);
    TextStyle style(pDC, &m_font, colors.text);
    if (showLabel && !texts.label.IsEmpty())
        style.draw(texts.label, CRect(m_rcValue.left, m_rcValue.top, x, m_rcValue.bottom), kLabelFormat);
    style.draw(keepUnit ? texts.value + texts.unit : texts.value,
               CRect(x, m_rcValue.top, m_rcValue.right, m_rcValue.bottom), kValueFormat);
}

void RealSlideEdit::_paintSingle(CDC* pDC, const Texts& texts, const Colors& colors)
{
    _adjustSpinWidth(texts.total());
    _drawArrows(pDC, colors.arrow);
    TextStyle style(pDC, &m_font, colors.text);
    style.draw(texts.label + texts.separator + texts.value + texts.unit, m_rcValue, kSingleFormat);
}

// Triangles pointing out of the control, centred in the arrow buttons, both of the left one's size.
void RealSlideEdit::_drawArrows(CDC* pDC, COLORREF color)
{
    if (!m_bVisibleSpin)
        return;
    const CRect& left = m_rcSpinLeft;
    const CRect& right = m_rcSpinRight;
    const int size = std::max(0, int(double(kArrowShare) * std::min(left.Height(), left.Width())));
    const int half = (size + 1) / 2;
    const int xl = left.left + (left.Width() - size) / 2;
    const int yl = left.top + left.Height() / 2;
    const POINT leftArrow[] = {{xl, yl}, {xl + size, yl - half}, {xl + size, yl + half}};
    const int xr = right.right - (right.Width() - size) / 2;
    const int yr = right.top + right.Height() / 2;
    const POINT rightArrow[] = {{xr, yr}, {xr - size, yr + half}, {xr - size, yr - half}};
    _drawPolygon(pDC, leftArrow, 3, color);
    _drawPolygon(pDC, rightArrow, 3, color);
}

void RealSlideEdit::_drawPolygon(CDC* pDC, const POINT* points, int count, COLORREF color)
{
    if (count < 3)
        return;
    CBrush brush(color);
    CPen pen(PS_SOLID, 1, color);
    CBrush* oldBrush = pDC->SelectObject(&brush);
    CPen* oldPen = pDC->SelectObject(&pen);
    pDC->Polygon(points, count);
    pDC->SelectObject(oldPen);
    pDC->SelectObject(oldBrush);
}

void RealSlideEdit::_drawRountRect(CDC* pDC, const CRect& rect, CPoint, COLORREF border, COLORREF fill)
{
    pDC->FillSolidRect(&rect, fill);
    pDC->Draw3dRect(&rect, border, border);
}

// Narrows both arrow buttons evenly, never below the minimum width, to make room for the text.
void RealSlideEdit::_adjustSpinWidth(int needed)
{
    if (!m_bAutoAdjustSpinWidth || !m_bVisibleSpin || m_rcValue.Width() >= needed)
        return;
    if (m_rcSpinLeft.Width() <= m_nMinSpinWidth && m_rcSpinRight.Width() <= m_nMinSpinWidth)
        return;
    const int shift = (needed - m_rcValue.Width()) / 2;
    if (shift > 0) {
        m_rcSpinLeft.right -= shift;
        m_rcSpinRight.left += shift;
    }
    if (m_rcSpinLeft.Width() < m_nMinSpinWidth)
        m_rcSpinLeft.right = m_rcSpinLeft.left + m_nMinSpinWidth;
    if (m_rcSpinRight.Width() < m_nMinSpinWidth)
        m_rcSpinRight.left = m_rcSpinRight.right - m_nMinSpinWidth;
    m_rcValue.left = m_rcSpinLeft.right;
    m_rcValue.right = m_rcSpinRight.left;
}

} // namespace qv::gui
