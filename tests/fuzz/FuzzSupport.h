// Shared by the fuzz targets: a fatal check libFuzzer reports as a crash, and the rules
// every opened-and-composed query keeps, whatever its input.
#pragma once

#include "dialog/MemoryQuery.h"

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

// The composer refuses only an empty select list or an empty table name.
inline const char* ExpectedOpeningError(CMemoryQuery& query)
{
    CMemoryForm& form = query.Form();
    bool selectWritten = form.GetColumnCheck(0) > 0;
    for (int i = 1; i < form.GetColumnItemCount() && !selectWritten; ++i)
        selectWritten = form.GetColumnCheck(i) > 0 && !CQueryFormState::QuoteName(form.GetColumnItemText(i)).IsEmpty();
    if (!selectWritten)
        return "Syntax Error: SELECT ?Columns?";
    return form.GetTableText().IsEmpty() ? "Syntax Error: SELECT Columns FROM ?table?" : nullptr;
}

// Opens the statement as the dialog does and presses OK: something is always checked,
// and a parsed form has its connectors, so OK fails only as ExpectedOpeningError says.
// Returns the composed text, or "" when OK was refused.
inline std::string OpenAndPressOk(const std::string& table, const std::string& columns,
                                  const std::string& statement, CMemoryQuery& query)
{
    query.State().AddTableColumns(table.c_str(), columns.c_str());
    query.State().SetSQLQuery(statement.c_str());
    query.Open();
    const CMemoryForm& form = query.Form();
    int checked = 0;
    for (int i = 0; i < form.GetColumnItemCount(); ++i)
        checked += form.GetColumnCheck(i) > 0;
    Require(checked > 0, "an opened statement leaves at least one column item checked");

    const char* expectedError = ExpectedOpeningError(query);
    const BOOL composed = query.PressOk();
    const CQueryFormState& state = query.State();
    Require(composed == !expectedError && state.m_strError == (expectedError ? expectedError : ""),
            "OK is refused exactly when a form lacks columns or a table, with the first error");
    if (expectedError)
        return std::string();
    Require(state.m_strStatement.Str().rfind("SELECT ", 0) == 0, "the statement starts with SELECT");
    Require(form.GetPreviewText() == state.m_strStatement, "the preview shows the statement");
    return state.m_strStatement.Str();
}

}  // namespace fuzz
