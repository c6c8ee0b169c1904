// The round trip of a form the dialog can build: composed, opened again, composed again.
// OK without a change must give the text byte for byte, and the form read back must be the
// form, except where the composer itself loses or blurs something (Lossy names it).
#pragma once

#include "FuzzSupport.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace fuzz {

// A form as the dialog holds it: the table's columns, the host's tables and the query the
// controls show (ticked columns in column order, each sort key a distinct column).
struct Form {
    std::vector<std::string> columns, tables;
    Query query;
};

// What the text can carry: "*" or a When Printed text instead of the ticks, no connector on
// the first condition, "''" for an empty value and none for IS NULL, directions trimmed.
inline Query Carried(Query q)
{
    if (!q.wpSelect.empty() || q.allColumns)
        q.columns.clear();
    q.allColumns = q.allColumns && q.wpSelect.empty();
    if (!q.wpFrom.empty())
        q.table.clear();
    if (!q.wpOrderBy.empty())
        q.sortKeys.clear();
    for (size_t i = 0; i < q.conditions.size(); ++i) {
        Condition& c = q.conditions[i];
        c.connector = i ? c.connector : "";
        c.value = TakesNoValue(c.op) ? "" : c.value.empty() ? "''" : c.value;
    }
    for (SortKey& key : q.sortKeys)
        key.direction.erase(key.direction.find_last_not_of(' ') + 1);
    return q;
}

inline bool StartsWith(const std::string& text, size_t at, const std::string& word)
{
    return text.compare(at, word.size(), word) == 0;
}

// Where the quoted text of a value stands: a quote after a letter, digit or underscore is
// an apostrophe; any other opens quoted text, which a lone quote closes and '' continues.
inline std::vector<bool> QuotedPlaces(const std::string& value)
{
    std::vector<bool> quoted(value.size() + 1, false);
    bool inside = false;
    for (size_t i = 0; i < value.size(); ++i) {
        quoted[i] = inside;
        const unsigned char before = i ? static_cast<unsigned char>(value[i - 1]) : ' ';
        if (value[i] != '\'')
            continue;
        if (!inside)
            inside = !(std::isalnum(before) || before == '_' || before >= 0x80);
        else if (i + 1 < value.size() && value[i + 1] == '\'')
            quoted[++i] = true;
        else
            inside = false;
    }
    quoted[value.size()] = inside;
    return quoted;
}

// A value the reader may end early: it holds, outside its quoted text, " ) " and then
// "AND ( " or "OR ( " with a column and an operator, or "ORDER BY "; or it leaves quoted
// text open.
inline bool ValueBlurs(const std::string& value, const std::vector<std::string>& columns)
{
    const std::vector<bool> quoted = QuotedPlaces(value);
    if (quoted.back())
        return true;
    for (size_t at = value.find(" ) "); at != std::string::npos; at = value.find(" ) ", at + 1)) {
        if (quoted[at])
            continue;
        if (StartsWith(value, at + 3, "ORDER BY "))
            return true;
        const size_t field = StartsWith(value, at + 3, "AND ( ") ? at + 9 : StartsWith(value, at + 3, "OR ( ") ? at + 8 : 0;
        for (size_t c = 0; field && c < columns.size(); ++c) {
            const std::string written = QuoteName(columns[c]) + ' ';
            for (const char* op : OperatorChoices())
                if (StartsWith(value, field, written + op))
                    return true;
        }
    }
    return false;
}

// A name that another of its list writes alike, or that is written as nothing; or whose
// written form begins with another's and a blank.
inline bool NameBlurs(const std::string& name, const std::vector<std::string>& list)
{
    const std::string written = QuoteName(name);
    int alike = 0;
    for (const std::string& other : list) {
        const std::string otherWritten = QuoteName(other);
        alike += otherWritten == written;
        if (otherWritten != written && StartsWith(written, 0, otherWritten + ' '))
            return true;
    }
    return written.empty() || alike > 1;
}

// A comma inside a listed name can cut it into others: then even the text may change.
inline bool CommaInList(const Form& form)
{
    auto comma = [](const std::string& name) { return QuoteName(name).find(',') != std::string::npos; };
    return std::any_of(form.query.columns.begin(), form.query.columns.end(), comma) ||
           std::any_of(form.query.sortKeys.begin(), form.query.sortKeys.end(), [&](const SortKey& k) { return comma(k.name); });
}

// What the statement cannot tell apart, as the README lists it.
inline bool Lossy(const Form& form)
{
    const Query& q = form.query;
    bool lossy = CommaInList(form) || (q.wpFrom.empty() && NameBlurs(q.table, form.tables));
    for (const std::string& column : q.wpSelect.empty() && !q.allColumns ? q.columns : std::vector<std::string>()) {
        const std::string written = QuoteName(column);
        lossy = lossy || NameBlurs(column, form.columns) || written == "*" || written.find(" FROM ") != std::string::npos;
    }
    for (const Condition& c : q.conditions)
        lossy = lossy || NameBlurs(c.field, form.columns) || (!TakesNoValue(c.op) && ValueBlurs(c.value, form.columns));
    for (const SortKey& key : q.wpOrderBy.empty() ? q.sortKeys : std::vector<SortKey>())
        lossy = lossy || NameBlurs(key.name, form.columns);
    for (const std::string* wp : {&q.wpSelect, &q.wpFrom})
        lossy = lossy || (wp->size() > 2 && wp->find("'}") + 2 != wp->size());
    return lossy;
}

inline void CheckRoundTrip(const Form& form)
{
    const std::string statement = PressOk(form.query);
    if (statement.empty())
        return;
    const Query read = OpenStatement(statement, form.columns, form.tables);
    const std::string again = PressOk(read);
    Require(again == statement || CommaInList(form), "OK without a change gives the statement byte for byte");
    Require(Carried(read) == Carried(form.query) || Lossy(form), "the form reads back as itself");
    Require(PressOk(OpenStatement(again, form.columns, form.tables)) == again, "a reopened text is a fixed point");
}

}  // namespace fuzz
