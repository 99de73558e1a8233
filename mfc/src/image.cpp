// CImage: the bitmap, its pixel addressing, its memory DC and the GDI transfers.

#include "atlimage.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace ATL {

namespace {

const int kMaxColorTableEntries = 256;
const int kRedGreenBlueMasks = 3;

// DIB rows are padded to 32 bits.
int computePitch(int width, int bpp)
{
    return (width * bpp + 31) / 32 * 4;
}

// A BITMAPINFO with room for a full colour table (or the three masks of BI_BITFIELDS).
struct BitmapInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[kMaxColorTableEntries];
};

// Indexed images start with a grey ramp, black to white.
void fillGreyRamp(RGBQUAD* colors, int count)
{
    for (int i = 0; i < count; ++i) {
        const BYTE level = BYTE(count > 1 ? i * 255 / (count - 1) : 0);
        colors[i] = RGBQUAD{level, level, level, 0};
    }
}

int width(const RECT& rect)
{
    return rect.right - rect.left;
}

int height(const RECT& rect)
{
    return rect.bottom - rect.top;
}

// Runs a GDI call on the image's memory DC.
template <class Call>
auto withImageDC(const CImage& image, Call call)
{
    const auto result = call(image.GetDC());
    image.ReleaseDC();
    return result;
}

// What CreateDIBSection makes: a depth GDI knows, masks only at 16 or 32 bits, alpha only at 32.
bool isValidFormat(int bpp, DWORD compression, const DWORD* masks, bool alpha)
{
    const bool knownDepth = bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
    if (!knownDepth || (alpha && bpp != 32))
        return false;
    if (compression == BI_BITFIELDS)
        return masks != nullptr && (bpp == 16 || bpp == 32);
    return compression == BI_RGB;
}

} // namespace

CImage::~CImage() noexcept
{
    Destroy();
}

BOOL CImage::Create(int nWidth, int nHeight, int nBPP, DWORD dwFlags) noexcept
{
    return CreateEx(nWidth, nHeight, nBPP, BI_RGB, nullptr, dwFlags);
}

BOOL CImage::CreateEx(int nWidth, int nHeight, int nBPP, DWORD eCompression, const DWORD* pdwBitmasks,
                      DWORD dwFlags) noexcept
{
    const bool alpha = (dwFlags & createAlphaChannel) != 0;
    if (nWidth <= 0 || nHeight == 0 || !isValidFormat(nBPP, eCompression, pdwBitmasks, alpha))
        return FALSE;

    BitmapInfo info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = nWidth;
    info.header.biHeight = nHeight;
    info.header.biPlanes = 1;
    info.header.biBitCount = WORD(nBPP);
    info.header.biCompression = eCompression;
    if (eCompression == BI_BITFIELDS) {
        std::copy_n(pdwBitmasks, kRedGreenBlueMasks, reinterpret_cast<DWORD*>(info.colors));
    } else if (nBPP <= 8) {
        info.header.biClrUsed = 1u << nBPP;
        fillGreyRamp(info.colors, 1 << nBPP);
    }

    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr)
        return FALSE;
    Attach(bitmap, nHeight < 0 ? DIBOR_TOPDOWN : DIBOR_BOTTOMUP);
    m_bHasAlphaChannel = alpha;
    return TRUE;
}

void CImage::Attach(HBITMAP hBitmap, DIBOrientation eOrientation) noexcept
{
    Destroy();
    m_hBitmap = hBitmap;
    _updateBitmapInfo(eOrientation);
}

HBITMAP CImage::Detach() noexcept
{
    HBITMAP bitmap = m_hBitmap;
    _reset();
    return bitmap;
}

void CImage::Destroy() noexcept
{
    if (m_hBitmap != nullptr)
        ::DeleteObject(Detach());
}

void CImage::_reset() noexcept
{
    while (m_nDCRefCount > 0)
        ReleaseDC();
    m_hBitmap = nullptr;
    m_pBits = nullptr;
    m_nWidth = m_nHeight = m_nPitch = m_nBPP = 0;
    m_bIsDIBSection = false;
    m_bHasAlphaChannel = false;
    m_iTransparentColor = -1;
}

