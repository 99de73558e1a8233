#include <atlimage.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qvtest/DibSurface.h"

using qvtest::DibSurface;

namespace {

// 3 x 1 RGBA: opaque red, fully transparent green, blue at alpha 128.
const BYTE kAlphaPng[] = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00,
    0x00, 0x03, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0x1B, 0xE0, 0x14, 0xB4, 0x00, 0x00, 0x00,
    0x12, 0x49, 0x44, 0x41, 0x54, 0x78, 0xDA, 0x63, 0xF8, 0xCF, 0xC0, 0xF0, 0x1F, 0x08, 0x81, 0xE0, 0x7F, 0x03,
    0x00, 0x1E, 0x6F, 0x04, 0x7D, 0x72, 0xCE, 0xD4, 0x25, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE,
    0x42, 0x60, 0x82};

std::wstring tempPath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

void writeFile(const std::wstring& path, const void* data, DWORD size)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, data, size, &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, size);
}

// A 24-bit bottom-up BMP, 2 x 2: top row red, green; bottom row blue, white.
std::vector<BYTE> makeBmp()
{
    const BYTE rows[] = {255, 0, 0, 255, 255, 255, 0, 0,   // bottom: blue, white, padding
                         0, 0, 255, 0, 255, 0, 0, 0};      // top: red, green, padding
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{sizeof(BITMAPINFOHEADER), 2, 2, 1, 24, BI_RGB, sizeof(rows), 2835, 2835, 0, 0};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + sizeof(rows);
    std::vector<BYTE> bytes(file.bfSize);
    memcpy(bytes.data(), &file, sizeof(file));
    memcpy(bytes.data() + sizeof(file), &info, sizeof(info));
    memcpy(bytes.data() + file.bfOffBits, rows, sizeof(rows));
    return bytes;
}

