// CXListCtrl: a report-view list control that keeps a CXListCell record for every cell,
// so a cell can be a check box or a drop-down choice besides its text, and that paints
// a message of its own into an empty grid.
//
// Each row's records are one array, allocated when the row is inserted (one record per
// column that exists then) and stored as the list-view item's parameter; the grid frees
// it when the row, all rows or the window go. Operations on a cell outside the grid, or
// of a row without records, fail by result only: FALSE, -1 or an empty string.
//
// Virtual functions CXListCtrl adds after CWnd's (Wnd.h): 8. CString GetEmptyText() const.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <unordered_map>

#include "grid/XListCell.h"
#include "platform/CString.h"
#include "platform/ListCtrl.h"
#include "platform/StringArray.h"

class CXListCtrl : public CListCtrl {
public:
    CXListCtrl();
    ~CXListCtrl() override;

    const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }
    static const MessageMap* StaticMessageMap();

    // The text painted into the grid while it has no rows.
    virtual CString GetEmptyText() const;

    // Rows. Insertion answers the new row's index, or -1 (negative index, the list view
    // refused, or no memory for the records: then the row exists without records).
    int InsertItem(int nItem, const char* lpszItem);
    int InsertItem(int nItem, const char* lpszItem, COLORREF crText, COLORREF crBack);
    int InsertItem(const LVITEMA* pItem);
    // Frees the row's records before the list view forgets the row; FALSE outside the grid.
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();

    // Texts. Setting a text repaints the cell at once.
    BOOL SetItemText(int nItem, int nSubItem, const char* lpszText);
    // Colour -1 stands for the grid's window-text or window colour; a null text leaves
    // the text and changes only the colours.
    BOOL SetItemText(int nItem, int nSubItem, const char* lpszText, COLORREF crText, COLORREF crBack);
    CString GetItemText(int nItem, int nSubItem) const;

    // Check boxes: -1 none, 0 unchecked, 1 checked.
    BOOL SetCellCheck(int nItem, int nSubItem, int nCheckState);
    int GetCellCheck(int nItem, int nSubItem) const;

    // Drop-down cells. The choice list is lent and must outlive the cell. An initial choice
    // outside the list counts as 0; enabling writes that choice's text into the cell.
    BOOL SetCellCombo(int nItem, int nSubItem, BOOL bEnable, CStringArray* pStrings, int nRows, int nInitSel);
    // Switching off empties the cell's text and resets its initial choice to 0; switching
    // on leaves the text alone. Cells outside the grid are ignored.
    void EnableCellCombo(int nItem, int nSubItem, BOOL bEnable);
    void EnableCellCombo(int nItem, int nSubItem, BOOL bEnable, int nInitSel);
    // -1 for a cell outside the grid.
    int GetCellComboInitSel(int nItem, int nSubItem) const;
    BOOL HasCellCombo(int nItem, int nSubItem) const;

    BOOL SetCellTip(int nItem, int nSubItem, const char* lpszTip);
    CString GetCellTip(int nItem, int nSubItem) const;

    int GetColumnCount() const;
    // The first selected row, -1 when none.
    int GetCurSel() const { return GetFirstSelectedItem(); }
    // Selects and focuses the row.
    void SetCurSel(int nItem);

    // Invalidates the cell and updates the window before returning.
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

    COLORREF m_clrWindow;
    COLORREF m_clrWindowText;

private:
    void OnPaint();
    void OnDestroy();
    void OnSysColorChange();
    void LoadSystemColors();
    void PaintEmptyText();
    int AttachRecords(int nItem, COLORREF crText, COLORREF crBack, int nImage);
    void FreeRecords(int nItem, bool clearParameter);
    void FreeAllRecords(bool clearParameters);

    // How many records each row's array holds, so a column added after a row was
    // inserted cannot reach past the row's array.
    std::unordered_map<const CXListCell*, int> m_recordCounts;
};
