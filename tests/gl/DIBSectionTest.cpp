#include <qv.win/DIBSection.h>

#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <vector>

using qv::gl::DIBSection;

namespace {

const BYTE* bytes(const DIBSection& dib)
{
    return static_cast<const BYTE*>(dib.getConstBits());
}

size_t byteCount(const DIBSection& dib)
{
    return static_cast<size_t>(dib.getWidth()) * dib.getHeight() * dib.getBitCount() / 8;
}

// Every pixel gets a colour that names its column and row.
void fillWithCoordinates(DIBSection& dib)
{
    for (unsigned y = 0; y < dib.getHeight(); ++y)
        for (unsigned x = 0; x < dib.getWidth(); ++x)
            dib.setPixel(x, y, RGB(x, y, 0x80));
}

void fill(DIBSection& dib, COLORREF colour)
{
    for (unsigned y = 0; y < dib.getHeight(); ++y)
        for (unsigned x = 0; x < dib.getWidth(); ++x)
            dib.setPixel(x, y, colour);
}

} // namespace

TEST(DIBSection, CreateZeroSizeMakesOnePixelImageWithItsOwnDC)
{
    DIBSection dib;
    ASSERT_TRUE(dib.create(0, 0, 32));
    EXPECT_EQ(1u, dib.getWidth());
    EXPECT_EQ(1u, dib.getHeight());
    EXPECT_EQ(1, dib.getBIH().biHeight) << "bottom-up rows";
    ASSERT_NE(nullptr, dib.getDC());
    EXPECT_EQ(dib.getHandle(), ::GetCurrentObject(dib.getDC()->GetSafeHdc(), OBJ_BITMAP));
}

// Pixels are addressed in unpadded 32-bit rows: other depths would be misread.
TEST(DIBSection, DepthsOtherThan32AndImpossibleSizesAreRefused)
{
    const struct {
        int cx, cy;
        WORD depth;
    } cases[] = {{5, 3, 1}, {5, 3, 4}, {5, 3, 8}, {5, 3, 16}, {5, 3, 24}, {100000, 100000, 32}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cx << "x" << c.cy << " at " << c.depth << " bits");
        DIBSection dib;
        EXPECT_FALSE(dib.create(c.cx, c.cy, c.depth));
        EXPECT_FALSE(dib.isCreated());
        COLORREF colour = CLR_INVALID;
        dib.setPixel(0, 0, 0x112233);
        dib.getPixel(0, 0, colour);
        EXPECT_EQ(CLR_INVALID, colour);
    }
}

TEST(DIBSection, PixelSitsAtItsBottomUpByteOffset)
{
    struct Case {
        unsigned x, y;
    } cases[] = {{0, 0}, {4, 0}, {0, 3}, {3, 1}, {4, 3}};
    DIBSection dib;
    ASSERT_TRUE(dib.create(5, 4, 32));
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "pixel " << c.x << "," << c.y);
        std::memset(dib.getBits(), 0xEE, byteCount(dib));
        dib.setPixel(c.x, c.y, 0x00112233);
        COLORREF colour = 0;
        dib.getPixel(c.x, c.y, colour);
        EXPECT_EQ(0x00112233u, colour);
        const size_t offset = (dib.getHeight() - c.y - 1) * dib.getTotalWidth() * 4 + 4 * c.x;
        EXPECT_EQ(0x11, bytes(dib)[offset]) << "blue";
        EXPECT_EQ(0x22, bytes(dib)[offset + 1]) << "green";
        EXPECT_EQ(0x33, bytes(dib)[offset + 2]) << "red";
        EXPECT_EQ(0xEE, bytes(dib)[offset + 3]) << "the fourth byte is left alone";
    }
}

TEST(DIBSection, PixelsOutsideTheImageAreIgnored)
{
    DIBSection dib;
    ASSERT_TRUE(dib.create(3, 2, 32));
    std::memset(dib.getBits(), 0x5A, byteCount(dib));
    const std::vector<BYTE> before(bytes(dib), bytes(dib) + byteCount(dib));
    dib.setPixel(3, 0, 0x00FFFFFF);
    dib.setPixel(0, 2, 0x00FFFFFF);
    EXPECT_EQ(before, std::vector<BYTE>(bytes(dib), bytes(dib) + byteCount(dib)));
    COLORREF colour = 0x01020304;
    dib.getPixel(3, 0, colour);
    dib.getPixel(0, 2, colour);
    EXPECT_EQ(0x01020304u, colour);

    DIBSection empty;
    empty.setPixel(0, 0, 0);
    empty.getPixel(0, 0, colour);
    EXPECT_EQ(0x01020304u, colour);
}

