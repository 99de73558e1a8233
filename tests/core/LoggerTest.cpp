#include <qv.win/core/qv.Log.h>

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <cstring>
#include <regex>
#include <string>
#include <thread>
#include <vector>

namespace {

// Records one line per piece of each message, the way the real sinks emit them.
class RecordingSink : public qv::Logger {
public:
    explicit RecordingSink(qv::LogLevel level = qv::LogDefault) : Logger(level) {}

    std::vector<std::string> lines;
    std::vector<qv::Logger::Message> messages;

protected:
    void onWriteMessage(const Message& message) override
    {
        std::lock_guard lock(mutex());
        messages.push_back(message);
        for (const qv::String& piece : message.text.split("\n", false, false, 0)) {
            lines.emplace_back(piece.c_str());
            std::this_thread::yield();
        }
    }
};

// The index of a virtual operation in the table of virtual functions: a pointer to a
// virtual member holds the byte offset of its entry plus one.
template <typename Member>
ptrdiff_t slotOf(Member member)
{
    struct Representation {
        ptrdiff_t offsetPlusOne;
        ptrdiff_t adjustment;
    };
    static_assert(sizeof(Member) == sizeof(Representation));
    Representation representation{};
    std::memcpy(&representation, &member, sizeof(representation));
    return (representation.offsetPlusOne - 1) / static_cast<ptrdiff_t>(sizeof(void*));
}

class SlotProbe : public RecordingSink {
public:
    static ptrdiff_t onWriteMessageSlot() { return slotOf(&SlotProbe::onWriteMessage); }
};

} // namespace

// Sinks built against the binary interface expect the hook before the destructor.
TEST(Logger, VirtualOperationsKeepTheirSlotOrder)
{
    using Write = void (qv::Logger::*)(const qv::String&, qv::LogLevel, const qv::String&, size_t);
    EXPECT_EQ(slotOf(static_cast<Write>(&qv::Logger::write)), 0);
    EXPECT_EQ(slotOf(&qv::Logger::writeMessage), 1);
    EXPECT_EQ(SlotProbe::onWriteMessageSlot(), 2);
}

TEST(Logger, FiltersByLevelBitsButAlwaysWritesOwnLines)
{
    RecordingSink sink(qv::LogError);
    sink.write("dropped", qv::LogWarning, "", 0);
    sink.write("kept", qv::LogError, "file.cpp", 12);
    sink.write("opening", "", 0);
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_STREQ(sink.messages[0].text.c_str(), "kept");
    EXPECT_STREQ(sink.messages[0].source.c_str(), "file.cpp");
    EXPECT_EQ(sink.messages[0].line, 12u);
    EXPECT_EQ(sink.messages[1].level, qv::LogInfo);
    EXPECT_EQ(sink.messages[1].threadId, GetCurrentThreadId());
}

