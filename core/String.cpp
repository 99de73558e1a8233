#include <qv.win/core/qv.String.h>

#include <windows.h>

#include <cstdarg>
#include <cstdio>

namespace qv {

namespace {

constexpr uint32_t replacementCharacter = 0xFFFD;

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Decodes the code point at text[pos] and advances pos. Invalid or truncated
// sequences, overlong forms and surrogates consume one byte and give U+FFFD.
uint32_t decodeNext(const std::string& text, size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    size_t extra = 0;
    uint32_t cp = 0;
    uint32_t minimum = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1; cp = lead & 0x1F; minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2; cp = lead & 0x0F; minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3; cp = lead & 0x07; minimum = 0x10000;
    } else {
        ++pos;
        return replacementCharacter;
    }
    if (pos + extra >= text.size()) {
        ++pos;
        return replacementCharacter;
    }
    for (size_t i = 1; i <= extra; ++i) {
        const auto byte = static_cast<unsigned char>(text[pos + i]);
        if (!isContinuation(byte)) {
            ++pos;
            return replacementCharacter;
        }
        cp = (cp << 6) | (byte & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return replacementCharacter;
    }
    pos += extra + 1;
    return cp;
}

void appendUtf16(std::wstring& out, uint32_t cp)
{
    if (cp < 0x10000) {
        out += static_cast<wchar_t>(cp);
    } else {
        cp -= 0x10000;
        out += static_cast<wchar_t>(0xD800 + (cp >> 10));
        out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
    }
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string trimmed(const std::string& text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && isBlank(text[first]))
        ++first;
    while (last > first && isBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

} // namespace

String::String() = default;
String::String(const char* text) : m_text(text ? text : "") {}
String::String(const char8_t* text) : String(reinterpret_cast<const char*>(text)) {}
String::String(const String& other) = default;
String::String(String&& other) noexcept = default;
String::~String() = default;
String& String::operator=(const String& other) = default;
String& String::operator=(String&& other) noexcept = default;

const char* String::c_str() const
{
    return m_text.c_str();
}

std::wstring String::wstring() const
{
    std::wstring out;
    out.reserve(m_text.size());
    for (size_t pos = 0; pos < m_text.size();)
        appendUtf16(out, decodeNext(m_text, pos));
    return out;
}

size_t String::length() const
{
    size_t count = 0;
    for (size_t pos = 0; pos < m_text.size(); ++count)
        decodeNext(m_text, pos);
    return count;
}

uint32_t String::at(size_t index) const
{
    size_t pos = 0;
    for (size_t i = 0; pos < m_text.size(); ++i) {
        const uint32_t cp = decodeNext(m_text, pos);
        if (i == index)
            return cp;
    }
    return 0;
}

bool String::isEmpty() const
{
    return m_text.empty();
}

bool String::operator==(const String& other) const
{
    return m_text == other.m_text;
}

String String::operator+(const String& other) const
{
    String result(*this);
    result.m_text += other.m_text;
    return result;
}

String& String::formatV(const char* pattern, va_list args)
{
    va_list measure;
    va_copy(measure, args);
    const int needed = std::vsnprintf(nullptr, 0, pattern, measure);
    va_end(measure);
    if (needed < 0) {
        m_text.clear();
        return *this;
    }
    std::string text(static_cast<size_t>(needed) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), pattern, args);
    text.resize(static_cast<size_t>(needed));
    m_text = std::move(text);
    return *this;
}

String& String::format(const char* pattern, ...)
{
    va_list args;
    va_start(args, pattern);
    formatV(pattern, args);
    va_end(args);
    return *this;
}

String& String::format(const char8_t* pattern, ...)
{
    va_list args;
    va_start(args, pattern);
    formatV(reinterpret_cast<const char*>(pattern), args);
    va_end(args);
    return *this;
}

String& String::trimRight()
{
    while (!m_text.empty() && isBlank(m_text.back()))
        m_text.pop_back();
    return *this;
}

String& String::trimZeros()
{
    const size_t point = m_text.find('.');
    if (point == std::string::npos)
        return *this;
    size_t end = m_text.find_first_of("eE", point);
    const std::string exponent = end == std::string::npos ? std::string() : m_text.substr(end);
    if (end == std::string::npos)
        end = m_text.size();
    while (end > point + 1 && m_text[end - 1] == '0')
        --end;
    if (end == point + 1)
        --end;
    m_text = m_text.substr(0, end) + exponent;
    return *this;
}

String& String::makeLower()
{
    std::wstring wide = wstring();
    if (!wide.empty())
        CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                          nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), bytes,
                        nullptr, nullptr);
    m_text = std::move(text);
    return *this;
}

std::vector<String> String::split(const String& separator, bool keepEmpty, bool trim, size_t maxCount) const
{
    std::vector<String> pieces;
    auto add = [&](std::string piece) {
        if (trim)
            piece = trimmed(piece);
        if (keepEmpty || !piece.empty())
            pieces.emplace_back(piece.c_str());
    };
    const std::string& sep = separator.m_text;
    size_t start = 0;
    while (!sep.empty()) {
        if (maxCount > 0 && pieces.size() + 1 >= maxCount)
            break;
        const size_t found = m_text.find(sep, start);
        if (found == std::string::npos)
            break;
        add(m_text.substr(start, found - start));
        start = found + sep.size();
    }
    add(m_text.substr(start));
    return pieces;
}

} // namespace qv
