#include "RealText.h"

#include <cmath>
#include <cwchar>
#include <cwctype>

namespace qv::gui::realtext {

namespace {

const int kMaxDigits = 3;
const wchar_t kFlags[] = L"-+ #0";
const wchar_t kRealConversions[] = L"aAeEfFgG";

// Skips up to kMaxDigits digits; false when there are more.
bool skipDigits(const wchar_t*& p)
{
    for (int n = 0; std::iswdigit(*p); ++n, ++p) {
        if (n == kMaxDigits)
            return false;
    }
    return true;
}

// Reads one conversion after its '%'; true when it is a real one.
bool isRealConversion(const wchar_t*& p)
{
    while (*p && std::wcschr(kFlags, *p))
        ++p;
    if (!skipDigits(p))
        return false;
    if (*p == L'.') {
        ++p;
        if (!skipDigits(p))
            return false;
    }
    if (*p == L'l')
        ++p;
    return *p && std::wcschr(kRealConversions, *p++);
}

} // namespace

bool isRealPattern(const CString& pattern)
{
    int conversions = 0;
    for (const wchar_t* p = pattern.GetString(); *p;) {
        if (*p++ != L'%')
            continue;
        if (*p == L'%') {
            ++p;
            continue;
        }
        if (!isRealConversion(p))
            return false;
        ++conversions;
    }
    return conversions == 1;
}

double parse(const CString& text)
{
    const double value = std::wcstod(text.GetString(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

} // namespace qv::gui::realtext
