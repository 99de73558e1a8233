#include "TestWindows.h"

#include <qvtest/Capture.h>
#include <qvtest/MfcPump.h>

#include <gtest/gtest.h>

namespace {

const COLORREF white = RGB(255, 255, 255);
const COLORREF green = RGB(0, 255, 0);
const COLORREF red = RGB(255, 0, 0);
const COLORREF blue = RGB(0, 0, 255);

class PaintedWnd : public CWnd {
public:
    int paints = 0;
    CRect paintRect;

protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        ++paints;
        paintRect = dc.m_ps.rcPaint;
        dc.FillSolidRect(0, 0, 50, 50, green);
        dc.Draw3dRect(60, 10, 20, 20, red, blue);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PaintedWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(PaintDCTest, PaintsPixelsThatACaptureReadsBack)
{
    PaintedWnd wnd;
    ASSERT_TRUE(createPopup(wnd));
    wnd.Invalidate();
    qvtest::pumpMfcUntilIdle();
    EXPECT_GE(wnd.paints, 1);
    EXPECT_EQ(wnd.paintRect, CRect(0, 0, 200, 150));
    CRect update;
    EXPECT_FALSE(wnd.GetUpdateRect(&update));

    qvtest::Capture capture(wnd.m_hWnd);
    EXPECT_EQ(capture.count(CRect(0, 0, 50, 50), green), 50 * 50);
    EXPECT_EQ(capture.pixel(50, 50), white);
    // Draw3dRect: top and left edges in the first colour, bottom and right in the second.
    EXPECT_EQ(capture.pixel(60, 10), red);
    EXPECT_EQ(capture.pixel(78, 10), red);
    EXPECT_EQ(capture.pixel(79, 10), blue);
    EXPECT_EQ(capture.pixel(60, 29), blue);
    EXPECT_EQ(capture.pixel(79, 29), blue);
    EXPECT_EQ(capture.pixel(70, 20), white);
}

class MemoryDCTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CDC screen;
        screen.Attach(::GetDC(nullptr));
        ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 40, 30));
        ::ReleaseDC(nullptr, screen.Detach());
        previousBitmap = dc.SelectObject(&bitmap);
    }
    void TearDown() override { dc.SelectObject(previousBitmap); }

    CDC dc;
    CBitmap bitmap;
    CBitmap* previousBitmap = nullptr;
};

TEST_F(MemoryDCTest, SelectObjectReturnsTypedWrappersOfThePreviousObjects)
{
    ASSERT_NE(previousBitmap, nullptr);
    EXPECT_NE(previousBitmap->m_hObject, bitmap.m_hObject);
    CPen pen(PS_SOLID, 1, red);
    CPen* previousPen = dc.SelectObject(&pen);
    ASSERT_NE(previousPen, nullptr);
    EXPECT_EQ(previousPen->m_hObject, ::GetStockObject(BLACK_PEN));
    // Our own object comes back as itself: it is in the permanent map.
    EXPECT_EQ(dc.SelectObject(previousPen), &pen);
    EXPECT_EQ(CPen::FromHandle(pen), &pen);
    EXPECT_EQ(dc.GetCurrentBitmap(), &bitmap);
    BITMAP info{};
    bitmap.GetBitmap(&info);
    EXPECT_EQ(info.bmWidth, 40);
    EXPECT_EQ(info.bmHeight, 30);
}

TEST_F(MemoryDCTest, FillSolidRectPaintsAndKeepsTheBackgroundColour)
{
    dc.FillSolidRect(CRect(0, 0, 40, 30), white);
    dc.FillSolidRect(5, 5, 10, 10, blue);
    EXPECT_EQ(dc.GetPixel(5, 5), blue);
    EXPECT_EQ(dc.GetPixel(14, 14), blue);
    EXPECT_EQ(dc.GetPixel(15, 15), white);
    EXPECT_EQ(dc.GetBkColor(), blue);
}

