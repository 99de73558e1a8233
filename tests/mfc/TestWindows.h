#pragma once

#include <afxwin.h>

// A visible popup CWnd of a white-background class, for tests that need an MFC parent.
inline BOOL createPopup(CWnd& wnd, int width = 200, int height = 150)
{
    LPCTSTR className = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW),
                                            static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    if (!wnd.CreateEx(0, className, L"test", WS_POPUP | WS_CLIPCHILDREN, 0, 0, width, height, nullptr, nullptr))
        return FALSE;
    wnd.ShowWindow(SW_SHOWNOACTIVATE);
    return TRUE;
}