void CImage::_updateBitmapInfo(DIBOrientation eOrientation) noexcept
{
    DIBSECTION section{};
    const int size = ::GetObject(m_hBitmap, sizeof(section), &section);
    m_bIsDIBSection = size == int(sizeof(DIBSECTION));
    if (!m_bIsDIBSection) {
        // A device-dependent bitmap: no bits to address.
        m_nWidth = section.dsBm.bmWidth;
        m_nHeight = section.dsBm.bmHeight;
        m_nBPP = section.dsBm.bmBitsPixel;
        return;
    }
    m_nWidth = section.dsBmih.biWidth;
    m_nHeight = std::abs(section.dsBmih.biHeight);
    m_nBPP = section.dsBmih.biBitCount;
    m_nPitch = computePitch(m_nWidth, m_nBPP);
    m_pBits = section.dsBm.bmBits;
    if (eOrientation == DIBOR_DEFAULT)
        eOrientation = section.dsBmih.biHeight > 0 ? DIBOR_BOTTOMUP : DIBOR_TOPDOWN;
    if (eOrientation == DIBOR_BOTTOMUP) {
        m_pBits = static_cast<BYTE*>(m_pBits) + (m_nHeight - 1) * m_nPitch;
        m_nPitch = -m_nPitch;
    }
}

void* CImage::GetPixelAddress(int x, int y) noexcept
{
    return const_cast<void*>(std::as_const(*this).GetPixelAddress(x, y));
}

const void* CImage::GetPixelAddress(int x, int y) const noexcept
{
    if (m_pBits == nullptr)
        return nullptr;
    return static_cast<const BYTE*>(m_pBits) + y * m_nPitch + x * m_nBPP / 8;
}

int CImage::GetMaxColorTableEntries() const noexcept
{
    return IsIndexed() ? 1 << m_nBPP : 0;
}

void CImage::GetColorTable(UINT iFirstColor, UINT nColors, RGBQUAD* prgbColors) const noexcept
{
    withImageDC(*this, [&](HDC dc) { return ::GetDIBColorTable(dc, iFirstColor, nColors, prgbColors); });
}

void CImage::SetColorTable(UINT iFirstColor, UINT nColors, const RGBQUAD* prgbColors) noexcept
{
    withImageDC(*this, [&](HDC dc) { return ::SetDIBColorTable(dc, iFirstColor, nColors, prgbColors); });
}

COLORREF CImage::GetPixel(int x, int y) const noexcept
{
    return withImageDC(*this, [&](HDC dc) { return ::GetPixel(dc, x, y); });
}

void CImage::SetPixel(int x, int y, COLORREF color) noexcept
{
    withImageDC(*this, [&](HDC dc) { return ::SetPixel(dc, x, y, color); });
}

LONG CImage::SetTransparentColor(LONG iTransparentColor) noexcept
{
    const LONG previous = m_iTransparentColor;
    if (iTransparentColor >= -1 && iTransparentColor < GetMaxColorTableEntries())
        m_iTransparentColor = iTransparentColor;
    return previous;
}

