#include "Screenshot.h"

#include <objidl.h>
#include <gdiplus.h>

#include <vector>

namespace demo {

namespace {

bool pngEncoder(CLSID& clsid)
{
    UINT count = 0;
    UINT bytes = 0;
    Gdiplus::GetImageEncodersSize(&count, &bytes);
    std::vector<BYTE> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (bytes == 0 || Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok)
        return false;
    for (UINT i = 0; i < count; ++i)
        if (std::wstring(codecs[i].MimeType) == L"image/png") {
            clsid = codecs[i].Clsid;
            return true;
        }
    return false;
}

// The DIB's rows run bottom-up: GDI+ reads them from the last one with a negative stride.
bool encode(const qv::gl::DIBSection& image, const std::wstring& path)
{
    CLSID clsid;
    if (!pngEncoder(clsid))
        return false;
    const INT width = static_cast<INT>(image.getWidth());
    const INT height = static_cast<INT>(image.getHeight());
    const INT stride = width * 4;
    auto* lastRow = static_cast<BYTE*>(const_cast<void*>(image.getConstBits())) + (height - 1) * stride;
    Gdiplus::Bitmap bitmap(width, height, -stride, PixelFormat32bppRGB, lastRow);
    return bitmap.Save(path.c_str(), &clsid, nullptr) == Gdiplus::Ok;
}

} // namespace

bool savePng(const qv::gl::DIBSection& image, const std::wstring& path)
{
    if (!image.isCreated())
        return false;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return false;
    const bool saved = encode(image, path);
    Gdiplus::GdiplusShutdown(token);
    return saved;
}

} // namespace demo
