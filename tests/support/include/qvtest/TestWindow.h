#pragma once

#include <windows.h>

#include <functional>

namespace qvtest {

// A visible top-level popup window for tests, destroyed with the object. Messages
// go to handler when one is set and it returns true; otherwise to DefWindowProc.
class TestWindow {
public:
    using Handler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)>;

    explicit TestWindow(int width = 320, int height = 240, Handler handler = {});
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow();

    HWND hwnd() const { return m_hwnd; }
    operator HWND() const { return m_hwnd; }

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    Handler m_handler;
    HWND m_hwnd = nullptr;
};

} // namespace qvtest
