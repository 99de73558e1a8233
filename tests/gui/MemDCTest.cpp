#include <qv.win/MemDC.h>

#include <qv.win/DC.h>

#include <gtest/gtest.h>

#include "qvtest/DibSurface.h"

using qv::gui::MemDC;
using Canvas = qvtest::DibSurface;

using namespace qvtest::colors;

namespace {

TEST(MemDCTest, PictureReachesTheTargetOnlyWhenDestroyed)
{
    Canvas canvas(10, 10, kWhite);
    const CRect area(2, 2, 8, 8);
    {
        MemDC memory(canvas.dc(), &area);
        EXPECT_NE(memory.GetSafeHdc(), canvas.hdc());
        memory.FillSolidRect(CRect(3, 3, 5, 5), kRed); // in the target's coordinates
        EXPECT_EQ(canvas.pixel(3, 3), kWhite);
    }
    EXPECT_EQ(canvas.pixel(3, 3), kRed);
    EXPECT_EQ(canvas.pixel(4, 4), kRed);
    EXPECT_EQ(canvas.pixel(1, 1), kWhite); // outside the area
    EXPECT_EQ(canvas.pixel(8, 8), kWhite);
}

TEST(MemDCTest, DrawingHelpersWorkInTheTargetsCoordinates)
{
    Canvas canvas(40, 40, kWhite);
    const CRect area(10, 10, 30, 30);
    {
        MemDC memory(canvas.dc(), &area, TRUE);
        qv::gui::DC dc(memory);
        dc.FillSolidRect(CRect(12, 12, 16, 16), kRed, 255);
        dc.drawOutlineBox(CRect(20, 20, 28, 28), kBlack, kBlue, 2, true);
    }
    EXPECT_EQ(canvas.row(14, 11, 17), (std::vector<COLORREF>{kWhite, kRed, kRed, kRed, kRed, kWhite}));
    EXPECT_EQ(canvas.row(24, 19, 23), (std::vector<COLORREF>{kWhite, kBlack, kBlue, kWhite}));
}

TEST(MemDCTest, CopyFirstStartsFromTheTargetsPicture)
{
    Canvas canvas(10, 10, kWhite);
    canvas.dc()->FillSolidRect(CRect(0, 0, 10, 5), kRed);
    const CRect area(2, 2, 8, 8);
    {
        MemDC memory(canvas.dc(), &area, TRUE);
        EXPECT_EQ(memory.GetPixel(4, 3), kRed);
        EXPECT_EQ(memory.GetPixel(4, 6), kWhite);
        memory.SetPixel(6, 6, kBlack);
    }
    EXPECT_EQ(canvas.pixel(4, 3), kRed);
    EXPECT_EQ(canvas.pixel(4, 6), kWhite);
    EXPECT_EQ(canvas.pixel(6, 6), kBlack);
}

TEST(MemDCTest, WithoutAnAreaTheClipBoxIsBuffered)
{
    Canvas canvas(10, 10, kWhite);
    canvas.dc()->IntersectClipRect(1, 1, 4, 4);
    {
        MemDC memory(canvas.dc(), nullptr, TRUE);
        memory.FillSolidRect(CRect(0, 0, 10, 10), kRed);
    }
    SelectClipRgn(canvas.hdc(), nullptr);
    EXPECT_EQ(canvas.pixel(1, 1), kRed);
    EXPECT_EQ(canvas.pixel(3, 3), kRed);
    EXPECT_EQ(canvas.pixel(4, 4), kWhite);
    EXPECT_EQ(canvas.pixel(0, 0), kWhite);
}

TEST(MemDCTest, PrintingTargetIsDrawnDirectlyAndKeepsItsHandles)
{
    Canvas canvas(10, 10, kWhite);
    canvas.dc()->m_bPrinting = TRUE;
    {
        MemDC memory(canvas.dc(), nullptr, TRUE);
        EXPECT_EQ(memory.GetSafeHdc(), canvas.hdc());
        EXPECT_EQ(memory.m_hAttribDC, canvas.hdc());
        EXPECT_TRUE(memory.IsPrinting());
        memory.FillSolidRect(CRect(0, 0, 2, 2), kRed);
        EXPECT_EQ(canvas.pixel(1, 1), kRed);
    }
    canvas.dc()->m_bPrinting = FALSE;
    EXPECT_EQ(GetObjectType(canvas.hdc()), DWORD(OBJ_MEMDC));
    EXPECT_EQ(CDC::FromHandle(canvas.hdc()), canvas.dc());
    EXPECT_EQ(canvas.pixel(5, 5), kWhite);
}

TEST(MemDCTest, TrueColourDeviceBuildsNoPaletteButStillCopiesBack)
{
    Canvas canvas(4, 4, kWhite);
    ASSERT_EQ(canvas.dc()->GetDeviceCaps(RASTERCAPS) & RC_PALETTE, 0);
    const CRect area(0, 0, 4, 4);
    {
        MemDC memory(canvas.dc(), &area, FALSE, TRUE);
        CPalette palette;
        EXPECT_FALSE(memory.CreatePalette(palette));
        EXPECT_EQ(palette.GetSafeHandle(), nullptr);
        memory.FillSolidRect(CRect(0, 0, 4, 4), kRed);
    }
    EXPECT_EQ(canvas.pixel(2, 2), kRed);
}

} // namespace
