#include <qv.win/DC.h>

#include <atlimage.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "qvtest/DibSurface.h"

using qv::gui::DC;
using Canvas = qvtest::DibSurface;

using namespace qvtest::colors;

namespace {

std::wstring tempPath(const std::wstring& name)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return folder + name;
}

// A solid red image file of the size, written as PNG or BMP by its extension.
std::wstring writeRedImage(int width, int height, const wchar_t* extension)
{
    CImage image;
    image.Create(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.SetPixel(x, y, kRed);
    const std::wstring path =
        tempPath(L"qv_drawing_" + std::to_wstring(width) + L"x" + std::to_wstring(height) + extension);
    EXPECT_EQ(image.Save(path.c_str()), S_OK);
    return path;
}

// Where an image landed in a grey canvas: the bounds of the pixels it changed. (GDI+ blends the
// edges of an enlarged image, so they are not all pure red.)
void expectRedImageAt(const Canvas& canvas, const CRect& expected)
{
    EXPECT_EQ(canvas.boundsOf([](COLORREF c) { return c != kGrey; }), expected);
    EXPECT_EQ(canvas.pixel(expected.CenterPoint().x, expected.CenterPoint().y), kRed);
}

// GDI+ for the test's lifetime, as a host that makes Gdiplus images starts it.
class GdiplusSession {
public:
    GdiplusSession()
    {
        const Gdiplus::GdiplusStartupInput input;
        started = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    ~GdiplusSession()
    {
        if (started)
            Gdiplus::GdiplusShutdown(token);
    }

    bool started = false;

private:
    ULONG_PTR token = 0;
};

struct FitCase {
    CSize image;
    CRect box;
    int stretch;
    CRect expected;
};

const FitCase kFitCases[] = {
    {CSize(40, 20), CRect(0, 0, 100, 50), 0, CRect(30, 15, 70, 35)},
    {CSize(40, 20), CRect(0, 0, 100, 50), 1, CRect(0, 0, 100, 50)},
    {CSize(200, 50), CRect(0, 0, 100, 50), 0, CRect(0, 12, 100, 37)},
    {CSize(40, 20), CRect(10, 5, 110, 55), 0, CRect(40, 20, 80, 40)},
};

class DCImageTest : public testing::TestWithParam<const wchar_t*> {};

TEST_P(DCImageTest, GdiplusImageFromAFileIsFittedIntoTheBox)
{
    const GdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.started);
    for (const FitCase& c : kFitCases) {
        SCOPED_TRACE(testing::Message() << c.image.cx << "x" << c.image.cy << " stretch " << c.stretch);
        const std::wstring path = writeRedImage(c.image.cx, c.image.cy, GetParam());
        Canvas canvas(120, 60, kGrey);
        {
            Gdiplus::Image image(path.c_str());
            ASSERT_EQ(image.GetLastStatus(), Gdiplus::Ok);
            DC(canvas.dc()).drawImage(&image, c.box, c.stretch);
        }
        DeleteFileW(path.c_str());
        expectRedImageAt(canvas, c.expected);
    }
}

TEST_P(DCImageTest, CImageFromAFileIsFittedIntoTheBox)
{
    for (const FitCase& c : kFitCases) {
        SCOPED_TRACE(testing::Message() << c.image.cx << "x" << c.image.cy << " stretch " << c.stretch);
        const std::wstring path = writeRedImage(c.image.cx, c.image.cy, GetParam());
        CImage image;
        ASSERT_EQ(image.Load(path.c_str()), S_OK);
        DeleteFileW(path.c_str());
        Canvas canvas(120, 60, kGrey);
        DC(canvas.dc()).drawImage(&image, c.box, c.stretch);
        expectRedImageAt(canvas, c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, DCImageTest, testing::Values(L".png", L".bmp"));

TEST(DCImageDrawTest, CImageKeysOutItsTransparentColourAndKeepsTheStretchMode)
{
    CImage image;
    ASSERT_TRUE(image.Create(2, 1, 8));
    const RGBQUAD colors[] = {{255, 0, 255, 0}, {0, 0, 255, 0}};
    image.SetColorTable(0, 2, colors);
    BYTE* indices = static_cast<BYTE*>(image.GetBits());
    indices[0] = 0, indices[1] = 1;
    image.SetTransparentColor(0);

    Canvas canvas(8, 4, kGrey);
    canvas.dc()->SetStretchBltMode(HALFTONE);
    DC(canvas.dc()).drawImage(&image, CRect(0, 0, 8, 4), 1);
    EXPECT_EQ(canvas.row(2, 0, 8), (std::vector<COLORREF>{kGrey, kGrey, kGrey, kGrey, kRed, kRed, kRed, kRed}));
    EXPECT_EQ(canvas.dc()->GetStretchBltMode(), HALFTONE);
}

TEST(DCImageDrawTest, MissingOrEmptyImagesDrawNothing)
{
    Canvas canvas(4, 4, kGrey);
    DC dc(canvas.dc());
    CImage empty;
    dc.drawImage(&empty, CRect(0, 0, 4, 4), 1);
    dc.drawImage(static_cast<Gdiplus::Image*>(nullptr), CRect(0, 0, 4, 4), 1);
    const GdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.started);
    Gdiplus::Image missing(tempPath(L"qv_drawing_missing.png").c_str());
    dc.drawImage(&missing, CRect(0, 0, 4, 4), 1);
    EXPECT_EQ(canvas.row(1, 0, 4), std::vector<COLORREF>(4, kGrey));
}

} // namespace
