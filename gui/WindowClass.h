#pragma once

#include <afxwin.h>

namespace qv::gui {

// Registers a window class of this module with the default window procedure, the arrow cursor and
// no background brush, unless the process has it already, so that dialog templates can name it.
// Failure throws CResourceException.
void registerWindowClass(const wchar_t* name, UINT style);

} // namespace qv::gui
