#include <qv.win/core/qv.Log.h>

#include <windows.h>

#include <algorithm>
#include <condition_variable>
#include <cstdarg>
#include <vector>

namespace qv {

namespace {

// The registered sinks, and the sinks some thread is writing to right now: warning calls
// each sink outside the lock, so a sink may log or remove itself from its own output, and
// remove waits until no other thread is inside the sink it takes out.
struct Registry {
    struct Call {
        Logger* sink;
        DWORD thread;
    };

    std::mutex mutex;
    std::condition_variable idle;
    std::vector<Logger*> sinks;
    std::vector<Call> calls;

    bool isRegistered(const Logger* sink) const { return std::find(sinks.begin(), sinks.end(), sink) != sinks.end(); }
    bool isBusyElsewhere(const Logger* sink) const
    {
        const DWORD thread = GetCurrentThreadId();
        return std::any_of(calls.begin(), calls.end(),
                           [&](const Call& call) { return call.sink == sink && call.thread != thread; });
    }
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

// Marks one call of a sink for its duration; the registry lock is released meanwhile.
class SinkCall {
public:
    SinkCall(Registry& registry, std::unique_lock<std::mutex>& lock, Logger* sink)
        : m_registry(registry), m_lock(lock), m_call{sink, GetCurrentThreadId()}
    {
        m_registry.calls.push_back(m_call);
        m_lock.unlock();
    }
    SinkCall(const SinkCall&) = delete;
    SinkCall& operator=(const SinkCall&) = delete;
    ~SinkCall()
    {
        m_lock.lock();
        auto& calls = m_registry.calls;
        const auto it = std::find_if(calls.begin(), calls.end(), [&](const Registry::Call& call) {
            return call.sink == m_call.sink && call.thread == m_call.thread;
        });
        calls.erase(it);
        m_registry.idle.notify_all();
    }

private:
    Registry& m_registry;
    std::unique_lock<std::mutex>& m_lock;
    Registry::Call m_call;
};

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
    std::unique_lock lock(r.mutex);
    std::erase(r.sinks, sink);
    r.idle.wait(lock, [&] { return !r.isBusyElsewhere(sink); });
}

void Log::warning(const char* pattern, ...)
{
    String text;
    va_list args;
    va_start(args, pattern);
    text.formatV(pattern, args);
    va_end(args);
    Registry& r = registry();
    std::unique_lock lock(r.mutex);
    const std::vector<Logger*> sinks = r.sinks;
    for (Logger* sink : sinks) {
        if (!r.isRegistered(sink))
            continue;
        const SinkCall call(r, lock, sink);
        sink->write(text, LogWarning, String(), 0);
    }
}

} // namespace qv
