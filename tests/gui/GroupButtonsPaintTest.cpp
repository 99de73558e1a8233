#include "GroupButtonsFixture.h"

#include "qvtest/GdiCount.h"

#include <functional>
#include <vector>

using namespace gbtest;
using qv::gui::GroupButtons;
using qv::gui::NMGROUPBUTTONSDRAW;
using qvtest::DibSurface;

namespace {

// The default colours of the states.
constexpr COLORREF kNormal = 0xFFFFFF;
constexpr COLORREF kOutline = 0xFFC0C0;
constexpr COLORREF kFocus = 0xE0FFE0;
constexpr COLORREF kSelect = 0xC0E0C0;
constexpr COLORREF kFocusSelect = 0xD0F0D0;
constexpr COLORREF kNormalMarker = 0x606060;
constexpr COLORREF kFocusMarker = 0x8080E0;
constexpr COLORREF kSelectMarker = 0x80E080;
constexpr COLORREF kClickMarker = 0x00C000;
constexpr COLORREF kMarkerLine = 0xA0A0A0;

static_assert(offsetof(qv::gui::NMGROUPBUTTONS, index) == 24);
static_assert(offsetof(NMGROUPBUTTONSDRAW, dc) == 32 && offsetof(NMGROUPBUTTONSDRAW, rect) == 40);

// 101 x 40 with four buttons: cells from x = 0, 25, 50, 75, 26 wide, y 0 ... 29; the images sit at
// x = 9, 34, 59, 84 ... + 8, y 10 ... 18 (right half kImageColor); markers centred at x = 13, 38,
// 63, 88, y = 35, their insides 6 pixels square.
class PaintTest : public StripTest {
protected:
    void SetUp() override { create(101, 40, 4); }

    void hover(int x, int y) { strip.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

    COLORREF pixelAt(int x, int y)
    {
        DibSurface surface(101, 40, qvtest::colors::kBlue);
        paint(surface);
        return surface.pixel(x, y);
    }
};

TEST_F(PaintTest, FacesImagesAndMarkersShowTheirState)
{
    const struct {
        const char* label;
        std::function<void(GroupButtons&)> setup;
        CPoint point;
        COLORREF expected;
    } cases[] = {
        {"a plain face", {}, {12, 22}, kNormal},
        {"around a plain face", {}, {0, 22}, kTestBackground},
        {"the image", {}, {15, 14}, kImageColor},
        {"the image's masked half shows the face", {}, {10, 14}, kNormal},
        {"a plain marker", {}, {13, 35}, kNormalMarker},
        {"no ring on a plain marker", {}, {9, 31}, kTestBackground},
        {"a selected face", [](GroupButtons& s) { s.selectItem(1, false); }, {38, 22}, kSelect},
        {"a selected face's outline", [](GroupButtons& s) { s.selectItem(1, false); }, {25, 14}, kOutline},
        {"a selected image's masked half", [](GroupButtons& s) { s.selectItem(1, false); }, {35, 14}, kSelect},
        {"a selected marker", [](GroupButtons& s) { s.selectItem(1, false); }, {38, 35}, kClickMarker},
        {"a hovered face", {}, {63, 22}, kFocus},
        {"a hovered and selected face", [](GroupButtons& s) { s.selectItem(2, false); }, {63, 22}, kFocusSelect},
        {"a group is one face over the border between its cells",
         [](GroupButtons& s) { s.addGroup(0, 1); }, {25, 22}, kNormal},
        {"a hovered group's image", [](GroupButtons& s) { s.addGroup(2, 3); }, {85, 14}, kFocus},
        {"the line between a group's markers", [](GroupButtons& s) { s.addGroup(1, 3); }, {50, 35}, kMarkerLine},
        {"a marker of the current selection's group",
         [](GroupButtons& s) {
             s.selectItem(1, false);
             s.addGroup(0, 1);
         },
         {13, 35}, kClickMarker},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        strip.DestroyWindow();
        strip.clearData();
        create(101, 40, 4);
        if (c.setup)
            c.setup(strip);
        hover(63, 5);
        EXPECT_EQ(pixelAt(c.point.x, c.point.y), c.expected);
    }
}

TEST_F(PaintTest, ADraggedMarkerIsRingedAndDrawsALineToTheMouse)
{
    strip.SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(13, 35));
    hover(60, 22);
    DibSurface dragged(101, 40);
    paint(dragged);
    EXPECT_EQ(dragged.pixel(9, 31), kFocusMarker) << "ring";
    EXPECT_EQ(dragged.pixel(13, 35), kNormalMarker) << "inside";
    EXPECT_EQ(dragged.row(35, 19, 33), std::vector<COLORREF>(14, kFocusMarker)) << "line";
    EXPECT_EQ(dragged.pixel(25, 33), kTestBackground) << "the line is two pixels high";

    hover(88, 35); // pulls the cursor onto marker 3
    hover(88, 35);
    DibSurface onTarget(101, 40);
    paint(onTarget);
    EXPECT_EQ(onTarget.pixel(84, 31), kSelectMarker) << "the target's ring";
    EXPECT_EQ(onTarget.pixel(25, 35), kSelectMarker) << "the line to a target";
    strip.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(88, 35));
}

