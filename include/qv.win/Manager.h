#pragma once

#include "qv.win.h"
#include "DIBSection.h"

#include "core/qv.Aabb.h"
#include "core/qv.Color.h"
#include "core/qv.Vector.h"

#include <afxwin.h>

#include <GL/glu.h>

namespace qv::gl {

class Camera;
class Font;

// Owns what a surface needs to be drawn with OpenGL (device context, pixel format,
// rendering context, a palette when the format needs one, the offscreen DIB section)
// and runs the render cycle through overridable hooks. A mix-in: the GL hosts inherit
// it beside their window class. The camera and the font are used, not owned.
//
// Window mode draws double-buffered into the window. Bitmap mode draws into a 32-bit
// DIB section that paint() copies to the window (if any); it renders again only after
// refreshScreen(..., true) or a resize, so GDI and GL drawing can be mixed and read back.
//
// One paint: onRenderGLPre, the render pass (make current; onClearGL and the
// background; push and reset the model-view; Camera::applyGL; the timed onRenderGL;
// the frame-rate overlay; pop; glFinish; swap), onRenderGLPost, onPaint. A render
// requested while any manager of the process is rendering is dropped, not nested.
//
// Managers are not copyable: they own a context, a DC and a palette by handle.
class QV_WIN_API Manager {
public:
    using color = qv::color<float, color_traits<float>>;
    using vector3 = basic_vector<3, float>;
    using vector2 = basic_vector<2, float>;
    using box3 = basic_aabb<3, float>;

    // A pick ray from the near plane to the far plane.
    struct Line3f {
        vector3 start{0, 0, 0};
        vector3 end{0, 0, 0};
    };

    enum Cursor : int {
        CursorArrow = 0,
        CursorCross = 1,
        CursorHand = 2,
        CursorMove = 3,
        CursorZoom = 4,
        CursorWait = 5,
    };

    enum BackgroundMode : int {
        BackgroundSolid = 0,
        BackgroundGradient = 1, // four corner colours
    };

    // Construction

    Manager();
    Manager(const Manager&) = delete;
    Manager& operator=(const Manager&) = delete;

    // Attributes

    CWnd* getWnd() const { return wnd; }
    CDC* getDC() const { return dc; }
    HGLRC getRC() const { return rc; }
    CSize getScreenSize() const { return screenSize; }
    DIBSection& getDIB() { return dib; }
    const DIBSection& getDIB() const { return dib; }
    CPalette* getPalette() const { return palette; }
    bool isDrawToBitmap() const { return drawToBitmap; }
    bool isRefreshScreenNow() const { return refreshScreenNow; }
    void setRefreshScreenNow(bool now) { refreshScreenNow = now; }
    Camera* getCamera() const { return camera; }
    // Returns the previous camera; the new one is attached and sized to the surface, unless the
    // surface has 0 pixels either way (as resizeGL).
    Camera* setCamera(Camera* newCamera);
    Font* getFont() const { return font; }
    void setFont(Font* newFont) { font = newFont; }
    double getFPS() const { return fps; }
    bool isViewFPS() const { return viewFPS; }
    void setViewFPS(bool view) { viewFPS = view; }
    const color& getColorFPS() const { return colorFPS; }
    void setColorFPS(const color& c) { colorFPS = c; }
    int getBackgroundMode() const { return backgroundMode; }
    void setBackgroundMode(int mode) { backgroundMode = mode; }
    void setColorBackground(const color& c);
    void setColorBackground(const color& topLeft, const color& topRight, const color& bottomLeft,
                            const color& bottomRight);
    void getColorBackground(color& topLeft, color& topRight, color& bottomLeft, color& bottomRight) const;
    Line3f getPickRay() const { return pickRay; }

    // Operations

    // Surface and context for a window (bitmap mode renders into a DIB of the client size).
    // False when any step fails; what was made is left for destroyGL.
    bool createGL(CWnd* window, bool toBitmap);
    // A window-less bitmap surface, initialised with onInitGL. Sides beyond INT_MAX are refused.
    bool createBitmapGL(unsigned cx, unsigned cy);
    void destroyGL();
    void initGL();
    void makeCurrent();
    // Stores the size; a surface of 0 pixels either way goes no further.
    void resizeGL(int cx, int cy);
    // One render as needed, shown in the window (nothing shown without one).
    void paint();
    // The same shown in target: a DC of the window itself gets the swap (window mode) or the
    // bitmap; any other DC, such as a memory DC, gets a copy of the picture in either mode.
    void paint(CDC* target);
    void renderGL();
    // dirty marks the bitmap picture for rendering again; now repaints synchronously.
    void refreshScreen(bool now, bool dirty);
    void clearBackground(bool callHook);
    void swapBuffers();
    void backupMatrix(double projection[16], double modelView[16], int viewport[4]) const;
    // Leaves the matrix mode at model-view.
    void restoreMatrix(const double projection[16], const double modelView[16], const int viewport[4]);

    // Window pixel (y down) at depth 0 (near plane) .. 1 (far plane) to GL object coordinates.
    vector3 convert2DTo3D(CPoint point, long depth);
    CPoint convert3DTo2D(vector3 world);
    // The same with matrices saved by backupMatrix, without touching the context.
    static CPoint convert3DTo2D(const double* projection, const double* modelView, const int* viewport,
                                vector3 world);

