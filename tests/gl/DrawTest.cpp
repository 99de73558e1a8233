#include <qv.win/Camera.h>
#include <qv.win/Font.h>
#include <qv.win/Manager.h>

#include "GlHostSupport.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using qv::gl::Camera;
using qv::gl::Manager;
using colorf = Manager::color;

namespace {

constexpr int kSize = 120;
const colorf kRed{1, 0, 0, 1};
const colorf kGreen{0, 1, 0, 1};

// A bitmap surface cleared to black with pixel units (origin bottom left) or the camera's
// world set up, primitives drawn straight into it and read back from the DIB.
class Drawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(manager.createBitmapGL(kSize, kSize));
        manager.setCamera(&camera);
        ::glClearColor(0, 0, 0, 1);
        ::glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    void TearDown() override { manager.setCamera(nullptr); }

    void pixelUnits() { camera.setupOrthogonal2D(false); }

    void worldUnits()
    {
        camera.viewDirection(Camera::Front, false);
        camera.setupViewVolume(false);
    }

    // The colour at GL window coordinates (origin bottom left).
    COLORREF at(int x, int y)
    {
        ::glFinish();
        ::GdiFlush();
        COLORREF colour = CLR_INVALID;
        manager.getDIB().getPixel(static_cast<unsigned>(x), static_cast<unsigned>(kSize - 1 - y), colour);
        return colour;
    }

    Manager manager;
    Camera camera{nullptr};
};

TEST_F(Drawing, WireBoxOutlinesItsFacesAndRestoresThePolygonMode)
{
    pixelUnits();
    manager.drawBox3D(Manager::box3{{20.5f, 20.5f, 0}, {80.5f, 60.5f, 0}}, kRed, true, 0.5f);
    EXPECT_EQ(RGB(255, 0, 0), at(20, 40));
    EXPECT_EQ(RGB(255, 0, 0), at(50, 60));
    EXPECT_EQ(RGB(0, 0, 0), at(50, 40)) << "an outline only";
    GLint modes[2] = {};
    ::glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(GL_FILL, modes[0]);
    EXPECT_NE(GL_FALSE, ::glIsEnabled(GL_LIGHTING)) << "lighting back on";
}

TEST_F(Drawing, SolidFacesBlendWithTheirAlphaAndWriteNoDepth)
{
    pixelUnits();
    const Manager::vector3 corners[4] = {{10, 10, 0}, {60, 10, 0}, {60, 60, 0}, {10, 60, 0}};
    manager.drawPlane(corners, kRed, false, 0.5f);
    EXPECT_TRUE(closeTo(RGB(128, 0, 0), at(30, 30), 2));
    GLboolean depthWrites = GL_FALSE;
    ::glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_EQ(GL_TRUE, depthWrites) << "restored";
    EXPECT_EQ(GL_FALSE, ::glIsEnabled(GL_BLEND));

    const Manager::vector3 box[8] = {{70, 70, 0}, {110, 70, 0}, {110, 110, 0}, {70, 110, 0},
                                     {70, 70, 0}, {110, 70, 0}, {110, 110, 0}, {70, 110, 0}};
    manager.drawBox3D(box, kGreen, false, 1);
    EXPECT_EQ(RGB(0, 255, 0), at(90, 90)) << "eight given corners";
}

TEST_F(Drawing, BoxFacesFromTheAxisAlignedBoxCoverItFromEverySide)
{
    worldUnits();
    const Manager::box3 box{{-5, -5, -5}, {5, 5, 5}};
    for (const Camera::ViewDirection direction : {Camera::Front, Camera::Back, Camera::TopZUp, Camera::Isometric}) {
        SCOPED_TRACE(direction);
        camera.viewDirection(direction, false);
        ::glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        ::glLoadIdentity();
        camera.applyGL();
        manager.drawBox3D(box, kGreen, false, 1);
        EXPECT_EQ(RGB(0, 255, 0), at(kSize / 2, kSize / 2));
        EXPECT_EQ(RGB(0, 0, 0), at(2, 2));
    }
}

