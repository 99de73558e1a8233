#pragma once

#include "qv.win.h"

#include <afxwin.h>

namespace qv::gl {

// A device-independent bitmap with addressable pixel memory and its own memory DC
// (compatible with the screen, the bitmap selected). The GL manager renders into one
// in bitmap mode and reads pictures back into one.
//
// Rows are bottom-up: row 0 in memory is the bottom row of the image. Pixel (x, y),
// y counted from the top, sits at byte ((height - y - 1) * totalWidth * bitCount) / 8
// + (bitCount * x) / 8 and holds blue, green, red (and an unused fourth byte at 32
// bits). Rows are addressed as exactly width * bitCount / 8 bytes, the real row length
// of 32-bit images: the only depth created; any other is refused.
class QV_WIN_API DIBSection {
public:
    // Construction

    DIBSection();
    DIBSection(const DIBSection& other);
    DIBSection& operator=(const DIBSection& other);
    virtual ~DIBSection();

    // Attributes

    HBITMAP getHandle() const { return bitmap; }
    void* getBits() { return bits; }
    const void* getConstBits() const { return bits; }
    bool isCreated() const { return bits != nullptr; }
    unsigned getWidth() const { return width; }
    unsigned getHeight() const { return height; }
    unsigned getTotalWidth() const { return totalWidth; }
    CDC* getDC() const { return dc; }
    const BITMAPINFOHEADER& getBIH() const { return bih; }
    WORD getBitCount() const { return bitCount; }

    // Operations

    // A cx by cy image (each at least 1) with a new memory DC; false when the depth is
    // not 32 (nothing created) or the platform refused the bitmap (an image without pixels).
    bool create(int cx, int cy, WORD bitCount);

    // A new image of the same depth on the same DC; the old contents are lost.
    bool resizeImage(int cx, int cy);

    // Nearest-neighbour copy of this image into target, created cx by cy.
    void resizeImage(DIBSection& target, int cx, int cy) const;

    void copy(const DIBSection& source);
    void destroy();

    // Copies the image to the target's origin; (x, y) is the offset into this image.
    void draw(CDC* target, int x, int y) const;

    // Pixels outside the image are ignored: getPixel leaves colour as it was.
    void getPixel(unsigned x, unsigned y, COLORREF& colour) const;
    void setPixel(unsigned x, unsigned y, COLORREF colour);

protected:
    // Implementation

    bool resizeImage(int cx, int cy, WORD bitCount);
    void destroyImage();
    void initObject();

private:
    BYTE* _pixelAddress(unsigned x, unsigned y) const;
    BYTE* _rowAddress(unsigned memoryRow) const;
    unsigned _bytesPerPixel() const { return bitCount / 8u; }

    HBITMAP bitmap;
    HBITMAP oldBitmap;
    void* bits;
    unsigned width;
    unsigned height;
    CDC* dc;
    unsigned totalWidth;
    BITMAPINFOHEADER bih;
    WORD bitCount;
};

} // namespace qv::gl