TEST(Logger, PrefixHoldsTimeLevelThreadAndSource)
{
    RecordingSink sink;
    sink.write("x", qv::LogWarning, "", 0);
    sink.write("y", qv::LogError, "a.cpp", 7);
    const std::string plain = sink.prefixString(sink.messages[0], "|", false, true, true, 2).c_str();
    EXPECT_TRUE(std::regex_match(plain, std::regex(R"(\d\d:\d\d:\d\d\.\d\d\|WARN \|\d{5,}\|)"))) << plain;
    const std::string full = sink.prefixString(sink.messages[1], " ", true, true, false, 0).c_str();
    EXPECT_TRUE(std::regex_match(full, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d \d{5,} a\.cpp\(7\) )"))) << full;
}

TEST(Log, WarningReachesEveryRegisteredSinkUntilRemoved)
{
    RecordingSink first;
    RecordingSink second;
    {
        RecordingSink destroyedEarly;
        qv::Log::add(&destroyedEarly);
        qv::Log::add(&first);
        qv::Log::add(&first);
        qv::Log::add(&second);
    }
    qv::Log::warning("disk %s at %d%%", "full", 99);
    qv::Log::remove(&second);
    qv::Log::warning("after remove");
    qv::Log::remove(&first);
    ASSERT_EQ(first.lines, (std::vector<std::string>{"disk full at 99%", "after remove"}));
    ASSERT_EQ(second.lines, (std::vector<std::string>{"disk full at 99%"}));
    EXPECT_EQ(first.messages[0].level, qv::LogWarning);
}

TEST(Log, LinesOfOneMessageAreNeverInterleaved)
{
    RecordingSink a;
    RecordingSink b;
    qv::Log::add(&a);
    qv::Log::add(&b);
    constexpr int perThread = 200;
    auto writer = [](char tag) {
        for (int i = 0; i < perThread; ++i)
            qv::Log::warning("%c%d first\n%c%d second\n%c%d third", tag, i, tag, i, tag, i);
    };
    std::thread t1(writer, 'A');
    std::thread t2(writer, 'B');
    t1.join();
    t2.join();
    qv::Log::remove(&a);
    qv::Log::remove(&b);

    for (const RecordingSink* sink : {&a, &b}) {
        ASSERT_EQ(sink->lines.size(), 2u * perThread * 3);
        for (size_t i = 0; i < sink->lines.size(); i += 3) {
            const std::string id = sink->lines[i].substr(0, sink->lines[i].find(' '));
            EXPECT_EQ(sink->lines[i], id + " first");
            EXPECT_EQ(sink->lines[i + 1], id + " second");
            EXPECT_EQ(sink->lines[i + 2], id + " third");
        }
    }
}

namespace {

// From its own output: logs once more, or takes itself out of the registry.
class ReentrantSink : public RecordingSink {
public:
    bool removeItself = false;

protected:
    void onWriteMessage(const Message& message) override
    {
        RecordingSink::onWriteMessage(message);
        if (removeItself)
            qv::Log::remove(this);
        else if (messages.size() == 1)
            qv::Log::warning("echo of %s", message.text.c_str());
    }
};

// Holds the writing thread inside its output until released.
class BlockingSink : public RecordingSink {
public:
    HANDLE entered = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> inside = false;

    ~BlockingSink() override
    {
        CloseHandle(entered);
        CloseHandle(release);
    }

protected:
    void onWriteMessage(const Message& message) override
    {
        inside = true;
        SetEvent(entered);
        WaitForSingleObject(release, 5000);
        RecordingSink::onWriteMessage(message);
        inside = false;
    }
};

} // namespace

// Sinks are called outside the registry lock: re-entry used to deadlock.
TEST(Log, ASinkMayLogOrRemoveItselfFromItsOwnOutput)
{
    ReentrantSink echoing;
    ReentrantSink leaving;
    leaving.removeItself = true;
    qv::Log::add(&leaving);
    qv::Log::add(&echoing);
    qv::Log::warning("first");
    EXPECT_EQ(echoing.lines, (std::vector<std::string>{"first", "echo of first"}));
    EXPECT_EQ(leaving.lines, std::vector<std::string>{"first"}) << "gone before the echo";
    qv::Log::remove(&echoing);
}

TEST(Log, RemoveWaitsUntilOtherThreadsHaveLeftTheSink)
{
    BlockingSink sink;
    qv::Log::add(&sink);
    std::thread writer([] { qv::Log::warning("slow"); });
    ASSERT_EQ(WaitForSingleObject(sink.entered, 5000), WAIT_OBJECT_0);
    std::atomic<bool> removed = false;
    std::thread remover([&] {
        qv::Log::remove(&sink);
        removed = true;
    });
    Sleep(50);
    EXPECT_FALSE(removed) << "returned while the writer was inside";
    SetEvent(sink.release);
    remover.join();
    writer.join();
    EXPECT_TRUE(removed);
    EXPECT_FALSE(sink.inside);
    EXPECT_EQ(sink.lines, std::vector<std::string>{"slow"});
}
