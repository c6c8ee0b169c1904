// ReadComposedLayout: the composer's text read back exactly.
//
// Names, values and When Printed texts may hold anything the clause words hold, so the text
// is not cut at keywords. It is read against what can stand at each place: a column or
// table as QuoteName writes it, an operator of the list, a When Printed text
// «{'prompt'|'default'}», and values that run to a " )" after which the rest of the
// statement reads. Where several cuts would read, the first one wins, and a value prefers
// to end outside its quoted text. Whether the rest reads is tabled once, from the end of
// the text backwards, and a name is looked for only where a name of its length would end,
// by a hash of that slice, so the reading costs the text's length times the number of
// different name lengths, whatever the names' length.
#include "engine/Names.h"
#include "engine/Reading.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

std::vector<std::string> WrittenForms(const std::vector<std::string>& names)
{
    std::vector<std::string> written;
    written.reserve(names.size());
    for (const std::string& name : names)
        written.push_back(QuoteName(name));
    return written;
}

std::vector<std::string_view> Views(const std::vector<std::string>& texts)
{
    return std::vector<std::string_view>(texts.begin(), texts.end());
}

}  // namespace

WrittenNames::WrittenNames(const std::vector<std::string>& names)
    : m_written(WrittenForms(names)), m_index(Views(m_written))
{
    for (const std::string& written : m_written)
        m_lengths.push_back(written.size());
    std::sort(m_lengths.begin(), m_lengths.end());
    m_lengths.erase(std::unique(m_lengths.begin(), m_lengths.end()), m_lengths.end());
}

int WrittenNames::Find(const std::string& text, const TextHashes& hashes, size_t begin, size_t end) const
{
    return m_index.Find(std::string_view(text.data() + begin, end - begin), hashes.Of(begin, end));
}

int WrittenNames::After(int index, int previous) const
{
    int found = index;
    while (found >= 0 && found <= previous)
        found = m_index.Next(found);
    return found >= 0 ? found : index;
}

int WrittenNames::Unused(int index, std::vector<char>& used) const
{
    int found = index;
    while (found >= 0 && used[static_cast<size_t>(found)])
        found = m_index.Next(found);
    if (found < 0)
        return index;
    used[static_cast<size_t>(found)] = 1;
    return found;
}

namespace {

const uint32_t kNone = UINT32_MAX;

bool IsWordChar(char ch)
{
    const unsigned char c = static_cast<unsigned char>(ch);
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
}

// Where a condition was read: its field, operator, value and the " )" that closes it.
struct ConditionCut {
    int field = -1;
    const char* op = nullptr;
    size_t valueBegin = 0, valueEnd = 0;
};

// Where a sort key was read: its name, its direction and where the next key (or the end) is.
struct SortKeyCut {
    int name = -1;
    const char* direction = "";
    size_t next = 0;
};

class LayoutReader {
public:
    LayoutReader(const std::string& text, const WrittenNames& columns)
        : m_text(text), m_size(text.size()), m_hashes(text), m_columns(columns)
    {
    }

    bool Read(const WrittenNames& tables, const std::vector<std::string>& columnNames,
              const std::vector<std::string>& tableNames, Query& query);

private:
    // Most places hold none of the words looked for: the first character decides.
    bool At(size_t pos, const char* word) const
    {
        for (; *word; ++word, ++pos) {
            if (pos >= m_size || m_text[pos] != *word)
                return false;
        }
        return true;
    }
    // Whether the text from begin to end is a When Printed text «{'prompt'|'default'}», bar
    // being a "'|'" after begin. Prompts may hold "'}", so the text's end is not searched for.
    bool IsWpText(size_t begin, size_t end, size_t bar) const
    {
        return At(begin, "{'") && end >= begin + 7 && end <= m_size && m_text.compare(end - 2, 2, "'}") == 0 &&
               bar != std::string::npos && bar + 5 <= end;
    }
    bool WpRunsToEnd(size_t pos) const
    {
        return m_lastWpBar != std::string::npos && m_lastWpBar > pos && IsWpText(pos, m_size, m_lastWpBar);
    }
    void TableTheRest();
    bool IsSortItemStart(size_t pos) const { return (pos > 0 && m_text[pos - 1] == ',') || (pos >= 9 && At(pos - 9, "ORDER BY ")); }
    bool SortKeyAt(size_t pos, SortKeyCut* cut) const;
    bool SortKeyTailOk(size_t pos) const { return pos == m_size || (m_text[pos] == ',' && m_sortOk[pos + 1]); }
    bool SortListOk(size_t pos) const { return WpRunsToEnd(pos) || (pos <= m_size && m_sortOk[pos]); }
    bool AfterConditionOk(size_t pos) const;
    bool ConditionAt(size_t pos, ConditionCut* cut) const;
    uint32_t ValueEnd(size_t valueBegin) const;
    bool AfterTableOk(size_t pos) const;
    std::vector<size_t> SelectListEnds() const;
    std::vector<int> ColumnListUpTo(size_t end) const;
    void ReadConditions(size_t pos, const std::vector<std::string>& names, Query& query) const;
    void ReadSortList(size_t pos, const std::vector<std::string>& names, Query& query) const;
    Query QueryAt(size_t selectEnd, size_t tableEnd, const WrittenNames& tables, const std::vector<std::string>& columnNames,
                  const std::vector<std::string>& tableNames) const;

