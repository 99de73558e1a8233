#include <qv.win/Camera.h>
#include <qv.win/Font.h>
#include <qv.win/Manager.h>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>

using qv::gl::Font;

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 60;
constexpr COLORREF kBlack = RGB(0, 0, 0);

struct Box {
    int left, bottom, right, top; // GL window coordinates, inclusive
};

// A bitmap surface cleared to black, unlit, in pixel units with the origin at the bottom left, as
// glRasterPos and glVertex take them.
class FontTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(manager.createBitmapGL(kWidth, kHeight));
        manager.setCamera(&camera);
        camera.setupOrthogonal2D(false);
        ::glDisable(GL_LIGHTING);
        ::glDisable(GL_DEPTH_TEST);
        clear();
    }
    void TearDown() override { manager.setCamera(nullptr); }

    CDC* dc() const { return manager.getDC(); }

    static void clear()
    {
        ::glClearColor(0, 0, 0, 1);
        ::glClear(GL_COLOR_BUFFER_BIT);
    }

    static void finish()
    {
        ::glFinish();
        ::GdiFlush();
    }

    // Bitmap text in red with its origin (the baseline's left end) at (x, y).
    void drawAt(Font& font, int x, int y, const char* text) const
    {
        ::glColor3f(1, 0, 0);
        ::glRasterPos2i(x, y);
        font.draw(text);
        finish();
    }

    // The colour at GL window coordinates (origin bottom left).
    COLORREF glPixel(int x, int y) const
    {
        COLORREF colour = CLR_INVALID;
        manager.getDIB().getPixel(static_cast<unsigned>(x), static_cast<unsigned>(kHeight - 1 - y), colour);
        return colour;
    }

    // Bounding box of every pixel that is not black, and how many there are.
    int litPixels(Box& box) const
    {
        int count = 0;
        box = {kWidth, kHeight, -1, -1};
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (glPixel(x, y) != kBlack) {
                    ++count;
                    box = {std::min(box.left, x), std::min(box.bottom, y), std::max(box.right, x),
                           std::max(box.top, y)};
                }
        return count;
    }

    int countColour(COLORREF colour) const
    {
        int count = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                count += glPixel(x, y) == colour ? 1 : 0;
        return count;
    }

    qv::gl::Manager manager;
    qv::gl::Camera camera{nullptr};
};

} // namespace

TEST_F(FontTest, CreateWithoutDCReturnsZeroAndChangesNothing)
{
    Font font;
    EXPECT_EQ(0, font.create(nullptr, "Tahoma", 14));
    EXPECT_EQ(0, font.createOutline(nullptr, "Tahoma", 14, 0.1f, true));
    EXPECT_EQ(nullptr, font.getDC());
    EXPECT_EQ(0u, font.getListBase());
    EXPECT_FALSE(font.isOutline());
    EXPECT_EQ(0, font.getLogFont()->lfHeight);
    EXPECT_EQ(L'\0', font.getLogFont()->lfFaceName[0]);
    EXPECT_EQ(0, font.changeFont("Tahoma", 14)) << "no DC stored";
}

TEST_F(FontTest, BitmapTextLightsTextColourInsideTheMeasuredExtent)
{
    Font font;
    ASSERT_NE(0, font.create(dc(), "Tahoma", 14));
    EXPECT_EQ(ANSI_CHARSET, font.getLogFont()->lfCharSet);
    const CSize extent = font.getOutputTextExtent("Hello");
    ASSERT_GT(extent.cx, 10);
    ASSERT_GT(extent.cy, 8);

    const int x = 20, y = 25;
    drawAt(font, x, y, "Hello");

    Box box{};
    const int lit = litPixels(box);
    EXPECT_GT(lit, 20);
    EXPECT_EQ(lit, countColour(RGB(255, 0, 0))) << "every lit pixel has the text colour";
    // The raster position is the baseline: glyphs rise above it and descend a little below.
    const int slack = 2;
    EXPECT_GE(box.left, x - slack);
    EXPECT_LE(box.right, x + extent.cx + slack);
    EXPECT_GE(box.bottom, y - extent.cy - slack);
    EXPECT_LE(box.top, y + extent.cy + slack);
    EXPECT_GT(box.right - box.left, extent.cx / 2) << "the text spans most of its measured width";
}

