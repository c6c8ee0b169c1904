// ComposeStatement: a Query written as one line of SELECT text.
#include "engine/Names.h"
#include "engine/Query.h"

#include <tuple>

const char kErrorNoColumns[] = "Syntax Error: SELECT ?Columns?";
const char kErrorNoTable[] = "Syntax Error: SELECT Columns FROM ?table?";
const char kErrorNoConnector[] = "Syntax Error: WHERE clause.";

bool operator==(const Condition& a, const Condition& b)
{
    return std::tie(a.connector, a.field, a.op, a.value) == std::tie(b.connector, b.field, b.op, b.value);
}

bool operator==(const SortKey& a, const SortKey& b)
{
    return a.name == b.name && a.direction == b.direction;
}

bool operator==(const Query& a, const Query& b)
{
    return std::tie(a.allColumns, a.columns, a.table, a.conditions, a.sortKeys, a.wpSelect, a.wpFrom, a.wpOrderBy) ==
           std::tie(b.allColumns, b.columns, b.table, b.conditions, b.sortKeys, b.wpSelect, b.wpFrom, b.wpOrderBy);
}

namespace {

std::string TrimRight(std::string text)
{
    while (!text.empty() && (text.back() == ' ' || (text.back() >= '\t' && text.back() <= '\r')))
        text.pop_back();
    return text;
}

// A name of blanks only is written as nothing, and the comma before the next one stays.
std::string SelectList(const Query& query)
{
    if (!query.wpSelect.empty())
        return query.wpSelect;
    if (query.allColumns)
        return "*";
    std::string list;
    for (const std::string& column : query.columns) {
        if (!list.empty())
            list += ',';
        list += QuoteName(column);
    }
    return list;
}

bool AppendConditions(const Query& query, std::string& text)
{
    for (size_t i = 0; i < query.conditions.size(); ++i) {
        const Condition& condition = query.conditions[i];
        if (i > 0) {
            if (condition.connector.empty() || condition.connector == kBlankChoice)
                return false;
            text += ' ' + condition.connector;
        }
        text += " ( " + QuoteName(condition.field) + ' ' + condition.op;
        if (!TakesNoValue(condition.op))
            text += ' ' + (condition.value.empty() ? std::string("''") : condition.value);
        text += " )";
    }
    return true;
}

std::string SortList(const Query& query)
{
    if (!query.wpOrderBy.empty())
        return query.wpOrderBy;
    std::string list;
    for (const SortKey& key : query.sortKeys) {
        if (!list.empty())
            list += ',';
        list += QuoteName(key.name);
        const std::string direction = TrimRight(key.direction);
        if (!direction.empty())
            list += ' ' + direction;
    }
    return list;
}

}  // namespace

Composed ComposeStatement(const Query& query)
{
    const std::string selectList = SelectList(query);
    if (selectList.empty())
        return {std::string(), kErrorNoColumns};
    const std::string& table = query.wpFrom.empty() ? query.table : query.wpFrom;
    if (table.empty())
        return {std::string(), kErrorNoTable};
    std::string text = "SELECT " + selectList + " FROM " + (query.wpFrom.empty() ? QuoteName(table) : table) + ' ';

    std::string conditions;
    if (!AppendConditions(query, conditions))
        return {std::string(), kErrorNoConnector};
    if (!conditions.empty())
        text += "WHERE " + conditions + ' ';

    const std::string sortList = SortList(query);
    if (!sortList.empty())
        text += "ORDER BY " + sortList;
    return {text, std::string()};
}
