#include "ImageCtrlHarness.h"

#include <qv.win/ImageView.h>

#include <qvtest/Capture.h>
#include <qvtest/MfcPump.h>

#include <gtest/gtest.h>

using qv::gui::ImageView;

namespace {

// A resource id with no menu, strings, icon or accelerators.
constexpr UINT kNoResources = 0x7F01;
constexpr UINT kImageCtrlId = 100;

class PictureDoc : public CDocument {
    DECLARE_DYNCREATE(PictureDoc)
};

IMPLEMENT_DYNCREATE(PictureDoc, CDocument)

CRect rectInParent(CWnd& child)
{
    CRect rect;
    child.GetWindowRect(&rect);
    child.GetParent()->ScreenToClient(&rect);
    return rect;
}

TEST(ImageViewFrame, ControlFillsTheViewAndTakesItsFocus)
{
    CSingleDocTemplate docTemplate(kNoResources, RUNTIME_CLASS(PictureDoc), RUNTIME_CLASS(CFrameWnd),
                                   RUNTIME_CLASS(ImageView));
    CDocument* document = docTemplate.OpenDocumentFile(nullptr);
    ASSERT_NE(nullptr, document);
    POSITION position = document->GetFirstViewPosition();
    auto* view = static_cast<ImageView*>(document->GetNextView(position));
    ASSERT_TRUE(view->IsKindOf(RUNTIME_CLASS(ImageView)));
    qv::gui::ImageCtrl& ctrl = view->getImageCtrl();
    CFrameWnd* frame = view->GetParentFrame();

    for (const CSize size : {CSize(420, 320), CSize(260, 500)}) {
        SCOPED_TRACE(size.cx);
        frame->MoveWindow(0, 0, size.cx, size.cy);
        qvtest::pumpMfcUntilIdle();
        CRect client;
        view->GetClientRect(&client);
        EXPECT_EQ(client, rectInParent(ctrl));
        EXPECT_EQ(view, ctrl.GetParent());
        EXPECT_EQ(int(kImageCtrlId), ctrl.GetDlgCtrlID());
        const qvtest::Capture picture(*view);
        EXPECT_EQ(imagetest::kBackground, picture.pixel(client.right - 1, client.bottom - 1)) << "the control paints";
    }

    view->SetFocus();
    EXPECT_EQ(ctrl.m_hWnd, ::GetFocus());
    frame->SendMessage(WM_CLOSE);
    EXPECT_EQ(nullptr, docTemplate.GetFirstDocPosition());
}

} // namespace
