#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace qvtest {

// The first tooltip window of this thread (only a visible one when visibleOnly), or null.
inline HWND threadTooltip(bool visibleOnly = false)
{
    struct Search {
        bool visibleOnly;
        HWND found;
    } search{visibleOnly, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            wchar_t name[64] = {};
            ::GetClassNameW(hwnd, name, 64);
            if (std::wstring(name) == TOOLTIPS_CLASSW && (!s->visibleOnly || ::IsWindowVisible(hwnd)))
                s->found = hwnd;
            return s->found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The text of the tooltip's first tool.
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

} // namespace qvtest
