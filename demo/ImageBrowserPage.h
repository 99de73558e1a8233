#pragma once

#include "Page.h"

#include <qv.win/ImageCtrl.h>
#include <qv.win/SystemFont.h>

namespace demo {

// Two image controls under a report of what they last said. On the left a million frames of a
// virtual film: the page draws each thumbnail and writes its caption when the control asks. On
// the right a folder of pictures loaded through GDI+: the page draws a few scenes at start-up,
// saves them as PNG and BMP files into a temporary folder, loads the folder back and removes it.
class ImageBrowserPage : public CWnd, public Page {
public:
    const wchar_t* title() const override { return L"Image Browser"; }
    const wchar_t* shotName() const override { return L"imagebrowser"; }
    bool create(CWnd* parent, UINT id) override;
    CWnd* window() override { return this; }
    void tour(Tour& tour) override;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnDrawFrame(NMHDR* header, LRESULT* result);
    afx_msg void OnFrameCaption(NMHDR* header, LRESULT* result);
    afx_msg void OnPictureCaption(NMHDR* header, LRESULT* result);
    afx_msg void OnSelectionChanged(UINT id, NMHDR* header, LRESULT* result);
    afx_msg void OnClick(UINT id, NMHDR* header, LRESULT* result);
    afx_msg void OnZoomChanged(UINT id, NMHDR* header, LRESULT* result);

    DECLARE_MESSAGE_MAP()

private:
    bool _loadPictures();
    void _report(UINT id, const CString& what);
    CString _describeSelection(const qv::gui::ImageCtrl& ctrl) const;
    CRect _reportRect() const;

    qv::gui::ImageCtrl frames;
    qv::gui::ImageCtrl pictures;
    qv::gui::SystemFont font{qv::gui::SystemFont::Message};
    CString framesReport{L"no notification yet"};
    CString picturesReport{L"no notification yet"};
};

} // namespace demo
