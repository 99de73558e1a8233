#include <qv.win/Static.h>

#include <algorithm>
#include <cwchar>

namespace qv::gui {

namespace {

constexpr wchar_t kLineFeed = L'\n';
constexpr DWORD kBitmapStyleBits = 0x000E;  // SS_BITMAP and every style sharing one of its bits
constexpr DWORD kDescEllipsisBits = 0x000C; // a description with any of these ends in an ellipsis
constexpr UINT kIconLoadFlags = LR_COLOR | LR_COPYDELETEORG;
constexpr UINT kIconDrawFlags = DI_NORMAL | DI_COMPAT;
constexpr int kTitleLeading = 2;
constexpr int kMaxIconSize = 256; // the largest icon the platform makes; 0 is the resource's own size
constexpr int kChannelMax = 255;

// Channel c (0 red, 1 green, 2 blue) of a COLORREF.
int channel(COLORREF color, int c)
{
    return int((color >> (8 * c)) & 0xFF);
}

// A font like the window's in another weight.
void createWeighted(CFont& font, LOGFONT lf, LONG weight)
{
    lf.lfWeight = weight;
    font.CreateFontIndirect(&lf);
}

} // namespace

BEGIN_MESSAGE_MAP(Static, CStatic)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

// Construction

Static::Static()
    : m_hResource(AfxGetResourceHandle()),
      m_clrBack1(::GetSysColor(COLOR_WINDOW)),
      m_clrBack2(::GetSysColor(COLOR_WINDOW)),
      m_clrTitle(::GetSysColor(COLOR_BTNTEXT)),
      m_clrDesc(::GetSysColor(COLOR_BTNTEXT)),
      m_clrOutline(::GetSysColor(COLOR_BTNSHADOW))
{
}

Static::~Static()
{
    _destroyIcon();
    _destroyBitmap();
}

// Attributes

CString Static::getTextTitle() const
{
    CString title, desc;
    splitString(m_strText, title, desc);
    return title;
}

void Static::setTextTitle(const wchar_t* title)
{
    _setTextParts(title, getTextDesc(), false);
}

CString Static::getTextDesc() const
{
    CString title, desc;
    splitString(m_strText, title, desc);
    return desc;
}

void Static::setTextDesc(const wchar_t* desc)
{
    _setTextParts(getTextTitle(), desc, true);
}

void Static::setColor(DWORD text, DWORD back)
{
    setColor(text, text, back, back);
}

void Static::setColor(DWORD title, DWORD desc, DWORD back)
{
    setColor(title, desc, back, back);
}

void Static::setColor(DWORD title, DWORD desc, DWORD back1, DWORD back2)
{
    m_clrTitle = title;
    m_clrDesc = desc;
    m_clrBack1 = back1;
    m_clrBack2 = back2;
    _invalidate();
}

void Static::getColor(DWORD& title, DWORD& desc, DWORD& back1, DWORD& back2) const
{
    getColor(title, desc, back1);
    back2 = m_clrBack2;
}

void Static::getColor(DWORD& title, DWORD& desc, DWORD& back1) const
{
    title = m_clrTitle;
    desc = m_clrDesc;
    back1 = m_clrBack1;
}

DWORD Static::getColorBack() const
{
    return m_clrBack1;
}

void Static::setColorBack(DWORD back)
{
    setColorBack(back, back);
}

void Static::getColorBack(DWORD& back1, DWORD& back2) const
{
    back1 = m_clrBack1;
    back2 = m_clrBack2;
}

void Static::setColorBack(DWORD back1, DWORD back2)
{
    setColor(m_clrTitle, m_clrDesc, back1, back2);
}

DWORD Static::getColorTitle() const
{
    return m_clrTitle;
}

void Static::setColorTitle(DWORD color)
{
    _set(m_clrTitle, COLORREF(color));
}

DWORD Static::getColorDesc() const
{
    return m_clrDesc;
}

void Static::setColorDesc(DWORD color)
{
    _set(m_clrDesc, COLORREF(color));
}

DWORD Static::getColorOutline() const
{
    return m_clrOutline;
}

void Static::setColorOutline(DWORD color)
{
    _set(m_clrOutline, COLORREF(color));
}

bool Static::getBoldFontTitle() const
{
    return m_bBoldTitle;
}

void Static::setBoldFontTitle(bool bold)
{
    _set(m_bBoldTitle, bold);
}

bool Static::getBoldFontDesc() const
{
    return m_bBoldDesc;
}

void Static::setBoldFontDesc(bool bold)
{
    _set(m_bBoldDesc, bold);
}

void Static::setBoldFont(bool title, bool desc)
{
    setBoldFontTitle(title);
    setBoldFontDesc(desc);
}

void Static::getOutline(bool& left, bool& top, bool& right, bool& bottom) const
{
    left = m_bOutline[Left];
    top = m_bOutline[Top];
    right = m_bOutline[Right];
    bottom = m_bOutline[Bottom];
}

void Static::setOutline(bool left, bool top, bool right, bool bottom)
{
    m_bOutline[Left] = left;
    m_bOutline[Top] = top;
    m_bOutline[Right] = right;
    m_bOutline[Bottom] = bottom;
    _invalidate();
}

void Static::setOutline(bool all)
{
    setOutline(all, all, all, all);
}

void Static::getMargin(int& left, int& top, int& right, int& bottom, int& gap) const
{
    left = m_nMargin[Left];
    top = m_nMargin[Top];
    right = m_nMargin[Right];
    bottom = m_nMargin[Bottom];
    gap = m_nMarginGap;
}

void Static::setMargin(int left, int top, int right, int bottom, int gap)
{
    m_nMargin[Left] = left;
    m_nMargin[Top] = top;
    m_nMargin[Right] = right;
    m_nMargin[Bottom] = bottom;
    m_nMarginGap = gap;
    _invalidate();
}

int Static::getMarginL() const
{
    return m_nMargin[Left];
}

void Static::setMarginL(int margin)
{
    _set(m_nMargin[Left], margin);
}

int Static::getMarginT() const
{
    return m_nMargin[Top];
}

void Static::setMarginT(int margin)
{
    _set(m_nMargin[Top], margin);
}

int Static::getMarginR() const
{
    return m_nMargin[Right];
}

void Static::setMarginR(int margin)
{
    _set(m_nMargin[Right], margin);
}

int Static::getMarginB() const
{
    return m_nMargin[Bottom];
}

void Static::setMarginB(int margin)
{
    _set(m_nMargin[Bottom], margin);
}

SIZE Static::getIndent() const
{
    return m_sizeIndent;
}

void Static::setIndent(SIZE indent)
{
    _set(m_sizeIndent, CSize(indent));
}

void Static::setIndent(int width, int height)
{
    setIndent(CSize(width, height));
}

int Static::getIndentWidth() const
{
    return m_sizeIndent.cx;
}

void Static::setIndentWidth(int width)
{
    setIndent(width, m_sizeIndent.cy);
}

int Static::getIndentHeight() const
{
    return m_sizeIndent.cy;
}

void Static::setIndentHeight(int height)
{
    setIndent(m_sizeIndent.cx, height);
}

bool Static::getTransparent() const
{
    return m_bTransparent;
}

void Static::setTransparent(bool transparent)
{
    _set(m_bTransparent, transparent);
}

DWORD Static::getIconStyle() const
{
    return m_dwIconStyle;
}

void Static::setIconStyle(DWORD style)
{
    _set(m_dwIconStyle, style);
}

DWORD Static::getBitmapStyle() const
{
    return m_dwBitmapStyle;
}

void Static::setBitmapStyle(DWORD style)
{
    m_dwBitmapStyle = style;
}

// Operations

bool Static::setIcon(const wchar_t* resource, DWORD style, SIZE size)
{
    m_dwIconStyle = style;
    _destroyIcon();
    const CSize load = _iconLoadSize(style, size);
    const bool sizeLoadable = load.cx >= 0 && load.cy >= 0 && load.cx <= kMaxIconSize && load.cy <= kMaxIconSize;
    if (resource != nullptr && sizeLoadable)
        m_hIcon = static_cast<HICON>(::LoadImageW(m_hResource, resource, IMAGE_ICON, load.cx, load.cy, kIconLoadFlags));
    if (m_hIcon != nullptr)
        m_sizeIcon = load;
    _invalidate();
    return m_hIcon != nullptr;
}

bool Static::setIcon(UINT id, DWORD style, SIZE size)
{
    return setIcon(id == 0 ? nullptr : MAKEINTRESOURCEW(id), style, size);
}

bool Static::setBitmap(const wchar_t* resource)
{
    _destroyBitmap();
    if (resource != nullptr)
        m_hBitmap = ::LoadBitmapW(m_hResource, resource);
    _invalidate();
    return resource == nullptr || m_hBitmap != nullptr;
}

bool Static::setBitmap(UINT id)
{
    return setBitmap(id == 0 ? nullptr : MAKEINTRESOURCEW(id));
}

void Static::setResouceInstance(HINSTANCE instance)
{
    m_hResource = instance != nullptr ? instance : AfxGetResourceHandle();
}

void Static::drawRoundBox(CDC*, CRect)
{
}

// Overridables

void Static::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    setOutline(false, false, false, true);
    if ((GetStyle() & kBitmapStyleBits) != 0) {
        m_bOutline[Bottom] = false;
        m_bTransparent = true;
        _destroyBitmap();
        m_hBitmap = reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP));
    }
    // Not subclassed yet: this asks the platform's static for its text.
    if (!m_bTextPending)
        GetWindowText(m_strText);
}

