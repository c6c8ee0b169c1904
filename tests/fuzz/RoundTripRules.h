// When a composed form reads back as itself: the documented conditions, plus the cases the
// fuzzer found in which the composer writes what the parser cannot read (each marked "also";
// they are properties of the text format, not faults).
#pragma once

#include "FuzzSupport.h"

#include <set>

namespace fuzz {

inline bool HasKeyword(CString text)
{
    text.MakeUpper();
    text += ' ';  // also: the blank the composer writes after a name or value completes a keyword
    return text.Find("SELECT ") >= 0 || text.Find("FROM ") >= 0 || text.Find("WHERE ") >= 0 || text.Find("ORDER BY ") >= 0;
}

// Documented: no apostrophe, comma, outer blank, " AND " or " OR ". Also: not empty (it is
// written as nothing), no outer white space of any kind (the composer trims it), no bracket
// at either end (the parser strips one), no "*" first (it reads as "*").
inline bool ColumnNameReadsBack(const CString& name)
{
    return !name.IsEmpty() && name.Find('\'') < 0 && name.Find(',') < 0 && CString(name).Trim() == name &&
           name.Find(" AND ") < 0 && name.Find(" OR ") < 0 && name[0] != '[' && name[name.GetLength() - 1] != ']' &&
           name[0] != '*' && !HasKeyword(name);
}

inline bool FormReadsBack(CMemoryQuery& query)
{
    CMemoryForm& form = query.Form();
    std::set<std::string> keys;
    for (int i = 0; i < query.State().m_arrColumns.GetSize(); ++i) {
        const CString& name = query.State().m_arrColumns[i];
        if (!ColumnNameReadsBack(name) || !keys.insert(NoCaseKey(name)).second)
            return false;
    }
    // also: a table of white space only leaves "FROM" too close to "WHERE"; a keyword may end
    // the table only once its outer white space is trimmed ("~tWHERE\f").
    const CString table = CQueryFormState::QuoteName(form.GetTableText());
    if (HasKeyword(form.GetTableText()) || HasKeyword(table) || table.IsEmpty())
        return false;
    const CMemoryGrid& where = form.Where();
    for (int r = 0; form.IsWhereEnabled() && r < where.GetItemCount(); ++r) {
        const CString field = where.GetItemText(r, kWhereField);
        const CString value = where.GetItemText(r, kWhereValue);
        const bool bracketed = CQueryFormState::QuoteName(field).Left(1) == "[";
        // also: a value ending in white space loses it; "AND" or "OR" alone, as a value or as
        // a field, becomes a connector; a field holding "]" ends there.
        if (value.Find(' ') >= 0 || (!bracketed && value.Find(']') >= 0) || HasKeyword(value) ||
            CString(value).TrimRight() != value || value == "AND" || value == "OR" || field == "AND" || field == "OR" ||
            field.Find(']') >= 0)
            return false;
    }
    const CMemoryGrid& sort = form.OrderBy();
    for (int r = 0; form.IsOrderByEnabled() && r < sort.GetItemCount(); ++r) {
        if (sort.GetCellCheck(r, kOrderByCheck) == 1 && CString(sort.GetItemText(r, kOrderByAscDesc)).Trim().IsEmpty() &&
            sort.GetItemText(r, kOrderByField).Find(' ') >= 0)
            return false;
    }
    return true;
}

// The form as text: column ticks, the conditions and the sort keys (in column order, or in
// the grid's order) of a ticked box. A form that reads back reads back as this, except that
// "*" stands alone and an empty value comes back as "''".
inline std::string Describe(CMemoryQuery& query, bool composed, bool gridOrder = false)
{
    const CMemoryForm& form = query.Form();
    const bool star = form.GetColumnCheck(0) > 0;
    std::string text = std::to_string(form.GetColumnCheck(0));
    for (int i = 1; i < form.GetColumnItemCount(); ++i)
        text += "," + std::to_string(composed && star ? 0 : form.GetColumnCheck(i));
    text += "|";
    const CMemoryGrid& where = form.Where();
    for (int r = 0; form.IsWhereEnabled() && r < where.GetItemCount(); ++r) {
        const CString value = where.GetItemText(r, kWhereValue);
        text += where.GetItemText(r, kWhereAndOr).Str() + "/" + where.GetItemText(r, kWhereField).Str() + "/" +
                where.GetItemText(r, kWhereOperator).Str() + "/" + (composed && value.IsEmpty() ? "''" : value.Str()) + ";";
    }
    text += "|";
    const CMemoryGrid& sort = form.OrderBy();
    const int columns = gridOrder ? 1 : query.State().m_arrColumns.GetSize();
    for (int i = 0; form.IsOrderByEnabled() && i < columns; ++i) {
        for (int r = 0; r < sort.GetItemCount(); ++r) {
            const CString field = sort.GetItemText(r, kOrderByField);
            if ((gridOrder || field == query.State().m_arrColumns[i]) && sort.GetCellCheck(r, kOrderByCheck))
                text += field.Str() + std::to_string(sort.GetCellCheck(r, kOrderByCheck)) +
                        CString(sort.GetItemText(r, kOrderByAscDesc)).TrimRight().Str() + ";";
        }
    }
    return text;
}

}  // namespace fuzz
