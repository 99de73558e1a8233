#include <qv.win/Path.h>

#include <qv.win/core/qv.Log.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using qv::util::win::Path;

namespace {

std::wstring str(const CString& text)
{
    return std::wstring(static_cast<const wchar_t*>(text));
}

struct ParseCase {
    const wchar_t* input;
    const wchar_t* path;
    const wchar_t* title;
    const wchar_t* ext;
    const wchar_t* full;
};

} // namespace

TEST(Path, ParsesFolderTitleAndExtension)
{
    const ParseCase cases[] = {
        {L"C:\\data\\report.txt", L"C:\\data\\", L"report", L"txt", L"C:\\data\\report.txt"},
        {L"C:\\data\\", L"C:\\data\\", L"", L"", L"C:\\data\\"},
        {L"C:\\data", L"C:\\", L"data", L"", L"C:\\data"},
        {L"C:\\a\\\\b", L"C:\\a\\", L"b", L"", L"C:\\a\\b"},
        {L"C:\\data\\archive.tar.gz", L"C:\\data\\", L"archive.tar", L"gz", L"C:\\data\\archive.tar.gz"},
        {L"C:\\data\\.profile", L"C:\\data\\", L"", L"profile", L"C:\\data\\.profile"},
        {L"C:\\data\\name.", L"C:\\data\\", L"name", L"", L"C:\\data\\name"},
        {L"report.txt", L"\\", L"report", L"txt", L"report.txt"},
        {L"", L"\\", L"", L"", L""},
        {nullptr, L"\\", L"", L"", L""},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.input ? c.input : L"(null)")));
        const Path path(c.input);
        EXPECT_EQ(str(path.getPath()), c.path);
        EXPECT_EQ(str(path.getFileName(false)), c.title);
        EXPECT_EQ(str(path.getFileExt()), c.ext);
        EXPECT_EQ(str(path.getFullPath()), c.full);
        EXPECT_STREQ(static_cast<const wchar_t*>(path), c.full);
    }
}

TEST(Path, FileNameAndExtensionSetters)
{
    Path path(L"C:\\d\\old.txt", L"new.tar.gz");
    EXPECT_EQ(str(path.getFullPath()), L"C:\\d\\new.tar.gz");
    path.setFileName(L"plain", true);
    EXPECT_EQ(str(path.getFullPath()), L"C:\\d\\plain.gz");
    path.setFileName(L"plain", false);
    EXPECT_EQ(str(path.getFullPath()), L"C:\\d\\plain");
    path.setFileExt(L"log");
    EXPECT_EQ(str(path.getFileName(true)), L"plain.log");
    EXPECT_EQ(str(path.getFileName(false)), L"plain");
    path.setFileName(nullptr, false);
    EXPECT_EQ(str(path.getFullPath()), L"C:\\d\\");
    EXPECT_EQ(str(Path(L"C:\\d\\a.txt").getPath(L"b.bin")), L"C:\\d\\b.bin");
    EXPECT_EQ(str(Path(L"a.txt").getPath(L"b.bin")), L"\\b.bin");
}

TEST(Path, SetPathDropsOneTrailingBackslash)
{
    Path path(L"C:\\d\\f.txt");
    path.setPath(L"D:\\other\\");
    EXPECT_EQ(str(path.getFullPath()), L"D:\\other\\f.txt");
    path.setPath(L"E:\\x");
    EXPECT_EQ(str(path.getFullPath()), L"E:\\x\\f.txt");
    path.setPath(nullptr);
    EXPECT_EQ(str(path.getFullPath()), L"f.txt");
}

TEST(Path, ComparesWithoutRegardToCase)
{
    const Path path(L"C:\\Data\\Report.TXT");
    EXPECT_TRUE(path == Path(L"c:\\data\\report.txt"));
    EXPECT_FALSE(path != Path(L"c:\\data\\report.txt"));
    EXPECT_TRUE(path != Path(L"c:\\data\\report.tx"));
    EXPECT_TRUE(path == L"C:\\DATA\\report.txt");
    EXPECT_TRUE(path != L"C:\\DATA\\report");
    EXPECT_TRUE(path.isSamePath(L"c:\\data\\other.bin"));
    EXPECT_TRUE(Path(L"C:\\A\\x.txt").isSamePath(Path(L"c:\\a\\y.bin")));
    EXPECT_FALSE(Path(L"C:\\A\\x.txt").isSamePath(L"C:\\A\\B\\x.txt"));
}

