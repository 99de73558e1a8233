#pragma once

#include <qv.win/core/qv.Logger.h>

#include <functional>
#include <string>

namespace qv::detail {

// Cuts a message into its output lines, lead + prefix + one line of the text without
// trailing white space + "\n", and hands each to emit as wide text. Throws
// std::system_error when the text is not valid UTF-8.
void emitLogLines(const Logger& logger, const Logger::Message& message, const char* lead,
                  const std::function<void(const std::wstring&)>& emit);

} // namespace qv::detail
