#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "qv.win.h"

#include <map>
#include <memory>
#include <set>
#include <vector>

namespace qv::gui {

// Paint notifications of GroupButtons, sent with NMGROUPBUTTONSDRAW. A non-zero result of
// GBN_PREDRAWBUTTON means the parent painted the whole button; of GBN_DRAWIMAGE, its image.
constexpr UINT GBN_PREDRAWBUTTON = 0U - 62U;
constexpr UINT GBN_PREDRAWIMAGE = 0U - 63U;
constexpr UINT GBN_DRAWIMAGE = 0U - 64U;
constexpr UINT GBN_POSTDRAWBUTTON = 0U - 65U;

// NM_CLICK after every selection change, NM_RCLICK on a right button press.
struct NMGROUPBUTTONS {
    NMHDR hdr;
    INT64 index; // -1 for none
};

struct NMGROUPBUTTONSDRAW {
    NMHDR hdr;
    INT64 index;
    CDC* dc;   // the memory surface the control paints into
    RECT rect; // the cell, the image rectangle or the inside, as the code says
};

// A strip of image buttons in one row, window class "QVTGroupButtons", with a band of square
// markers under (or over) the buttons, one per button.
//
// The buttons are the images of the first image list; further lists are alternative image sets
// chosen per button (setImageIndex). Runs of neighbouring buttons can be joined into groups that
// are hovered, selected and drawn as one face; the marker band shows a group as a line from its
// first to its last marker. Dragging a marker onto another edits the groups: it joins two free
// buttons, merges two groups, grows a group, cuts one, or takes a button out of its group. Near a
// marker the cursor is pulled onto it.
//
// The parent (the owner when there is one) receives WM_COMMAND with BN_CLICKED followed by
// NM_CLICK for every selection change, NM_RCLICK, and the GBN_ paint notifications that let it
// paint buttons or images itself.
//
// Buttons are numbered from 0; -1 means none. A group may reach past the last button (so groups
// can be set up before the images arrive) but never below 0. Every operation refuses indices it
// cannot use with -1, null, false or an empty rectangle and changes nothing then. The layout is
// recomputed only on a resize, when the first image list arrives, and by the margin and marker
// setters; the queries read the stored layout.
class QV_WIN_API GroupButtons : public CWnd {
public:
    struct groupData {
        INT64 first;
        INT64 last;
    };

    struct hitData {
        INT64 index; // -1 for none
        int area;    // kButtonArea, also when nothing was hit, or kMarkerArea
    };

    static constexpr int kButtonArea = 1;
    static constexpr int kMarkerArea = 2;

    enum RectType {
        Button, // the cell, with the border column it shares with each neighbour
        Inside, // the cell less the border
        Image,  // the inside less the button margin
        Marker,
    };

    enum MarkerPos { Top, Bottom };

    // Construction

    // Registers the window class on first use; throws CResourceException when that fails.
    GroupButtons();
    ~GroupButtons() override;

    // Attributes

    // Every list after the first must hold at least as many images as the first; the control
    // takes the list over, and deletes a list it refuses.
    bool addImages(CImageList* imageList);
    // A list of cx x cy images cut from a bitmap resource, the mask colour keyed out.
    bool addImages(UINT bitmapId, int cx, int cy, COLORREF mask, UINT flags);
    // clearData, then addImages.
    bool loadImages(UINT bitmapId, int cx, int cy, COLORREF mask, UINT flags);
    CImageList* getImageList(INT64 index) const;
    INT64 getCountImages() const;
    bool isEmptyImages() const;
    INT64 getCount() const;
    bool isEmpty() const;
    // list -1 returns the button to list 0.
    void setImageIndex(INT64 button, INT64 list);
    INT64 getImageIndex(INT64 button) const;

