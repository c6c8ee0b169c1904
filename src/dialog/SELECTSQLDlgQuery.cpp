// CSELECTSQLDlg: the form filled from the table map, read into a Query and composed, the
// starting statement read and shown, and the When Printed bookkeeping of the clauses.
#include "dialog/SELECTSQLDlg.h"

#include <string>
#include <string_view>
#include <vector>

#include "engine/NameIndex.h"
#include "engine/Names.h"
#include "resources/resource.h"

namespace {

void FillChoices(CStringArray& list, ChoiceList choices)
{
    list.RemoveAll();
    for (const char* choice : choices) list.Add(choice);
}

// The places of each name in a list: a name the list holds more than once is taken at its
// next place each time, so that the same name ticked twice ticks both items.
class NamePlaces {
public:
    explicit NamePlaces(const CStringArray& names) : m_index(Views(names)), m_taken(m_index.Size(), 0) {}
    int First(const std::string& name) const { return m_index.Find(name); }
    // -1 once every place of the name was taken.
    int Take(const std::string& name)
    {
        int place = m_index.Find(name);
        while (place >= 0 && m_taken[static_cast<size_t>(place)]) place = m_index.Next(place);
        if (place >= 0) m_taken[static_cast<size_t>(place)] = 1;
        return place;
    }

private:
    static std::vector<std::string_view> Views(const CStringArray& names)
    {
        std::vector<std::string_view> views;
        for (int i = 0; i < names.GetSize(); ++i) views.emplace_back(names[i].Str());
        return views;
    }
    NameIndex m_index;
    std::vector<char> m_taken;
};

}  // namespace

void CSELECTSQLDlg::InitChoiceLists()
{
    FillChoices(m_arrAndOr, ConnectorChoices());
    m_arrColumns.RemoveAll();
    const std::string columns = m_mapTables.IsEmpty() ? std::string() : m_mapTables.GetValueAt(0).Str();
    for (const std::string& name : SplitColumnString(columns)) m_arrColumns.Add(name);
    FillChoices(m_arrOperators, OperatorChoices());
    FillChoices(m_arrAscDesc, DirectionChoices());
}

void CSELECTSQLDlg::FillColumnList()
{
    m_lstColumns.ResetContent();
    m_lstColumns.AddString("*");
    for (int i = 0; i < m_arrColumns.GetSize(); ++i) m_lstColumns.AddString(m_arrColumns[i]);
}

void CSELECTSQLDlg::FillTableCombo()
{
    m_cboTable.ResetContent();
    for (int i = 0; i < m_mapTables.GetCount(); ++i) m_cboTable.AddString(m_mapTables.GetKeyAt(i));
    m_cboTable.SetCurSel(0);
}

std::vector<std::string> CSELECTSQLDlg::ColumnNames() const
{
    std::vector<std::string> names;
    names.reserve(static_cast<size_t>(m_arrColumns.GetSize()));
    for (int i = 0; i < m_arrColumns.GetSize(); ++i) names.push_back(m_arrColumns[i].Str());
    return names;
}

BOOL CSELECTSQLDlg::IsWhereEnabled() const
{
    return IsDlgButtonChecked(IDC_WHERE_ENABLED) == BST_CHECKED ? TRUE : FALSE;
}

BOOL CSELECTSQLDlg::IsOrderByEnabled() const
{
    return IsDlgButtonChecked(IDC_ORDERBY_ENABLED) == BST_CHECKED ? TRUE : FALSE;
}

