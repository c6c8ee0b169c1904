// Helpers for the engine tests: column strings, an opened in-memory query, and the
// form read back as plain values that gtest can compare and print.
#pragma once

#include "dialog/MemoryQuery.h"

#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

namespace enginetest {

// Each name followed by its TAB, as the host passes them.
inline std::string ColumnString(std::initializer_list<const char*> names)
{
    std::string columns;
    for (const char* name : names)
        columns += std::string(name) + '\t';
    return columns;
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

inline std::vector<std::string> CheckedColumns(const CMemoryForm& form)
{
    std::vector<std::string> checked;
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

inline std::ostream& operator<<(std::ostream& out, const WhereRow& row)
{
    return out << "{'" << row.andOr << "' '" << row.field << "' '" << row.op << "' '" << row.value << "'}";
}

inline std::vector<WhereRow> WhereRows(const CMemoryForm& form)
{
    std::vector<WhereRow> rows;
    const CMemoryGrid& grid = form.Where();
    for (int r = 0; r < grid.GetItemCount(); ++r) {
        rows.push_back(WhereRow{grid.GetItemText(r, kWhereAndOr).Str(), grid.GetItemText(r, kWhereField).Str(),
                                grid.GetItemText(r, kWhereOperator).Str(), grid.GetItemText(r, kWhereValue).Str()});
    }
    return rows;
}

// Checked ORDER BY rows from top to bottom, as "name" or "name DIRECTION".
inline std::vector<std::string> SortKeys(const CMemoryForm& form)
{
    std::vector<std::string> keys;
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

// Checks an ORDER BY row the way a click does: check box on, drop-down on, then a choice.
inline void CheckSortRow(CMemoryQuery& query, int row, const char* direction)
{
    CMemoryGrid& grid = query.Form().OrderBy();
    grid.SetCellCheck(row, kOrderByCheck, 1);
    grid.EnableCellCombo(row, kOrderByAscDesc, TRUE, 0);
    grid.SetItemText(row, kOrderByAscDesc, direction);
}

}  // namespace enginetest
