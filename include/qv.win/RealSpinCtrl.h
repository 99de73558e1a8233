#pragma once

#include <afxcmn.h>

#include "qv.win.h"

namespace qv::gui {

// A spin button that steps a real value held as text in its buddy window (normally an edit).
//
// Each arrow click starts from the buddy's current text, so what the user typed there counts;
// text that is not a finite number counts as 0. The click adds or subtracts the delta, keeps the
// result within the range (with UDS_WRAP a step past one end lands on the other end) and writes
// the formatted number back; a sum past a bound by its rounding only (a billionth) stays. The parent
// still receives UDN_DELTAPOS afterwards. The button's own integer position only mirrors the value
// on 0 ... N, N being the steps the range holds (at most 32767), which keeps both arrows enabled.
//
// The parent must reflect notifications, as every CWnd does. Create the button without
// UDS_SETBUDDYINT, which would overwrite the text with the integer position.
class QV_WIN_API RealSpinCtrl : public CSpinButtonCtrl {
public:
    // Construction
    RealSpinCtrl();
    ~RealSpinCtrl() override;

    // Attributes
    // Ignored when any of the three is not a finite number. A delta of 0 keeps the integer range.
    void setRangeAndDelta(double min, double max, double delta);
    void getRangeAndDelta(double& min, double& max, double& delta) const;
    // Writes the value to the buddy and mirrors it in the integer position; ignored for a value
    // that is not a finite number.
    void setPos(double value);
    // The buddy's text as a number; 0 without a buddy.
    double getPos() const;
    // -1 (or any negative number) prints with %g; else that many decimals, at most 99.
    void setDecimalPlaces(int places);
    int getDecimalPlaces() const { return m_nDecimalPlaces; }
    // A printf pattern used instead of the decimal places and trimming; null or a pattern that
    // does not print exactly one double restores them.
    void setFormatString(const wchar_t* format);
    // Trailing zeros and then a trailing decimal point go: 2.500 -> 2.5, 2.000 -> 2, 1.50e+010
    // -> 1.5e+010.
    void setTrimTrailingZeros(BOOL trim) { m_bTrimTrailingZeros = trim; }
    BOOL getTrimTrailingZeros() const { return m_bTrimTrailingZeros; }

    // Overridables
    void PreSubclassWindow() override;

protected:
    // Message handlers
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnDeltapos(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    // Implementation
private:
    void _setIntPos(double value);
    void _setValueForBuddy(double value);
    CString _formatValue(double value) const;
    void _trim(CString& number) const;
    double _stepped(double current, int steps) const;

    double m_dMin = 0;
    double m_dMax = 100;
    double m_dDelta = 1;
    int m_nIntRange = 100;
    int m_nDecimalPlaces = -1;
    CString m_strFormat;
    BOOL m_bTrimTrailingZeros = TRUE;
    char m_cDecimalPoint;
};

} // namespace qv::gui
