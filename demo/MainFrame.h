#pragma once

#include <qv.win/Magnet.h>

#include <afxwin.h>

namespace demo {

class Settings;
class WorkbenchView;

// The workbench's main frame: menu and accelerators from the IDR_MAINFRAME resources, the
// placement kept in the settings, the settings exported on request. Its edges snap to the
// edges of the work area while it moves.
class MainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(MainFrame)
public:
    WorkbenchView* getView() const;

    // Restores the placement and the view's pages from the settings, or shows the frame
    // at its default place.
    void restore(const Settings& settings, int nCmdShow);
    void save(Settings& settings) const;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnClose();
    afx_msg void OnExportSettings();
    afx_msg void OnAppExit();

    DECLARE_MESSAGE_MAP()

private:
    qv::gui::Magnet magnet;
};

} // namespace demo
