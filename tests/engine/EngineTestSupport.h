// The engine as the dialog drives it: open a host's table and statement, edit the
// in-memory form, press OK.
#pragma once

#include "dialog/MemoryQuery.h"

#include <string>
#include <vector>

namespace enginetest {

using Names = std::vector<std::string>;

inline Names Items(const CStringArray& list)
{
    Names names;
    for (int i = 0; i < list.GetSize(); ++i)
        names.push_back(list[i].Str());
    return names;
}

inline void Open(CMemoryQuery& query, const char* table, const char* columns, const char* statement)
{
    query.State().AddTableColumns(table, columns);
    query.State().SetSQLQuery(statement);
    query.Open();
}

// What the host receives after OK, or the refusal's message.
inline std::string PressOk(CMemoryQuery& query)
{
    if (!query.PressOk())
        return "error: " + query.State().m_strError.Str();
    return query.State().m_strStatement.Str();
}

// Ticks an ORDER BY row as a click does: check box, drop-down on, then the choice.
inline void CheckSortRow(CMemoryQuery& query, int row, const char* direction)
{
    CMemoryGrid& grid = query.Form().OrderBy();
    grid.SetCellCheck(row, kOrderByCheck, 1);
    grid.EnableCellCombo(row, kOrderByAscDesc, TRUE, 0);
    grid.SetItemText(row, kOrderByAscDesc, direction);
}

}  // namespace enginetest
