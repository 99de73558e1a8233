#pragma once

#include "qv.core.h"

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// Text held as UTF-8. length() and at() count code points; a byte that does not
// start a valid UTF-8 sequence counts as one U+FFFD, so no read ever goes past the end.
class QV_CORE_API String {
public:
    String();
    String(const char* text);
    String(const char8_t* text);
    String(const String& other);
    String(String&& other) noexcept;
    virtual ~String();

    String& operator=(const String& other);
    String& operator=(String&& other) noexcept;

    const char* c_str() const;
    std::wstring wstring() const;
    size_t length() const;
    uint32_t at(size_t index) const;
    bool isEmpty() const;

    bool operator==(const String& other) const;
    String operator+(const String& other) const;

    // printf patterns; the result is never truncated.
    String& format(const char* pattern, ...);
    String& format(const char8_t* pattern, ...);
    String& formatV(const char* pattern, va_list args);

    String& trimRight();
    // "1.2500" -> "1.25", "3.000" -> "3", "2.50e+07" -> "2.5e+07"; text without a
    // decimal point is left alone.
    String& trimZeros();
    String& makeLower();

    // The pieces between occurrences of separator, in order. keepEmpty keeps empty
    // pieces (otherwise dropped); trim removes white space around each piece;
    // maxCount > 0 stops after that many pieces, the last one holding the rest.
    std::vector<String> split(const String& separator, bool keepEmpty, bool trim, size_t maxCount) const;

private:
    std::string m_text;
};

} // namespace qv
