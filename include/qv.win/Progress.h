#pragma once

#include "Gradient.h"

#include <commctrl.h>

namespace qv::gui {

// Bar style bits, the low word of a progress window's style, beside the platform's PBS_VERTICAL
// (a vertical bar grows from the bottom unless reversed).
constexpr DWORD PBS_LEFT = 0x0010;
constexpr DWORD PBS_RIGHT = 0x0020;
constexpr DWORD PBS_TOP = 0x0040;
constexpr DWORD PBS_BOTTOM = 0x0080;
constexpr DWORD PBS_CENTER = PBS_LEFT | PBS_RIGHT;
constexpr DWORD PBS_VCENTER = PBS_TOP | PBS_BOTTOM;
constexpr DWORD PBS_TEXTALIGN_MASK = PBS_CENTER | PBS_VCENTER; // none set is centred as well
constexpr DWORD PBS_SHOW_PERCENT = 0x0100;
constexpr DWORD PBS_SHOW_POSITION = 0x0200;
constexpr DWORD PBS_TEXTMODE_MASK = PBS_SHOW_PERCENT | PBS_SHOW_POSITION; // both set: no text
constexpr DWORD PBS_TIED_TEXT = 0x1000;
constexpr DWORD PBS_RUBBER_BAR = 0x2000;
constexpr DWORD PBS_REVERSE = 0x4000;
constexpr DWORD PBS_SNAKE = 0x8000;

// A window-less progress bar: a range and a position painted into a rectangle of any surface.
//
// The bar is a gradient (revealed by the bar, or squeezed into it in rubber mode) or a brush;
// an optional text pattern with one integer ("%d%%") shows in one colour over the bar and in
// another over the background. In snake mode the bar is a segment of `tail` range units whose
// head runs from lower to upper + tail, then comes back from the other edge with the reverse bit
// toggled. Motion comes from outside: the owner calls StepIt and Animate and repaints.
//
// Every position change goes through one protocol: the snake first, then OnPosChanging (which may
// veto it) and OnPosChanged. An empty range (lower = upper) shows no bar and 0 percent. The bar
// style lives in GetBarStyle/ModifyBarStyle, which a window can redirect to its own style.
class QV_WIN_API Progress : public Gradient {
public:
    // What the text virtuals are given about the paint in progress.
    struct CDrawInfo {
        CDC* pDC;
        DWORD dwStyle;
        CRect rcClient; // the bar area: the drawing rectangle less the borders
        int nCurPos;
        int nLower;
        int nUpper;
    };

    // Construction

    Progress();
    ~Progress() override;

    // Attributes

    virtual DWORD GetBarStyle() const;
    virtual void ModifyBarStyle(DWORD dwRemove, DWORD dwAdd);

    void SetReverse(BOOL reverse);
    DWORD GetReverse() const;
    void SetRubberBar(BOOL rubber);
    DWORD GetRubberBar() const;
    void SetTiedText(BOOL tied);
    DWORD GetTiedText() const;
    // Snake mode always squeezes the gradient into the snake.
    void SetSnake(BOOL snake);
    DWORD GetSnake() const;
    void SetShowPercent(BOOL show);
    DWORD GetShowPercent() const;
    void SetTextAlign(DWORD align);
    DWORD GetTextAlign() const;
    // mode is PBS_SHOW_PERCENT or PBS_SHOW_POSITION; an empty pattern or mode 0 hides the text.
    void SetTextFormat(LPCWSTR pattern, DWORD mode);
    void HideText();
    void SetText(LPCWSTR pattern);
    CString GetText() const;

