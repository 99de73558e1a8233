#pragma once

#include <windows.h>

namespace qvtest {

enum class MouseButton { Left, Right, Middle };

// Real input through SendInput. Tests that use these need the LOCK option of qv_add_test.

// Makes the window's top-level window the foreground window; true when it is.
bool bringToForeground(HWND hwnd);
// Moves the cursor to a point in the window's client coordinates (a WM_MOUSEMOVE follows).
void moveMouse(HWND hwnd, POINT client);
// Moves there, then presses and releases the button.
void click(HWND hwnd, POINT client, MouseButton button = MouseButton::Left);
void mouseDown(HWND hwnd, POINT client, MouseButton button = MouseButton::Left);
void mouseUp(HWND hwnd, POINT client, MouseButton button = MouseButton::Left);
// Presses and releases a virtual key; keyDown/keyUp send one transition each.
void pressKey(WORD virtualKey);
void keyDown(WORD virtualKey);
void keyUp(WORD virtualKey);

} // namespace qvtest
