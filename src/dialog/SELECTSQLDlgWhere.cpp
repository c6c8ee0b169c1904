// CSELECTSQLDlg: the WHERE grid — set-up, the check box, "+" and "-", editing a value in
// place, and the recompositions its notifications ask for.
#include "dialog/SELECTSQLDlg.h"

#include "engine/Names.h"
#include "resources/resource.h"

namespace {

// Widths in sixteenths of the grid's width; Value is shown last. The operator column is
// wide enough for "NOT BETWEEN" and "IS NOT NULL" in its cell and in its list.
const int kWhereWidthUnits = 16;
// Height of the connectors' drop-down list, in rows; the field and operator lists are one
// row taller than their choices, so that each shows whole.
const int kAndOrListRows = 4;

}  // namespace

// The Value cell is the list view's own item label, so the list view's label editor can
// edit it; shown last, it sits right of the Operator column.
BOOL CSELECTSQLDlg::InitWhereGrid()
{
    m_lstWhere.SetRedraw(FALSE);
    static const GridColumn kColumns[] = {
        {kWhereValue, "Value", 5}, {kWhereAndOr, "AndOr", 2}, {kWhereField, "Fields", 4}, {kWhereOperator, "Operator", 5}};
    InsertGridColumns(m_lstWhere, kColumns, 4, kWhereWidthUnits);

    int order[] = {kWhereAndOr, kWhereField, kWhereOperator, kWhereValue};
    // Through the list view, which lays its columns out again; the header alone would not.
    m_lstWhere.SetColumnOrderArray(4, order);
    m_lstWhere.m_nColumnBeforeFirst = kWhereOperator;
    CWindow(m_lstWhere.GetHeaderCtrl()).ModifyStyle(0, HDS_HIDDEN);

    m_lstWhere.SetRedraw(TRUE);
    return TRUE;
}

// The field's tip names the column the row was made with; it is not updated when another
// field is chosen.
BOOL CSELECTSQLDlg::AddWhereRow(int nAndOr, int nField, int nOperator, const char* pszValue)
{
    const int columnCount = m_arrColumns.GetSize();
    if (columnCount == 0) return TRUE;
    const int row = AppendGridRow(m_lstWhere);
    if (row < 0) return FALSE;
    m_lstWhere.SetItemText(row, kWhereValue, pszValue ? pszValue : "");
    m_lstWhere.SetItemText(row, kWhereAndOr, "");
    m_lstWhere.SetItemText(row, kWhereField, "");
    m_lstWhere.SetItemText(row, kWhereOperator, "");
    if (row > 0) m_lstWhere.SetCellCombo(row, kWhereAndOr, TRUE, &m_arrAndOr, kAndOrListRows, nAndOr >= 0 ? nAndOr : 1);
    int field = nField >= 0 ? nField : row % columnCount;
    m_lstWhere.SetCellCombo(row, kWhereField, TRUE, &m_arrColumns, columnCount + 1, field);
    m_lstWhere.SetCellCombo(row, kWhereOperator, TRUE, &m_arrOperators, m_arrOperators.GetSize() + 1,
                            nOperator >= 0 ? nOperator : 0);
    // The grid shows choice 0 for a field index outside the list; the tip follows it.
    if (field >= columnCount) field = 0;
    m_lstWhere.SetCellTip(row, kWhereField, m_arrColumns[field]);
    return TRUE;
}

bool CSELECTSQLDlg::HasValueCell(int row) const
{
    return !TakesNoValue(m_lstWhere.GetItemText(row, kWhereOperator).Str());
}

void CSELECTSQLDlg::EditValue(int row)
{
    if (!HasValueCell(row)) return;
    m_lstWhere.SetFocus();
    m_lstWhere.EditLabel(row);
}

void CSELECTSQLDlg::OnWhereCheck()
{
    static const int kWhereControls[] = {IDC_WHERE_GRID, IDC_ADD_WHERE, IDC_REMOVE_WHERE};
    EnableControls(kWhereControls, 3, IsWhereEnabled());
    BuildSQLStatement();
}

void CSELECTSQLDlg::OnAddWhere()
{
    AddWhereRow(-1, -1, -1, nullptr);
    BuildSQLStatement();
}

// The selection is not moved to another row: "-" again removes nothing until the user
// picks the next row.
void CSELECTSQLDlg::OnRemoveWhere()
{
    const int count = m_lstWhere.GetItemCount();
    if (count < 1) return;
    const int row = m_lstWhere.GetCurSel();
    if (row >= 0) {
        m_lstWhere.SetRedraw(FALSE);
        m_lstWhere.DeleteItem(row);
        // The new first condition has nothing before it to connect to.
        if (row == 0 && count >= 2) m_lstWhere.EnableCellCombo(0, kWhereAndOr, FALSE);
        m_lstWhere.SetRedraw(TRUE);
    }
    BuildSQLStatement();
}

// Double-clicks on the drop-down cells belong to the grid.
void CSELECTSQLDlg::OnDblClkWhere(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* activate = reinterpret_cast<const NMITEMACTIVATE*>(pNMHDR);
    if (!activate || activate->iSubItem != kWhereValue || activate->iItem < 0) return;
    EditValue(activate->iItem);
}

void CSELECTSQLDlg::OnKeyDownWhere(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* key = reinterpret_cast<const NMLVKEYDOWN*>(pNMHDR);
    if (!key || key->wVKey != VK_F2) return;
    const int row = m_lstWhere.GetCurSel();
    if (row >= 0) EditValue(row);
}

// The list view starts its label editor on its own too (a click on a selected row's
// label): a row whose operator compares with nothing refuses it.
void CSELECTSQLDlg::OnBeginLabelEditWhere(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* info = reinterpret_cast<const NMLVDISPINFOA*>(pNMHDR);
    *pResult = info && info->item.iItem >= 0 && !HasValueCell(info->item.iItem) ? TRUE : FALSE;
}

// The text is stored as typed; the result 0 keeps the list view from storing it a second
// time. The list view reports the stored text as an item change, which recomposes.
void CSELECTSQLDlg::OnEndLabelEditWhere(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* info = reinterpret_cast<const NMLVDISPINFOA*>(pNMHDR);
    if (!info || info->item.iItem < 0) return;
    if (info->item.iSubItem != kWhereValue || !info->item.pszText) return;
    m_lstWhere.SetItemText(info->item.iItem, kWhereValue, info->item.pszText);
    m_lstWhere.RedrawCell(info->item.iItem, kWhereValue);
}

void CSELECTSQLDlg::OnItemChangedWhere(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (pNMHDR) BuildSQLStatement();
}

// Both grids send it once the chosen entry is in the cell; only the WHERE grid has a cell 3.
// An operator that compares with nothing takes the row's value away.
LRESULT CSELECTSQLDlg::OnComboSelection(WPARAM wParam, LPARAM lParam)
{
    const int row = static_cast<int>(wParam);
    if (lParam == kWhereOperator && !HasValueCell(row) && !m_lstWhere.GetItemText(row, kWhereValue).IsEmpty()) {
        m_lstWhere.SetItemText(row, kWhereValue, "");
        m_lstWhere.RedrawCell(row, kWhereValue);
    }
    BuildSQLStatement();
    return 0;
}