TEST_F(PaintTest, ParentsPaintWholeButtonsOrImagesInTheirPlace)
{
    const struct {
        const char* label;
        UINT code;
        COLORREF face, image, marker;
    } cases[] = {
        {"GBN_PREDRAWBUTTON", qv::gui::GBN_PREDRAWBUTTON, kTestBackground, kTestBackground, kTestBackground},
        {"GBN_DRAWIMAGE", qv::gui::GBN_DRAWIMAGE, kNormal, kNormal, kNormalMarker},
        {"GBN_PREDRAWIMAGE, whose result counts for nothing", qv::gui::GBN_PREDRAWIMAGE, kNormal, kImageColor,
         kNormalMarker},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        parent.setResult(int(c.code), 1);
        DibSurface surface(101, 40);
        paint(surface);
        parent.setResult(int(c.code), 0);
        EXPECT_EQ(surface.pixel(12, 22), c.face);
        EXPECT_EQ(surface.pixel(15, 14), c.image);
        EXPECT_EQ(surface.pixel(13, 35), c.marker);
    }
}

TEST_F(PaintTest, EachButtonIsAnnouncedWithItsRectanglesOnTheMemorySurface)
{
    parent.setOnNotify([](const NMHDR& header) {
        const auto& record = reinterpret_cast<const NMGROUPBUTTONSDRAW&>(header);
        if (header.code == qv::gui::GBN_PREDRAWIMAGE) {
            EXPECT_NE(record.dc->GetSafeHdc(), nullptr);
        }
    });
    DibSurface surface(101, 40);
    paint(surface);
    std::vector<std::string> seen;
    for (const qvtest::ParentMessage& message : parent.messages()) {
        const auto record = message.as<NMGROUPBUTTONSDRAW>();
        const CRect rect(record.rect);
        seen.push_back(std::to_string(message.code) + ":" + std::to_string(record.index) + " " +
                       std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) +
                       "," + std::to_string(rect.bottom));
    }
    ASSERT_EQ(seen.size(), 16u);
    EXPECT_EQ(std::vector<std::string>(seen.begin() + 4, seen.begin() + 8),
              (std::vector<std::string>{"-62:1 25,0,51,29", "-63:1 26,1,50,28", "-64:1 26,1,50,28",
                                        "-65:1 26,1,50,28"}));
}

TEST_F(PaintTest, AParentThatDestroysTheStripWhilePaintingEndsThePaint)
{
    parent.setOnNotify([this](const NMHDR&) { strip.DestroyWindow(); });
    DibSurface surface(101, 40);
    paint(surface);
    EXPECT_EQ(parent.notifyCodes(), std::vector<int>{int(qv::gui::GBN_PREDRAWBUTTON)});
}

TEST_F(PaintTest, WithoutImagesOnlyTheBackgroundIsPaintedAndRightClicksReportNoButton)
{
    strip.clearImageLists();
    DibSurface surface(101, 40, qvtest::colors::kBlue);
    paint(surface);
    EXPECT_EQ(surface.boundsOf([](COLORREF c) { return c != kTestBackground; }), CRect(0, 0, 0, 0));
    strip.SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(12, 12));
    EXPECT_EQ(clicks(), "rclick:-1");
}

TEST_F(PaintTest, SettersRepaintOnlyWhatCanChange)
{
    const struct {
        const char* label;
        std::function<void(GroupButtons&)> set;
        bool repaint;
    } cases[] = {
        {"a new colour", [](GroupButtons& s) { s.setColorSelect(RGB(1, 2, 3)); }, true},
        {"the same colour", [](GroupButtons& s) { s.setColorNormal(kNormal); }, false},
        {"the margin: layout only", [](GroupButtons& s) { s.setMargin(CRect(1, 1, 1, 1)); }, false},
        {"selectable", [](GroupButtons& s) { s.setSelectable(1, false); }, false},
        {"the marker position", [](GroupButtons& s) { s.setMarkerPosition(GroupButtons::Top); }, true},
        {"marker editing", [](GroupButtons& s) { s.enableEditMarker(false); }, true},
        {"an image index", [](GroupButtons& s) { s.setImageIndex(1, 0); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        strip.ValidateRect(nullptr);
        c.set(strip);
        CRect update;
        EXPECT_EQ(strip.GetUpdateRect(&update) != FALSE, c.repaint);
    }
}

using GdiTest = StripTest;

// Every painter runs: a hovered and selected group of one, a plain button, both images.
TEST_F(GdiTest, AThousandPaintsLeaveNoGdiObjectBehind)
{
    create(51, 40, 2);
    strip.addGroup(0, 0);
    strip.selectItem(0, false);
    strip.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(12, 5));
    DibSurface surface(51, 40);
    paint(surface);
    const int before = qvtest::liveGdiObjects();
    for (int i = 0; i < 1000; ++i) {
        if (i % 50 == 0)
            strip.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        else
            paint(surface);
    }
    EXPECT_EQ(qvtest::liveGdiObjects(), before);
    EXPECT_EQ(surface.pixel(12, 22), kFocusSelect) << "the painters ran";
}

} // namespace
