#pragma once

#include <afxwin.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

// Each of red, green and blue within tolerance of the expected colour.
inline ::testing::AssertionResult closeTo(COLORREF expected, COLORREF actual, int tolerance)
{
    const int dr = std::abs(GetRValue(expected) - GetRValue(actual));
    const int dg = std::abs(GetGValue(expected) - GetGValue(actual));
    const int db = std::abs(GetBValue(expected) - GetBValue(actual));
    if (dr <= tolerance && dg <= tolerance && db <= tolerance)
        return ::testing::AssertionSuccess();
    char text[64];
    std::snprintf(text, sizeof(text), "expected 0x%06lX, got 0x%06lX", expected, actual);
    return ::testing::AssertionFailure() << text;
}

// A visible top-level popup to parent GL hosts, white where no child covers it.
inline BOOL createParent(CWnd& parent, int width = 320, int height = 240)
{
    LPCTSTR className = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW),
                                            static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    if (!parent.CreateEx(0, className, L"GL host test", WS_POPUP | WS_CLIPCHILDREN, 0, 0, width, height, nullptr,
                         nullptr))
        return FALSE;
    // Activating a new top-level window costs seconds under Wine; tests that need it activate it.
    parent.ShowWindow(SW_SHOWNOACTIVATE);
    parent.UpdateWindow();
    return TRUE;
}

// The colour at a client point of a window, as the screen shows it.
inline COLORREF clientPixel(HWND hwnd, int x, int y)
{
    const HDC dc = ::GetDC(hwnd);
    const COLORREF colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(hwnd, dc);
    return colour;
}

inline void fillClient(HWND hwnd, COLORREF colour)
{
    const HDC dc = ::GetDC(hwnd);
    RECT client;
    ::GetClientRect(hwnd, &client);
    const HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(dc, &client, brush);
    ::DeleteObject(brush);
    ::ReleaseDC(hwnd, dc);
}

// Resizes a child so that its client area is cx by cy pixels, whatever its frame.
inline void setClientSize(CWnd& child, int cx, int cy)
{
    CRect window, client;
    child.GetWindowRect(&window);
    child.GetClientRect(&client);
    child.SetWindowPos(nullptr, 0, 0, cx + window.Width() - client.Width(), cy + window.Height() - client.Height(),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
