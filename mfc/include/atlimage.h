#pragma once

// ATL's CImage: a bitmap (normally a DIB section) with loading and saving through GDI+ and the GDI
// transfers (BitBlt, StretchBlt, AlphaBlend, TransparentBlt) as members.
//
// Rows are addressed ATL's way: GetBits() is the first byte of the top row and GetPitch() is the
// distance to the next row down, negative for a bottom-up bitmap.
//
// Images with an alpha channel (created with createAlphaChannel, or loaded from a file whose pixels
// carry alpha) hold premultiplied pixels, the form AlphaBlend with AC_SRC_ALPHA draws; Save writes
// them out unpremultiplied.
//
// GDI+ is started by the layer on first use and shut down when the layer is unloaded at process exit.

#include <windows.h>
#include <objidl.h>

#include <gdiplus.h>

#include <memory>

#include "qv.mfc.h"

namespace ATL {

class QV_MFC_API CImage {
public:
    static const DWORD createAlphaChannel = 0x01;

    enum DIBOrientation { DIBOR_DEFAULT, DIBOR_TOPDOWN, DIBOR_BOTTOMUP };

    // Construction
    CImage() noexcept = default;
    CImage(const CImage&) = delete;
    CImage& operator=(const CImage&) = delete;
    ~CImage() noexcept;

    // A negative height creates a top-down bitmap. Only 32 bits per pixel take createAlphaChannel.
    BOOL Create(int nWidth, int nHeight, int nBPP, DWORD dwFlags = 0) noexcept;
    // eCompression is BI_RGB or, for 16 and 32 bits per pixel, BI_BITFIELDS with three masks.
    BOOL CreateEx(int nWidth, int nHeight, int nBPP, DWORD eCompression, const DWORD* pdwBitmasks = nullptr,
                  DWORD dwFlags = 0) noexcept;
    // Takes ownership of the bitmap; the orientation overrides the one a DIB section was created with.
    void Attach(HBITMAP hBitmap, DIBOrientation eOrientation = DIBOR_DEFAULT) noexcept;
    HBITMAP Detach() noexcept;
    void Destroy() noexcept;

    HRESULT Load(LPCTSTR pszFileName) noexcept;
    HRESULT Load(IStream* pStream) noexcept;
    // GUID_NULL picks the format from the file name's extension.
    HRESULT Save(LPCTSTR pszFileName, REFGUID guidFileType = GUID_NULL) const noexcept;
    HRESULT Save(IStream* pStream, REFGUID guidFileType) const noexcept;

    // Attributes
    operator HBITMAP() const noexcept { return m_hBitmap; }
    bool IsNull() const noexcept { return m_hBitmap == nullptr; }
    bool IsDIBSection() const noexcept { return m_bIsDIBSection; }
    bool IsIndexed() const noexcept { return m_bIsDIBSection && m_nBPP <= 8; }
    int GetWidth() const noexcept { return m_nWidth; }
    int GetHeight() const noexcept { return m_nHeight; }
    int GetBPP() const noexcept { return m_nBPP; }
    int GetPitch() const noexcept { return m_nPitch; }
    void* GetBits() noexcept { return m_pBits; }
    const void* GetBits() const noexcept { return m_pBits; }
    void* GetPixelAddress(int x, int y) noexcept;
    const void* GetPixelAddress(int x, int y) const noexcept;
    int GetMaxColorTableEntries() const noexcept;
    void GetColorTable(UINT iFirstColor, UINT nColors, RGBQUAD* prgbColors) const noexcept;
    void SetColorTable(UINT iFirstColor, UINT nColors, const RGBQUAD* prgbColors) noexcept;
    COLORREF GetPixel(int x, int y) const noexcept;
    void SetPixel(int x, int y, COLORREF color) noexcept;
    void SetHasAlphaChannel(bool bHasAlphaChannel) noexcept { m_bHasAlphaChannel = bHasAlphaChannel; }

    // The transparent colour as an index into the colour table (-1: none); returns the previous index.
    // An index outside the table is ignored. Images without a colour table are keyed by passing the
    // colour to TransparentBlt.
    LONG GetTransparentColor() const noexcept { return m_iTransparentColor; }
    LONG SetTransparentColor(LONG iTransparentColor) noexcept;

    static BOOL IsTransparencySupported() noexcept { return TRUE; }

    // Operations
    // A memory DC with the bitmap selected, shared by nested calls; each GetDC needs its ReleaseDC.
    HDC GetDC() const noexcept;
    void ReleaseDC() const noexcept;

