#pragma once

#include "qv.win.h"

#include <afxwin.h>
#include <afxcoll.h>
#include <afxtempl.h>

namespace qv::gui {

// One band of a computed gradient: a colour over a number of pixels along the gradient axis.
struct GradElement {
    COLORREF color;
    int length; // 0 is possible
};

using GradElementArray = CArray<GradElement, GradElement&>;

// A banded linear gradient through a list of key colours, painted with one solid fill per band.
//
// Positions are pixels along the gradient axis, counted from the edge that the direction names.
// In every computation an end of -1 means "up to the size" and a colour limit of 0xFFFFFFFF
// means "no limit"; computations append to the caller's array and never clear it. The four
// computations are virtual and always called through the table, so that an override changes
// all painting. The gradient is computed over the extent times the stretch, so a stretch of 2
// shows the first half of the colours.
//
// The palette is used only on palette devices (256 colours), where each gradient is limited to
// 236 colours; on true-colour devices it is never selected.
class QV_WIN_API Gradient {
public:
    enum eDirection : int {
        LeftToRight = 0,
        RightToLeft = 1,
        TopToBottom = 2,
        BottomToTop = 3, // any other value is treated as LeftToRight
    };

    static constexpr UINT kNoColorLimit = 0xFFFFFFFF;
    static constexpr UINT kPaletteColors = 236; // the colours left after the 20 static ones

    // Construction

    Gradient();
    virtual ~Gradient();
    Gradient(const Gradient&) = delete;
    Gradient& operator=(const Gradient&) = delete;

    // Attributes

    // Appends a key colour; the new interval gets the mean share of the existing ones.
    void AddColor(COLORREF color);
    void SetGradientColors(COLORREF first, COLORREF second);
    // Replaces the colours by count COLORREF arguments, all intervals sharing equally. A count
    // below 2 throws CInvalidArgException.
    void SetGradientColorsX(int count, ...);
    // Both CLR_NONE when there are no colours; second = first when there is one.
    void GetGradientColors(COLORREF& first, COLORREF& second) const;
    const CDWordArray& GetGradientColorsX() const;
    // One double per interval (colours - 1 of them), normalised to sum 100.
    void SetColorsStretch(double first, ...);
    void SetStretchGradient(float stretch);
    float GetStretchGradient() const;
    void SetDirection(eDirection direction);
    eDirection GetDirection() const;
    void SetCreatePalette(BOOL create);
    BOOL GetCreatePalette() const;
    CPalette& GetPalette();

    // Operations

    // Paints gradient positions start..end into the band of rect that holds them, the gradient
    // rotated by shift pixels.
    virtual void DrawLinearGradient(CDC* pDC, CRect rect, int nStart, int nEnd, int nShift);
    // The gradient through all colours rotated by shift pixels toward the end.
    virtual void CalcShiftedGradient(GradElementArray& runs, int nShift, int nSize, int nStart, int nEnd,
                                     UINT nMaxColors);
    virtual void CalcMultiGradient(GradElementArray& runs, int nSize, int nStart, int nEnd, UINT nMaxColors);
    // One interval in at most one band per colour step, per pixel and per allowed colour; each band
    // shows the colour at its beginning, so the last one stops a step short of clrTo.
    virtual void CalGradient(GradElementArray& runs, COLORREF clrFrom, COLORREF clrTo, int nSize, int nStart,
                             int nEnd, UINT nMaxColors);

protected:
    // The band of rect that holds gradient positions start..end (end -1: the full extent).
    CRect ConvertToReal(CRect rect, int nStart, int nEnd) const;
    // The same for a given direction, with end taken as it is.
    static CRect _convertToReal(eDirection direction, const CRect& rect, int nStart, int nEnd);
    void NormalizeColorsStretch();
    // Builds the palette from the colours when palettes are wanted and none exists yet.
    void CreatePalette();

private:
    static bool _isVertical(eDirection direction);
    void _fillRun(CDC* pDC, const CRect& band, COLORREF color, bool paletteDevice, bool paletteSelected) const;

    CDWordArray m_arrColors;
    BOOL m_bCreatePalette = FALSE;
    CPalette m_palette;
    CArray<double, double> m_arrStretch;
    eDirection m_eDirection = LeftToRight;
    float m_fStretch = 1.0f;
};

} // namespace qv::gui
