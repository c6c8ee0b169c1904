// SplitClauses and its helpers: statement text cut into select, condition and sort items.
#include "dialog/QueryFormState.h"

#include <string>

namespace {

const char kAndConnector[] = " AND ";
const char kOrConnector[] = " OR ";
const int kAndLength = 5;
const int kOrLength = 4;

// Finds the next connector at or after a position that only ever moves forward.
// Each connector's next occurrence is searched again only once the position has
// passed it, so cutting a whole condition text stays linear in its length.
class ConnectorFinder {
public:
    explicit ConnectorFinder(const std::string& text)
        : m_text(text), m_nextAnd(text.find(kAndConnector)), m_nextOr(text.find(kOrConnector))
    {
    }

    int Next(size_t from, int& separatorLength)
    {
        if (m_nextAnd != std::string::npos && m_nextAnd < from)
            m_nextAnd = m_text.find(kAndConnector, from);
        if (m_nextOr != std::string::npos && m_nextOr < from)
            m_nextOr = m_text.find(kOrConnector, from);
        if (m_nextAnd == std::string::npos && m_nextOr == std::string::npos) {
            separatorLength = -1;
            return -1;
        }
        if (m_nextOr == std::string::npos || (m_nextAnd != std::string::npos && m_nextAnd < m_nextOr)) {
            separatorLength = kAndLength;
            return static_cast<int>(m_nextAnd);
        }
        separatorLength = kOrLength;
        return static_cast<int>(m_nextOr);
    }

private:
    const std::string& m_text;
    size_t m_nextAnd;
    size_t m_nextOr;
};

// Items keep the blanks that followed their comma; only their ends are trimmed,
// and the last one is taken as it stands.
void CutAtCommas(const CString& text, CStringArray& items)
{
    int start = 0;
    for (;;) {
        const int comma = text.Find(',', start);
        if (comma < 0) {
            items.Add(text.Mid(start));
            return;
        }
        CString item = text.Mid(start, comma - start);
        item.TrimRight();
        items.Add(item);
        start = comma + 1;
    }
}

// Each item starts with its connector's index into the AndOr list: '0' for the
// first condition, '1' after " AND ", '2' after " OR ".
void CutAtConnectors(const CString& text, CStringArray& items)
{
    ConnectorFinder finder(text.Str());
    char code = '0';
    int start = 0;
    for (;;) {
        int separatorLength = -1;
        const int connector = finder.Next(static_cast<size_t>(start), separatorLength);
        if (connector < 0) {
            items.Add(code + text.Mid(start));
            return;
        }
        CString condition = text.Mid(start, connector - start);
        condition.TrimRight();
        items.Add(code + condition);
        if (connector + separatorLength >= text.GetLength())
            return;
        start = connector + separatorLength;
        code = separatorLength == kAndLength ? '1' : '2';
    }
}

}  // namespace

int CQueryFormState::FindNextConnector(const CString& text, int& separatorLength)
{
    return ConnectorFinder(text.Str()).Next(0, separatorLength);
}

int CQueryFormState::FindFieldEnd(const CString& text)
{
    const int bracket = text.Find(']');
    if (bracket >= 0)
        return bracket + 1;
    return text.Find(' ');
}

// Keywords are found in an upper-cased copy, which has the statement's positions,
// and the clauses are cut from the statement itself. The character before each
// following keyword is the composer's separating blank and is dropped unread.
int CQueryFormState::SplitClauses(const CString& statement, CStringArray& columnItems,
                                  CStringArray& conditionItems, CStringArray& sortItems)
{
    columnItems.RemoveAll();
    conditionItems.RemoveAll();
    sortItems.RemoveAll();

    CString upper(statement);
    upper.MakeUpper();
    const int selectAt = upper.Find("SELECT ");
    const int fromAt = upper.Find("FROM ");
    const int whereAt = upper.Find("WHERE ");
    const int orderAt = upper.Find("ORDER BY ");
    if (selectAt < 0 || fromAt < 0 || fromAt - selectAt < 9)
        return 0;
    if (whereAt > fromAt && whereAt - fromAt < 7)
        return 0;
    if (orderAt > whereAt && orderAt - whereAt < 8)
        return 0;

    CString columnText = statement.Mid(selectAt + 7, fromAt - selectAt - 8);
    columnText.Trim();
    if (!columnText.IsEmpty() && columnText[0] == '*') {
        columnItems.Add("*");
    } else {
        if (columnText.Find(',') == 0)
            return 0;
        CutAtCommas(columnText, columnItems);
    }

    if (whereAt > fromAt) {
        const int length = orderAt > whereAt ? orderAt - whereAt - 7 : statement.GetLength();
        CString conditionText = statement.Mid(whereAt + 6, length);
        conditionText.Trim();
        CutAtConnectors(conditionText, conditionItems);
    }

    // With no WHERE any "ORDER BY " counts, even one before "FROM ".
    if (orderAt > whereAt) {
        CString sortText = statement.Mid(orderAt + 9);
        sortText.Trim();
        CutAtCommas(sortText, sortItems);
    }
    return 1;
}
