// Shared by the fuzz targets and the engine tests: a fatal check libFuzzer reports as a
// crash, and what OK must do with a query the dialog holds.
#pragma once

#include "engine/Names.h"
#include "engine/Query.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz {

inline void Require(bool condition, const char* rule)
{
    if (!condition) {
        std::fprintf(stderr, "broken rule: %s\n", rule);
        std::abort();
    }
}

// The composer refuses only an empty select list, an empty table, or a later condition
// without its connector, and says the first of them.
inline const char* ExpectedError(const Query& query)
{
    bool selectWritten = !query.wpSelect.empty() || query.allColumns;
    for (const std::string& column : query.columns)
        selectWritten = selectWritten || !QuoteName(column).empty();
    if (!selectWritten)
        return kErrorNoColumns;
    if (query.wpFrom.empty() && query.table.empty())
        return kErrorNoTable;
    for (size_t i = 1; i < query.conditions.size(); ++i) {
        if (query.conditions[i].connector.empty() || query.conditions[i].connector == kBlankChoice)
            return kErrorNoConnector;
    }
    return nullptr;
}

// Composes as OK does; the error is exactly the expected one. Returns the text, "" when refused.
inline std::string PressOk(const Query& query)
{
    const Composed composed = ComposeStatement(query);
    const char* expected = ExpectedError(query);
    Require(composed.error == (expected ? expected : ""), "OK is refused exactly when it should be, with the first error");
    Require(!composed.Ok() || composed.statement.rfind("SELECT ", 0) == 0, "the statement starts with SELECT");
    return composed.statement;
}

}  // namespace fuzz
