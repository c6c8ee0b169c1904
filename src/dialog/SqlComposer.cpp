// BuildSQLStatement and QuoteName: the form state written as one line of SELECT text.
#include "dialog/QueryFormState.h"

namespace {

const char kErrorNoColumns[] = "Syntax Error: SELECT ?Columns?";
const char kErrorNoTable[] = "Syntax Error: SELECT Columns FROM ?table?";
const char kErrorConnector[] = "Syntax Error: WHERE clause.";

// Characters that make a name need brackets before the statement can carry it.
bool NeedsBrackets(const CString& name)
{
    for (int i = 0; i < name.GetLength(); ++i) {
        const char ch = name[i];
        if (ch == ' ' || ch == '$' || ch == '\'' || (ch >= '0' && ch <= '9'))
            return true;
    }
    return false;
}

CString WithoutApostrophes(const CString& text)
{
    CString result;
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text[i] != '\'')
            result += text[i];
    }
    return result;
}

}  // namespace

// Brackets are decided before apostrophes go, so «O'Neil» becomes «[ONeil]».
CString CQueryFormState::QuoteName(const char* name)
{
    CString text(name);
    if (text.IsEmpty())
        return text;
    text.Trim();
    if (NeedsBrackets(text)) {
        CString bracketed = text[0] == '[' ? CString() : CString("[");
        bracketed += text;
        if (text[text.GetLength() - 1] != ']')
            bracketed += ']';
        text = bracketed;
    }
    return WithoutApostrophes(text);
}

CString CQueryFormState::ComposeSelectList()
{
    if (IsWpSelect() || m_bWpClause[kClauseSelect]) {
        ClearWpClause();
        return m_arrWpClauseText[kClauseSelect];
    }
    if (m_form.GetColumnCheck(0) > 0)
        return "*";
    CString list;
    const int itemCount = m_form.GetColumnItemCount();
    for (int item = 1; item < itemCount; ++item) {
        if (m_form.GetColumnCheck(item) <= 0)
            continue;
        if (!list.IsEmpty())
            list += ',';
        list += QuoteName(m_form.GetColumnItemText(item));
    }
    return list;
}

// valid turns FALSE when a row after the first has no connector.
CString CQueryFormState::ComposeConditions(BOOL& valid)
{
    valid = TRUE;
    CString conditions;
    IGridCells& grid = m_form.WhereGrid();
    if (!m_form.IsWhereEnabled())
        return conditions;
    const int rowCount = grid.GetItemCount();
    for (int row = 0; row < rowCount; ++row) {
        if (row > 0) {
            conditions += ' ';
            const CString connector = grid.GetItemText(row, kWhereAndOr);
            if (connector.IsEmpty() || connector == kBlankChoice) {
                valid = FALSE;
                return CString();
            }
            conditions += connector;
        }
        conditions += " ( ";
        conditions += QuoteName(grid.GetItemText(row, kWhereField));
        conditions += ' ';
        conditions += grid.GetItemText(row, kWhereOperator);
        conditions += ' ';
        const CString value = grid.GetItemText(row, kWhereValue);
        conditions += value.IsEmpty() ? CString("''") : value;
        conditions += " )";
    }
    return conditions;
}

CString CQueryFormState::ComposeSortList()
{
    if (IsWpOrderBy() || m_bWpClause[kClauseOrderBy]) {
        ClearWpClause();
        return m_arrWpClauseText[kClauseOrderBy];
    }
    CString list;
    IGridCells& grid = m_form.OrderByGrid();
    if (!m_form.IsOrderByEnabled())
        return list;
    const int rowCount = grid.GetItemCount();
    for (int row = 0; row < rowCount; ++row) {
        // A row without a check box reads -1, which counts as checked.
        if (grid.GetCellCheck(row, kOrderByCheck) == 0)
            continue;
        if (!list.IsEmpty())
            list += ',';
        list += QuoteName(grid.GetItemText(row, kOrderByField));
        CString direction = grid.GetItemText(row, kOrderByAscDesc);
        direction.TrimRight();
        if (!direction.IsEmpty())
            list += ' ' + direction;
    }
    return list;
}

// The checks run SELECT, FROM, WHERE in that order; the first failure ends the run
// and leaves the statement and the preview as they were.
BOOL CQueryFormState::BuildSQLStatement()
{
    if (!m_bInitialized)
        return TRUE;
    m_strError.Empty();

    CString statement("SELECT ");
    const CString selectList = ComposeSelectList();
    if (selectList.IsEmpty()) {
        m_strError = kErrorNoColumns;
        return FALSE;
    }
    statement += selectList + " FROM ";

    CString table;
    if (IsWpFrom() || m_bWpClause[kClauseFrom]) {
        table = m_arrWpClauseText[kClauseFrom];
        ClearWpClause();
    } else {
        table = m_form.GetTableText();
    }
    if (table.IsEmpty()) {
        m_strError = kErrorNoTable;
        return FALSE;
    }
    // Only the flag keeps a When Printed table unbracketed, not the pending keyword.
    if (!m_bWpClause[kClauseFrom])
        table = QuoteName(table);
    statement += table + " ";

    BOOL conditionsValid = TRUE;
    const CString conditions = ComposeConditions(conditionsValid);
    if (!conditionsValid) {
        m_strError = kErrorConnector;
        return FALSE;
    }
    if (!conditions.IsEmpty())
        statement += "WHERE " + conditions + " ";

    const CString sortList = ComposeSortList();
    if (!sortList.IsEmpty())
        statement += "ORDER BY " + sortList;

    m_strStatement = statement;
    m_strError.Empty();
    m_form.SetPreviewText(m_strStatement);
    return TRUE;
}