    // CLR_NONE for onBackground means the same colour as over the bar.
    void SetTextColor(COLORREF onBar, COLORREF onBackground = CLR_NONE);
    COLORREF GetTextColor() const;
    COLORREF GetTextColorOnBk() const;
    // CLR_NONE paints no background: what is on the surface shows around the bar.
    void SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    void SetBkBrush(CBrush* brush);
    CBrush* GetBkBrush() const;
    // A bar brush replaces the gradient.
    void SetBarBrush(CBrush* brush);
    CBrush* GetBarBrush() const;
    void SetFont(CFont* font);
    CFont* GetFont() const;
    void SetBorders(const CRect& borders);
    const CRect& GetBorders() const;
    void SetSnakeTail(int tail);
    int GetSnakeTail() const;
    // Takes ownership of the region, which clips all painting relative to the drawing rectangle.
    BOOL SetShape(HRGN region);

    void SetRange(int nLower, int nUpper);
    void GetRange(int& nLower, int& nUpper) const;
    int GetPos() const;
    // Each returns the previous position.
    int SetPos(int nPos);
    int OffsetPos(int nPos);
    int StepIt();
    int SetStep(int nStep);

    // Operations

    // Scrolls the gradient by step range units, cyclically over the stretched range.
    void Animate(int nStep);
    void ResetAnimation();
    // Paints into rect, double-buffered unless direct; nothing without a surface.
    void Draw(CDC* pDC, CRect rect, BOOL direct = FALSE);

    // Overridables

    // Draws the text over the full span and the bar span of the bar area.
    virtual void DrawText(const CDrawInfo& info, const CRect& rcFull, const CRect& rcBar);
    // Outputs the text at the viewport origin, clipped to the span.
    virtual void DrawClippedText(const CDrawInfo& info, const CRect& rcSpan, CString& text,
                                 const CPoint& ptWindowOrg);

protected:
    // Moves the snake's head to value (or by |value|); FALSE when not in snake mode.
    virtual BOOL SetSnakePos(int nValue, BOOL bIncrement);

public:
    // The text for value, "" when the style shows none.
    virtual CString FormatText(const CDrawInfo& info, CString pattern, float value);
    // The percentage or the position, as the style's text mode asks.
    virtual float CalcPos(const CDrawInfo& info);
    virtual BOOL OnPosChanging(int nOldPos, int nNewPos);
    virtual void OnPosChanged(int nNewPos);

protected:
    // Implementation

    using Gradient::ConvertToReal;
    // Spans are positions along the bar axis in left and right, from the bar's starting edge.
    CRect ConvertToReal(const CDrawInfo& info, const CRect& rcSpan) const;
    // Clamps and sets the position; with force even against OnPosChanging.
    void UpdatePos(int nPos, BOOL bForce = FALSE);
    // The active caption's colours, graded when the system grades captions.
    void _setDefaultGradient();

private:
    struct TextLayout;

    void _setStyle(DWORD bits, BOOL on);
    // upper - lower, which may not fit an int.
    long long _range() const;
    int _clampToRange(long long value) const;
    // A range value as a position along an extent of pixels.
    int _toExtent(int value, int extent) const;
    void _drawBackground(CDC* pDC, const CRect& rect) const;
    void _drawBar(const CDrawInfo& info, int barStart, int barEnd, int extent);
    TextLayout _layoutText(CDC* pDC, const CString& text) const;
    // Puts the viewport origin where the text, output at (0, 0), sits aligned in box.
    void _anchorText(const CDrawInfo& info, const TextLayout& layout, const CRect& box) const;

    CBrush* m_pbrBar = nullptr;
    COLORREF m_clrBk;
    CBrush* m_pbrBk = nullptr;
    COLORREF m_clrTextOnBar;
    COLORREF m_clrTextOnBk;
    int m_nSnakePos = 0;
    int m_nTail = 40;
    int m_nStep = 10;
    int m_nLower = 0;
    int m_nUpper = 100;
    CRect m_rcBorders{0, 0, 0, 0};
    CString m_strText;
    CFont* m_pFont = nullptr;
    DWORD m_dwStyle = PBS_TEXTALIGN_MASK;
    CRgn m_rgnShape;
    int m_nPos = 0;
    int m_nAnimPos = 0;
};

} // namespace qv::gui
