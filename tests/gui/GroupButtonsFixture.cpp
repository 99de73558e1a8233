#include "GroupButtonsFixture.h"

#include "qvtest/Pump.h"

#include <sstream>

using qv::gui::GroupButtons;
using qv::gui::NMGROUPBUTTONS;

namespace gbtest {

namespace {

// Far from the parent window at the screen's top-left corner.
const POINT kParkedCursor{780, 580};
const UINT kPaintCodes[] = {qv::gui::GBN_PREDRAWBUTTON, qv::gui::GBN_PREDRAWIMAGE, qv::gui::GBN_DRAWIMAGE,
                            qv::gui::GBN_POSTDRAWBUTTON};

qvtest::NotifyRecorder& sharedParent()
{
    static auto* parent = new qvtest::NotifyRecorder(sizeof(qv::gui::NMGROUPBUTTONSDRAW), 400, 200);
    return *parent;
}

} // namespace

CImageList* makeImages(int count, COLORREF shade)
{
    HDC screen = ::GetDC(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.Attach(::CreateCompatibleBitmap(screen, count * kImageSize, kImageSize));
    ::ReleaseDC(nullptr, screen);
    CBitmap* previous = dc.SelectObject(&bitmap);
    for (int i = 0; i < count; ++i) {
        dc.FillSolidRect(i * kImageSize, 0, kImageSize / 2, kImageSize, kMask);
        dc.FillSolidRect(i * kImageSize + kImageSize / 2, 0, kImageSize / 2, kImageSize, shade);
    }
    dc.SelectObject(previous);
    auto* images = new CImageList;
    images->Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK, 0, 1);
    images->Add(&bitmap, kMask);
    return images;
}

StripTest::StripTest() : parent(sharedParent())
{
    ::SetCursorPos(kParkedCursor.x, kParkedCursor.y);
    parent.setOnNotify({});
    for (const UINT code : kPaintCodes)
        parent.setResult(int(code), 0);
    parent.clear();
}

StripTest::~StripTest()
{
    if (strip.GetSafeHwnd() != nullptr)
        strip.DestroyWindow();
    qvtest::pumpUntilIdle();
}

void StripTest::place(GroupButtons& tested, int width, int height)
{
    ASSERT_TRUE(tested.Create(L"QVTGroupButtons", nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, width, height),
                              CWnd::FromHandle(parent), kStripId));
    CRect window;
    CRect client;
    tested.GetWindowRect(&window);
    tested.GetClientRect(&client);
    tested.SetWindowPos(nullptr, 0, 0, width + window.Width() - client.Width(),
                        height + window.Height() - client.Height(), SWP_NOZORDER | SWP_NOMOVE);
}

void StripTest::create(int width, int height, int count)
{
    if (count >= 0) {
        ASSERT_TRUE(strip.addImages(makeImages(count)));
    }
    place(strip, width, height);
    strip.setColorBackground(kTestBackground);
    qvtest::pumpUntilIdle();
    parent.clear();
}

void StripTest::paint(qvtest::DibSurface& surface)
{
    strip.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.hdc()), PRF_CLIENT);
}

std::string StripTest::groups() const
{
    std::ostringstream text;
    for (INT64 i = 0; i < strip.getCountGroups(); ++i)
        text << "{" << strip.getGroupAt(i)->first << "," << strip.getGroupAt(i)->last << "}";
    text << " ";
    for (INT64 button = 0; button < strip.getCount(); ++button) {
        const GroupButtons::groupData* group = strip.getGroupFromButtonIndex(button);
        INT64 index = -1;
        for (INT64 i = 0; i < strip.getCountGroups(); ++i) {
            if (strip.getGroupAt(i) == group)
                index = i;
        }
        text << (index == -1 ? std::string(".") : std::to_string(index));
    }
    return text.str();
}

std::string StripTest::clicks() const
{
    std::ostringstream text;
    for (const qvtest::ParentMessage& message : parent.messages()) {
        const bool fromStrip = message.message == WM_COMMAND
                                   ? message.control == strip.GetSafeHwnd() && message.id == kStripId
                                   : message.hwndFrom == strip.GetSafeHwnd() && message.idFrom == kStripId;
        if (message.message == WM_COMMAND)
            text << (message.commandCode == BN_CLICKED ? "cmd" : "cmd?");
        else if (UINT(message.code) == NM_CLICK)
            text << "click:" << message.as<NMGROUPBUTTONS>().index;
        else if (UINT(message.code) == NM_RCLICK)
            text << "rclick:" << message.as<NMGROUPBUTTONS>().index;
        else
            continue;
        text << (fromStrip ? " " : "(foreign) ");
    }
    std::string result = text.str();
    if (!result.empty())
        result.pop_back();
    return result;
}

} // namespace gbtest