LRESULT Static::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETTEXT:
        _setText(lParam != 0 ? reinterpret_cast<LPCWSTR>(lParam) : L"");
        return TRUE;
    case WM_GETTEXT:
        return _copyText(wParam, reinterpret_cast<LPWSTR>(lParam));
    case WM_GETTEXTLENGTH:
        return m_strText.GetLength();
    default:
        return CStatic::WindowProc(message, wParam, lParam);
    }
}

void Static::draw(CDC* pDC)
{
    CString text, title, desc;
    GetWindowText(text);
    splitString(text, title, desc);

    CFont bold, normal;
    LOGFONT lf;
    CFont* windowFont = GetFont();
    const bool ownFonts = windowFont != nullptr && windowFont->GetLogFont(&lf) != 0;
    if (ownFonts) {
        createWeighted(bold, lf, FW_BOLD);
        createWeighted(normal, lf, FW_NORMAL);
    }
    auto fontFor = [&](bool isBold) { return isBold ? &bold : &normal; };
    CFont* oldFont = pDC->GetCurrentFont();

    CRect client;
    GetClientRect(&client);
    _drawBitmap(pDC, client);
    _drawOutline(pDC, client);
    CRect content(client.left + m_nMargin[Left], client.top + m_nMargin[Top], client.right - m_nMargin[Right],
                  client.bottom - m_nMargin[Bottom]);
    const CRect textBox = _drawIcon(pDC, client, content);
    pDC->SetBkMode(TRANSPARENT);

    const UINT align = _alignFormat();
    const DWORD style = GetStyle();
    int titleHeight = 0;
    if (!title.IsEmpty()) {
        if (ownFonts)
            pDC->SelectObject(fontFor(m_bBoldTitle));
        titleHeight = pDC->GetTextExtent(title).cy + kTitleLeading;
        CRect rect(textBox.left, content.top, textBox.right, content.top + titleHeight);
        pDC->SetTextColor(m_clrTitle);
        pDC->DrawText(title, &rect, align | DT_END_ELLIPSIS);
    }
    if (!desc.IsEmpty()) {
        if (ownFonts)
            pDC->SelectObject(fontFor(m_bBoldDesc));
        CRect rect(textBox.left + m_sizeIndent.cx, content.top + m_sizeIndent.cy + titleHeight, textBox.right,
                   content.bottom);
        UINT format = align | ((style & kDescEllipsisBits) != 0 ? DT_END_ELLIPSIS : DT_WORDBREAK);
        if ((style & SS_CENTERIMAGE) != 0)
            format |= DT_VCENTER | DT_SINGLELINE;
        pDC->SetTextColor(m_clrDesc);
        pDC->DrawText(desc, &rect, format);
    }
    pDC->SelectObject(oldFont);
}

