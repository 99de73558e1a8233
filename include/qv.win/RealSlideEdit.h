#pragma once

#include <afxwin.h>

#include "SystemFont.h"
#include "qv.win.h"

#include <functional>

namespace qv::gui {

class RealSlideEdit;

// The code of the WM_NOTIFY a RealSlideEdit sends after its value changed.
constexpr UINT RSN_VALUECHANGED = 0x0401;

// The record of RSN_VALUECHANGED; the receiver reads the new value with getValue.
struct NMREALSLIDEEDIT {
    NMHDR hdr;
    RealSlideEdit* pSlideEdit;
};

// A compact input field for one real value: an optional label, the value and an optional unit in a
// flat box, with a left and a right arrow button at its ends.
//
// The value moves by one step per arrow click or wheel notch (the wheel only while the pointer
// hovers the control), continuously while the mouse is dragged sideways with the button down, or by
// typing after a click on the value, in an InplaceEdit laid over the control. A drag changes the
// value by (pixels moved) x step; with sliding sensitive the vertical distance from the press point
// scales that by 10 within the first 19 pixels, then by 1, 0.1, 0.01 and at least 0.001 for each
// further 10 pixels. Sliding and the arrows need the arrow buttons to be visible.
//
// Values are kept between the minimum and the maximum, or passed through the value adjuster
// instead; they are never rounded to the step. The step decides the decimal places shown (0.1 shows
// one, 0.25 two, 1 or a step finer than a millionth uses %g). Each change the user commits reaches
// the owner (or the parent) once, after the value changed, as WM_NOTIFY with RSN_VALUECHANGED;
// during a slide only at its end unless sliding update is on. setValue(v, true) and the other
// setters notify nothing.
//
// A value, step or bound that is not a finite number is ignored, and so is a value the adjuster
// leaves infinite or not a number. A format that does not print exactly one double (one %a, %e, %f
// or %g with flags, width and precision, and any number of %%) is not used.
class QV_WIN_API RealSlideEdit : public CWnd {
public:
    // How label, value and unit are arranged. Auto is Single when the whole text fits, else Split;
    // any other number paints as Single.
    enum DisplayType {
        Auto = 0,
        Single = 1, // "label: value unit", centred
        Split = 2,  // label at the left, value and unit at the right
    };
    enum HitType { None = 0, Frame = 1, SpinLeft = 2, SpinRight = 3, Value = 4 };
    // Replaces the clamping to minimum and maximum: called with every new value, may change it.
    using ValueAdjuster = std::function<void(double&)>;

    class InplaceEdit;

    // Construction
    RealSlideEdit();
    ~RealSlideEdit() override;
    BOOL Create(CWnd* pParentWnd, UINT nID, CRect rect);

    // Attributes
    // Stores all four without a notification, then brings the value into range.
    void set(double value, double step, double min, double max);
    // False when the adjusted value is the one already held; true after storing it and, unless
    // silent, notifying.
    bool setValue(double value, bool silent = false);
    double getValue() const { return m_dValue; }
    double getMin() const { return m_dMin; }
    double getMax() const { return m_dMax; }
    double getStepValue() const { return m_dStepValue; }
    // Neither checks min <= max: with min above max every value becomes max.
    void setMin(double min);
    void setMax(double max);
    void setMinMax(double min, double max);
    // Stores |step| and derives the decimal places from it; does not repaint.
    void setStepValue(double step);
    // An empty function restores the clamping.
    void setValueAdjuster(ValueAdjuster adjuster);
    ValueAdjuster getValueAdjuster() const { return m_adjuster; }

    // A printf pattern for the value; empty derives it from the decimal places.
    void setFormat(const wchar_t* format);
    CString getFormat() const { return m_strFormat; }
    void setLabel(const wchar_t* label);
    CString getLabel() const { return m_strLabel; }
    void setUnit(const wchar_t* unit);
    CString getUnit() const { return m_strUnit; }
    void setDisplayType(DisplayType type);
    DisplayType getDisplayType() const { return m_displayType; }
    // Read only ignores mouse and wheel and paints in the disabled colours.
    void setReadOnly(bool readOnly);
    bool getReadOnly() const { return m_bReadOnly; }
    void setTrimTrailingZeros(bool trim);
    bool isTrimTrailingZeros() const { return m_bTrimTrailingZeros; }
    void visibleLabel(bool visible);
    bool isVisibleLabel() const { return m_bVisibleLabel; }
    void setVisibleSpin(bool visible);
    bool getVisibleSpin() const { return m_bVisibleSpin; }
    // Lets a text wider than the value area narrow the arrow buttons, down to 3/4 of the height,
    // until the next layout.
    void autoAdjustSpinWidth(bool adjust);
    bool isAutoAdjustSpinWidth() const { return m_bAutoAdjustSpinWidth; }
    // Notify on every change of a slide instead of once at its end.
    void enableSlidingUpdate(bool enable) { m_bSlidingUpdate = enable; }
    bool enabledSlidingUpdate() const { return m_bSlidingUpdate; }
    void enableSlidingSensitive(bool enable) { m_bSlidingSensitive = enable; }
    bool enabledSlidingSensitive() const { return m_bSlidingSensitive; }
    bool isSliding() const { return m_bSliding; }

