#include "qvtest/TestWindow.h"

#include "qvtest/Pump.h"

namespace qvtest {

namespace {

const wchar_t className[] = L"QvTestWindow";

void registerClassOnce(WNDPROC proc)
{
    static const ATOM atom = [proc] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = className;
        return RegisterClassExW(&wc);
    }();
    (void)atom;
}

} // namespace

TestWindow::TestWindow(int width, int height, Handler handler) : m_handler(std::move(handler))
{
    registerClassOnce(&TestWindow::windowProc);
    m_hwnd = CreateWindowExW(0, className, L"qv test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width,
                             height, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    pumpUntilIdle();
}

TestWindow::~TestWindow()
{
    if (IsWindow(m_hwnd))
        DestroyWindow(m_hwnd);
    pumpUntilIdle();
}

LRESULT CALLBACK TestWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    LRESULT result = 0;
    if (self && self->m_handler && self->m_handler(hwnd, message, wParam, lParam, result))
        return result;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace qvtest