    // The name of names written as text[begin, end), or -1.
    int Name(const WrittenNames& names, size_t begin, size_t end) const { return names.Find(m_text, m_hashes, begin, end); }

    const std::string& m_text;
    const size_t m_size;
    const TextHashes m_hashes;
    const WrittenNames& m_columns;
    std::vector<char> m_sortOk;       // a sort list of names runs from here to the end
    std::vector<char> m_closeOk;      // " )" here closes a condition, and the rest reads
    std::vector<char> m_conditionOk;  // " ( " here opens a condition, and the rest reads
    // The first good close at or after a position, reached with the position outside or
    // inside quoted text, and the first good close whatever the quotes.
    std::vector<uint32_t> m_closeOutside, m_closeInside, m_closeAny;
    size_t m_lastWpBar = std::string::npos;  // the last "'|'" that a text ending the statement can hold
};

bool LayoutReader::SortKeyAt(size_t pos, SortKeyCut* cut) const
{
    for (size_t length : m_columns.Lengths()) {
        const size_t end = pos + length;
        if (end > m_size)
            break;
        if (end < m_size && m_text[end] != ',' && m_text[end] != ' ')
            continue;
        const int name = Name(m_columns, pos, end);
        if (name < 0)
            continue;
        for (const char* direction : {"", " ASC", " DESC"}) {
            const size_t next = end + std::strlen(direction);
            if (At(end, direction) && next <= m_size && SortKeyTailOk(next)) {
                if (cut)
                    *cut = SortKeyCut{name, *direction ? direction + 1 : "", next};
                return true;
            }
        }
    }
    return false;
}

bool LayoutReader::AfterConditionOk(size_t pos) const
{
    if (pos + 1 == m_size && m_text[pos] == ' ')
        return true;
    if (At(pos, " AND ( "))
        return m_conditionOk[pos + 4] != 0;
    if (At(pos, " OR ( "))
        return m_conditionOk[pos + 3] != 0;
    return At(pos, " ORDER BY ") && SortListOk(pos + 10);
}

// A value is never empty (the composer writes "''" for none). It ends at the first good
// close outside its quoted text, else at the first good close.
uint32_t LayoutReader::ValueEnd(size_t valueBegin) const
{
    if (valueBegin + 1 > m_size)
        return kNone;
    const bool quoted = m_text[valueBegin] == '\'';  // after the operator's blank: it opens quoted text
    const uint32_t outside = (quoted ? m_closeInside : m_closeOutside)[valueBegin + 1];
    return outside != kNone ? outside : m_closeAny[valueBegin + 1];
}

bool LayoutReader::ConditionAt(size_t pos, ConditionCut* cut) const
{
    const size_t fieldBegin = pos + 3;
    for (size_t length : m_columns.Lengths()) {
        const size_t fieldEnd = fieldBegin + length;
        if (fieldEnd >= m_size)
            break;
        if (m_text[fieldEnd] != ' ')
            continue;
        const int field = Name(m_columns, fieldBegin, fieldEnd);
        if (field < 0)
            continue;
        for (const char* op : OperatorChoices()) {
            if (!At(fieldEnd + 1, op))
                continue;
            const size_t after = fieldEnd + 1 + std::strlen(op);
            size_t valueBegin = after, close = after;
            if (!TakesNoValue(op)) {
                if (!At(after, " "))
                    continue;
                valueBegin = after + 1;
                const uint32_t end = ValueEnd(valueBegin);
                if (end == kNone)
                    continue;
                close = end;
            } else if (!At(after, " )") || !m_closeOk[after]) {
                continue;
            }
            if (cut)
                *cut = ConditionCut{field, op, valueBegin, close};
            return true;
        }
    }
    return false;
}

// Every table depends only on positions to its right, so one pass from the end fills them.
// The quote rule of values: a quote after a letter, digit or underscore is an apostrophe
// inside a word; any other opens quoted text, which a lone quote closes and a doubled one
// continues.
void LayoutReader::TableTheRest()
{
    m_sortOk.assign(m_size + 2, 0);
    m_closeOk.assign(m_size + 2, 0);
    m_conditionOk.assign(m_size + 2, 0);
    m_closeOutside.assign(m_size + 2, kNone);
    m_closeInside.assign(m_size + 2, kNone);
    m_closeAny.assign(m_size + 2, kNone);
    m_lastWpBar = m_size >= 5 ? m_text.rfind("'|'", m_size - 5) : std::string::npos;
    for (size_t i = m_size + 1; i-- > 0;) {
        if (IsSortItemStart(i))  // at the very end too: a name of blanks is written as nothing
            m_sortOk[i] = SortKeyAt(i, nullptr);
        m_closeOk[i] = At(i, " )") && AfterConditionOk(i + 2);
        if (i == m_size)
            continue;
        m_closeAny[i] = m_closeOk[i] ? static_cast<uint32_t>(i) : m_closeAny[i + 1];
        if (m_closeOk[i])
            m_closeOutside[i] = static_cast<uint32_t>(i);
        else if (m_text[i] == '\'' && (i == 0 || !IsWordChar(m_text[i - 1])))
            m_closeOutside[i] = m_closeInside[i + 1];
        else
            m_closeOutside[i] = m_closeOutside[i + 1];
        if (m_text[i] != '\'')
            m_closeInside[i] = m_closeInside[i + 1];
        else if (i + 1 < m_size && m_text[i + 1] == '\'')
            m_closeInside[i] = m_closeInside[i + 2];
        else
            m_closeInside[i] = m_closeOutside[i + 1];
        m_conditionOk[i] = At(i, " ( ") && ConditionAt(i, nullptr);
    }
}

bool LayoutReader::AfterTableOk(size_t pos) const
{
    if (pos == m_size)
        return true;
    if (At(pos, "WHERE "))
        return m_conditionOk[pos + 6] != 0;
    return At(pos, "ORDER BY ") && SortListOk(pos + 9);
}

// Where a select list that starts the statement may end: before each " FROM " reached by
// "*", a When Printed text, or columns as written, joined by commas.
std::vector<size_t> LayoutReader::SelectListEnds() const
{
    std::vector<char> isEnd(m_size + 1, 0);
    if (At(7, "* FROM "))
        isEnd[8] = 1;
    const size_t bar = m_text.find("'|'", 8);
    for (size_t close = m_text.find("'} FROM ", 8); close != std::string::npos; close = m_text.find("'} FROM ", close + 1))
        if (IsWpText(7, close + 2, bar))
            isEnd[close + 2] = 1;
    std::vector<char> reached(m_size + 1, 0);
    reached[7] = 1;
    for (size_t i = 7; i < m_size; ++i) {
        if (!reached[i])
            continue;
        for (size_t length : m_columns.Lengths()) {
            const size_t end = i + length;
            if (end >= m_size)
                break;
            if ((m_text[end] != ',' && m_text[end] != ' ') || Name(m_columns, i, end) < 0)
                continue;
            if (m_text[end] == ',')
                reached[end + 1] = 1;
            else if (end > 7 && At(end, " FROM "))
                isEnd[end] = 1;
        }
    }
    std::vector<size_t> ends;
    for (size_t end = 8; end <= m_size; ++end)
        if (isEnd[end])
            ends.push_back(end);
    return ends;
}

// The columns of a list known to read up to end, each cut as short as the rest allows.
std::vector<int> LayoutReader::ColumnListUpTo(size_t end) const
{
    std::vector<int> firstCut(end + 1, -1);  // where the first name from an item start may end
    for (size_t i = end + 1; i-- > 7;) {
        if (i != 7 && m_text[i - 1] != ',')
            continue;
        for (size_t length : m_columns.Lengths()) {
            const size_t cut = i + length;
            if (cut > end)
                break;
            if ((cut == end || (m_text[cut] == ',' && firstCut[cut + 1] >= 0)) && Name(m_columns, i, cut) >= 0) {
                firstCut[i] = static_cast<int>(cut);
                break;
            }
        }
    }
    // The list's names come in the list's order: of names written alike, the first after the
    // previous name is the one meant.
    std::vector<int> columns;
    for (size_t i = 7; firstCut[i] >= 0;) {
        const size_t cut = static_cast<size_t>(firstCut[i]);
        columns.push_back(m_columns.After(Name(m_columns, i, cut), columns.empty() ? -1 : columns.back()));
        if (cut == end)
            break;
        i = cut + 1;
    }
    return columns;
}

void LayoutReader::ReadConditions(size_t pos, const std::vector<std::string>& names, Query& query) const
{
    std::string connector;
    for (;;) {
        ConditionCut cut;
        if (!ConditionAt(pos, &cut))
            return;
        query.conditions.push_back(Condition{connector, names[static_cast<size_t>(cut.field)], cut.op,
                                             m_text.substr(cut.valueBegin, cut.valueEnd - cut.valueBegin)});
        const size_t after = cut.valueEnd + 2;
        if (At(after, " AND ( ")) {
            connector = "AND";
            pos = after + 4;
        } else if (At(after, " OR ( ")) {
            connector = "OR";
            pos = after + 3;
        } else {
            if (At(after, " ORDER BY "))
                ReadSortList(after + 10, names, query);
            return;
        }
    }
}

void LayoutReader::ReadSortList(size_t pos, const std::vector<std::string>& names, Query& query) const
{
    if (WpRunsToEnd(pos)) {
        query.wpOrderBy = m_text.substr(pos);
        return;
    }
    // The grid has one row per column: a column named twice is a key once.
    std::vector<char> used(names.size(), 0);
    for (SortKeyCut cut; pos <= m_size && SortKeyAt(pos, &cut); pos = cut.next + 1) {
        const size_t column = static_cast<size_t>(m_columns.Unused(cut.name, used));
        if (used[column] == 1) {
            used[column] = 2;
            query.sortKeys.push_back(SortKey{names[column], cut.direction});
        }
        if (cut.next == m_size)
            return;
    }
}

// The list shows the ticked columns in its own order, each once.
Query LayoutReader::QueryAt(size_t selectEnd, size_t tableEnd, const WrittenNames& tables,
                            const std::vector<std::string>& columnNames, const std::vector<std::string>& tableNames) const
{
    Query query;
    const std::string select = m_text.substr(7, selectEnd - 7);
    if (select == "*") {
        query.allColumns = true;
    } else if (IsWpText(7, selectEnd, m_text.find("'|'", 8))) {
        query.wpSelect = select;
    } else {
        std::vector<char> ticked(columnNames.size(), 0);
        for (int column : ColumnListUpTo(selectEnd))
            ticked[static_cast<size_t>(column)] = 1;
        for (size_t column = 0; column < ticked.size(); ++column)
            if (ticked[column])
                query.columns.push_back(columnNames[column]);
    }
    const size_t tableBegin = selectEnd + 6;
    int known = Name(tables, tableBegin, tableEnd);
    while (known >= 0 && tableNames[static_cast<size_t>(known)].empty())  // no table is named nothing
        known = tables.Next(known);
    if (At(tableBegin, "{'"))
        query.wpFrom = m_text.substr(tableBegin, tableEnd - tableBegin);
    else
        query.table = known >= 0 ? tableNames[static_cast<size_t>(known)] : m_text.substr(tableBegin, tableEnd - tableBegin);
    if (At(tableEnd + 1, "WHERE "))
        ReadConditions(tableEnd + 7, columnNames, query);
    else if (At(tableEnd + 1, "ORDER BY "))
        ReadSortList(tableEnd + 10, columnNames, query);
    return query;
}

// The host's own tables are tried first, so that a table name holding clause words is not
// cut short; then any text. A cut stands only when its query composes to the text itself.
bool LayoutReader::Read(const WrittenNames& tables, const std::vector<std::string>& columnNames,
                        const std::vector<std::string>& tableNames, Query& query)
{
    const std::vector<size_t> selectEnds = SelectListEnds();
    if (selectEnds.empty())
        return false;
    TableTheRest();
    for (int pass = tables.Empty() ? 1 : 0; pass < 2; ++pass) {
        for (size_t selectEnd : selectEnds) {
            const size_t tableBegin = selectEnd + 6;
            // A table that starts as a When Printed text is one (no name is written with an apostrophe).
            const bool wp = At(tableBegin, "{'");
            const size_t bar = wp ? m_text.find("'|'", tableBegin + 1) : std::string::npos;
            const size_t last = wp || pass == 1 ? m_size : std::min(m_size, tableBegin + tables.Longest() + 1);
            for (size_t tableEnd = tableBegin; tableEnd < last; ++tableEnd) {
                if (m_text[tableEnd] != ' ' || !AfterTableOk(tableEnd + 1))
                    continue;
                if (wp ? !IsWpText(tableBegin, tableEnd, bar) : pass == 0 && Name(tables, tableBegin, tableEnd) < 0)
                    continue;
                Query read = QueryAt(selectEnd, tableEnd, tables, columnNames, tableNames);
                const Composed again = ComposeStatement(read);
                if (again.Ok() && again.statement == m_text) {
                    query = std::move(read);
                    return true;
                }
            }
        }
    }
    return false;
}

}  // namespace

bool ReadComposedLayout(const std::string& text, const std::vector<std::string>& columns,
                        const std::vector<std::string>& tables, Query& query)
{
    if (text.compare(0, 7, "SELECT ") != 0 || text.size() >= kNone - 2)
        return false;
    const WrittenNames columnIndex(columns);
    const WrittenNames tableIndex(tables);
    LayoutReader reader(text, columnIndex);
    return reader.Read(tableIndex, columns, tables, query);
}