// A When Printed text stands for its clause while its flag is on or its keyword pending; a
// pending FROM keyword without the flag names a table like any other (it is bracketed).
Query CSELECTSQLDlg::FormQuery() const
{
    Query query;
    if (IsWpSelect() || m_bWpClause[kClauseSelect]) query.wpSelect = m_arrWpClauseText[kClauseSelect].Str();
    query.allColumns = m_lstColumns.GetCheck(0) > 0;
    const int items = m_lstColumns.GetCount();
    for (int item = 1; item < items && item <= m_arrColumns.GetSize(); ++item)
        if (m_lstColumns.GetCheck(item) > 0) query.columns.push_back(m_arrColumns[item - 1].Str());

    if (m_bWpClause[kClauseFrom]) {
        query.wpFrom = m_arrWpClauseText[kClauseFrom].Str();
    } else if (IsWpFrom()) {
        query.table = m_arrWpClauseText[kClauseFrom].Str();
    } else {
        const int selected = m_cboTable.GetCurSel();
        if (selected != CB_ERR) query.table = m_cboTable.GetLBText(selected).Str();
    }

    const int rows = IsWhereEnabled() ? m_lstWhere.GetItemCount() : 0;
    for (int row = 0; row < rows; ++row) {
        query.conditions.push_back(Condition{row > 0 ? m_lstWhere.GetItemText(row, kWhereAndOr).Str() : std::string(),
                                             m_lstWhere.GetItemText(row, kWhereField).Str(),
                                             m_lstWhere.GetItemText(row, kWhereOperator).Str(),
                                             m_lstWhere.GetItemText(row, kWhereValue).Str()});
    }

    if (IsWpOrderBy() || m_bWpClause[kClauseOrderBy]) {
        query.wpOrderBy = m_arrWpClauseText[kClauseOrderBy].Str();
    } else if (IsOrderByEnabled()) {
        // A row without a check box reads -1, which counts as checked.
        for (int row = 0; row < m_lstOrderBy.GetItemCount(); ++row)
            if (m_lstOrderBy.GetCellCheck(row, kOrderByCheck) != 0)
                query.sortKeys.push_back(SortKey{m_lstOrderBy.GetItemText(row, kOrderByField).Str(),
                                                 m_lstOrderBy.GetItemText(row, kOrderByAscDesc).Str()});
    }
    return query;
}

// The composer checks SELECT, FROM, WHERE in that order and stops at the first error: a
// When Printed clause it reached was used, and its pending keyword is spent.
void CSELECTSQLDlg::ConsumeWpClause(const Composed& composed)
{
    const bool reachedFrom = composed.Ok() || composed.error != kErrorNoColumns;
    if (IsWpSelect() || m_bWpClause[kClauseSelect] || (reachedFrom && (IsWpFrom() || m_bWpClause[kClauseFrom])) ||
        (composed.Ok() && (IsWpOrderBy() || m_bWpClause[kClauseOrderBy])))
        ClearWpClause();
}

BOOL CSELECTSQLDlg::BuildSQLStatement()
{
    if (!m_bInitialized) return TRUE;
    m_strError.Empty();
    const Composed composed = ComposeStatement(FormQuery());
    ConsumeWpClause(composed);
    if (!composed.Ok()) {
        m_strError = composed.error;
        return FALSE;
    }
    m_strStatement = composed.statement;
    SetDlgItemText(IDC_PREVIEW, m_strStatement);
    return TRUE;
}

void CSELECTSQLDlg::ParseSQLStatement()
{
    std::vector<std::string> tables;
    for (int i = 0; i < m_mapTables.GetCount(); ++i) tables.push_back(m_mapTables.GetKeyAt(i).Str());
    ShowQuery(ReadStatement(m_strStatement.Str(), ColumnNames(), tables));
}

// The read query goes into the controls as the user would have set them, so that OK
// composes it again. A When Printed clause comes back as its entry chosen with the clause's
// flag and text set; without an entry to choose, the flag and text alone keep it.
void CSELECTSQLDlg::ShowQuery(const Query& query)
{
    NamePlaces ticks(m_arrColumns);
    const int items = m_lstColumns.GetCount();
    bool placed = false;
    if (!query.wpSelect.empty()) {
        RestoreWpClause(kClauseSelect, query.wpSelect);
        if (items > 1 && IsWpEntry(m_lstColumns.GetText(items - 1).Str())) placed = m_lstColumns.SetCheck(items - 1, 1) != LB_ERR;
    } else if (!query.allColumns) {
        for (const std::string& name : query.columns) {
            const int column = ticks.Take(name);
            if (column >= 0) placed = m_lstColumns.SetCheck(column + 1, 1) != LB_ERR || placed;
        }
    }
    if (!placed) m_lstColumns.SetCheck(0, 1);

    const std::string& table = query.wpFrom.empty() ? query.table : query.wpFrom;
    if (!query.wpFrom.empty()) RestoreWpClause(kClauseFrom, query.wpFrom);
    for (int item = 0; item < m_cboTable.GetCount() && !table.empty(); ++item) {
        const std::string text = m_cboTable.GetLBText(item).Str();
        if (query.wpFrom.empty() ? text == table : IsWpEntry(text)) {
            m_cboTable.SetCurSel(item);
            break;
        }
    }

    if (IsWhereEnabled()) {
        m_lstWhere.SetRedraw(FALSE);
        for (const Condition& condition : query.conditions)
            AddWhereRow(IndexOf(ConnectorChoices(), condition.connector), ticks.First(condition.field),
                        IndexOf(OperatorChoices(), condition.op), condition.value.c_str());
        m_lstWhere.SetRedraw(TRUE);
    }
    if (IsOrderByEnabled()) ShowSortKeys(query);
}

