// IQueryForm and IGridCells: the form controls as the SQL text engine sees them.
// The dialog implements them on its real controls; CMemoryForm keeps them in memory.
#pragma once

#include "platform/BaseTypes.h"
#include "platform/CString.h"
#include "platform/StringArray.h"

// A grid of text cells, named as the grid control names its operations. Row and
// cell indexes count from 0; operations on an invalid cell fail by result only
// (FALSE, -1 or an empty string), never by exception.
class IGridCells {
public:
    virtual int GetItemCount() const = 0;
    // Returns the new row's index, or -1 when no row was inserted. The grid control also
    // answers -1 when it inserted the row but had no memory for its records; the row then
    // stays, to be deleted by the caller.
    virtual int InsertItem(int row, const char* text) = 0;
    // FALSE for a row outside the grid.
    virtual BOOL DeleteItem(int row) = 0;
    virtual BOOL SetItemText(int row, int cell, const char* text) = 0;
    virtual CString GetItemText(int row, int cell) const = 0;
    // An initial choice outside the list counts as 0; enabling writes that
    // choice's text into the cell. The list is lent and must outlive the cell.
    virtual BOOL SetCellCombo(int row, int cell, BOOL enable, CStringArray* list, int rows,
                              int initSel) = 0;
    // Switching off empties the cell and resets its initial choice to 0; switching
    // on sets the initial choice and leaves the text alone.
    virtual void EnableCellCombo(int row, int cell, BOOL enable, int initSel) = 0;
    // State -1 no check box, 0 unchecked, 1 checked; GetCellCheck gives -1 for an invalid cell.
    virtual BOOL SetCellCheck(int row, int cell, int state) = 0;
    virtual int GetCellCheck(int row, int cell) const = 0;
    virtual BOOL SetCellTip(int row, int cell, const char* text) = 0;
    // Bulk changes are bracketed by SetRedraw(FALSE) ... SetRedraw(TRUE).
    virtual void SetRedraw(BOOL redraw) = 0;

protected:
    ~IGridCells() = default;
};

// Cells of a WHERE row and of an ORDER BY row, as the grids number them.
enum WhereCell { kWhereValue = 0, kWhereAndOr = 1, kWhereField = 2, kWhereOperator = 3 };
enum OrderByCell { kOrderByCheck = 0, kOrderByField = 1, kOrderByAscDesc = 2 };

// The query builder's editing controls: column check list (unsorted, item 0 is
// "*"), sorted table combo, the two clause check boxes, the preview and the grids.
class IQueryForm {
public:
    virtual void ResetColumnList() = 0;
    virtual int AddColumnItem(const char* text) = 0;
    virtual int GetColumnItemCount() const = 0;
    virtual CString GetColumnItemText(int item) const = 0;
    // 0 unchecked, 1 checked; 0 for an item that does not exist.
    virtual int GetColumnCheck(int item) const = 0;
    virtual void SetColumnCheck(int item, int check) = 0;
    // The list box's exact-string search from the top (LB_FINDSTRINGEXACT with
    // start -1): whole text, ignoring case, first matching item, or -1.
    virtual int FindColumnExact(const char* text) const = 0;

    virtual void ResetTableCombo() = 0;
    // The combo keeps its items sorted, ignoring case, as a sorted combo box does.
    virtual int AddTableItem(const char* text) = 0;
    virtual void SelectFirstTable() = 0;
    // The combo's current text; empty when nothing is selected.
    virtual CString GetTableText() const = 0;

    virtual BOOL IsWhereEnabled() const = 0;
    virtual BOOL IsOrderByEnabled() const = 0;
    virtual void SetPreviewText(const char* text) = 0;

    virtual IGridCells& WhereGrid() = 0;
    virtual IGridCells& OrderByGrid() = 0;

protected:
    ~IQueryForm() = default;
};
