#include "ControlsDialog.h"
#include "qvtest/DibSurface.h"

#include <qv.win/Static.h>

#include <gtest/gtest.h>

#include <climits>
#include <string>

using qv::gui::Static;
using qvtest::DibSurface;
using namespace qvtest::colors;

namespace {

constexpr COLORREF kTeal = RGB(0, 128, 128);
constexpr COLORREF kOrange = RGB(255, 128, 0);

// The static of the controls dialog, attached the way a dialog class attaches it.
class StaticInDialog : public testing::Test {
protected:
    StaticInDialog()
    {
        attached = title.SubclassDlgItem(IDC_TITLE, &dialog);
        title.setResouceInstance(AfxGetInstanceHandle());
    }

    ControlsDialog dialog;
    Static title;
    bool attached = false;
};

TEST_F(StaticInDialog, TakesTheTemplateTextAndKeepsTheBottomOutline)
{
    ASSERT_TRUE(attached);
    EXPECT_EQ(CString(L"Title"), title.getTextTitle());
    EXPECT_EQ(CString(L"First line\nSecond line"), title.getTextDesc());
    bool left = true, top = true, right = true, bottom = false;
    title.getOutline(left, top, right, bottom);
    EXPECT_FALSE(left || top || right);
    EXPECT_TRUE(bottom);
    EXPECT_FALSE(title.getTransparent());
}

TEST_F(StaticInDialog, AnswersTextMessagesFromItsOwnText)
{
    EXPECT_EQ(TRUE, title.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Name\nValue")));
    wchar_t platform[64] = {};
    ::InternalGetWindowText(title, platform, 64);
    EXPECT_STREQ(L"Title\nFirst line\nSecond line", platform);
    EXPECT_EQ(10, title.SendMessage(WM_GETTEXTLENGTH));

    struct Case {
        const char* name;
        WPARAM capacity;
        LRESULT copied;
        const wchar_t* buffer;
    };
    const Case cases[] = {
        {"room for all", 16, 10, L"Name\nValue"},
        {"cut to the room", 5, 4, L"Name"},
        {"room for the null only", 1, 0, L""},
        {"no room", 0, 0, L"#"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        wchar_t buffer[16];
        std::fill(std::begin(buffer), std::end(buffer), L'#');
        buffer[15] = L'\0';
        EXPECT_EQ(c.copied, title.SendMessage(WM_GETTEXT, c.capacity, reinterpret_cast<LPARAM>(buffer)));
        EXPECT_EQ(std::wstring(c.buffer), std::wstring(buffer).substr(0, std::wcslen(c.buffer)));
        EXPECT_EQ(c.capacity == 0 ? L'#' : L'\0', buffer[c.copied]);
    }
}

TEST_F(StaticInDialog, RepaintsOnlyWhatChanges)
{
    struct Case {
        const char* name;
        std::function<void()> change;
        bool repaint;
    };
    const Case cases[] = {
        {"new text", [&] { title.SetWindowText(L"Name"); }, true},
        {"same text", [&] { title.SetWindowText(L"Name"); }, false},
        {"text differing in case", [&] { title.SetWindowText(L"name"); }, true},
        {"new description", [&] { title.setTextDesc(L"Value"); }, true},
        {"same title colour", [&] { title.setColorTitle(title.getColorTitle()); }, false},
        {"outline colour", [&] { title.setColorOutline(kRed); }, true},
        {"indent", [&] { title.setIndentHeight(4); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        title.ValidateRect(nullptr);
        c.change();
        CRect update;
        EXPECT_EQ(c.repaint, title.GetUpdateRect(&update) != FALSE);
    }
}

TEST(StaticText, PartsJoinWithALineFeed)
{
    struct Case {
        const char* name;
        const wchar_t* start;
        bool setTitle;
        const wchar_t* part;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"title of an empty text", L"", true, L"Title", L"Title"},
        {"description of an empty text", L"", false, L"Desc", L"\nDesc"},
        {"title keeps a description of two lines", L"a\nb\nc", true, L"Title", L"Title\nb\nc"},
        {"description keeps the title", L"a\nb", false, L"Desc", L"a\nDesc"},
        {"empty description keeps the line feed", L"a\nb", false, L"", L"a\n"},
        {"title of a text that starts with a line feed", L"\nb", true, L"T", L"T\nb"},
    };
    ControlsDialog dialog;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Static title;
        ASSERT_TRUE(title.SubclassDlgItem(IDC_TITLE, &dialog));
        title.SetWindowText(c.start);
        if (c.setTitle)
            title.setTextTitle(c.part);
        else
            title.setTextDesc(c.part);
        CString text;
        title.GetWindowText(text);
        EXPECT_EQ(CString(c.expected), text);
        title.UnsubclassWindow();
    }
}

TEST(StaticText, ComesFromTheCallerFirstThenTheWindow)
{
    ControlsDialog dialog;
    Static early;
    early.setTextDesc(L"Early");
    ASSERT_TRUE(early.SubclassDlgItem(IDC_TITLE, &dialog));
    EXPECT_EQ(CString(L"Early"), early.getTextDesc());
    early.UnsubclassWindow();

    Static created;
    ASSERT_TRUE(created.Create(L"Made\nby code", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 40), &dialog));
    EXPECT_EQ(CString(L"Made"), created.getTextTitle());
    EXPECT_EQ(CString(L"by code"), created.getTextDesc());
}

TEST_F(StaticInDialog, BackgroundPlainGradedOrNone)
{
    struct Case {
        const char* name;
        COLORREF back1, back2;
        bool transparent;
        COLORREF left, middle, right; // at x 0, 128 and 255
    };
    const Case cases[] = {
        {"plain", kBlue, kBlue, false, kBlue, kBlue, kBlue},
        {"graded red to blue", kRed, kBlue, false, kRed, RGB(128, 0, 127), RGB(1, 0, 254)},
        {"graded white to black", kWhite, kBlack, false, kWhite, RGB(128, 128, 128), RGB(1, 1, 1)},
        {"transparent", kBlue, kBlue, true, kGreen, kGreen, kGreen},
        {"transparent graded", kRed, kBlue, true, kGreen, kGreen, kGreen},
    };
    title.SetWindowText(L"");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        title.setColorBack(c.back1, c.back2);
        title.setTransparent(c.transparent);
        DibSurface surface(256, 20, kGreen);
        printClient(title, surface);
        EXPECT_EQ(c.left, surface.pixel(0, 5));
        EXPECT_EQ(c.middle, surface.pixel(128, 5));
        EXPECT_EQ(c.right, surface.pixel(255, 5));
    }
}

TEST_F(StaticInDialog, OutlineOnTheChosenSides)
{
    struct Case {
        const char* name;
        bool left, top, right, bottom;
        CRect expected;
    };
    const Case cases[] = {
        {"left", true, false, false, false, CRect(0, 0, 1, 20)},
        {"top", false, true, false, false, CRect(0, 0, 100, 1)},
        {"right", false, false, true, false, CRect(99, 0, 100, 20)},
        {"bottom", false, false, false, true, CRect(0, 19, 100, 20)},
        {"all", true, true, true, true, CRect(0, 0, 100, 20)},
        {"none", false, false, false, false, CRect()},
    };
    title.SetWindowText(L"");
    title.setColorBack(kWhite);
    title.setColorOutline(kMagenta);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        title.setOutline(c.left, c.top, c.right, c.bottom);
        DibSurface surface(100, 20);
        printClient(title, surface);
        EXPECT_EQ(c.expected, surface.boundsOf(kMagenta));
        EXPECT_FALSE(surface.any(CRect(1, 1, 99, 19), kMagenta)) << "lines inside";
    }
}

