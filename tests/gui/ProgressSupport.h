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

// The first tool of a tooltip of this thread whose tool is the control.
inline bool toolOf(HWND control, HWND& tooltip, TTTOOLINFOW& tool)
{
    struct Search {
        HWND control;
        HWND tooltip;
        TTTOOLINFOW tool;
    } search{control, nullptr, {}};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            wchar_t name[64] = {};
            ::GetClassNameW(hwnd, name, 64);
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof(tool);
            if (std::wstring(name) == TOOLTIPS_CLASSW && ::SendMessageW(hwnd, TTM_ENUMTOOLSW, 0, LPARAM(&tool)) &&
                (tool.hwnd == s->control || tool.uId == UINT_PTR(s->control))) {
                s->tooltip = hwnd;
                s->tool = tool;
            }
            return s->tooltip == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    tooltip = search.tooltip;
    tool = search.tool;
    return tooltip != nullptr;
}

inline HWND tooltipOf(HWND control)
{
    HWND tooltip = nullptr;
    TTTOOLINFOW tool{};
    return toolOf(control, tooltip, tool) ? tooltip : nullptr;
}

// The text of the control's tool; "(no tooltip)" without one.
inline std::wstring tooltipText(HWND control)
{
    HWND tooltip = nullptr;
    TTTOOLINFOW tool{};
    if (!toolOf(control, tooltip, tool))
        return L"(no tooltip)";
    wchar_t text[256] = {};
    tool.lpszText = text;
    ::SendMessageW(tooltip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
    return text;
}