    // A group of lo ... hi; null when every button of that range already belongs to a group.
    // Buttons of earlier groups move to the new one; the earlier records keep their bounds.
    groupData* addGroup(INT64 a, INT64 b);
    // Extends the group up to (or down to) the button.
    bool appendGroupButtons(groupData* group, INT64 button);
    // Takes lo ... hi out of the group; what remains of one button is left ungrouped.
    bool removeGroupButtons(groupData* group, INT64 a, INT64 b);
    // Buttons that a later group has taken stay in that group. Only records of this strip are
    // taken; any other pointer is answered with false.
    bool deleteGroup(groupData* group);
    bool deleteGroupAt(INT64 index);
    void deleteGroupAll();
    groupData* getGroupAt(INT64 index);
    const groupData* getGroupAt(INT64 index) const;
    INT64 getCountGroups() const;
    bool isEmptyGroups() const;
    groupData* getGroupFromButtonIndex(INT64 button) const;
    bool isGroupButton(INT64 button) const;
    // Every button from a to b belongs to some group.
    bool isGroupButtons(INT64 a, INT64 b) const;
    bool isGroupBoundaryButton(INT64 button) const;
    bool isGroupInsideButton(INT64 button) const;
    INT64 findNextGroupMarker(INT64 button) const;
    INT64 findPrevGroupMarker(INT64 button) const;

    // Selecting a grouped button selects its whole group. The notify forms tell the parent even
    // when nothing changed.
    void selectItem(INT64 button, bool notify);
    void unselectItem(INT64 button, bool notify);
    void setCurSel(INT64 button);
    INT64 getCurSel() const;
    INT64 getCountSelectItems() const;
    // The n-th selected button in the order of selection.
    INT64 getSelectIndex(INT64 n) const;
    BOOL isSelected(INT64 button) const;
    void setMultiSelect(bool multi);
    bool isMultiSelect() const;
    // Only the mouse respects it.
    void setSelectable(INT64 button, bool selectable);
    bool isSelectable(INT64 button) const;

    void setMargin(CRect margin);
    CRect getMargin() const;
    void setButtonMargin(CRect margin);
    CRect getButtonMargin() const;
    void setMarkerPosition(MarkerPos position);
    MarkerPos getMarkerPosition() const;
    void setVisibleMarker(bool visible);
    bool isVisibleMarker() const;
    void enableEditMarker(bool enable);
    bool isEnabledEditMarker() const;
    // Kept for callers; images are always fitted into their buttons.
    void setStretchImage(BOOL stretch);
    BOOL isStretchImage() const;

    COLORREF getColorBackground() const;
    void setColorBackground(COLORREF color);
    COLORREF getColorNormal() const;
    void setColorNormal(COLORREF color);
    COLORREF getColorFocus() const;
    void setColorFocus(COLORREF color);
    COLORREF getColorSelect() const;
    void setColorSelect(COLORREF color);
    COLORREF getColorFocusSelect() const;
    void setColorFocusSelect(COLORREF color);
    COLORREF getColorNormalMarker() const;
    void setColorNormalMarker(COLORREF color);
    // The ring of the marker being dragged.
    COLORREF getColorFocusMarker() const;
    void setColorFocusMarker(COLORREF color);
    // The ring of the marker under the mouse.
    COLORREF getColorSelectMarker() const;
    void setColorSelectMarker(COLORREF color);
    // The inside of the markers of selected buttons.
    COLORREF getColorClickMarker() const;
    void setColorClickMarker(COLORREF color);
    COLORREF getColorMarkerLine() const;
    void setColorMarkerLine(COLORREF color);

    // Operations

    // Repaints later, or at once (erasing) with updateNow.
    void populate(BOOL updateNow);
    CRect getButtonRect(INT64 button) const;
    CRect getItemRect(INT64 button, RectType type) const;
    CRect getMarkerRect(INT64 button) const;
    hitData hitTest(CPoint point) const;

    // Overridables

