#include <afx.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace {

std::wstring Text(const CString& s)
{
    return std::wstring(s.GetString(), size_t(s.GetLength()));
}

// A fresh folder under the temporary folder with files and a subfolder; removed afterwards.
class FileFindTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_root = std::filesystem::temp_directory_path() / L"qv.mfc.filefind";
        std::filesystem::remove_all(m_root);
        std::filesystem::create_directories(m_root / L"sub");
        write(L"a.txt", "abc");
        write(L"archive.tar.gz", "");
        write(L".profile", "12345");
        write(L"sub\\inner.txt", "x");
    }
    void TearDown() override { std::filesystem::remove_all(m_root); }

    void write(const wchar_t* name, const char* content) { std::ofstream(m_root / name, std::ios::binary) << content; }
    std::wstring at(const wchar_t* name) const { return (m_root / name).wstring(); }

    std::filesystem::path m_root;
};

struct Entry {
    bool directory;
    bool dots;
    ULONGLONG length;
    std::wstring title;
};

} // namespace

TEST_F(FileFindTest, WalksEveryEntryWithItsAttributes)
{
    CFileFind finder;
    std::map<std::wstring, Entry> found;
    for (BOOL more = finder.FindFile(at(L"*.*").c_str()); more;) {
        more = finder.FindNextFile();
        EXPECT_EQ(Text(finder.GetFilePath()), at(finder.GetFileName()));
        found[Text(finder.GetFileName())] = {finder.IsDirectory() != FALSE, finder.IsDots() != FALSE,
                                             finder.GetLength(), Text(finder.GetFileTitle())};
    }
    EXPECT_EQ(Text(finder.GetRoot()), at(L""));
    const std::pair<std::wstring, Entry> expected[] = {
        {L".", {true, true, 0, L""}},
        {L"..", {true, true, 0, L"."}},
        {L"sub", {true, false, 0, L"sub"}},
        {L"a.txt", {false, false, 3, L"a"}},
        {L"archive.tar.gz", {false, false, 0, L"archive.tar"}},
        {L".profile", {false, false, 5, L""}},
    };
    ASSERT_EQ(found.size(), std::size(expected));
    for (const auto& [name, entry] : expected) {
        SCOPED_TRACE(testing::PrintToString(name));
        ASSERT_EQ(found.count(name), 1u);
        EXPECT_EQ(found[name].directory, entry.directory);
        EXPECT_EQ(found[name].dots, entry.dots);
        if (!entry.directory) {
            EXPECT_EQ(found[name].length, entry.length);
        }
        EXPECT_EQ(found[name].title, entry.title);
    }
}

// FindNextFile reports whether another entry follows: the single match of a name is read after
// a FALSE. Nothing is found where nothing matches.
TEST_F(FileFindTest, TheLastEntryIsReadAfterFindNextFileReturnsFalse)
{
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(at(L"sub\\inner.txt").c_str()));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_EQ(Text(finder.GetFilePath()), at(L"sub\\inner.txt"));
    EXPECT_EQ(finder.GetLength(), 1u);

    EXPECT_FALSE(finder.FindFile(at(L"*.none").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(finder.FindFile(at(L"missing\\*.*").c_str()));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_TRUE(finder.GetFileName().IsEmpty());
}

// Entries of a relative pattern keep the folder that was current when the search started.
TEST_F(FileFindTest, RelativePatternsGiveAbsolutePaths)
{
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(m_root);
    CFileFind finder;
    const BOOL found = finder.FindFile(L"sub\\*.txt");
    std::filesystem::current_path(previous);
    ASSERT_TRUE(found);
    finder.FindNextFile();
    EXPECT_EQ(Text(finder.GetFilePath()), at(L"sub\\inner.txt"));
}
