// Fuzz target: a form built as a user builds it (columns, ticks, conditions, sort keys,
// rows moved), composed, and the text opened again. OK must refuse exactly the forms it
// should, with the first error; a form that keeps to the round-trip conditions
// (FormReadsBack) must read back as itself and compose to the same text.
//
// Input, read front to back (bytes past the end read as 0, texts as empty):
//   table LF, column string LF (its TABs split the names),
//   flags byte (1 "*" ticked, 2 WHERE box clear, 4 ORDER BY box clear),
//   one tick byte per column (bit 0),
//   row count byte (mod 8), per row: connector byte (7 of 8 AND/OR, else blank),
//   field byte, operator byte, value LF,
//   move count byte (mod 4), per move: row byte (that row swaps with the next),
//   one byte per ORDER BY row (bit 0 checked; the byte shifted right by one,
//   mod 3, picks blank, ASC or DESC).
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
};

void BuildForm(InputReader& in, CMemoryQuery& query)
{
    CQueryFormState& state = query.State();
    CMemoryForm& form = query.Form();
    const unsigned columnCount = static_cast<unsigned>(state.m_arrColumns.GetSize());
    const unsigned flags = in.Byte();
    form.SetColumnCheck(0, flags & 1);
    for (unsigned i = 1; i <= columnCount; ++i)
        form.SetColumnCheck(static_cast<int>(i), in.Byte() & 1);
    for (unsigned r = 0, rows = in.Byte() % 8; r < rows; ++r) {
        const unsigned connector = in.Byte();
        const unsigned field = columnCount ? in.Byte() % columnCount : 0;
        const unsigned op = in.Byte() % 4;
        state.AddWhereRow(connector % 8 == 7 ? 0 : 1 + connector % 2, field, op, in.Line().c_str());
    }
    form.SetWhereEnabled(flags & 2 ? FALSE : TRUE);

    // Moving a row carries its name with it; rows are still unchecked here.
    CMemoryGrid& sort = form.OrderBy();
    for (unsigned m = 0, moves = in.Byte() % 4; m < moves && columnCount > 1; ++m) {
        const int row = static_cast<int>(in.Byte() % (columnCount - 1));
        const CString moved = sort.GetItemText(row, kOrderByField);
        sort.SetItemText(row, kOrderByField, sort.GetItemText(row + 1, kOrderByField));
        sort.SetItemText(row + 1, kOrderByField, moved);
    }
    for (unsigned row = 0, b = 0; row < columnCount; ++row) {
        if ((b = in.Byte()) & 1) {
            sort.SetCellCheck(row, kOrderByCheck, 1);
            sort.EnableCellCombo(row, kOrderByAscDesc, TRUE, (b >> 1) % 3);
            sort.SetItemText(row, kOrderByAscDesc, state.m_arrAscDesc[(b >> 1) % 3]);
        }
    }
    form.SetOrderByEnabled(flags & 4 ? FALSE : TRUE);
}

const char* ExpectedError(CMemoryQuery& query)
{
    if (const char* error = fuzz::ExpectedOpeningError(query))
        return error;
    const CMemoryGrid& where = query.Form().Where();
    for (int r = 1; query.Form().IsWhereEnabled() && r < where.GetItemCount(); ++r) {
        if (where.GetItemText(r, kWhereAndOr).IsEmpty() || where.GetItemText(r, kWhereAndOr) == "   ")
            return "Syntax Error: WHERE clause.";
    }
    return nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    InputReader in{data, size};
    const std::string table = in.Line();
    const std::string columns = in.Line();
    CMemoryQuery composing;
    composing.State().AddTableColumns(table.c_str(), columns.c_str());
    composing.Open();
    const CString before = composing.State().m_strStatement;
    BuildForm(in, composing);

    const char* expectedError = ExpectedError(composing);
    const BOOL composed = composing.PressOk();
    fuzz::Require(composed == !expectedError && composing.State().m_strError == (expectedError ? expectedError : ""),
                  "OK is refused exactly when it should be, with the first error");
    if (expectedError) {
        fuzz::Require(composing.State().m_strStatement == before && composing.Form().GetPreviewText() == before,
                      "a refused OK leaves the statement and its preview");
        return 0;
    }
    const std::string statement = composing.State().m_strStatement.Str();
    CMemoryQuery reading;
    const std::string again = fuzz::OpenAndPressOk(table, columns, statement, reading);
    if (fuzz::FormReadsBack(composing)) {
        fuzz::Require(fuzz::Describe(reading, false) == fuzz::Describe(composing, true), "the form reads back");
        // Checked sort rows out of column order come back reordered.
        const bool sortInColumnOrder = fuzz::Describe(composing, true, true) == fuzz::Describe(composing, true);
        fuzz::Require(!sortInColumnOrder || again == statement, "a form that reads back composes to the same text");
    }
    return 0;
}
