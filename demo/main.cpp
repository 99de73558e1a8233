// The demo host: opens a window that paints a greeting. Given a folder on the
// command line it saves a screenshot there and exits; otherwise it runs until closed.
#include "Screenshot.h"

#include "core/qv.String.h"

#include <windows.h>

#include <shellapi.h>

namespace {

const wchar_t windowClass[] = L"QvDemoHost";

void paint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HFONT font = CreateFontW(-32, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS, 0, 0, 0,
                             L"Tahoma");
    HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, RGB(0, 64, 160));
    SetBkMode(dc, TRANSPARENT);
    const std::wstring text = qv::String(u8"qv.win — host demo").wstring();
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
    DeleteObject(font);
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        paint(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

HWND createMainWindow(HINSTANCE instance)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = windowClass;
    RegisterClassExW(&wc);
    return CreateWindowExW(0, windowClass, L"qv.win demo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 640, 240,
                           nullptr, nullptr, instance, nullptr);
}

int messageLoop()
{
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    HWND hwnd = createMainWindow(instance);
    if (!hwnd)
        return 1;
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::wstring folder = argc > 1 ? argv[1] : L"";
    LocalFree(argv);
    if (folder.empty())
        return messageLoop();

    UpdateWindow(hwnd);
    const bool saved = demo::saveClientPng(hwnd, folder + L"\\host.png");
    DestroyWindow(hwnd);
    return saved ? 0 : 2;
}
