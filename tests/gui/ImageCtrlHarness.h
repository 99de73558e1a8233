#pragma once

#include <qv.win/ImageCtrl.h>

#include <qvtest/Capture.h>
#include <qvtest/MfcPump.h>
#include <qvtest/NotifyRecorder.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <vector>

namespace imagetest {

using qv::gui::ImageCtrl;
using qv::gui::ImageData;

constexpr UINT kCtrlId = 7;
constexpr POINT kParkedCursor{1270, 1010};
constexpr COLORREF kBackground = 0x00B17D56;
constexpr COLORREF kImageBackground = 0x00FFFFFF;
constexpr COLORREF kCaption = 0x00FFFFFF;
constexpr COLORREF kSelect1 = 0x004F86AD;
constexpr COLORREF kSelect2 = 0x003283BD;
constexpr COLORREF kFocus3 = 0x000B64E9;
constexpr COLORREF kFocus4 = 0x00609ADA;
constexpr COLORREF kImageBox = 0x00646464;
constexpr COLORREF kPicture = RGB(0, 160, 0);

// The cell geometry of the defaults with a 14-pixel caption font in a 600-pixel wide client.
constexpr int kCellWidth = 176;
constexpr int kCellHeight = 152;
constexpr int kGap = 16;
constexpr int kGapBesideBar = 12; // the vertical scroll bar leaves 583 pixels
constexpr int kMargin = 3;

// The notification codes as the parent records them.
constexpr int kClick = int(NM_CLICK);
constexpr int kDblClk = int(NM_DBLCLK);
constexpr int kReturn = int(NM_RETURN);
constexpr int kRClick = int(NM_RCLICK);
constexpr int kSelChanged = int(qv::gui::ICN_SELCHANGED);
constexpr int kDrawItem = int(qv::gui::ICN_DRAWITEM);
constexpr int kGetCaption = int(qv::gui::ICN_GETCAPTION);
constexpr int kBeginDrag = int(qv::gui::ICN_BEGINDRAG);
constexpr int kZoomChanged = int(qv::gui::ICN_ZOOMCHANGED);

// Tahoma at 14 pixels, without smoothing, so that caption ink has exactly the caption colour.
inline LOGFONT captionFont()
{
    LOGFONT font{};
    font.lfHeight = 14;
    font.lfWeight = FW_NORMAL;
    font.lfQuality = NONANTIALIASED_QUALITY;
    ::lstrcpyn(font.lfFaceName, L"Tahoma", LF_FACESIZE);
    return font;
}

inline std::vector<__int64> selectedList(const ImageCtrl& ctrl)
{
    std::vector<__int64> items;
    const ImageCtrl::SelectedList& list = ctrl.getSelectedList();
    for (POSITION position = list.GetHeadPosition(); position != nullptr;)
        items.push_back(list.GetNext(position));
    return items;
}

struct Probe {
    const char* name;
    int x, y;
    COLORREF color;
};

inline void expectProbes(const qvtest::Capture& picture, std::initializer_list<Probe> probes)
{
    for (const Probe& probe : probes) {
        SCOPED_TRACE(probe.name);
        EXPECT_EQ(probe.color, picture.pixel(probe.x, probe.y)) << "at " << probe.x << ", " << probe.y;
    }
}

// One parent window for every control of a test run: destroying an active top-level window costs
// the X server here two seconds.
inline qvtest::NotifyRecorder& sharedParent()
{
    static qvtest::NotifyRecorder parent(sizeof(qv::gui::NMIMAGEDRAW), 700, 500);
    return parent;
}

// An image control in the shared parent, which records its notifications in order. It answers
// caption requests through `caption` and, in virtual mode, fills the picture area with kPicture.
class Harness {
public:
    explicit Harness(int width = 600, int height = 400, DWORD style = WS_CHILD | WS_VISIBLE)
        : parent(sharedParent())
    {
        parent.clear();
        // Away from the control, so that no item is under the pointer unless a test puts it there.
        ::SetCursorPos(kParkedCursor.x, kParkedCursor.y);
        parent.setOnNotify([this](const NMHDR& header) { answer(const_cast<NMHDR&>(header)); });
        ctrl.Create(style, CRect(0, 0, width, height), CWnd::FromHandle(parent.hwnd()), kCtrlId);
        const LOGFONT font = captionFont();
        ctrl.setFontIndirect(&font);
        ctrl.recalcLayout();
        qvtest::pumpMfcUntilIdle();
    }

    Harness(const Harness&) = delete;
    Harness& operator=(const Harness&) = delete;
    ~Harness() { parent.setOnNotify({}); }

    // Paints pending updates, then starts a fresh record.
    void settle()
    {
        qvtest::pumpMfcUntilIdle();
        ctrl.UpdateWindow();
        parent.clear();
    }

    // The codes of what the control reported, in order, leaving out its requests for pictures and
    // captions (and what its tool tip asks).
    std::vector<int> actions() const
    {
        std::vector<int> codes;
        for (const qvtest::ParentMessage& message : parent.messages()) {
            if (message.message == WM_NOTIFY && message.hwndFrom == ctrl.m_hWnd && message.code != kDrawItem &&
                message.code != kGetCaption)
                codes.push_back(message.code);
        }
        return codes;
    }

    // The record of the first notification with the code.
    template <class T> T first(int code) const
    {
        for (const qvtest::ParentMessage& message : parent.messages()) {
            if (message.message == WM_NOTIFY && message.code == code)
                return message.as<T>();
        }
        ADD_FAILURE() << "no notification " << code;
        return T{};
    }

    // The items of the recorded notifications with one of the codes, in order.
    std::vector<__int64> items(std::initializer_list<int> codes) const
    {
        std::vector<__int64> result;
        for (const qvtest::ParentMessage& message : parent.messages()) {
            if (message.message == WM_NOTIFY && std::find(codes.begin(), codes.end(), message.code) != codes.end())
                result.push_back(message.as<qv::gui::NMIMAGECTRL>().item);
        }
        return result;
    }

    void addItems(int count)
    {
        for (int i = 0; i < count; ++i)
            ctrl.addImage(new ImageData);
    }

    qvtest::Capture capture()
    {
        qvtest::pumpMfcUntilIdle();
        ctrl.UpdateWindow();
        return qvtest::Capture(ctrl.m_hWnd);
    }

    // The centre of an item's cell in client coordinates.
    CPoint centre(__int64 item) const { return ctrl.getItemRect(item).CenterPoint(); }

    qvtest::NotifyRecorder& parent;
    ImageCtrl ctrl;
    std::function<CString(__int64)> caption = [](__int64) { return CString(); };

private:
    void answer(NMHDR& header)
    {
        if (header.code == qv::gui::ICN_GETCAPTION) {
            auto& request = reinterpret_cast<qv::gui::NMIMAGECAPTION&>(header);
            request.caption = caption(request.item);
        } else if (header.code == qv::gui::ICN_DRAWITEM) {
            auto& request = reinterpret_cast<qv::gui::NMIMAGEDRAW&>(header);
            request.dc->FillSolidRect(&request.rect, kPicture);
        }
    }
};

} // namespace imagetest
