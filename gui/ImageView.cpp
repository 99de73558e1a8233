#include <qv.win/ImageView.h>

namespace qv::gui {

namespace {

constexpr UINT kImageCtrlId = 100;

} // namespace

IMPLEMENT_DYNCREATE(ImageView, CView)

BEGIN_MESSAGE_MAP(ImageView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

ImageView::~ImageView() = default;

void ImageView::OnDraw(CDC*) {}

int ImageView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_imageCtrl.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, kImageCtrlId))
        return -1;
    return 0;
}

void ImageView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_imageCtrl.GetSafeHwnd() != nullptr)
        m_imageCtrl.MoveWindow(0, 0, cx, cy, TRUE);
}

void ImageView::OnSetFocus(CWnd*)
{
    if (m_imageCtrl.GetSafeHwnd() != nullptr)
        m_imageCtrl.SetFocus();
}

BOOL ImageView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

} // namespace qv::gui