CSize Static::fitSizeImageToFrame(CSize frame, CSize image) const
{
    if (image.cx == 0 || image.cy == 0)
        return CSize(0, 0);
    CSize fitted = image;
    if (fitted.cx > frame.cx) {
        fitted.cy = int(float(frame.cx) / float(image.cx) * float(image.cy));
        fitted.cx = frame.cx;
    }
    if (fitted.cy > frame.cy) {
        fitted.cx = int(float(frame.cy) / float(fitted.cy) * float(fitted.cx));
        fitted.cy = frame.cy;
    }
    return fitted;
}

void Static::splitString(const CString& text, CString& title, CString& desc)
{
    AfxExtractSubString(title, text, 0, kLineFeed);
    desc = text.Mid(title.GetLength() + 1);
}

// Message handlers

int Static::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CStatic::OnCreate(lpCreateStruct) == -1)
        return -1;
    // Created rather than attached: the creation text never passed through WM_SETTEXT.
    if (!m_bTextPending && !IS_INTRESOURCE(lpCreateStruct->lpszName))
        m_strText = lpCreateStruct->lpszName;
    return 0;
}

void Static::OnPaint()
{
    CPaintDC dc(this);
    draw(&dc);
}

BOOL Static::OnEraseBkgnd(CDC* pDC)
{
    if (m_bTransparent)
        return TRUE;
    CRect client;
    GetClientRect(&client);
    if (m_clrBack1 != m_clrBack2)
        _fillGradient(pDC, client);
    else
        pDC->FillSolidRect(&client, m_clrBack1);
    return TRUE;
}

