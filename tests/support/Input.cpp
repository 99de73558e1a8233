#include "qvtest/Input.h"

namespace qvtest {

namespace {

DWORD buttonFlags(MouseButton button, bool down)
{
    switch (button) {
    case MouseButton::Right:
        return down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    case MouseButton::Middle:
        return down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
    case MouseButton::Left:
        break;
    }
    return down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
}

void sendMouse(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof input);
}

void sendKey(WORD virtualKey, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = flags;
    ::SendInput(1, &input, sizeof input);
}

} // namespace

bool bringToForeground(HWND hwnd)
{
    HWND top = ::GetAncestor(hwnd, GA_ROOT);
    ::SetForegroundWindow(top);
    return ::GetForegroundWindow() == top;
}

void moveMouse(HWND hwnd, POINT client)
{
    ::ClientToScreen(hwnd, &client);
    ::SetCursorPos(client.x, client.y);
    sendMouse(MOUSEEVENTF_MOVE);
}

void mouseDown(HWND hwnd, POINT client, MouseButton button)
{
    moveMouse(hwnd, client);
    sendMouse(buttonFlags(button, true));
}

void mouseUp(HWND hwnd, POINT client, MouseButton button)
{
    moveMouse(hwnd, client);
    sendMouse(buttonFlags(button, false));
}

void click(HWND hwnd, POINT client, MouseButton button)
{
    mouseDown(hwnd, client, button);
    sendMouse(buttonFlags(button, false));
}

void keyDown(WORD virtualKey)
{
    sendKey(virtualKey, 0);
}

void keyUp(WORD virtualKey)
{
    sendKey(virtualKey, KEYEVENTF_KEYUP);
}

void pressKey(WORD virtualKey)
{
    keyDown(virtualKey);
    keyUp(virtualKey);
}

} // namespace qvtest
