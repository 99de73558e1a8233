#include "WorkbenchView.h"

#include "Journal.h"
#include "Pages.h"
#include "Settings.h"
#include "resource.h"

#include <qv.win/core/qv.Log.h>

#include <algorithm>

namespace demo {

namespace {

constexpr UINT kTabsId = 98;
constexpr UINT kLogId = 99;
constexpr UINT kFirstPageId = 100;
constexpr int kViewMenu = 1;
constexpr int kLogHeight = 120;
constexpr int kGap = 4;

} // namespace

IMPLEMENT_DYNCREATE(WorkbenchView, CView)

BEGIN_MESSAGE_MAP(WorkbenchView, CView)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_COMMAND(ID_VIEW_NEXT_PAGE, OnNextPage)
    ON_COMMAND(ID_VIEW_PREVIOUS_PAGE, OnPreviousPage)
    ON_COMMAND_RANGE(ID_VIEW_PAGE_FIRST, ID_VIEW_PAGE_LAST, OnPage)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_PAGE_FIRST, ID_VIEW_PAGE_LAST, OnUpdatePage)
    ON_NOTIFY(TCN_SELCHANGE, kTabsId, OnTabChange)
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
    tabs.SetCurSel(current);
    // Above the tab control, which clips itself to what the page leaves of it.
    getPage(current)->window()->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    _layout();
    getPage(current)->activate(true);
    GetParentFrame()->SetWindowText(CString(L"qv.win Workbench - ") + getPage(current)->title());
    note("Page %ls", getPage(current)->title());
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
    return _createTabs() && _createLog() && _createPages() ? 0 : -1;
}

// The pages may still log while they are destroyed; the pane goes first out of the log.
void WorkbenchView::OnDestroy()
{
    setJournal(nullptr);
    qv::Log::remove(logSink.get());
    CView::OnDestroy();
}

void WorkbenchView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    _layout();
}

// Pages and the pane cover everything but the gap between them.
BOOL WorkbenchView::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
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

void WorkbenchView::OnUpdatePage(CCmdUI* pCmdUI)
{
    pCmdUI->SetRadio(static_cast<int>(pCmdUI->m_nID - ID_VIEW_PAGE_FIRST) == current);
}

void WorkbenchView::OnTabChange(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    showPage(tabs.GetCurSel());
    *pResult = 0;
}

bool WorkbenchView::_createTabs()
{
    constexpr DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP;
    if (!tabs.Create(style, CRect(0, 0, 1, 1), this, kTabsId))
        return false;
    tabs.SetFont(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
    return true;
}

bool WorkbenchView::_createLog()
{
    constexpr DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL;
    if (!log.CreateEx(WS_EX_CLIENTEDGE, style, CRect(0, 0, 1, 1), this, kLogId))
        return false;
    log.SetFont(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
    logSink = std::make_unique<qv::LogRichEdit>(log, qv::LogAll);
    qv::Log::add(logSink.get());
    setJournal(logSink.get());
    return true;
}

bool WorkbenchView::_createPages()
{
    pages = createPages();
    UINT id = kFirstPageId;
    for (const auto& page : pages) {
        if (!page->create(this, id++))
            return false;
        tabs.InsertItem(tabs.GetItemCount(), page->title());
    }
    return true;
}

void WorkbenchView::_addPageCommands()
{
    CMenu* menu = GetParentFrame()->GetMenu();
    CMenu* view = menu ? menu->GetSubMenu(kViewMenu) : nullptr;
    if (!view)
        return;
    for (int i = 0; i < getPageCount() && ID_VIEW_PAGE_FIRST + i <= ID_VIEW_PAGE_LAST; ++i) {
        CString text;
        text.Format(L"&%d %s\tCtrl+%d", i + 1, getPage(i)->title(), i + 1);
        view->AppendMenu(MF_STRING, ID_VIEW_PAGE_FIRST + i, text);
    }
}

void WorkbenchView::_layout()
{
    tabs.MoveWindow(_tabsRect());
    if (current >= 0)
        getPage(current)->window()->MoveWindow(_pageRect());
    CRect rect;
    GetClientRect(&rect);
    rect.top = _tabsRect().bottom + kGap;
    log.MoveWindow(&rect);
}

CRect WorkbenchView::_tabsRect() const
{
    CRect rect;
    GetClientRect(&rect);
    rect.bottom = std::max(rect.top, rect.bottom - kLogHeight - kGap);
    return rect;
}

// The tab control's display area; empty when the view is too small for the tabs.
CRect WorkbenchView::_pageRect()
{
    CRect rect = _tabsRect();
    tabs.AdjustRect(FALSE, &rect);
    rect.right = std::max(rect.left, rect.right);
    rect.bottom = std::max(rect.top, rect.bottom);
    return rect;
}

} // namespace demo
