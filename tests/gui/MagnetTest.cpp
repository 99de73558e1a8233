#include <qv.win/Magnet.h>

#include "qvtest/Pump.h"

#include <gtest/gtest.h>

#include <climits>

using qv::gui::Magnet;

namespace {

const wchar_t kMovingClass[] = L"MagnetTestWindow";
const wchar_t kTaskbarClass[] = L"Shell_TrayWnd";
const int kWidth = 300;
const int kHeight = 200;
const int kTaskbarThickness = 40;

// Hands every message to the magnet stored in the window's user data, as a host's window
// procedure would.
LRESULT CALLBACK magneticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (auto* magnet = reinterpret_cast<Magnet*>(::GetWindowLongPtr(hwnd, GWLP_USERDATA))) {
        MSG msg{hwnd, message, wParam, lParam, 0, {}};
        magnet->translateMessage(&msg);
    }
    return ::DefWindowProc(hwnd, message, wParam, lParam);
}

void registerClass(const wchar_t* name, WNDPROC proc)
{
    WNDCLASS windowClass{};
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = ::GetModuleHandle(nullptr);
    windowClass.lpszClassName = name;
    ::RegisterClass(&windowClass);
}

// A window shown without activation (destroying an activated one waits for a window manager).
HWND createWindow(const wchar_t* className, DWORD style, const CRect& rect, HWND parent = nullptr)
{
    registerClass(kMovingClass, magneticProc);
    registerClass(kTaskbarClass, ::DefWindowProc);
    const HWND hwnd = ::CreateWindowEx(0, className, L"", style, rect.left, rect.top, rect.Width(), rect.Height(),
                                       parent, nullptr, ::GetModuleHandle(nullptr), nullptr);
    ::ShowWindow(hwnd, SW_SHOWNA);
    return hwnd;
}

class Window {
public:
    Window(const wchar_t* className, const CRect& rect, HWND parent = nullptr)
        : hwnd(createWindow(className, parent ? WS_CHILD : WS_POPUP, rect, parent))
    {
    }
    ~Window() { ::DestroyWindow(hwnd); }

    void attach(Magnet& magnet) { ::SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&magnet)); }
    // Moves to the proposed corner; returns where the window ended, in its parent's coordinates.
    CPoint moveTo(CPoint proposed)
    {
        ::SetWindowPos(hwnd, nullptr, proposed.x, proposed.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        CRect rect;
        ::GetWindowRect(hwnd, &rect);
        ::MapWindowPoints(nullptr, ::GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
        return rect.TopLeft();
    }

    const HWND hwnd;
};

CRect desktop()
{
    CRect rect;
    ::GetWindowRect(::GetDesktopWindow(), &rect);
    return rect;
}

TEST(Magnet, SnapsToTheDesktopEdgesKeepingTheTaskbarFree)
{
    const CRect d = desktop();
    const int t = kTaskbarThickness;
    struct Case {
        const char* label;
        CRect taskbar;
        CPoint proposed;
        CPoint expected;
    };
    const Case cases[] = {
        {"bottom bar, near the left edge", {0, d.bottom - t, d.right, d.bottom}, {7, 500}, {0, 500}},
        {"bottom bar, beyond the snap distance", {0, d.bottom - t, d.right, d.bottom}, {11, 500}, {11, 500}},
        {"bottom bar, left and top outside", {0, d.bottom - t, d.right, d.bottom}, {-8, -10}, {0, 0}},
        {"bottom bar, right edge and onto the bar",
         {0, d.bottom - t, d.right, d.bottom},
         {d.right - kWidth - 5, d.bottom - t - kHeight + 4},
         {d.right - kWidth, d.bottom - t - kHeight}},
        {"bottom bar, free in the middle", {0, d.bottom - t, d.right, d.bottom}, {500, 400}, {500, 400}},
        {"top bar, from above", {0, 0, d.right, t}, {300, -10}, {300, t}},
        {"top bar, from below", {0, 0, d.right, t}, {300, t + 10}, {300, t}},
        {"top bar, beyond", {0, 0, d.right, t}, {300, t + 11}, {300, t + 11}},
        {"left bar", {0, 0, t, d.bottom}, {t + 9, 300}, {t, 300}},
        {"right bar", {d.right - t, 0, d.right, d.bottom}, {d.right - t - kWidth + 3, 300}, {d.right - t - kWidth, 300}},
        {"left bar off the corner", {1, 1, t, d.bottom}, {t + 5, 300}, {t, 300}},
    };
    Window moving(kMovingClass, CRect(100, 100, 100 + kWidth, 100 + kHeight));
    Magnet magnet;
    ASSERT_TRUE(magnet.setWindow(moving.hwnd, nullptr));
    moving.attach(magnet);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Window taskbar(kTaskbarClass, c.taskbar);
        ASSERT_EQ(::FindWindow(kTaskbarClass, nullptr), taskbar.hwnd);
        EXPECT_EQ(moving.moveTo(c.proposed), c.expected);
    }
}