TEST(Path, AddSubPathRefusesBadTextAndAppendsGoodText)
{
    for (const wchar_t* refused : {L"C:\\x", L"a\\\\b", L"", L"\\", L"\\\\\\"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(refused)));
        Path path(L"C:\\a\\f.txt");
        EXPECT_EQ(str(path.addSubPath(refused)), L"C:\\a");
        EXPECT_EQ(str(path.getFullPath()), L"C:\\a\\f.txt");
    }
    Path path(L"C:\\a\\f.txt");
    EXPECT_EQ(str(path.addSubPath(L"\\sub\\")), L"C:\\a\\sub");
    EXPECT_EQ(str(path.addSubPath(L"x\\y")), L"C:\\a\\sub\\x\\y");
    EXPECT_EQ(str(path.getFullPath()), L"C:\\a\\sub\\x\\y\\f.txt");
}

TEST(Path, RemoveSubPathReturnsTheRemovedComponents)
{
    Path path(L"C:\\a\\b\\c\\f.txt");
    EXPECT_EQ(str(path.getSubPath(2)), L"bc");
    EXPECT_EQ(str(path.getFullPath()), L"C:\\a\\b\\c\\f.txt");
    EXPECT_EQ(str(path.removeSubPath(2)), L"bc");
    EXPECT_EQ(str(path.getFullPath()), L"C:\\a\\f.txt");

    Path shallow(L"C:\\a\\b\\");
    EXPECT_EQ(str(shallow.removeSubPath(5)), L"ab");
    EXPECT_EQ(str(shallow.getFullPath()), L"C:\\");
    EXPECT_EQ(str(shallow.removeSubPath(1)), L"");
}

// A fresh folder under the temporary folder, removed with everything in it afterwards.
class PathFiles : public testing::Test {
protected:
    void SetUp() override
    {
        std::wostringstream name;
        name << L"qv.path." << GetCurrentProcessId() << L'.' << GetTickCount64();
        m_root = std::filesystem::temp_directory_path() / name.str();
        std::filesystem::create_directories(m_root);
    }
    void TearDown() override { std::filesystem::remove_all(m_root); }

    // A path below the root, with a trailing backslash when it names a folder.
    std::wstring at(const std::wstring& relative) const { return m_root.wstring() + L"\\" + relative; }

