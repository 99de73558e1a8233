#include "LogLineMatch.h"

#include <windows.h>

#include <cwchar>
#include <regex>

namespace logtest {

std::vector<LogLine> parseLines(const std::vector<std::wstring>& lines, const std::wstring& lead)
{
    wchar_t thread[16];
    swprintf(thread, 16, L"%05lu", GetCurrentThreadId());
    const std::wregex pattern(lead + LR"((\d\d:\d\d:\d\d\.\d\d\|INFO \|)" + thread + LR"(\|)(.*))");
    std::vector<LogLine> parsed;
    for (const std::wstring& line : lines) {
        std::wsmatch match;
        if (std::regex_match(line, match, pattern))
            parsed.push_back({match[1], match[2]});
        else
            parsed.push_back({L"", line});
    }
    return parsed;
}

std::vector<std::wstring> textsOf(const std::vector<LogLine>& lines)
{
    std::vector<std::wstring> texts;
    for (const LogLine& line : lines)
        texts.push_back(line.prefix.empty() ? L"(no prefix) " + line.text : line.text);
    return texts;
}

} // namespace logtest
