// CGridCells: the engine's view of a grid (IGridCells) on a real CXListCtrl, so the
// grid's own virtual slots stay those of a window class.
#pragma once

#include "dialog/QueryForm.h"
#include "grid/XListCtrl.h"

class CGridCells final : public IGridCells {
public:
    explicit CGridCells(CXListCtrl& grid) noexcept : m_grid(grid) {}
    CGridCells(const CGridCells&) = delete;
    CGridCells& operator=(const CGridCells&) = delete;

    int GetItemCount() const override { return m_grid.GetItemCount(); }
    int InsertItem(int row, const char* text) override { return m_grid.InsertItem(row, text); }
    BOOL DeleteItem(int row) override { return m_grid.DeleteItem(row); }
    BOOL SetItemText(int row, int cell, const char* text) override { return m_grid.SetItemText(row, cell, text); }
    CString GetItemText(int row, int cell) const override { return m_grid.GetItemText(row, cell); }
    BOOL SetCellCombo(int row, int cell, BOOL enable, CStringArray* list, int rows, int initSel) override
    {
        return m_grid.SetCellCombo(row, cell, enable, list, rows, initSel);
    }
    void EnableCellCombo(int row, int cell, BOOL enable, int initSel) override
    {
        m_grid.EnableCellCombo(row, cell, enable, initSel);
    }
    BOOL SetCellCheck(int row, int cell, int state) override { return m_grid.SetCellCheck(row, cell, state); }
    int GetCellCheck(int row, int cell) const override { return m_grid.GetCellCheck(row, cell); }
    BOOL SetCellTip(int row, int cell, const char* text) override { return m_grid.SetCellTip(row, cell, text); }
    void SetRedraw(BOOL redraw) override { m_grid.SetRedraw(redraw); }

private:
    CXListCtrl& m_grid;
};
