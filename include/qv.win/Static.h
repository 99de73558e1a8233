#pragma once

#include "qv.win.h"

#include <afxwin.h>

namespace qv::gui {

// A static control that paints a bold title over a description, with an optional icon beside the
// text, a bitmap behind it, a plain or horizontally graded background and an outline on any side.
// Attach it to a dialog's static with SubclassDlgItem; it then keeps only the bottom outline, and
// a static of a bitmap style becomes transparent and paints that bitmap.
//
// Title and description travel as one window text, "title\ndescription" (only the first line feed
// splits). The control answers WM_SETTEXT, WM_GETTEXT and WM_GETTEXTLENGTH from its own copy and
// leaves the platform's window text as it was. Text set before the window exists is kept when the
// window is attached.
//
// The icon and the bitmap belong to the control: replacing either, or destroying the control,
// destroys the previous one. Outlines run along the outermost pixels of the client area.
// WM_PRINTCLIENT paints background and content into the device context it is given.
class QV_WIN_API Static : public CStatic {
public:
    // The icon style: a size code in the low byte, then where the icon sits.
    static constexpr DWORD IconSize16 = 0x01;
    static constexpr DWORD IconSize24 = 0x02;
    static constexpr DWORD IconSize32 = 0x04;
    static constexpr DWORD IconSize48 = 0x08;
    static constexpr DWORD IconSizeGiven = 0x10; // the size passed to setIcon; other codes: the system icon size
    static constexpr DWORD IconSizeMask = 0x00FF;
    static constexpr DWORD IconLeft = 0x0000;    // left of the text
    static constexpr DWORD IconRight = 0x0100;   // right of the text; other values: at x 0, text unmoved
    static constexpr DWORD IconHorzMask = 0x0F00;
    static constexpr DWORD IconVCenter = 0x0000;
    static constexpr DWORD IconTop = 0x1000;     // at the top margin
    static constexpr DWORD IconBottom = 0x2000;  // at the bottom margin; other values: at y 0
    static constexpr DWORD IconVertMask = 0xF000;

    // Construction

    Static();
    ~Static() override;
    Static(const Static&) = delete;
    Static& operator=(const Static&) = delete;

    // Attributes

    CString getTextTitle() const;
    // Keeps the description; without one the text is the title alone.
    void setTextTitle(const wchar_t* title);
    CString getTextDesc() const;
    // Keeps the title; the text always holds the line feed.
    void setTextDesc(const wchar_t* desc);

    void setColor(DWORD text, DWORD back);
    void setColor(DWORD title, DWORD desc, DWORD back);
    void setColor(DWORD title, DWORD desc, DWORD back1, DWORD back2);
    void getColor(DWORD& title, DWORD& desc, DWORD& back1, DWORD& back2) const;
    void getColor(DWORD& title, DWORD& desc, DWORD& back1) const;
    // Two different background colours grade from left to right.
    DWORD getColorBack() const;
    void setColorBack(DWORD back);
    void getColorBack(DWORD& back1, DWORD& back2) const;
    void setColorBack(DWORD back1, DWORD back2);
    DWORD getColorTitle() const;
    void setColorTitle(DWORD color);
    DWORD getColorDesc() const;
    void setColorDesc(DWORD color);
    DWORD getColorOutline() const;
    void setColorOutline(DWORD color);

    bool getBoldFontTitle() const;
    void setBoldFontTitle(bool bold);
    bool getBoldFontDesc() const;
    void setBoldFontDesc(bool bold);
    void setBoldFont(bool title, bool desc);

    void getOutline(bool& left, bool& top, bool& right, bool& bottom) const;
    void setOutline(bool left, bool top, bool right, bool bottom);
    void setOutline(bool all);

    // Space between the client edges and the content, and between icon and text, in pixels.
    void getMargin(int& left, int& top, int& right, int& bottom, int& gap) const;
    void setMargin(int left, int top, int right, int bottom, int gap);
    int getMarginL() const;
    void setMarginL(int margin);
    int getMarginT() const;
    void setMarginT(int margin);
    int getMarginR() const;
    void setMarginR(int margin);
    int getMarginB() const;
    void setMarginB(int margin);

    // How far the description sits right of the title's left edge and below the title.
    SIZE getIndent() const;
    void setIndent(SIZE indent);
    void setIndent(int width, int height);
    int getIndentWidth() const;
    void setIndentWidth(int width);
    int getIndentHeight() const;
    void setIndentHeight(int height);

    bool getTransparent() const;
    void setTransparent(bool transparent);

    // Changing the style does not reload the icon.
    DWORD getIconStyle() const;
    void setIconStyle(DWORD style);
    // Kept for the application; painting does not use it.
    DWORD getBitmapStyle() const;
    void setBitmapStyle(DWORD style);

    // Operations

    // Loads the icon from the resource module in the size the style names; false (and no icon)
    // when resource is null or cannot be loaded, or a given size is negative or beyond 256.
    bool setIcon(const wchar_t* resource, DWORD style, SIZE size);
    bool setIcon(UINT id, DWORD style, SIZE size);
    // A null resource (or id 0) removes the bitmap and succeeds.
    bool setBitmap(const wchar_t* resource);
    bool setBitmap(UINT id);
    // Null selects the application's resource module again.
    void setResouceInstance(HINSTANCE instance);
    void drawRoundBox(CDC* pDC, CRect rect);

    // Overridables

    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // Paints outline, icon and text (the background is erased before).
    virtual void draw(CDC* pDC);
    // The image scaled down, aspect kept, until it fits the frame; (0, 0) for an empty image.
    CSize fitSizeImageToFrame(CSize frame, CSize image) const;
    static void splitString(const CString& text, CString& title, CString& desc);

    // Message handlers

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    // Implementation

    enum Side { Left, Top, Right, Bottom };

    // Stores a value that changes what is shown and repaints when it did change.
    template <class T> void _set(T& field, T value);
    void _invalidate();
    void _setText(const CString& text);
    void _setTextParts(const CString& title, const CString& desc, bool lineFeedAlways);
    LRESULT _copyText(WPARAM capacity, LPWSTR buffer) const;
    CSize _iconLoadSize(DWORD style, SIZE given) const;
    void _destroyIcon();
    void _destroyBitmap();
    void _fillGradient(CDC* pDC, const CRect& rect) const;
    void _drawBitmap(CDC* pDC, const CRect& client) const;
    void _drawOutline(CDC* pDC, const CRect& client) const;
    // Draws the icon and returns the horizontal room left for the text.
    CRect _drawIcon(CDC* pDC, const CRect& client, const CRect& content) const;
    UINT _alignFormat() const;

    HINSTANCE m_hResource;
    HICON m_hIcon = nullptr;
    HBITMAP m_hBitmap = nullptr;
    SIZE m_sizeIcon{0, 0};
    CString m_strText;
    COLORREF m_clrBack1;
    COLORREF m_clrBack2;
    COLORREF m_clrTitle;
    COLORREF m_clrDesc;
    COLORREF m_clrOutline;
    DWORD m_dwIconStyle = 0;
    DWORD m_dwBitmapStyle = 0;
    bool m_bBoldTitle = true;
    bool m_bBoldDesc = false;
    bool m_bOutline[4] = {true, true, true, true};
    int m_nMargin[4] = {10, 6, 10, 6};
    int m_nMarginGap = 12;
    CSize m_sizeIndent{0, 0};
    bool m_bTransparent = false;
    bool m_bTextPending = false;
};

} // namespace qv::gui
