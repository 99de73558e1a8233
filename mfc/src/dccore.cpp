#include "wndstate.h"

#include <type_traits>

using qvmfc::threadState;

IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

namespace {

// Applies an attribute setter to the output DC and the attribute DC when they differ; the
// result is the attribute DC's.
template <class R, class... Args, class... Values>
R setOnBoth(const CDC& dc, R(WINAPI* setter)(HDC, Args...), std::type_identity_t<R> failure, Values... values)
{
    R result = failure;
    if (dc.m_hDC && dc.m_hDC != dc.m_hAttribDC)
        result = setter(dc.m_hDC, values...);
    if (dc.m_hAttribDC)
        result = setter(dc.m_hAttribDC, values...);
    return result;
}

// The same for the Ex setters that report the previous value through a last pointer argument.
template <class T, class... Args, class... Values>
T setOnBothEx(const CDC& dc, BOOL(WINAPI* setter)(HDC, Args...), Values... values)
{
    T previous{};
    if (dc.m_hDC && dc.m_hDC != dc.m_hAttribDC)
        setter(dc.m_hDC, values..., &previous);
    if (dc.m_hAttribDC)
        setter(dc.m_hAttribDC, values..., &previous);
    return previous;
}

// Reads a value that GDI reports through a pointer.
template <class T> T getFrom(HDC hDC, BOOL(WINAPI* getter)(HDC, T*))
{
    T value{};
    getter(hDC, &value);
    return value;
}

HDC sourceOf(CDC* pSrcDC)
{
    return pSrcDC ? pSrcDC->m_hDC : nullptr;
}

} // namespace

CDC::~CDC()
{
    if (m_hDC)
        ::DeleteDC(Detach());
}

HDC CDC::GetSafeHdc() const
{
    const CDC* volatile self = this;
    return self ? m_hDC : nullptr;
}

CWnd* CDC::GetWindow() const
{
    return CWnd::FromHandle(::WindowFromDC(m_hDC));
}

CDC* PASCAL CDC::FromHandle(HDC hDC)
{
    return threadState().dcs.fromHandle(hDC, [](HANDLE h) {
        auto* dc = new CDC;
        dc->m_hDC = dc->m_hAttribDC = static_cast<HDC>(h);
        return dc;
    });
}

void PASCAL CDC::DeleteTempMap()
{
    threadState().dcs.deleteTemporaries([](CDC* dc) { dc->m_hDC = dc->m_hAttribDC = nullptr; });
}

BOOL CDC::Attach(HDC hDC)
{
    if (!hDC)
        return FALSE;
    threadState().dcs.setPermanent(hDC, this);
    SetOutputDC(hDC);
    SetAttribDC(hDC);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    if (hDC)
        threadState().dcs.removeHandle(hDC);
    ReleaseAttribDC();
    ReleaseOutputDC();
    return hDC;
}

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
{
    return Attach(::CreateDC(lpszDriverName, lpszDeviceName, lpszOutput, static_cast<const DEVMODE*>(lpInitData)));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr));
}

BOOL CDC::DeleteDC()
{
    return m_hDC ? ::DeleteDC(Detach()) : FALSE;
}

int CDC::SaveDC()
{
    int saved = 0;
    if (m_hAttribDC)
        saved = ::SaveDC(m_hAttribDC);
    if (m_hDC != m_hAttribDC && ::SaveDC(m_hDC) != 0)
        saved = -1;
    return saved;
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    BOOL restored = TRUE;
    if (m_hDC != m_hAttribDC)
        restored = ::RestoreDC(m_hDC, nSavedDC);
    if (m_hAttribDC)
        restored = ::RestoreDC(m_hAttribDC, nSavedDC) && restored;
    return restored;
}

// Drawing tools

CGdiObject* CDC::SelectGdiObject(CGdiObject* pObject)
{
    return CGdiObject::FromHandle(SelectObject(CGdiObject::SafeHandle(pObject)));
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    HGDIOBJ previous = nullptr;
    if (m_hDC != m_hAttribDC)
        previous = ::SelectObject(m_hDC, hObject);
    if (m_hAttribDC)
        previous = ::SelectObject(m_hAttribDC, hObject);
    return previous;
}

