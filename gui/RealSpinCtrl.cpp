#include <qv.win/RealSpinCtrl.h>

#include "RealText.h"

#include <algorithm>
#include <clocale>
#include <cmath>

namespace qv::gui {

namespace {

const int kMaxIntRange = 32767;
const int kGeneralFormat = -1;
const int kMaxDecimalPlaces = 99;
const double kTolerance = 1e-9;
const wchar_t kGeneralPattern[] = L"%g";
const wchar_t kFixedPatternPattern[] = L"%%.%df";
const wchar_t kExponentPatternPattern[] = L"%%.%de";
const wchar_t kExponent = L'e';

// True when value lies beyond bound by more than a billionth of the larger magnitude, so that
// the rounding of a sum landing on the bound does not count. excess is value - bound, signed
// towards the outside.
bool beyond(double excess, double value, double bound)
{
    const double tolerance = std::max(kTolerance, std::fabs(std::max(value, bound)) * kTolerance);
    return excess > tolerance;
}

void trimNumber(CString& number, wchar_t point)
{
    if (number.Find(point) < 0)
        return;
    number.TrimRight(L'0');
    number.TrimRight(point);
}

} // namespace

BEGIN_MESSAGE_MAP(RealSpinCtrl, CSpinButtonCtrl)
    ON_WM_CREATE()
    ON_NOTIFY_REFLECT_EX(UDN_DELTAPOS, &RealSpinCtrl::OnDeltapos)
END_MESSAGE_MAP()

// Construction

RealSpinCtrl::RealSpinCtrl() : m_cDecimalPoint(*std::localeconv()->decimal_point)
{
}

RealSpinCtrl::~RealSpinCtrl() = default;

// Attributes

void RealSpinCtrl::setRangeAndDelta(double min, double max, double delta)
{
    if (!std::isfinite(min) || !std::isfinite(max) || !std::isfinite(delta))
        return;
    m_dMin = min;
    m_dMax = max;
    m_dDelta = delta;
    if (delta == 0)
        return;
    // Halves: the span of two finite bounds can exceed the largest double.
    const double steps = std::fabs((max / 2 - min / 2) / delta) * 2;
    m_nIntRange = steps > kMaxIntRange ? kMaxIntRange : int(steps);
    if (m_hWnd) {
        SetRange32(0, m_nIntRange);
        _setIntPos(getPos());
    }
}

void RealSpinCtrl::getRangeAndDelta(double& min, double& max, double& delta) const
{
    min = m_dMin;
    max = m_dMax;
    delta = m_dDelta;
}

void RealSpinCtrl::setPos(double value)
{
    if (!std::isfinite(value))
        return;
    _setValueForBuddy(value);
    _setIntPos(value);
}

double RealSpinCtrl::getPos() const
{
    CWnd* buddy = m_hWnd ? GetBuddy() : nullptr;
    if (!buddy)
        return 0;
    CString text;
    buddy->GetWindowText(text);
    return realtext::parse(text);
}

void RealSpinCtrl::setDecimalPlaces(int places)
{
    m_nDecimalPlaces = places < 0 ? kGeneralFormat : std::min(places, kMaxDecimalPlaces);
}

void RealSpinCtrl::setFormatString(const wchar_t* format)
{
    m_strFormat = format;
}

// Overridables

// A button placed in a dialog template gets its range here.
void RealSpinCtrl::PreSubclassWindow()
{
    CSpinButtonCtrl::PreSubclassWindow();
    setRangeAndDelta(m_dMin, m_dMax, m_dDelta);
}

// Message handlers

int RealSpinCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CSpinButtonCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    setRangeAndDelta(m_dMin, m_dMax, m_dDelta);
    return 0;
}

// The button moves its own position after this; FALSE passes the notification on to the parent.
BOOL RealSpinCtrl::OnDeltapos(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* updown = reinterpret_cast<const NMUPDOWN*>(pNMHDR);
    _setValueForBuddy(_stepped(getPos(), updown->iDelta));
    *pResult = 0;
    return FALSE;
}

// Implementation

// The value steps later, clamped or wrapped when it passes the bound it moves towards. A value
// already outside the range moves freely towards it.
double RealSpinCtrl::_stepped(double current, int steps) const
{
    const double change = steps * m_dDelta;
    const double candidate = current + change;
    const bool wrap = (GetStyle() & UDS_WRAP) != 0;
    if (change < 0) {
        if (!std::isfinite(candidate) || beyond(m_dMin - candidate, candidate, m_dMin))
            return wrap ? m_dMax : m_dMin;
    } else if (!std::isfinite(candidate) || beyond(candidate - m_dMax, candidate, m_dMax)) {
        return wrap ? m_dMin : m_dMax;
    }
    return candidate;
}

void RealSpinCtrl::_setIntPos(double value)
{
    if (m_dMax == m_dMin)
        return;
    int pos = m_nIntRange;
    if (value < m_dMin)
        pos = 0;
    else if (value <= m_dMax)
        pos = int((value / 2 - m_dMin / 2) / (m_dMax / 2 - m_dMin / 2) * m_nIntRange + 0.5);
    SetPos(pos);
}

void RealSpinCtrl::_setValueForBuddy(double value)
{
    CWnd* buddy = m_hWnd ? GetBuddy() : nullptr;
    if (!buddy)
        return;
    if (m_strFormat.IsEmpty() || !realtext::isRealPattern(m_strFormat)) {
        buddy->SetWindowText(_formatValue(value));
        return;
    }
    CString text;
    text.Format(m_strFormat, value);
    buddy->SetWindowText(text);
}

// %g, or fixed-point decimals; exponent form with those decimals where %g would use it.
CString RealSpinCtrl::_formatValue(double value) const
{
    CString text;
    text.Format(kGeneralPattern, value);
    if (m_nDecimalPlaces == kGeneralFormat)
        return text;
    const bool exponent = text.Find(kExponent) >= 0;
    CString pattern;
    pattern.Format(exponent ? kExponentPatternPattern : kFixedPatternPattern, m_nDecimalPlaces);
    text.Format(pattern, value);
    if (m_bTrimTrailingZeros)
        _trim(text);
    return text;
}

// The mantissa loses its trailing zeros and then a trailing decimal point.
void RealSpinCtrl::_trim(CString& number) const
{
    const wchar_t point = wchar_t(static_cast<unsigned char>(m_cDecimalPoint));
    const int exponent = number.Find(kExponent);
    if (exponent < 0) {
        trimNumber(number, point);
        return;
    }
    CString mantissa = number.Left(exponent);
    trimNumber(mantissa, point);
    number = mantissa + number.Mid(exponent);
}

} // namespace qv::gui
