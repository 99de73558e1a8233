#include <qv.win/Camera.h>
#include <qv.win/DIBSection.h>
#include <qv.win/Wnd.h>

#include "GlHostSupport.h"

#include "qvtest/Input.h"
#include "qvtest/MfcPump.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

using qv::gl::Camera;
using qv::gl::Wnd;

namespace {

// What the camera was offered, and whether the host had the focus at that moment.
struct Offer {
    UINT message;
    bool focused;
};

// Records every message offered to it and consumes the one it is told to.
class RecordingCamera : public Camera {
public:
    RecordingCamera() : Camera(nullptr) {}

    std::vector<Offer> offers;
    UINT consumed = 0;
    HWND host = nullptr;

    int preTranslateMessage(MSG* message) override
    {
        if (message->hwnd == host)
            offers.push_back({message->message, ::GetFocus() == host});
        return message->message == consumed ? 1 : 0;
    }

    const Offer* find(UINT message) const
    {
        for (const Offer& offer : offers)
            if (offer.message == message)
                return &offer;
        return nullptr;
    }
};

// Counts the button releases that reach its message map.
class CountingWnd : public Wnd {
public:
    CountingWnd() : Wnd(false) {}
    int buttonUps = 0;

protected:
    afx_msg void OnLButtonUp(UINT, CPoint) { ++buttonUps; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CountingWnd, Wnd)
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

class HostInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(createParent(parent));
        ASSERT_TRUE(wnd.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 90), &parent, 1));
        ASSERT_TRUE(other.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(150, 10, 200, 60), &parent, 2));
        ASSERT_TRUE(qvtest::bringToForeground(parent));
        camera.host = wnd.m_hWnd;
        wnd.setCamera(&camera);
        other.SetFocus();
        qvtest::pumpMfcUntilIdle();
        ASSERT_EQ(other.m_hWnd, ::GetFocus());
        camera.offers.clear();
    }

    RecordingCamera camera;
    CWnd parent;
    CountingWnd wnd;
    CWnd other;
};

TEST_F(HostInput, AButtonPressTakesTheFocusBeforeTheCameraSeesIt)
{
    const struct {
        qvtest::MouseButton button;
        UINT message;
    } presses[] = {{qvtest::MouseButton::Left, WM_LBUTTONDOWN}, {qvtest::MouseButton::Right, WM_RBUTTONDOWN}};
    for (const auto& press : presses) {
        SCOPED_TRACE(press.message);
        other.SetFocus();
        qvtest::pumpMfcUntilIdle();
        camera.offers.clear();
        qvtest::click(wnd, {30, 30}, press.button);
        qvtest::pumpMfcUntilIdle();
        const Offer* offer = camera.find(press.message);
        ASSERT_NE(nullptr, offer);
        EXPECT_TRUE(offer->focused);
        EXPECT_EQ(wnd.m_hWnd, ::GetFocus());
    }
}

TEST_F(HostInput, AMouseMoveOrMiddlePressLeavesTheFocusWhereItWas)
{
    qvtest::moveMouse(wnd, {20, 20});
    qvtest::pumpMfcUntilIdle();
    qvtest::moveMouse(wnd, {40, 30});
    qvtest::pumpMfcUntilIdle();
    qvtest::click(wnd, {40, 30}, qvtest::MouseButton::Middle);
    qvtest::pumpMfcUntilIdle();
    for (const UINT message : {WM_MOUSEMOVE, WM_MBUTTONDOWN}) {
        SCOPED_TRACE(message);
        const Offer* offer = camera.find(message);
        ASSERT_NE(nullptr, offer) << "offered to the camera";
        EXPECT_FALSE(offer->focused);
    }
    EXPECT_EQ(other.m_hWnd, ::GetFocus());
}

TEST_F(HostInput, AMessageTheCameraConsumesIsNotDispatched)
{
    qvtest::click(wnd, {30, 30});
    qvtest::pumpMfcUntilIdle();
    EXPECT_EQ(1, wnd.buttonUps);
    camera.consumed = WM_LBUTTONUP;
    qvtest::click(wnd, {30, 30});
    qvtest::pumpMfcUntilIdle();
    EXPECT_EQ(1, wnd.buttonUps);
    EXPECT_NE(nullptr, camera.find(WM_LBUTTONUP));
}

// The clipboard's CF_DIB as its header and pixel bytes.
struct ClipboardDib {
    BITMAPINFOHEADER header{};
    std::vector<BYTE> pixels;
};

bool readClipboardDib(HWND owner, ClipboardDib& dib)
{
    if (!::OpenClipboard(owner))
        return false;
    const HANDLE data = ::GetClipboardData(CF_DIB);
    if (data != nullptr) {
        const auto* header = static_cast<const BITMAPINFOHEADER*>(::GlobalLock(data));
        dib.header = *header;
        const auto* bytes = reinterpret_cast<const BYTE*>(header + 1);
        dib.pixels.assign(bytes, bytes + header->biSizeImage);
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return data != nullptr;
}

// Each corner its own colour, so that every column and row differs.
class CornerWnd : public Wnd {
public:
    CornerWnd() : Wnd(false) {}
    bool onCreateGLFont() override
    {
        setColorBackground({1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}, {1, 1, 0, 1});
        return Wnd::onCreateGLFont();
    }
};

TEST(HostClipboard, HoldsA24BitDibOfThePictureFourColumnsAtATime)
{
    CWnd parent;
    ASSERT_TRUE(createParent(parent));
    CornerWnd wnd;
    ASSERT_TRUE(wnd.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 105, 74), &parent, 1));
    qvtest::pumpMfcUntilIdle();
    qv::gl::DIBSection picture;
    ASSERT_TRUE(wnd.getScreenShot(picture, GL_BGRA_EXT));
    ASSERT_EQ(101u, picture.getWidth()) << "inside the client edge";
    ASSERT_EQ(70u, picture.getHeight());

    ASSERT_TRUE(wnd.renderClipboard());
    ClipboardDib dib;
    ASSERT_TRUE(readClipboardDib(wnd, dib));
    EXPECT_EQ(static_cast<DWORD>(sizeof(BITMAPINFOHEADER)), dib.header.biSize);
    EXPECT_EQ(100, dib.header.biWidth) << "rounded down to a multiple of 4";
    EXPECT_EQ(70, dib.header.biHeight) << "bottom-up";
    EXPECT_EQ(1, dib.header.biPlanes);
    EXPECT_EQ(24, dib.header.biBitCount);
    EXPECT_EQ(static_cast<DWORD>(BI_RGB), dib.header.biCompression);
    ASSERT_EQ(100u * 70u * 3u, dib.header.biSizeImage);
    ASSERT_EQ(100u * 70u * 3u, dib.pixels.size());

    int mismatches = 0;
    for (unsigned y = 0; y < 70; y += 3)
        for (unsigned x = 0; x < 100; x += 3) {
            COLORREF expected = CLR_INVALID;
            picture.getPixel(x, y, expected);
            const BYTE* pixel = &dib.pixels[((69 - y) * 100 + x) * 3];
            mismatches += RGB(pixel[2], pixel[1], pixel[0]) != expected;
        }
    EXPECT_EQ(0, mismatches);
    const BYTE* topLeft = &dib.pixels[69 * 100 * 3];
    EXPECT_TRUE(closeTo(RGB(255, 0, 0), RGB(topLeft[2], topLeft[1], topLeft[0]), 8)) << "the top row comes last";
}

} // namespace