TEST_F(MemoryDCTest, TransparentAlphaAndGradientBlits)
{
    dc.FillSolidRect(CRect(0, 0, 40, 30), blue);
    CDC source;
    ASSERT_TRUE(source.CreateCompatibleDC(&dc));
    CBitmap sourceBitmap;
    ASSERT_TRUE(sourceBitmap.CreateCompatibleBitmap(&dc, 4, 1));
    CBitmap* previous = source.SelectObject(&sourceBitmap);
    source.FillSolidRect(0, 0, 2, 1, red);
    source.FillSolidRect(2, 0, 2, 1, green);

    // Green is the transparent colour: only the red half lands.
    EXPECT_TRUE(dc.TransparentBlt(0, 0, 4, 1, &source, 0, 0, 4, 1, green));
    EXPECT_EQ(dc.GetPixel(1, 0), red);
    EXPECT_EQ(dc.GetPixel(3, 0), blue);

    const BLENDFUNCTION half{AC_SRC_OVER, 0, 128, 0};
    EXPECT_TRUE(dc.AlphaBlend(0, 5, 2, 1, &source, 0, 0, 2, 1, half));
    const COLORREF blended = dc.GetPixel(0, 5);
    EXPECT_NEAR(GetRValue(blended), 128, 2);
    EXPECT_NEAR(GetBValue(blended), 127, 2);

    TRIVERTEX vertices[2] = {{0, 10, 0xFF00, 0, 0, 0}, {40, 11, 0, 0, 0xFF00, 0}};
    GRADIENT_RECT rect{0, 1};
    EXPECT_TRUE(dc.GradientFill(vertices, 2, &rect, 1, GRADIENT_FILL_RECT_H));
    EXPECT_GT(GetRValue(dc.GetPixel(0, 10)), 240);
    EXPECT_GT(GetBValue(dc.GetPixel(39, 10)), 240);
    source.SelectObject(previous);
}

// The text calls a derived DC may replace, each through the base pointer, each inking its own strip.
TEST_F(MemoryDCTest, TextOutputThroughTheBasePointer)
{
    CDC* base = &dc;
    base->FillSolidRect(CRect(0, 0, 40, 30), white);
    base->SetTextColor(RGB(0, 0, 0));
    base->SetBkMode(TRANSPARENT);
    const auto inked = [&](int top) {
        for (int y = top; y < top + 10; ++y)
            for (int x = 0; x < 40; ++x)
                if (dc.GetPixel(x, y) != white)
                    return true;
        return false;
    };

    int tabStop = 20;
    const CSize extent = base->TabbedTextOut(0, 0, L"i\ti", 3, 1, &tabStop, 0);
    EXPECT_GT(extent.cx, tabStop) << "the tab expanded";
    EXPECT_TRUE(inked(0));

    wchar_t text[] = L"W";
    CRect box(0, 10, 40, 20);
    EXPECT_GT(base->DrawTextEx(text, -1, &box, DT_SINGLELINE | DT_NOCLIP, nullptr), 0);
    EXPECT_TRUE(inked(10));

    EXPECT_TRUE(base->GrayString(nullptr, nullptr, reinterpret_cast<LPARAM>(L"W"), 1, 0, 20, 0, 0));
    EXPECT_TRUE(inked(20));

    int query = NEXTBAND;
    EXPECT_EQ(0, base->Escape(QUERYESCSUPPORT, sizeof(query), reinterpret_cast<LPCSTR>(&query), nullptr))
        << "a screen DC has no bands";
}

TEST(GdiObjectTest, TemporaryWrappersAreNotPermanent)
{
    HGDIOBJ stock = ::GetStockObject(WHITE_BRUSH);
    CGdiObject* temporary = CGdiObject::FromHandle(stock);
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(temporary->m_hObject, stock);
    EXPECT_EQ(CGdiObject::FromHandle(stock), temporary);
    EXPECT_EQ(CGdiObject::FromHandle(nullptr), nullptr);
    AfxLockTempMaps();
    AfxUnlockTempMaps();
    // Deleting the temporary must not have deleted the stock object.
    LOGBRUSH info{};
    EXPECT_EQ(::GetObject(stock, sizeof info, &info), static_cast<int>(sizeof info));
}

TEST(GdiObjectTest, PointFontHeightFollowsTheScreenResolution)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, L"Tahoma"));
    LOGFONT logFont{};
    font.GetLogFont(&logFont);
    HDC screen = ::GetDC(nullptr);
    EXPECT_EQ(logFont.lfHeight, -::MulDiv(::GetDeviceCaps(screen, LOGPIXELSY), 120, 720));
    ::ReleaseDC(nullptr, screen);
    EXPECT_STREQ(logFont.lfFaceName, L"Tahoma");
}

} // namespace
