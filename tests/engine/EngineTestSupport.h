// Helpers for the engine tests: column strings, an opened in-memory query, and the
// form read back as plain values that gtest can compare and print.
#pragma once

#include "dialog/MemoryQuery.h"

#include <ostream>
#include <string>
#include <vector>

namespace enginetest {

using Names = std::vector<std::string>;

// Each name followed by its TAB, as the host passes them.
inline std::string ColumnString(const Names& names)
{
    std::string columns;
    for (const std::string& name : names)
        columns += name + '\t';
    return columns;
}

inline Names Items(const CStringArray& list)
{
    Names names;
    for (int i = 0; i < list.GetSize(); ++i)
        names.push_back(list[i].Str());
    return names;
}

inline void OpenQuery(CMemoryQuery& query, const char* table, const std::string& columns,
                      const char* statement)
{
    query.State().AddTableColumns(table, columns.c_str());
    query.State().SetSQLQuery(statement);
    query.Open();
}

// What the host receives when it opens the dialog with the statement and presses OK.
inline std::string Recompose(const char* table, const std::string& columns, const char* statement)
{
    CMemoryQuery query;
    OpenQuery(query, table, columns, statement);
    if (!query.PressOk())
        return "error: " + query.State().m_strError.Str();
    return query.State().m_strStatement.Str();
}

inline Names CheckedColumns(const CMemoryForm& form)
{
    Names checked;
    for (int i = 0; i < form.GetColumnItemCount(); ++i) {
        if (form.GetColumnCheck(i) > 0)
            checked.push_back(form.GetColumnItemText(i).Str());
    }
    return checked;
}

struct WhereRow {
    std::string andOr, field, op, value;
    bool operator==(const WhereRow& o) const
    {
        return andOr == o.andOr && field == o.field && op == o.op && value == o.value;
    }
};
using Rows = std::vector<WhereRow>;

inline std::ostream& operator<<(std::ostream& out, const WhereRow& row)
{
    return out << "{'" << row.andOr << "' '" << row.field << "' '" << row.op << "' '" << row.value << "'}";
}

inline Rows WhereRows(const CMemoryForm& form)
{
    Rows rows;
    const CMemoryGrid& grid = form.Where();
    for (int r = 0; r < grid.GetItemCount(); ++r) {
        rows.push_back(WhereRow{grid.GetItemText(r, kWhereAndOr).Str(), grid.GetItemText(r, kWhereField).Str(),
                                grid.GetItemText(r, kWhereOperator).Str(), grid.GetItemText(r, kWhereValue).Str()});
    }
    return rows;
}

// Checked ORDER BY rows from top to bottom, as "name" or "name DIRECTION".
inline Names SortKeys(const CMemoryForm& form)
{
    Names keys;
    const CMemoryGrid& grid = form.OrderBy();
    for (int r = 0; r < grid.GetItemCount(); ++r) {
        if (grid.GetCellCheck(r, kOrderByCheck) != 1)
            continue;
        CString direction = grid.GetItemText(r, kOrderByAscDesc);
        direction.TrimRight();
        std::string key = grid.GetItemText(r, kOrderByField).Str();
        keys.push_back(direction.IsEmpty() ? key : key + " " + direction.Str());
    }
    return keys;
}

// What a statement opened on table "t" with these columns reads back as.
struct ParsedForm {
    Names checked;
    Rows where;
    Names sort;
};

inline ParsedForm Parse(const char* statement, const Names& columns = {"a", "b", "c"})
{
    CMemoryQuery query;
    OpenQuery(query, "t", ColumnString(columns), statement);
    return ParsedForm{CheckedColumns(query.Form()), WhereRows(query.Form()), SortKeys(query.Form())};
}

// Checks an ORDER BY row the way a click does: check box on, drop-down on, then a choice.
inline void CheckSortRow(CMemoryQuery& query, int row, const char* direction)
{
    CMemoryGrid& grid = query.Form().OrderBy();
    grid.SetCellCheck(row, kOrderByCheck, 1);
    grid.EnableCellCombo(row, kOrderByAscDesc, TRUE, 0);
    grid.SetItemText(row, kOrderByAscDesc, direction);
}

}  // namespace enginetest