// The frame-rate overlay read "59.99FPS" when the space's list did not move the raster position.
TEST_F(FontTest, TheSpaceAdvancesTheRasterPositionByItsWidth)
{
    Font font;
    ASSERT_NE(0, font.create(dc(), "Tahoma", 14));
    const auto advance = [&](const char* text) {
        ::glRasterPos2i(20, 25);
        font.draw(text);
        GLfloat position[4] = {};
        ::glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
        return static_cast<LONG>(position[0]) - 20;
    };
    EXPECT_EQ(font.getOutputTextExtent(" ").cx, advance(" "));
    EXPECT_GT(advance(" "), 0);
    EXPECT_EQ(advance("1") + advance(" ") + advance("2"), advance("1 2"));
}

TEST_F(FontTest, OutlineListsDrawGeometry)
{
    Font font;
    ASSERT_NE(0, font.createOutline(dc(), "Tahoma", 14, 0.0f, true));
    EXPECT_TRUE(font.isOutline());
    ::glColor3f(0, 1, 0);
    ::glTranslatef(20, 15, 0);
    ::glScalef(30, 30, 1);
    font.draw("WM");
    finish();

    Box box{};
    EXPECT_GT(litPixels(box), 100);
    EXPECT_GT(countColour(RGB(0, 255, 0)), 100);
    EXPECT_GE(box.left, 18);
    EXPECT_GT(box.right - box.left, 30) << "two glyphs of about one em each at 30 pixels";
}

TEST_F(FontTest, DestroyFreesTheListsAndDrawThenDrawsNothing)
{
    Font font;
    ASSERT_NE(0, font.create(dc(), "Tahoma", 14));
    const unsigned base = font.getListBase();
    ASSERT_NE(0u, base);
    EXPECT_TRUE(::glIsList(base + 'H'));

    font.destroy();
    EXPECT_FALSE(::glIsList(base));
    EXPECT_FALSE(::glIsList(base + 'H'));
    EXPECT_EQ(0u, font.getListBase());
    EXPECT_EQ(L'\0', font.getLogFont()->lfFaceName[0]);

    drawAt(font, 20, 25, "Hello");
    Box box{};
    EXPECT_EQ(0, litPixels(box));
}

TEST_F(FontTest, FaceChoosesCharsetAndEmptyFaceTakesTheSystemFont)
{
    Font symbol;
    ASSERT_NE(0, symbol.create(dc(), "Symbol", 14));
    EXPECT_EQ(SYMBOL_CHARSET, symbol.getLogFont()->lfCharSet);

    LOGFONTW system{};
    ASSERT_NE(0, ::GetObjectW(::GetStockObject(SYSTEM_FONT), sizeof(system), &system));
    Font stock;
    ASSERT_NE(0, stock.create(dc(), "", 14));
    EXPECT_STREQ(system.lfFaceName, stock.getLogFont()->lfFaceName);
    EXPECT_EQ(system.lfHeight, stock.getLogFont()->lfHeight);
    drawAt(stock, 5, 30, "Hi");
    Box box{};
    EXPECT_GT(litPixels(box), 5);
}

TEST_F(FontTest, RebuildingReleasesThePreviousLists)
{
    Font font;
    ASSERT_NE(0, font.create(dc(), "Tahoma", 14));
    const unsigned first = font.getListBase();
    ASSERT_NE(0, font.changeFont("Tahoma", 20));
    EXPECT_FALSE(::glIsList(first) && first != font.getListBase());
    EXPECT_EQ(20, font.getLogFont()->lfHeight);
    EXPECT_GT(font.getOutputTextExtent("Hello").cy, 14);
}

TEST_F(FontTest, EachCharacterCallsTheListOfItsAnsiByte)
{
    if (::GetACP() != 1252)
        GTEST_SKIP() << "the byte values below are those of code page 1252";
    Font font;
    ASSERT_NE(0, font.create(dc(), "Tahoma", 14));
    drawAt(font, 20, 25, "\xC3\xA9\xE2\x82\xAC"); // U+00E9 and U+20AC: bytes 0xE9 and 0x80 of code page 1252
    Box drawn{};
    const int drawnCount = litPixels(drawn);
    ASSERT_GT(drawnCount, 10);

    clear();
    const GLubyte bytes[] = {0xE9, 0x80};
    ::glColor3f(1, 0, 0);
    ::glRasterPos2i(20, 25);
    ::glListBase(font.getListBase());
    ::glCallLists(2, GL_UNSIGNED_BYTE, bytes);
    finish();
    Box called{};
    EXPECT_EQ(drawnCount, litPixels(called));
    EXPECT_EQ(drawn.left, called.left);
    EXPECT_EQ(drawn.right, called.right) << "two glyphs, not one per UTF-8 byte";
}
