// A host built against the installed package exactly as an application would: it defines
// nothing itself, includes MFC-style and namespaced library headers, and creates a window.
#include <afxwin.h>
#include <qv.win/Path.h>
#include <qv.win/core/qv.String.h>

#include <algorithm>
#include <cstdio>
#include <limits>

class HostWnd : public CWnd
{
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override
    {
        cs.style |= WS_POPUP;
        return CWnd::PreCreateWindow(cs);
    }
};

int main()
{
    const qv::String text(u8"héllo");
    const qv::util::win::Path path(L"C:\\data\\report.txt", nullptr);
    HostWnd wnd;
    const BOOL created = wnd.CreateEx(0, AfxRegisterWndClass(0), _T("consumer"), 0, CRect(0, 0, 40, 30), nullptr, 0);
    const int limit = std::min(std::numeric_limits<int>::max(), 5);
    std::printf("consumer: qv.core %zu code points, qv.win file %ls, window %d\n", text.length(),
                path.getFileName(false).GetString(), created);
    wnd.DestroyWindow();
    return text.length() == static_cast<size_t>(limit) && created ? 0 : 1;
}