TEST(Magnet, SnapsAChildToItsParentsEdgesWithTheGivenDistances)
{
    const CRect parentRect(50, 50, 450, 350);
    struct Case {
        const char* label;
        int snapX;
        int snapY;
        CPoint proposed;
        CPoint expected;
    };
    const Case cases[] = {
        {"right and top", 10, 10, {296, 5}, {300, 0}},
        {"left and bottom", 10, 10, {-4, 246}, {0, 250}},
        {"no horizontal snapping", 0, 20, {3, 15}, {3, 0}},
        {"negative distances snap nothing", -5, -5, {0, 1}, {0, 1}},
        {"huge distances end flush right and bottom", INT_MAX, INT_MAX, {123, 45}, {300, 250}},
    };
    Window parent(kMovingClass, parentRect);
    Window child(kMovingClass, CRect(10, 10, 110, 60), parent.hwnd);
    Magnet magnet;
    child.attach(magnet);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE(magnet.setWindow(child.hwnd, parent.hwnd, c.snapX, c.snapY));
        EXPECT_EQ(child.moveTo(c.proposed), c.expected);
    }
}

TEST(Magnet, LeavesMaximisedAndVanishedWindowsAlone)
{
    Window parent(kMovingClass, CRect(0, 0, 400, 300));
    Window child(kMovingClass, CRect(10, 10, 110, 60), parent.hwnd);
    Magnet magnet;
    child.attach(magnet);
    ASSERT_TRUE(magnet.setWindow(child.hwnd, parent.hwnd));

    ::ShowWindow(child.hwnd, SW_MAXIMIZE);
    EXPECT_EQ(child.moveTo({5, 5}), CPoint(5, 5)) << "maximised";
    ::ShowWindow(child.hwnd, SW_RESTORE);

    Window* target = new Window(kMovingClass, CRect(0, 0, 400, 300));
    ASSERT_TRUE(magnet.setWindow(child.hwnd, target->hwnd));
    delete target;
    EXPECT_EQ(child.moveTo({5, 5}), CPoint(5, 5)) << "target destroyed";
}

TEST(Magnet, RefusesMissingWindowsAndKeepsItsSettings)
{
    Window parent(kMovingClass, CRect(0, 0, 400, 300));
    Window child(kMovingClass, CRect(10, 10, 110, 60), parent.hwnd);
    HWND destroyed = createWindow(kMovingClass, WS_POPUP, CRect(0, 0, 10, 10));
    ::DestroyWindow(destroyed);
    Magnet magnet;
    child.attach(magnet);
    ASSERT_TRUE(magnet.setWindow(child.hwnd, parent.hwnd, 10, 10));

    struct Case {
        const char* label;
        HWND window;
        HWND target;
    };
    const Case cases[] = {
        {"no window", nullptr, parent.hwnd},
        {"destroyed window", destroyed, parent.hwnd},
        {"destroyed target", child.hwnd, destroyed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_FALSE(magnet.setWindow(c.window, c.target, 0, 0));
        EXPECT_EQ(child.moveTo({5, 5}), CPoint(0, 0)) << "still snapping to the parent";
    }
    EXPECT_FALSE(magnet.setWindow(static_cast<CWnd*>(nullptr)));
}

} // namespace
