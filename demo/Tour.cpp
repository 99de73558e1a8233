#include "Tour.h"

#include <qv.win/Manager.h>
#include <qv.win/core/qv.Log.h>

#include <qvtest/Input.h>
#include <qvtest/MfcPump.h>
#include <qvtest/Tooltips.h>

#include <atlimage.h>

#include <cstdio>

namespace demo {

namespace {

// The screen's pixels in rect (screen coordinates) into target, whose origin lies at origin.
bool copyFromScreen(HDC target, const CRect& rect, CPoint origin)
{
    HDC screen = ::GetDC(nullptr);
    const BOOL copied = ::BitBlt(target, rect.left - origin.x, rect.top - origin.y, rect.Width(), rect.Height(),
                                 screen, rect.left, rect.top, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
    return copied != FALSE;
}

} // namespace

Tour::Tour(const CString& folder) : folder(folder + L"\\")
{
    check(this->folder.makePath(), L"the folder for the pictures");
}

bool Tour::check(bool ok, const wchar_t* step)
{
    if (!ok) {
        failed = true;
        qv::Log::warning("tour: %ls failed", step);
        std::fwprintf(stderr, L"tour: %ls failed\n", step);
    }
    return ok;
}

void Tour::pump(DWORD ms)
{
    waitFor([] { return false; }, ms);
}

bool Tour::waitFor(const std::function<bool()>& ready, DWORD ms)
{
    const ULONGLONG end = ::GetTickCount64() + ms;
    for (ULONGLONG now = ::GetTickCount64(); now < end; now = ::GetTickCount64()) {
        qvtest::pumpMfcUntilIdle(static_cast<DWORD>(end - now));
        if (ready())
            return true;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return ready();
}

// GDI windows are copied from the screen; GL windows draw their picture into the image
// themselves, since their surface is not part of what the screen DC shows.
bool Tour::shoot(CWnd* window, const wchar_t* name)
{
    window->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    pump(100);
    CRect rect;
    window->GetClientRect(&rect);
    window->ClientToScreen(&rect);
    CImage image;
    if (!image.Create(rect.Width(), rect.Height(), 24))
        return check(false, L"screenshot bitmap");
    HDC target = image.GetDC();
    const bool copied = copyFromScreen(target, rect, rect.TopLeft());
    _printGLWindows(window->GetSafeHwnd(), target, rect.TopLeft());
    _copyToolTip(target, rect);
    image.ReleaseDC();
    return check(copied && SUCCEEDED(image.Save(getFile(CString(name) + L".png"))), name);
}

void Tour::_printGLWindows(HWND parent, HDC target, CPoint origin)
{
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(child))
            continue;
        if (dynamic_cast<qv::gl::Manager*>(CWnd::FromHandlePermanent(child))) {
            CRect rect;
            ::GetClientRect(child, &rect);
            ::ClientToScreen(child, reinterpret_cast<POINT*>(&rect));
            POINT previous;
            ::SetViewportOrgEx(target, rect.left - origin.x, rect.top - origin.y, &previous);
            ::SendMessage(child, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target), PRF_CLIENT);
            ::SetViewportOrgEx(target, previous.x, previous.y, nullptr);
        }
        _printGLWindows(child, target, origin);
    }
}

// The tool tip showing lies over the GL pictures just printed: it is copied from the screen again.
void Tour::_copyToolTip(HDC target, const CRect& area)
{
    CRect rect;
    const HWND tip = qvtest::threadTooltip(true);
    if (tip && ::GetWindowRect(tip, &rect) && rect.IntersectRect(rect, area))
        copyFromScreen(target, rect, area.TopLeft());
}

void Tour::moveMouse(CWnd* window, CPoint point)
{
    qvtest::moveMouse(window->GetSafeHwnd(), point);
    pump(50);
}

void Tour::click(CWnd* window, CPoint point)
{
    qvtest::click(window->GetSafeHwnd(), point);
    pump(50);
}

void Tour::drag(CWnd* window, CPoint from, CPoint to)
{
    qvtest::mouseDown(window->GetSafeHwnd(), from);
    pump(50);
    moveMouse(window, to);
    qvtest::mouseUp(window->GetSafeHwnd(), to);
    pump(50);
}

void Tour::pressKey(WORD virtualKey)
{
    qvtest::pressKey(virtualKey);
    pump(50);
}

} // namespace demo
