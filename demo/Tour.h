#pragma once

#include <qv.win/Path.h>

#include <afxwin.h>

#include <functional>

namespace demo {

// The workbench running without a user: each page is shown, driven with real input and
// photographed into a folder. Steps that fail are logged and make the run fail.
class Tour {
public:
    // Creates the folder with its missing parents.
    explicit Tour(const CString& folder);

    // <folder>\name
    CString getFile(const wchar_t* name) const { return folder.getPath(name); }
    bool isFailed() const { return failed; }

    // Logs a failed step; returns ok.
    bool check(bool ok, const wchar_t* step);
    // Runs the message loop's work for ms milliseconds.
    void pump(DWORD ms);
    // Pumps until ready() holds or ms milliseconds have passed; false on time-out.
    bool waitFor(const std::function<bool()>& ready, DWORD ms);
    // Saves what the window shows on screen, frame included, as <folder>\<name>.png.
    bool shoot(CWnd* window, const wchar_t* name);

    // Real input, at points in the window's client coordinates.
    void moveMouse(CWnd* window, CPoint point);
    void click(CWnd* window, CPoint point);
    // Presses the left button at from, moves to to and releases it there.
    void drag(CWnd* window, CPoint from, CPoint to);
    void pressKey(WORD virtualKey);

private:
    void _printGLWindows(HWND parent, HDC target, CPoint origin);
    void _copyToolTip(HDC target, const CRect& area);

    qv::util::win::Path folder;
    bool failed = false;
};

} // namespace demo