TEST_F(StaticInDialog, TitleAboveTheDescriptionInTheirColours)
{
    struct Case {
        const char* name;
        const wchar_t* text;
        CSize indent;
    };
    const Case cases[] = {
        {"title and two lines", L"Title\nFirst line\nSecond line", CSize(0, 0)},
        {"indented", L"Title\nFirst line\nSecond line", CSize(15, 4)},
        {"no title", L"\nFirst line\nSecond line", CSize(0, 0)},
        {"no title, indented", L"\nFirst line\nSecond line", CSize(15, 9)},
    };
    title.setOutline(false);
    title.setColor(kRed, kBlue, kWhite);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        title.SetWindowText(c.text);
        title.setIndent(c.indent);
        DibSurface surface(200, 80);
        printClient(title, surface);
        const CRect red = surface.boundsOf(kRed);
        const CRect blue = surface.boundsOf(kBlue);
        ASSERT_FALSE(blue.IsRectEmpty());
        // Ink starts a pixel or two inside its text cell; a line of this font is about 13 pixels.
        const int descTop = title.getTextTitle().IsEmpty() ? title.getMarginT() : red.bottom;
        EXPECT_EQ(title.getTextTitle().IsEmpty(), red.IsRectEmpty());
        EXPECT_GE(blue.top, descTop + c.indent.cy);
        EXPECT_LE(blue.top, descTop + c.indent.cy + 8);
        EXPECT_NEAR(title.getMarginL() + c.indent.cx, blue.left, 2);
        EXPECT_GT(blue.Height(), 20) << "the second line belongs to the description";
    }
}

