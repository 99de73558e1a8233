#pragma once

#include "qv.win.h"

#include <afxstr.h>

#include <windows.h>

#include <cstdio>

// Reading and writing single registry values for application settings, and export of
// a key with all its sub-keys to a registry editor script.
namespace qv::gui {

// Copies a string value into out, which must be large enough. 1 on success, 0 when
// the key or value is missing or holds at most one byte. The type is not checked.
QV_WIN_API int GetRegistryString(HKEY key, const wchar_t* subKey, const wchar_t* name, wchar_t* out);
// Reads a value of 2 to 4 bytes as a number. 1 on success, 0 otherwise.
QV_WIN_API int GetRegistryDword(HKEY key, const wchar_t* subKey, const wchar_t* name, DWORD& out);
// Reads a string value; a missing one is first stored with defaultText. Always 1, and
// out always receives a value.
QV_WIN_API int GetRegistryData(HKEY key, const wchar_t* subKey, const wchar_t* name, const wchar_t* defaultText,
                               wchar_t* out);

// Create the key when needed; failures are silent.
QV_WIN_API void SetDetailRegistryValue(HKEY key, const wchar_t* subKey, const wchar_t* name, const wchar_t* data);
QV_WIN_API void SetDetailRegistryValueDWORD(HKEY key, const wchar_t* subKey, const wchar_t* name, DWORD value);

// Writes rootName\subKey and every key below it, in pre-order, to fileName as a
// "Windows Registry Editor Version 5.00" script in the C runtime's 8-bit text mode.
// rootName is one of the predefined key names such as "HKEY_CURRENT_USER". The start
// key's own values are not written. String values are written without escaping.
QV_WIN_API void ExportRegistry(CString rootName, CString subKey, CString fileName);
// Writes the section of the key name under parent, headed by path: an empty line,
// the header and one line per value. Nothing when the key or its values cannot be read.
QV_WIN_API void EnumerateValues(HKEY parent, CString name, FILE* file, CString path);
// The data text of one value, ending with a line feed; bytes of types other than
// string and number as hex, 22 bytes on the first line and 21 on each further one.
QV_WIN_API void FormatDataWithDataType(DWORD type, BYTE* data, DWORD size, CString& out);

} // namespace qv::gui
