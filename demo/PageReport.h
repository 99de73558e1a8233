#pragma once

#include <afxwin.h>

namespace demo {

// Paints a page that reports on its controls: the light page background, then the text in the
// page's font, wrapped at words inside the report rectangle.
void paintReport(CWnd& page, CFont& font, const CRect& report, const CString& text);

} // namespace demo
