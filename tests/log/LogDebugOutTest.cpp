#include <qv.win/LogDebugOut.h>

#include "LogLineMatch.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

// A debug-output monitor in the classic DBWIN protocol: OutputDebugString of any
// process copies its text into the shared section once the monitor signals that the
// buffer is ready, then signals that data is ready. Keeps the lines of this process.
class DebugMonitor {
public:
    DebugMonitor()
        : m_bufferReady(CreateEventW(nullptr, FALSE, FALSE, L"DBWIN_BUFFER_READY")),
          m_dataReady(CreateEventW(nullptr, FALSE, FALSE, L"DBWIN_DATA_READY")),
          m_section(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(Buffer), L"DBWIN_BUFFER")),
          m_buffer(static_cast<const Buffer*>(MapViewOfFile(m_section, FILE_MAP_READ, 0, 0, sizeof(Buffer)))),
          m_thread([this] { listen(); })
    {
    }
    ~DebugMonitor()
    {
        m_stop = true;
        SetEvent(m_dataReady);
        m_thread.join();
        UnmapViewOfFile(m_buffer);
        for (HANDLE handle : {m_section, m_dataReady, m_bufferReady})
            CloseHandle(handle);
    }
    DebugMonitor(const DebugMonitor&) = delete;
    DebugMonitor& operator=(const DebugMonitor&) = delete;

    // The texts received so far, waiting up to a second for at least count of them.
    std::vector<std::wstring> texts(size_t count)
    {
        std::unique_lock lock(m_mutex);
        m_received.wait_for(lock, std::chrono::seconds(1), [&] { return m_texts.size() >= count; });
        return m_texts;
    }

private:
    struct Buffer {
        DWORD processId;
        char text[4096 - sizeof(DWORD)];
    };

    void listen()
    {
        while (true) {
            SetEvent(m_bufferReady);
            WaitForSingleObject(m_dataReady, INFINITE);
            if (m_stop)
                return;
            if (m_buffer->processId == GetCurrentProcessId())
                keep(m_buffer->text);
        }
    }

    void keep(const char* text)
    {
        const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
        std::wstring wide(static_cast<size_t>(length), L'\0');
        MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
        wide.pop_back();
        std::lock_guard lock(m_mutex);
        m_texts.push_back(wide);
        m_received.notify_all();
    }

    HANDLE m_bufferReady;
    HANDLE m_dataReady;
    HANDLE m_section;
    const Buffer* m_buffer;
    std::atomic<bool> m_stop = false;
    std::mutex m_mutex;
    std::condition_variable m_received;
    std::vector<std::wstring> m_texts;
    std::thread m_thread;
};

// The monitor's texts as log lines, each without the line feed it must end with.
std::vector<logtest::LogLine> debugLines(DebugMonitor& monitor, size_t count)
{
    std::vector<std::wstring> lines;
    for (const std::wstring& text : monitor.texts(count))
        lines.push_back(text.ends_with(L'\n') ? text.substr(0, text.size() - 1) : text + L"(no line feed)");
    return logtest::parseLines(lines, L"QV >> ");
}

} // namespace

TEST(LogDebugOut, WritesOpeningMessageAndClosingLinesLedByQv)
{
    DebugMonitor monitor;
    {
        qv::LogDebugOut sink;
        sink.write("first line\nsecond line  ", qv::LogInfo, "", 0);
    }
    const std::vector<logtest::LogLine> lines = debugLines(monitor, 4);
    EXPECT_EQ(logtest::textsOf(lines),
              (std::vector<std::wstring>{L">> Initialized debugging output log.", L"first line", L"second line",
                                         L">> Close debugging output log."}));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1].prefix, lines[2].prefix);
}

TEST(LogDebugOut, LinesOfConcurrentMessagesAreNeverInterleaved)
{
    constexpr int messagesPerThread = 40;
    DebugMonitor monitor;
    qv::LogDebugOut sink;
    auto writer = [&sink](char tag) {
        for (int i = 0; i < messagesPerThread; ++i) {
            qv::String text;
            sink.write(text.format("%c%d\n%c%d\n%c%d", tag, i, tag, i, tag, i), qv::LogInfo, "", 0);
        }
    };
    std::thread first(writer, 'a');
    std::thread second(writer, 'b');
    first.join();
    second.join();
    const std::vector<std::wstring> texts = monitor.texts(1 + 2 * 3 * messagesPerThread);
    ASSERT_EQ(texts.size(), 1u + 2 * 3 * messagesPerThread);
    for (size_t i = 1; i < texts.size(); i += 3) {
        SCOPED_TRACE(i);
        EXPECT_EQ(texts[i], texts[i + 1]);
        EXPECT_EQ(texts[i], texts[i + 2]);
    }
}
