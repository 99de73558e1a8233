#include "PageReport.h"

namespace demo {

namespace {

constexpr COLORREF kPageColor = RGB(250, 250, 252);
constexpr COLORREF kTextColor = RGB(30, 30, 40);

} // namespace

void paintReport(CWnd& page, CFont& font, const CRect& report, const CString& text)
{
    CPaintDC dc(&page);
    CRect client;
    page.GetClientRect(&client);
    dc.FillSolidRect(&client, kPageColor);
    CFont* previous = dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(kTextColor);
    CRect rect = report;
    dc.DrawText(text, &rect, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    dc.SelectObject(previous);
}

} // namespace demo
