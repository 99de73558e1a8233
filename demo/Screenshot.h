#pragma once

#include <qv.win/DIBSection.h>

#include <string>

namespace demo {

// Writes a 32-bit image as a PNG file through GDI+.
bool savePng(const qv::gl::DIBSection& image, const std::wstring& path);

} // namespace demo
