#include <qv.win/Registry.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace qv::gui {

namespace {

constexpr wchar_t keySeparator = L'\\';
constexpr wchar_t scriptHeader[] = L"Windows Registry Editor Version 5.00";
constexpr wchar_t errorLine[] = L"\nError\n";
// The deepest nesting and the longest key name the export writes; deeper or longer
// keys get an error line instead of their section.
constexpr size_t maxDepth = 100;
constexpr size_t maxKeyNameLength = 99;
constexpr DWORD enumNameCapacity = 2048;
// The first line of hex data holds one byte more than this, every further line this many.
constexpr DWORD bytesPerLine = 21;

struct RootKey {
    const wchar_t* name;
    HKEY key;
};

const RootKey rootKeys[] = {
    {L"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},         {L"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},       {L"HKEY_USERS", HKEY_USERS},
    {L"HKEY_PERFORMANCE_DATA", HKEY_PERFORMANCE_DATA}, {L"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
    {L"HKEY_DYN_DATA", HKEY_DYN_DATA},
};

HKEY rootKeyOf(const CString& name)
{
    const auto root = std::ranges::find_if(rootKeys, [&](const RootKey& r) { return name == r.name; });
    return root == std::end(rootKeys) ? nullptr : root->key;
}

// An open registry key, closed with the object. Null when opening failed.
class Key {
public:
    Key() = default;
    Key(Key&& other) noexcept : m_key(std::exchange(other.m_key, nullptr)) {}
    Key& operator=(Key&& other) noexcept
    {
        std::swap(m_key, other.m_key);
        return *this;
    }
    ~Key()
    {
        if (m_key)
            RegCloseKey(m_key);
    }

    static Key open(HKEY parent, const wchar_t* name, REGSAM access)
    {
        HKEY key = nullptr;
        return Key(RegOpenKeyExW(parent, name, 0, access, &key) == ERROR_SUCCESS ? key : nullptr);
    }
    // The older call the single-value readers use: full access, where available.
    static Key openDefault(HKEY parent, const wchar_t* name)
    {
        HKEY key = nullptr;
        return Key(RegOpenKeyW(parent, name, &key) == ERROR_SUCCESS ? key : nullptr);
    }
    static Key create(HKEY parent, const wchar_t* name)
    {
        HKEY key = nullptr;
        const LONG result = RegCreateKeyExW(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                                            &key, nullptr);
        return Key(result == ERROR_SUCCESS ? key : nullptr);
    }

    HKEY get() const { return m_key; }
    explicit operator bool() const { return m_key != nullptr; }

private:
    explicit Key(HKEY key) : m_key(key) {}

    HKEY m_key = nullptr;
};

// The size of a value, or 0 when it cannot be queried.
DWORD valueSize(const Key& key, const wchar_t* name)
{
    DWORD size = 0;
    return key && RegQueryValueExW(key.get(), name, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS ? size : 0;
}

void setValue(HKEY key, const wchar_t* subKey, const wchar_t* name, DWORD type, const void* data, DWORD size)
{
    if (const Key written = Key::create(key, subKey))
        RegSetValueExW(written.get(), name, 0, type, static_cast<const BYTE*>(data), size);
}

using File = std::unique_ptr<FILE, decltype(&fclose)>;

// The stream is in text mode: the runtime converts to its 8-bit code page and writes
// each line feed as CR LF.
void writeText(FILE* file, const CString& text)
{
    fputws(text, file);
}

CString stringData(const BYTE* data, DWORD size)
{
    std::wstring text(size / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), data, text.size() * sizeof(wchar_t));
    return CString(text.c_str());
}

DWORD dwordData(const BYTE* data, DWORD size)
{
    DWORD value = 0;
    std::memcpy(&value, data, std::min<DWORD>(size, sizeof(value)));
    return value;
}

CString hexBytes(const BYTE* data, DWORD size)
{
    static constexpr wchar_t digits[] = L"0123456789abcdef";
    std::wstring text;
    text.reserve(size * 3 + size / bytesPerLine * 2 + 1);
    for (DWORD i = 0; i < size; ++i) {
        text += digits[data[i] >> 4];
        text += digits[data[i] & 0xF];
        text += L',';
        if (i != 0 && i % bytesPerLine == 0)
            text += L"\\\n";
    }
    text += L'\n';
    return CString(text.c_str());
}

CString valueLead(const wchar_t* name)
{
    if (*name == L'\0')
        return L"@ = ";
    return CString(L"\"") + name + L"\" = ";
}

// Why a sub-key found by the walk gets an error line instead of its section.
bool isBeyondLimits(size_t depth, const wchar_t* name)
{
    return depth >= maxDepth || wcslen(name) > maxKeyNameLength;
}

// Writes the sections of every key below start in pre-order, depth first. The stack
// holds the open ancestors of the current key with the index of the child being walked.
void exportSubKeys(Key start, CString path, FILE* file)
{
    struct Level {
        Key key;
        DWORD index;
    };
    std::vector<Level> stack;
    Key current = std::move(start);
    DWORD index = 0;
    wchar_t name[enumNameCapacity];
    while (true) {
        const LONG result = RegEnumKeyW(current.get(), index, name, enumNameCapacity);
        if (result == ERROR_SUCCESS && isBeyondLimits(stack.size(), name)) {
            writeText(file, errorLine);
            ++index;
            continue;
        }
        if (result == ERROR_SUCCESS) {
            path += keySeparator;
            path += name;
            EnumerateValues(current.get(), name, file, path);
            Key child = Key::open(current.get(), name, KEY_ENUMERATE_SUB_KEYS);
            stack.push_back({std::move(current), index});
            current = std::move(child);
            index = 0;
            continue;
        }
        if (result != ERROR_NO_MORE_ITEMS)
            writeText(file, errorLine);
        if (stack.empty())
            return;
        current = std::move(stack.back().key);
        index = stack.back().index + 1;
        stack.pop_back();
        path.Truncate(path.ReverseFind(keySeparator));
    }
}

} // namespace

int GetRegistryString(HKEY key, const wchar_t* subKey, const wchar_t* name, wchar_t* out)
{
    const Key opened = Key::openDefault(key, subKey);
    DWORD size = valueSize(opened, name);
    if (size <= 1)
        return 0;
    // Zero-filled and one character longer, so text stored without its null still ends.
    std::vector<BYTE> data(size + sizeof(wchar_t), 0);
    if (RegQueryValueExW(opened.get(), name, nullptr, nullptr, data.data(), &size) != ERROR_SUCCESS)
        return 0;
    wcscpy(out, reinterpret_cast<const wchar_t*>(data.data()));
    return 1;
}

int GetRegistryDword(HKEY key, const wchar_t* subKey, const wchar_t* name, DWORD& out)
{
    const Key opened = Key::openDefault(key, subKey);
    DWORD size = valueSize(opened, name);
    if (size < sizeof(WORD) || size > sizeof(DWORD))
        return 0;
    DWORD value = 0;
    if (RegQueryValueExW(opened.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
        return 0;
    out = value;
    return 1;
}

int GetRegistryData(HKEY key, const wchar_t* subKey, const wchar_t* name, const wchar_t* defaultText, wchar_t* out)
{
    if (GetRegistryString(key, subKey, name, out))
        return 1;
    SetDetailRegistryValue(key, subKey, name, defaultText);
    wcscpy(out, defaultText);
    return 1;
}

void SetDetailRegistryValue(HKEY key, const wchar_t* subKey, const wchar_t* name, const wchar_t* data)
{
    setValue(key, subKey, name, REG_SZ, data, static_cast<DWORD>((wcslen(data) + 1) * sizeof(wchar_t)));
}

void SetDetailRegistryValueDWORD(HKEY key, const wchar_t* subKey, const wchar_t* name, DWORD value)
{
    setValue(key, subKey, name, REG_DWORD, &value, sizeof(value));
}

void ExportRegistry(CString rootName, CString subKey, CString fileName)
{
    const File file(_wfopen(fileName, L"w+"), &fclose);
    if (!file) {
        MessageBoxW(nullptr, L"Error while creating the file", L"Registry export", MB_OK);
        return;
    }
    const CString path = subKey.IsEmpty() ? rootName : rootName + keySeparator + subKey;
    writeText(file.get(), CString(scriptHeader) + L"\n[" + path + L"]\n");
    exportSubKeys(Key::open(rootKeyOf(rootName), subKey, KEY_ENUMERATE_SUB_KEYS), path, file.get());
}

void EnumerateValues(HKEY parent, CString name, FILE* file, CString path)
{
    const Key key = Key::open(parent, name, KEY_QUERY_VALUE);
    DWORD longestName = 0;
    DWORD longestData = 0;
    if (!key || RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName,
                                 &longestData, nullptr, nullptr) != ERROR_SUCCESS)
        return;
    writeText(file, L"\n[" + path + L"]\n");
    std::vector<wchar_t> valueName(longestName + 1);
    std::vector<BYTE> data(longestData + 1);
    CString text;
    for (DWORD index = 0;; ++index) {
        std::ranges::fill(valueName, L'\0');
        std::ranges::fill(data, 0);
        DWORD nameLength = static_cast<DWORD>(valueName.size());
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = REG_NONE;
        if (RegEnumValueW(key.get(), index, valueName.data(), &nameLength, nullptr, &type, data.data(), &size) !=
            ERROR_SUCCESS)
            return;
        FormatDataWithDataType(type, data.data(), size, text);
        writeText(file, valueLead(valueName.data()) + text);
    }
}

void FormatDataWithDataType(DWORD type, BYTE* data, DWORD size, CString& out)
{
    switch (type) {
    case REG_SZ:
        out = L"\"" + stringData(data, size) + L"\"\n";
        break;
    case REG_DWORD:
        out.Format(L"dword:%08x\n", dwordData(data, size));
        break;
    case REG_BINARY:
        out = L"hex:" + hexBytes(data, size);
        break;
    default:
        out.Format(L"hex(%d):", static_cast<int>(type));
        out += hexBytes(data, size);
        break;
    }
}

} // namespace qv::gui
