#pragma once

#include <afxcmn.h>
#include <afxcoll.h>
#include <afxtempl.h>

#include "ImageData.h"
#include "qv.win.h"

#include <cstdint>
#include <unordered_map>

namespace qv::gui {

// Notification codes beside NM_CLICK, NM_DBLCLK, NM_RETURN and NM_RCLICK (NMIMAGECTRL).
constexpr UINT ICN_SELCHANGED = UINT(-51);  // NMIMAGECTRL, item -1
constexpr UINT ICN_DRAWITEM = UINT(-52);    // NMIMAGEDRAW: the parent draws a virtual item's picture
constexpr UINT ICN_GETCAPTION = UINT(-53);  // NMIMAGECAPTION: the parent supplies a caption
constexpr UINT ICN_BEGINDRAG = UINT(-54);   // NMIMAGEDRAG
constexpr UINT ICN_ZOOMCHANGED = UINT(-55); // NMIMAGECTRL, item -1

struct NMIMAGECTRL {
    NMHDR hdr;
    __int64 item;      // -1 for none
    ImageData* image;  // the item's object in normal mode, else null
};

struct NMIMAGEDRAW {
    NMHDR hdr;
    __int64 item;
    CDC* dc;      // the control's memory surface
    RECT rect;    // inside the image box, in the surface's coordinates
    BOOL stretch; // the control's stretch-small-image setting
};

struct NMIMAGECAPTION {
    NMHDR hdr;
    __int64 item;
    CString caption; // starts empty; what the receiver leaves here is the caption
};

struct NMIMAGEDRAG {
    NMHDR hdr;
    __int64 item;  // the item under the point, or -1
    POINT point;   // where the left button went down, client coordinates
    int data;      // 0 as sent by the control
    UINT flags;    // 0 as sent by the control
};

// A scrolling grid of thumbnails with captions below them (window class "QVTImageControl").
//
// Items are owned ImageData objects or, in virtual mode, bare indices whose pictures (ICN_DRAWITEM)
// and captions (ICN_GETCAPTION) the parent supplies while painting. Captions always come from the
// parent when there is one: a parent that leaves ICN_GETCAPTION unanswered shows empty captions,
// and only a control without a parent shows the items' own texts.
//
// Selection is single, range (Shift) or toggle (Ctrl); the selected list keeps items in the order
// they were selected. The current item anchors ranges, the range end is the moving end, and the
// focus item is the one under the mouse pointer. Costs follow what is visible and what is selected,
// not the number of items: the first visible item and hit tests come from the grid arithmetic.
//
// Layout is recomputed by recalcLayout (also on resize and zoom) and the grid stays as it is until
// then. Hit testing knows nothing until a paint has found the first visible item: every scroll and
// layout forgets it. Scrolling is vertical; the content is as wide as the client area. Colours are
// COLORREF; colour setters do not repaint.
class QV_WIN_API ImageCtrl : public CWnd {
    DECLARE_DYNAMIC(ImageCtrl)
public:
    using SelectedList = CList<__int64, __int64>;

    // Construction
    ImageCtrl();
    ImageCtrl(const ImageCtrl&) = delete;
    ImageCtrl& operator=(const ImageCtrl&) = delete;
    ~ImageCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Items. The control owns what addImage and replaceImage are given.
    // The new item's index, or -1 in virtual mode, for null or for an item the control holds already.
    __int64 addImage(ImageData* image);
    ImageData* getImage(__int64 index) const;
    __int64 getCount() const;
    // Later items move down by one; the selection keeps its numbers (reset it after removing).
    BOOL removeImage(__int64 index, BOOL destroy);
    BOOL replaceImage(__int64 index, ImageData* image, BOOL destroy);
    void removeAll();
    // Empties the control; a positive count makes it virtual with that many items.
    void setVirtualMode(__int64 count);
    BOOL isVirtualMode() const noexcept { return m_bVirtualMode; }

    // Selection
    // Selects or deselects first..last (either order); first becomes the current item and last the
    // range end, which is scrolled into view. -1 for either only clears (with clearFirst). Indices
    // outside the items are refused, and so is a selection that would hold more than 2^24 items.
    void selectItems(__int64 first, __int64 last, BOOL select, BOOL clearFirst, BOOL notify);
    void clearSelectedItems(BOOL invalidate);
    BOOL isSelected(__int64 index) const;
    void setCurSel(__int64 index);
    __int64 getCurSel() const noexcept { return m_nCurItem; }
    const SelectedList& getSelectedList() const noexcept { return m_selected; }
    // Stored for the caller's drag handling; the control does not draw it.
    void setDropHighlight(__int64 index) noexcept { m_nDropHighlight = index; }
    __int64 getDropHighlight() const noexcept { return m_nDropHighlight; }