COLORREF CImage::GetTransparentRGB() const noexcept
{
    if (m_iTransparentColor == -1)
        return CLR_INVALID;
    RGBQUAD entry{};
    GetColorTable(UINT(m_iTransparentColor), 1, &entry);
    return RGB(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
}

HDC CImage::GetDC() const noexcept
{
    if (m_hBitmap == nullptr)
        return nullptr;
    if (m_hDC == nullptr) {
        m_hDC = ::CreateCompatibleDC(nullptr);
        if (m_hDC == nullptr)
            return nullptr;
        m_hOldBitmap = static_cast<HBITMAP>(::SelectObject(m_hDC, m_hBitmap));
    }
    ++m_nDCRefCount;
    return m_hDC;
}

void CImage::ReleaseDC() const noexcept
{
    if (m_nDCRefCount == 0 || --m_nDCRefCount > 0)
        return;
    ::SelectObject(m_hDC, m_hOldBitmap);
    ::DeleteDC(m_hDC);
    m_hDC = nullptr;
    m_hOldBitmap = nullptr;
}

BOOL CImage::Draw(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
                  int nSrcWidth, int nSrcHeight) const noexcept
{
    if (GetTransparentRGB() != CLR_INVALID)
        return TransparentBlt(hDestDC, xDest, yDest, nDestWidth, nDestHeight, xSrc, ySrc, nSrcWidth, nSrcHeight);
    if (m_bHasAlphaChannel)
        return AlphaBlend(hDestDC, xDest, yDest, nDestWidth, nDestHeight, xSrc, ySrc, nSrcWidth, nSrcHeight);
    return StretchBlt(hDestDC, xDest, yDest, nDestWidth, nDestHeight, xSrc, ySrc, nSrcWidth, nSrcHeight);
}

BOOL CImage::Draw(HDC hDestDC, const RECT& rectDest, const RECT& rectSrc) const noexcept
{
    return Draw(hDestDC, rectDest.left, rectDest.top, width(rectDest), height(rectDest),
                rectSrc.left, rectSrc.top, width(rectSrc), height(rectSrc));
}

BOOL CImage::Draw(HDC hDestDC, int xDest, int yDest) const noexcept
{
    return Draw(hDestDC, xDest, yDest, m_nWidth, m_nHeight);
}

BOOL CImage::Draw(HDC hDestDC, const POINT& pointDest) const noexcept
{
    return Draw(hDestDC, pointDest.x, pointDest.y);
}

BOOL CImage::Draw(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight) const noexcept
{
    return Draw(hDestDC, xDest, yDest, nDestWidth, nDestHeight, 0, 0, m_nWidth, m_nHeight);
}

BOOL CImage::Draw(HDC hDestDC, const RECT& rectDest) const noexcept
{
    return Draw(hDestDC, rectDest, RECT{0, 0, m_nWidth, m_nHeight});
}

BOOL CImage::Draw(HDC hDestDC, const RECT& rectDest, const RECT& rectSrc,
                  Gdiplus::InterpolationMode interpolationMode) const noexcept
{
    return Draw(hDestDC, rectDest.left, rectDest.top, width(rectDest), height(rectDest),
                rectSrc.left, rectSrc.top, width(rectSrc), height(rectSrc),
                interpolationMode);
}

BOOL CImage::Draw(HDC hDestDC, const RECT& rectDest, Gdiplus::InterpolationMode interpolationMode) const noexcept
{
    return Draw(hDestDC, rectDest, RECT{0, 0, m_nWidth, m_nHeight}, interpolationMode);
}

BOOL CImage::BitBlt(HDC hDestDC, int xDest, int yDest, DWORD dwROP) const noexcept
{
    return BitBlt(hDestDC, xDest, yDest, m_nWidth, m_nHeight, 0, 0, dwROP);
}

BOOL CImage::BitBlt(HDC hDestDC, const POINT& pointDest, DWORD dwROP) const noexcept
{
    return BitBlt(hDestDC, pointDest.x, pointDest.y, dwROP);
}

BOOL CImage::BitBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
                    DWORD dwROP) const noexcept
{
    return withImageDC(*this, [&](HDC dc) {
        return ::BitBlt(hDestDC, xDest, yDest, nDestWidth, nDestHeight, dc, xSrc, ySrc, dwROP);
    });
}

BOOL CImage::BitBlt(HDC hDestDC, const RECT& rectDest, const POINT& pointSrc, DWORD dwROP) const noexcept
{
    return BitBlt(hDestDC, rectDest.left, rectDest.top, width(rectDest), height(rectDest),
                  pointSrc.x, pointSrc.y, dwROP);
}

BOOL CImage::StretchBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight,
                        DWORD dwROP) const noexcept
{
    return StretchBlt(hDestDC, xDest, yDest, nDestWidth, nDestHeight, 0, 0, m_nWidth, m_nHeight, dwROP);
}

