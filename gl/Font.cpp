#include <qv.win/Font.h>

#include <qv.win/core/qv.String.h>

#include <GL/gl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace qv::gl {

namespace {

constexpr GLsizei kListCount = 256;
constexpr LONG kNormalWeight = FW_NORMAL;
constexpr FLOAT kOutlineDeviation = 0.0f;
constexpr GLint kGlyphRowAlignment = 4;

// The text as bytes of the thread's ANSI code page, one list code per character.
std::vector<char> toAnsiCodes(const std::wstring& wide)
{
    const int wideCount = static_cast<int>(wide.size());
    const int byteCount =
        ::WideCharToMultiByte(CP_THREAD_ACP, 0, wide.data(), wideCount, nullptr, 0, nullptr, nullptr);
    std::vector<char> bytes(static_cast<size_t>(std::max(byteCount, wideCount)));
    ::WideCharToMultiByte(CP_THREAD_ACP, 0, wide.data(), wideCount, bytes.data(), byteCount, nullptr, nullptr);
    return bytes;
}

// The font of the face, or null for an empty name (the stock system font is used then).
HFONT createFace(const String& name, int height, BYTE precision)
{
    const BYTE charset = name == String("symbol") ? SYMBOL_CHARSET : ANSI_CHARSET;
    return ::CreateFontW(height, 0, 0, 0, kNormalWeight, FALSE, FALSE, FALSE, charset, precision, 0, 0, 0,
                         name.wstring().c_str());
}

// The glyph of code as a bitmap list: its ink drawn at the raster position, which then advances
// by the glyph's cell increment. A glyph without ink (the space) gets one blank pixel: Mesa does
// not keep an empty bitmap in a display list, so the platform's own list builder leaves the space
// without advance. False when the glyph has no bitmap (a font that is not TrueType).
bool buildGlyphList(HDC hdc, UINT code, GLuint list)
{
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    GLYPHMETRICS metrics{};
    const DWORD size = ::GetGlyphOutlineW(hdc, code, GGO_BITMAP, &metrics, 0, nullptr, &identity);
    if (size == GDI_ERROR)
        return false;
    // GDI's rows run top-down, each padded to a DWORD; glBitmap reads them bottom-up.
    GLsizei width = 1, height = 1;
    std::vector<GLubyte> rows(std::max<DWORD>(size, kGlyphRowAlignment));
    std::vector<GLubyte> bottomUp(rows.size());
    if (size > 0) {
        if (::GetGlyphOutlineW(hdc, code, GGO_BITMAP, &metrics, size, rows.data(), &identity) == GDI_ERROR)
            return false;
        width = static_cast<GLsizei>(metrics.gmBlackBoxX);
        height = static_cast<GLsizei>(metrics.gmBlackBoxY);
        const size_t stride = size / static_cast<size_t>(height);
        for (GLsizei row = 0; row < height; ++row)
            std::copy_n(rows.begin() + static_cast<std::ptrdiff_t>(stride * static_cast<size_t>(row)), stride,
                        bottomUp.end() - static_cast<std::ptrdiff_t>(stride * static_cast<size_t>(row + 1)));
    }
    ::glNewList(list, GL_COMPILE);
    ::glBitmap(width, height, static_cast<GLfloat>(-metrics.gmptGlyphOrigin.x),
               static_cast<GLfloat>(height - metrics.gmptGlyphOrigin.y), metrics.gmCellIncX, metrics.gmCellIncY,
               bottomUp.data());
    ::glEndList();
    return true;
}

// One list per code from first, each from the glyph's bitmap, or from the platform's list builder
// for a glyph that has none.
BOOL buildBitmapLists(HDC hdc, DWORD first, DWORD count, DWORD base)
{
    GLint alignment = 0;
    ::glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    ::glPixelStorei(GL_UNPACK_ALIGNMENT, kGlyphRowAlignment);
    BOOL built = TRUE;
    for (DWORD i = 0; i < count && built; ++i) {
        if (!buildGlyphList(hdc, first + i, base + i))
            built = ::wglUseFontBitmapsW(hdc, first + i, 1, base + i);
    }
    ::glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return built;
}

} // namespace