    // Draw keys out the transparent colour with TransparentBlt, blends an image with an alpha channel
    // with AlphaBlend, and copies any other image with StretchBlt. The forms with an interpolation
    // mode draw through GDI+ instead.
    BOOL Draw(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
              int nSrcWidth, int nSrcHeight) const noexcept;
    BOOL Draw(HDC hDestDC, const RECT& rectDest, const RECT& rectSrc) const noexcept;
    BOOL Draw(HDC hDestDC, int xDest, int yDest) const noexcept;
    BOOL Draw(HDC hDestDC, const POINT& pointDest) const noexcept;
    BOOL Draw(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight) const noexcept;
    BOOL Draw(HDC hDestDC, const RECT& rectDest) const noexcept;
    BOOL Draw(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
              int nSrcWidth, int nSrcHeight, Gdiplus::InterpolationMode interpolationMode) const noexcept;
    BOOL Draw(HDC hDestDC, const RECT& rectDest, const RECT& rectSrc,
              Gdiplus::InterpolationMode interpolationMode) const noexcept;
    BOOL Draw(HDC hDestDC, const RECT& rectDest, Gdiplus::InterpolationMode interpolationMode) const noexcept;

    BOOL BitBlt(HDC hDestDC, int xDest, int yDest, DWORD dwROP = SRCCOPY) const noexcept;
    BOOL BitBlt(HDC hDestDC, const POINT& pointDest, DWORD dwROP = SRCCOPY) const noexcept;
    BOOL BitBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
                DWORD dwROP = SRCCOPY) const noexcept;
    BOOL BitBlt(HDC hDestDC, const RECT& rectDest, const POINT& pointSrc, DWORD dwROP = SRCCOPY) const noexcept;

    BOOL StretchBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight,
                    DWORD dwROP = SRCCOPY) const noexcept;
    BOOL StretchBlt(HDC hDestDC, const RECT& rectDest, DWORD dwROP = SRCCOPY) const noexcept;
    BOOL StretchBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
                    int nSrcWidth, int nSrcHeight, DWORD dwROP = SRCCOPY) const noexcept;
    BOOL StretchBlt(HDC hDestDC, const RECT& rectDest, const RECT& rectSrc, DWORD dwROP = SRCCOPY) const noexcept;

    // The image's alpha channel takes part when it has one.
    BOOL AlphaBlend(HDC hDestDC, int xDest, int yDest, BYTE bSrcAlpha = 0xff,
                    BYTE bBlendOp = AC_SRC_OVER) const noexcept;
    BOOL AlphaBlend(HDC hDestDC, const POINT& pointDest, BYTE bSrcAlpha = 0xff,
                    BYTE bBlendOp = AC_SRC_OVER) const noexcept;
    BOOL AlphaBlend(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
                    int nSrcWidth, int nSrcHeight, BYTE bSrcAlpha = 0xff, BYTE bBlendOp = AC_SRC_OVER) const noexcept;
    BOOL AlphaBlend(HDC hDestDC, const RECT& rectDest, const RECT& rectSrc, BYTE bSrcAlpha = 0xff,
                    BYTE bBlendOp = AC_SRC_OVER) const noexcept;

    // CLR_INVALID stands for the image's own transparent colour.
    BOOL TransparentBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight,
                        UINT crTransparent = CLR_INVALID) const noexcept;
    BOOL TransparentBlt(HDC hDestDC, const RECT& rectDest, UINT crTransparent = CLR_INVALID) const noexcept;
    BOOL TransparentBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
                        int nSrcWidth, int nSrcHeight, UINT crTransparent = CLR_INVALID) const noexcept;
    BOOL TransparentBlt(HDC hDestDC, const RECT& rectDest, const RECT& rectSrc,
                        UINT crTransparent = CLR_INVALID) const noexcept;

    // Implementation
private:
    // Starts GDI+ for the process on the first call; true while it runs.
    static bool InitGDIPlus() noexcept;
    // The colour of the transparent index, which Draw keys out; CLR_INVALID without one.
    COLORREF GetTransparentRGB() const noexcept;
    void _updateBitmapInfo(DIBOrientation eOrientation) noexcept;
    void _reset() noexcept;
    HRESULT _createFromGdiplusBitmap(Gdiplus::Bitmap& source) noexcept;
    void _copyColorTable(Gdiplus::Bitmap& source) noexcept;
    std::unique_ptr<Gdiplus::Bitmap> _newGdiplusBitmap() const noexcept;
    HRESULT _save(LPCTSTR pszFileName, IStream* pStream, REFGUID guidFileType) const noexcept;

    HBITMAP m_hBitmap = nullptr;
    void* m_pBits = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nPitch = 0;
    int m_nBPP = 0;
    bool m_bIsDIBSection = false;
    bool m_bHasAlphaChannel = false;
    LONG m_iTransparentColor = -1;

    mutable HDC m_hDC = nullptr;
    mutable int m_nDCRefCount = 0;
    mutable HBITMAP m_hOldBitmap = nullptr;
};

} // namespace ATL

#ifndef _ATL_NO_AUTOMATIC_NAMESPACE
using namespace ATL;
#endif
