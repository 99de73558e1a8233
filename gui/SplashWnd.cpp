#include <qv.win/SplashWnd.h>

namespace qv::gui {

namespace {

const wchar_t kClassName[] = L"qv.gui.SplashWnd";
const wchar_t kWindowTitle[] = L"Initizlizing ...";
const wchar_t kInitialStatus[] = L"Initializing ...";
constexpr UINT kClassStyle = CS_VREDRAW | CS_HREDRAW | CS_NOCLOSE | CS_SAVEBITS | CS_GLOBALCLASS;
constexpr UINT kStatusFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
// The status band: its distance from the bottom edge, its height and its side margins.
constexpr int kStatusBottomGap = 4;
constexpr int kStatusHeight = 20;
constexpr int kStatusSideMargin = 16;

bool classRegistered = false;

// The rectangle of a picture of the given size centred on the desktop work area.
CRect centredOnWorkArea(int width, int height)
{
    CRect work;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    CRect window(0, 0, width, height);
    window.OffsetRect((work.right - width - work.left) / 2, (work.bottom - height - work.top) / 2);
    return window;
}

} // namespace

BEGIN_MESSAGE_MAP(SplashWnd, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_NCHITTEST()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

SplashWnd::SplashWnd() : statusText(kInitialStatus)
{
    RegisterSplashWndClass();
}

SplashWnd::SplashWnd(CWnd* parent, UINT bitmapId, DWORD textColor) : SplashWnd()
{
    Create(parent, bitmapId, textColor);
}

bool SplashWnd::RegisterSplashWndClass()
{
    if (classRegistered)
        return true;
    WNDCLASS windowClass{};
    windowClass.style = kClassStyle;
    windowClass.lpfnWndProc = ::DefWindowProc;
    windowClass.hInstance = AfxGetInstanceHandle();
    windowClass.hCursor = ::LoadCursor(nullptr, IDC_WAIT);
    windowClass.lpszClassName = kClassName;
    classRegistered = AfxRegisterClass(&windowClass) != FALSE;
    return classRegistered;
}

bool SplashWnd::Create(CWnd* parent, UINT bitmapId, DWORD color)
{
    if (GetSafeHwnd() != nullptr || !RegisterSplashWndClass())
        return false;
    bitmap.DeleteObject();
    if (!bitmap.LoadBitmap(bitmapId))
        return false;
    textColor = color;
    BITMAP info{};
    bitmap.GetBitmap(&info);
    bitmapWidth = info.bmWidth;
    bitmapHeight = info.bmHeight;

    const CRect window = centredOnWorkArea(bitmapWidth, bitmapHeight);
    if (!CreateEx(0, kClassName, kWindowTitle, WS_POPUP | WS_VISIBLE, window.left, window.top, window.Width(),
                  window.Height(), parent != nullptr ? parent->GetSafeHwnd() : nullptr, nullptr)) {
        bitmap.DeleteObject();
        return false;
    }
    SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    PeekAndPumpMessage(false);
    return true;
}

BOOL SplashWnd::DestroyWindow()
{
    if (::IsWindow(m_hWnd)) {
        ShowWindow(SW_HIDE);
        PeekAndPumpMessage(false);
    }
    return CWnd::DestroyWindow();
}

BOOL SplashWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!RegisterSplashWndClass() || !CWnd::PreCreateWindow(cs))
        return FALSE;
    cs.lpszClass = kClassName;
    return TRUE;
}

void SplashWnd::SetStatusText(UINT stringId)
{
    CString text;
    if (text.LoadString(stringId))
        SetStatusText(text);
}

void SplashWnd::SetStatusText(const wchar_t* text)
{
    const wchar_t* newText = text != nullptr ? text : L"";
    if (statusText == newText)
        return;
    statusText = newText;
    if (IsWindowVisible()) {
        Invalidate(TRUE);
        UpdateWindow();
    }
}

void SplashWnd::PeekAndPumpMessage(bool idle)
{
    MSG message;
    while (::PeekMessage(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        if (!AfxPumpMessage()) {
            ::PostQuitMessage(0);
            return;
        }
    }
    CWinThread* thread = AfxGetThread();
    if (!idle || thread == nullptr)
        return;
    for (LONG count = 0; thread->OnIdle(count); ++count) {
    }
}

BOOL SplashWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void SplashWnd::OnPaint()
{
    CPaintDC dc(this);
    _drawPicture(dc);
    if (!statusText.IsEmpty())
        _drawStatus(dc);
}

void SplashWnd::_drawPicture(CDC& dc)
{
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* old = memory.SelectObject(&bitmap);
    dc.BitBlt(0, 0, bitmapWidth, bitmapHeight, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

void SplashWnd::_drawStatus(CDC& dc)
{
    CRect band = _statusRect();
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF oldColor = dc.SetTextColor(textColor);
    dc.DrawText(statusText, &band, kStatusFormat);
    dc.SetTextColor(oldColor);
    dc.SetBkMode(oldMode);
}

CRect SplashWnd::_statusRect() const
{
    CRect band;
    GetClientRect(&band);
    band.bottom -= kStatusBottomGap;
    band.top = band.bottom - kStatusHeight;
    band.DeflateRect(kStatusSideMargin, 0);
    return band;
}

void SplashWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*)
{
}

LRESULT SplashWnd::OnNcHitTest(CPoint)
{
    return HTCLIENT;
}

void SplashWnd::OnClose()
{
}

} // namespace qv::gui
