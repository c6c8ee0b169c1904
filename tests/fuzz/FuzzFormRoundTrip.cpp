// Fuzz target: a form built as a user builds it (tables, columns, ticks, conditions, sort
// keys in any order, When Printed clauses), composed and opened again (RoundTripRules.h).
//
// Input, read front to back (bytes past the end read as 0, texts as empty):
//   table count byte (mod 3, plus 1), one line per table; the column string LF;
//   flags byte (1 "*" ticked, 2 WHERE box clear, 4 ORDER BY box clear, 8/16/32 a When
//   Printed text for SELECT/FROM/ORDER BY, read as prompt LF, default LF), table byte,
//   one tick byte per column (bit 0),
//   row count byte (mod 8), per row: connector byte (7 of 8 AND/OR, else blank), field
//   byte, operator byte, value kind byte and its text (see Value),
//   key count byte (mod 8), per key: column byte, direction byte (mod 4: none, blank, ASC, DESC).
#include "RoundTripRules.h"

#include <cstdint>

namespace {

struct InputReader {
    const uint8_t* data;
    size_t size;

    unsigned Byte() { return size ? (--size, *data++) : 0u; }

    // A NUL would end the text where the host's string ends, so it is left out.
    std::string Line()
    {
        std::string text;
        for (unsigned ch = 0; size && (ch = Byte()) != '\n';) {
            if (ch != 0)
                text += static_cast<char>(ch);
        }
        return text;
    }

    // The values users type: as it comes, quoted, a range, a list, a When Printed text, none.
    std::string Value()
    {
        const unsigned kind = Byte() % 6;
        const std::string first = kind < 5 ? Line() : std::string();
        const std::string second = kind >= 2 && kind < 5 ? Line() : std::string();
        switch (kind) {
        case 1: return "'" + first + "'";
        case 2: return first + " AND " + second;
        case 3: return "(" + first + ", " + second + ")";
        case 4: return MakeWpText(first, second);
        default: return first;
        }
    }
};

fuzz::Form BuildForm(InputReader& in)
{
    fuzz::Form form;
    for (unsigned t = 0, tables = 1 + in.Byte() % 3; t < tables; ++t)
        form.tables.push_back(in.Line());
    form.columns = SplitColumnString(in.Line());
    const size_t columnCount = form.columns.size();
    Query& q = form.query;
    const unsigned flags = in.Byte();
    q.allColumns = flags & 1;
    std::string* wp[] = {&q.wpSelect, &q.wpFrom, &q.wpOrderBy};
    for (int clause = 0; clause < 3; ++clause) {
        if (flags & (8u << clause)) {
            const std::string prompt = in.Line();
            *wp[clause] = MakeWpText(prompt, in.Line());
        }
    }
    q.table = form.tables[in.Byte() % form.tables.size()];
    for (size_t i = 0; i < columnCount; ++i) {
        if (in.Byte() & 1)
            q.columns.push_back(form.columns[i]);
    }
    const ChoiceList connectors = ConnectorChoices(), operators = OperatorChoices();
    for (unsigned r = 0, rows = in.Byte() % 8; r < rows && columnCount; ++r) {
        const unsigned connector = in.Byte();
        const std::string& field = form.columns[in.Byte() % columnCount];
        const char* op = operators.items[in.Byte() % operators.count];
        const std::string value = in.Value();
        q.conditions.push_back(Condition{r ? connectors.items[connector % 8 == 7 ? 0 : 1 + connector % 2] : "", field,
                                         op, TakesNoValue(op) ? std::string() : value});
    }
    if (flags & 2)
        q.conditions.clear();
    std::vector<char> keyed(columnCount, 0);
    for (unsigned k = 0, keys = in.Byte() % 8; k < keys && columnCount; ++k) {
        const size_t column = in.Byte() % columnCount;
        const char* directions[] = {"", kBlankChoice, "ASC", "DESC"};
        const char* direction = directions[in.Byte() % 4];
        if (!keyed[column]++)
            q.sortKeys.push_back(SortKey{form.columns[column], direction});
    }
    if (flags & 4)
        q.sortKeys.clear();
    return form;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    InputReader in{data, size};
    fuzz::CheckRoundTrip(BuildForm(in));
    return 0;
}
