// CXListCtrl: a report-view list control that keeps a CXListCell record for every cell
// and paints every cell itself, so a cell can be plain text (coloured, bold, with an
// image), a check box, a drop-down choice or a progress bar. It tells its parent about
// check boxes toggled and drop-down choices accepted by two registered messages, shows a
// tip per cell, paints a message of its own into an empty grid, and paints its header
// through CXHeaderCtrl.
//
// Each row's records are one array, allocated when the row is inserted (one record per
// column that exists then) and stored as the list-view item's parameter; the grid frees
// it when the row, all rows or the window go. Operations on a cell outside the grid, or
// of a row without records, fail by result only: FALSE, -1 or an empty string.
//
// Files: XListCtrl.cpp (rows and cell operations), XListCtrlDropDown.cpp (clicks, the
// drop-down list, keys, header check boxes, tips), XListCtrlPaint.cpp (painting).
//
// Virtual functions CXListCtrl adds after CWnd's (Wnd.h): 8. LPCTSTR GetEmptyText(),
// 9. BOOL OnToolTipText(UINT, NMHDR*, LRESULT*).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <unordered_map>

#include "grid/XHeaderCtrl.h"
#include "grid/XListCell.h"
#include "platform/CString.h"
#include "platform/GdiDC.h"
#include "platform/GdiObjects.h"
#include "platform/ListCtrl.h"
#include "platform/StringArray.h"

class CXComboList;

class CXListCtrl : public CListCtrl {
public:
    CXListCtrl();
    ~CXListCtrl() override;

    const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }
    static const MessageMap* StaticMessageMap();
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    // The text painted into the grid while it has no rows.
    virtual LPCTSTR GetEmptyText();
    // Answers the tool tip's request for a cell's text (TTN_NEEDTEXTA and W, any id).
    virtual BOOL OnToolTipText(UINT id, NMHDR* pNMHDR, LRESULT* pResult);

    // Rows. Insertion answers the new row's index, or -1 (negative index, the list view
    // refused, or no memory for the records: then the row exists without records).
    int InsertItem(int nItem, LPCTSTR lpszItem);
    int InsertItem(int nItem, LPCTSTR lpszItem, COLORREF crText, COLORREF crBack);
    int InsertItem(const LVITEMA* pItem);
    BOOL SetItem(const LVITEMA* pItem);
    BOOL SetItemImage(int nItem, int nSubItem, int nImage);
    // Frees the row's records before the list view forgets the row; FALSE outside the grid.
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();

    // Texts. Setting a text repaints the cell at once.
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    // Colour -1 stands for the grid's window-text or window colour; a null text leaves
    // the text and changes only the colours.
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText, COLORREF crText, COLORREF crBack);
    CString GetItemText(int nItem, int nSubItem) const;

    // Check boxes: -1 none, 0 unchecked, 1 checked (any other value draws unchecked).
    BOOL SetCellCheck(int nItem, int nSubItem, int nCheckState);
    int GetCellCheck(int nItem, int nSubItem) const;
    int CountCheckedCells(int nSubItem) const;
    // A column's header check box (its header image index): 0 none, 1 unchecked, 2 checked.
    int GetHeaderCheck(int nSubItem) const;
    BOOL SetHeaderCheck(int nSubItem, int nState);

    // Drop-down cells. The choice list is lent and must outlive the cell. An initial choice
    // outside the list counts as 0; enabling writes that choice's text into the cell.
    BOOL SetCellCombo(int nItem, int nSubItem, BOOL bEnable, CStringArray* pStrings, int nRows, int nInitSel);
    // Switching off empties the cell's text and resets its initial choice to 0; switching
    // on leaves the text alone. The caller passes a cell of a row with records.
    void EnableCellCombo(int nItem, int nSubItem, BOOL bEnable);
    void EnableCellCombo(int nItem, int nSubItem, BOOL bEnable, int nInitSel);
    int GetCellComboInitSel(int nItem, int nSubItem) const;
    BOOL HasCellCombo(int nItem, int nSubItem) const;

    BOOL SetCellTip(int nItem, int nSubItem, LPCTSTR lpszTip);
    CString GetCellTip(int nItem, int nSubItem) const;
    // Empties every cell's tip; answers the row count.
    int ClearAllTips();

    BOOL SetCellBold(int nItem, int nSubItem, BOOL bBold);
    BOOL GetCellBold(int nItem, int nSubItem) const;
    // A disabled row is drawn grey and ignores clicks.
    BOOL EnableRow(int nItem, BOOL bEnable);
    BOOL IsRowEnabled(int nItem) const;

    // Progress bars: the cell becomes a bar at 0 %; the format (default "%d%%") gets the percentage.
    BOOL SetCellProgress(int nItem, int nSubItem, BOOL bShowText = TRUE, LPCTSTR lpszFormat = nullptr);
    void UpdateCellProgress(int nItem, int nSubItem, int nPercent);
    void RemoveCellProgress(int nItem, int nSubItem);

    DWORD GetRowData(int nItem) const;
    BOOL SetRowData(int nItem, DWORD dwData);

    int GetColumnCount() const;
    // The first selected row, -1 when none.
    int GetCurSel() const { return GetFirstSelectedItem(); }
    // Selects and focuses the row.
    void SetCurSel(int nItem);
    // Starts the list view's in-place editor on the row's label. Only this starts it: the
    // list view's own start after a click on the label of a selected row is refused, so a
    // click never opens the editor.
    HWND EditLabel(int nItem);

    // Invalidates the cell and updates the window before returning; does nothing while
    // redraw is off or the grid is not visible.
    void RedrawCell(int nItem, int nSubItem);
    // The list view answers the whole row for column 0; this narrows it to the column.
    BOOL GetSubItemRect(int nItem, int nSubItem, int nArea, CRect& rect) const;

    // The column displayed immediately left of column 0 when the owner has reordered the
    // header so that column 0 is not shown first; -1 when column 0 comes first.
    int m_nColumnBeforeFirst = -1;