void Static::OnSize(UINT nType, int cx, int cy)
{
    CStatic::OnSize(nType, cx, cy);
    Invalidate();
}

LRESULT Static::OnPrintClient(WPARAM wParam, LPARAM)
{
    CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    OnEraseBkgnd(pDC);
    draw(pDC);
    return 0;
}

// Implementation

template <class T> void Static::_set(T& field, T value)
{
    if (field == value)
        return;
    field = value;
    _invalidate();
}

void Static::_invalidate()
{
    if (m_hWnd != nullptr)
        Invalidate();
}

void Static::_setText(const CString& text)
{
    if (m_strText == text)
        return;
    m_strText = text;
    _invalidate();
}

void Static::_setTextParts(const CString& title, const CString& desc, bool lineFeedAlways)
{
    m_bTextPending = m_hWnd == nullptr;
    _setText(desc.IsEmpty() && !lineFeedAlways ? title : title + kLineFeed + desc);
}

LRESULT Static::_copyText(WPARAM capacity, LPWSTR buffer) const
{
    if (capacity == 0 || buffer == nullptr)
        return 0;
    const size_t count = std::min(size_t(capacity - 1), size_t(m_strText.GetLength()));
    std::wmemcpy(buffer, m_strText, count);
    buffer[count] = L'\0';
    return LRESULT(count);
}

CSize Static::_iconLoadSize(DWORD style, SIZE given) const
{
    switch (style & IconSizeMask) {
    case IconSize16:
        return CSize(16, 16);
    case IconSize24:
        return CSize(24, 24);
    case IconSize32:
        return CSize(32, 32);
    case IconSize48:
        return CSize(48, 48);
    case IconSizeGiven:
        return CSize(given);
    default:
        return CSize(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON));
    }
}

