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
    return query.PressOk() ? query.State().m_strStatement.Str() : "error: " + query.State().m_strError.Str();
}

}  // namespace enginetest
