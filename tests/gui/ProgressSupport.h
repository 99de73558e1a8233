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

// The tooltip window of this thread (the tests make one at a time) and the text of its tool.
inline HWND threadTooltip()
{
    HWND found = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            wchar_t name[64] = {};
            ::GetClassNameW(hwnd, name, 64);
            if (std::wstring(name) == TOOLTIPS_CLASSW)
                *reinterpret_cast<HWND*>(lParam) = hwnd;
            return *reinterpret_cast<HWND*>(lParam) == nullptr;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

inline std::wstring tooltipText(HWND tooltip)
{
    wchar_t text[256] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    ::SendMessageW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool));
    tool.lpszText = text;
    ::SendMessageW(tooltip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
    return text;
}
