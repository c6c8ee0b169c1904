// CSELECTSQLDlg: the ORDER BY grid — set-up, the check box, checking a sort key (with the
// When Printed key), and moving checked keys up and down.
#include "dialog/SELECTSQLDlg.h"

#include "engine/Names.h"
#include "resources/resource.h"

namespace {

// Widths in twelfths of the grid's width.
const int kOrderByWidthUnits = 12;
const int kAscDescListRows = 4;

}  // namespace

// The drop-down is set up and then switched off, so that checking a row later only has to
// switch it on again.
BOOL CSELECTSQLDlg::InitOrderByGrid()
{
    static const GridColumn kColumns[] = {{kOrderByCheck, "Check", 2}, {kOrderByField, "Fields", 7}, {kOrderByAscDesc, "AscDesc", 3}};
    InsertGridColumns(m_lstOrderBy, kColumns, 3, kOrderByWidthUnits);
    CWindow(m_lstOrderBy.GetHeaderCtrl()).ModifyStyle(0, HDS_HIDDEN);

    m_lstOrderBy.SetRedraw(FALSE);
    for (int i = 0; i < m_arrColumns.GetSize(); ++i) {
        const int row = AppendGridRow(m_lstOrderBy);
        if (row < 0) continue;
        m_lstOrderBy.SetItemText(row, kOrderByCheck, "");
        m_lstOrderBy.SetItemText(row, kOrderByField, m_arrColumns[i]);
        m_lstOrderBy.SetItemText(row, kOrderByAscDesc, "");
        m_lstOrderBy.SetCellCheck(row, kOrderByCheck, 0);
        m_lstOrderBy.SetCellCombo(row, kOrderByAscDesc, TRUE, &m_arrAscDesc, kAscDescListRows, 0);
        m_lstOrderBy.EnableCellCombo(row, kOrderByAscDesc, FALSE, 0);
        m_lstOrderBy.SetCellTip(row, kOrderByField, m_arrColumns[i]);
    }
    m_lstOrderBy.SetRedraw(TRUE);
    return TRUE;
}

void CSELECTSQLDlg::OnOrderByCheck()
{
    static const int kOrderByControls[] = {IDC_ORDERBY_GRID, IDC_MOVE_UP, IDC_MOVE_DOWN};
    EnableControls(kOrderByControls, 3, IsOrderByEnabled());
    BuildSQLStatement();
}

// The grid has already toggled the check box when it tells the dialog. A checked row
// offers its direction; an unchecked one forgets it. The grid tells the dialog in the
// middle of the click (the list view selects the row afterwards), so the When Printed
// question, a modal loop of its own, is decided here and asked once the click is done.
LRESULT CSELECTSQLDlg::OnCheckboxClicked(WPARAM wParam, LPARAM)
{
    const int row = static_cast<int>(wParam);
    m_lstOrderBy.SetRedraw(FALSE);
    const int check = m_lstOrderBy.GetCellCheck(row, kOrderByCheck);
    m_lstOrderBy.EnableCellCombo(row, kOrderByAscDesc, check != 0 ? TRUE : FALSE, 0);
    m_lstOrderBy.SetRedraw(TRUE);

    if (check != 0 && IsWpEntry(m_lstOrderBy.GetItemText(row, kOrderByField).Str())) {
        PostMessage(kAskOrderByWpText);
        return 0;
    }
    ClearWpFlag(kClauseOrderBy);
    BuildSQLStatement();
    return 0;
}

// Cancelled: the row stays checked and the statement waits for the next edit.
LRESULT CSELECTSQLDlg::OnAskOrderByWpText(WPARAM, LPARAM)
{
    if (AskWpText(kClauseOrderBy)) BuildSQLStatement();
    return 0;
}

void CSELECTSQLDlg::OnMoveUp()
{
    MoveOrderByRow(-1);
}

void CSELECTSQLDlg::OnMoveDown()
{
    MoveOrderByRow(+1);
}

// Only checked keys move; they trade places whole with their neighbour, which may be
// unchecked, and stay selected. The tip texts stay with the row positions.
void CSELECTSQLDlg::MoveOrderByRow(int direction)
{
    const int count = m_lstOrderBy.GetItemCount();
    const int row = m_lstOrderBy.GetCurSel();
    if (count < 1 || row < 0) return;
    m_lstOrderBy.SetRedraw(FALSE);
    const int target = row + direction;
    if (target >= 0 && target < count) {
        if (m_lstOrderBy.GetCellCheck(row, kOrderByCheck) == 0) {
            m_lstOrderBy.SetRedraw(TRUE);
            return;
        }
        const int check[2] = {m_lstOrderBy.GetCellCheck(row, kOrderByCheck),
                              m_lstOrderBy.GetCellCheck(target, kOrderByCheck)};
        const CString field[2] = {m_lstOrderBy.GetItemText(row, kOrderByField),
                                  m_lstOrderBy.GetItemText(target, kOrderByField)};
        const CString ascDesc[2] = {m_lstOrderBy.GetItemText(row, kOrderByAscDesc),
                                       m_lstOrderBy.GetItemText(target, kOrderByAscDesc)};
        const BOOL hasCombo[2] = {m_lstOrderBy.HasCellCombo(row, kOrderByAscDesc),
                                  m_lstOrderBy.HasCellCombo(target, kOrderByAscDesc)};
        const int initSel[2] = {m_lstOrderBy.GetCellComboInitSel(row, kOrderByAscDesc),
                                m_lstOrderBy.GetCellComboInitSel(target, kOrderByAscDesc)};
        const int rows[2] = {row, target};
        for (int i = 0; i < 2; ++i) {
            const int other = 1 - i;
            m_lstOrderBy.SetCellCheck(rows[i], kOrderByCheck, check[other]);
            m_lstOrderBy.SetItemText(rows[i], kOrderByField, field[other]);
            // Switching the drop-down off empties the cell, so the text comes after it.
            m_lstOrderBy.EnableCellCombo(rows[i], kOrderByAscDesc, hasCombo[other], initSel[other]);
            m_lstOrderBy.SetItemText(rows[i], kOrderByAscDesc, ascDesc[other]);
        }
        m_lstOrderBy.SetCurSel(target);
    }
    m_lstOrderBy.SetRedraw(TRUE);
    BuildSQLStatement();
}
