#pragma once

#include "core/qv.Logger.h"
#include "qv.win.h"

namespace qv {

// A log sink that sends every message to the debugger's output channel, one line
// per line of text, each led by "QV >> " and the message's prefix.
class QV_WIN_API LogDebugOut : public Logger {
public:
    LogDebugOut();
    explicit LogDebugOut(LogLevel level);
    ~LogDebugOut() override;

protected:
    void onWriteMessage(const Message& message) override;
};

} // namespace qv
