#pragma once

#include <string>
#include <vector>

namespace logtest {

// One output line of a sink cut into its parts: lead, a prefix
// "hh:mm:ss.hh|INFO |<this thread>|", the text. A line without them has an empty
// prefix and the whole line as text.
struct LogLine {
    std::wstring prefix;
    std::wstring text;
};

std::vector<LogLine> parseLines(const std::vector<std::wstring>& lines, const std::wstring& lead);
// The texts, a line without lead and prefix marked "(no prefix) ".
std::vector<std::wstring> textsOf(const std::vector<LogLine>& lines);

} // namespace logtest
