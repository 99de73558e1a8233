#include <qv.win/core/qv.String.h>

#include <gtest/gtest.h>

#include <string>

using qv::String;

TEST(String, CountsAndIndexesCodePoints)
{
    const String text(u8"aé€😀");
    EXPECT_EQ(text.length(), 4u);
    EXPECT_EQ(text.at(0), 0x61u);
    EXPECT_EQ(text.at(1), 0xE9u);
    EXPECT_EQ(text.at(2), 0x20ACu);
    EXPECT_EQ(text.at(3), 0x1F600u);
    EXPECT_EQ(text.at(4), 0u);
    EXPECT_EQ(text.wstring(), std::wstring(L"a\u00e9\u20ac\xD83D\xDE00"));
}

TEST(String, InvalidUtf8BecomesReplacementCharacters)
{
    struct Case {
        const char* name;
        const char* bytes;
        std::wstring wide;
    };
    const Case cases[] = {
        {"lone continuation", "a\x80z", L"a\uFFFDz"},
        {"truncated at end", "ab\xE2\x82", L"ab\uFFFD\uFFFD"},
        {"lead then ascii", "\xC3(", L"\uFFFD("},
        {"overlong slash", "\xC0\xAF", L"\uFFFD\uFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"invalid lead byte", "\xFF", L"\uFFFD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const String text(c.bytes);
        EXPECT_EQ(text.wstring(), c.wide);
        EXPECT_EQ(text.length(), c.wide.size());
        EXPECT_EQ(text.at(text.length() - 1), static_cast<uint32_t>(c.wide.back()));
    }
}

TEST(String, FormatsBeyondAnyFixedBuffer)
{
    const std::string big(100000, 'x');
    String text;
    text.format("<%s|%d>", big.c_str(), 42);
    EXPECT_EQ(std::string(text.c_str()), "<" + big + "|42>");
    text.format(u8"%s €%.2f", "cost", 1.5);
    EXPECT_STREQ(text.c_str(), reinterpret_cast<const char*>(u8"cost €1.50"));
    EXPECT_TRUE(text.format("%s", "").isEmpty());
}

TEST(String, TrimsTrailingBlanksAndZeros)
{
    EXPECT_STREQ(String("line \t\r\n").trimRight().c_str(), "line");
    EXPECT_STREQ(String("   ").trimRight().c_str(), "");
    const std::pair<const char*, const char*> zeros[] = {
        {"1.2500", "1.25"}, {"3.000", "3"}, {"100", "100"},     {"0.0", "0"},
        {"-2.50", "-2.5"},  {"2.50e+07", "2.5e+07"},           {"1.000E-3", "1E-3"}, {"10.01", "10.01"},
    };
    for (const auto& [in, out] : zeros) {
        SCOPED_TRACE(in);
        EXPECT_STREQ(String(in).trimZeros().c_str(), out);
    }
}

TEST(String, MakeLowerHandlesNonAscii)
{
    EXPECT_STREQ(String("TaHoMa").makeLower().c_str(), "tahoma");
    EXPECT_STREQ(String(u8"ÄÖÜ Symbol").makeLower().c_str(), reinterpret_cast<const char*>(u8"äöü symbol"));
}

TEST(String, SplitsIntoPiecesInOrder)
{
    auto pieces = [](const String& s, bool keepEmpty, bool trim, size_t count) {
        std::vector<std::string> out;
        for (const String& p : s.split("\n", keepEmpty, trim, count))
            out.emplace_back(p.c_str());
        return out;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(pieces("a\nb  \nc", false, false, 0), (V{"a", "b  ", "c"}));
    EXPECT_EQ(pieces("opening line.\n", false, false, 0), (V{"opening line."}));
    EXPECT_EQ(pieces("a\n\nb\n", false, false, 0), (V{"a", "b"}));
    EXPECT_EQ(pieces("a\n\nb\n", true, false, 0), (V{"a", "", "b", ""}));
    EXPECT_EQ(pieces(" a \n b ", false, true, 0), (V{"a", "b"}));
    EXPECT_EQ(pieces("a\nb\nc", false, false, 2), (V{"a", "b\nc"}));
    EXPECT_EQ(pieces("", false, false, 0), V{});
    EXPECT_EQ(String("a--b").split("--", false, false, 0).size(), 2u);
}
