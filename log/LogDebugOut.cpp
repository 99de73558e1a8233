#include <qv.win/LogDebugOut.h>

#include "LogLines.h"

#include <qv.win/core/qv.Log.h>

#include <windows.h>

namespace qv {

LogDebugOut::LogDebugOut() : LogDebugOut(LogDefault) {}

LogDebugOut::LogDebugOut(LogLevel level) : Logger(level)
{
    write(">> Initialized debugging output log.\n", String(), 0);
}

LogDebugOut::~LogDebugOut()
{
    Log::remove(this);
    write(">> Close debugging output log.\n", String(), 0);
}

void LogDebugOut::onWriteMessage(const Message& message)
{
    std::lock_guard lock(mutex());
    detail::emitLogLines(*this, message, "QV >> ", [](const std::wstring& line) { OutputDebugStringW(line.c_str()); });
}

} // namespace qv
