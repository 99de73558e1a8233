#include <atlimage.h>

#include <gtest/gtest.h>

#include "qvtest/DibSurface.h"

using qvtest::DibSurface;

using namespace qvtest::colors;

namespace {

const BYTE* byteAt(const CImage& image, int x, int y)
{
    return static_cast<const BYTE*>(image.GetPixelAddress(x, y));
}

TEST(ImageTest, RowsAreAddressedTopDownWhateverTheOrientation)
{
    struct Case {
        int bpp;
        int height;
        int pitch;
    };
    const Case cases[] = {{24, 3, -16}, {24, -3, 16}, {32, 3, -20}, {32, -3, 20}, {8, 3, -8}, {1, -3, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bpp << " bpp, height " << c.height);
        CImage image;
        ASSERT_TRUE(image.Create(5, c.height, c.bpp));
        EXPECT_EQ(image.GetWidth(), 5);
        EXPECT_EQ(image.GetHeight(), 3);
        EXPECT_EQ(image.GetBPP(), c.bpp);
        EXPECT_EQ(image.GetPitch(), c.pitch);
        EXPECT_EQ(image.GetBits(), image.GetPixelAddress(0, 0));
        EXPECT_EQ(byteAt(image, 1, 2), byteAt(image, 0, 0) + 2 * c.pitch + c.bpp / 8);

        // The DIB section's memory starts with the bottom row of a bottom-up bitmap.
        DIBSECTION section{};
        ASSERT_EQ(GetObject(image, sizeof(section), &section), int(sizeof(section)));
        EXPECT_EQ(section.dsBm.bmBits, image.GetPixelAddress(0, c.height > 0 ? 2 : 0));
    }
}

TEST(ImageTest, PixelWrittenThroughItsAddressIsWhatGdiSees)
{
    for (int height : {4, -4}) {
        SCOPED_TRACE(height);
        CImage image;
        ASSERT_TRUE(image.Create(4, height, 24));
        BYTE* pixel = static_cast<BYTE*>(image.GetPixelAddress(1, 2));
        pixel[0] = 0x30, pixel[1] = 0x20, pixel[2] = 0x10; // blue, green, red
        EXPECT_EQ(image.GetPixel(1, 2), RGB(0x10, 0x20, 0x30));
        EXPECT_EQ(image.GetPixel(2, 1), RGB(0, 0, 0));
    }
}

TEST(ImageTest, CreateRejectsWhatADibSectionCannotBe)
{
    const DWORD masks[] = {0xF800, 0x07E0, 0x001F};
    CImage image;
    EXPECT_FALSE(image.Create(0, 4, 24));
    EXPECT_FALSE(image.Create(4, 0, 24));
    EXPECT_FALSE(image.Create(4, 4, 7));
    EXPECT_FALSE(image.Create(4, 4, 24, CImage::createAlphaChannel));
    EXPECT_FALSE(image.CreateEx(4, 4, 24, BI_BITFIELDS, masks));
    EXPECT_FALSE(image.CreateEx(4, 4, 16, BI_BITFIELDS));
    EXPECT_TRUE(image.IsNull());
    EXPECT_EQ(image.GetBits(), nullptr);
    EXPECT_EQ(image.GetPixelAddress(1, 1), nullptr);

    ASSERT_TRUE(image.CreateEx(4, 4, 16, BI_BITFIELDS, masks));
    EXPECT_EQ(image.GetPitch(), -8);
    *static_cast<WORD*>(image.GetPixelAddress(0, 0)) = 0x07E0;
    EXPECT_EQ(image.GetPixel(0, 0), kGreen);
}

TEST(ImageTest, AttachTakesTheBitmapAndDetachGivesItBack)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 6, -2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap, nullptr);

    // Wine reports every DIB section as bottom-up, so the top-down one is named here.
    CImage image;
    image.Attach(bitmap, CImage::DIBOR_TOPDOWN);
    EXPECT_EQ(HBITMAP(image), bitmap);
    EXPECT_TRUE(image.IsDIBSection());
    EXPECT_EQ(image.GetWidth(), 6);
    EXPECT_EQ(image.GetHeight(), 2);
    EXPECT_EQ(image.GetPitch(), 24);
    EXPECT_EQ(image.GetBits(), bits);

    EXPECT_EQ(image.Detach(), bitmap);
    EXPECT_TRUE(image.IsNull());
    image.Attach(bitmap, CImage::DIBOR_BOTTOMUP);
    EXPECT_EQ(image.GetPitch(), -24);
    EXPECT_EQ(image.GetPixelAddress(0, 1), bits);

    EXPECT_EQ(image.Detach(), bitmap);
    BITMAP still{};
    EXPECT_EQ(GetObject(bitmap, sizeof(still), &still), int(sizeof(still)));
    DeleteObject(bitmap);
}

// A screen-compatible bitmap, as a control paints one, keyed on its background.
TEST(ImageTest, DeviceDependentBitmapHasNoBitsButBlitsWithAKey)
{
    HDC screen = GetDC(nullptr);
    CImage image;
    image.Attach(CreateCompatibleBitmap(screen, 7, 5));
    ReleaseDC(nullptr, screen);
    EXPECT_FALSE(image.IsDIBSection());
    EXPECT_EQ(image.GetWidth(), 7);
    EXPECT_EQ(image.GetHeight(), 5);
    EXPECT_EQ(image.GetBits(), nullptr);
    EXPECT_EQ(image.GetPitch(), 0);

    const RECT all{0, 0, 7, 5};
    const RECT middle{3, 0, 4, 5};
    HDC dc = image.GetDC();
    HBRUSH magenta = CreateSolidBrush(kMagenta);
    HBRUSH green = CreateSolidBrush(kGreen);
    FillRect(dc, &all, magenta);
    FillRect(dc, &middle, green);
    image.ReleaseDC();
    DeleteObject(magenta);
    DeleteObject(green);

    DibSurface surface(7, 5, kBlue);
    ASSERT_TRUE(image.TransparentBlt(surface.hdc(), 0, 0, 7, 5, kMagenta));
    EXPECT_EQ(surface.row(2, 2, 5), (std::vector<COLORREF>{kBlue, kGreen, kBlue}));
}

