#pragma once

#include "ImageCtrl.h"
#include "qv.win.h"

#include <afxwin.h>

namespace qv::gui {

// A document view filled by one ImageCtrl (child identifier 100), which gets the focus with the
// view. The control notifies the view; it paints itself, so the view draws nothing.
class QV_WIN_API ImageView : public CView {
    DECLARE_DYNCREATE(ImageView)
public:
    // Construction
    ImageView() = default;
    ~ImageView() override;

    // Attributes
    ImageCtrl& getImageCtrl() noexcept { return m_imageCtrl; }

    // Overridables
    void OnDraw(CDC* pDC) override;

    // Message handlers
protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()

    // Implementation
private:
    ImageCtrl m_imageCtrl;
};

} // namespace qv::gui
