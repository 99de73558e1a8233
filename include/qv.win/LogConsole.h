#pragma once

#include "core/qv.Logger.h"
#include "qv.win.h"

#include <windows.h>

namespace qv {

// A log sink that opens a console window for the process and writes every message
// there, one console line per line of text, each led by the message's prefix.
// A process has at most one console: a sink that cannot get one stays silent for
// its whole life and leaves the existing console alone.
class QV_WIN_API LogConsole : public Logger {
public:
    LogConsole();
    explicit LogConsole(LogLevel level);
    ~LogConsole() override;

protected:
    void onWriteMessage(const Message& message) override;

private:
    HANDLE m_console = nullptr;
};

} // namespace qv
