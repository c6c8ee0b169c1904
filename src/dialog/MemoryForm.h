// CMemoryForm and CMemoryGrid: the query form kept in memory, for tests and tools.
#pragma once

#include "dialog/QueryForm.h"

#include <string>
#include <unordered_map>
#include <vector>

// A grid whose rows hold one record per cell, as many cells as the grid had
// columns when the row was inserted. Follows the grid control's rules: invalid
// cells fail by result, SetCellCombo clamps its initial choice, switching a
// drop-down off empties the cell.
class CMemoryGrid final : public IGridCells {
public:
    explicit CMemoryGrid(int cellCount) : m_cellCount(cellCount) {}

    int GetItemCount() const override { return static_cast<int>(m_rows.size()); }
    int InsertItem(int row, const char* text) override;
    BOOL DeleteItem(int row) override;
    BOOL SetItemText(int row, int cell, const char* text) override;
    CString GetItemText(int row, int cell) const override;
    BOOL SetCellCombo(int row, int cell, BOOL enable, CStringArray* list, int rows,
                      int initSel) override;
    void EnableCellCombo(int row, int cell, BOOL enable, int initSel) override;
    BOOL SetCellCheck(int row, int cell, int state) override;
    int GetCellCheck(int row, int cell) const override;
    BOOL SetCellTip(int row, int cell, const char* text) override;
    void SetRedraw(BOOL redraw) override;

    // What a test wants to see of a cell; invalid cells read as a fresh record.
    int GetCellCount() const { return m_cellCount; }
    BOOL HasCellCombo(int row, int cell) const { return Record(row, cell).hasCombo; }
    const CStringArray* GetCellComboList(int row, int cell) const { return Record(row, cell).list; }
    int GetCellComboRows(int row, int cell) const { return Record(row, cell).listRows; }
    int GetCellComboInitSel(int row, int cell) const { return Record(row, cell).initSel; }
    CString GetCellTip(int row, int cell) const { return Record(row, cell).tip; }
    BOOL IsRedrawOn() const { return m_redrawOn; }
    int GetRedrawOffCount() const { return m_redrawOffCount; }
    void DeleteAllItems() { m_rows.clear(); }
    // The next insertion goes as the grid control's does when it has no memory for the
    // row's records: the row is inserted and -1 answered.
    void FailNextInsertion() { m_failNextInsertion = true; }

private:
    struct Cell {
        CString text;
        int check = -1;
        BOOL hasCombo = FALSE;
        CStringArray* list = nullptr;
        int listRows = 10;
        int initSel = 0;
        CString tip;
    };

    const Cell* Find(int row, int cell) const;
    Cell* Find(int row, int cell);
    const Cell& Record(int row, int cell) const;

    int m_cellCount;
    std::vector<std::vector<Cell>> m_rows;
    BOOL m_redrawOn = TRUE;
    int m_redrawOffCount = 0;
    bool m_failNextInsertion = false;
};

// The whole form. Check boxes start checked, as the dialog opens them.
class CMemoryForm final : public IQueryForm {
public:
    CMemoryForm() : m_where(4), m_orderBy(3) {}

    void ResetColumnList() override;
    int AddColumnItem(const char* text) override;
    int GetColumnItemCount() const override { return static_cast<int>(m_columns.size()); }
    CString GetColumnItemText(int item) const override;
    int GetColumnCheck(int item) const override;
    void SetColumnCheck(int item, int check) override;
    int FindColumnExact(const char* text) const override;

    void ResetTableCombo() override;
    int AddTableItem(const char* text) override;
    void SelectFirstTable() override { m_selectedTable = m_tables.empty() ? -1 : 0; }
    CString GetTableText() const override;

    BOOL IsWhereEnabled() const override { return m_whereEnabled; }
    BOOL IsOrderByEnabled() const override { return m_orderByEnabled; }
    void SetPreviewText(const char* text) override { m_preview = text; }

    IGridCells& WhereGrid() override { return m_where; }
    IGridCells& OrderByGrid() override { return m_orderBy; }

    // Setters and views for tests and tools.
    CMemoryGrid& Where() { return m_where; }
    CMemoryGrid& OrderBy() { return m_orderBy; }
    const CMemoryGrid& Where() const { return m_where; }
    const CMemoryGrid& OrderBy() const { return m_orderBy; }
    void SetWhereEnabled(BOOL enabled) { m_whereEnabled = enabled; }
    void SetOrderByEnabled(BOOL enabled) { m_orderByEnabled = enabled; }
    int GetTableCount() const { return static_cast<int>(m_tables.size()); }
    CString GetTableItemText(int item) const;
    // -1 selects nothing; an index outside the list does the same.
    void SelectTable(int item);
    const CString& GetPreviewText() const { return m_preview; }

private:
    struct ColumnItem {
        CString text;
        int check;
    };

    bool IsColumnItem(int item) const { return item >= 0 && item < GetColumnItemCount(); }

    std::vector<ColumnItem> m_columns;
    std::unordered_map<std::string, int> m_firstColumnByKey;
    std::vector<CString> m_tables;
    int m_selectedTable = -1;
    BOOL m_whereEnabled = TRUE;
    BOOL m_orderByEnabled = TRUE;
    CString m_preview;
    CMemoryGrid m_where;
    CMemoryGrid m_orderBy;
};
