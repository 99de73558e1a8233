#include <afxwin.h>

#include <cwchar>

BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString, TCHAR chSep)
{
    if (!lpszFullString)
        return FALSE;
    // A null separator ends the text: there is nothing after it to extract.
    LPCTSTR field = iSubString < 0 ? nullptr : lpszFullString;
    for (int i = 0; field && i < iSubString; ++i) {
        field = chSep ? wcschr(field, chSep) : nullptr;
        if (field)
            ++field;
    }
    if (!field) {
        rString.Empty();
        return FALSE;
    }
    const LPCTSTR separator = wcschr(field, chSep);
    const int length = separator ? static_cast<int>(separator - field) : static_cast<int>(wcslen(field));
    rString = CString(field, length);
    return TRUE;
}
