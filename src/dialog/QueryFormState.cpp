// CQueryFormState: construction, host entry, form set-up and When Printed bookkeeping.
#include "dialog/QueryFormState.h"

const char kWpEntryName[] = "{WHEN PRINTED}";
const char kBlankChoice[] = "   ";

namespace {

const char kTab = '\t';

// Heights of the drop-down lists, in rows, as the grids show them.
const int kAndOrListRows = 4;
const int kOperatorListRows = 5;
const int kAscDescListRows = 4;

// The keyword that m_strWpClause holds for a clause; null for WHERE.
const char* WpKeyword(int clause)
{
    switch (clause) {
    case kClauseSelect: return "SELECT";
    case kClauseFrom: return "FROM";
    case kClauseOrderBy: return "ORDER BY";
    default: return nullptr;
    }
}

void AddUpperUnlessWpEntry(const CString& name, CStringArray& choices)
{
    CString upper(name);
    upper.MakeUpper();
    if (upper != kWpEntryName)
        choices.Add(upper);
}

}  // namespace

CQueryFormState::CQueryFormState(IQueryForm& form)
    : m_bWpClause{FALSE, FALSE, FALSE, FALSE}, m_mapTables(10), m_bInitialized(FALSE), m_form(form)
{
    for (int clause = 0; clause < 4; ++clause)
        m_arrWpClauseText.Add("");
}

BOOL CQueryFormState::AddTableColumns(const char* table, const char* columns)
{
    m_mapTables.SetAt(table, columns);
    return TRUE;
}

void CQueryFormState::SetSQLQuery(const char* text)
{
    m_strStatement = text;
}

// Each name ends at its TAB: a last name without one is dropped, and a string
// that begins with a TAB yields no names at all.
void CQueryFormState::SplitColumnString(const CString& columns, CStringArray& names)
{
    names.RemoveAll();
    const int length = columns.GetLength();
    int start = 0;
    for (;;) {
        const int tab = columns.Find(kTab, start);
        if (tab <= 0)
            return;
        names.Add(columns.Mid(start, tab - start));
        start = tab + 1;
        if (start >= length)
            return;
    }
}

void CQueryFormState::InitChoiceLists()
{
    m_arrAndOr.RemoveAll();
    m_arrAndOr.Add(kBlankChoice);
    m_arrAndOr.Add("AND");
    m_arrAndOr.Add("OR");

    const CString columns = m_mapTables.IsEmpty() ? CString() : m_mapTables.GetValueAt(0);
    SplitColumnString(columns, m_arrColumns);

    m_arrOperators.RemoveAll();
    m_arrOperators.Add("=");
    m_arrOperators.Add("LIKE");
    m_arrOperators.Add("IN");
    m_arrOperators.Add("BETWEEN");

    m_arrAscDesc.RemoveAll();
    m_arrAscDesc.Add(kBlankChoice);
    m_arrAscDesc.Add("ASC");
    m_arrAscDesc.Add("DESC");
}

void CQueryFormState::FillColumnList()
{
    m_form.ResetColumnList();
    m_form.AddColumnItem("*");
    for (int i = 0; i < m_arrColumns.GetSize(); ++i)
        m_form.AddColumnItem(m_arrColumns[i]);
}

void CQueryFormState::FillTableCombo()
{
    m_form.ResetTableCombo();
    for (int i = 0; i < m_mapTables.GetCount(); ++i)
        m_form.AddTableItem(m_mapTables.GetKeyAt(i));
    m_form.SelectFirstTable();
}

// The drop-down is set up and then switched off, so that checking a row later
// only has to switch it on again.
void CQueryFormState::FillOrderByRows()
{
    IGridCells& grid = m_form.OrderByGrid();
    grid.SetRedraw(FALSE);
    for (int i = 0; i < m_arrColumns.GetSize(); ++i) {
        const int row = AppendGridRow(grid);
        if (row < 0)
            continue;
        grid.SetItemText(row, kOrderByCheck, "");
        grid.SetItemText(row, kOrderByField, m_arrColumns[i]);
        grid.SetItemText(row, kOrderByAscDesc, "");
        grid.SetCellCheck(row, kOrderByCheck, 0);
        grid.SetCellCombo(row, kOrderByAscDesc, TRUE, &m_arrAscDesc, kAscDescListRows, 0);
        grid.EnableCellCombo(row, kOrderByAscDesc, FALSE, 0);
        grid.SetCellTip(row, kOrderByField, m_arrColumns[i]);
    }
    grid.SetRedraw(TRUE);
}

