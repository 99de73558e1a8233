#pragma once

#include <afxwin.h>

namespace demo {

// The workbench's settings in the registry, under HKEY_CURRENT_USER\Software\qv.win\Workbench;
// each page keeps its values in a sub-key of its own.
class Settings {
public:
    // The application's key: HKCU\Software\qv.win\Workbench unless another one was chosen.
    Settings();

    // Chooses the key later Settings() open, such as a tour's own that leaves the user's alone.
    static void setApplicationKey(const wchar_t* key);

    // The settings of one page, in the sub-key named after it.
    Settings section(const wchar_t* name) const;

    DWORD getInt(const wchar_t* name, DWORD fallback) const;
    void setInt(const wchar_t* name, DWORD value);
    double getReal(const wchar_t* name, double fallback) const;
    void setReal(const wchar_t* name, double value);
    // False when the value is missing or does not hold a placement.
    bool getPlacement(const wchar_t* name, WINDOWPLACEMENT& placement) const;
    void setPlacement(const wchar_t* name, const WINDOWPLACEMENT& placement);

    // Writes the whole key, sections included, as a registry script; false when the
    // file was not written.
    bool exportTo(const CString& fileName) const;
    // Removes the key with everything under it; true when it is gone.
    bool erase() const;

private:
    explicit Settings(const CString& key);

    bool _getString(const wchar_t* name, CString& text) const;

    CString key;
};

} // namespace demo
