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
    return _build(face, height, OUT_TT_PRECIS, [](HDC hdc, DWORD first, DWORD count, DWORD base) {
        return ::wglUseFontBitmapsW(hdc, first, count, base);
    });
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
