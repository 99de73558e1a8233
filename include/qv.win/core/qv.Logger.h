#pragma once

#include "qv.String.h"

#include <chrono>
#include <cstdint>
#include <mutex>

namespace qv {

// Levels are bits: a logger passes a message when its level bit is set in the
// logger's own level. 7 (error, warning, info) is the usual sink level.
enum LogLevel : unsigned {
    LogNone = 0,
    LogError = 1,
    LogWarning = 2,
    LogInfo = 4,
    LogDebug = 8,
    LogDefault = LogError | LogWarning | LogInfo,
    LogAll = LogDefault | LogDebug,
};

// Base of every log sink. A sink overrides onWriteMessage and locks mutex() for the
// whole message there; the base never holds that mutex, so the hook may call back
// into write(). Sinks registered with Log (add/remove) receive Log::warning. A
// destroyed logger removes itself, but only once its derived part is gone: a sink's own
// destructor calls Log::remove first, which waits until no other thread is inside it.
class QV_CORE_API Logger {
public:
    struct Message {
        String text;
        LogLevel level = LogInfo;
        std::chrono::system_clock::time_point time;
        uint32_t threadId = 0;
        String source;
        size_t line = 0;
    };

    explicit Logger(LogLevel level);
    Logger(const Logger&) = delete;
    Logger& operator=(const Logger&) = delete;

    LogLevel getLevel() const;
    void setLevel(LogLevel level);

    // Filters by level, stamps time and thread, then writeMessage.
    virtual void write(const String& text, LogLevel level, const String& source, size_t line);
    virtual void writeMessage(const Message& message);

    // The sink's own lines (opening, closing): written at LogInfo whatever the level.
    void write(const String& text, const String& source, size_t line);

    // The prefix of a message, each field followed by separator:
    //   [date] [time] [level] thread [source(line)]
    // date "2026-12-05", time "17:34:15" with secondDigits (0..3) decimals of the
    // second, level "ERROR"/"WARN "/"INFO "/"DEBUG", thread as a 5-digit decimal id,
    // source only when the message has one. Local time.
    String prefixString(const Message& message, const String& separator, bool date, bool time,
                        bool level, int secondDigits) const;

protected:
    virtual void onWriteMessage(const Message& message) = 0;

public:
    // Declared after onWriteMessage: the order of the virtual slots is part of the
    // binary interface.
    virtual ~Logger();

protected:
    std::mutex& mutex();

private:
    void emit(const String& text, LogLevel level, const String& source, size_t line);

    LogLevel m_level;
    std::mutex m_mutex;
};

} // namespace qv
