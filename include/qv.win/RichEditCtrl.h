#pragma once

#include "qv.win.h"

#include <afxcmn.h>

namespace qv::gui {

// A rich edit control used as a message log pane: text is only ever appended at the
// end, optionally in a colour and in bold, and the whole content can be cleared.
//
// Appending moves the insertion point to the end first, so a selection the user made
// is lost on every append: check isSelected to defer appending while there is one.
// A coloured append without bold keeps the bold state in force at the end of the log.
// The pane can refuse the keyboard focus (setSelectable(false)), and it swallows the
// Escape key so that a dialog holding it does not close: every message whose wParam is
// VK_ESCAPE stops in PreTranslateMessage, whatever the message.
class QV_WIN_API RichEditCtrl : public CRichEditCtrl {
public:
    // Construction

    RichEditCtrl();
    ~RichEditCtrl() override;

    // Attributes

    // Whether the user has text selected.
    bool isSelected() const;
    void setDefaultTextColor(COLORREF color);
    bool isSelectable() const;
    void setSelectable(bool selectable);

    // Operations

    // Null text, or a pane without a window, appends nothing.
    void appendString(const wchar_t* text);
    void appendString(const wchar_t* text, COLORREF color, bool bold);
    void clearAll();
    // Scrolls the end of the log into view.
    void gotoEndLine();

    // Overridables

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    // Message handlers

    afx_msg void OnSetFocus(CWnd* previous);

    DECLARE_MESSAGE_MAP()

private:
    // Implementation

    void _append(const wchar_t* text, CHARFORMAT* format);

    bool selectable = true;
};

} // namespace qv::gui
