#include <qv.win/Path.h>

#include <qv.win/core/qv.Log.h>

#include <afx.h>
#include <atlconv.h>

#include <cstdio>
#include <vector>

namespace qv::util::win {

namespace {

constexpr wchar_t separator = L'\\';
constexpr wchar_t extensionDot = L'.';
constexpr wchar_t allFiles[] = L"*.*";
constexpr DWORD pathCapacity = MAX_PATH;
// CreateDirectoryW's limits, counted with the terminating null: room must remain for an 8.3 name.
constexpr DWORD maxFolderPath = MAX_PATH - 12;
constexpr DWORD maxExtendedPath = 32767;
constexpr wchar_t extendedPrefix[] = L"\\\\?\\";
constexpr int extendedPrefixLength = 4;

// Whatever a file search finds first counts, a dot entry too.
bool isFound(const wchar_t* path)
{
    CFileFind finder;
    return finder.FindFile(path) != FALSE;
}

// Calls visit with the finder on each entry a wildcard search finds, without the "." and ".."
// of a folder, until visit returns false; false when it did.
template <class Visit> bool visitEntries(const wchar_t* pattern, Visit visit)
{
    CFileFind finder;
    for (BOOL more = finder.FindFile(pattern); more;) {
        more = finder.FindNextFile();
        if (!finder.IsDots() && !visit(finder))
            return false;
    }
    return true;
}

// Whether CreateDirectoryW can make the folder at all: its full path fits the platform's
// limit for folders, or the longer one of the "\\?\" form. The file system does not always
// enforce it, and a path tens of thousands of characters long would take seconds to refuse.
bool isCreatableFolder(const CString& folder)
{
    const DWORD length = GetFullPathNameW(folder, 0, nullptr, nullptr);
    const bool extended = folder.Left(extendedPrefixLength) == extendedPrefix;
    return length > 0 && length <= (extended ? maxExtendedPath : maxFolderPath);
}

void removeTrailingSeparator(CString& text)
{
    const int length = text.GetLength();
    if (length > 0 && text[length - 1] == separator)
        text.Truncate(length - 1);
}

void removeTrailingSeparators(CString& text)
{
    text.TrimRight(separator);
}

} // namespace

// Construction

Path::Path() = default;

Path::Path(const wchar_t* path, const wchar_t* fileName)
{
    Parse(path);
    if (fileName)
        setFileName(fileName, false);
}

Path::Path(const Path& other) : m_folder(other.m_folder), m_title(other.m_title), m_ext(other.m_ext)
{
    _makeFullPath();
}

Path::~Path() = default;

Path& Path::operator=(const Path& other)
{
    m_folder = other.m_folder;
    m_title = other.m_title;
    m_ext = other.m_ext;
    _makeFullPath();
    return *this;
}

Path& Path::operator=(const wchar_t* path)
{
    Parse(path);
    return *this;
}

bool Path::operator==(const Path& other) const
{
    return m_folder.CompareNoCase(other.m_folder) == 0 && m_title.CompareNoCase(other.m_title) == 0 &&
           m_ext.CompareNoCase(other.m_ext) == 0;
}

bool Path::operator!=(const Path& other) const
{
    return !(*this == other);
}

bool Path::operator==(const wchar_t* path) const
{
    return m_fullPath.CompareNoCase(path ? path : L"") == 0;
}

bool Path::operator!=(const wchar_t* path) const
{
    return !(*this == path);
}

Path::operator const wchar_t*() const
{
    return m_fullPath;
}

// Attributes

void Path::Parse(const wchar_t* path)
{
    const CString text(path ? path : L"");
    const int last = text.ReverseFind(separator);
    if (last < 0) {
        m_folder.Empty();
        setFileName(text, false);
        return;
    }
    m_folder = text.Left(last);
    removeTrailingSeparators(m_folder);
    setFileName(text.Mid(last + 1), false);
}

CString Path::getFullPath() const
{
    return m_fullPath;
}

CString Path::getPath(const wchar_t* fileName) const
{
    CString path = m_folder + separator;
    if (fileName)
        path += fileName;
    return path;
}

void Path::setPath(const wchar_t* path)
{
    CString folder(path ? path : L"");
    removeTrailingSeparator(folder);
    if (folder == m_folder)
        return;
    m_folder = folder;
    _makeFullPath();
}

CString Path::getFileName(bool withExt) const
{
    if (withExt && !m_ext.IsEmpty())
        return m_title + extensionDot + m_ext;
    return m_title;
}

void Path::setFileName(const wchar_t* name, bool titleOnly)
{
    const CString text(name ? name : L"");
    if (titleOnly) {
        m_title = text;
    } else {
        const int dot = text.ReverseFind(extensionDot);
        m_title = dot < 0 ? text : text.Left(dot);
        m_ext = dot < 0 ? CString() : text.Mid(dot + 1);
    }
    _makeFullPath();
}

CString Path::getFileExt() const
{
    return m_ext;
}

void Path::setFileExt(const wchar_t* ext)
{
    const CString text(ext ? ext : L"");
    if (text == m_ext)
        return;
    m_ext = text;
    _makeFullPath();
}

bool Path::isEmpty() const
{
    return m_folder.IsEmpty() && m_title.IsEmpty() && m_ext.IsEmpty();
}

bool Path::isEmptyPath() const
{
    return m_folder.IsEmpty();
}

bool Path::isSamePath(const Path& other) const
{
    return getPath().CompareNoCase(other.getPath()) == 0;
}

bool Path::isSamePath(const wchar_t* path) const
{
    return isSamePath(Path(path));
}

// Operations on the folder

CString Path::addSubPath(const wchar_t* sub)
{
    CString text(sub ? sub : L"");
    if (text.IsEmpty() || text.Find(L':') >= 0 || text.Find(L"\\\\") >= 0)
        return m_folder;
    text.TrimLeft(separator);
    removeTrailingSeparator(text);
    if (text.IsEmpty())
        return m_folder;
    if (m_folder.IsEmpty() || m_folder[m_folder.GetLength() - 1] != separator)
        m_folder += separator;
    m_folder += text;
    _makeFullPath();
    return m_folder;
}

CString Path::removeSubPath(size_t count)
{
    removeTrailingSeparator(m_folder);
    CString removed;
    for (size_t i = 0; i < count; ++i) {
        const int last = m_folder.ReverseFind(separator);
        if (last < 0)
            break;
        removed = m_folder.Mid(last + 1) + removed;
        m_folder.Truncate(last);
    }
    _makeFullPath();
    return removed;
}

CString Path::getSubPath(size_t count) const
{
    Path copy(*this);
    return copy.removeSubPath(count);
}

// File system

bool Path::isExistPath() const
{
    CString folder = getPath();
    removeTrailingSeparators(folder);
    return isFound(folder);
}

bool Path::isValidFile() const
{
    return isFound(m_fullPath);
}

bool Path::makePath()
{
    if (m_folder.IsEmpty() || !isCreatableFolder(m_folder))
        return false;
    if (isExistPath())
        return true;
    std::vector<CString> created;
    const auto create = [&](const CString& folder) {
        if (CreateDirectoryW(folder, nullptr))
            created.push_back(folder);
    };
    for (int at = m_folder.Find(separator); at >= 0; at = m_folder.Find(separator, at + 1))
        create(m_folder.Left(at));
    create(m_folder);
    if (isExistPath())
        return true;
    for (auto folder = created.rbegin(); folder != created.rend(); ++folder)
        RemoveDirectoryW(*folder);
    return false;
}

bool Path::copyFile(const wchar_t* source, bool failIfExists)
{
    if (isEmpty())
        return false;
    const Path from(source);
    if (!from.isValidFile() || from == *this)
        return false;
    if (!isExistPath())
        makePath();
    return CopyFileW(from, m_fullPath, failIfExists) != FALSE;
}

bool Path::copyFolder(const wchar_t* source, const wchar_t* destination, bool failIfExists)
{
    const Path from(source);
    Path to(destination);
    if (!from.isExistPath())
        return false;
    if (!to.isExistPath())
        to.makePath();
    return visitEntries(from.getPath(allFiles), [&](const CFileFind& entry) {
        const CString name = entry.GetFileName();
        return entry.IsDirectory()
                   ? copyFolder(from.getPath(name) + separator, to.getPath(name) + separator, failIfExists)
                   : Path(to.getPath(), name).copyFile(entry.GetFilePath(), failIfExists);
    });
}

int Path::deleteFile(const wchar_t* pattern)
{
    int deleted = 0;
    visitEntries(pattern, [&](const CFileFind& entry) {
        if (entry.IsDirectory())
            return true;
        const CString path = entry.GetFilePath();
        if (DeleteFileW(path))
            ++deleted;
        else
            Log::warning("Failed to delete file of record - error code:%d, path:%s\n", static_cast<int>(GetLastError()),
                         static_cast<const char*>(CW2A(path, CP_UTF8)));
        return true;
    });
    return deleted;
}

bool Path::deleteFolder(const wchar_t* path)
{
    Path folder(path);
    folder.setFileName(nullptr, false);
    if (!folder.isExistPath())
        return true;
    visitEntries(folder.getPath(allFiles), [](const CFileFind& entry) {
        if (entry.IsDirectory())
            deleteFolder(entry.GetFilePath() + separator);
        else
            DeleteFileW(entry.GetFilePath());
        return true;
    });
    return RemoveDirectoryW(folder.getPath()) != FALSE;
}

bool Path::renameFileOrFolder(const wchar_t* from, const wchar_t* to)
{
    return _wrename(from, to) == 0;
}

CString Path::getTempPath(bool longName)
{
    wchar_t temp[pathCapacity] = {};
    GetTempPathW(pathCapacity, temp);
    if (!longName)
        return temp;
    wchar_t expanded[pathCapacity] = {};
    return GetLongPathNameW(temp, expanded, pathCapacity) ? expanded : temp;
}

CString Path::getRunModule(HINSTANCE module)
{
    wchar_t path[pathCapacity] = {};
    GetModuleFileNameW(module, path, pathCapacity);
    return path;
}

// Implementation

void Path::_makeFullPath()
{
    const CString name = getFileName(true);
    if (m_folder.IsEmpty())
        m_fullPath = name;
    else
        m_fullPath = name.IsEmpty() ? getPath() : getPath(name);
}

} // namespace qv::util::win
