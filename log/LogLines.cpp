#include "LogLines.h"

#include <windows.h>

#include <system_error>

namespace qv::detail {

namespace {

// The prefix fields both sinks show: time with hundredths, level, thread, source.
String linePrefix(const Logger& logger, const Logger::Message& message)
{
    return logger.prefixString(message, "|", false, true, true, 2);
}

std::wstring toWide(const String& text)
{
    const char* bytes = text.c_str();
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, -1, nullptr, 0);
    if (length == 0)
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "UTF-8 to UTF-16");
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, -1, wide.data(), length);
    wide.pop_back();
    return wide;
}

} // namespace

void emitLogLines(const Logger& logger, const Logger::Message& message, const char* lead,
                  const std::function<void(const std::wstring&)>& emit)
{
    const String prefix = String(lead) + linePrefix(logger, message);
    for (String piece : message.text.split("\n", false, false, 0))
        emit(toWide(prefix + piece.trimRight() + "\n"));
}

} // namespace qv::detail
