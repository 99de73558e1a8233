#pragma once

#include "qvtest/DibSurface.h"
#include "qvtest/NotifyRecorder.h"

#include <qv.win/GroupButtons.h>

#include <gtest/gtest.h>

#include <string>

namespace gbtest {

constexpr UINT kStripId = 77;
constexpr COLORREF kMask = RGB(255, 0, 255);
constexpr COLORREF kImageColor = RGB(200, 0, 0);
constexpr COLORREF kTestBackground = RGB(40, 40, 40);
constexpr int kImageSize = 8;

// count images of kImageSize squared: the left half of each is the mask colour, the right half
// kImageColor (shade, when given, replaces kImageColor).
CImageList* makeImages(int count, COLORREF shade = kImageColor);

// The helpers GroupButtons keeps for derived painters.
class TestStrip : public qv::gui::GroupButtons {
public:
    using GroupButtons::_adjustMouseRange;
    using GroupButtons::_alphaPixel;
    using GroupButtons::_snapMarker;
};

// A strip in a parent that records its notifications. The cursor is parked away from both
// windows so that no stray mouse move reaches the strip. The parent is shared by every test:
// under Wine without a window manager, destroying an activated top-level window waits two seconds.
class StripTest : public testing::Test {
protected:
    StripTest();
    ~StripTest() override;

    // The strip's window, in the parent, with a client area of width x height.
    void place(qv::gui::GroupButtons& tested, int width, int height);
    // The fixture's strip with count images (none for a negative count), placed and painted.
    void create(int width, int height, int count);
    // The client area as WM_PRINTCLIENT paints it.
    void paint(qvtest::DibSurface& surface);
    // A group's bounds and, per button, the index of its group ('.' for none), as "{1,3}{2,5} .0111.".
    std::string groups() const;
    // The WM_COMMAND and WM_NOTIFY codes (BN_CLICKED as "C", others as their number), in order.
    std::string clicks() const;

    qvtest::NotifyRecorder& parent;
    TestStrip strip;
};

} // namespace gbtest
