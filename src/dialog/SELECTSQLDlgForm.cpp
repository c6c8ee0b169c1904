// CSELECTSQLDlg: the form operations of the SQL text engine on the real controls.
#include "dialog/SELECTSQLDlg.h"

#include "resources/resource.h"

void CSELECTSQLDlg::ResetColumnList()
{
    m_lstColumns.ResetContent();
}

int CSELECTSQLDlg::AddColumnItem(const char* text)
{
    return m_lstColumns.AddString(text);
}

int CSELECTSQLDlg::GetColumnItemCount() const
{
    return m_lstColumns.GetCount();
}

CString CSELECTSQLDlg::GetColumnItemText(int item) const
{
    return m_lstColumns.GetText(item);
}

int CSELECTSQLDlg::GetColumnCheck(int item) const
{
    const int check = m_lstColumns.GetCheck(item);
    return check == LB_ERR ? 0 : check;
}

void CSELECTSQLDlg::SetColumnCheck(int item, int check)
{
    m_lstColumns.SetCheck(item, check);
}

int CSELECTSQLDlg::FindColumnExact(const char* text) const
{
    const int found = m_lstColumns.FindStringExact(-1, text);
    return found == LB_ERR ? -1 : found;
}

void CSELECTSQLDlg::ResetTableCombo()
{
    m_cboTable.ResetContent();
}

int CSELECTSQLDlg::AddTableItem(const char* text)
{
    return m_cboTable.AddString(text);
}

void CSELECTSQLDlg::SelectFirstTable()
{
    m_cboTable.SetCurSel(0);
}

CString CSELECTSQLDlg::GetTableText() const
{
    const int selected = m_cboTable.GetCurSel();
    return selected == CB_ERR ? CString() : m_cboTable.GetLBText(selected);
}

BOOL CSELECTSQLDlg::IsWhereEnabled() const
{
    return IsDlgButtonChecked(IDC_WHERE_ENABLED) == BST_CHECKED ? TRUE : FALSE;
}

BOOL CSELECTSQLDlg::IsOrderByEnabled() const
{
    return IsDlgButtonChecked(IDC_ORDERBY_ENABLED) == BST_CHECKED ? TRUE : FALSE;
}

void CSELECTSQLDlg::SetPreviewText(const char* text)
{
    SetDlgItemText(IDC_PREVIEW, text);
}
