#pragma once

#include "Page.h"

#include <qv.win/GroupButtons.h>
#include <qv.win/SystemFont.h>

namespace demo {

// A strip of eight tool buttons whose images are drawn at start-up, two pairs of them grouped,
// above a report of the last notification the strip sent and of its groups. A click selects a
// button (or its group); dragging a marker onto another joins, grows, merges or cuts groups.
// The page numbers every button over the strip's own painting.
class GroupButtonsPage : public CWnd, public Page {
public:
    const wchar_t* title() const override { return L"Group Buttons"; }
    const wchar_t* shotName() const override { return L"groupbuttons"; }
    bool create(CWnd* parent, UINT id) override;
    CWnd* window() override { return this; }
    void tour(Tour& tour) override;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnStripClick(NMHDR* header, LRESULT* result);
    afx_msg void OnStripRightClick(NMHDR* header, LRESULT* result);
    afx_msg void OnStripButtonPainted(NMHDR* header, LRESULT* result);

    DECLARE_MESSAGE_MAP()

private:
    bool _addImages();
    void _report(const CString& notification);
    CString _describeGroups() const;
    CRect _reportRect() const;

    qv::gui::GroupButtons strip;
    qv::gui::SystemFont font{qv::gui::SystemFont::Message};
    CString lastNotification{L"none yet"};
    CString groups;
};

} // namespace demo