Font::Font() : logFont{}, dc(nullptr), listBase(0), outline(false) {}

Font::~Font()
{
    _deleteLists();
}

int Font::create(CDC* target, const char* face, int height)
{
    if (target == nullptr)
        return 0;
    dc = target;
    return changeFont(face, height);
}

int Font::createOutline(CDC* target, const char* face, int height, float extrusion, bool polygons)
{
    if (target == nullptr)
        return 0;
    dc = target;
    outline = true;
    return changeFontOutline(face, height, extrusion, polygons);
}

int Font::changeFont(const char* face, int height)
{
    return _build(face, height, OUT_TT_PRECIS, buildBitmapLists);
}

int Font::changeFontOutline(const char* face, int height, float extrusion, bool polygons)
{
    return _build(face, height, OUT_TT_ONLY_PRECIS, [=](HDC hdc, DWORD first, DWORD count, DWORD base) {
        std::vector<GLYPHMETRICSFLOAT> metrics(count);
        return ::wglUseFontOutlinesW(hdc, first, count, base, kOutlineDeviation, extrusion,
                                     polygons ? WGL_FONT_POLYGONS : WGL_FONT_LINES, metrics.data());
    });
}

void Font::destroy()
{
    _deleteLists();
    logFont = LOGFONTW{};
}

void Font::draw(const char* text)
{
    if (listBase == 0 || !::glIsList(listBase) || text == nullptr)
        return;
    const std::wstring wide = String(text).wstring();
    const std::vector<char> codes = toAnsiCodes(wide);
    ::glListBase(listBase);
    ::glCallLists(static_cast<GLsizei>(wide.size()), GL_UNSIGNED_BYTE, codes.data());
}

CSize Font::getOutputTextExtent(const char* text) const
{
    if (dc == nullptr || text == nullptr)
        return CSize(0, 0);
    HFONT font = ::CreateFontIndirectW(&logFont);
    if (font == nullptr)
        return CSize(0, 0);
    const HDC hdc = dc->GetSafeHdc();
    const HGDIOBJ previous = ::SelectObject(hdc, font);
    const std::wstring wide = String(text).wstring();
    SIZE extent{};
    ::GetTextExtentPoint32W(hdc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    ::SelectObject(hdc, previous);
    ::DeleteObject(font);
    return CSize(extent.cx, extent.cy);
}

// The font selected while the lists are built is the one logFont describes afterwards.
int Font::_build(const char* face, int height, BYTE precision, const ListBuilder& buildLists)
{
    if (dc == nullptr)
        return 0;
    destroy();
    listBase = ::glGenLists(kListCount);
    if (listBase == 0)
        return 0;
    String name(face != nullptr ? face : "");
    name.makeLower();
    const HDC hdc = dc->GetSafeHdc();
    HFONT font = nullptr;
    HGDIOBJ previous = nullptr;
    if (name.isEmpty()) {
        previous = ::SelectObject(hdc, ::GetStockObject(SYSTEM_FONT));
    } else {
        font = createFace(name, height, precision);
        if (font == nullptr)
            return 0;
        previous = ::SelectObject(hdc, font);
    }
    ::GetObjectW(::GetCurrentObject(hdc, OBJ_FONT), sizeof(logFont), &logFont);
    const int result = buildLists(hdc, 0, kListCount, listBase) ? 1 : 0;
    ::SelectObject(hdc, previous);
    if (font != nullptr)
        ::DeleteObject(font);
    return result;
}

void Font::_deleteLists()
{
    if (listBase == 0)
        return;
    ::glDeleteLists(listBase, kListCount);
    listBase = 0;
}

} // namespace qv::gl
