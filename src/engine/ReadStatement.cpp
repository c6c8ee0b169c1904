// ReadStatement: the composer's layout read exactly, any other text forgivingly, as it
// always was read (ReadForgivingly); and OpenStatement, the reading the dialog's controls hold.
//
// Keywords are found by plain search in an upper-cased copy and the clauses cut from the
// text at the same positions; lists are cut at commas, conditions at " AND " and " OR ",
// each condition at blanks into field, operator and the value after the last blank. Beyond
// that old reading only this: every operator of the list in any letter case, "!=" as "<>",
// IS NULL and IS NOT NULL without a value, and connectors in any letter case where they do
// not stand inside a bracketed name.
#include "engine/Names.h"
#include "engine/Reading.h"

#include <string_view>

namespace {

using Text = std::string_view;
const size_t kNone = Text::npos;

bool IsSpace(char ch)
{
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

Text TrimRight(Text text)
{
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

Text Trim(Text text)
{
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    return TrimRight(text);
}

// A last "]", then a first "[", at most one of each.
Text WithoutBrackets(Text name)
{
    if (!name.empty() && name.back() == ']')
        name.remove_suffix(1);
    if (!name.empty() && name.front() == '[')
        name.remove_prefix(1);
    return name;
}

// Items keep the blanks that followed their comma; only their ends are trimmed, and the
// last one is taken as it stands.
std::vector<Text> CutAtCommas(Text text)
{
    std::vector<Text> items;
    for (size_t comma = text.find(','); comma != kNone; comma = text.find(',')) {
        items.push_back(TrimRight(text.substr(0, comma)));
        text.remove_prefix(comma + 1);
    }
    items.push_back(text);
    return items;
}

std::string Folded(Text text)
{
    return FoldCase(std::string(text));
}

// The first name equal to a text ignoring letter case, at the cost of one lookup.
class FoldedNames {
public:
    explicit FoldedNames(const std::vector<std::string>& names)
        : m_folded(FoldAll(names)), m_index(std::vector<Text>(m_folded.begin(), m_folded.end()))
    {
    }
    int Find(Text text) const { return m_index.Find(Folded(text)); }

private:
    static std::vector<std::string> FoldAll(const std::vector<std::string>& names)
    {
        std::vector<std::string> folded;
        folded.reserve(names.size());
        for (const std::string& name : names)
            folded.push_back(FoldCase(name));
        return folded;
    }
    std::vector<std::string> m_folded;
    NameIndex m_index;
};

struct ConditionText {
    const char* connector;  // "" for the first
    Text text;
};

// The next " AND " or " OR " at or after a position that only moves forward; each word's
// next place is searched again only once the position has passed it, so cutting a whole
// condition text stays linear. A connector not in upper case counts only outside brackets.
class ConnectorFinder {
public:
    explicit ConnectorFinder(Text text) : m_text(text), m_upper(Folded(text)) {}

    size_t Next(size_t from, const char*& connector)
    {
        for (;;) {
            Advance(m_and, " AND ", from);
            Advance(m_or, " OR ", from);
            const bool isAnd = m_and != kNone && (m_or == kNone || m_and < m_or);
            const size_t at = isAnd ? m_and : m_or;
            if (at == kNone)
                return kNone;
            connector = isAnd ? "AND" : "OR";
            const size_t length = isAnd ? 5 : 4;
            if (m_text.substr(at, length) == Text(m_upper).substr(at, length) || !InsideBrackets(at))
                return at;
            from = at + 1;
        }
    }

private:
    void Advance(size_t& next, const char* word, size_t from)
    {
        if (next == kUnsearched || (next != kNone && next < from))
            next = m_upper.find(word, from);
    }
    // Positions are asked in rising order, so the brackets are counted once.
    bool InsideBrackets(size_t at)
    {
        for (; m_counted < at; ++m_counted)
            m_depth += m_text[m_counted] == '[' ? 1 : m_text[m_counted] == ']' && m_depth > 0 ? -1 : 0;
        return m_depth > 0;
    }
    static const size_t kUnsearched = kNone - 1;
    const Text m_text;
    const std::string m_upper;
    size_t m_and = kUnsearched, m_or = kUnsearched;
    size_t m_counted = 0;
    int m_depth = 0;
};

std::vector<ConditionText> CutAtConnectors(Text text)
{
    std::vector<ConditionText> items;
    ConnectorFinder finder(text);
    const char* connector = "";
    for (size_t start = 0;;) {
        const char* next = "";
        const size_t at = finder.Next(start, next);
        if (at == kNone) {
            items.push_back({connector, text.substr(start)});
            return items;
        }
        items.push_back({connector, TrimRight(text.substr(start, at - start))});
        const size_t after = at + (*next == 'A' ? 5 : 4);
        if (after >= text.size())
            return items;
        start = after;
        connector = next;
    }
}

int FindOperator(Text text)
{
    const std::string folded = Folded(Trim(text));
    return IndexOf(OperatorChoices(), folded == "!=" ? "<>" : folded);
}

// Field, blank, operator, blank, value: the field ends at its "]" or first blank, the value
// is the word after the last blank, the operator what lies between.
Condition ReadCondition(const ConditionText& item, const std::vector<std::string>& columns,
                        const FoldedNames& fields)
{
    Text text = Trim(item.text);
    if (!text.empty() && text.front() == '(')
        text.remove_prefix(1);
    if (!text.empty() && text.back() == ')')
        text.remove_suffix(1);
    text = Trim(text);

    const size_t bracket = text.find(']');
    const size_t fieldEnd = bracket != kNone ? bracket + 1 : text.find(' ');
    const Text field = fieldEnd == kNone || fieldEnd < 1 ? text : text.substr(0, fieldEnd);
    const size_t lastBlank = text.rfind(' ');
    Text value = lastBlank == kNone || lastBlank < 1 ? Text() : text.substr(lastBlank + 1);
    int op = -1;
    if (fieldEnd != kNone && fieldEnd >= 1 && fieldEnd + 1 <= text.size()) {
        op = FindOperator(text.substr(fieldEnd + 1));
        if (op >= 0 && TakesNoValue(OperatorChoices().items[op]))
            value = Text();
        else if (lastBlank != kNone && fieldEnd + 1 < lastBlank)
            op = FindOperator(text.substr(fieldEnd + 1, lastBlank - fieldEnd - 1));
        else
            op = -1;
    }
    const int column = fields.Find(WithoutBrackets(field));
    return Condition{item.connector, columns[column >= 0 ? static_cast<size_t>(column) : 0],
                     OperatorChoices().items[op >= 0 ? op : 0], std::string(value)};
}

// The direction is the word after the last blank when it has at least three characters,
// and is told by its length alone.
void ReadSortItem(Text item, Text& key, const char*& direction)
{
    key = TrimRight(item);
    const size_t blank = key.rfind(' ');
    size_t length = 0;
    if (blank != kNone && blank > 0) {
        if (blank + 1 + 3 <= key.size())
            length = TrimRight(key.substr(blank + 1)).size();
        key = key.substr(0, blank);
    }
    key = WithoutBrackets(key);
    direction = length == 3 ? "ASC" : length == 4 ? "DESC" : "";
}

}  // namespace

Query ReadForgivingly(const std::string& statement, const std::vector<std::string>& columns,
                      const std::vector<std::string>& tables)
{
    Query query;
    query.allColumns = true;
    const Text text(statement);
    const std::string upper = FoldCase(statement);
    const size_t select = upper.find("SELECT "), from = upper.find("FROM ");
    const size_t where = upper.find("WHERE "), order = upper.find("ORDER BY ");
    // Positions as the old reading compared them: a keyword not found counts as -1.
    const long long s = select == kNone ? -1 : static_cast<long long>(select);
    const long long f = from == kNone ? -1 : static_cast<long long>(from);
    const long long w = where == kNone ? -1 : static_cast<long long>(where);
    const long long o = order == kNone ? -1 : static_cast<long long>(order);
    if (s < 0 || f < 0 || f - s < 9 || (w > f && w - f < 7) || (o > w && o - w < 8))
        return query;
    const Text columnText = Trim(text.substr(select + 7, from - select - 8));
    if (!columnText.empty() && columnText[0] == ',')
        return query;

    const FoldedNames names(columns);
    if (columnText.empty() || columnText[0] != '*') {
        std::vector<char> ticked(columns.size(), 0);
        for (Text item : CutAtCommas(columnText)) {
            const Text name = WithoutBrackets(item);
            const int column = name == "*" ? -1 : names.Find(name);
            if (column >= 0)
                ticked[static_cast<size_t>(column)] = 1;
        }
        // "*" stays ticked unless a column that is written as something was placed.
        for (size_t i = 0; i < columns.size(); ++i) {
            if (ticked[i]) {
                query.columns.push_back(columns[i]);
                query.allColumns = query.allColumns && QuoteName(columns[i]).empty();
            }
        }
    }

    const size_t tableEnd = w > f ? where : o > f ? order : text.size();
    const std::string table(Trim(text.substr(from + 5, tableEnd - from - 5)));
    const int known = FindWrittenName(tables, table);
    query.table = known >= 0 ? tables[static_cast<size_t>(known)] : table;

    if (w > f && !columns.empty()) {
        const size_t length = o > w ? order - where - 7 : kNone;
        for (const ConditionText& item : CutAtConnectors(Trim(text.substr(where + 6, length))))
            query.conditions.push_back(ReadCondition(item, columns, names));
    }
    // With no WHERE any "ORDER BY " counts, even one before "FROM ".
    if (o > w && !columns.empty()) {
        std::vector<char> used(columns.size(), 0);
        for (Text item : CutAtCommas(Trim(text.substr(order + 9)))) {
            Text key;
            const char* direction = "";
            ReadSortItem(item, key, direction);
            const int column = names.Find(key);
            if (column < 0 || used[static_cast<size_t>(column)])
                continue;
            used[static_cast<size_t>(column)] = 1;
            query.sortKeys.push_back(SortKey{columns[static_cast<size_t>(column)], direction});
        }
    }
    return query;
}

Query ReadStatement(const std::string& text, const std::vector<std::string>& columns,
                    const std::vector<std::string>& tables)
{
    Query query;
    if (ReadComposedLayout(text, columns, tables, query))
        return query;
    return ReadForgivingly(text, columns, tables);
}

Query OpenStatement(const std::string& statement, const std::vector<std::string>& columns,
                    const std::vector<std::string>& tables)
{
    Query query = ReadStatement(statement, columns, tables);
    bool offered = false;
    for (const std::string& table : tables)
        offered = offered || table == query.table;
    if (query.wpFrom.empty() && !offered)
        query.table = tables.empty() ? std::string() : tables.front();
    return query;
}
