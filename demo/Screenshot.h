#pragma once

#include <windows.h>

#include <string>

namespace demo {

// Copies the window's client area as it is on screen into a PNG file.
bool saveClientPng(HWND hwnd, const std::wstring& path);

} // namespace demo
