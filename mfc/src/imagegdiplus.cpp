// CImage's use of GDI+: the process-wide GDI+ session, loading, saving and interpolated drawing.

#include "atlimage.h"

#include <shlwapi.h>

#include <algorithm>
#include <vector>

namespace ATL {

namespace {

const int kMaxColorTableEntries = 256;

// GDI+ for the whole process, started on first use. Its background thread is suppressed (the hook
// stands in for it), so that shutting down while the layer unloads at process exit cannot wait on a
// thread that is already gone.
class GdiplusSession {
public:
    GdiplusSession() noexcept
    {
        const Gdiplus::GdiplusStartupInput input(nullptr, TRUE);
        Gdiplus::GdiplusStartupOutput output;
        m_started = Gdiplus::GdiplusStartup(&m_token, &input, &output) == Gdiplus::Ok;
        if (m_started && output.NotificationHook(&m_hookToken) == Gdiplus::Ok)
            m_unhook = output.NotificationUnhook;
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    ~GdiplusSession()
    {
        if (m_unhook != nullptr)
            m_unhook(m_hookToken);
        if (m_started)
            Gdiplus::GdiplusShutdown(m_token);
    }

    bool isStarted() const noexcept { return m_started; }

private:
    ULONG_PTR m_token = 0;
    ULONG_PTR m_hookToken = 0;
    Gdiplus::NotificationUnhookProc m_unhook = nullptr;
    bool m_started = false;
};

// The DIB an image of a GDI+ pixel format is loaded into: indexed images and the formats GDI has
// keep their layout, anything with alpha becomes premultiplied 32-bit, the rest plain 32-bit.
struct DibLayout {
    int bpp;
    Gdiplus::PixelFormat format;
    bool alpha;
};

DibLayout dibLayoutFor(Gdiplus::PixelFormat source)
{
    if (Gdiplus::IsIndexedPixelFormat(source))
        return {int(Gdiplus::GetPixelFormatSize(source)), source, false};
    if (Gdiplus::IsAlphaPixelFormat(source))
        return {32, PixelFormat32bppPARGB, true};
    if (source == PixelFormat16bppRGB555 || source == PixelFormat24bppRGB || source == PixelFormat32bppRGB)
        return {int(Gdiplus::GetPixelFormatSize(source)), source, false};
    return {32, PixelFormat32bppRGB, false};
}

const DWORD kGreenMask565 = 0x07E0;

// The GDI+ format of a DIB section's pixels; 16-bit sections are 5-5-5 unless their masks say 5-6-5.
Gdiplus::PixelFormat pixelFormatOf(HBITMAP bitmap, int bpp, bool alpha)
{
    DIBSECTION section{};
    switch (bpp) {
    case 1: return PixelFormat1bppIndexed;
    case 4: return PixelFormat4bppIndexed;
    case 8: return PixelFormat8bppIndexed;
    case 16:
        ::GetObject(bitmap, sizeof(section), &section);
        return section.dsBmih.biCompression == BI_BITFIELDS && section.dsBitfields[1] == kGreenMask565
                   ? PixelFormat16bppRGB565
                   : PixelFormat16bppRGB555;
    case 24: return PixelFormat24bppRGB;
    default: return alpha ? PixelFormat32bppPARGB : PixelFormat32bppRGB;
    }
}

// A GDI+ colour palette of up to 256 entries, laid out as ColorPalette with its trailing array.
struct PaletteBuffer {
    UINT flags;
    UINT count;
    Gdiplus::ARGB entries[kMaxColorTableEntries];