    void setColorBorder(COLORREF color);
    void setColorHighlightBorder(COLORREF color); // while hovered or editing
    void setColorNormal(COLORREF color);
    void setColorHover(COLORREF color);
    void setColorClick(COLORREF color); // hovered and pressed
    void setColorSpin(COLORREF color);
    void setColorText(COLORREF color);
    COLORREF getColorBorder() const { return m_crBorder; }
    COLORREF getColorHightlightBorder() const { return m_crHighlightBorder; }
    COLORREF getColorNormal() const { return m_crNormal; }
    COLORREF getColorHover() const { return m_crHover; }
    COLORREF getColorClick() const { return m_crClick; }
    COLORREF getColorSpin() const { return m_crSpin; }
    COLORREF getColorText() const { return m_crText; }

    // Operations
    // Lays out the arrow buttons (15 % of the width each, at least 3/4 of the height) and the value
    // area between them inside a 2-pixel margin; without arrow buttons the value area is inset by
    // half a button width on both sides.
    void recalcLayout();
    // Removes trailing zeros after the decimal point but keeps one digit: 1.500 -> 1.5,
    // 2.000 -> 2.0, 1.500e+010 -> 1.5e+010; text without a point stays.
    static void trimTrailingZeros(CString& text);

    // Overridables
    virtual void onSlide(CPoint point);
    virtual void onSpinLeft();
    virtual void onSpinRight();
    // Opens the InplaceEdit over the control.
    virtual void onEnterEdit();
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;

protected:
    // Message handlers
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseHover(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    DECLARE_MESSAGE_MAP()

    // Implementation
    // The value as displayed, with " unit" appended when asked and a unit is set.
    CString _getDisplayValue(bool withUnit) const;
    CString _getDisplayLabel() const;
    HitType _hitTest(CPoint point) const;

private:
    struct Texts;
    struct Colors;

    bool _adjust(double& value) const;
    void _adjustStored();
    void _invalidate();
    // False when the window did not survive the notification.
    bool _sendNotify();
    bool _silent() const { return m_bSliding && !m_bSlidingUpdate; }
    void _step(double delta);
    void _endSlide();
    void _click(CPoint point);
    void _trackMouse();
    CString _valuePattern() const;

    void _paint(CDC* pDC);
    Colors _colors() const;
    Texts _texts(CDC* pDC) const;
    void _paintSplit(CDC* pDC, const Texts& texts, const Colors& colors);
    void _paintSingle(CDC* pDC, const Texts& texts, const Colors& colors);
    void _drawArrows(CDC* pDC, COLORREF color);
    void _drawPolygon(CDC* pDC, const POINT* points, int count, COLORREF color);
    void _drawRountRect(CDC* pDC, const CRect& rect, CPoint corner, COLORREF border, COLORREF fill);
    void _adjustSpinWidth(int needed);

    SystemFont m_font;
    bool m_bReadOnly = false;
    bool m_bVisibleSpin = true;
    DisplayType m_displayType = Split;
    CString m_strLabel;
    bool m_bVisibleLabel = true;
    CString m_strFormat;
    bool m_bTrimTrailingZeros = true;
    CString m_strUnit;
    double m_dSlideStartValue = 0;
    double m_dValue = 0;
    double m_dStepValue = 0.1;
    double m_dMin = -10000;
    double m_dMax = 10000;
    int m_nDecimalPlaces = 0;
    ValueAdjuster m_adjuster;
    HitType m_hoverPart = None;
    bool m_bTracking = false;
    bool m_bHover = false;
    bool m_bPressed = false;
    bool m_bSliding = false;
    bool m_bSlidingUpdate = false;
    bool m_bSlidingSensitive = false;
    CPoint m_ptPress;
    CPoint m_ptLast;
    CRect m_rcTextInset;
    int m_nMinSpinWidth = 0;
    int m_nSpinWidth = 0;
    bool m_bAutoAdjustSpinWidth = false;
    bool m_bEditing = false;
    CRect m_rcClient;
    CRect m_rcFrame;
    CRect m_rcSpinLeft;
    CRect m_rcSpinRight;
    CRect m_rcValue;
    COLORREF m_crBorder = 0x00C0C0C0;
    COLORREF m_crHighlightBorder = 0x00C0C0C0;
    COLORREF m_crNormal = 0x00FFFFFF;
    COLORREF m_crHover = 0x00F0F0F0;
    COLORREF m_crClick = 0x00E0E0E0;
    COLORREF m_crSpin = 0x00404040;
    COLORREF m_crDisabledBackground = 0x00F0F0F0;
    COLORREF m_crDisabledText = 0x00C0C0C0;
    COLORREF m_crText = 0x00000000;
};

// The edit a click on the value opens over the control's frame, in the control's font and colours,
// holding the value with all of it selected. Enter, Tab, losing the focus or a press of the left
// button outside it commit the text (text that is not a finite number counts as 0) and close it;
// Escape closes it and keeps the value. It is made with new and deletes itself when its window is
// destroyed.
class QV_WIN_API RealSlideEdit::InplaceEdit : public CEdit {
public:
    // Construction
    explicit InplaceEdit(RealSlideEdit* pOwner);
    ~InplaceEdit() override;
    // Creates the window focused with the text selected; on failure the object has deleted itself.
    BOOL open(const CString& text);

    // Overridables
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PostNcDestroy() override;

    // Message handlers
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocusReflect();
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    // Implementation
private:
    void _commit();
    void _cancel();
    void _close();

    RealSlideEdit* m_pOwner;
    bool m_bActive = false;
    CBrush m_brush;
    COLORREF m_crBackground;
    COLORREF m_crText;
};

} // namespace qv::gui