protected:
    // The row's records, or null (row outside the grid, or inserted without records).
    CXListCell* RowRecords(int nItem) const;
    // The cell's record, or null when the cell is outside the grid or has none.
    CXListCell* CellRecord(int nItem, int nSubItem) const;
    bool IsValidCell(int nItem, int nSubItem) const;

    CXHeaderCtrl m_wndHeader;
    BOOL m_bHeaderSubclassed = FALSE;
    COLORREF m_clrBtnFace, m_clrBtnShadow, m_clrGrayText, m_clrHighLight, m_clrHighLightText, m_clrWindow,
        m_clrWindowText;
    BOOL m_bComboButtonDown = FALSE;
    int m_nDropRow = 0;
    int m_nDropColumn = 0;
    CRect m_rcComboButton;
    CRect m_rcComboList;
    CXComboList* m_pDropList = nullptr;
    CFont m_fontList;
    BOOL m_bFontCreated = FALSE;
    CString m_strTextBeforeDrop;

private:
    // What the grid posts itself (kWmDeferred, wParam) to run once the message
    // being handled is done: the list view has finished with a click, or the list box with
    // a key.
    enum : WPARAM { kOpenList = 1, kAcceptList, kCloseList, kFollowList };

    // Window messages.
    LRESULT OnCreateMessage(WPARAM wParam, LPARAM lParam);
    void OnPaint();
    void OnDestroy();
    void OnSysColorChange();
    LRESULT OnSetRedraw(WPARAM wParam, LPARAM lParam);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    LRESULT OnMouseHover(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnSysKeyDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnChar(WPARAM wParam, LPARAM lParam);
    void OnFocusChange();
    LRESULT OnUpdateUiState(WPARAM wParam, LPARAM lParam);
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnClick(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnToolTipNeedText(UINT id, NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnComboEscape(WPARAM, LPARAM);
    LRESULT OnComboReturn(WPARAM, LPARAM);
    LRESULT OnComboKeyDown(WPARAM, LPARAM);
    // Posted by the grid to itself only (wParam: what to do; lParam: which list it is for):
    // work that must wait until the message being handled is done.
    static constexpr UINT kWmDeferred = WM_APP + 0x100;
    LRESULT OnDeferred(WPARAM action, LPARAM list);

    void LoadSystemColors();
    void SubclassHeader();
    int AttachRecords(int nItem, COLORREF crText, COLORREF crBack, int nImage);
    void FreeRecords(int nItem, bool clearParameter);
    void FreeAllRecords(bool clearParameters);
    // Sends a registered message to the parent (or owner) when it exists.
    void NotifyParent(UINT message, int row, int column) const;

    // Clicks and the drop-down list (XListCtrlDropDown.cpp).
    int RowAtPoint(CPoint point) const;
    int ColumnAtPoint(int row, CPoint point) const;
    void ToggleCheck(int row, int column);
    void UpdateHeaderCheck(int column);
    void PressComboButton(int row, int column);
    void ReleaseComboButton();
    void OpenDropList(int row, int column);
    // Escape: the text chosen at opening goes back into the cell; the list closes once the
    // message that asked for it is done.
    void CancelDropList();
    void DestroyDropList();
    void PostDeferred(WPARAM action);
    void TakeListSelection(bool notify);
    // Keyboard use of the cells. The current row is the focused one, or the first row while
    // none is: where the arrow keys start, and what the grid marks while it has the focus.
    int FocusedRow() const;
    int CurrentComboCell(int row) const;
    bool MoveCurrentCell(int direction);
    bool OpenCurrentCell();
    int FocusedCheckCell() const;
    // The focus is shown unless the keyboard cues are hidden (the user has not used the
    // keyboard in the window since it opened).
    bool ShowsFocus() const;
    void InvalidateCurrentRow();

    // Painting (XListCtrlPaint.cpp).
    void PaintEmptyText();
    void GetCellColors(int row, int column, COLORREF& text, COLORREF& back) const;
    void DrawCellText(CDC& dc, int row, int column, const CString& text, COLORREF crText, COLORREF crBack,
                      CRect rect, const CXListCell* records);
    int DrawCellImage(CDC& dc, int row, int column, COLORREF crBack, const CRect& rect, const CXListCell* records);
    void DrawCheckCell(CDC& dc, int row, int column, const CString& text, COLORREF crText, COLORREF crBack,
                       const CRect& rect, const CXListCell* records);
    void DrawComboCell(CDC& dc, int row, int column, CString text, const CRect& rect, const CXListCell* records);
    void DrawRowFocus(CDC& dc, int row);
    void DrawProgressCell(CDC& dc, const CRect& rect, COLORREF crText, COLORREF crBack, const CXListCell& cell);

    // How many records each row's array holds, so a column added after a row was
    // inserted cannot reach past the row's array.
    std::unordered_map<const CXListCell*, int> m_recordCounts;
    // The column of the drop-down cell that the keyboard has reached in the focused row.
    int m_nCurrentCell = -1;
    // The pressed button's row was selected when the press began, so the click opens the list.
    bool m_bPressOpensList = false;
    // EditLabel is starting the editor.
    bool m_bEditRequested = false;
    // Counts the lists opened, so work posted for one list never reaches the next.
    LPARAM m_nListSerial = 0;
    // WM_SETREDRAW last switched redrawing off.
    bool m_bRedrawOff = false;
};