// The statement's keys come first, top-down in its order and ticked with their directions,
// then the other columns in column order: OK writes the keys as the statement had them.
void CSELECTSQLDlg::ShowSortKeys(const Query& query)
{
    const int rows = m_lstOrderBy.GetItemCount();
    m_lstOrderBy.SetRedraw(FALSE);
    if (!query.wpOrderBy.empty()) {
        RestoreWpClause(kClauseOrderBy, query.wpOrderBy);
        for (int row = 0; row < rows; ++row) {
            if (!IsWpEntry(m_lstOrderBy.GetItemText(row, kOrderByField).Str())) continue;
            m_lstOrderBy.SetCellCheck(row, kOrderByCheck, 1);
            m_lstOrderBy.EnableCellCombo(row, kOrderByAscDesc, TRUE, 0);
            break;
        }
    }
    NamePlaces keyPlaces(m_arrColumns);
    std::vector<char> isKey(static_cast<size_t>(m_arrColumns.GetSize()), 0);
    std::vector<int> order;
    std::vector<int> directions;
    for (const SortKey& key : query.sortKeys) {
        const int column = keyPlaces.Take(key.name);
        if (column < 0) continue;
        isKey[static_cast<size_t>(column)] = 1;
        order.push_back(column);
        directions.push_back(IndexOf(DirectionChoices(), key.direction));
    }
    const size_t keys = order.size();
    for (int i = 0; i < m_arrColumns.GetSize(); ++i)
        if (!isKey[static_cast<size_t>(i)]) order.push_back(i);
    // A row whose column moved takes the column's name and tip.
    for (size_t row = 0; keys > 0 && row < order.size() && row < static_cast<size_t>(rows); ++row) {
        const int r = static_cast<int>(row);
        if (order[row] != r) {
            m_lstOrderBy.SetItemText(r, kOrderByField, m_arrColumns[order[row]]);
            m_lstOrderBy.SetCellTip(r, kOrderByField, m_arrColumns[order[row]]);
        }
        if (row >= keys) continue;
        const int direction = directions[row] > 0 ? directions[row] : 0;
        m_lstOrderBy.SetCellCheck(r, kOrderByCheck, 1);
        m_lstOrderBy.EnableCellCombo(r, kOrderByAscDesc, TRUE, direction);
        if (direction > 0) m_lstOrderBy.SetItemText(r, kOrderByAscDesc, m_arrAscDesc[direction]);
    }
    m_lstOrderBy.SetRedraw(TRUE);
}

void CSELECTSQLDlg::AcceptWpText(int clause, const CString& text)
{
    static const char* const kKeywords[] = {"SELECT", "FROM", "", "ORDER BY"};
    m_strWpValue = text;
    m_arrWpClauseText.SetAt(clause, m_strWpValue);
    m_strWpClause = kKeywords[clause];
    m_bWpClause[clause] = TRUE;
}

void CSELECTSQLDlg::RestoreWpClause(int clause, const std::string& text)
{
    m_arrWpClauseText.SetAt(clause, text.c_str());
    m_bWpClause[clause] = TRUE;
}

void CSELECTSQLDlg::ClearWpFlag(int clause)
{
    m_bWpClause[clause] = FALSE;
}

void CSELECTSQLDlg::CollectWpChoices(int clause, CStringArray& choices) const
{
    choices.RemoveAll();
    auto add = [&choices](const CString& name) {
        if (!IsWpEntry(name.Str())) choices.Add(FoldCase(name.Str()));
    };
    if (clause == kClauseSelect) {
        for (int i = 0; i < m_lstColumns.GetCount(); ++i) add(m_lstColumns.GetText(i));
    } else if (clause == kClauseFrom) {
        for (int i = 0; i < m_mapTables.GetCount(); ++i) add(m_mapTables.GetKeyAt(i));
    } else {
        for (int row = 0; row < m_lstOrderBy.GetItemCount(); ++row) add(m_lstOrderBy.GetItemText(row, kOrderByField));
    }
}
