#include <qv.win/core/qv.Log.h>

#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <vector>

namespace qv {

namespace {

struct Registry {
    std::mutex mutex;
    std::vector<Logger*> sinks;
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

const char* levelName(LogLevel level)
{
    switch (level) {
    case LogError: return "ERROR";
    case LogWarning: return "WARN ";
    case LogDebug: return "DEBUG";
    default: return "INFO ";
    }
}

} // namespace

Logger::Logger(LogLevel level) : m_level(level) {}

Logger::~Logger()
{
    Log::remove(this);
}

LogLevel Logger::getLevel() const
{
    return m_level;
}

void Logger::setLevel(LogLevel level)
{
    m_level = level;
}

void Logger::write(const String& text, LogLevel level, const String& source, size_t line)
{
    if ((m_level & level) != 0)
        emit(text, level, source, line);
}

void Logger::emit(const String& text, LogLevel level, const String& source, size_t line)
{
    Message message;
    message.text = text;
    message.level = level;
    message.time = std::chrono::system_clock::now();
    message.threadId = GetCurrentThreadId();
    message.source = source;
    message.line = line;
    writeMessage(message);
}

void Logger::writeMessage(const Message& message)
{
    onWriteMessage(message);
}

void Logger::write(const String& text, const String& source, size_t line)
{
    emit(text, LogInfo, source, line);
}

String Logger::prefixString(const Message& message, const String& separator, bool date, bool time,
                            bool level, int secondDigits) const
{
    using namespace std::chrono;
    const auto since = message.time.time_since_epoch();
    const auto fileTime = duration_cast<microseconds>(since).count() * 10 + 116444736000000000LL;
    FILETIME utc{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
    FILETIME local{};
    SYSTEMTIME st{};
    FileTimeToLocalFileTime(&utc, &local);
    FileTimeToSystemTime(&local, &st);

    String prefix;
    String field;
    if (date)
        prefix = prefix + field.format("%04u-%02u-%02u", st.wYear, st.wMonth, st.wDay) + separator;
    if (time) {
        field.format("%02u:%02u:%02u", st.wHour, st.wMinute, st.wSecond);
        const int digits = std::clamp(secondDigits, 0, 3);
        if (digits > 0) {
            const int divisor = digits == 1 ? 100 : digits == 2 ? 10 : 1;
            String fraction;
            field = field + fraction.format(".%0*u", digits, st.wMilliseconds / divisor);
        }
        prefix = prefix + field + separator;
    }
    if (level)
        prefix = prefix + levelName(message.level) + separator;
    prefix = prefix + field.format("%05u", message.threadId) + separator;
    if (!message.source.isEmpty())
        prefix = prefix + field.format("%s(%zu)", message.source.c_str(), message.line) + separator;
    return prefix;
}

std::mutex& Logger::mutex()
{
    return m_mutex;
}

void Log::add(Logger* sink)
{
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    if (sink && std::find(r.sinks.begin(), r.sinks.end(), sink) == r.sinks.end())
        r.sinks.push_back(sink);
}

void Log::remove(Logger* sink)
{
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    std::erase(r.sinks, sink);
}

void Log::warning(const char* pattern, ...)
{
    String text;
    va_list args;
    va_start(args, pattern);
    text.formatV(pattern, args);
    va_end(args);
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    for (Logger* sink : r.sinks)
        sink->write(text, LogWarning, String(), 0);
}

} // namespace qv
