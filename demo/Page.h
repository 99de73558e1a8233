#pragma once

#include <afxwin.h>

namespace demo {

class Settings;
class Tour;

// One page of the workbench: a window that fills the page area of the view. Pages are
// created hidden, once, and shown one at a time.
class Page {
public:
    virtual ~Page() = default;

    // The page's name in the page selector and the View menu.
    virtual const wchar_t* title() const = 0;
    // The file name of the page's picture in a tour, without extension.
    virtual const wchar_t* shotName() const = 0;

    // Creates the page's window, hidden, as a child of parent.
    virtual bool create(CWnd* parent, UINT id) = 0;
    virtual CWnd* window() = 0;

    // The page was shown (true) or hidden (false): start or stop what only runs on screen.
    virtual void activate(bool /*active*/) {}
    // Drives a few real interactions while the workbench runs without a user, checking
    // each step with Tour::check.
    virtual void tour(Tour& /*tour*/) {}

    virtual void loadSettings(const Settings& /*settings*/) {}
    virtual void saveSettings(Settings& /*settings*/) const {}
};

} // namespace demo
