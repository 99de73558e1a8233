#include <qv.win/Magnet.h>

namespace qv::gui {

namespace {

const wchar_t kTaskbarClass[] = L"Shell_TrayWnd";

// Whether value lies within [low, high]; 64-bit, so that huge snapping distances cannot overflow.
bool within(long long value, long long low, long long high)
{
    return low <= value && value <= high;
}

HWND handleOf(const CWnd* window)
{
    return window != nullptr ? window->m_hWnd : nullptr;
}

} // namespace

Magnet::~Magnet() = default;

bool Magnet::setWindow(HWND moving, HWND reference, int distanceX, int distanceY)
{
    if (reference == nullptr)
        reference = ::GetDesktopWindow();
    if (!::IsWindow(moving) || !::IsWindow(reference))
        return false;
    window = moving;
    target = reference;
    snapX = distanceX;
    snapY = distanceY;
    return true;
}

bool Magnet::setWindow(CWnd* moving, CWnd* reference, int distanceX, int distanceY)
{
    return setWindow(handleOf(moving), handleOf(reference), distanceX, distanceY);
}

void Magnet::translateMessage(MSG* message)
{
    if (message != nullptr && message->message == WM_WINDOWPOSCHANGING)
        windowPosChanging(reinterpret_cast<WINDOWPOS*>(message->lParam));
}

void Magnet::windowPosChanging(WINDOWPOS* position)
{
    if (position == nullptr || !::IsWindow(target) || !::IsWindow(window) || ::IsZoomed(window))
        return;
    CRect targetRect;
    CRect windowRect;
    ::GetWindowRect(target, &targetRect);
    ::GetWindowRect(window, &windowRect);
    const Insets insets = _taskbarInsets(targetRect);

    if (within(position->x, 0LL + insets.left - snapX, 0LL + insets.left + snapX))
        position->x = insets.left;
    if (within(position->y, -1LL * snapY, 0LL + insets.top + snapY))
        position->y = insets.top;
    const long long right = targetRect.Width() - insets.right;
    if (within(position->x + windowRect.Width() - right, -1LL * snapX, snapX))
        position->x = static_cast<int>(right - windowRect.Width());
    const long long bottom = targetRect.Height() - insets.bottom;
    if (within(position->y + windowRect.Height() - bottom, -1LL * snapY, snapY))
        position->y = static_cast<int>(bottom - windowRect.Height());
}

// The part of each desktop edge the taskbar covers; nothing for any other target.
Magnet::Insets Magnet::_taskbarInsets(const CRect& targetRect) const
{
    Insets insets;
    const HWND taskbar = ::FindWindow(kTaskbarClass, nullptr);
    if (target != ::GetDesktopWindow() || taskbar == nullptr)
        return insets;
    CRect bar;
    ::GetWindowRect(taskbar, &bar);
    if (bar.top < 1) {
        if (bar.left > 0)
            insets.right = targetRect.right - bar.left;
        else if (bar.right >= targetRect.Width())
            insets.top = bar.bottom - targetRect.top;
        else
            insets.left = bar.right - targetRect.left;
    } else if (bar.left <= 0) {
        insets.bottom = targetRect.bottom - bar.top;
    } else {
        insets.left = bar.right - targetRect.left;
    }
    return insets;
}

} // namespace qv::gui
