#include <qv.win/DIBSection.h>

#include <algorithm>
#include <cstring>

namespace qv::gl {

namespace {

constexpr DWORD kBitmapInfoHeaderSize = sizeof(BITMAPINFOHEADER);
// Rows of 32-bit pixels need no padding, and the header needs no colour table.
constexpr WORD kDepth = 32;

// Nearest source index for a target index, rounded, clamped to the last source index.
unsigned nearestSource(unsigned target, unsigned sourceCount, unsigned targetCount)
{
    const double position = static_cast<double>(target) * sourceCount / targetCount + 0.5;
    return std::min(static_cast<unsigned>(position), sourceCount - 1);
}

} // namespace

DIBSection::DIBSection()
{
    initObject();
}

DIBSection::DIBSection(const DIBSection& other)
{
    initObject();
    copy(other);
}

DIBSection& DIBSection::operator=(const DIBSection& other)
{
    copy(other);
    return *this;
}

DIBSection::~DIBSection()
{
    destroy();
}

bool DIBSection::create(int cx, int cy, WORD depth)
{
    destroy();
    if (depth != kDepth)
        return false;
    dc = new CDC;
    dc->CreateCompatibleDC(nullptr);
    return resizeImage(cx, cy, depth);
}

bool DIBSection::resizeImage(int cx, int cy)
{
    return resizeImage(cx, cy, bitCount);
}

void DIBSection::resizeImage(DIBSection& target, int cx, int cy) const
{
    if (cx <= 0 || cy <= 0)
        return;
    target.create(cx, cy, bitCount);
    if (!isCreated() || !target.isCreated())
        return;
    const unsigned pixelBytes = _bytesPerPixel();
    for (unsigned row = 0; row < target.height; ++row) {
        const BYTE* sourceRow = _rowAddress(nearestSource(row, height, target.height));
        BYTE* targetRow = target._rowAddress(row);
        for (unsigned column = 0; column < target.width; ++column)
            std::memcpy(targetRow + column * pixelBytes,
                        sourceRow + nearestSource(column, width, target.width) * pixelBytes, pixelBytes);
    }
}

void DIBSection::copy(const DIBSection& source)
{
    if (&source == this)
        return;
    destroy();
    if (!source.isCreated())
        return;
    create(static_cast<int>(source.width), static_cast<int>(source.height), source.bitCount);
    if (isCreated())
        std::memcpy(bits, source.bits, static_cast<size_t>(bitCount) * totalWidth * height / 8);
}

void DIBSection::destroy()
{
    destroyImage();
    delete dc;
    initObject();
}

void DIBSection::draw(CDC* target, int x, int y) const
{
    if (target == nullptr || dc == nullptr)
        return;
    target->BitBlt(0, 0, static_cast<int>(width), static_cast<int>(height), dc, x, y, SRCCOPY);
}

void DIBSection::getPixel(unsigned x, unsigned y, COLORREF& colour) const
{
    if (const BYTE* pixel = _pixelAddress(x, y))
        colour = RGB(pixel[2], pixel[1], pixel[0]);
}

void DIBSection::setPixel(unsigned x, unsigned y, COLORREF colour)
{
    if (BYTE* pixel = _pixelAddress(x, y)) {
        pixel[0] = GetBValue(colour);
        pixel[1] = GetGValue(colour);
        pixel[2] = GetRValue(colour);
    }
}

bool DIBSection::resizeImage(int cx, int cy, WORD depth)
{
    destroyImage();
    width = static_cast<unsigned>(std::max(cx, 1));
    height = static_cast<unsigned>(std::max(cy, 1));
    bih = BITMAPINFOHEADER{};
    bih.biSize = kBitmapInfoHeaderSize;
    bih.biWidth = static_cast<LONG>(width);
    bih.biHeight = static_cast<LONG>(height);
    bih.biPlanes = 1;
    bih.biBitCount = depth;
    bih.biCompression = BI_RGB;
    totalWidth = width;
    bitCount = depth;
    if (dc == nullptr)
        return false;
    bitmap = ::CreateDIBSection(dc->GetSafeHdc(), reinterpret_cast<const BITMAPINFO*>(&bih), DIB_RGB_COLORS,
                                &bits, nullptr, 0);
    if (bitmap == nullptr) {
        bits = nullptr;
        return false;
    }
    oldBitmap = static_cast<HBITMAP>(::SelectObject(dc->GetSafeHdc(), bitmap));
    return true;
}

void DIBSection::destroyImage()
{
    if (bitmap == nullptr)
        return;
    ::SelectObject(dc->GetSafeHdc(), oldBitmap);
    ::DeleteObject(bitmap);
    bitmap = nullptr;
    oldBitmap = nullptr;
    bits = nullptr;
}

void DIBSection::initObject()
{
    bitmap = nullptr;
    oldBitmap = nullptr;
    bits = nullptr;
    width = 0;
    height = 0;
    dc = nullptr;
    totalWidth = 0;
    bih = BITMAPINFOHEADER{};
    bitCount = 0;
}

BYTE* DIBSection::_pixelAddress(unsigned x, unsigned y) const
{
    if (!isCreated() || x >= width || y >= height)
        return nullptr;
    return _rowAddress(height - y - 1) + (bitCount * x) / 8;
}

BYTE* DIBSection::_rowAddress(unsigned memoryRow) const
{
    return static_cast<BYTE*>(bits) + (static_cast<size_t>(memoryRow) * totalWidth * bitCount) / 8;
}

} // namespace qv::gl
