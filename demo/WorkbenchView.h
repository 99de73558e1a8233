#pragma once

#include "Page.h"

#include <qv.win/LogRichEdit.h>
#include <qv.win/RichEditCtrl.h>

#include <afxcmn.h>
#include <afxwin.h>

#include <memory>
#include <vector>

namespace demo {

class Settings;

// The workbench's view: the pages, one shown at a time in a tab control and switched from its
// tabs or the View menu, above a log pane that shows what the library and the workbench log.
class WorkbenchView : public CView {
    DECLARE_DYNCREATE(WorkbenchView)
public:
    int getPageCount() const { return static_cast<int>(pages.size()); }
    Page* getPage(int index) const { return pages[static_cast<size_t>(index)].get(); }
    int getCurrentPage() const { return current; }

    // Shows the page at index (ignored outside the pages) and hides the one shown before.
    void showPage(int index);

    // Each page keeps its settings in the section named after it.
    void loadSettings(const Settings& settings);
    void saveSettings(Settings& settings) const;

    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnNextPage();
    afx_msg void OnPreviousPage();
    afx_msg void OnPage(UINT nID);
    afx_msg void OnUpdatePage(CCmdUI* pCmdUI);
    afx_msg void OnTabChange(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    bool _createLog();
    bool _createTabs();
    bool _createPages();
    void _addPageCommands();
    void _layout();
    CRect _tabsRect() const;
    CRect _pageRect();

    CTabCtrl tabs;
    qv::gui::RichEditCtrl log;
    std::unique_ptr<qv::LogRichEdit> logSink;
    std::vector<std::unique_ptr<Page>> pages;
    int current = -1;
};

} // namespace demo