TEST(DIBSection, ResamplingPicksTheNearestRowsAndColumns)
{
    struct Case {
        unsigned fromCx, fromCy, toCx, toCy;
        std::vector<unsigned> columns; // source column of each target column
        std::vector<unsigned> rows;    // source row (from the top) of each target row (from the top)
    } cases[] = {
        // Memory rows 0 and 1 of the target come from memory rows 0 and 2: top rows 3 and 1.
        {4, 4, 2, 2, {0, 2}, {1, 3}},
        {2, 2, 4, 4, {0, 1, 1, 1}, {0, 0, 0, 1}},
        {3, 1, 3, 2, {0, 1, 2}, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.fromCx << "x" << c.fromCy << " to " << c.toCx << "x" << c.toCy);
        DIBSection source;
        ASSERT_TRUE(source.create(static_cast<int>(c.fromCx), static_cast<int>(c.fromCy), 32));
        fillWithCoordinates(source);
        DIBSection target;
        source.resizeImage(target, static_cast<int>(c.toCx), static_cast<int>(c.toCy));
        ASSERT_EQ(c.toCx, target.getWidth());
        ASSERT_EQ(c.toCy, target.getHeight());
        for (unsigned y = 0; y < c.toCy; ++y)
            for (unsigned x = 0; x < c.toCx; ++x) {
                COLORREF colour = 0;
                target.getPixel(x, y, colour);
                EXPECT_EQ(RGB(c.columns[x], c.rows[y], 0x80), colour) << "target " << x << "," << y;
            }
    }
}

TEST(DIBSection, ResamplingToNothingLeavesTheTargetAlone)
{
    DIBSection source;
    ASSERT_TRUE(source.create(4, 4, 32));
    DIBSection target;
    ASSERT_TRUE(target.create(7, 5, 32));
    source.resizeImage(target, 0, 3);
    source.resizeImage(target, 3, -1);
    EXPECT_EQ(7u, target.getWidth());
    EXPECT_EQ(5u, target.getHeight());
}

TEST(DIBSection, DrawShiftsThePictureByTheSourceOffset)
{
    const COLORREF red = RGB(255, 0, 0);
    const COLORREF white = RGB(255, 255, 255);
    DIBSection source;
    ASSERT_TRUE(source.create(40, 20, 32));
    fill(source, white);
    for (unsigned y = 0; y < 20; ++y)
        source.setPixel(15, y, red);
    DIBSection target;
    ASSERT_TRUE(target.create(40, 20, 32));
    fill(target, RGB(0, 0, 255));

    source.draw(target.getDC(), 10, 0);
    ::GdiFlush();

    for (unsigned x : {0u, 4u, 6u, 15u, 29u}) {
        COLORREF colour = 0;
        target.getPixel(x, 10, colour);
        EXPECT_EQ(white, colour) << "column " << x;
    }
    COLORREF colour = 0;
    target.getPixel(5, 10, colour);
    EXPECT_EQ(red, colour) << "source column 15 lands in column 5";
}

TEST(DIBSection, CopyDuplicatesThePixels)
{
    DIBSection source;
    ASSERT_TRUE(source.create(6, 3, 32));
    fillWithCoordinates(source);
    DIBSection copy(source);
    ASSERT_TRUE(copy.isCreated());
    EXPECT_NE(source.getBits(), copy.getBits());
    EXPECT_NE(source.getDC(), copy.getDC());
    EXPECT_EQ(0, std::memcmp(source.getConstBits(), copy.getConstBits(), byteCount(source)));

    copy.setPixel(0, 0, 0);
    COLORREF colour = 0;
    source.getPixel(0, 0, colour);
    EXPECT_EQ(RGB(0, 0, 0x80), colour) << "the source keeps its own pixels";

    copy = copy;
    EXPECT_TRUE(copy.isCreated()) << "self-assignment keeps the image";

    copy = DIBSection();
    EXPECT_FALSE(copy.isCreated()) << "copying an empty image empties";
    EXPECT_EQ(nullptr, copy.getDC());
}

TEST(DIBSection, ResizeKeepsTheDC)
{
    DIBSection dib;
    ASSERT_TRUE(dib.create(4, 4, 32));
    CDC* dc = dib.getDC();
    ASSERT_TRUE(dib.resizeImage(9, 7));
    EXPECT_EQ(dc, dib.getDC());
    EXPECT_EQ(9u, dib.getWidth());
    EXPECT_EQ(7u, dib.getHeight());
    EXPECT_EQ(dib.getHandle(), ::GetCurrentObject(dc->GetSafeHdc(), OBJ_BITMAP));
}
