#pragma once

#include "qv.win.h"

#include <afxstr.h>

#include <windows.h>

#include <cstddef>

namespace qv::util::win {

// A Windows file path split into folder, file title and extension, with the full path
// rebuilt after every change, plus static file-system helpers.
//
// A path names a folder only when it ends with a backslash: C:\data\ is the folder
// C:\data, C:\data is the file "data" in the folder C:. The folder is held without
// trailing backslashes. Text operations never fail; file-system helpers report failure
// by their result.
class QV_WIN_API Path {
public:
    Path();
    Path(const wchar_t* path, const wchar_t* fileName = nullptr);
    Path(const Path& other);
    virtual ~Path();

    Path& operator=(const Path& other);
    Path& operator=(const wchar_t* path);

    // Folder, title and extension compared without regard to case.
    bool operator==(const Path& other) const;
    bool operator!=(const Path& other) const;
    // The full path compared with the text without regard to case.
    bool operator==(const wchar_t* path) const;
    bool operator!=(const wchar_t* path) const;

    operator const wchar_t*() const;

    // Attributes
    void Parse(const wchar_t* path);
    CString getFullPath() const;
    // The folder with a trailing backslash, followed by fileName when it is given.
    CString getPath(const wchar_t* fileName = nullptr) const;
    void setPath(const wchar_t* path);
    CString getFileName(bool withExt = true) const;
    // titleOnly keeps the extension; otherwise name is split at its last dot.
    void setFileName(const wchar_t* name, bool titleOnly = false);
    CString getFileExt() const;
    void setFileExt(const wchar_t* ext);
    bool isEmpty() const;
    bool isEmptyPath() const;
    // Compares the folders only, without regard to case.
    bool isSamePath(const Path& other) const;
    bool isSamePath(const wchar_t* path) const;

    // Operations on the folder
    // Appends folder components; a text holding a colon or two backslashes in a row is
    // refused. Returns the folder.
    CString addSubPath(const wchar_t* sub);
    // Removes the last count folder components and returns them joined without separators.
    CString removeSubPath(size_t count);
    CString getSubPath(size_t count) const;

    // File system
    bool isExistPath() const;
    bool isValidFile() const;
    // Creates the folder with every missing parent.
    bool makePath();
    // Copies source to this path, creating the folder when needed; never onto itself.
    bool copyFile(const wchar_t* source, bool failIfExists);

    // Both arguments are folders ending with a backslash. Stops at the first failure.
    static bool copyFolder(const wchar_t* source, const wchar_t* destination, bool failIfExists);
    // Deletes the files matching pattern and returns how many were deleted; logs a
    // warning for each file that could not be deleted.
    static int deleteFile(const wchar_t* pattern);
    // Deletes the folder part of path (a file name or mask after it is ignored) and all
    // it holds; true when the folder itself was removed or did not exist.
    static bool deleteFolder(const wchar_t* path);
    static bool renameFileOrFolder(const wchar_t* from, const wchar_t* to);
    // Ends with a backslash.
    static CString getTempPath(bool longName);
    static CString getRunModule(HINSTANCE module);

protected:
    void _makeFullPath();

private:
    CString m_fullPath;
    CString m_folder;
    CString m_title;
    CString m_ext;
};

} // namespace qv::util::win