    Gdiplus::ColorPalette* palette() { return reinterpret_cast<Gdiplus::ColorPalette*>(this); }
};

// Finds the encoder for a format, or, for GUID_NULL, the one whose extensions match the file name.
bool findEncoder(LPCTSTR pszFileName, REFGUID guidFileType, CLSID& clsid)
{
    UINT count = 0;
    UINT size = 0;
    if (Gdiplus::DllExports::GdipGetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0)
        return false;
    std::vector<BYTE> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::DllExports::GdipGetImageEncoders(count, size, codecs) != Gdiplus::Ok)
        return false;
    const auto matches = [&](const Gdiplus::ImageCodecInfo& codec) {
        if (guidFileType != GUID_NULL)
            return codec.FormatID == guidFileType;
        return pszFileName != nullptr && ::PathMatchSpecW(pszFileName, codec.FilenameExtension);
    };
    const auto codec = std::find_if(codecs, codecs + count, matches);
    if (codec == codecs + count)
        return false;
    clsid = codec->Clsid;
    return true;
}

} // namespace

bool CImage::InitGDIPlus() noexcept
{
    static const GdiplusSession session;
    return session.isStarted();
}

HRESULT CImage::Load(LPCTSTR pszFileName) noexcept
{
    if (pszFileName == nullptr || !InitGDIPlus())
        return E_FAIL;
    Gdiplus::Bitmap source(pszFileName);
    return _createFromGdiplusBitmap(source);
}

HRESULT CImage::Load(IStream* pStream) noexcept
{
    if (pStream == nullptr || !InitGDIPlus())
        return E_FAIL;
    Gdiplus::Bitmap source(pStream);
    return _createFromGdiplusBitmap(source);
}

// GDI+ converts the pixels straight into the DIB section's rows.
HRESULT CImage::_createFromGdiplusBitmap(Gdiplus::Bitmap& source) noexcept
{
    if (source.GetLastStatus() != Gdiplus::Ok)
        return E_FAIL;
    const Gdiplus::PixelFormat sourceFormat = source.GetPixelFormat();
    const DibLayout layout = dibLayoutFor(sourceFormat);
    const int width = int(source.GetWidth());
    const int height = int(source.GetHeight());
    if (!Create(width, height, layout.bpp, layout.alpha ? createAlphaChannel : 0))
        return E_FAIL;
    if (Gdiplus::IsIndexedPixelFormat(sourceFormat))
        _copyColorTable(source);

    Gdiplus::BitmapData data{};
    data.Width = UINT(width);
    data.Height = UINT(height);
    data.Stride = m_nPitch;
    data.PixelFormat = layout.format;
    data.Scan0 = m_pBits;
    Gdiplus::Rect area(0, 0, width, height);
    if (source.LockBits(&area, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf, layout.format, &data)
        != Gdiplus::Ok) {
        Destroy();
        return E_FAIL;
    }
    source.UnlockBits(&data);
    return S_OK;
}

void CImage::_copyColorTable(Gdiplus::Bitmap& source) noexcept
{
    PaletteBuffer buffer{};
    const INT size = std::min<INT>(source.GetPaletteSize(), sizeof(buffer));
    if (size <= 0 || source.GetPalette(buffer.palette(), size) != Gdiplus::Ok)
        return;
    RGBQUAD colors[kMaxColorTableEntries];
    const UINT count = std::min<UINT>(buffer.count, kMaxColorTableEntries);
    for (UINT i = 0; i < count; ++i) {
        const Gdiplus::Color color(buffer.entries[i]);
        colors[i] = RGBQUAD{color.GetB(), color.GetG(), color.GetR(), 0};
    }
    SetColorTable(0, count, colors);
}

// A GDI+ bitmap over the image's own pixels (a DIB section), or a copy of a device-dependent bitmap.
std::unique_ptr<Gdiplus::Bitmap> CImage::_newGdiplusBitmap() const noexcept
{
    if (!m_bIsDIBSection)
        return std::make_unique<Gdiplus::Bitmap>(m_hBitmap, HPALETTE(nullptr));
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(m_nWidth, m_nHeight, m_nPitch,
                                                    pixelFormatOf(m_hBitmap, m_nBPP, m_bHasAlphaChannel),
                                                    static_cast<BYTE*>(m_pBits));
    if (IsIndexed()) {
        RGBQUAD colors[kMaxColorTableEntries];
        PaletteBuffer buffer{};
        buffer.count = UINT(GetMaxColorTableEntries());
        GetColorTable(0, buffer.count, colors);
        for (UINT i = 0; i < buffer.count; ++i)
            buffer.entries[i] = Gdiplus::Color::MakeARGB(0xFF, colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue);
        bitmap->SetPalette(buffer.palette());
    }
    return bitmap;
}

HRESULT CImage::Save(LPCTSTR pszFileName, REFGUID guidFileType) const noexcept
{
    if (pszFileName == nullptr)
        return E_INVALIDARG;
    return _save(pszFileName, nullptr, guidFileType);
}

HRESULT CImage::Save(IStream* pStream, REFGUID guidFileType) const noexcept
{
    if (pStream == nullptr)
        return E_INVALIDARG;
    return _save(nullptr, pStream, guidFileType);
}

// Writes to the stream when there is one, else to the file.
HRESULT CImage::_save(LPCTSTR pszFileName, IStream* pStream, REFGUID guidFileType) const noexcept
{
    CLSID encoder{};
    if (IsNull() || !InitGDIPlus() || !findEncoder(pszFileName, guidFileType, encoder))
        return E_FAIL;
    const auto bitmap = _newGdiplusBitmap();
    const Gdiplus::Status status = pStream != nullptr ? bitmap->Save(pStream, &encoder, nullptr)
                                                      : bitmap->Save(pszFileName, &encoder, nullptr);
    return status == Gdiplus::Ok ? S_OK : E_FAIL;
}

BOOL CImage::Draw(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
                  int nSrcWidth, int nSrcHeight, Gdiplus::InterpolationMode interpolationMode) const noexcept
{
    if (IsNull() || !InitGDIPlus())
        return FALSE;
    const auto bitmap = _newGdiplusBitmap();
    Gdiplus::Graphics graphics(hDestDC);
    graphics.SetInterpolationMode(interpolationMode);
    // Pixel centres at half coordinates, so that the source maps exactly onto the destination.
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    const Gdiplus::Rect destination(xDest, yDest, nDestWidth, nDestHeight);
    return graphics.DrawImage(bitmap.get(), destination, xSrc, ySrc, nSrcWidth, nSrcHeight, Gdiplus::UnitPixel)
           == Gdiplus::Ok;
}

} // namespace ATL
