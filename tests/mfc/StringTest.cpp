#include "Resource.h"
#include "Throws.h"

#include <afxwin.h>

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

std::wstring Text(const CString& s)
{
    return std::wstring(s.GetString(), size_t(s.GetLength()));
}

} // namespace

TEST(CString, FormatsWithTheMicrosoftRuntimeRules)
{
    CString s;
    s.Format(L"%d|%5.2f|%s|%S|%hs|%ls|%c|%x", -42, 3.14159, L"wide", "narrow", "hs", L"ls", L'c', 255u);
    EXPECT_EQ(Text(s), L"-42| 3.14|wide|narrow|hs|ls|c|ff");

    CStringA a;
    a.Format("%s-%S-%03d", "narrow", L"wide", 7);
    EXPECT_EQ(std::string(a), "narrow-wide-007");
}

TEST(CString, FormatHasNoLengthLimit)
{
    const CString piece(L'q', 5000);
    CString s;
    s.Format(L"<%s>%d", piece.GetString(), 12345);
    ASSERT_EQ(s.GetLength(), 5007);
    EXPECT_EQ(Text(s.Left(3)), L"<qq");
    EXPECT_EQ(Text(s.Right(7)), L"q>12345");
}

TEST(CString, FormatMayUseItsOwnText)
{
    CString s(L"abc");
    s.Format(L"[%s]", static_cast<LPCTSTR>(s));
    EXPECT_EQ(Text(s), L"[abc]");
    s.AppendFormat(L"%s%d", s.GetString(), 1);
    EXPECT_EQ(Text(s), L"[abc][abc]1");
    s.Format(L"%s", L"");
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CString, LoadsFromTheStringTable)
{
    CString s(MAKEINTRESOURCEW(IDS_GREETING));
    EXPECT_EQ(Text(s), L"Hello from the string table");
    ASSERT_TRUE(s.LoadString(IDS_ACCENTED));
    EXPECT_EQ(Text(s), L"caf\u00e9 \u20ac");
    EXPECT_FALSE(s.LoadString(IDS_MISSING));

    s.Format(IDS_VALUE_FORMAT, 3, L"ten");
    EXPECT_EQ(Text(s), L"Value 3 of ten");

    CStringA a;
    ASSERT_TRUE(a.LoadString(::GetModuleHandleW(nullptr), IDS_GREETING));
    EXPECT_EQ(std::string(a), "Hello from the string table");
}

TEST(CString, LoadsFromTheCurrentResourceModule)
{
    EXPECT_EQ(AfxGetResourceHandle(), ::GetModuleHandleW(nullptr));
    const HINSTANCE library = ::GetModuleHandleW(L"qv.mfc.dll");
    ASSERT_NE(library, nullptr);
    AfxSetResourceHandle(library);
    CString s(L"unchanged");
    EXPECT_FALSE(s.LoadString(IDS_GREETING));
    EXPECT_EQ(Text(s), L"unchanged");
    AfxSetResourceHandle(nullptr);
    EXPECT_TRUE(s.LoadString(IDS_GREETING));
}

TEST(CString, IndexedAccessChecksBounds)
{
    CString s(L"abc");
    EXPECT_EQ(s.GetAt(0), L'a');
    EXPECT_EQ(s[2], L'c');
    EXPECT_EQ(s.GetAt(3), L'\0');
    EXPECT_TRUE(ThrowsInvalidArg([&] { s.GetAt(4); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { s.GetAt(-1); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { s.SetAt(3, L'x'); }));
    s.SetAt(1, L'X');
    EXPECT_EQ(Text(s), L"aXc");
}

TEST(CString, BufferRoundTrip)
{
    CString s(L"keep");
    wchar_t* buffer = s.GetBuffer(MAX_PATH);
    ASSERT_GT(GetModuleFileNameW(nullptr, buffer, MAX_PATH), 0u);
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), int(wcslen(s.GetString())));
    EXPECT_EQ(Text(s.Right(18)), L"\\test_mfc_base.exe");

    buffer = s.GetBufferSetLength(3);
    buffer[0] = L'x';
    s.ReleaseBuffer(2);
    EXPECT_EQ(Text(s), L"x:");

    buffer = s.GetBuffer();
    buffer[1] = L'\0';
    s.ReleaseBuffer();
    EXPECT_EQ(Text(s), L"x");
}

