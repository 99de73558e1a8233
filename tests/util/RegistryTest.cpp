#include <qv.win/Registry.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

std::wstring str(const CString& text)
{
    return std::wstring(static_cast<const wchar_t*>(text));
}

CString format(DWORD type, std::vector<BYTE> data)
{
    CString out = L"left over";
    qv::gui::FormatDataWithDataType(type, data.data(), static_cast<DWORD>(data.size()), out);
    return out;
}

std::vector<BYTE> bytesOf(const std::wstring& text)
{
    const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    return std::vector<BYTE>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
}

std::vector<BYTE> counting(size_t count)
{
    std::vector<BYTE> bytes(count);
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<BYTE>(i);
    return bytes;
}

const std::string bytes44 = "hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\n"
                            "16,17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,\\\n"
                            "2b,\n";

} // namespace

TEST(FormatDataWithDataType, WritesTheDataTextOfEachType)
{
    struct Case {
        const char* name;
        DWORD type;
        std::vector<BYTE> data;
        std::string text;
    };
    const Case cases[] = {
        {"string", REG_SZ, bytesOf(L"abc"), "\"abc\"\n"},
        {"string unescaped", REG_SZ, bytesOf(L"say \"hi\" C:\\x"), "\"say \"hi\" C:\\x\"\n"},
        {"string without null", REG_SZ, {'a', 0, 'b', 0}, "\"ab\"\n"},
        {"dword", REG_DWORD, {26, 0, 0, 0}, "dword:0000001a\n"},
        {"dword high", REG_DWORD, {0xef, 0xbe, 0xad, 0xde}, "dword:deadbeef\n"},
        {"binary", REG_BINARY, {1, 10, 255}, "hex:01,0a,ff,\n"},
        {"binary empty", REG_BINARY, {}, "hex:\n"},
        {"binary 22 bytes", REG_BINARY, counting(22), bytes44.substr(0, 4 + 22 * 3) + "\\\n\n"},
        {"binary 44 bytes", REG_BINARY, counting(44), bytes44},
        {"expand string", REG_EXPAND_SZ, {'%', 0, 0, 0}, "hex(2):25,00,00,00,\n"},
        {"multi string", REG_MULTI_SZ, {'a', 0, 0, 0, 0, 0}, "hex(7):61,00,00,00,00,00,\n"},
        {"resource list", REG_RESOURCE_LIST, {9}, "hex(8):09,\n"},
        {"requirements", REG_RESOURCE_REQUIREMENTS_LIST, {}, "hex(10):\n"},
        {"none", REG_NONE, {1, 2}, "hex(0):01,02,\n"},
        {"big endian", REG_DWORD_BIG_ENDIAN, {0, 0, 0, 26}, "hex(5):00,00,00,1a,\n"},
        {"link", REG_LINK, {'x', 0}, "hex(6):78,00,\n"},
        {"qword", REG_QWORD, counting(8), "hex(11):00,01,02,03,04,05,06,07,\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(narrow(str(format(c.type, c.data))), c.text);
    }
}

// Keys under HKEY_CURRENT_USER\Software\qv.win.tests\<run>, deleted afterwards, and
// export files in the temporary folder.
class Registry : public testing::Test {
protected:
    void SetUp() override
    {
        std::wostringstream name;
        name << L"run" << GetCurrentProcessId() << L'.' << GetTickCount64();
        m_base = L"Software\\qv.win.tests\\" + name.str();
        m_file = (std::filesystem::temp_directory_path() / (L"qv.reg." + name.str() + L".reg")).wstring();
    }
    void TearDown() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, m_base.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\qv.win.tests");
        std::filesystem::remove(m_file);
    }

    std::wstring key(const std::wstring& relative) const
    {
        return relative.empty() ? m_base : m_base + L"\\" + relative;
    }
    std::string rootText(const std::wstring& relative) const { return narrow(L"HKEY_CURRENT_USER\\" + key(relative)); }

    void makeKey(const std::wstring& relative) const
    {
        HKEY created = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key(relative).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_WRITE, nullptr, &created, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(created);
    }
    void setValue(const std::wstring& relative, const wchar_t* name, DWORD type, const std::vector<BYTE>& data) const
    {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key(relative).c_str(), name, type, data.data(),
                                  static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
    }
    // The raw bytes of a value, empty when it is missing.
    std::vector<BYTE> valueOf(const std::wstring& relative, const wchar_t* name, DWORD& type) const
    {
        std::vector<BYTE> data(256);
        DWORD size = static_cast<DWORD>(data.size());
        if (RegGetValueW(HKEY_CURRENT_USER, key(relative).c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type,
                         data.data(), &size) != ERROR_SUCCESS)
            return {};
        data.resize(size);
        return data;
    }

    std::string exportText(const wchar_t* root, const std::wstring& relative) const
    {
        qv::gui::ExportRegistry(root, key(relative).c_str(), m_file.c_str());
        return fileText();
    }
    std::string fileText() const
    {
        std::ifstream in(std::filesystem::path(m_file), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::wstring m_base;
    std::wstring m_file;
};

namespace {

// The text as the C runtime's text stream writes it.
std::string crlf(const std::string& text)
{
    std::string out;
    for (char c : text)
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

std::string header(const std::string& path)
{
    return "Windows Registry Editor Version 5.00\n[" + path + "]\n";
}

std::string section(const std::string& path)
{
    return "\n[" + path + "]\n";
}

} // namespace

TEST_F(Registry, ExportWritesEverySectionOnceInPreOrder)
{
    const std::vector<BYTE> qword = counting(8);
    makeKey(L"Start");
    setValue(L"Start", L"Skipped", REG_SZ, bytesOf(L"start values are not written"));
    setValue(L"Start\\Alpha", L"", REG_SZ, bytesOf(L"abc"));
    setValue(L"Start\\Alpha", L"Blob", REG_BINARY, counting(44));
    setValue(L"Start\\Alpha", L"Count", REG_DWORD, {26, 0, 0, 0});
    setValue(L"Start\\Alpha\\Inner", L"Say", REG_SZ, bytesOf(L"say \"hi\" C:\\x"));
    makeKey(L"Start\\Beta");
    setValue(L"Start\\Gamma", L"Big", REG_QWORD, qword);
    setValue(L"Start\\Gamma", L"Empty", REG_BINARY, {});
    setValue(L"Start\\Gamma", L"List", REG_MULTI_SZ, {'a', 0, 0, 0, 0, 0});

    const std::string start = rootText(L"Start");
    const std::string expected = header(start) + section(start + "\\Alpha") + "@ = \"abc\"\n" + "\"Blob\" = " +
                                 bytes44 + "\"Count\" = dword:0000001a\n" + section(start + "\\Alpha\\Inner") +
                                 "\"Say\" = \"say \"hi\" C:\\x\"\n" + section(start + "\\Beta") +
                                 section(start + "\\Gamma") + "\"Big\" = hex(11):00,01,02,03,04,05,06,07,\n" +
                                 "\"Empty\" = hex:\n" + "\"List\" = hex(7):61,00,00,00,00,00,\n";
    EXPECT_EQ(exportText(L"HKEY_CURRENT_USER", L"Start"), crlf(expected));
}

// A start key without sub-keys gives the two header lines; an unknown root or a missing start key
// adds the error line.
TEST_F(Registry, ExportOfNothingToWalkGivesTheHeaderAndMaybeTheErrorLine)
{
    setValue(L"Lonely", L"Value", REG_SZ, bytesOf(L"not written"));
    makeKey(L"There\\Child");
    EXPECT_EQ(exportText(L"HKEY_CURRENT_USER", L"Lonely"), crlf(header(rootText(L"Lonely"))));
    EXPECT_EQ(exportText(L"HKEY_current_user", L"There"),
              crlf(header("HKEY_current_user\\" + narrow(key(L"There"))) + "\nError\n"));
    EXPECT_EQ(exportText(L"HKEY_CURRENT_USER", L"Missing"), crlf(header(rootText(L"Missing")) + "\nError\n"));
}

TEST_F(Registry, KeysTooDeepOrWithTooLongNamesGetAnErrorLineAndTheWalkGoesOn)
{
    const std::wstring longName(120, L'n');
    std::wstring chain;
    for (int depth = 0; depth < 101; ++depth)
        chain += L"\\k";
    makeKey(L"Deep\\a" + chain);
    makeKey(L"Deep\\b\\" + longName + L"\\below");
    makeKey(L"Deep\\b\\z");
    setValue(L"Deep\\c", L"v", REG_DWORD, {1, 0, 0, 0});

    const std::string start = rootText(L"Deep");
    std::string expected = header(start) + section(start + "\\a");
    std::string path = start + "\\a";
    for (int depth = 2; depth <= 100; ++depth)
        expected += section(path += "\\k");
    expected += "\nError\n";
    expected += section(start + "\\b") + "\nError\n" + section(start + "\\b\\z");
    expected += section(start + "\\c") + "\"v\" = dword:00000001\n";
    EXPECT_EQ(exportText(L"HKEY_CURRENT_USER", L"Deep"), crlf(expected));
}

TEST_F(Registry, ExportToAFileThatCannotBeCreatedShowsAMessageBox)
{
    std::atomic<bool> done = false;
    std::wstring boxText;
    std::thread closer([&] {
        while (!done) {
            if (HWND box = FindWindowW(L"#32770", L"Registry export")) {
                wchar_t text[128] = {};
                GetDlgItemTextW(box, 0xFFFF, text, 128);
                boxText = text;
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(20);
        }
    });
    makeKey(L"Start\\Child");
    qv::gui::ExportRegistry(L"HKEY_CURRENT_USER", key(L"Start").c_str(), L"Z:\\no\\such\\folder\\x.reg");
    done = true;
    closer.join();
    EXPECT_EQ(boxText, L"Error while creating the file");
}

TEST_F(Registry, StringReadersCopyTheTextOrFail)
{
    setValue(L"S", L"Name", REG_SZ, bytesOf(L"value"));
    setValue(L"S", L"Typed", REG_EXPAND_SZ, bytesOf(L"%x%"));
    setValue(L"S", L"OneByte", REG_BINARY, {'x'});
    wchar_t out[64] = L"untouched";
    EXPECT_EQ(qv::gui::GetRegistryString(HKEY_CURRENT_USER, key(L"S").c_str(), L"Name", out), 1);
    EXPECT_STREQ(out, L"value");
    EXPECT_EQ(qv::gui::GetRegistryString(HKEY_CURRENT_USER, key(L"S").c_str(), L"Typed", out), 1);
    EXPECT_STREQ(out, L"%x%");
    wcscpy(out, L"untouched");
    EXPECT_EQ(qv::gui::GetRegistryString(HKEY_CURRENT_USER, key(L"S").c_str(), L"OneByte", out), 0);
    EXPECT_EQ(qv::gui::GetRegistryString(HKEY_CURRENT_USER, key(L"S").c_str(), L"Missing", out), 0);
    EXPECT_EQ(qv::gui::GetRegistryString(HKEY_CURRENT_USER, key(L"NoKey").c_str(), L"Name", out), 0);
    EXPECT_STREQ(out, L"untouched");
}

TEST_F(Registry, DwordReaderTakesTwoToFourBytes)
{
    setValue(L"D", L"Four", REG_DWORD, {0x78, 0x56, 0x34, 0x12});
    setValue(L"D", L"Two", REG_BINARY, {0x34, 0x12});
    setValue(L"D", L"One", REG_BINARY, {0x12});
    setValue(L"D", L"Eight", REG_QWORD, counting(8));
    DWORD out = 7;
    EXPECT_EQ(qv::gui::GetRegistryDword(HKEY_CURRENT_USER, key(L"D").c_str(), L"Four", out), 1);
    EXPECT_EQ(out, 0x12345678u);
    EXPECT_EQ(qv::gui::GetRegistryDword(HKEY_CURRENT_USER, key(L"D").c_str(), L"Two", out), 1);
    EXPECT_EQ(out, 0x1234u);
    out = 7;
    for (const wchar_t* refused : {L"One", L"Eight", L"Missing"}) {
        SCOPED_TRACE(narrow(refused));
        EXPECT_EQ(qv::gui::GetRegistryDword(HKEY_CURRENT_USER, key(L"D").c_str(), refused, out), 0);
        EXPECT_EQ(out, 7u);
    }
}

TEST_F(Registry, WritersCreateKeysAndStoreTypedValues)
{
    qv::gui::SetDetailRegistryValue(HKEY_CURRENT_USER, key(L"W\\New").c_str(), L"Text", L"hello");
    qv::gui::SetDetailRegistryValueDWORD(HKEY_CURRENT_USER, key(L"W\\New").c_str(), L"Number", 0xCAFE);
    DWORD type = REG_NONE;
    EXPECT_EQ(valueOf(L"W\\New", L"Text", type), bytesOf(L"hello"));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(valueOf(L"W\\New", L"Number", type), (std::vector<BYTE>{0xFE, 0xCA, 0, 0}));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
}

TEST_F(Registry, GetRegistryDataWritesTheDefaultBackOnlyWhenMissing)
{
    wchar_t out[64] = {};
    EXPECT_EQ(qv::gui::GetRegistryData(HKEY_CURRENT_USER, key(L"G").c_str(), L"Setting", L"fallback", out), 1);
    EXPECT_STREQ(out, L"fallback");
    DWORD type = REG_NONE;
    EXPECT_EQ(valueOf(L"G", L"Setting", type), bytesOf(L"fallback"));

    setValue(L"G", L"Setting", REG_SZ, bytesOf(L"stored"));
    EXPECT_EQ(qv::gui::GetRegistryData(HKEY_CURRENT_USER, key(L"G").c_str(), L"Setting", L"other", out), 1);
    EXPECT_STREQ(out, L"stored");
    EXPECT_EQ(valueOf(L"G", L"Setting", type), bytesOf(L"stored"));
}

namespace {

void replaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// Runs the system's registry editor silently on a script; its exit code.
DWORD importWithRegedit(const std::wstring& file)
{
    std::wstring command = L"C:\\windows\\regedit.exe /S \"" + file + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return GetLastError();
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return code;
}

} // namespace

// Types whose data regedit reads back as written: an 8-bit script makes it widen the
// bytes of REG_EXPAND_SZ and REG_MULTI_SZ, and it reads the type number of hex(10)
// and above as hexadecimal.
TEST_F(Registry, ExportedScriptImportsIntoTheSameTreeWithRegedit)
{
    setValue(L"Src", L"Top", REG_SZ, bytesOf(L"top level"));
    setValue(L"Src\\One", L"", REG_SZ, bytesOf(L"default text"));
    setValue(L"Src\\One", L"Blob", REG_BINARY, counting(44));
    setValue(L"Src\\One", L"Count", REG_DWORD, {26, 0, 0, 0});
    setValue(L"Src\\One\\Two", L"Resources", REG_RESOURCE_LIST, {1, 2, 3, 4});
    makeKey(L"Src\\One\\Two\\Empty");
    setValue(L"Src\\Three", L"None", REG_NONE, {1, 2, 3});

    std::string script = exportText(L"HKEY_CURRENT_USER", L"Src");
    replaceAll(script, rootText(L"Src"), rootText(L"Dst"));
    std::ofstream(std::filesystem::path(m_file), std::ios::binary) << script;
    ASSERT_EQ(importWithRegedit(m_file), 0u);

    EXPECT_EQ(exportText(L"HKEY_CURRENT_USER", L"Dst"), script);
    DWORD type = REG_NONE;
    EXPECT_EQ(valueOf(L"Dst", L"Top", type), std::vector<BYTE>());
}
