#pragma once

// What the window host and the view host do alike, each with its own fields.

#include <qv.win/Manager.h>

#include <afxwin.h>

namespace qv::gl {

class Camera;
class Font;

namespace host {

// Registers the class unless the process has it already; failure throws CResourceException.
void registerClass(WNDCLASS& windowClass);

// The host's default camera (replacing the one it may have), attached to the manager.
bool createCamera(Manager& manager, Camera*& camera);
// The host's "Tahoma" 14 font on the manager's DC, set on the manager when it was built.
bool createFont(Manager& manager, Font*& font);
// Deletes the font's display lists in the manager's context, not in whichever is current.
void releaseFont(Manager& manager, Font* font);
void enableLighting();

// Realises the manager's palette, if any, in the foreground; repaints when entries changed.
BOOL realizePalette(CWnd& window, const Manager& manager);

} // namespace host
} // namespace qv::gl