BOOL CImage::StretchBlt(HDC hDestDC, const RECT& rectDest, DWORD dwROP) const noexcept
{
    return StretchBlt(hDestDC, rectDest, RECT{0, 0, m_nWidth, m_nHeight}, dwROP);
}

BOOL CImage::StretchBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
                        int nSrcWidth, int nSrcHeight, DWORD dwROP) const noexcept
{
    return withImageDC(*this, [&](HDC dc) {
        return ::StretchBlt(hDestDC, xDest, yDest, nDestWidth, nDestHeight, dc, xSrc, ySrc, nSrcWidth, nSrcHeight,
                            dwROP);
    });
}

BOOL CImage::StretchBlt(HDC hDestDC, const RECT& rectDest, const RECT& rectSrc, DWORD dwROP) const noexcept
{
    return StretchBlt(hDestDC, rectDest.left, rectDest.top, width(rectDest),
                      height(rectDest), rectSrc.left, rectSrc.top, width(rectSrc),
                      height(rectSrc), dwROP);
}

BOOL CImage::AlphaBlend(HDC hDestDC, int xDest, int yDest, BYTE bSrcAlpha, BYTE bBlendOp) const noexcept
{
    return AlphaBlend(hDestDC, xDest, yDest, m_nWidth, m_nHeight, 0, 0, m_nWidth, m_nHeight, bSrcAlpha, bBlendOp);
}

BOOL CImage::AlphaBlend(HDC hDestDC, const POINT& pointDest, BYTE bSrcAlpha, BYTE bBlendOp) const noexcept
{
    return AlphaBlend(hDestDC, pointDest.x, pointDest.y, bSrcAlpha, bBlendOp);
}

BOOL CImage::AlphaBlend(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
                        int nSrcWidth, int nSrcHeight, BYTE bSrcAlpha, BYTE bBlendOp) const noexcept
{
    const BLENDFUNCTION blend{bBlendOp, 0, bSrcAlpha, BYTE(m_bHasAlphaChannel ? AC_SRC_ALPHA : 0)};
    return withImageDC(*this, [&](HDC dc) {
        return ::AlphaBlend(hDestDC, xDest, yDest, nDestWidth, nDestHeight, dc, xSrc, ySrc, nSrcWidth, nSrcHeight,
                            blend);
    });
}

BOOL CImage::AlphaBlend(HDC hDestDC, const RECT& rectDest, const RECT& rectSrc, BYTE bSrcAlpha,
                        BYTE bBlendOp) const noexcept
{
    return AlphaBlend(hDestDC, rectDest.left, rectDest.top, width(rectDest),
                      height(rectDest), rectSrc.left, rectSrc.top, width(rectSrc),
                      height(rectSrc), bSrcAlpha, bBlendOp);
}

BOOL CImage::TransparentBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight,
                            UINT crTransparent) const noexcept
{
    return TransparentBlt(hDestDC, xDest, yDest, nDestWidth, nDestHeight, 0, 0, m_nWidth, m_nHeight, crTransparent);
}

BOOL CImage::TransparentBlt(HDC hDestDC, const RECT& rectDest, UINT crTransparent) const noexcept
{
    return TransparentBlt(hDestDC, rectDest, RECT{0, 0, m_nWidth, m_nHeight}, crTransparent);
}

BOOL CImage::TransparentBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
                            int nSrcWidth, int nSrcHeight, UINT crTransparent) const noexcept
{
    if (crTransparent == CLR_INVALID)
        crTransparent = GetTransparentRGB();
    return withImageDC(*this, [&](HDC dc) {
        return ::TransparentBlt(hDestDC, xDest, yDest, nDestWidth, nDestHeight, dc, xSrc, ySrc, nSrcWidth,
                                nSrcHeight, crTransparent);
    });
}

BOOL CImage::TransparentBlt(HDC hDestDC, const RECT& rectDest, const RECT& rectSrc, UINT crTransparent) const noexcept
{
    return TransparentBlt(hDestDC, rectDest.left, rectDest.top, width(rectDest),
                          height(rectDest), rectSrc.left, rectSrc.top, width(rectSrc),
                          height(rectSrc), crTransparent);
}

} // namespace ATL