TEST(CString, SearchesReturnIndexOrMinusOne)
{
    const CString s(L"abcabc");
    EXPECT_EQ(s.Find(L'b'), 1);
    EXPECT_EQ(s.Find(L'b', 2), 4);
    EXPECT_EQ(s.Find(L'b', 6), -1);
    EXPECT_EQ(s.Find(L'b', -1), -1);
    EXPECT_EQ(s.Find(L"ca"), 2);
    EXPECT_EQ(s.Find(L"bc", 2), 4);
    EXPECT_EQ(s.Find(L"", 6), 6);
    EXPECT_EQ(s.Find(L"", 7), -1);
    EXPECT_EQ(s.Find(L"zz"), -1);
    EXPECT_EQ(s.ReverseFind(L'a'), 3);
    EXPECT_EQ(s.ReverseFind(L'z'), -1);
    EXPECT_EQ(s.FindOneOf(L"xc"), 2);
    EXPECT_EQ(s.FindOneOf(L"xyz"), -1);
}

TEST(CString, ExtractionClampsToTheString)
{
    const CString s(L"hello");
    struct Case {
        const char* name;
        CString result;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"Left within", s.Left(2), L"he"},
        {"Left beyond", s.Left(9), L"hello"},
        {"Left negative", s.Left(-1), L""},
        {"Right within", s.Right(3), L"llo"},
        {"Right beyond", s.Right(9), L"hello"},
        {"Right negative", s.Right(-2), L""},
        {"Mid from", s.Mid(1), L"ello"},
        {"Mid past end", s.Mid(7), L""},
        {"Mid negative start", s.Mid(-3, 2), L"he"},
        {"Mid long count", s.Mid(3, INT_MAX), L"lo"},
        {"Mid negative count", s.Mid(1, -1), L""},
        {"SpanIncluding", s.SpanIncluding(L"leh"), L"hell"},
        {"SpanExcluding", s.SpanExcluding(L"lo"), L"he"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Text(c.result), c.expected);
    }
}

TEST(CString, TrimsWhitespaceCharactersAndSets)
{
    struct Case {
        const char* name;
        CString& (*trim)(CString&);
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"Trim", [](CString& s) -> CString& { return s.Trim(); }, L"x.-y-."},
        {"TrimLeft", [](CString& s) -> CString& { return s.TrimLeft(); }, L"x.-y-.\t\n"},
        {"TrimRight", [](CString& s) -> CString& { return s.TrimRight(); }, L" \t x.-y-."},
        {"Trim set", [](CString& s) -> CString& { return s.Trim(L" \t\n.-"); }, L"x.-y"},
        {"TrimRight set", [](CString& s) -> CString& { return s.TrimRight(L"\n\t.-"); }, L" \t x.-y"},
        {"TrimLeft char", [](CString& s) -> CString& { return s.TrimLeft(L' '); }, L"\t x.-y-.\t\n"},
        {"Trim empty set", [](CString& s) -> CString& { return s.Trim(L""); }, L" \t x.-y-.\t\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CString s(L" \t x.-y-.\t\n");
        EXPECT_EQ(&c.trim(s), &s);
        EXPECT_EQ(Text(s), c.expected);
    }
    CString blank(L" \t ");
    EXPECT_TRUE(blank.Trim().IsEmpty());
}

TEST(CString, ComparesWithTheRuntimeSign)
{
    const CString s(L"Apple");
    EXPECT_EQ(s.Compare(L"Apple"), 0);
    EXPECT_LT(s.Compare(L"apple"), 0);
    EXPECT_GT(s.Compare(L"App"), 0);
    EXPECT_EQ(s.CompareNoCase(L"aPPLE"), 0);
    EXPECT_LT(s.CompareNoCase(L"banana"), 0);
    EXPECT_GT(s.CompareNoCase(L"APP"), 0);
    EXPECT_EQ(s.Collate(L"Apple"), 0);
    EXPECT_GT(s.Compare(nullptr), 0);
}

