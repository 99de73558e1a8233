#include "Settings.h"

#include <qv.win/Registry.h>

#include <cwchar>

namespace demo {

namespace {

const wchar_t kRootName[] = L"HKEY_CURRENT_USER";
CString applicationKey = L"Software\\qv.win\\Workbench";
// Settings are short texts; the registry reader needs room for the longest one.
constexpr size_t kMaxText = 256;

} // namespace

Settings::Settings() : Settings(applicationKey) {}

void Settings::setApplicationKey(const wchar_t* key)
{
    applicationKey = key;
}

Settings::Settings(const CString& key) : key(key) {}

Settings Settings::section(const wchar_t* name) const
{
    return Settings(key + L"\\" + name);
}

DWORD Settings::getInt(const wchar_t* name, DWORD fallback) const
{
    DWORD value = 0;
    return qv::gui::GetRegistryDword(HKEY_CURRENT_USER, key, name, value) ? value : fallback;
}

void Settings::setInt(const wchar_t* name, DWORD value)
{
    qv::gui::SetDetailRegistryValueDWORD(HKEY_CURRENT_USER, key, name, value);
}

double Settings::getReal(const wchar_t* name, double fallback) const
{
    CString text;
    if (!_getString(name, text))
        return fallback;
    wchar_t* end = nullptr;
    const double value = std::wcstod(text, &end);
    return end != text.GetString() && *end == 0 ? value : fallback;
}

void Settings::setReal(const wchar_t* name, double value)
{
    CString text;
    text.Format(L"%.17g", value);
    qv::gui::SetDetailRegistryValue(HKEY_CURRENT_USER, key, name, text);
}

bool Settings::getPlacement(const wchar_t* name, WINDOWPLACEMENT& placement) const
{
    CString text;
    if (!_getString(name, text))
        return false;
    RECT& r = placement.rcNormalPosition;
    UINT show = 0;
    if (std::swscanf(text, L"%u,%ld,%ld,%ld,%ld", &show, &r.left, &r.top, &r.right, &r.bottom) != 5)
        return false;
    placement.length = sizeof placement;
    placement.flags = 0;
    placement.showCmd = show == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    return r.right > r.left && r.bottom > r.top;
}

void Settings::setPlacement(const wchar_t* name, const WINDOWPLACEMENT& placement)
{
    const RECT& r = placement.rcNormalPosition;
    CString text;
    text.Format(L"%u,%ld,%ld,%ld,%ld", placement.showCmd, r.left, r.top, r.right, r.bottom);
    qv::gui::SetDetailRegistryValue(HKEY_CURRENT_USER, key, name, text);
}

bool Settings::exportTo(const CString& fileName) const
{
    ::DeleteFileW(fileName);
    qv::gui::ExportRegistry(kRootName, key, fileName);
    return ::GetFileAttributesW(fileName) != INVALID_FILE_ATTRIBUTES;
}

bool Settings::erase() const
{
    const LSTATUS status = ::RegDeleteTreeW(HKEY_CURRENT_USER, key);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool Settings::_getString(const wchar_t* name, CString& text) const
{
    wchar_t buffer[kMaxText] = {};
    DWORD type = 0;
    DWORD bytes = sizeof buffer - sizeof(wchar_t);
    HKEY handle = nullptr;
    // Read the size first: the reader copies whatever the value holds.
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
        return false;
    const LONG sized = ::RegQueryValueExW(handle, name, nullptr, &type, nullptr, &bytes);
    ::RegCloseKey(handle);
    if (sized != ERROR_SUCCESS || type != REG_SZ || bytes >= sizeof buffer)
        return false;
    if (!qv::gui::GetRegistryString(HKEY_CURRENT_USER, key, name, buffer))
        return false;
    text = buffer;
    return true;
}

} // namespace demo
