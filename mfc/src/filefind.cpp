#include <afx.h>

#include <cwchar>
#include <string>

IMPLEMENT_DYNAMIC(CFileFind, CObject)

namespace {

constexpr wchar_t allFiles[] = L"*.*";
constexpr wchar_t separator = L'\\';
constexpr wchar_t extensionDot = L'.';

// The absolute folder of a pattern with its trailing backslash; empty when the pattern has none.
// Not limited to MAX_PATH, as the search itself is not.
CString rootOf(LPCTSTR pattern)
{
    const DWORD capacity = ::GetFullPathNameW(pattern, 0, nullptr, nullptr);
    if (capacity == 0)
        return CString();
    std::wstring full(capacity, L'\0');
    const DWORD length = ::GetFullPathNameW(pattern, capacity, full.data(), nullptr);
    if (length == 0 || length >= capacity)
        return CString();
    full.resize(length);
    return CString(full.c_str(), static_cast<int>(full.rfind(separator) + 1));
}

} // namespace

CFileFind::~CFileFind()
{
    Close();
}

ULONGLONG CFileFind::GetLength() const
{
    return (static_cast<ULONGLONG>(m_found.nFileSizeHigh) << 32) | m_found.nFileSizeLow;
}

CString CFileFind::GetFileName() const
{
    return m_found.cFileName;
}

CString CFileFind::GetFilePath() const
{
    return m_strRoot + m_found.cFileName;
}

CString CFileFind::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind(extensionDot);
    return dot < 0 ? name : name.Left(dot);
}

CString CFileFind::GetRoot() const
{
    return m_strRoot;
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const
{
    return (m_found.dwFileAttributes & dwMask) != 0;
}

BOOL CFileFind::IsDots() const
{
    return IsDirectory() && (wcscmp(m_found.cFileName, L".") == 0 || wcscmp(m_found.cFileName, L"..") == 0);
}

void CFileFind::Close()
{
    if (m_hContext && m_hContext != INVALID_HANDLE_VALUE)
        CloseContext();
    m_hContext = nullptr;
    m_strRoot.Empty();
    m_found = WIN32_FIND_DATA{};
    m_next = WIN32_FIND_DATA{};
}

BOOL CFileFind::FindFile(LPCTSTR pstrName, [[maybe_unused]] DWORD dwUnused)
{
    Close();
    const LPCTSTR pattern = pstrName ? pstrName : allFiles;
    m_hContext = ::FindFirstFile(pattern, &m_next);
    if (m_hContext == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        Close();
        ::SetLastError(error);
        return FALSE;
    }
    m_strRoot = rootOf(pattern);
    if (m_strRoot.IsEmpty()) {
        Close();
        ::SetLastError(ERROR_INVALID_NAME);
        return FALSE;
    }
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_hContext)
        return FALSE;
    m_found = m_next;
    return ::FindNextFile(m_hContext, &m_next);
}

void CFileFind::CloseContext()
{
    ::FindClose(m_hContext);
}
