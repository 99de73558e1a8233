#pragma once

#include "Page.h"

#include <qv.win/Gradient.h>
#include <qv.win/RealSlideEdit.h>
#include <qv.win/RealSpinCtrl.h>
#include <qv.win/SystemFont.h>

#include <afxcmn.h>

namespace demo {

// Real-valued inputs sizing a plate drawn to scale beside them: slide edits with label and unit
// for its width and height (the height one slides live, finer the further the pointer is from
// the press point vertically), a spin control with an edit buddy for the corner radius, and a
// read-only slide edit showing the area. The three sizes persist in the settings.
class InputsPage : public CWnd, public Page {
public:
    const wchar_t* title() const override { return L"Inputs"; }
    const wchar_t* shotName() const override { return L"inputs"; }
    bool create(CWnd* parent, UINT id) override;
    CWnd* window() override { return this; }
    void tour(Tour& tour) override;
    void loadSettings(const Settings& settings) override;
    void saveSettings(Settings& settings) const override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnPaint();
    afx_msg void OnSizeChanged(UINT id, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCornerChanged();

    DECLARE_MESSAGE_MAP()

private:
    bool _createSlideEdit(qv::gui::RealSlideEdit& edit, UINT id, int row, const wchar_t* label, const wchar_t* unit);
    bool _createCorner();
    CRect _cornerRow() const;
    void _update();
    CRect _plateRect() const;
    double _corner() const;
    void _drawPlate(CDC& dc, const CRect& plate, int corner);

    qv::gui::SystemFont font{qv::gui::SystemFont::Message};
    qv::gui::Gradient steel;
    qv::gui::RealSlideEdit width;
    qv::gui::RealSlideEdit height;
    qv::gui::RealSlideEdit area;
    CEdit cornerEdit;
    qv::gui::RealSpinCtrl cornerSpin;
};

} // namespace demo