TEST_F(StaticInDialog, TitleAndDescriptionInTheirOwnWeights)
{
    // The same word as title and as description: the bold one is the wider.
    struct Case {
        const char* name;
        bool boldTitle, boldDesc;
    };
    const Case cases[] = {{"bold title", true, false}, {"bold description", false, true}};
    title.setOutline(false);
    title.setColor(kRed, kBlue, kWhite);
    title.SetWindowText(L"Weight\nWeight");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        title.setBoldFont(c.boldTitle, c.boldDesc);
        DibSurface surface(200, 80);
        printClient(title, surface);
        EXPECT_EQ(c.boldTitle, surface.boundsOf(kRed).Width() > surface.boundsOf(kBlue).Width());
    }
}

TEST_F(StaticInDialog, IconSizedAndPlacedByItsStyle)
{
    struct Case {
        const char* name;
        DWORD style;
        SIZE given;
        COLORREF color; // each size of the icon resource has its own colour
        CRect icon;
        CRect textRoom;
    };
    // 200 x 80 with margins 10, 6, 10, 6 and a gap of 12.
    const Case cases[] = {
        {"48, right, bottom", 0x2108, {}, kBlue, CRect(142, 26, 190, 74), CRect(10, 0, 130, 80)},
        {"32, left, centred", Static::IconSize32, {}, kGreen, CRect(10, 24, 42, 56), CRect(54, 0, 190, 80)},
        {"16, left, top", Static::IconSize16 | Static::IconTop, {}, kRed, CRect(10, 6, 26, 22), CRect(38, 0, 190, 80)},
        {"given size at the origin", Static::IconSizeGiven | 0x0300 | 0x3000, {32, 32}, kGreen, CRect(0, 0, 32, 32),
         CRect(10, 0, 190, 80)},
    };
    title.setOutline(false);
    title.setColor(kBlack, kBlack, kWhite);
    title.SetWindowText(L"Wide title text\nand a description long enough to fill the room it has");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(title.setIcon(IDI_SQUARES, c.style, c.given));
        DibSurface surface(200, 80);
        printClient(title, surface);
        EXPECT_EQ(c.icon, surface.boundsOf(c.color));
        const CRect text = surface.boundsOf(kBlack);
        EXPECT_GE(text.left, c.textRoom.left);
        EXPECT_LE(text.right, c.textRoom.right);
    }
}

TEST_F(StaticInDialog, MissingImagesLeaveNone)
{
    title.SetWindowText(L"");
    title.setColorBack(kWhite);
    ASSERT_TRUE(title.setIcon(IDI_SQUARES, Static::IconSize16, {}));
    EXPECT_FALSE(title.setIcon(999, Static::IconSize16, {}));
    EXPECT_FALSE(title.setIcon(static_cast<const wchar_t*>(nullptr), Static::IconSize16, {}));
    for (SIZE size : {SIZE{100000, 100000}, SIZE{-4, 16}, SIZE{16, INT_MIN}}) {
        SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
        EXPECT_FALSE(title.setIcon(IDI_SQUARES, Static::IconSizeGiven, size));
    }
    ASSERT_TRUE(title.setBitmap(L"PATTERN"));
    EXPECT_FALSE(title.setBitmap(L"MISSING"));
    DibSurface surface(100, 40);
    printClient(title, surface);
    EXPECT_EQ(CRect(), surface.boundsOf(kRed));
    EXPECT_EQ(CRect(), surface.boundsOf(kOrange));

    EXPECT_TRUE(title.setBitmap(L"PATTERN"));
    EXPECT_TRUE(title.setBitmap(0u));
    printClient(title, surface);
    EXPECT_EQ(CRect(), surface.boundsOf(kOrange));
}

TEST(StaticBitmap, BitmapStaticPaintsItsPictureBehindTheText)
{
    ControlsDialog dialog;
    Static picture;
    ASSERT_TRUE(picture.SubclassDlgItem(IDC_PICTURE, &dialog));
    EXPECT_TRUE(picture.getTransparent());
    bool left = true, top = true, right = true, bottom = true;
    picture.getOutline(left, top, right, bottom);
    EXPECT_FALSE(left || top || right || bottom);

    DibSurface surface(40, 30, kGreen);
    printClient(picture, surface);
    EXPECT_EQ(kTeal, surface.pixel(5, 5));
    EXPECT_EQ(kOrange, surface.pixel(30, 20));
}

// Exposes the fitting of an image into a frame.
class FittingStatic : public Static {
public:
    using Static::fitSizeImageToFrame;
};

TEST(StaticImageFit, ShrinksKeepingTheAspect)
{
    struct Case {
        CSize frame, image, expected;
    };
    const Case cases[] = {
        {{200, 100}, {400, 300}, {133, 100}}, {{200, 100}, {400, 100}, {200, 50}}, {{100, 200}, {50, 400}, {25, 200}},
        {{200, 100}, {50, 40}, {50, 40}},     {{200, 100}, {0, 30}, {0, 0}},
    };
    FittingStatic fitting;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.image));
        EXPECT_EQ(c.expected, fitting.fitSizeImageToFrame(c.frame, c.image));
    }
}

} // namespace
