#include <qv.win/Gradient.h>

#include "LogicalPalette.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdlib>
#include <vector>

namespace qv::gui {

namespace {

constexpr int kEndOfSize = -1;
constexpr double kShareTotal = 100.0;
constexpr COLORREF kPaletteRelative = 0x02000000; // PALETTERGB: nearest colour of the selected palette
constexpr int kMinDeviceColorBits = 8;

int endOf(int end, int size)
{
    return end == kEndOfSize ? size : end;
}

// Appends the part of run [runStart, runEnd) that lies from start on, up to limit; true once the
// run reaches the limit and nothing more is wanted.
bool appendClipped(GradElementArray& runs, COLORREF color, int runStart, int runEnd, int start, int limit)
{
    const int clippedEnd = std::min(runEnd, limit);
    GradElement run{color, clippedEnd - std::max(runStart, start)};
    runs.Add(run);
    return clippedEnd >= limit;
}

// A product truncated toward zero, the integer limits where it exceeds them.
int clampToInt(float value)
{
    return int(std::clamp(double(value), double(INT_MIN), double(INT_MAX)));
}

// Channel c (0 red, 1 green, 2 blue) of a COLORREF.
int channel(COLORREF color, int c)
{
    return int((color >> (8 * c)) & 0xFF);
}

} // namespace

// Construction

Gradient::Gradient() = default;

Gradient::~Gradient() = default;

// Attributes

void Gradient::AddColor(COLORREF color)
{
    m_arrColors.Add(color);
    if (m_arrColors.GetSize() < 2)
        return;
    const INT_PTR shares = m_arrStretch.GetSize();
    m_arrStretch.Add(shares > 0 ? kShareTotal / double(shares) : kShareTotal);
    NormalizeColorsStretch();
}

void Gradient::SetGradientColors(COLORREF first, COLORREF second)
{
    SetGradientColorsX(2, first, second);
}

void Gradient::SetGradientColorsX(int count, ...)
{
    if (count < 2)
        AfxThrowInvalidArgException();
    va_list args;
    va_start(args, count);
    m_arrColors.SetSize(count);
    for (int i = 0; i < count; ++i)
        m_arrColors[i] = va_arg(args, COLORREF);
    va_end(args);
    m_arrStretch.SetSize(count - 1);
    for (int i = 0; i < count - 1; ++i)
        m_arrStretch[i] = kShareTotal / double(count - 1);
    m_palette.DeleteObject();
}

void Gradient::GetGradientColors(COLORREF& first, COLORREF& second) const
{
    if (m_arrColors.GetSize() == 0) {
        first = second = CLR_NONE;
        return;
    }
    first = m_arrColors[0];
    second = m_arrColors[m_arrColors.GetSize() > 1 ? 1 : 0];
}

const CDWordArray& Gradient::GetGradientColorsX() const
{
    return m_arrColors;
}

void Gradient::SetColorsStretch(double first, ...)
{
    const INT_PTR intervals = m_arrColors.GetSize() - 1;
    if (intervals < 1)
        return;
    m_arrStretch.SetSize(intervals);
    m_arrStretch[0] = first;
    va_list args;
    va_start(args, first);
    for (INT_PTR i = 1; i < intervals; ++i)
        m_arrStretch[i] = va_arg(args, double);
    va_end(args);
    NormalizeColorsStretch();
}

void Gradient::SetStretchGradient(float stretch)
{
    m_fStretch = std::isnan(stretch) ? 1.0f : std::clamp(stretch, 1.0f, FLT_MAX);
}

float Gradient::GetStretchGradient() const
{
    return m_fStretch;
}

void Gradient::SetDirection(eDirection direction)
{
    m_eDirection = direction;
}

Gradient::eDirection Gradient::GetDirection() const
{
    return m_eDirection;
}

void Gradient::SetCreatePalette(BOOL create)
{
    m_bCreatePalette = create;
}

BOOL Gradient::GetCreatePalette() const
{
    return m_bCreatePalette;
}

CPalette& Gradient::GetPalette()
{
    CreatePalette();
    return m_palette;
}

// Operations

void Gradient::DrawLinearGradient(CDC* pDC, CRect rect, int nStart, int nEnd, int nShift)
{
    const bool paletteDevice = (pDC->GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0;
    if (!paletteDevice && pDC->GetDeviceCaps(BITSPIXEL) * pDC->GetDeviceCaps(PLANES) < kMinDeviceColorBits) {
        pDC->FillSolidRect(ConvertToReal(rect, nStart, nEnd), m_arrColors[0]);
        return;
    }

    const int extent = _isVertical(m_eDirection) ? rect.Height() : rect.Width();
    const int size = clampToInt(float(extent) * m_fStretch);
    const int end = endOf(nEnd, extent);
    GradElementArray runs;
    CalcShiftedGradient(runs, nShift, size, nStart, end, paletteDevice ? kPaletteColors : kNoColorLimit);

    CPalette* pOldPalette = nullptr;
    if (paletteDevice && m_bCreatePalette) {
        CreatePalette();
        if (m_palette.GetSafeHandle() != nullptr) {
            pOldPalette = pDC->SelectPalette(&m_palette, FALSE);
            pDC->RealizePalette();
        }
    }
    int cur = nStart;
    for (INT_PTR i = 0; i < runs.GetSize(); ++i) {
        const int next = cur + runs[i].length;
        if (next != cur) // an interval narrower than a pixel leaves an empty run
            _fillRun(pDC, ConvertToReal(rect, cur, next), runs[i].color, paletteDevice, pOldPalette != nullptr);
        cur = next;
    }
    if (pOldPalette != nullptr)
        pDC->SelectPalette(pOldPalette, TRUE);
}

void Gradient::CalcShiftedGradient(GradElementArray& runs, int nShift, int nSize, int nStart, int nEnd,
                                   UINT nMaxColors)
{
    // A bar area narrower than its borders gives a negative size: nothing to rotate.
    if (nSize > 0) {
        nShift %= nSize;
        if (nShift < 0)
            nShift += nSize;
    }
    if (nSize <= 0 || nShift == 0 || m_arrColors.GetSize() < 2) {
        CalcMultiGradient(runs, nSize, nStart, nEnd, nMaxColors);
        return;
    }
    const int end = endOf(nEnd, nSize);
    GradElementArray full;
    CalcMultiGradient(full, nSize, 0, kEndOfSize, nMaxColors);
    if (full.GetSize() < 2) {
        GradElement run{m_arrColors[0], end - nStart};
        runs.Add(run);
        return;
    }

    // Walk back from the last run until the runs walked cover the shift; run `cut` straddles
    // the cut, `kept` of its pixels stay before it.
    INT_PTR cut = full.GetSize();
    int covered = 0;
    while (covered < nShift)
        covered += full[--cut].length;
    const int kept = covered - nShift;

    std::vector<GradElement> rotated;
    rotated.reserve(size_t(full.GetSize()) + 1);
    rotated.push_back({full[cut].color, full[cut].length - kept});
    for (INT_PTR i = cut + 1; i < full.GetSize(); ++i)
        rotated.push_back(full[i]);
    for (INT_PTR i = 0; i < cut; ++i)
        rotated.push_back(full[i]);
    if (kept > 0)
        rotated.push_back({full[cut].color, kept});

    int pos = 0;
    for (const GradElement& run : rotated) {
        const int runEnd = pos + run.length;
        if (nStart < runEnd && appendClipped(runs, run.color, pos, runEnd, nStart, end))
            return;
        pos = runEnd;
    }
}

void Gradient::CalcMultiGradient(GradElementArray& runs, int nSize, int nStart, int nEnd, UINT nMaxColors)
{
    const INT_PTR colors = m_arrColors.GetSize();
    const int end = endOf(nEnd, nSize);
    if (colors == 0)
        return;
    if (colors == 1) {
        GradElement run{m_arrColors[0], end - nStart};
        runs.Add(run);
        return;
    }
    const UINT intervalColors = nMaxColors / UINT(colors - 1);
    double share = 0.0;
    int prev = 0;
    for (INT_PTR j = 0; j + 1 < colors; ++j) {
        share += m_arrStretch[j];
        const int boundary = j + 2 == colors ? nSize : int(double(nSize) * share / kShareTotal);
        if (boundary >= nStart) {
            const int clippedEnd = std::min(boundary, end);
            CalGradient(runs, m_arrColors[j], m_arrColors[j + 1], boundary - prev, std::max(prev, nStart) - prev,
                        clippedEnd - prev, intervalColors);
            if (clippedEnd >= end)
                return;
        }
        prev = boundary;
    }
}

void Gradient::CalGradient(GradElementArray& runs, COLORREF clrFrom, COLORREF clrTo, int nSize, int nStart,
                           int nEnd, UINT nMaxColors)
{
    int delta[3];
    UINT steps = 0;
    for (int c = 0; c < 3; ++c) {
        delta[c] = channel(clrTo, c) - channel(clrFrom, c);
        steps = std::max(steps, UINT(std::abs(delta[c])));
    }
    const UINT bands = std::max(1u, std::min({UINT(nSize), steps, nMaxColors}));
    float step[3];
    for (int c = 0; c < 3; ++c)
        step[c] = float(delta[c]) / float(bands);
    const float bandLength = float(nSize) / float(bands);
    const int end = endOf(nEnd, nSize);

    for (UINT i = 0; i < bands; ++i) {
        const int bandStart = int(float(i) * bandLength);
        const int bandEnd = i + 1 == bands ? nSize : int(float(i + 1) * bandLength);
        if (bandEnd < nStart)
            continue;
        COLORREF color = 0;
        for (int c = 0; c < 3; ++c)
            color |= COLORREF((channel(clrFrom, c) + int(float(i) * step[c])) & 0xFF) << (8 * c);
        if (appendClipped(runs, color, bandStart, bandEnd, nStart, end))
            return;
    }
}

// Implementation

CRect Gradient::ConvertToReal(CRect rect, int nStart, int nEnd) const
{
    const int end = endOf(nEnd, _isVertical(m_eDirection) ? rect.Height() : rect.Width());
    return _convertToReal(m_eDirection, rect, nStart, end);
}

CRect Gradient::_convertToReal(eDirection direction, const CRect& rect, int nStart, int nEnd)
{
    CRect band = rect;
    switch (direction) {
    case RightToLeft:
        band.left = rect.right - nEnd;
        band.right = rect.right - nStart;
        break;
    case TopToBottom:
        band.top = rect.top + nStart;
        band.bottom = rect.top + nEnd;
        break;
    case BottomToTop:
        band.top = rect.bottom - nEnd;
        band.bottom = rect.bottom - nStart;
        break;
    default:
        band.left = rect.left + nStart;
        band.right = rect.left + nEnd;
        break;
    }
    return band;
}

void Gradient::NormalizeColorsStretch()
{
    const INT_PTR count = m_arrStretch.GetSize();
    if (count < 1)
        return;
    // Shares that are not finite positive numbers count as none, so that no boundary becomes NaN
    // or runs backwards; when none is left, the intervals share equally.
    double sum = 0.0;
    for (INT_PTR i = 0; i < count; ++i) {
        if (!(m_arrStretch[i] > 0.0 && std::isfinite(m_arrStretch[i])))
            m_arrStretch[i] = 0.0;
        sum += m_arrStretch[i];
    }
    const bool shared = std::isfinite(sum) && sum > 0.0;
    for (INT_PTR i = 0; i < count; ++i)
        m_arrStretch[i] = shared ? m_arrStretch[i] * kShareTotal / sum : kShareTotal / double(count);
}

void Gradient::CreatePalette()
{
    if (!m_bCreatePalette || m_palette.GetSafeHandle() != nullptr)
        return;
    GradElementArray runs;
    CalcMultiGradient(runs, int(kPaletteColors), 0, int(kPaletteColors), kPaletteColors);
    const INT_PTR count = runs.GetSize();
    if (count == 0)
        return;
    LogicalPalette logical(static_cast<int>(count));
    for (INT_PTR i = 0; i < count; ++i) {
        const COLORREF color = runs[i].color;
        logical[int(i)] = {GetRValue(color), GetGValue(color), GetBValue(color), 0};
    }
    logical.create(m_palette);
}

bool Gradient::_isVertical(eDirection direction)
{
    return direction == TopToBottom || direction == BottomToTop;
}

void Gradient::_fillRun(CDC* pDC, const CRect& band, COLORREF color, bool paletteDevice, bool paletteSelected) const
{
    if (!paletteDevice) {
        pDC->FillSolidRect(band, color);
        return;
    }
    CBrush brush(paletteSelected ? color | kPaletteRelative : color);
    pDC->FillRect(band, &brush);
}

} // namespace qv::gui