TEST_F(Drawing, CircleOutlineAndFilledDisc)
{
    pixelUnits();
    manager.drawCircle2D({40.5f, 60.5f}, 20, kRed, 0);
    EXPECT_EQ(RGB(255, 0, 0), at(40, 80)) << "the top";
    EXPECT_EQ(RGB(255, 0, 0), at(60, 60)) << "the right";
    EXPECT_EQ(RGB(255, 0, 0), at(20, 60)) << "the left";
    EXPECT_EQ(RGB(0, 0, 0), at(40, 60)) << "not filled";

    manager.drawCircle2DFill({90, 60}, 15, colorf(0, 1, 0, 0.5f), 0);
    EXPECT_TRUE(closeTo(RGB(0, 128, 0), at(90, 60), 2)) << "blended";
    EXPECT_TRUE(closeTo(RGB(0, 128, 0), at(90, 72), 2));
    EXPECT_EQ(RGB(0, 0, 0), at(90, 78)) << "outside the radius";
}

TEST_F(Drawing, SphereIsLitFromAboveAndDepthTested)
{
    manager.initGL();
    worldUnits();
    manager.drawSphear({0, 0, 0}, 6, colorf(0.3f, 0.3f, 0.3f, 1), 0, 32, 32);
    const COLORREF top = at(kSize / 2, kSize / 2 + 20);
    const COLORREF bottom = at(kSize / 2, kSize / 2 - 20);
    EXPECT_NE(RGB(0, 0, 0), bottom);
    EXPECT_GT(GetRValue(top), GetRValue(bottom)) << "the light shines from above";
    EXPECT_EQ(RGB(0, 0, 0), at(2, 2));
    EXPECT_EQ(GL_FALSE, ::glIsEnabled(GL_TEXTURE_2D)) << "restored";

    // A square behind the sphere stays hidden where the sphere is.
    const Manager::vector3 behind[4] = {{-3, -3, -8}, {3, -3, -8}, {3, 3, -8}, {-3, 3, -8}};
    manager.drawPlane(behind, kRed, false, 1);
    EXPECT_NE(RGB(255, 0, 0), at(kSize / 2, kSize / 2));
}

// The RGBA bytes of one pixel of a bottom-up buffer width pixels wide, alpha left out.
COLORREF rgbaAt(const unsigned char* pixels, int width, int x, int y)
{
    const unsigned char* pixel = pixels + (y * width + x) * 4;
    return RGB(pixel[0], pixel[1], pixel[2]);
}

TEST_F(Drawing, RGBAPixelsAreReadBottomRowFirstIntoABufferOfTheViewportSize)
{
    ::glEnable(GL_SCISSOR_TEST);
    ::glScissor(0, 0, 1, 1);
    ::glClearColor(1, 0, 0, 1);
    ::glClear(GL_COLOR_BUFFER_BIT);
    ::glDisable(GL_SCISSOR_TEST);
    ::glFinish();

    int width = 7, height = 3;
    unsigned char* pixels = new unsigned char[7 * 3 * 4];
    ASSERT_TRUE(manager.readRGBAPixels(width, height, pixels, GL_FRONT));
    EXPECT_EQ(kSize, width);
    EXPECT_EQ(kSize, height);
    EXPECT_EQ(RGB(255, 0, 0), rgbaAt(pixels, width, 0, 0)) << "the bottom-left pixel first";
    EXPECT_EQ(RGB(0, 0, 0), rgbaAt(pixels, width, 0, 1));
    EXPECT_EQ(RGB(0, 0, 0), rgbaAt(pixels, width, kSize - 1, kSize - 1));

    const unsigned char* const reused = pixels;
    std::fill_n(pixels, kSize * kSize * 4, 0x55);
    ASSERT_TRUE(manager.readRGBAPixels(width, height, pixels, GL_FRONT));
    EXPECT_EQ(reused, pixels) << "a buffer of the viewport size is reused";
    EXPECT_EQ(RGB(255, 0, 0), rgbaAt(pixels, width, 0, 0));
    delete[] pixels;

    unsigned char* none = nullptr;
    EXPECT_FALSE(manager.readRGBAPixels(width, height, none, GL_FRONT)) << "the viewport size but no buffer";
    EXPECT_EQ(nullptr, none);

    ::glViewport(0, 0, 0, kSize);
    width = 0;
    EXPECT_FALSE(manager.readRGBAPixels(width, height, none, GL_FRONT)) << "an empty viewport";
    EXPECT_EQ(0, width);
    EXPECT_EQ(nullptr, none);
}