    // Deletes the groups, the images and the selection, and forgets the mouse state.
    virtual void clearData();
    virtual void clearImageLists();
    virtual void recalcLayout();
    // The current selection stays.
    virtual void clearSelectedItems(BOOL redraw);
    virtual void clearImageIndex();
    // The button's image fitted into rect over the face colour of its state.
    virtual void drawImage(CDC* pDC, INT64 button, CRect rect);

protected:
    // Drops whatever a derived painter keeps from the layout or the images; called when they change.
    virtual void _clearCache();
    virtual void _drawGroupButton(CDC* pDC, groupData* group);
    virtual void _drawButtton(CDC* pDC, INT64 button);
    virtual void _drawFocusButton(CDC* pDC);
    virtual void _drawMarker(CDC* pDC, INT64 button);
    // A band of 2 * halfHeight around the markers' centre line from x1 to x2, in either order.
    virtual void _drawMarkerLine(CDC* pDC, int x1, int x2, int halfHeight, COLORREF color);
    virtual void _drawMarkerLine(CDC* pDC, groupData* group);

public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;

protected:
    // Message handlers

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    // Paints into the given surface, as for WM_PAINT.
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseHover(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()

    // Implementation

    // The marker nearest the point whose square reaches into the square of half side radius
    // around it (a negative radius: the marker's own reach), the dragged marker excepted.
    INT64 _snapMarker(CPoint point, int radius) const;
    // Keeps the cursor between the centres of two markers (low -1: no lower bound); true when it
    // had to move the cursor.
    bool _adjustMouseRange(CPoint point, INT64 low, INT64 high);
    bool _isSelectedButton(INT64 button) const;
    // The button is under the mouse, or in the same group as the button under the mouse.
    bool _isFocusedButton(INT64 button) const;
    void _updateFocusItem();
    // Each channel scaled by 1 - a.
    static COLORREF _alphaPixel(COLORREF color, float a);
    static int _checkValue(int value);
    // Moves the cursor to a point in client coordinates.
    void _setCursorPos(CPoint point);

private:
    enum ColorIndex {
        kBackground,
        kOutline,
        kNormal,
        kFocus,
        kSelect,
        kFocusSelect,
        kNormalMarker,
        kFocusMarker,
        kSelectMarker,
        kClickMarker,
        kMarkerLine,
        kColorCount
    };

    class GroupMap;

    // Model
    bool _isButton(INT64 button) const;
    bool _isOwnGroup(const groupData* group) const;
    void _mapGroup(groupData* group, INT64 first, INT64 last);
    bool _deleteRecord(const groupData* group);
    bool _appendRange(groupData* group, INT64 first, INT64 last);
    bool _cutGroup(groupData* group, INT64 lo, INT64 hi);
    bool _appendSelection(INT64 first, INT64 last);
    // The group's first ... last, or the button alone when it has no group.
    std::pair<INT64, INT64> _selectionUnit(INT64 button) const;
    void _setColor(ColorIndex index, COLORREF color);
    void _invalidate();
    void _layoutRow();
    int _markerCenterY() const;
    CPoint _markerCenter(INT64 button) const;
    bool _hasLayout() const;

    // Painting
    void _paint(CDC* pDC);
    void _drawButtons(CDC* pDC);
    void _drawFace(CDC* pDC, CRect cell, bool hovered, bool selected);
    bool _groupCells(const groupData* group, CRect& first, CRect& last) const;
    COLORREF _stateColor(bool hovered, bool selected) const;

    // Interaction
    bool _pullToMarker(CPoint point);
    bool _confineDrag(CPoint point);
    void _trackHover(CPoint point);
    void _finishDrag();
    void _editGroups(INT64 dragged, INT64 target);
    CWnd* _notifyTarget() const;
    LRESULT _sendNotify(UINT code, NMHDR& header);
    void _sendClick(INT64 button);
    LRESULT _sendDrawNotify(UINT code, CDC* pDC, INT64 button, const CRect& rect);

    std::vector<std::unique_ptr<CImageList>> m_imageLists;
    std::map<INT64, INT64> m_imageIndex;
    std::vector<std::unique_ptr<groupData>> m_groups;
    std::unique_ptr<GroupMap> m_buttonGroup;
    std::set<INT64> m_unselectable;
    INT64 m_focusItem = -1;
    INT64 m_curSel = -1;
    std::vector<INT64> m_selectedItems;
    bool m_multiSelect = false;
    INT64 m_dragMarker = -1;
    INT64 m_hotMarker = -1;
    INT64 m_anchorMarker = -1;
    CRect m_margin{0, 0, 0, 0};
    CRect m_buttonMargin{0, 0, 0, 0};
    CRect m_markerMargin{0, 0, 0, 0};
    int m_border = 1;
    int m_markerLineHalfHeight = 2;
    int m_markerInnerRadius = 3;
    int m_markerRing = 2;
    BOOL m_stretchImage = TRUE;
    CRect m_client{0, 0, 0, 0};
    CRect m_markerBand{0, 0, 0, 0};
    CRect m_buttonArea{0, 0, 0, 0};
    MarkerPos m_markerPos = Bottom;
    bool m_editMarker = true;
    bool m_visibleMarker = true;
    int m_buttonWidth = 0;
    int m_buttonHeight = 0;
    int m_offset = 0;
    CSize m_roundCorners{5, 5};
    COLORREF m_colors[kColorCount];
    CPoint m_lastMouse{0, 0};
    bool m_mouseTracking = false;
};

} // namespace qv::gui
