#pragma once

// CRichEditCtrl of afxcmn.h over the rich edit control "RichEdit20W" (riched20.dll, which
// Create loads). Character positions are longs; a selection from 0 to -1 is all the text.
// Formats are the wide CHARFORMAT; setters fill in its size.

#include "afxcmn_.h"

#include <richedit.h>

// Load the rich edit DLL once per process, so that dialog templates can name its classes:
// "RichEdit20W" for AfxInitRichEdit2, "RICHEDIT50W" for AfxInitRichEdit5. TRUE when loaded.
QV_MFC_API BOOL AFXAPI AfxInitRichEdit2();
QV_MFC_API BOOL AFXAPI AfxInitRichEdit5();

class QV_MFC_API CRichEditCtrl : public CWnd {
    DECLARE_DYNAMIC(CRichEditCtrl)
public:
    // Construction
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Attributes
    int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
    int GetFirstVisibleLine() const { return static_cast<int>(SendMessage(EM_GETFIRSTVISIBLELINE)); }
    // The length as WM_GETTEXT gives the text: a paragraph break counts as CR LF there, while
    // selections count it as one character.
    long GetTextLength() const { return static_cast<long>(SendMessage(WM_GETTEXTLENGTH)); }
    // dwFlags: GTL_ flags, e.g. GTL_NUMCHARS, GTL_PRECISE.
    long GetTextLengthEx(DWORD dwFlags, UINT uCodePage = static_cast<UINT>(-1)) const;
    void GetSel(long& nStartChar, long& nEndChar) const;
    void GetSel(CHARRANGE& cr) const { SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr)); }
    void SetSel(long nStartChar, long nEndChar);
    void SetSel(CHARRANGE& cr) { SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr)); }
    CString GetSelText() const;
    // The mask of the format, whose fields hold what the whole selection shares.
    DWORD GetSelectionCharFormat(CHARFORMAT& cf) const { return getCharFormat(SCF_SELECTION, cf); }
    DWORD GetDefaultCharFormat(CHARFORMAT& cf) const { return getCharFormat(SCF_DEFAULT, cf); }
    // Formats the selection, or the insertion point when it is empty.
    BOOL SetSelectionCharFormat(CHARFORMAT& cf) { return setCharFormat(SCF_SELECTION, cf); }
    BOOL SetDefaultCharFormat(CHARFORMAT& cf) { return setCharFormat(SCF_DEFAULT, cf); }
    COLORREF SetBackgroundColor(BOOL bSysColor, COLORREF cr)
    {
        return static_cast<COLORREF>(SendMessage(EM_SETBKGNDCOLOR, static_cast<WPARAM>(bSysColor), cr));
    }
    long GetEventMask() const { return static_cast<long>(SendMessage(EM_GETEVENTMASK)); }
    DWORD SetEventMask(DWORD dwEventMask) { return static_cast<DWORD>(SendMessage(EM_SETEVENTMASK, 0, dwEventMask)); }
    // The most characters the user may enter; 0 restores the default.
    void LimitText(long nChars = 0) { SendMessage(EM_EXLIMITTEXT, 0, nChars); }
    long GetLimitText() const { return static_cast<long>(SendMessage(EM_GETLIMITTEXT)); }
    BOOL SetReadOnly(BOOL bReadOnly = TRUE)
    {
        return static_cast<BOOL>(SendMessage(EM_SETREADONLY, static_cast<WPARAM>(bReadOnly)));
    }

    // Operations
    int LineIndex(int nLine = -1) const
    {
        return static_cast<int>(SendMessage(EM_LINEINDEX, static_cast<WPARAM>(nLine)));
    }
    CPoint PosFromChar(UINT nChar) const;
    long LineFromChar(long nIndex) const { return static_cast<long>(SendMessage(EM_EXLINEFROMCHAR, 0, nIndex)); }
    void LineScroll(int nLines, int nChars = 0) { SendMessage(EM_LINESCROLL, static_cast<WPARAM>(nChars), nLines); }
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE)
    {
        SendMessage(EM_REPLACESEL, static_cast<WPARAM>(bCanUndo), reinterpret_cast<LPARAM>(lpszNewText));
    }
    void HideSelection(BOOL bHide, BOOL bPerm)
    {
        SendMessage(EM_HIDESELECTION, static_cast<WPARAM>(bHide), static_cast<LPARAM>(bPerm));
    }

private:
    DWORD getCharFormat(WPARAM which, CHARFORMAT& cf) const;
    BOOL setCharFormat(WPARAM which, CHARFORMAT& cf);
};
