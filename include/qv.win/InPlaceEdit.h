#pragma once

#include "qv.win.h"

#include <afxwin.h>

namespace qv::gui {

// The edit box a ListCtrl opens over a cell. It takes the focus and selects its text when
// created, grows to the right as the text grows (never past the list's client area), and
// ends when it loses the focus: Enter and a click elsewhere commit, Escape cancels. It then
// sends the list's parent LVN_ENDLABELEDIT on the list's behalf (a null text when
// cancelled), which the framework reflects to the list, and destroys itself.
//
// Create it on the heap: it deletes itself when its window is destroyed.
class QV_WIN_API InPlaceEdit : public CEdit {
public:
    // Construction

    InPlaceEdit(int row, int column, const CString& initialText);
    ~InPlaceEdit() override;

    // Overridables

    // Enter, Escape, Delete and keys pressed with Ctrl go straight to the edit, never to
    // dialog navigation.
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    // Deletes the object, also when its window could not be created.
    void PostNcDestroy() override;

    // Message handlers

    afx_msg int OnCreate(LPCREATESTRUCT createStruct);
    afx_msg void OnChar(UINT character, UINT repeatCount, UINT flags);
    afx_msg void OnKillFocus(CWnd* newWindow);

    DECLARE_MESSAGE_MAP()

private:
    // Implementation

    bool _isEditKey(const MSG& msg) const;
    void _growToText();
    void _notifyEnd(const CString& text);

    int row;
    int column;
    CString initialText;
    BOOL cancelled = FALSE;
};

} // namespace qv::gui