// A row the grid inserted but could not give its records would stay in it, drawn plain
// and deaf to clicks; the form never keeps such a row.
int CQueryFormState::AppendGridRow(IGridCells& grid)
{
    const int count = grid.GetItemCount();
    const int row = grid.InsertItem(count, "");
    if (row < 0 && grid.GetItemCount() > count)
        grid.DeleteItem(count);
    return row;
}

BOOL CQueryFormState::AddWhereRow(int nAndOr, int nField, int nOperator, const char* pszValue)
{
    IGridCells& grid = m_form.WhereGrid();
    const int columnCount = m_arrColumns.GetSize();
    if (columnCount == 0)
        return TRUE;
    const int row = AppendGridRow(grid);
    if (row < 0)
        return FALSE;
    grid.SetItemText(row, kWhereValue, pszValue ? pszValue : "");
    grid.SetItemText(row, kWhereAndOr, "");
    grid.SetItemText(row, kWhereField, "");
    grid.SetItemText(row, kWhereOperator, "");
    if (row > 0)
        grid.SetCellCombo(row, kWhereAndOr, TRUE, &m_arrAndOr, kAndOrListRows, nAndOr >= 0 ? nAndOr : 1);
    int field = nField >= 0 ? nField : row % columnCount;
    grid.SetCellCombo(row, kWhereField, TRUE, &m_arrColumns, columnCount + 1, field);
    grid.SetCellCombo(row, kWhereOperator, TRUE, &m_arrOperators, kOperatorListRows,
                      nOperator >= 0 ? nOperator : 0);
    // The grid shows choice 0 for a field index outside the list; the tip follows it.
    if (field >= columnCount)
        field = 0;
    grid.SetCellTip(row, kWhereField, m_arrColumns[field]);
    return TRUE;
}

BOOL CQueryFormState::IsWpSelect() const
{
    return m_strWpClause == "SELECT" ? TRUE : FALSE;
}

BOOL CQueryFormState::IsWpFrom() const
{
    return m_strWpClause == "FROM" ? TRUE : FALSE;
}

BOOL CQueryFormState::IsWpOrderBy() const
{
    return m_strWpClause == "ORDER BY" ? TRUE : FALSE;
}

BOOL CQueryFormState::AcceptWpText(int clause, const CString& text)
{
    const char* keyword = WpKeyword(clause);
    if (!keyword)
        return FALSE;
    m_strWpValue = text;
    m_arrWpClauseText.SetAt(clause, m_strWpValue);
    m_strWpClause = keyword;
    m_bWpClause[clause] = TRUE;
    return TRUE;
}

void CQueryFormState::ClearWpFlag(int clause)
{
    if (WpKeyword(clause))
        m_bWpClause[clause] = FALSE;
}

BOOL CQueryFormState::IsWpEntry(const char* name)
{
    CString upper(name);
    upper.MakeUpper();
    return upper == kWpEntryName ? TRUE : FALSE;
}

void CQueryFormState::CollectWpChoices(int clause, CStringArray& choices)
{
    choices.RemoveAll();
    if (clause == kClauseSelect) {
        for (int i = 0; i < m_form.GetColumnItemCount(); ++i)
            AddUpperUnlessWpEntry(m_form.GetColumnItemText(i), choices);
    } else if (clause == kClauseFrom) {
        for (int i = 0; i < m_mapTables.GetCount(); ++i)
            AddUpperUnlessWpEntry(m_mapTables.GetKeyAt(i), choices);
    } else if (clause == kClauseOrderBy) {
        IGridCells& grid = m_form.OrderByGrid();
        for (int row = 0; row < grid.GetItemCount(); ++row)
            AddUpperUnlessWpEntry(grid.GetItemText(row, kOrderByField), choices);
    }
}

CString CQueryFormState::MakeWpText(const char* prompt, const char* defaultValue)
{
    return CString("{'") + prompt + "'|'" + defaultValue + "'}";
}