void expectAlphaPngDrawn(const CImage& image)
{
    EXPECT_EQ(image.GetWidth(), 3);
    EXPECT_EQ(image.GetHeight(), 1);
    EXPECT_EQ(image.GetBPP(), 32);
    DibSurface surface(3, 1, RGB(255, 255, 255));
    ASSERT_TRUE(image.Draw(surface.hdc(), 0, 0));
    EXPECT_EQ(surface.pixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(surface.pixel(1, 0), RGB(255, 255, 255));
    EXPECT_PRED2(qvtest::nearColor, surface.pixel(2, 0), RGB(127, 127, 255));
}

TEST(ImageFileTest, PngWithAlphaLoadsFromAStreamAndAFile)
{
    IStream* stream = SHCreateMemStream(kAlphaPng, sizeof(kAlphaPng));
    ASSERT_NE(stream, nullptr);
    CImage fromStream;
    EXPECT_EQ(fromStream.Load(stream), S_OK);
    stream->Release();
    expectAlphaPngDrawn(fromStream);

    // Stored premultiplied, ready for AlphaBlend.
    const BYTE* blue = static_cast<const BYTE*>(fromStream.GetPixelAddress(2, 0));
    EXPECT_EQ(blue[3], 128);
    EXPECT_NEAR(blue[0], 128, 1);

    const std::wstring path = tempPath(L"qv_image_alpha.png");
    writeFile(path, kAlphaPng, sizeof(kAlphaPng));
    CImage fromFile;
    EXPECT_EQ(fromFile.Load(path.c_str()), S_OK);
    expectAlphaPngDrawn(fromFile);
    DeleteFileW(path.c_str());
}

TEST(ImageFileTest, BmpLoadsWithItsDepthAndRowOrder)
{
    const std::vector<BYTE> bytes = makeBmp();
    const std::wstring path = tempPath(L"qv_image_rgb.bmp");
    writeFile(path, bytes.data(), DWORD(bytes.size()));
    CImage image;
    ASSERT_EQ(image.Load(path.c_str()), S_OK);
    DeleteFileW(path.c_str());

    EXPECT_EQ(image.GetBPP(), 24);
    EXPECT_EQ(image.GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(image.GetPixel(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(image.GetPixel(0, 1), RGB(0, 0, 255));
    EXPECT_EQ(image.GetPixel(1, 1), RGB(255, 255, 255));
    const BYTE* topLeft = static_cast<const BYTE*>(image.GetBits());
    EXPECT_EQ(topLeft[2], 255); // red, in BGR order

    // Drawn without alpha: a plain copy.
    DibSurface surface(2, 2);
    ASSERT_TRUE(image.Draw(surface.hdc(), 0, 0));
    EXPECT_EQ(surface.pixel(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(surface.pixel(0, 1), RGB(0, 0, 255));
}

TEST(ImageFileTest, FailedLoadReportsAndLeavesNoImage)
{
    CImage image;
    EXPECT_TRUE(FAILED(image.Load(tempPath(L"qv_image_missing.png").c_str())));
    EXPECT_TRUE(image.IsNull());
    EXPECT_TRUE(FAILED(image.Load(static_cast<IStream*>(nullptr))));

    const BYTE garbage[] = "not an image";
    IStream* stream = SHCreateMemStream(garbage, sizeof(garbage));
    EXPECT_TRUE(FAILED(image.Load(stream)));
    stream->Release();
    EXPECT_TRUE(image.IsNull());
}

TEST(ImageFileTest, SavedImagesLoadBackPixelForPixel)
{
    CImage source;
    ASSERT_TRUE(source.Create(3, 2, 24));
    const COLORREF colors[] = {RGB(10, 20, 30), RGB(200, 0, 100), RGB(0, 0, 0),
                               RGB(255, 255, 255), RGB(1, 2, 3), RGB(90, 180, 45)};
    for (int i = 0; i < 6; ++i)
        source.SetPixel(i % 3, i / 3, colors[i]);

    struct Case {
        const wchar_t* name;
        GUID format;
    };
    const Case cases[] = {{L"qv_image_save.bmp", GUID_NULL},
                          {L"qv_image_save.png", GUID_NULL},
                          {L"qv_image_save.dat", Gdiplus::ImageFormatPNG}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name);
        const std::wstring path = tempPath(c.name);
        ASSERT_EQ(source.Save(path.c_str(), c.format), S_OK);
        CImage loaded;
        ASSERT_EQ(loaded.Load(path.c_str()), S_OK);
        DeleteFileW(path.c_str());
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(loaded.GetPixel(i % 3, i / 3), colors[i]) << "pixel " << i;
    }

    EXPECT_TRUE(FAILED(source.Save(tempPath(L"qv_image_save.xyz").c_str())));
    CImage empty;
    EXPECT_TRUE(FAILED(empty.Save(tempPath(L"qv_image_empty.png").c_str())));
}

// Saves the image into a memory stream in the format and loads it back.
void reloadThroughStream(const CImage& source, REFGUID format, CImage& loaded)
{
    IStream* stream = SHCreateMemStream(nullptr, 0);
    EXPECT_EQ(source.Save(stream, format), S_OK);
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    EXPECT_EQ(loaded.Load(stream), S_OK);
    stream->Release();
}

TEST(ImageFileTest, AlphaSurvivesASaveToAStream)
{
    IStream* original = SHCreateMemStream(kAlphaPng, sizeof(kAlphaPng));
    CImage image;
    ASSERT_EQ(image.Load(original), S_OK);
    original->Release();

    CImage reloaded;
    reloadThroughStream(image, Gdiplus::ImageFormatPNG, reloaded);
    expectAlphaPngDrawn(reloaded);
}

TEST(ImageFileTest, IndexedImageKeepsItsColourTable)
{
    CImage source;
    ASSERT_TRUE(source.Create(2, 1, 8));
    const RGBQUAD table[] = {{0, 0, 0, 0}, {40, 80, 120, 0}};
    source.SetColorTable(0, 2, table);
    static_cast<BYTE*>(source.GetBits())[0] = 1;

    const std::wstring path = tempPath(L"qv_image_indexed.bmp");
    ASSERT_EQ(source.Save(path.c_str()), S_OK);
    CImage loaded;
    ASSERT_EQ(loaded.Load(path.c_str()), S_OK);
    DeleteFileW(path.c_str());
    EXPECT_EQ(loaded.GetBPP(), 8);
    EXPECT_TRUE(loaded.IsIndexed());
    EXPECT_EQ(loaded.GetPixel(0, 0), RGB(120, 80, 40));
    EXPECT_EQ(loaded.GetPixel(1, 0), RGB(0, 0, 0));
}

} // namespace
