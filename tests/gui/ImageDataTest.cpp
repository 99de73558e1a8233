#include <qv.win/ImageDC.h>
#include <qv.win/ImageData.h>

#include <qvtest/DibSurface.h>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

using qv::gui::ImageDC;
using qv::gui::ImageData;
using qvtest::DibSurface;
using namespace qvtest::colors;

namespace {

// A 4 x 4 image of 32 bits per pixel, every pixel the same premultiplied BGRA value.
void fill32(ImageData& image, BYTE blue, BYTE green, BYTE red, BYTE alpha)
{
    image.Create(4, 4, 32);
    for (int y = 0; y < 4; ++y) {
        auto* row = static_cast<BYTE*>(image.GetPixelAddress(0, y));
        for (int x = 0; x < 4; ++x) {
            BYTE* pixel = row + 4 * x;
            pixel[0] = blue;
            pixel[1] = green;
            pixel[2] = red;
            pixel[3] = alpha;
        }
    }
}

// The colour the image shows drawn at its size over white.
COLORREF drawnOverWhite(ImageData& image)
{
    DibSurface surface(8, 8, kWhite);
    image.drawImage(surface.dc(), CRect(0, 0, 8, 8), FALSE);
    return surface.pixel(4, 4);
}

TEST(ImageDataCopies, CopyDuplicatesTheBitmapAndMoveTakesItOver)
{
    ImageData original(L"caption");
    fill32(original, 0, 0, 200, 0);

    ImageData copy(original);
    EXPECT_NE(static_cast<HBITMAP>(original), static_cast<HBITMAP>(copy));
    EXPECT_EQ(RGB(200, 0, 0), copy.GetPixel(1, 1));
    EXPECT_EQ(CString(L"caption"), copy.getText());

    const HBITMAP handle = original;
    ImageData moved(std::move(original));
    EXPECT_EQ(handle, static_cast<HBITMAP>(moved));
    EXPECT_TRUE(original.IsNull());

    ImageData assigned;
    assigned = moved;
    EXPECT_NE(handle, static_cast<HBITMAP>(assigned));
    EXPECT_EQ(RGB(200, 0, 0), assigned.GetPixel(2, 2));
}

TEST(ImageDataCopies, PixelsWithAlphaMakeTheCopyBlend)
{
    struct Case {
        const char* name;
        BYTE red, alpha;
        COLORREF drawn;
    };
    const Case cases[] = {
        {"half transparent red blends", 128, 128, RGB(255, 127, 127)},
        {"no alpha anywhere is opaque", 128, 0, RGB(128, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImageData original;
        fill32(original, 0, 0, c.red, c.alpha);
        original.SetHasAlphaChannel(c.alpha != 0);
        ImageData copy(original);
        ImageData moved(std::move(original));
        EXPECT_TRUE(qvtest::nearColor(c.drawn, drawnOverWhite(copy)));
        EXPECT_TRUE(qvtest::nearColor(c.drawn, drawnOverWhite(moved)));
    }
}

TEST(ImageDCSurface, DrawsWhatItHoldsAndRefusesWhatItCannotHold)
{
    ImageDC image;
    image.create(10, 5, 32);
    ASSERT_TRUE(image.isCreated());
    image.getDC()->FillSolidRect(0, 0, 10, 5, RGB(0, 0, 255));
    image.getDC()->SetPixel(0, 0, RGB(255, 0, 0));

    DibSurface surface(20, 20, kWhite);
    image.draw(surface.dc(), 3, 4);
    EXPECT_EQ(RGB(255, 0, 0), surface.pixel(3, 4));
    EXPECT_EQ(RGB(0, 0, 255), surface.pixel(12, 8));
    EXPECT_EQ(kWhite, surface.pixel(13, 8));
    EXPECT_EQ(kWhite, surface.pixel(12, 9));

    struct Case {
        const char* name;
        std::function<void()> action;
        CSize size;
        WORD bitCount;
    };
    const Case cases[] = {
        {"no width keeps the bitmap", [&] { image.resize(0, 5); }, CSize(10, 5), 32},
        {"resize keeps the depth", [&] { image.resize(CSize(7, 3)); }, CSize(7, 3), 32},
        {"a depth with a colour table is refused", [&] { image.create(4, 4, 8); }, CSize(0, 0), 8},
        {"a new depth", [&] { image.create(CSize(6, 2), 24); }, CSize(6, 2), 24},
        {"destroyed", [&] { image.destroy(); }, CSize(0, 0), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.action();
        EXPECT_EQ(c.size, image.getSize());
        EXPECT_EQ(c.bitCount, image.getBitCount());
        EXPECT_EQ(c.size.cx > 0, image.isCreated());
        EXPECT_EQ(c.size.cx, image.getInfo().bmiHeader.biWidth);
    }
    EXPECT_EQ(nullptr, image.getDC());
}

} // namespace
