#pragma once

#include "qv.win.h"

#include <afxwin.h>

#include <functional>

namespace qv::gl {

// A system font as 256 OpenGL display lists, one per character code 0..255: bitmaps
// drawn at the raster position (create) or outlines drawn as geometry one em high in
// the current model-view (createOutline). Texts are UTF-8; each character goes
// through the thread's ANSI code page to the byte that selects its list.
//
// Copies share the display lists; the DC is borrowed and must outlive the font.
class QV_WIN_API Font {
public:
    // Construction

    Font();
    Font(const Font& other) = default;
    Font& operator=(const Font& other) = default;

    // Attributes

    LOGFONTW* getLogFont() { return &logFont; }
    CDC* getDC() const { return dc; }
    unsigned getListBase() const { return listBase; }
    bool isOutline() const { return outline; }

    // Operations

    // Rebuild the lists from the face (case-insensitive, "" for the stock system font)
    // on the stored DC; non-zero on success.
    int changeFont(const char* face, int height);
    int changeFontOutline(const char* face, int height, float extrusion, bool polygons);

    // Size of the text in device pixels of the DC; (0, 0) when the font cannot be made.
    CSize getOutputTextExtent(const char* text) const;

    // Overridables

    // A null DC returns 0 and changes nothing.
    virtual int create(CDC* dc, const char* face, int height);
    virtual int createOutline(CDC* dc, const char* face, int height, float extrusion, bool polygons);
    virtual void destroy();
    virtual void draw(const char* text);
    virtual ~Font();

private:
    using ListBuilder = std::function<BOOL(HDC, DWORD first, DWORD count, DWORD base)>;

    int _build(const char* face, int height, BYTE precision, const ListBuilder& buildLists);
    void _deleteLists();

    LOGFONTW logFont;
    CDC* dc;
    unsigned listBase;
    bool outline;
};

} // namespace qv::gl
