#include <afx.h>
#include <atlconv.h>

#include <gtest/gtest.h>

#include <string>

// "café €" followed by a character outside the Basic Multilingual Plane.
static const wchar_t kWide[] = L"caf\u00e9 \u20ac \U0001F600";
static const char kUtf8[] = "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80";

TEST(Conversion, Utf8RoundTrips)
{
    const CW2A utf8(kWide, CP_UTF8);
    EXPECT_STREQ(utf8, kUtf8);
    const CA2W wide(utf8, CP_UTF8);
    EXPECT_STREQ(wide, kWide);
    EXPECT_STREQ(CT2A(L"", CP_UTF8), "");
    EXPECT_EQ(static_cast<LPSTR>(CW2A(nullptr)), nullptr);
    EXPECT_EQ(static_cast<LPWSTR>(CA2T(nullptr)), nullptr);
}

TEST(Conversion, AnsiCodePageMatchesWin32)
{
    // Every character of the ANSI code page converts to UTF-16 and back unchanged.
    std::string all;
    for (int ch = 1; ch < 256; ++ch) {
        if (!IsDBCSLeadByte(BYTE(ch)))
            all += char(ch);
    }
    wchar_t expected[256] = {};
    ASSERT_GT(MultiByteToWideChar(CP_ACP, 0, all.c_str(), -1, expected, 256), 0);

    const CA2W wide(all.c_str());
    EXPECT_STREQ(wide, expected);
    EXPECT_STREQ(CW2A(wide), all.c_str());

    const CString fromNarrow(all.c_str());
    EXPECT_STREQ(fromNarrow, expected);
    EXPECT_STREQ(CStringA(fromNarrow), all.c_str());
    EXPECT_STREQ(CStringA(L"plain"), "plain");
}

TEST(Conversion, StringsOfTheOtherWidthConvertOnAssignment)
{
    CStringA narrow;
    narrow = CString(L"wide");
    narrow += CString(L"+");
    EXPECT_STREQ(narrow, "wide+");
    CString wide(narrow);
    wide += narrow;
    EXPECT_STREQ(wide, L"wide+wide+");
    EXPECT_TRUE(CString(L"same") == CStringA("same"));
}
