// Fuzz target: a host's table name, column string and starting statement, any bytes, opened
// as the dialog opens them and composed as OK does. Input: table, NUL, column string, NUL,
// statement (a missing part is empty). Whatever the text, the opened query names only the
// table's columns and selects something, OK is refused only as ExpectedError says, and the
// composed text opens again to itself (one reading reaches a fixed point).
#include "FuzzSupport.h"

#include <algorithm>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string parts[3];
    for (std::string& part : parts) {
        for (; size > 0 && *data != 0; ++data, --size)
            part += static_cast<char>(*data);
        if (size > 0)
            ++data, --size;
    }
    const std::vector<std::string> columns = SplitColumnString(parts[1]);
    const std::vector<std::string> tables{parts[0]};
    const Query opened = OpenStatement(parts[2], columns, tables);
    fuzz::Require(opened.allColumns || !opened.columns.empty() || !opened.wpSelect.empty(),
                  "an opened statement selects something");
    auto named = [&columns](const std::string& name) { return std::count(columns.begin(), columns.end(), name) > 0; };
    bool known = std::all_of(opened.columns.begin(), opened.columns.end(), named);
    for (const Condition& condition : opened.conditions)
        known = known && named(condition.field) && IndexOf(OperatorChoices(), condition.op) >= 0;
    for (const SortKey& key : opened.sortKeys)
        known = known && named(key.name);
    fuzz::Require(known, "fields, columns and keys are the table's, operators the list's");

    const std::string composed = fuzz::PressOk(opened);
    if (!composed.empty())
        fuzz::Require(fuzz::PressOk(OpenStatement(composed, columns, tables)) == composed,
                      "the composed text opens and composes to itself");
    return 0;
}
