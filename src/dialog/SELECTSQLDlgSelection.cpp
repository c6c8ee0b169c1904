// CSELECTSQLDlg: the SELECT column list and the FROM table combo, with their When Printed
// entries, and the When Printed dialog they and the ORDER BY grid open.
#include "dialog/SELECTSQLDlg.h"

#include "dialog/DefaultWpData.h"
#include "engine/Names.h"

BOOL CSELECTSQLDlg::AskWpText(int clause)
{
    CStringArray choices;
    CollectWpChoices(clause, choices);
    CDefaultWpData dialog(nullptr);
    dialog.SetDefaultList(choices);
    if (dialog.DoModal() != IDOK) {
        ClearWpFlag(clause);
        return FALSE;
    }
    AcceptWpText(clause, dialog.GetResult());
    return TRUE;
}

// The toggled item is told by the list's selection, which a click on a check box moves
// to its item before the notification arrives. While the When Printed item is checked,
// any toggle asks for its text again.
void CSELECTSQLDlg::OnCheckChangeColumns()
{
    const int selected = m_lstColumns.GetCurSel();
    const int count = m_lstColumns.GetCount();
    if (count < 1) return;
    const int last = count - 1;

    if (IsWpEntry(m_lstColumns.GetText(last).Str()) && m_lstColumns.GetCheck(last) > 0) {
        if (!AskWpText(kClauseSelect)) return;
    } else {
        ClearWpFlag(kClauseSelect);
    }

    // "*" excludes every named column, and any named column excludes "*".
    if (selected == 0) {
        for (int item = 1; item < count; ++item) m_lstColumns.SetCheck(item, 0);
    } else {
        m_lstColumns.SetCheck(0, 0);
    }
    BuildSQLStatement();
}

void CSELECTSQLDlg::OnSelChangeColumns()
{
}

// Another table changes only the FROM clause: the columns stay those of the first table.
void CSELECTSQLDlg::OnSelChangeTable()
{
    const int selected = m_cboTable.GetCurSel();
    if (!IsWpEntry(selected == CB_ERR ? std::string() : m_cboTable.GetLBText(selected).Str())) {
        ClearWpFlag(kClauseFrom);
        BuildSQLStatement();
        return;
    }
    // Cancelled: the combo keeps showing the When Printed entry until the next change.
    if (!AskWpText(kClauseFrom)) return;
    BuildSQLStatement();
}