int CDC::SelectObject(CRgn* pRgn)
{
    return static_cast<int>(reinterpret_cast<INT_PTR>(SelectObject(CGdiObject::SafeHandle(pRgn))));
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    return CGdiObject::FromHandle(SelectObject(::GetStockObject(nIndex)));
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    return CPalette::FromHandle(
        ::SelectPalette(m_hDC, static_cast<HPALETTE>(CGdiObject::SafeHandle(pPalette)), bForceBackground));
}

// Colours and modes

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    return setOnBoth(*this, &::SetTextColor, CLR_INVALID, crColor);
}

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    return setOnBoth(*this, &::SetBkColor, CLR_INVALID, crColor);
}

int CDC::SetBkMode(int nBkMode)
{
    return setOnBoth(*this, &::SetBkMode, 0, nBkMode);
}

int CDC::SetROP2(int nDrawMode)
{
    return setOnBoth(*this, &::SetROP2, 0, nDrawMode);
}

UINT CDC::SetTextAlign(UINT nFlags)
{
    return setOnBoth(*this, &::SetTextAlign, static_cast<UINT>(GDI_ERROR), nFlags);
}

int CDC::SetStretchBltMode(int nStretchMode)
{
    return setOnBoth(*this, &::SetStretchBltMode, 0, nStretchMode);
}

int CDC::SetPolyFillMode(int nPolyFillMode)
{
    return setOnBoth(*this, &::SetPolyFillMode, 0, nPolyFillMode);
}

CPoint CDC::GetBrushOrg() const
{
    return getFrom(m_hDC, &::GetBrushOrgEx);
}

CPoint CDC::SetBrushOrg(int x, int y)
{
    POINT previous{};
    ::SetBrushOrgEx(m_hDC, x, y, &previous);
    return previous;
}

// Mapping

int CDC::SetMapMode(int nMapMode)
{
    return setOnBoth(*this, &::SetMapMode, 0, nMapMode);
}

CPoint CDC::GetViewportOrg() const
{
    return getFrom(m_hAttribDC, &::GetViewportOrgEx);
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    return setOnBothEx<POINT>(*this, &::SetViewportOrgEx, x, y);
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    return setOnBothEx<POINT>(*this, &::OffsetViewportOrgEx, nWidth, nHeight);
}

CSize CDC::GetViewportExt() const
{
    return getFrom(m_hAttribDC, &::GetViewportExtEx);
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    return setOnBothEx<SIZE>(*this, &::SetViewportExtEx, cx, cy);
}

CPoint CDC::GetWindowOrg() const
{
    return getFrom(m_hAttribDC, &::GetWindowOrgEx);
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    return setOnBothEx<POINT>(*this, &::SetWindowOrgEx, x, y);
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight)
{
    return setOnBothEx<POINT>(*this, &::OffsetWindowOrgEx, nWidth, nHeight);
}

CSize CDC::GetWindowExt() const
{
    return getFrom(m_hAttribDC, &::GetWindowExtEx);
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    return setOnBothEx<SIZE>(*this, &::SetWindowExtEx, cx, cy);
}

// Sizes convert as the vector between two converted points.
void CDC::DPtoLP(LPSIZE lpSize) const
{
    POINT points[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
    DPtoLP(points, 2);
    *lpSize = {points[1].x - points[0].x, points[1].y - points[0].y};
}

void CDC::LPtoDP(LPSIZE lpSize) const
{
    POINT points[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
    LPtoDP(points, 2);
    *lpSize = {points[1].x - points[0].x, points[1].y - points[0].y};
}

// Clipping

int CDC::SelectClipRgn(CRgn* pRgn)
{
    return SelectClipRgn(pRgn, RGN_COPY);
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode)
{
    return setOnBoth(*this, &::ExtSelectClipRgn, ERROR, static_cast<HRGN>(CGdiObject::SafeHandle(pRgn)), nMode);
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    return setOnBoth(*this, &::ExcludeClipRect, ERROR, x1, y1, x2, y2);
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    return setOnBoth(*this, &::IntersectClipRect, ERROR, x1, y1, x2, y2);
}

int CDC::OffsetClipRgn(int x, int y)
{
    return setOnBoth(*this, &::OffsetClipRgn, ERROR, x, y);
}

// Lines

CPoint CDC::GetCurrentPosition() const
{
    return getFrom(m_hAttribDC, &::GetCurrentPositionEx);
}

CPoint CDC::MoveTo(int x, int y)
{
    return setOnBothEx<POINT>(*this, &::MoveToEx, x, y);
}

BOOL CDC::LineTo(int x, int y)
{
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::MoveToEx(m_hAttribDC, x, y, nullptr);
    return ::LineTo(m_hDC, x, y);
}

// Rectangles and regions

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    ::SetBkColor(m_hDC, clr);
    ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    const RECT rect{x, y, x + cx, y + cy};
    FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
               clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush)
{
    return ::FillRgn(m_hDC, static_cast<HRGN>(CGdiObject::SafeHandle(pRgn)),
                     static_cast<HBRUSH>(CGdiObject::SafeHandle(pBrush)));
}

BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight)
{
    return ::FrameRgn(m_hDC, static_cast<HRGN>(CGdiObject::SafeHandle(pRgn)),
                      static_cast<HBRUSH>(CGdiObject::SafeHandle(pBrush)), nWidth, nHeight);
}

