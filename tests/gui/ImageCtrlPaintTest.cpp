#include "ImageCtrlHarness.h"

#include <qvtest/GdiCount.h>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace imagetest;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);

// A wide red picture: stretched into the image box it fills the width and 80 of the 120 rows.
ImageData* redImage()
{
    auto* image = new ImageData;
    image->Create(20, 10, 24);
    HDC dc = image->GetDC();
    CDC::FromHandle(dc)->FillSolidRect(0, 0, 20, 10, kRed);
    image->ReleaseDC();
    return image;
}

// Item 0's cell of the defaults is (19, 3, 195, 155): the image area inside the image margin is
// (20, 5, 194, 139), the image box (26, 11, 188, 133), the picture area (27, 12, 187, 132) and the
// caption (27, 139, 187, 153).
TEST(ImageCtrlPaint, SelectedItemShowsTheBandAroundTheFramedPicture)
{
    Harness harness;
    harness.ctrl.addImage(redImage());
    harness.addItems(2);
    harness.ctrl.setCurSel(0);
    // A band 134 pixels high splits at 5 + 53: colour 1 above, colour 2 below.
    expectProbes(harness.capture(), {
                                        {"band top", 22, 5, kSelect1},
                                        {"band, last row of colour 1", 22, 57, kSelect1},
                                        {"band, first row of colour 2", 22, 58, kSelect2},
                                        {"band bottom", 25, 138, kSelect2},
                                        {"below the band", 22, 139, kBackground},
                                        {"image margin", 19, 50, kBackground},
                                        {"frame left", 26, 50, kImageBox},
                                        {"frame right", 187, 50, kImageBox},
                                        {"frame top", 100, 11, kImageBox},
                                        {"frame bottom", 100, 132, kImageBox},
                                        {"picture background above", 100, 20, kImageBackground},
                                        {"stretched picture", 100, 60, kRed},
                                        {"picture's last row", 100, 111, kRed},
                                        {"picture background below", 100, 112, kImageBackground},
                                        {"item 1 has no band", 214, 50, kBackground},
                                        {"item 1 frame", 218, 50, kImageBox},
                                    });
}

TEST(ImageCtrlPaint, CaptionsShowTheParentsLinesUpToTheCaptionLines)
{
    const CRect firstLine(27, 139, 187, 153);
    const CRect secondLine(27, 153, 187, 167);
    // The ink of a word drawn alone on the first line.
    auto inkOf = [&](const wchar_t* word) {
        Harness harness;
        harness.addItems(1);
        harness.caption = [word](__int64) { return CString(word); };
        return harness.capture().count(firstLine, kCaption);
    };
    const int alpha = inkOf(L"Alpha");
    const int word = inkOf(L"Word");
    ASSERT_GT(alpha, 0);
    ASSERT_NE(alpha, word);

    struct Case {
        const char* name;
        int lines;
        const wchar_t* text;
        int firstInk, secondInk;
    };
    const Case cases[] = {
        {"one line shows the first", 1, L"Alpha\nBeta", alpha, 0},
        {"two lines show both", 2, L"Alpha\nBeta", alpha, -1},
        {"empty lines vanish", 2, L"\n\nWord", word, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness harness;
        harness.ctrl.setCaptionLine(c.lines);
        harness.addItems(1);
        harness.caption = [&c](__int64) { return CString(c.text); };
        const qvtest::Capture picture = harness.capture();
        EXPECT_EQ(c.firstInk, picture.count(firstLine, kCaption));
        if (c.secondInk < 0)
            EXPECT_GT(picture.count(secondLine, kCaption), 0);
        else
            EXPECT_EQ(c.secondInk, picture.count(secondLine, kCaption));
    }

    Harness silent;
    silent.ctrl.addImage(new ImageData(L"Own text"));
    EXPECT_EQ(0, silent.capture().count(firstLine, kCaption)) << "the parent's empty answer wins";
}

TEST(ImageCtrlPaint, EmptyMessageIsCentredWhileThereAreNoItems)
{
    Harness harness;
    const CRect client(0, 0, 600, 400);
    EXPECT_EQ(600 * 400, harness.capture().count(client, kBackground)) << "no message, only the background";

    harness.ctrl.setEmptyMessage(L"Nothing to show");
    const CRect ink = harness.capture().boundsOf([](COLORREF c) { return c == kCaption; }, client);
    ASSERT_FALSE(ink.IsRectEmpty());
    EXPECT_LE(std::abs(ink.left - (600 - ink.right)), 1) << "centred across";
    EXPECT_LE(std::abs(ink.top - (400 - ink.bottom)), 6) << "centred down, within the text's cell";

    harness.addItems(1);
    EXPECT_EQ(0, harness.capture().count(CRect(0, 190, 600, 210), kCaption)) << "items hide the message";
}

TEST(ImageCtrlPaint, VirtualModeAsksForTheVisibleItemsOnly)
{
    Harness harness;
    ImageCtrl& ctrl = harness.ctrl;
    const __int64 count = 1000000;
    ctrl.setVirtualMode(count);
    harness.settle();
    ctrl.populate(TRUE);
    const std::vector<__int64> top{0, 1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(top, harness.items({kDrawItem}));
    EXPECT_EQ(top, harness.items({kGetCaption}));
    const auto first = harness.first<qv::gui::NMIMAGEDRAW>(kDrawItem);
    // The scroll bar leaves 583 pixels: the columns start at 3 + 12.
    EXPECT_EQ(CRect(23, 12, 183, 132), CRect(first.rect));
    EXPECT_TRUE(first.stretch);
    EXPECT_EQ(kPicture, harness.capture().pixel(100, 70)) << "the parent's picture";

    ctrl.setCurSel(count - 1);
    harness.settle();
    ctrl.populate(TRUE);
    const std::vector<__int64> bottom{999993, 999994, 999995, 999996, 999997, 999998, 999999};
    EXPECT_EQ(bottom, harness.items({kDrawItem}));
    EXPECT_EQ(397, ctrl.getItemRect(count - 1).bottom) << "the last item one margin above the bottom";
}

TEST(ImageCtrlPaint, PaintsLeaveNoGdiObjectsBehind)
{
    Harness harness;
    for (int i = 0; i < 4; ++i)
        harness.ctrl.addImage(redImage());
    harness.ctrl.selectItems(0, 2, TRUE, TRUE, TRUE);
    harness.caption = [](__int64) { return CString(L"Caption"); };
    harness.settle();
    const int before = qvtest::liveGdiObjects();
    for (int i = 0; i < 10; ++i)
        harness.ctrl.populate(TRUE);
    EXPECT_EQ(before, qvtest::liveGdiObjects());
}

} // namespace
