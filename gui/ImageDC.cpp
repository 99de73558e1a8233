#include <qv.win/ImageDC.h>

namespace qv::gui {

namespace {

// Depths without a colour table: the bitmap info holds room for one colour entry only.
bool isDirectColor(WORD bitCount)
{
    return bitCount == 16 || bitCount == 24 || bitCount == 32;
}

} // namespace

ImageDC::~ImageDC()
{
    destroy();
}

void ImageDC::create(int cx, int cy, WORD bitCount)
{
    destroy();
    m_pDC = new CDC;
    if (!m_pDC->CreateCompatibleDC(nullptr)) {
        destroy();
        return;
    }
    _resize(cx, cy, bitCount);
}

void ImageDC::create(CSize size, WORD bitCount)
{
    create(size.cx, size.cy, bitCount);
}

void ImageDC::resize(int cx, int cy)
{
    _resize(cx, cy, m_nBitCount);
}

void ImageDC::resize(CSize size)
{
    resize(size.cx, size.cy);
}

void ImageDC::_resize(int cx, int cy, WORD bitCount)
{
    m_nBitCount = bitCount;
    if (cx <= 0 || cy <= 0 || m_pDC == nullptr || !isDirectColor(bitCount))
        return;
    _releaseBitmap();
    m_info = BITMAPINFO{};
    BITMAPINFOHEADER& header = m_info.bmiHeader;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = cx;
    header.biHeight = cy;
    header.biPlanes = 1;
    header.biBitCount = bitCount;
    header.biCompression = BI_RGB;
    m_hBitmap = ::CreateDIBSection(m_pDC->GetSafeHdc(), &m_info, DIB_RGB_COLORS, &m_pBits, nullptr, 0);
    if (m_hBitmap == nullptr) {
        m_pBits = nullptr;
        return;
    }
    m_hOldBitmap = ::SelectObject(m_pDC->GetSafeHdc(), m_hBitmap);
    m_size = CSize(cx, cy);
}

void ImageDC::_releaseBitmap()
{
    if (m_hBitmap == nullptr)
        return;
    ::SelectObject(m_pDC->GetSafeHdc(), m_hOldBitmap);
    ::DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    m_hOldBitmap = nullptr;
    m_pBits = nullptr;
    m_size = CSize(0, 0);
}

void ImageDC::destroy()
{
    if (m_pDC != nullptr)
        _releaseBitmap();
    delete m_pDC;
    m_pDC = nullptr;
    m_info = BITMAPINFO{};
    m_nBitCount = 0;
}

void ImageDC::draw(CDC* pDC, int x, int y)
{
    if (pDC == nullptr || !isCreated())
        return;
    pDC->BitBlt(x, y, m_size.cx, m_size.cy, m_pDC, 0, 0, SRCCOPY);
}

} // namespace qv::gui
