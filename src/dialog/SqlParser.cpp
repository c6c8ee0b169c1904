// ParseSQLStatement: the cut statement read into the column list and both grids.
#include "dialog/QueryFormState.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace {

// Drops a last "]" and then a first "[", at most one of each.
CString WithoutBrackets(const CString& name)
{
    CString result(name);
    if (!result.IsEmpty() && result[result.GetLength() - 1] == ']')
        result = result.Left(result.GetLength() - 1);
    if (!result.IsEmpty() && result[0] == '[')
        result = result.Mid(1);
    return result;
}

// The first index of each name, ignoring case: the answer of a linear search from
// the top, duplicates included, at the cost of one hash lookup.
class NoCaseFirstIndex {
public:
    void Add(const CString& name, int index) { m_firstIndex.emplace(NoCaseKey(name), index); }

    int Find(const CString& name) const
    {
        auto found = m_firstIndex.find(NoCaseKey(name));
        return found == m_firstIndex.end() ? -1 : found->second;
    }

private:
    std::unordered_map<std::string, int> m_firstIndex;
};

int FindNoCase(const CStringArray& list, const CString& text)
{
    for (int i = 0; i < list.GetSize(); ++i) {
        if (list[i].CompareNoCase(text) == 0)
            return i;
    }
    return -1;
}

struct SortKey {
    CString name;
    int direction;  // index into the AscDesc list: 0 none, 1 ASC, 2 DESC
};

// The direction is the word after the last blank when it has at least three
// characters, and is told by its length alone.
SortKey CutSortItem(const CString& item)
{
    CString key(item);
    key.TrimRight();
    CString direction;
    const int blank = key.ReverseFind(' ');
    if (blank > 0) {
        if (blank + 1 <= key.GetLength() - 3) {
            direction = key.Mid(blank + 1);
            direction.TrimRight();
        }
        key = key.Left(blank);
    }
    const int length = direction.GetLength();
    return SortKey{WithoutBrackets(key), length == 3 ? 1 : length == 4 ? 2 : 0};
}

}  // namespace

int CQueryFormState::ParseSQLStatement()
{
    CStringArray columnItems;
    CStringArray conditionItems;
    CStringArray sortItems;
    const int result = SplitClauses(m_strStatement, columnItems, conditionItems, sortItems);
    ReadColumnItems(columnItems);
    ReadConditionItems(conditionItems);
    ReadSortItems(sortItems);
    return result;
}

// "*" is checked only when no item named a column, never by a match.
void CQueryFormState::ReadColumnItems(const CStringArray& columnItems)
{
    bool placed = false;
    for (int i = 0; i < columnItems.GetSize(); ++i) {
        const int item = m_form.FindColumnExact(WithoutBrackets(columnItems[i]));
        if (item > 0) {
            m_form.SetColumnCheck(item, 1);
            placed = true;
        }
    }
    if (!placed)
        m_form.SetColumnCheck(0, 1);
}

// A condition reads as field, blank, operator, blank, value: the field ends at its
// "]" or first blank, the value is the word after the last blank.
void CQueryFormState::ReadConditionItems(const CStringArray& conditionItems)
{
    if (!m_form.IsWhereEnabled() || conditionItems.IsEmpty())
        return;
    NoCaseFirstIndex fieldIndex;
    for (int i = 0; i < m_arrColumns.GetSize(); ++i)
        fieldIndex.Add(m_arrColumns[i], i);

    // The grid is painted once, with every condition in it.
    IGridCells& grid = m_form.WhereGrid();
    grid.SetRedraw(FALSE);
    for (int i = 0; i < conditionItems.GetSize(); ++i) {
        const CString& item = conditionItems[i];
        int andOr = item.IsEmpty() ? 0 : item[0] - '0';
        if (andOr < 0)
            andOr = 0;
        CString text = item.Mid(1);
        text.Trim();
        if (!text.IsEmpty() && text[0] == '(')
            text = text.Mid(1);
        if (!text.IsEmpty() && text[text.GetLength() - 1] == ')')
            text = text.Left(text.GetLength() - 1);
        text.Trim();

        const int fieldEnd = FindFieldEnd(text);
        const CString field = fieldEnd < 1 ? text : text.Left(fieldEnd);
        const int operatorStart = fieldEnd + 1;
        const int lastBlank = text.ReverseFind(' ');
        const CString value = lastBlank < 1 ? CString() : text.Mid(lastBlank + 1);
        int op = -1;
        if (operatorStart < lastBlank) {
            CString operatorText = text.Mid(operatorStart, lastBlank - operatorStart);
            operatorText.Trim();
            op = FindNoCase(m_arrOperators, operatorText);
        }
        int fieldIndexFound = fieldIndex.Find(WithoutBrackets(field));
        if (fieldIndexFound < 0)
            fieldIndexFound = 0;
        AddWhereRow(andOr, fieldIndexFound, op, value);
    }
    grid.SetRedraw(TRUE);
}

// Row i holds column i. Each column takes the first sort item whose key names it,
// ignoring case; every item is cut once and found through a case-folded index.
void CQueryFormState::ReadSortItems(const CStringArray& sortItems)
{
    if (!m_form.IsOrderByEnabled())
        return;
    IGridCells& grid = m_form.OrderByGrid();
    grid.SetRedraw(FALSE);
    if (!m_arrColumns.IsEmpty() && !sortItems.IsEmpty()) {
        NoCaseFirstIndex itemByKey;
        std::vector<int> directions;
        directions.reserve(static_cast<size_t>(sortItems.GetSize()));
        for (int j = 0; j < sortItems.GetSize(); ++j) {
            const SortKey key = CutSortItem(sortItems[j]);
            itemByKey.Add(key.name, j);
            directions.push_back(key.direction);
        }
        for (int row = 0; row < m_arrColumns.GetSize(); ++row) {
            const int item = itemByKey.Find(m_arrColumns[row]);
            if (item < 0)
                continue;
            const int direction = directions[static_cast<size_t>(item)];
            grid.SetCellCheck(row, kOrderByCheck, 1);
            grid.EnableCellCombo(row, kOrderByAscDesc, TRUE, direction);
            if (direction > 0 && direction < m_arrAscDesc.GetSize())
                grid.SetItemText(row, kOrderByAscDesc, m_arrAscDesc[direction]);
        }
    }
    grid.SetRedraw(TRUE);
}