    void makeFile(const std::wstring& relative, const std::string& content) const
    {
        std::filesystem::create_directories(std::filesystem::path(at(relative)).parent_path());
        std::ofstream(std::filesystem::path(at(relative)), std::ios::binary) << content;
    }
    std::string content(const std::wstring& relative) const
    {
        std::ifstream in(std::filesystem::path(at(relative)), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    bool exists(const std::wstring& relative) const { return std::filesystem::exists(at(relative)); }

    std::filesystem::path m_root;
};

TEST_F(PathFiles, MakePathCreatesEveryMissingParent)
{
    Path path((at(L"one\\two\\three\\") + L"f.txt").c_str());
    EXPECT_FALSE(path.isExistPath());
    EXPECT_TRUE(path.makePath());
    EXPECT_TRUE(std::filesystem::is_directory(at(L"one\\two\\three")));
    EXPECT_TRUE(path.isExistPath());
    EXPECT_FALSE(path.isValidFile());
    EXPECT_TRUE(path.makePath());
    EXPECT_FALSE(Path(L"f.txt").makePath());
}

// A folder that cannot be made is refused before anything is created, or what was created
// on the way is removed again.
TEST_F(PathFiles, MakePathThatFailsLeavesNoFoldersBehind)
{
    std::wstring tooLong = L"deep";
    while (tooLong.size() < 40000)
        tooLong += L"\abcdefghij";
    const struct {
        const char* name;
        std::wstring folder;
    } cases[] = {
        {"40,000 characters", tooLong},
        {"just over the platform's limit", std::wstring(MAX_PATH, L'x')},
        {"a component the file system refuses", L"one\\two\\bad<name\\leaf"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(Path((at(c.folder) + L"\\f.txt").c_str()).makePath());
        EXPECT_TRUE(std::filesystem::is_empty(m_root));
    }
}

// The existence test is one file search: whatever it finds first counts, even the
// "." entry that is all a wildcard finds in an empty folder.
TEST_F(PathFiles, ExistenceIsWhatTheFileSearchFindsFirst)
{
    std::filesystem::create_directories(at(L"empty"));
    EXPECT_TRUE(Path((at(L"empty\\*\\") + L"f.txt").c_str()).isExistPath());
    EXPECT_TRUE(Path(at(L"empty\\*").c_str()).isValidFile());
    EXPECT_FALSE(Path((at(L"empty\\x*\\") + L"f.txt").c_str()).isExistPath());
}

TEST_F(PathFiles, CopyFileCreatesTheFolderAndHonoursFailIfExists)
{
    makeFile(L"src\\a.txt", "first");
    makeFile(L"src\\b.txt", "second");
    Path target(at(L"deep\\er\\copy.txt").c_str());
    EXPECT_TRUE(target.copyFile(at(L"src\\a.txt").c_str(), true));
    EXPECT_EQ(content(L"deep\\er\\copy.txt"), "first");
    EXPECT_TRUE(target.isValidFile());

    EXPECT_FALSE(target.copyFile(at(L"src\\b.txt").c_str(), true));
    EXPECT_EQ(content(L"deep\\er\\copy.txt"), "first");
    EXPECT_TRUE(target.copyFile(at(L"src\\b.txt").c_str(), false));
    EXPECT_EQ(content(L"deep\\er\\copy.txt"), "second");

    EXPECT_FALSE(target.copyFile(at(L"src\\missing.txt").c_str(), false));
    EXPECT_FALSE(Path().copyFile(at(L"src\\a.txt").c_str(), false));
}

TEST_F(PathFiles, CopyFileNeverCopiesAFileOntoItself)
{
    makeFile(L"same.txt", "keep me");
    const auto before = std::filesystem::last_write_time(at(L"same.txt"));
    std::wstring upper = at(L"SAME.TXT");
    Path target(at(L"same.txt").c_str());
    EXPECT_FALSE(target.copyFile(upper.c_str(), false));
    EXPECT_EQ(content(L"same.txt"), "keep me");
    EXPECT_EQ(std::filesystem::last_write_time(at(L"same.txt")), before);
}

TEST_F(PathFiles, CopyFolderCopiesTheWholeTree)
{
    makeFile(L"src\\top.txt", "top");
    makeFile(L"src\\sub\\mid.dat", "mid");
    makeFile(L"src\\sub\\deeper\\low", "low");
    std::filesystem::create_directories(at(L"src\\empty"));

    EXPECT_TRUE(Path::copyFolder(at(L"src\\").c_str(), at(L"dst\\").c_str(), true));
    EXPECT_EQ(content(L"dst\\top.txt"), "top");
    EXPECT_EQ(content(L"dst\\sub\\mid.dat"), "mid");
    EXPECT_EQ(content(L"dst\\sub\\deeper\\low"), "low");
    EXPECT_TRUE(std::filesystem::is_directory(at(L"dst\\empty")));

    EXPECT_FALSE(Path::copyFolder(at(L"src\\").c_str(), at(L"dst\\").c_str(), true));
    makeFile(L"src\\sub\\mid.dat", "changed");
    EXPECT_TRUE(Path::copyFolder(at(L"src\\").c_str(), at(L"dst\\").c_str(), false));
    EXPECT_EQ(content(L"dst\\sub\\mid.dat"), "changed");
    EXPECT_FALSE(Path::copyFolder(at(L"nothing\\").c_str(), at(L"dst2\\").c_str(), false));
    EXPECT_FALSE(exists(L"dst2"));
}

namespace {

// Collects the warnings the logging system hands out while it exists.
class WarningRecorder : public qv::Logger {
public:
    WarningRecorder() : Logger(qv::LogWarning) { qv::Log::add(this); }
    ~WarningRecorder() override { qv::Log::remove(this); }

    std::vector<std::string> texts;

protected:
    void onWriteMessage(const Message& message) override
    {
        std::lock_guard lock(mutex());
        texts.emplace_back(message.text.c_str());
    }
};

} // namespace

TEST_F(PathFiles, DeleteFileDeletesMatchesAndLogsWhatItCannotDelete)
{
    makeFile(L"d\\a.tmp", "a");
    makeFile(L"d\\b.tmp", "b");
    makeFile(L"d\\locked.tmp", "c");
    makeFile(L"d\\keep.txt", "d");
    std::filesystem::create_directories(at(L"d\\dir.tmp"));
    const HANDLE locked = CreateFileW(at(L"d\\locked.tmp").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);

    WarningRecorder warnings;
    EXPECT_EQ(Path::deleteFile(at(L"d\\*.tmp").c_str()), 2);
    CloseHandle(locked);

    EXPECT_FALSE(exists(L"d\\a.tmp"));
    EXPECT_FALSE(exists(L"d\\b.tmp"));
    EXPECT_TRUE(exists(L"d\\locked.tmp"));
    EXPECT_TRUE(exists(L"d\\keep.txt"));
    EXPECT_TRUE(exists(L"d\\dir.tmp"));
    const std::wstring lockedPath = at(L"d\\locked.tmp");
    ASSERT_EQ(warnings.texts.size(), 1u);
    EXPECT_EQ(warnings.texts[0], "Failed to delete file of record - error code:" +
                                     std::to_string(ERROR_SHARING_VIOLATION) + ", path:" +
                                     std::string(lockedPath.begin(), lockedPath.end()) + "\n");
    EXPECT_EQ(Path::deleteFile(at(L"d\\*.none").c_str()), 0);
}

TEST_F(PathFiles, DeleteFolderRemovesTheFolderOfAMask)
{
    makeFile(L"data\\x.tmp", "x");
    makeFile(L"data\\sub\\y.txt", "y");
    makeFile(L"data\\sub\\z\\w", "w");
    makeFile(L"other\\keep", "k");
    EXPECT_TRUE(Path::deleteFolder(at(L"data\\*.tmp").c_str()));
    EXPECT_FALSE(exists(L"data"));
    EXPECT_TRUE(exists(L"other\\keep"));
    EXPECT_TRUE(Path::deleteFolder(at(L"data\\").c_str()));
}

namespace {

// Makes a folder the current one while it exists.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::wstring& folder) : m_previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~CurrentFolder() { std::filesystem::current_path(m_previous); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
    std::filesystem::path m_previous;
};

} // namespace

// Entries of a folder whose path is longer than MAX_PATH keep their full paths: a file
// of the same name in the current folder is never taken for them.
TEST_F(PathFiles, HelpersWorkOnEntriesOfLongPaths)
{
    std::wstring deep = L"long";
    while (at(deep).size() <= MAX_PATH)
        deep += L"\\abcdefghijklmnop";
    makeFile(deep + L"\\victim.tmp", "deep");
    makeFile(L"cwd\\victim.tmp", "current");
    const CurrentFolder current(at(L"cwd"));

    EXPECT_TRUE(Path::copyFolder((at(deep) + L"\\").c_str(), at(L"copy\\").c_str(), false));
    EXPECT_EQ(content(L"copy\\victim.tmp"), "deep");
    EXPECT_EQ(Path::deleteFile((at(deep) + L"\\*.tmp").c_str()), 1);
    EXPECT_FALSE(exists(deep + L"\\victim.tmp"));
    makeFile(deep + L"\\victim.tmp", "deep");
    EXPECT_TRUE(Path::deleteFolder(at(L"long\\").c_str()));
    EXPECT_FALSE(exists(L"long"));
    EXPECT_EQ(content(L"cwd\\victim.tmp"), "current");
}

TEST_F(PathFiles, RenameMovesFilesAndFoldersButNotOntoExistingOnes)
{
    makeFile(L"old.txt", "moved");
    makeFile(L"taken.txt", "taken");
    makeFile(L"folder\\inside", "in");
    EXPECT_TRUE(Path::renameFileOrFolder(at(L"old.txt").c_str(), at(L"new.txt").c_str()));
    EXPECT_EQ(content(L"new.txt"), "moved");
    EXPECT_TRUE(Path::renameFileOrFolder(at(L"folder").c_str(), at(L"renamed").c_str()));
    EXPECT_EQ(content(L"renamed\\inside"), "in");
    EXPECT_FALSE(Path::renameFileOrFolder(at(L"new.txt").c_str(), at(L"taken.txt").c_str()));
    EXPECT_EQ(content(L"taken.txt"), "taken");
    EXPECT_FALSE(Path::renameFileOrFolder(at(L"gone.txt").c_str(), at(L"x.txt").c_str()));
}

TEST(PathSystem, TempFolderAndRunningModule)
{
    for (bool longName : {false, true}) {
        const std::wstring temp = str(Path::getTempPath(longName));
        ASSERT_FALSE(temp.empty());
        EXPECT_EQ(temp.back(), L'\\');
        EXPECT_TRUE(Path(temp.c_str()).isExistPath());
    }
    const Path module(Path::getRunModule(nullptr));
    EXPECT_EQ(module.getFileName(true).CompareNoCase(L"test_util.exe"), 0);
    EXPECT_TRUE(module.isValidFile());
}
