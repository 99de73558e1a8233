#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

// Pumps until the window has received `ticks` WM_TIMER messages of the timer id, calling onTick
// after each; false when they did not all come within timeoutMs.
inline bool pumpTicks(HWND hwnd, UINT_PTR id, int ticks, const std::function<void()>& onTick, DWORD timeoutMs = 3000)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    int seen = 0;
    while (seen < ticks && ::GetTickCount64() < end) {
        MSG msg;
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
        if (msg.message == WM_TIMER && msg.hwnd == hwnd && msg.wParam == id) {
            ++seen;
            if (onTick)
                onTick();
        }
    }
    return seen == ticks;
}

// The tooltip window the control owns, or null.
inline HWND tooltipOf(HWND control)
{
    struct Search {
        HWND owner;
        HWND found;
    } search{control, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lParam) {
            auto* s = reinterpret_cast<Search*>(lParam);
            wchar_t name[64] = {};
            ::GetClassNameW(hwnd, name, 64);
            if (std::wstring(name) == TOOLTIPS_CLASSW && ::GetWindow(hwnd, GW_OWNER) == s->owner)
                s->found = hwnd;
            return s->found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The text of the first tool of the control's tooltip; "(no tooltip)" without one.
inline std::wstring tooltipText(HWND control)
{
    const HWND tooltip = tooltipOf(control);
    if (tooltip == nullptr)
        return L"(no tooltip)";
    wchar_t text[256] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    ::SendMessageW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool));
    tool.lpszText = text;
    ::SendMessageW(tooltip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
    return text;
}
