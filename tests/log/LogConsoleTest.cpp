#include <qv.win/LogConsole.h>

#include "LogLineMatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <system_error>

namespace {

// The process's console screen buffer, read back row by row.
class ConsoleScreen {
public:
    ConsoleScreen()
        : m_handle(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr))
    {
    }
    ~ConsoleScreen()
    {
        if (isOpen())
            CloseHandle(m_handle);
    }
    ConsoleScreen(const ConsoleScreen&) = delete;
    ConsoleScreen& operator=(const ConsoleScreen&) = delete;

    bool isOpen() const { return m_handle != INVALID_HANDLE_VALUE; }

    // The rows above the cursor, without the blanks that pad them.
    std::vector<std::wstring> rows() const
    {
        CONSOLE_SCREEN_BUFFER_INFO info{};
        std::vector<std::wstring> rows;
        if (!GetConsoleScreenBufferInfo(m_handle, &info))
            return rows;
        std::wstring row(static_cast<size_t>(info.dwSize.X), L' ');
        for (SHORT y = 0; y < info.dwCursorPosition.Y; ++y) {
            DWORD read = 0;
            ReadConsoleOutputCharacterW(m_handle, row.data(), static_cast<DWORD>(row.size()), COORD{0, y}, &read);
            rows.push_back(row.substr(0, row.find_last_not_of(L' ') + 1));
        }
        return rows;
    }

private:
    HANDLE m_handle;
};

// A console program attached to the console of this process (it inherits it) keeps
// that console alive after the process frees it, so it can be attached to again.
class ConsoleKeeper {
public:
    ConsoleKeeper()
    {
        SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
        HANDLE input = nullptr;
        CreatePipe(&input, &m_feed, &inherit, 0);
        SetHandleInformation(m_feed, HANDLE_FLAG_INHERIT, 0);
        HANDLE nul = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = input;
        startup.hStdOutput = nul;
        startup.hStdError = nul;
        wchar_t command[] = L"C:\\windows\\system32\\find.exe \"x\"";
        CreateProcessW(nullptr, command, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &m_process);
        CloseHandle(input);
        CloseHandle(nul);
        waitUntilAttached();
    }
    ~ConsoleKeeper()
    {
        CloseHandle(m_feed);
        WaitForSingleObject(m_process.hProcess, 5000);
        CloseHandle(m_process.hProcess);
        CloseHandle(m_process.hThread);
        FreeConsole();
    }
    ConsoleKeeper(const ConsoleKeeper&) = delete;
    ConsoleKeeper& operator=(const ConsoleKeeper&) = delete;

    bool attach() const { return AttachConsole(m_process.dwProcessId) != FALSE; }

private:
    // The child attaches while it starts; a console freed before that is gone.
    void waitUntilAttached() const
    {
        constexpr DWORD capacity = 16;
        for (int attempt = 0; attempt < 500; ++attempt) {
            std::vector<DWORD> ids(capacity);
            ids.resize(std::min(GetConsoleProcessList(ids.data(), capacity), capacity));
            if (std::ranges::find(ids, m_process.dwProcessId) != ids.end())
                return;
            Sleep(10);
        }
    }

    HANDLE m_feed = nullptr;
    PROCESS_INFORMATION m_process{};
};

std::vector<std::wstring> consoleTexts(const ConsoleScreen& screen)
{
    return logtest::textsOf(logtest::parseLines(screen.rows(), L""));
}

} // namespace

TEST(LogConsole, WritesEachLineWithThePrefixAndWithoutTrailingBlanks)
{
    qv::LogConsole sink;
    ConsoleScreen screen;
    ASSERT_TRUE(screen.isOpen());
    sink.write("first line\nsecond line  ", qv::LogInfo, "", 0);
    const std::vector<logtest::LogLine> lines = logtest::parseLines(screen.rows(), L"");
    EXPECT_EQ(logtest::textsOf(lines),
              (std::vector<std::wstring>{L">> Initialized console log.", L"first line", L"second line"}));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].prefix, lines[2].prefix);
}

TEST(LogConsole, ASecondSinkGetsNoConsoleAndStaysSilent)
{
    qv::LogConsole owner;
    ConsoleScreen screen;
    {
        qv::LogConsole second;
        second.write("lost", qv::LogInfo, "", 0);
    }
    owner.write("still here", qv::LogInfo, "", 0);
    EXPECT_EQ(consoleTexts(screen), (std::vector<std::wstring>{L">> Initialized console log.", L"still here"}));
}

TEST(LogConsole, ClosingLineIsTheLastTextAndTheConsoleIsReleased)
{
    auto sink = std::make_unique<qv::LogConsole>();
    ConsoleKeeper keeper;
    sink->write(u8"caf\u00e9 \u03bb", qv::LogInfo, "", 0);
    sink.reset();
    EXPECT_EQ(GetConsoleWindow(), nullptr);
    ASSERT_TRUE(keeper.attach());
    EXPECT_EQ(consoleTexts(ConsoleScreen()),
              (std::vector<std::wstring>{L">> Initialized console log.", L"caf\u00e9 \u03bb", L">> Close console log."}));
}

TEST(LogConsole, InvalidUtf8ThrowsAndReleasesTheLock)
{
    qv::LogConsole sink;
    ConsoleScreen screen;
    EXPECT_THROW(sink.write("bad \xff byte", qv::LogInfo, "", 0), std::system_error);
    sink.write("next", qv::LogInfo, "", 0);
    EXPECT_EQ(consoleTexts(screen), (std::vector<std::wstring>{L">> Initialized console log.", L"next"}));
}