    // Picking, outside the render pass: the objects onPickGL draws under the window
    // rectangle centred on (x, y), y down. Returns the number of hit records (negative when
    // the buffer overflowed); 0 without a camera or a window.
    int pickObjects(unsigned* buffer, int bufferSize, int x, int y, int width, int height);
    // The names of the nearest hit record, in a new array the caller frees with delete[]; a
    // record of equal depth does not replace an earlier one, and a nearer record without names
    // keeps the earlier result. 0 leaves names null.
    static int getPickNameBuffer(unsigned* buffer, int hits, unsigned*& names);
    // The ray through a window pixel from the near plane to the far plane; false without a camera.
    bool calcPickRay(CPoint point, Line3f& ray);
    bool setPickRay(CPoint point);

    // Drawing primitives for the render hooks. Each keeps the GL state it changes to itself.
    // wire draws face outlines in the colour; otherwise faces are blended with alpha and
    // leave the depth buffer as it was.
    void drawBox3D(const box3& box, const color& c, bool wire, float alpha);
    void drawBox3D(const vector3 corners[8], const color& c, bool wire, float alpha);
    void drawPlane(const vector3 corners[4], const color& c, bool wire, float alpha);
    void drawCircle2D(const vector2& centre, float radius, const color& c, float unused);
    void drawCircle2DFill(const vector2& centre, float radius, const color& c, float unused);
    void drawSphear(const vector3& centre, double radius, const color& c, float unused, int slices, int stacks);
    // Bitmap text at a world position, or at the current raster position; nothing without a font.
    void drawText(vector3 position, const char* text);
    void drawText3D(const char* text);
    // Frame-rate overlay in pixel units, 10 pixels from the right edge with a shadow below.
    void drawFPS(color c);

    // Reading the picture back. getScreenShot reads the surface into a 32-bit image in the
    // given pixel format (GL_BGRA_EXT matches a DIB); false while a resize is pending.
    bool getScreenShot(DIBSection& image, unsigned format);
    // The current context's viewport as RGBA, bottom row first, into pixels (reallocated with
    // new[] when the size differs from width x height, which then become the viewport size).
    bool readRGBAPixels(int& width, int& height, unsigned char*& pixels, unsigned buffer);
    // The window's picture on the clipboard as a 24-bit CF_DIB, its width rounded down to a
    // multiple of 4 so that rows need no padding. False without a window.
    bool renderClipboard();

    // Overridables

    virtual ~Manager();
    virtual bool preTranslateMessage(MSG* message);
    virtual void setMouseCursor(Cursor cursor);
    // Fills the palette of a colour-index format.
    virtual bool onCreatePalette(LOGPALETTE* logicalPalette);
    virtual bool onCreateGL();
    // For hosts that create GL themselves; the manager never calls it.
    virtual bool onCreateGL(CWnd* window, PIXELFORMATDESCRIPTOR* format);
    virtual void onDestroyGL();
    virtual bool onCreateGLFont();
    virtual void onResizeGL(int cx, int cy);
    virtual void onInitGL();
    virtual bool onClearGL();
    virtual void onRenderGLPre();
    virtual void onRenderGL();
    virtual void onPickGL();
    virtual void onRenderGLPost();
    virtual void onPaint(CDC* target);

    // Tables of the 3-3-2 palette for 8-bit formats.
    static const BYTE _oneto8[2];
    static const BYTE _twoto8[4];
    static const BYTE _threeto8[8];
    static const int _defaultOverride[13];
    static const PALETTEENTRY _defaultPalEntry[20];

protected:
    void _initQuadric();

    GLUquadric* quadric;
    // Frames per second of the last render; derived managers may smooth or fix it.
    double fps;

private:
    // Saved GL state around drawing in window pixels (background gradient, overlay).
    struct PixelOverlay {
        double projection[16];
        double modelView[16];
        int viewport[4];
        bool lighting;
        bool depthTest;
    };

    bool setupPixelFormat(HDC hdc, BYTE bits, DWORD flags);
    bool setupPixelFormat(HDC hdc);
    bool createPalette();
    static BYTE componentFromIndex(int index, unsigned bits, unsigned shift);
    bool createGLContext(HDC hdc, bool replace);
    void deleteGLContext();
    bool _createBitmap(int cx, int cy);
    bool _hasPixels() const;
    bool _createContext();
    static void _fillPalette(LOGPALETTE* logicalPalette, const PIXELFORMATDESCRIPTOR& format);
    void _beginPixelOverlay(PixelOverlay& saved);
    void _endPixelOverlay(const PixelOverlay& saved);
    void _drawGradient();
    void _releaseCurrent();
    void _renderCycle(CDC* copyTarget);
    void _renderPass(CDC* copyTarget);
    void _copyPicture(CDC* target);
    bool _showsWindow(CDC* target) const;
    void _loadPickProjection(int x, int y, int width, int height, const GLint viewport[4]);
    void _drawFaces(const vector3* corners, const int (*faces)[4], int faceCount, const color& c, bool wire,
                    float alpha);

    CWnd* wnd;
    CDC* dc;
    HGLRC rc;
    CSize screenSize;
    DIBSection dib;
    BYTE colorBits;
    DWORD pixelFlags;
    CPalette* palette;
    CPalette* oldPalette;
    bool drawToBitmap;
    bool needRender;
    bool refreshScreenNow;
    Camera* camera;
    Font* font;
    bool viewFPS;
    color colorFPS;
    int backgroundMode;
    color colorBackground[4];
    Line3f pickRay;
};

} // namespace qv::gl