    // Geometry and scrolling
    // The item's cell in content coordinates (client plus scroll position); empty without a grid.
    CRect getDrawRect(__int64 index) const;
    // The cell moved by -(scroll position + offset): client coordinates for a zero offset.
    CRect getItemRect(__int64 index, CSize offset = CSize(0, 0)) const;
    // The item whose cell holds the point, -1 for none or before the first paint.
    __int64 hitTest(CPoint point, CSize offset = CSize(0, 0)) const;
    void invalidateItem(__int64 index);
    void updateScrollInfo();
    void scrollItem(__int64 index);
    // Repaints everything, at once when now is TRUE.
    void populate(BOOL now);
    int _get32BitScrollPos(int nBar, CScrollBar* pScrollBar);

    // Sizes, margins and zoom
    BOOL setImageSize(CSize size);
    CSize getImageSize() const noexcept { return m_szImage; }
    CSize getDisplayImageSize() const noexcept { return m_szDisplayImage; }
    // Clamped to the zoom range; a change sends ICN_ZOOMCHANGED.
    BOOL setImageZoom(int zoom);
    int getImageZoom() const noexcept { return m_nZoom; }
    // Refused unless min >= 0 and max <= 1000.
    BOOL setImageZoomRange(int min, int max);
    void getImageZoomRange(int& min, int& max) const noexcept;
    void setImageZoomStep(int step);
    int getImageZoomStep() const noexcept { return m_nZoomStep; }
    void zoomIn();
    void zoomOut();
    // The margin, image margin, select box and caption lines take effect through the layout;
    // call populate to show them. Extents are limited to 2^20 pixels (lines) either way.
    void setMargin(CRect margin);
    CRect getMargin() const noexcept { return m_rcMargin; }
    void setImageMargin(CRect margin);
    CRect getImageMargin() const noexcept { return m_rcImageMargin; }
    void setSelectBoxSize(CRect size);
    CRect getSelectBoxSize() const noexcept { return m_rcSelectBox; }
    void setCaptionLine(int lines);
    int getCaptionLine() const noexcept { return m_nCaptionLines; }
    // Takes effect at the next layout.
    void setThickImageBox(int thickness);
    void setStretchSmallImage(BOOL stretch) noexcept { m_bStretchSmallImage = stretch; }
    BOOL isStretchSmallImage() const noexcept { return m_bStretchSmallImage; }
    void setDrawImageBackground(bool draw) noexcept { m_bDrawImageBackground = draw; }
    bool isDrawImageBackground() const noexcept { return m_bDrawImageBackground; }
    void setAnimation(BOOL animation);
    BOOL isAnimation() const noexcept { return m_bAnimation; }
    void setRedraw(BOOL redraw) noexcept { m_bRedraw = redraw; }
    // Shown centred while the control has no items.
    void setEmptyMessage(const wchar_t* message);
    CString getEmptyMessage() const { return m_strEmptyMessage; }
    // The caption font; the layout measures with it at its next run.
    void setFontIndirect(const LOGFONT* logFont);

    // Colours
    void setColorBackground(COLORREF color);
    COLORREF getColorBackground() const noexcept { return m_clrBackground; }
    void setColorImageBackground(COLORREF color);
    COLORREF getColorImageBackground() const noexcept { return m_clrImageBackground; }
    void setColorCaption(COLORREF color);
    COLORREF getColorCaption() const noexcept { return m_clrCaption; }
    void setColorImageBox(COLORREF color);
    COLORREF getColorImageBox() const noexcept { return m_clrImageBox; }
    // Painting uses the first two select box colours and the last two focus box colours.
    void setColorSelectBox(COLORREF color);
    void setColorSelectBox(COLORREF c1, COLORREF c2, COLORREF c3, COLORREF c4);
    void getColorSelectBox(COLORREF* c1, COLORREF* c2, COLORREF* c3, COLORREF* c4) const;
    void setColorFocusBox(COLORREF color);
    void setColorFocusBox(COLORREF c1, COLORREF c2, COLORREF c3, COLORREF c4);
    void getColorFocusBox(COLORREF* c1, COLORREF* c2, COLORREF* c3, COLORREF* c4) const;

    // Tool tips
    // Installs a tool tip owned by this control from now on; refused for null, for one without a
    // window and for one whose owner is not this control.
    bool setToolTipCtrl(CToolTipCtrl* toolTip);
    CToolTipCtrl* getToolTipCtrl() const noexcept { return m_pToolTip; }

