#pragma once

// CFileFind of afx.h: a wildcard search of the file system, one entry at a time. FindFile
// starts the search and FindNextFile moves to each entry in turn, returning FALSE when the entry
// it moved to is the last, so a walk reads
//     for (BOOL more = finder.FindFile(pattern); more;) { more = finder.FindNextFile(); ... }
// The entries' paths are built on the absolute folder of the pattern, taken when the search
// starts, so a later change of the current folder does not move them. The pattern may be longer
// than MAX_PATH.

#include "afx.h"

class QV_MFC_API CFileFind : public CObject {
    DECLARE_DYNAMIC(CFileFind)
public:
    // Construction
    CFileFind() = default;
    ~CFileFind() override;

    // Attributes: of the entry the last FindNextFile moved to.
    ULONGLONG GetLength() const;
    virtual CString GetFileName() const;
    virtual CString GetFilePath() const;
    // The name without its extension (the text from the last dot on).
    virtual CString GetFileTitle() const;
    // The absolute folder of the pattern, with a trailing backslash.
    virtual CString GetRoot() const;
    virtual BOOL MatchesMask(DWORD dwMask) const;
    // The "." and ".." entries of a folder.
    virtual BOOL IsDots() const;
    BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }

    // Operations
    void Close();
    // A null pattern searches the current folder ("*.*"). FALSE, with the platform's error
    // code, when nothing matches or the pattern's folder cannot be made absolute.
    virtual BOOL FindFile(LPCTSTR pstrName = nullptr, DWORD dwUnused = 0);
    virtual BOOL FindNextFile();

protected:
    // Overridables
    virtual void CloseContext();

    // Implementation
    HANDLE m_hContext = nullptr;
    CString m_strRoot;

private:
    WIN32_FIND_DATA m_found{};
    WIN32_FIND_DATA m_next{};
};
