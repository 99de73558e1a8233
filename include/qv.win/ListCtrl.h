#pragma once

#include "qv.win.h"

#include <afxcmn.h>

namespace qv::gui {

// A report list used as a small table editor. Every column has a type that decides what
// a click on one of its cells does: Edit opens an InPlaceEdit over the cell, Bool toggles
// the cell's check image (1 true, 2 false, from the small image list the caller sets),
// List pops up a menu of the column's choices, NotEditable does nothing. A click on a
// column header copies the first row's value down the column; Delete removes the selected
// row and, unless switched off, renumbers the first column 1, 2, 3, ...
//
// Every user action goes through MessageHandler, which derived classes override to change
// the reactions. Clicks never reach the list view's own processing: rows are selected by
// a click in the first column or by SelectRow, and a click on a Bool, List or NotEditable
// cell leaves the focus (and an open InPlaceEdit) where it is. Columns inserted other than
// by AddColumn are not editable. Cell values live in the list view; the
// class keeps only the column types and choices. The parent must be a window of the
// framework, which reflects the list's notifications back to it: that is how edits and
// header clicks arrive.
//
// At most kMaxColumns columns of kMaxChoices choices each; columns beyond that are refused.
class QV_WIN_API ListCtrl : public CListCtrl {
public:
    enum ColumnType { Edit = 0, NotEditable = 1, Bool = 2, List = 3 };
    // The codes MessageHandler receives, with the row and column that come with them.
    enum MessageCode {
        DeleteRow = 0,       // Delete key: the selected row (-1 when none), -1
        ClickCell = 1,       // left button down on a cell
        ClickEmpty = 2,      // left button down outside the items: -1, -1
        ColumnClick = 3,     // click on a column header: 0, the column
        RightClickCell = 4,  // right button down on a cell
        RightClickEmpty = 5, // right button down outside the items: -1, -1
        DoubleClickCell = 6, // left double click on a cell
    };

    static constexpr int kMaxColumns = 100;
    static constexpr int kMaxChoices = 100;
    // Columns narrower than this are not edited in place.
    static constexpr int kMinEditWidth = 5;

    // Construction

    ListCtrl();
    ~ListCtrl() override;

    // Report view with single selection that keeps showing it, the extended style given
    // (plus sub-item images) replacing the current one, and the font when one is given.
    void Initialize(DWORD exStyle, CFont* font);
    void AddColumn(int column, const CString& text, int width, int format, ColumnType type);
    // A new item with the text and image, at the end or at row, scrolled into view. Returns
    // its row, -1 when it could not be inserted.
    int AddRow(const CString& text, int image);
    int AddRow(int row, const CString& text, int image);

    // Attributes

    // The image list the list keeps for its caller, for example the check images handed to
    // SetImageList, so that they live as long as the list.
    CImageList imageList;

    // Column 0 inserts a new item at row; other columns set the cell's text.
    void AddItem(int row, int column, const CString& text);
    void AddNotEditableItem(int row, int column, const CString& text);
    void AddBoolItem(int row, int column, bool value);
    void SetItemBool(int row, int column, bool value);
    bool GetItemBool(int row, int column);
    // Replaces the column's choices with the first count of choices (at most kMaxChoices)
    // and shows choice index in the cell.
    void AddListItem(int row, int column, int count, const CString* choices, int index);
    // Shows the column's choice index in the cell; an index without a choice changes nothing.
    void SetItemList(int row, int column, int index);
    // The index of the cell's text among the column's choices; 0 when it is none of them.
    int GetItemList(int row, int column);
    void SetDeleteRenumbering(bool renumber);
    // The first selected row, -1 when none.
    int GetCurRow();

    // Lookups in a column's choices (exact, case-sensitive): the index of text, and the
    // index after it, cycling; both 0 when text is not a choice.
    int GetCurrentString(int column, const CString& text);
    int GetNextString(int column, const CString& text);
    // The first row whose cell equals text; -1 when none, and for Bool columns.
    int FindStringExact(int column, const CString& text);

    // Operations

    void ResetContent();
    // Takes the focus and makes the row selected and focused.
    void SelectRow(int row);
    // What a click on the cell does, by the column's type.
    void EditSubitem(int row, int column);
    // Opens an InPlaceEdit over the cell, scrolling it into view; null when the row cannot
    // be shown, the column does not exist or is narrower than kMinEditWidth.
    CEdit* EditSubLabel(int row, int column);
    void ChangeBoolValue(int row, int column);
    // Pops up the column's choices at the cursor; a dismissed menu changes nothing.
    void ChangeListValue(int row, int column);
    // A popup menu of the column's choices, choice i with the command i + 1 (0 is what a
    // dismissed menu returns); null when the column has none. The caller deletes it.
    CMenu* SetupPopupMenu(int column);
    // Copies row 0's value of the column into every other row, by the column's type.
    void SynchronizeItems(int column);
    void SynchronizeString(int column, int rowCount);
    void SynchronizeBool(int column, int rowCount);
    void SynchronizeList(int column, int rowCount);
    // Writes r + 1 into column 0 of every row r from row (0 when negative) to the end.
    void RenumberingRow(int row);

    // Overridables

    // Reacts to a user action; always true.
    virtual bool MessageHandler(int code, int row, int column);

protected:
    // Message handlers

    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnKeyDown(UINT key, UINT repeatCount, UINT flags);
    afx_msg void OnColumnclick(NMHDR* header, LRESULT* result);
    afx_msg void OnEndlabeledit(NMHDR* header, LRESULT* result);

    DECLARE_MESSAGE_MAP()

private:
    // Implementation

    bool _isColumn(int column) const;
    ColumnType _typeOf(int column) const;
    int _choiceIndex(int column, const CString& text) const;
    void _handleClick(CPoint point, MessageCode onCell, MessageCode elsewhere);
    bool _hitCell(CPoint point, int& row, int& column);
    int _image(int row, int column);
    void _setImage(int row, int column, int image);
    UINT _editAlignment(int column);
    CRect _editRect(int row, int column);

    ColumnType columnTypes[kMaxColumns];
    CString choices[kMaxColumns][kMaxChoices];
    int choiceCounts[kMaxColumns] = {};
    bool deleteRenumbering = true;
};

} // namespace qv::gui
