// When a composed form reads back as itself: the documented conditions, plus the
// cases the fuzzer found in which the composer writes what the parser cannot read
// (each marked "also"; they are properties of the text format, not faults).
#pragma once

#include "FuzzSupport.h"

#include <set>

namespace fuzz {

inline bool HasKeyword(const CString& text)
{
    CString upper(text);
    upper.MakeUpper();
    // also: the blank the composer writes after a name or value completes a keyword.
    upper += ' ';
    for (const char* keyword : {"SELECT ", "FROM ", "WHERE ", "ORDER BY "}) {
        if (upper.Find(keyword) >= 0)
            return true;
    }
    return false;
}

inline bool IsWhiteSpace(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\v' || ch == '\f';
}

inline bool ColumnNameReadsBack(const CString& name)
{
    if (name.IsEmpty())
        return false;  // also: an empty name is written as nothing
    const char first = name[0];
    const char last = name[name.GetLength() - 1];
    // Documented: no apostrophe, comma, outer blank, " AND " or " OR ".
    // also: no outer white space of any kind (the composer trims it), no bracket
    // at either end (the parser strips one), no "*" first (it reads as "*").
    return name.Find('\'') < 0 && name.Find(',') < 0 && !IsWhiteSpace(first) && !IsWhiteSpace(last) &&
           name.Find(" AND ") < 0 && name.Find(" OR ") < 0 && first != '[' && last != ']' &&
           first != '*' && !HasKeyword(name);
}

inline bool FormReadsBack(CMemoryQuery& query)
{
    CQueryFormState& state = query.State();
    CMemoryForm& form = query.Form();
    std::set<std::string> keys;
    for (int i = 0; i < state.m_arrColumns.GetSize(); ++i) {
        const CString& name = state.m_arrColumns[i];
        if (!ColumnNameReadsBack(name) || !keys.insert(NoCaseKey(name)).second)
            return false;
    }
    const CString table = form.GetTableText();
    // also: a table of white space only leaves "FROM" too close to "WHERE".
    if (HasKeyword(table) || CQueryFormState::QuoteName(table).IsEmpty())
        return false;

    const CMemoryGrid& where = form.Where();
    for (int r = 0; form.IsWhereEnabled() && r < where.GetItemCount(); ++r) {
        const CString field = where.GetItemText(r, kWhereField);
        const CString value = where.GetItemText(r, kWhereValue);
        const bool bracketed = CQueryFormState::QuoteName(field).Left(1) == "[";
        if (value.Find(' ') >= 0 || (!bracketed && value.Find(']') >= 0) || HasKeyword(value))
            return false;
        // also: a value ending in white space loses it; "AND" or "OR" alone, as a
        // value or as a field, becomes a connector; a field holding "]" ends there.
        if (!value.IsEmpty() && IsWhiteSpace(value[value.GetLength() - 1]))
            return false;
        if (value == "AND" || value == "OR" || field == "AND" || field == "OR" || field.Find(']') >= 0)
            return false;
    }

    const CMemoryGrid& sort = form.OrderBy();
    for (int r = 0; form.IsOrderByEnabled() && r < sort.GetItemCount(); ++r) {
        CString direction = sort.GetItemText(r, kOrderByAscDesc);
        direction.TrimRight();
        if (sort.GetCellCheck(r, kOrderByCheck) == 1 && direction.IsEmpty() &&
            sort.GetItemText(r, kOrderByField).Find(' ') >= 0)
            return false;
    }
    return true;
}

// Checked sort rows stand in column order; otherwise they come back reordered.
inline bool SortRowsInColumnOrder(CMemoryQuery& query)
{
    const CMemoryGrid& sort = query.Form().OrderBy();
    int lastColumn = -1;
    for (int r = 0; query.Form().IsOrderByEnabled() && r < sort.GetItemCount(); ++r) {
        if (sort.GetCellCheck(r, kOrderByCheck) != 1)
            continue;
        const CString name = sort.GetItemText(r, kOrderByField);
        int column = 0;
        while (query.State().m_arrColumns[column] != name)
            ++column;
        if (column < lastColumn)
            return false;
        lastColumn = column;
    }
    return true;
}

// The sort key of a column as the grid shows it: -1 unchecked, else its direction.
inline CString SortKeyOf(CMemoryQuery& query, const CString& column, int& check)
{
    const CMemoryGrid& sort = query.Form().OrderBy();
    for (int r = 0; r < sort.GetItemCount(); ++r) {
        if (sort.GetItemText(r, kOrderByField) != column)
            continue;
        check = query.Form().IsOrderByEnabled() ? sort.GetCellCheck(r, kOrderByCheck) : 0;
        CString direction = check == 1 ? sort.GetItemText(r, kOrderByAscDesc) : CString();
        direction.TrimRight();
        return direction;
    }
    check = -1;
    return CString();
}

// What was composed is what was read, except that "*" stands alone, an empty
// value comes back as "''", and a cleared box's clause comes back empty.
inline void RequireSameForm(CMemoryQuery& composing, CMemoryQuery& reading)
{
    const CMemoryForm& a = composing.Form();
    const CMemoryForm& b = reading.Form();
    const bool star = a.GetColumnCheck(0) > 0;
    Require(b.GetColumnCheck(0) == (star ? 1 : 0), "\"*\" reads back");
    for (int i = 1; i < a.GetColumnItemCount(); ++i)
        Require(b.GetColumnCheck(i) == (star ? 0 : a.GetColumnCheck(i)), "column ticks read back");

    const CMemoryGrid& whereA = a.Where();
    const CMemoryGrid& whereB = b.Where();
    Require(whereB.GetItemCount() == (a.IsWhereEnabled() ? whereA.GetItemCount() : 0), "condition count reads back");
    for (int r = 0; r < whereB.GetItemCount(); ++r) {
        for (int cell : {kWhereAndOr, kWhereField, kWhereOperator})
            Require(whereB.GetItemText(r, cell) == whereA.GetItemText(r, cell), "condition cells read back");
        const CString value = whereA.GetItemText(r, kWhereValue);
        Require(whereB.GetItemText(r, kWhereValue) == (value.IsEmpty() ? CString("''") : value),
                "condition values read back");
    }

    for (int i = 0; i < composing.State().m_arrColumns.GetSize(); ++i) {
        const CString& column = composing.State().m_arrColumns[i];
        int checkA = 0;
        int checkB = 0;
        const CString directionA = SortKeyOf(composing, column, checkA);
        const CString directionB = SortKeyOf(reading, column, checkB);
        Require(checkB == (checkA == 1 ? 1 : 0) && directionB == directionA, "sort keys read back");
    }
}

}  // namespace fuzz