TEST(ImageTest, NestedGetDCSharesOneDCUntilTheLastRelease)
{
    CImage image;
    ASSERT_TRUE(image.Create(2, 2, 24));
    HDC first = image.GetDC();
    EXPECT_EQ(image.GetDC(), first);

    // A bitmap can be selected into one DC at a time.
    HDC other = CreateCompatibleDC(nullptr);
    image.ReleaseDC();
    EXPECT_EQ(SelectObject(other, image), nullptr);
    image.ReleaseDC();
    HGDIOBJ previous = SelectObject(other, image);
    EXPECT_NE(previous, nullptr);
    SelectObject(other, previous);
    DeleteDC(other);
}

TEST(ImageTest, TransparentIndexSelectsTheKeyFromTheColourTable)
{
    CImage image;
    ASSERT_TRUE(image.Create(2, 1, 8));
    const RGBQUAD colors[] = {{0, 0, 0, 0}, {255, 0, 255, 0}, {0, 255, 0, 0}};
    image.SetColorTable(0, 3, colors);
    BYTE* indices = static_cast<BYTE*>(image.GetBits());
    indices[0] = 1, indices[1] = 2;

    EXPECT_EQ(image.SetTransparentColor(1), -1);
    EXPECT_EQ(image.SetTransparentColor(256), 1); // outside the table: ignored
    EXPECT_EQ(image.GetTransparentColor(), 1);

    DibSurface surface(4, 1, kBlue);
    ASSERT_TRUE(image.Draw(surface.hdc(), 0, 0));
    EXPECT_EQ(surface.row(0, 0, 4), (std::vector<COLORREF>{kBlue, kGreen, kBlue, kBlue}));

    // Stretched to twice the width, both copies of the key stay transparent.
    surface.fill(kBlue);
    ASSERT_TRUE(image.Draw(surface.hdc(), RECT{0, 0, 4, 1}));
    EXPECT_EQ(surface.row(0, 0, 4), (std::vector<COLORREF>{kBlue, kBlue, kGreen, kGreen}));

    EXPECT_EQ(image.SetTransparentColor(-1), 1);
    ASSERT_TRUE(image.Draw(surface.hdc(), 0, 0));
    EXPECT_EQ(surface.pixel(0, 0), kMagenta);

    // A colour-table-less image takes no index at all.
    CImage rgb;
    ASSERT_TRUE(rgb.Create(2, 1, 24));
    EXPECT_EQ(rgb.SetTransparentColor(0), -1);
    EXPECT_EQ(rgb.GetTransparentColor(), -1);
}

// A 32-bit image with alpha: half-transparent blue (premultiplied) and fully transparent.
void makeAlphaPair(CImage& image)
{
    ASSERT_TRUE(image.Create(2, 1, 32, CImage::createAlphaChannel));
    BYTE* pixels = static_cast<BYTE*>(image.GetBits());
    const BYTE halfBlue[] = {128, 0, 0, 128};
    std::copy(std::begin(halfBlue), std::end(halfBlue), pixels);
}

TEST(ImageTest, DrawBlendsAnImageWithAnAlphaChannel)
{
    CImage image;
    makeAlphaPair(image);
    DibSurface surface(2, 1, kWhite);
    ASSERT_TRUE(image.Draw(surface.hdc(), 0, 0));
    EXPECT_PRED2(qvtest::nearColor, surface.pixel(0, 0), RGB(127, 127, 255));
    EXPECT_EQ(surface.pixel(1, 0), kWhite);

    // Without the flag the same pixels are copied as they are.
    image.SetHasAlphaChannel(false);
    ASSERT_TRUE(image.Draw(surface.hdc(), 0, 0));
    EXPECT_EQ(surface.row(0, 0, 2), (std::vector<COLORREF>{RGB(0, 0, 128), RGB(0, 0, 0)}));
}

TEST(ImageTest, InterpolatedDrawGoesThroughGdiplus)
{
    CImage image;
    ASSERT_TRUE(image.Create(2, 1, 24));
    image.SetPixel(0, 0, kMagenta);
    image.SetPixel(1, 0, kGreen);
    DibSurface surface(4, 1, kBlue);
    ASSERT_TRUE(image.Draw(surface.hdc(), RECT{0, 0, 4, 1}, Gdiplus::InterpolationModeNearestNeighbor));
    EXPECT_EQ(surface.row(0, 0, 4), (std::vector<COLORREF>{kMagenta, kMagenta, kGreen, kGreen}));

    CImage alpha;
    makeAlphaPair(alpha);
    surface.fill(kWhite);
    ASSERT_TRUE(alpha.Draw(surface.hdc(), RECT{0, 0, 2, 1}, RECT{0, 0, 2, 1},
                           Gdiplus::InterpolationModeNearestNeighbor));
    EXPECT_PRED2(qvtest::nearColor, surface.pixel(0, 0), RGB(127, 127, 255));
    EXPECT_EQ(surface.pixel(1, 0), kWhite);

    CImage empty;
    EXPECT_FALSE(empty.Draw(surface.hdc(), RECT{0, 0, 2, 1}, Gdiplus::InterpolationModeNearestNeighbor));
}

} // namespace
