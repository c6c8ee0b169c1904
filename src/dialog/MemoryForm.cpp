// CMemoryForm and CMemoryGrid: list, combo and grid behaviour the engine relies on.
#include "dialog/MemoryForm.h"

#include <algorithm>

int CMemoryGrid::InsertItem(int row, const char* text)
{
    if (row < 0)
        return -1;
    // As a list view does, an index past the end appends.
    const int at = std::min(row, GetItemCount());
    std::vector<Cell> cells(static_cast<size_t>(m_cellCount));
    if (!cells.empty())
        cells[0].text = text;
    m_rows.insert(m_rows.begin() + at, std::move(cells));
    if (m_failNextInsertion) {
        m_failNextInsertion = false;
        return -1;
    }
    return at;
}

const CMemoryGrid::Cell* CMemoryGrid::Find(int row, int cell) const
{
    if (row < 0 || row >= GetItemCount())
        return nullptr;
    const std::vector<Cell>& cells = m_rows[static_cast<size_t>(row)];
    if (cell < 0 || cell >= static_cast<int>(cells.size()))
        return nullptr;
    return &cells[static_cast<size_t>(cell)];
}

CMemoryGrid::Cell* CMemoryGrid::Find(int row, int cell)
{
    return const_cast<Cell*>(static_cast<const CMemoryGrid*>(this)->Find(row, cell));
}

const CMemoryGrid::Cell& CMemoryGrid::Record(int row, int cell) const
{
    static const Cell kFresh;
    const Cell* found = Find(row, cell);
    return found ? *found : kFresh;
}

BOOL CMemoryGrid::SetItemText(int row, int cell, const char* text)
{
    Cell* record = Find(row, cell);
    if (!record)
        return FALSE;
    record->text = text;
    return TRUE;
}

CString CMemoryGrid::GetItemText(int row, int cell) const
{
    return Record(row, cell).text;
}

BOOL CMemoryGrid::SetCellCombo(int row, int cell, BOOL enable, CStringArray* list, int rows,
                               int initSel)
{
    Cell* record = Find(row, cell);
    if (!record || !list)
        return FALSE;
    if (initSel < 0 || initSel >= list->GetSize())
        initSel = 0;
    record->hasCombo = enable;
    if (enable) {
        record->list = list;
        record->listRows = rows;
        record->initSel = initSel;
        if (list->GetSize() > initSel)
            record->text = list->GetAt(initSel);
    }
    return TRUE;
}

// The control does not check this cell; in memory a bad one is ignored.
void CMemoryGrid::EnableCellCombo(int row, int cell, BOOL enable, int initSel)
{
    Cell* record = Find(row, cell);
    if (!record)
        return;
    if (!enable)
        record->text.Empty();
    record->hasCombo = enable;
    record->initSel = enable ? initSel : 0;
}

BOOL CMemoryGrid::SetCellCheck(int row, int cell, int state)
{
    Cell* record = Find(row, cell);
    if (!record)
        return FALSE;
    record->check = state;
    return TRUE;
}

int CMemoryGrid::GetCellCheck(int row, int cell) const
{
    return Record(row, cell).check;
}

BOOL CMemoryGrid::SetCellTip(int row, int cell, const char* text)
{
    Cell* record = Find(row, cell);
    if (!record)
        return FALSE;
    record->tip = text;
    return TRUE;
}

void CMemoryGrid::SetRedraw(BOOL redraw)
{
    if (!redraw)
        ++m_redrawOffCount;
    m_redrawOn = redraw;
}

BOOL CMemoryGrid::DeleteItem(int row)
{
    if (row < 0 || row >= GetItemCount())
        return FALSE;
    m_rows.erase(m_rows.begin() + row);
    return TRUE;
}

void CMemoryForm::ResetColumnList()
{
    m_columns.clear();
    m_firstColumnByKey.clear();
}

int CMemoryForm::AddColumnItem(const char* text)
{
    const int item = GetColumnItemCount();
    m_columns.push_back(ColumnItem{CString(text), 0});
    m_firstColumnByKey.emplace(NoCaseKey(text), item);  // keeps the earlier item of a duplicate
    return item;
}

CString CMemoryForm::GetColumnItemText(int item) const
{
    return IsColumnItem(item) ? m_columns[static_cast<size_t>(item)].text : CString();
}

int CMemoryForm::GetColumnCheck(int item) const
{
    return IsColumnItem(item) ? m_columns[static_cast<size_t>(item)].check : 0;
}

void CMemoryForm::SetColumnCheck(int item, int check)
{
    if (IsColumnItem(item))
        m_columns[static_cast<size_t>(item)].check = check;
}

int CMemoryForm::FindColumnExact(const char* text) const
{
    auto found = m_firstColumnByKey.find(NoCaseKey(text));
    return found == m_firstColumnByKey.end() ? -1 : found->second;
}

void CMemoryForm::ResetTableCombo()
{
    m_tables.clear();
    m_selectedTable = -1;
}

// Equal names, ignoring case, keep the order in which they came.
int CMemoryForm::AddTableItem(const char* text)
{
    const CString name(text);
    auto at = std::upper_bound(m_tables.begin(), m_tables.end(), name,
                               [](const CString& a, const CString& b) { return a.CollateNoCase(b) < 0; });
    return static_cast<int>(m_tables.insert(at, name) - m_tables.begin());
}

CString CMemoryForm::GetTableText() const
{
    return GetTableItemText(m_selectedTable);
}

CString CMemoryForm::GetTableItemText(int item) const
{
    if (item < 0 || item >= GetTableCount())
        return CString();
    return m_tables[static_cast<size_t>(item)];
}

void CMemoryForm::SelectTable(int item)
{
    m_selectedTable = item >= 0 && item < GetTableCount() ? item : -1;
}
