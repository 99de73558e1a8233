#pragma once

#include "qvtest/MfcPump.h"
#include "qvtest/NotifyRecorder.h"

#include <qv.win/RealSlideEdit.h>
#include <qv.win/RealSpinCtrl.h>

#include <afxcmn.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

// The windows the slide edit and spin control tests share. A parent serves a whole test suite and
// each test (or row) makes new controls: a top-level window takes Wine two seconds to go away
// under Xvfb.

// A slide edit at (10, 10) of a parent that records what it is sent.
struct SlideEditWindow {
    static constexpr UINT kId = 7;
    static constexpr int kLeft = 10;
    static constexpr int kTop = 10;

    qvtest::NotifyRecorder parent{sizeof(qv::gui::NMREALSLIDEEDIT), 400, 200};
    // The value the parent read with getValue at each notification, in order.
    std::vector<double> notified;
    std::optional<qv::gui::RealSlideEdit> control;

    // A new control of that size in place of the last one, with nothing recorded yet.
    qv::gui::RealSlideEdit& renew(int width = 200, int height = 24)
    {
        control.reset();
        parent.clear();
        notified.clear();
        parent.setOnNotify([this](const NMHDR& header) {
            notified.push_back(reinterpret_cast<const qv::gui::NMREALSLIDEEDIT&>(header).pSlideEdit->getValue());
        });
        control.emplace();
        control->Create(CWnd::FromHandle(parent.hwnd()), kId, CRect(kLeft, kTop, kLeft + width, kTop + height));
        qvtest::pumpMfcUntilIdle();
        return *control;
    }
    qv::gui::RealSlideEdit& edit() { return *control; }
};

// A spin control with an edit buddy, children of an MFC window (which reflects the spin's
// notifications) over a recorder that sees what the parent receives after the spin.
struct SpinWindow {
    static constexpr UINT kBuddyId = 8;
    static constexpr UINT kSpinId = 9;

    qvtest::NotifyRecorder recorder{sizeof(NMUPDOWN), 300, 100};
    CWnd parent;
    std::optional<CEdit> buddy;
    std::optional<qv::gui::RealSpinCtrl> spin;

    SpinWindow() { parent.SubclassWindow(recorder.hwnd()); }
    ~SpinWindow()
    {
        spin.reset();
        buddy.reset();
        parent.UnsubclassWindow();
    }

    // A new buddy and spin control in place of the last ones, with nothing recorded yet.
    void renew()
    {
        spin.reset();
        buddy.reset();
        recorder.clear();
        recorder.setOnNotify({});
        buddy.emplace();
        buddy->Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 110, 34), &parent, kBuddyId);
        spin.emplace();
        spin->Create(WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT, CRect(0, 0, 20, 24), &parent, kSpinId);
        spin->SetBuddy(&*buddy);
        qvtest::pumpMfcUntilIdle();
    }

    std::wstring text() const
    {
        CString text;
        buddy->GetWindowText(text);
        return std::wstring(text.GetString());
    }
    int intPos() const { return static_cast<int>(spin->SendMessage(UDM_GETPOS32)); }
};

// A test fixture whose window lives as long as its test suite.
template <class Window>
class SuiteWindow : public testing::Test {
protected:
    static void SetUpTestSuite() { s_window = new Window; }
    static void TearDownTestSuite()
    {
        delete s_window;
        s_window = nullptr;
    }
    static Window& window() { return *s_window; }

private:
    static inline Window* s_window = nullptr;
};
