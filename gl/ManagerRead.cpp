#include <qv.win/Manager.h>

#include <GL/gl.h>

#include <cstring>
#include <vector>

namespace qv::gl {

namespace {

constexpr WORD kScreenShotBits = 32;
constexpr int kRgbaBytes = 4;
constexpr int kClipboardBytes = 3;
constexpr WORD kClipboardBits = 24;
// Rows of 3-byte pixels are padded to 4 bytes: a width that is a multiple of 4 needs none.
constexpr int kClipboardWidthStep = 4;

// Holds the wait cursor for the life of the object.
class WaitCursor {
public:
    explicit WaitCursor(CWnd& target) : m_target(target) { m_target.BeginWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    ~WaitCursor() { m_target.EndWaitCursor(); }

private:
    CWnd& m_target;
};

// A movable global block holding a bottom-up 24-bit CF_DIB of the pixels; null when out of memory.
HGLOBAL packedDib(int width, int height, const std::vector<BYTE>& pixels)
{
    const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + pixels.size());
    if (block == nullptr)
        return nullptr;
    auto* header = static_cast<BITMAPINFOHEADER*>(::GlobalLock(block));
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = width;
    header->biHeight = height;
    header->biPlanes = 1;
    header->biBitCount = kClipboardBits;
    header->biCompression = BI_RGB;
    header->biSizeImage = static_cast<DWORD>(pixels.size());
    std::memcpy(header + 1, pixels.data(), pixels.size());
    ::GlobalUnlock(block);
    return block;
}

// The clipboard takes the block; it is freed here when the clipboard would not.
void putOnClipboard(HWND owner, HGLOBAL block)
{
    if (::OpenClipboard(owner)) {
        ::EmptyClipboard();
        const bool taken = ::SetClipboardData(CF_DIB, block) != nullptr;
        ::CloseClipboard();
        if (taken)
            return;
    }
    ::GlobalFree(block);
}

} // namespace

bool Manager::getScreenShot(DIBSection& image, unsigned format)
{
    if (wnd != nullptr) {
        CRect client;
        wnd->GetClientRect(&client);
        if (client.Size() != screenSize)
            return false;
    }
    if (!image.create(screenSize.cx, screenSize.cy, kScreenShotBits))
        return false;
    makeCurrent();
    ::glReadBuffer(GL_BACK);
    ::glReadPixels(0, 0, screenSize.cx, screenSize.cy, format, GL_UNSIGNED_BYTE, image.getBits());
    return true;
}

bool Manager::readRGBAPixels(int& width, int& height, unsigned char*& pixels, unsigned buffer)
{
    GLint viewport[4] = {};
    ::glGetIntegerv(GL_VIEWPORT, viewport);
    const int viewportWidth = viewport[2];
    const int viewportHeight = viewport[3];
    if (viewportWidth < 1 || viewportHeight < 1)
        return false;
    const size_t bytes = static_cast<size_t>(viewportWidth) * static_cast<size_t>(viewportHeight) * kRgbaBytes;
    if (width != viewportWidth || height != viewportHeight) {
        delete[] pixels;
        pixels = new unsigned char[bytes];
    } else if (pixels == nullptr) {
        return false;
    }
    std::memset(pixels, 0, bytes);
    ::glReadBuffer(buffer);
    ::glReadPixels(0, 0, viewportWidth, viewportHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    width = viewportWidth;
    height = viewportHeight;
    return true;
}

bool Manager::renderClipboard()
{
    if (wnd == nullptr)
        return false;
    const WaitCursor wait(*wnd);
    CRect client;
    wnd->GetClientRect(&client);
    const int width = client.Width() / kClipboardWidthStep * kClipboardWidthStep;
    const int height = client.Height();
    makeCurrent();
    std::vector<BYTE> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * kClipboardBytes);
    ::glReadPixels(0, 0, width, height, GL_BGR_EXT, GL_UNSIGNED_BYTE, pixels.data());
    if (const HGLOBAL block = packedDib(width, height, pixels))
        putOnClipboard(wnd->GetSafeHwnd(), block);
    return true;
}

} // namespace qv::gl
