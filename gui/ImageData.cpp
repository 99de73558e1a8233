#include <qv.win/ImageData.h>

#include <qv.win/DC.h>

#include <utility>

namespace qv::gui {

namespace {

const int kAlphaBitsPerPixel = 32;
const int kBytesPerAlphaPixel = 4;
const int kAlphaByte = 3;

bool hasAlphaPixel(const ATL::CImage& image)
{
    if (!image.IsDIBSection() || image.GetBPP() != kAlphaBitsPerPixel)
        return false;
    for (int y = 0; y < image.GetHeight(); ++y) {
        const auto* row = static_cast<const BYTE*>(image.GetPixelAddress(0, y));
        for (int x = 0; x < image.GetWidth(); ++x) {
            if (row[x * kBytesPerAlphaPixel + kAlphaByte] != 0)
                return true;
        }
    }
    return false;
}

} // namespace

ImageData::ImageData(const wchar_t* text) : m_strText(text != nullptr ? text : L"") {}

ImageData::ImageData(const ImageData& other)
    : ATL::CImage(), m_nIndex(other.m_nIndex), m_strText(other.m_strText), m_bSelected(other.m_bSelected)
{
    _copyBitmap(other);
}

ImageData::ImageData(ImageData&& other) noexcept
    : ATL::CImage(), m_nIndex(other.m_nIndex), m_strText(std::move(other.m_strText)), m_bSelected(other.m_bSelected)
{
    const LONG transparent = other.GetTransparentColor();
    _takeBitmap(other.Detach(), transparent);
}

ImageData& ImageData::operator=(const ImageData& other)
{
    if (this != &other) {
        m_nIndex = other.m_nIndex;
        m_strText = other.m_strText;
        m_bSelected = other.m_bSelected;
        _copyBitmap(other);
    }
    return *this;
}

ImageData& ImageData::operator=(ImageData&& other) noexcept
{
    if (this != &other) {
        m_nIndex = other.m_nIndex;
        m_strText = std::move(other.m_strText);
        m_bSelected = other.m_bSelected;
        const LONG transparent = other.GetTransparentColor();
        _takeBitmap(other.Detach(), transparent);
    }
    return *this;
}

ImageData::~ImageData() = default;

void ImageData::drawImage(CDC* pDC, CRect box, BOOL stretch)
{
    DC(pDC).drawImage(this, box, stretch);
}

void ImageData::_copyBitmap(const ATL::CImage& source)
{
    HBITMAP copy = source.IsNull() ? nullptr
                                   : static_cast<HBITMAP>(::CopyImage(source, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    _takeBitmap(copy, source.GetTransparentColor());
}

void ImageData::_takeBitmap(HBITMAP bitmap, LONG transparentColor)
{
    Destroy();
    if (bitmap == nullptr)
        return;
    Attach(bitmap);
    SetTransparentColor(transparentColor);
    SetHasAlphaChannel(hasAlphaPixel(*this));
}

} // namespace qv::gui