TEST(CString, EditsReturnCountsAndLengths)
{
    CString s(L"a-b-c");
    EXPECT_EQ(s.Replace(L'-', L'+'), 2);
    EXPECT_EQ(Text(s), L"a+b+c");
    EXPECT_EQ(s.Replace(L"+", L"<->"), 2);
    EXPECT_EQ(Text(s), L"a<->b<->c");
    EXPECT_EQ(s.Replace(L"<->", nullptr), 2);
    EXPECT_EQ(Text(s), L"abc");
    EXPECT_EQ(s.Replace(L"", L"x"), 0);

    CString aaa(L"aaa");
    EXPECT_EQ(aaa.Replace(L"a", L"aa"), 3);
    EXPECT_EQ(Text(aaa), L"aaaaaa");
    EXPECT_EQ(aaa.Remove(L'a'), 6);
    EXPECT_TRUE(aaa.IsEmpty());

    EXPECT_EQ(s.Insert(1, L'X'), 4);
    EXPECT_EQ(s.Insert(-5, L"<"), 5);
    EXPECT_EQ(s.Insert(99, L">"), 6);
    EXPECT_EQ(Text(s), L"<aXbc>");
    EXPECT_EQ(s.Delete(2), 5);
    EXPECT_EQ(s.Delete(3, 99), 3);
    EXPECT_EQ(s.Delete(9, 1), 3);
    EXPECT_EQ(s.Delete(-1, 1), 2);
    EXPECT_EQ(Text(s), L"ab");

    CString mixed(L"MiXed\u00c9");
    EXPECT_EQ(Text(mixed.MakeLower()), L"mixed\u00e9");
    EXPECT_EQ(Text(mixed.MakeUpper()), L"MIXED\u00c9");
    EXPECT_EQ(Text(mixed.MakeReverse()), L"\u00c9DEXIM");
}

TEST(CString, TokenizeWalksTheTokens)
{
    const CString s(L";;alpha; beta;;gamma;");
    std::wstring tokens;
    int position = 0;
    for (CString token = s.Tokenize(L"; ", position); position != -1; token = s.Tokenize(L"; ", position))
        tokens += Text(token) + L"|";
    EXPECT_EQ(tokens, L"alpha|beta|gamma|");

    position = 3;
    EXPECT_EQ(Text(s.Tokenize(L"", position)), L"lpha; beta;;gamma;");
    EXPECT_EQ(position, 3);
    position = -1;
    EXPECT_TRUE(ThrowsInvalidArg([&] { s.Tokenize(L";", position); }));
}

TEST(AfxExtractSubString, CopiesOneFieldOrEmptiesTheString)
{
    const struct {
        const wchar_t* text;
        int index;
        wchar_t separator;
        BOOL found;
        const wchar_t* field;
    } cases[] = {
        {L"title\ndoc\nlast", 0, L'\n', TRUE, L"title"},
        {L"title\ndoc\nlast", 2, L'\n', TRUE, L"last"},
        {L"title\ndoc\nlast", 3, L'\n', FALSE, L""},
        {L"title\n", 1, L'\n', TRUE, L""},
        {L"\n\nthird", 2, L'\n', TRUE, L"third"},
        {L"", 0, L'\n', TRUE, L""},
        {L"", 1, L'\n', FALSE, L""},
        {L"a,b\nc", 1, L',', TRUE, L"b\nc"},
        {L"a,b", -1, L',', FALSE, L""},
        {L"whole", 1, L'\0', FALSE, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)) + " #" + std::to_string(c.index));
        CString field(L"stale");
        EXPECT_EQ(AfxExtractSubString(field, c.text, c.index, c.separator), c.found);
        EXPECT_EQ(Text(field), c.field);
    }
    CString untouched(L"kept");
    EXPECT_FALSE(AfxExtractSubString(untouched, nullptr, 0));
    EXPECT_EQ(Text(untouched), L"kept");
}
