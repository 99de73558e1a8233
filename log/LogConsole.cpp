#include <qv.win/LogConsole.h>

#include "LogLines.h"

#include <qv.win/core/qv.Log.h>

namespace qv {

LogConsole::LogConsole() : LogConsole(LogDefault) {}

LogConsole::LogConsole(LogLevel level) : Logger(level)
{
    if (!AllocConsole())
        return;
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output == nullptr || output == INVALID_HANDLE_VALUE)
        return;
    m_console = output;
    write(">> Initialized console log.\n", String(), 0);
}

LogConsole::~LogConsole()
{
    Log::remove(this);
    if (!m_console)
        return;
    write(">> Close console log.\n", String(), 0);
    FreeConsole();
}

void LogConsole::onWriteMessage(const Message& message)
{
    if (!m_console)
        return;
    std::lock_guard lock(mutex());
    detail::emitLogLines(*this, message, "", [this](const std::wstring& line) {
        DWORD written = 0;
        WriteConsoleW(m_console, line.c_str(), static_cast<DWORD>(line.size()), &written, nullptr);
    });
}

} // namespace qv