void Static::_destroyIcon()
{
    if (m_hIcon != nullptr)
        ::DestroyIcon(m_hIcon);
    m_hIcon = nullptr;
}

void Static::_destroyBitmap()
{
    if (m_hBitmap != nullptr)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
}

void Static::_fillGradient(CDC* pDC, const CRect& rect) const
{
    const int width = rect.Width();
    float step[3];
    for (int c = 0; c < 3; ++c)
        step[c] = float(channel(m_clrBack2, c) - channel(m_clrBack1, c)) / float(kChannelMax) / float(width);
    for (int x = 0; x < width; ++x) {
        COLORREF color = 0;
        for (int c = 0; c < 3; ++c) {
            const int value = channel(m_clrBack1, c) + int(float(x) * step[c] * float(kChannelMax));
            color |= COLORREF(value & 0xFF) << (8 * c);
        }
        pDC->FillSolidRect(rect.left + x, rect.top, 1, rect.Height(), color);
    }
}

void Static::_drawBitmap(CDC* pDC, const CRect& client) const
{
    if (m_hBitmap == nullptr)
        return;
    CDC memDC;
    memDC.CreateCompatibleDC(pDC);
    HGDIOBJ old = ::SelectObject(memDC.GetSafeHdc(), m_hBitmap);
    pDC->BitBlt(client.left, client.top, client.Width(), client.Height(), &memDC, 0, 0, SRCCOPY);
    ::SelectObject(memDC.GetSafeHdc(), old);
}

void Static::_drawOutline(CDC* pDC, const CRect& client) const
{
    // Clockwise along the outermost pixels, each line one pixel beyond its last one (which LineTo
    // leaves out), so that a side alone is whole.
    const int l = client.left, t = client.top, r = client.right - 1, b = client.bottom - 1;
    struct Line {
        Side side;
        CPoint from, to;
    };
    const Line lines[] = {
        {Top, {l, t}, {r + 1, t}},
        {Right, {r, t}, {r, b + 1}},
        {Bottom, {r, b}, {l - 1, b}},
        {Left, {l, b}, {l, t - 1}},
    };
    CPen pen(PS_SOLID, 1, m_clrOutline);
    CPen* oldPen = pDC->SelectObject(&pen);
    for (const Line& line : lines) {
        if (!m_bOutline[line.side])
            continue;
        pDC->MoveTo(line.from);
        pDC->LineTo(line.to);
    }
    pDC->SelectObject(oldPen);
}

CRect Static::_drawIcon(CDC* pDC, const CRect& client, const CRect& content) const
{
    CRect textBox = content;
    if (m_hIcon == nullptr)
        return textBox;
    const int width = m_sizeIcon.cx, height = m_sizeIcon.cy;
    int x = 0;
    switch (m_dwIconStyle & IconHorzMask) {
    case IconLeft:
        x = content.left;
        textBox.left = content.left + width + m_nMarginGap;
        break;
    case IconRight:
        x = content.right - width;
        textBox.right = content.right - m_nMarginGap - width;
        break;
    }
    int y = 0;
    switch (m_dwIconStyle & IconVertMask) {
    case IconVCenter:
        y = content.top + (client.Height() - height - m_nMargin[Top] - m_nMargin[Bottom]) / 2;
        break;
    case IconTop:
        y = content.top;
        break;
    case IconBottom:
        y = client.Height() - height - m_nMargin[Bottom];
        break;
    }
    ::DrawIconEx(pDC->GetSafeHdc(), x, y, m_hIcon, width, height, 0, nullptr, kIconDrawFlags);
    return textBox;
}

UINT Static::_alignFormat() const
{
    const DWORD style = GetStyle();
    UINT format = (style & SS_CENTER) != 0 ? DT_CENTER : (style & SS_RIGHT) != 0 ? DT_RIGHT : DT_LEFT;
    if ((style & SS_NOPREFIX) != 0)
        format |= DT_NOPREFIX;
    return format;
}

} // namespace qv::gui