    // Overridables
    virtual void recalcLayout();
    // R is the image area of a cell: the select band, the image box and the picture inside it.
    virtual void _drawSelectBox(CDC* pDC, CRect rect);
    virtual void _drawFocusBox(CDC* pDC, CRect rect);
    virtual void _drawImage(CDC* pDC, CRect rect, __int64 item);
    virtual void _drawCaption(CDC* pDC, CRect rect, __int64 item);
    // The non-empty lines of the text; returns their number.
    virtual INT_PTR _splitString(const CString& text, CStringArray& lines);
    // Sends ICN_BEGINDRAG for the item under the press point.
    virtual void OnBeginDrag(CPoint point);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    // Message handlers
protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnToolTipShow(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

    // Implementation
public:
    // Each returns the receiver's result, 0 when nothing was sent (no window, no owner or parent).
    LRESULT _sendNotify(UINT code, __int64 item);
    LRESULT _sendDrawNotify(__int64 item, CDC* pDC, CRect rect, BOOL stretch);
    // text becomes the caption the receiver left; it is kept when nothing was sent.
    LRESULT _sendGetCaption(__int64 item, CString& text);
    LRESULT _sendDragDropNotify(UINT code, __int64 item, CPoint point, UINT flags, int data);
    void _calcFirstVisibleItem();

private:
    struct Grid;

    bool _isOwned(const ImageData* image) const;
    void _adopt(ImageData* image, __int64 index);
    void _selectRange(__int64 low, __int64 high);
    void _deselectRange(__int64 low, __int64 high);
    CWnd* _notifyTarget() const;
    LRESULT _send(NMHDR& header, UINT code);
    CString _itemText(__int64 item);

    Grid _grid(CPoint origin) const;
    CRect _clientRect() const;
    void _invalidateItem(__int64 index, const CRect& client);
    CFont* _selectCaptionFont(CDC* pDC);
    void _measureCaption();
    void _updateScrollBar(int nBar, int available, int content, LONG& page, LONG& position, LONG& shift);
    int _scrollDistance(int nBar, UINT nSBCode, CScrollBar* pScrollBar);
    void _scrollBy(int nBar, int delta, bool updateFocus);
    void _updateFocusItem();
    void _relayout();
    void _selectTo(__int64 item, bool shift);
    void _step(__int64 step, bool shift);

    void _paint(CDC* pDC, const CRect& client);
    void _drawItems(CDC* pDC, const CRect& client);
    void _drawEmptyMessage(CDC* pDC, const CRect& client);
    bool _trackPointer(CPoint point, bool buttonDown);
    void _updateToolTip();
    int _captionWidth() const;
    void _createCaptionFont(const LOGFONT& logFont);
    void _releaseToolTip();

    CString m_strEmptyMessage;
    CArray<ImageData*, ImageData*> m_images;
    SelectedList m_selected;
    // Bit i % 64 of block i / 64 is set when item i is in the selected list.
    std::unordered_map<__int64, std::uint64_t> m_selectedBits;
    BOOL m_bVirtualMode = FALSE;
    __int64 m_nVirtualCount = 0;
    __int64 m_nCurItem = -1;
    __int64 m_nRangeEndItem = -1;
    __int64 m_nFocusItem = -1;
    __int64 m_nDropHighlight = -1;
    __int64 m_nFirstVisibleItem = -1;
    CRect m_rcMargin{3, 3, 3, 3};
    CRect m_rcImageMargin{1, 2, 1, 2};
    CRect m_rcCaptionMargin{0, 0, 0, 0};
    CRect m_rcSelectBox{6, 6, 6, 6};
    int m_nImageBoxThickness = 1;
    int m_nCaptionLines = 1;
    CSize m_szImage{160, 120};
    CSize m_szDisplayImage{160, 120};
    int m_nZoom = 100;
    int m_nZoomMin = 10;
    int m_nZoomMax = 200;
    int m_nZoomStep = 5;
    BOOL m_bAnimation = FALSE;
    BOOL m_bRedraw = FALSE;
    BOOL m_bStretchSmallImage = TRUE;
    CSize m_szPage{0, 0};
    CSize m_szContent{0, 0};
    CPoint m_ptScroll{0, 0};
    CRect m_rcLayout{0, 0, 0, 0};
    int m_nColumns = 0;
    int m_nRows = 0;
    int m_nCellWidth = 0;
    int m_nCellHeight = 0;
    int m_nGapX = 0;
    int m_nGapY = 0;
    int m_nCaptionHeight = 0;
    bool m_bDrawImageBackground = true;
    COLORREF m_clrBackground = 0x00B17D56;
    COLORREF m_clrImageBackground = 0x00FFFFFF;
    COLORREF m_clrCaption = 0x00FFFFFF;
    COLORREF m_clrSelectBox[4] = {0x004F86AD, 0x003283BD, 0x000950BA, 0x004D7BAE};
    COLORREF m_clrFocusBox[4] = {0x0072BFF7, 0x003FA4EC, 0x000B64E9, 0x00609ADA};
    COLORREF m_clrImageBox = 0x00646464;
    CFont m_captionFont;
    CPoint m_ptDragStart{0, 0};
    BOOL m_bDragArmed = FALSE;
    CToolTipCtrl* m_pToolTip = nullptr;
    CToolTipCtrl m_toolTip;
};

} // namespace qv::gui
