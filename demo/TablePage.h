#pragma once

#include "Page.h"

#include <qv.win/ListCtrl.h>
#include <qv.win/SystemFont.h>

namespace demo {

// A parts table edited in place: a click on a text cell opens an edit over it (Enter keeps,
// Escape drops), the material column offers its choices in a menu, the check column toggles,
// the id column is read-only. A click on a column's header copies the first row down it;
// Delete removes the selected row (select one by clicking its number) and renumbers the rest.
class TablePage : public CWnd, public Page {
public:
    const wchar_t* title() const override { return L"Table"; }
    const wchar_t* shotName() const override { return L"table"; }
    bool create(CWnd* parent, UINT id) override;
    CWnd* window() override { return this; }
    void tour(Tour& tour) override;

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    DECLARE_MESSAGE_MAP()

private:
    bool _createCheckImages();
    void _addColumns();
    void _addRows();
    CPoint _cellCentre(int row, int column) const;

    qv::gui::SystemFont font{qv::gui::SystemFont::Message};
    CBrush page;
    CStatic hint;
    qv::gui::ListCtrl table;
};

} // namespace demo
