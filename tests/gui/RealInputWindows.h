#pragma once

#include "qvtest/MfcPump.h"
#include "qvtest/NotifyRecorder.h"

#include <qv.win/RealSlideEdit.h>
#include <qv.win/RealSpinCtrl.h>

#include <afxcmn.h>

#include <string>
#include <vector>

// The windows the slide edit and spin control tests share.

// A slide edit 200 x 24 at (10, 10) of a parent that records what it is sent.
struct SlideEditWindow {
    static constexpr UINT kId = 7;
    static constexpr int kLeft = 10;
    static constexpr int kTop = 10;

    qvtest::NotifyRecorder parent{sizeof(qv::gui::NMREALSLIDEEDIT), 400, 200};
    // The value the parent read with getValue at each notification, in order.
    std::vector<double> notified;
    qv::gui::RealSlideEdit edit;

    explicit SlideEditWindow(int width = 200, int height = 24)
    {
        parent.setOnNotify([this](const NMHDR& header) {
            notified.push_back(reinterpret_cast<const qv::gui::NMREALSLIDEEDIT&>(header).pSlideEdit->getValue());
        });
        edit.Create(CWnd::FromHandle(parent.hwnd()), kId, CRect(kLeft, kTop, kLeft + width, kTop + height));
        qvtest::pumpMfcUntilIdle();
    }
};

// A spin control with an edit buddy, children of an MFC window (which reflects the spin's
// notifications) over a recorder that sees what the parent receives after the spin.
struct SpinWindow {
    static constexpr UINT kBuddyId = 8;
    static constexpr UINT kSpinId = 9;

    qvtest::NotifyRecorder recorder{sizeof(NMUPDOWN), 300, 100};
    CWnd parent;
    CEdit buddy;
    qv::gui::RealSpinCtrl spin;

    explicit SpinWindow(DWORD spinStyle = 0)
    {
        parent.SubclassWindow(recorder.hwnd());
        buddy.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 110, 34), &parent, kBuddyId);
        spin.Create(WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | spinStyle, CRect(0, 0, 20, 24), &parent, kSpinId);
        spin.SetBuddy(&buddy);
        qvtest::pumpMfcUntilIdle();
    }
    ~SpinWindow()
    {
        spin.DestroyWindow();
        buddy.DestroyWindow();
        parent.UnsubclassWindow();
    }

    std::wstring text() const
    {
        CString text;
        buddy.GetWindowText(text);
        return std::wstring(text.GetString());
    }
    int intPos() const { return static_cast<int>(spin.SendMessage(UDM_GETPOS32)); }
};
