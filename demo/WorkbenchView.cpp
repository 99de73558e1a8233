#include "WorkbenchView.h"

#include "Pages.h"
#include "Settings.h"
#include "resource.h"

namespace demo {

namespace {

constexpr UINT kFirstPageId = 100;
constexpr int kViewMenu = 1;

} // namespace

IMPLEMENT_DYNCREATE(WorkbenchView, CView)

BEGIN_MESSAGE_MAP(WorkbenchView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_COMMAND(ID_VIEW_NEXT_PAGE, OnNextPage)
    ON_COMMAND(ID_VIEW_PREVIOUS_PAGE, OnPreviousPage)
    ON_COMMAND_RANGE(ID_VIEW_PAGE_FIRST, ID_VIEW_PAGE_LAST, OnPage)
END_MESSAGE_MAP()

void WorkbenchView::showPage(int index)
{
    if (index < 0 || index >= getPageCount() || index == current)
        return;
    if (current >= 0) {
        getPage(current)->activate(false);
        getPage(current)->window()->ShowWindow(SW_HIDE);
    }
    current = index;
    CWnd* page = getPage(current)->window();
    page->MoveWindow(_pageRect());
    page->ShowWindow(SW_SHOW);
    getPage(current)->activate(true);
    GetParentFrame()->SetWindowText(CString(L"qv.win Workbench - ") + getPage(current)->title());
}

void WorkbenchView::loadSettings(const Settings& settings)
{
    for (const auto& page : pages)
        page->loadSettings(settings.section(page->shotName()));
}

void WorkbenchView::saveSettings(Settings& settings) const
{
    for (const auto& page : pages) {
        Settings section = settings.section(page->shotName());
        page->saveSettings(section);
    }
}

void WorkbenchView::OnDraw(CDC* /*pDC*/) {}

void WorkbenchView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    _addPageCommands();
    showPage(0);
}

int WorkbenchView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    return _createPages() ? 0 : -1;
}

void WorkbenchView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (current >= 0)
        getPage(current)->window()->MoveWindow(_pageRect());
}

// Every pixel belongs to a page.
BOOL WorkbenchView::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void WorkbenchView::OnNextPage()
{
    showPage((current + 1) % getPageCount());
}

void WorkbenchView::OnPreviousPage()
{
    showPage((current + getPageCount() - 1) % getPageCount());
}

void WorkbenchView::OnPage(UINT nID)
{
    showPage(static_cast<int>(nID - ID_VIEW_PAGE_FIRST));
}

bool WorkbenchView::_createPages()
{
    pages = createPages();
    UINT id = kFirstPageId;
    for (const auto& page : pages)
        if (!page->create(this, id++))
            return false;
    return true;
}

void WorkbenchView::_addPageCommands()
{
    CMenu* menu = CMenu::FromHandle(::GetMenu(GetParentFrame()->GetSafeHwnd()));
    CMenu* view = menu ? menu->GetSubMenu(kViewMenu) : nullptr;
    if (!view)
        return;
    for (int i = 0; i < getPageCount() && ID_VIEW_PAGE_FIRST + i <= ID_VIEW_PAGE_LAST; ++i) {
        CString text;
        text.Format(L"&%d %s\tCtrl+%d", i + 1, getPage(i)->title(), i + 1);
        view->AppendMenu(MF_STRING, ID_VIEW_PAGE_FIRST + i, text);
    }
}

CRect WorkbenchView::_pageRect() const
{
    CRect rect;
    GetClientRect(&rect);
    return rect;
}

} // namespace demo
