#pragma once

#include "Progress.h"

#include <afxcmn.h>

namespace qv::gui {

// A progress bar window that answers the platform's PBM_* messages itself and paints with the
// Progress painter: gradient or brush bars, two-colour text, a snake and a scrolling gradient
// driven by two window timers, and an optional tooltip that shows the value. It replaces the
// platform's progress control in a dialog template by subclassing, or is created as one.
//
// The painter's bar style bits live in the window's own style, so a change of style through the
// painter (SetReverse, SetShowPercent, ...) needs the window and repaints it. Timers 11 (snake) and
// 12 (animation) run until stopped or until the window is destroyed. CLR_DEFAULT in PBM_SETBARCOLOR
// and PBM_SETBKCOLOR brings back the default colours; WM_PRINTCLIENT paints into the DC given.
class QV_WIN_API ProgressCtrlX : public CProgressCtrl, public Progress {
public:
    static constexpr UINT_PTR kSnakeTimer = 11;
    static constexpr UINT_PTR kAnimationTimer = 12;

    // Construction

    ProgressCtrlX();
    ~ProgressCtrlX() override;

    // Attributes

    DWORD GetBarStyle() const override;
    void ModifyBarStyle(DWORD dwRemove, DWORD dwAdd) override;

    // Each forwards to the painter and repaints.
    int SetPos(int nPos);
    int OffsetPos(int nPos);
    int StepIt();
    int SetStep(int nStep);
    void SetRange(int nLower, int nUpper);
    int GetPos() const;
    void GetRange(int& nLower, int& nUpper) const;
    // The font is not owned; WM_SETFONT sets it too, and a bar of a dialog keeps the dialog's.
    void SetFont(CFont* pFont);
    CFont* GetFont() const;
    // Stores without repainting.
    void SetBkColor(COLORREF color);
    using Progress::GetBkColor;

    // Operations

    // Steps the position (or the snake) every ms milliseconds.
    void RunSnake(UINT ms);
    void StopSnake();
    // Scrolls the gradient by step range units every ms milliseconds.
    void RunAnimation(UINT ms, int step);
    void StopAnimation();

    // Shows the percentage (PBS_SHOW_PERCENT) or the position (PBS_SHOW_POSITION) in a tooltip,
    // formatted by pattern; an empty pattern or no mode deactivates the tooltip.
    void SetTooltipFormat(LPCWSTR pattern, DWORD mode);
    LPCWSTR GetTooltipText() const;
    void HideTooltip();

    // Overridables

    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnPosChanged(int nNewPos) override;

protected:
    void UpdateTooltipText(int nPos);

    // Message handlers

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnSetRange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetPos(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeltaPos(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetStep(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnStepIt(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetRange32(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetRange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetPos(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetBarColor(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetBkColor(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    // Implementation

    void _invalidate();
    // Repaints, then passes on what a painter operation returned.
    int _invalidated(int result);
    void _restartTimer(UINT_PTR id, UINT ms);
    void _paint(CDC* pDC);
    // The old range packed as PBM_SETRANGE and PBM_SETRANGE32 return it: 32 bits, not sign-extended.
    LRESULT _setRange(int nLower, int nUpper);

    CToolTipCtrl m_tooltip;
    CString m_strTooltipFormat;
    DWORD m_dwTooltipMode = 0;
    int m_nAnimStep = 0;
    HFONT m_hFont = nullptr;
};

} // namespace qv::gui