// Bitmaps

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, sourceOf(pSrcDC), xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, sourceOf(pSrcDC), xSrc, ySrc, nSrcWidth, nSrcHeight, dwRop);
}

BOOL CDC::AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend)
{
    return ::AlphaBlend(m_hDC, xDest, yDest, nDestWidth, nDestHeight, sourceOf(pSrcDC), xSrc, ySrc, nSrcWidth,
                        nSrcHeight, blend);
}

BOOL CDC::TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                         int nSrcWidth, int nSrcHeight, UINT clrTransparent)
{
    return ::TransparentBlt(m_hDC, xDest, yDest, nDestWidth, nDestHeight, sourceOf(pSrcDC), xSrc, ySrc, nSrcWidth,
                            nSrcHeight, clrTransparent);
}

BOOL CDC::GradientFill(TRIVERTEX* pVertices, ULONG nVertices, void* pMesh, ULONG nMeshElements, DWORD dwMode)
{
    return ::GradientFill(m_hDC, pVertices, nVertices, pMesh, nMeshElements, dwMode);
}

// Text

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount)
{
    return ::TextOut(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount, LPINT lpDxWidths)
{
    return ::ExtTextOut(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    return ::DrawText(m_hDC, lpszString, nCount, lpRect, nFormat);
}

CSize CDC::TabbedTextOut(int x, int y, LPCTSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions,
                         int nTabOrigin)
{
    const LONG extent = ::TabbedTextOut(m_hDC, x, y, lpszString, nCount, nTabPositions, lpnTabStopPositions, nTabOrigin);
    return CSize(LOWORD(extent), HIWORD(extent));
}

int CDC::DrawTextEx(LPTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams)
{
    return ::DrawTextEx(m_hDC, lpszString, nCount, lpRect, nFormat, lpDTParams);
}

BOOL CDC::GrayString(CBrush* pBrush, GRAYSTRINGPROC lpfnOutput, LPARAM lpData, int nCount, int x, int y, int nWidth,
                     int nHeight)
{
    return ::GrayString(m_hDC, static_cast<HBRUSH>(CGdiObject::SafeHandle(pBrush)), lpfnOutput, lpData, nCount, x, y,
                        nWidth, nHeight);
}

int CDC::Escape(int nEscape, int nCount, LPCSTR lpszInData, LPVOID lpOutData)
{
    return ::Escape(m_hDC, nEscape, nCount, lpszInData, lpOutData);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size{};
    ::GetTextExtentPoint32(m_hAttribDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size{};
    ::GetTextExtentPoint32(m_hDC, lpszString, nCount, &size);
    return size;
}

// Window DCs

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd)
{
    if (!Attach(::BeginPaint(m_hWnd, &m_ps)))
        AfxThrowResourceException();
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(CWnd::SafeHandle(pWnd))
{
    if (!Attach(::GetDC(m_hWnd)))
        AfxThrowResourceException();
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(CWnd::SafeHandle(pWnd))
{
    if (!Attach(::GetWindowDC(m_hWnd)))
        AfxThrowResourceException();
}

CWindowDC::~CWindowDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}
