#include "DocViewResources.h"
#include "TestWindows.h"

#include <qvtest/Capture.h>
#include <qvtest/MfcPump.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A resource id with no menu, strings, icon or accelerators.
const UINT noResources = 0x7F01;
const COLORREF blue = RGB(0, 0, 255);

int documents = 0;
int views = 0;
int initialUpdates = 0;

class TestDoc : public CDocument {
    DECLARE_DYNCREATE(TestDoc)
public:
    TestDoc() { ++documents; }
    ~TestDoc() override { --documents; }

    COLORREF color = blue;
};

IMPLEMENT_DYNCREATE(TestDoc, CDocument)

class TestView : public CView {
    DECLARE_DYNCREATE(TestView)
public:
    int fills = 0;

    TestView() { ++views; }
    ~TestView() override { --views; }

    TestDoc* GetDocument() const { return static_cast<TestDoc*>(m_pDocument); }

    void OnDraw(CDC* pDC) override
    {
        CRect client;
        GetClientRect(&client);
        pDC->FillSolidRect(&client, GetDocument()->color);
    }
    // Painting prepares the DC before drawing: here the picture starts 10 pixels in.
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) override
    {
        CView::OnPrepareDC(pDC, pInfo);
        pDC->SetViewportOrg(10, 10);
    }
    void OnInitialUpdate() override
    {
        ++initialUpdates;
        CView::OnInitialUpdate();
    }

protected:
    afx_msg void OnFill() { ++fills; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestView, CView)
    ON_COMMAND(ID_DRAWING_FILL, &TestView::OnFill)
END_MESSAGE_MAP()

IMPLEMENT_DYNCREATE(TestView, CView)

TEST(DocViewTest, TemplateCreatesDocumentFrameAndViewByRunTimeClass)
{
    auto docTemplate = std::make_unique<CSingleDocTemplate>(noResources, RUNTIME_CLASS(TestDoc),
                                                            RUNTIME_CLASS(CFrameWnd), RUNTIME_CLASS(TestView));
    initialUpdates = 0;
    CDocument* document = docTemplate->OpenDocumentFile(nullptr);
    ASSERT_NE(document, nullptr);
    EXPECT_TRUE(document->IsKindOf(RUNTIME_CLASS(TestDoc)));
    EXPECT_EQ(document->GetDocTemplate(), docTemplate.get());
    EXPECT_EQ(document->GetTitle(), CString(L"Untitled"));

    POSITION position = document->GetFirstViewPosition();
    CView* view = document->GetNextView(position);
    EXPECT_EQ(position, nullptr);
    ASSERT_TRUE(view->IsKindOf(RUNTIME_CLASS(TestView)));
    EXPECT_EQ(view->GetDocument(), document);
    EXPECT_EQ(view->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(initialUpdates, 1);

    CFrameWnd* frame = view->GetParentFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetActiveView(), view);
    EXPECT_EQ(frame->GetActiveDocument(), document);
    EXPECT_TRUE(frame->IsWindowVisible());
    CString title;
    frame->GetWindowText(title);
    EXPECT_EQ(title, CString(L"Untitled"));

    // The view fills the frame's client area and paints through OnDraw.
    frame->MoveWindow(0, 0, 300, 200);
    qvtest::pumpMfcUntilIdle();
    view->UpdateWindow();
    CRect viewRect;
    CRect clientRect;
    view->GetClientRect(&viewRect);
    frame->GetClientRect(&clientRect);
    EXPECT_GE(viewRect.Width(), clientRect.Width() - 4);
    qvtest::Capture capture(view->m_hWnd);
    EXPECT_EQ(capture.pixel(viewRect.Width() / 2, viewRect.Height() / 2), blue);
    EXPECT_NE(capture.pixel(5, 5), blue) << "drawn after OnPrepareDC";

    // Closing the frame closes the document: frame, view and document are deleted.
    frame->SendMessage(WM_CLOSE);
    EXPECT_EQ(views, 0);
    EXPECT_EQ(documents, 0);
    EXPECT_EQ(docTemplate->GetFirstDocPosition(), nullptr);
}

TEST(DocViewTest, ReopeningReusesTheDocumentAndUpdatesTheViewAgain)
{
    CSingleDocTemplate docTemplate(noResources, RUNTIME_CLASS(TestDoc), RUNTIME_CLASS(CFrameWnd),
                                   RUNTIME_CLASS(TestView));
    initialUpdates = 0;
    CDocument* first = docTemplate.OpenDocumentFile(nullptr);
    CDocument* second = docTemplate.OpenDocumentFile(nullptr);
    EXPECT_EQ(first, second);
    EXPECT_EQ(documents, 1);
    EXPECT_EQ(views, 1);
    EXPECT_EQ(initialUpdates, 2);
    // The template closes its document when it goes.
}

TEST(DocViewTest, FrameTakesTitleAndMenuFromTheResourceAndRoutesCommandsToTheView)
{
    CSingleDocTemplate docTemplate(IDR_DRAWING, RUNTIME_CLASS(TestDoc), RUNTIME_CLASS(CFrameWnd),
                                   RUNTIME_CLASS(TestView));
    CDocument* document = docTemplate.OpenDocumentFile(nullptr);
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->GetTitle(), CString(L"Drawing"));
    POSITION position = document->GetFirstViewPosition();
    auto* view = static_cast<TestView*>(document->GetNextView(position));
    CFrameWnd* frame = view->GetParentFrame();
    CString title;
    frame->GetWindowText(title);
    EXPECT_EQ(title, CString(L"Drawing - QV Test"));
    // The menu bar is wrapped for the caller; another bar can take its place and give it back.
    CMenu* bar = frame->GetMenu();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetSubMenu(0)->GetMenuItemID(0), static_cast<UINT>(ID_DRAWING_FILL));
    const HMENU resourceBar = bar->m_hMenu;
    CMenu other;
    ASSERT_TRUE(other.CreateMenu());
    EXPECT_TRUE(frame->SetMenu(&other));
    EXPECT_EQ(frame->GetMenu(), &other);
    EXPECT_EQ(::GetMenu(frame->m_hWnd), other.m_hMenu);
    EXPECT_TRUE(frame->SetMenu(CMenu::FromHandle(resourceBar)));
    EXPECT_EQ(frame->GetMenu()->m_hMenu, resourceBar);
    // A menu command reaches the frame, which routes it to the active view.
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_DRAWING_FILL, 0), 0);
    EXPECT_EQ(view->fills, 1);
    // So does its accelerator, translated while the key is pre-translated on its way to the view.
    view->PostMessage(WM_KEYDOWN, VK_F5);
    qvtest::pumpMfcUntilIdle();
    EXPECT_EQ(view->fills, 2);
}

TEST(DocViewTest, AfterTheTemplateIsGoneNothingIsLeft)
{
    EXPECT_EQ(documents, 0);
    EXPECT_EQ(views, 0);
}

} // namespace