// A manager other than the one asked may be current (another window just rendered, say): its
// viewport and pixels are read, and it stays current.
TEST_F(Drawing, RGBAPixelsComeFromTheCurrentContext)
{
    Manager other;
    ASSERT_TRUE(other.createBitmapGL(40, 30));
    ASSERT_EQ(other.getRC(), ::wglGetCurrentContext());
    int width = 0, height = 0;
    unsigned char* pixels = nullptr;
    ASSERT_TRUE(manager.readRGBAPixels(width, height, pixels, GL_FRONT));
    delete[] pixels;
    EXPECT_EQ(40, width);
    EXPECT_EQ(30, height);
    EXPECT_EQ(other.getRC(), ::wglGetCurrentContext());
}

TEST_F(Drawing, AWindowlessSurfaceGivesAScreenShotButNoClipboard)
{
    qv::gl::DIBSection shot;
    ASSERT_TRUE(manager.getScreenShot(shot, GL_BGRA_EXT));
    EXPECT_EQ(static_cast<unsigned>(kSize), shot.getWidth());
    EXPECT_EQ(static_cast<unsigned>(kSize), shot.getHeight());
    EXPECT_FALSE(manager.renderClipboard());
}

// Records what it is asked to draw.
class RecordingFont : public qv::gl::Font {
public:
    std::vector<std::string> texts;
    void draw(const char* text) override
    {
        texts.emplace_back(text);
        Font::draw(text);
    }
};

TEST_F(Drawing, TextGoesToTheFontAtTheRasterPosition)
{
    pixelUnits();
    manager.drawText({10, 10, 0}, "no font");
    RecordingFont font;
    ASSERT_NE(0, font.create(manager.getDC(), "Tahoma", 14));
    manager.setFont(&font);
    ::glColor3f(1, 1, 1);
    manager.drawText({10, 60, 0}, "WWW");
    manager.drawText3D("3D");
    EXPECT_EQ((std::vector<std::string>{"WWW", "3D"}), font.texts);
    int lit = 0;
    for (int x = 10; x < 40; ++x)
        for (int y = 60; y < 72; ++y)
            lit += at(x, y) != RGB(0, 0, 0);
    EXPECT_GT(lit, 20) << "glyphs right and above the raster position";
    GLfloat raster[4] = {};
    ::glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
    EXPECT_GT(raster[0], 40) << "advanced past both texts";
    font.destroy();
}

TEST_F(Drawing, FrameRateTextIsRoundedToTwoDecimals)
{
    class FixedRate : public Manager {
    public:
        void setRate(double rate) { fps = rate; }
    };
    FixedRate overlay;
    ASSERT_TRUE(overlay.createBitmapGL(200, 40));
    Camera overlayCamera(&overlay);
    overlay.setCamera(&overlayCamera);
    RecordingFont font;
    ASSERT_NE(0, font.create(overlay.getDC(), "Tahoma", 14));
    overlay.setFont(&font);
    overlay.setRate(59.999);
    overlay.drawFPS(kGreen);
    EXPECT_EQ((std::vector<std::string>{"60.00 FPS", "60.00 FPS"}), font.texts) << "shadow, then text";
    font.destroy();
    overlay.setCamera(nullptr);
}

} // namespace
