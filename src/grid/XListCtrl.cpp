// CXListCtrl: rows with per-cell records, the cell operations, and the empty-grid text.
#include "grid/XListCtrl.h"

#include <new>
#include <vector>

#include "platform/GdiDC.h"

namespace {

// Stock font and layout of the empty-grid text.
const int kEmptyTextTopMargin = 10;
const UINT kEmptyTextFormat = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_NOCLIP;

COLORREF OrDefault(COLORREF colour, COLORREF fallback)
{
    return colour == static_cast<COLORREF>(-1) ? fallback : colour;
}

}  // namespace

CXListCtrl::CXListCtrl()
{
    LoadSystemColors();
}

// A grid whose window outlives the object (never the case in a dialog, where WM_DESTROY
// comes first) must not keep records nobody frees.
CXListCtrl::~CXListCtrl()
{
    if (IsWindow()) FreeAllRecords(true);
}

const MessageMap* CXListCtrl::StaticMessageMap()
{
    static const MessageEntry entries[] = {
        msgmap::Simple<&CXListCtrl::OnPaint>(WM_PAINT),
        msgmap::Simple<&CXListCtrl::OnDestroy>(WM_DESTROY),
        msgmap::Simple<&CXListCtrl::OnSysColorChange>(WM_SYSCOLORCHANGE),
    };
    static const MessageMap map(CListCtrl::StaticMessageMap(), entries);
    return &map;
}

CString CXListCtrl::GetEmptyText() const
{
    return CString("There are no items to show.");
}

void CXListCtrl::LoadSystemColors()
{
    m_clrWindow = ::GetSysColor(COLOR_WINDOW);
    m_clrWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
}

int CXListCtrl::GetColumnCount() const
{
    HWND header = GetHeaderCtrl();
    return header ? Header_GetItemCount(header) : 0;
}

bool CXListCtrl::IsValidCell(int nItem, int nSubItem) const
{
    return nItem >= 0 && nItem < GetItemCount() && nSubItem >= 0 && nSubItem < GetColumnCount();
}

CXListCell* CXListCtrl::RowRecords(int nItem) const
{
    if (nItem < 0 || nItem >= GetItemCount()) return nullptr;
    return reinterpret_cast<CXListCell*>(GetItemData(nItem));
}

CXListCell* CXListCtrl::CellRecord(int nItem, int nSubItem) const
{
    if (!IsValidCell(nItem, nSubItem)) return nullptr;
    CXListCell* records = RowRecords(nItem);
    if (!records) return nullptr;
    auto known = m_recordCounts.find(records);
    if (known == m_recordCounts.end() || nSubItem >= known->second) return nullptr;
    return &records[nSubItem];
}

// ---- rows ------------------------------------------------------------------------------

int CXListCtrl::InsertItem(int nItem, const char* lpszItem)
{
    return InsertItem(nItem, lpszItem, m_clrWindowText, m_clrWindow);
}

int CXListCtrl::InsertItem(int nItem, const char* lpszItem, COLORREF crText, COLORREF crBack)
{
    if (nItem < 0) return -1;
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.pszText = const_cast<char*>(lpszItem ? lpszItem : "");
    item.iImage = -1;
    const int row = CListCtrl::InsertItem(&item);
    if (row < 0) return row;
    return AttachRecords(row, crText, crBack, -1);
}

int CXListCtrl::InsertItem(const LVITEMA* pItem)
{
    if (!pItem || pItem->iItem < 0) return -1;
    const int row = CListCtrl::InsertItem(pItem);
    if (row < 0) return row;
    return AttachRecords(row, m_clrWindowText, m_clrWindow, (pItem->mask & LVIF_IMAGE) ? pItem->iImage : -1);
}

// The records are attached once the list view has the row, so a row the list view
// refused costs nothing; the first row also repaints the whole grid, since the
// empty-grid text may reach below the rectangle of the new row.
int CXListCtrl::AttachRecords(int nItem, COLORREF crText, COLORREF crBack, int nImage)
{
    if (GetItemCount() == 1) Invalidate();
    const int count = GetColumnCount();
    CXListCell* records = new (std::nothrow) CXListCell[count > 0 ? count : 1];
    if (!records) return -1;
    records[0].crTextColor = crText;
    records[0].crBackColor = crBack;
    records[0].nImageIndex = nImage;
    m_recordCounts[records] = count;
    if (!SetItemData(nItem, reinterpret_cast<DWORD_PTR>(records))) {
        m_recordCounts.erase(records);
        delete[] records;
        return -1;
    }
    return nItem;
}

// Clearing the parameter is a change of the item that the list view reports to the
// parent; a window on its way out skips it, so its owner hears nothing while it closes.
void CXListCtrl::FreeRecords(int nItem, bool clearParameter)
{
    CXListCell* records = RowRecords(nItem);
    if (!records) return;
    if (clearParameter) SetItemData(nItem, 0);
    m_recordCounts.erase(records);
    delete[] records;
}

void CXListCtrl::FreeAllRecords(bool clearParameters)
{
    for (int row = GetItemCount() - 1; row >= 0; --row) FreeRecords(row, clearParameters);
}

BOOL CXListCtrl::DeleteItem(int nItem)
{
    if (nItem < 0 || nItem >= GetItemCount()) return FALSE;
    FreeRecords(nItem, true);
    return CListCtrl::DeleteItem(nItem);
}

BOOL CXListCtrl::DeleteAllItems()
{
    FreeAllRecords(true);
    return CListCtrl::DeleteAllItems();
}

void CXListCtrl::OnDestroy()
{
    FreeAllRecords(false);
    Default();
}

void CXListCtrl::OnSysColorChange()
{
    Default();
    LoadSystemColors();
}

// ---- texts -----------------------------------------------------------------------------

BOOL CXListCtrl::SetItemText(int nItem, int nSubItem, const char* lpszText)
{
    if (!IsValidCell(nItem, nSubItem)) return FALSE;
    const BOOL result = CListCtrl::SetItemText(nItem, nSubItem, lpszText);
    RedrawCell(nItem, nSubItem);
    return result;
}

BOOL CXListCtrl::SetItemText(int nItem, int nSubItem, const char* lpszText, COLORREF crText, COLORREF crBack)
{
    if (!IsValidCell(nItem, nSubItem)) return FALSE;
    if (CXListCell* cell = CellRecord(nItem, nSubItem)) {
        cell->crTextColor = OrDefault(crText, m_clrWindowText);
        cell->crBackColor = OrDefault(crBack, m_clrWindow);
    }
    if (!lpszText) {
        RedrawCell(nItem, nSubItem);
        return TRUE;
    }
    return SetItemText(nItem, nSubItem, lpszText);
}

CString CXListCtrl::GetItemText(int nItem, int nSubItem) const
{
    if (!IsValidCell(nItem, nSubItem)) return CString();
    return CListCtrl::GetItemText(nItem, nSubItem);
}

// ---- check boxes, drop-downs, tips -------------------------------------------------------

BOOL CXListCtrl::SetCellCheck(int nItem, int nSubItem, int nCheckState)
{
    CXListCell* cell = CellRecord(nItem, nSubItem);
    if (!cell) return FALSE;
    cell->nCheckState = nCheckState;
    RedrawCell(nItem, nSubItem);
    return TRUE;
}

int CXListCtrl::GetCellCheck(int nItem, int nSubItem) const
{
    const CXListCell* cell = CellRecord(nItem, nSubItem);
    return cell ? cell->nCheckState : -1;
}

BOOL CXListCtrl::SetCellCombo(int nItem, int nSubItem, BOOL bEnable, CStringArray* pStrings, int nRows,
                              int nInitSel)
{
    CXListCell* cell = CellRecord(nItem, nSubItem);
    if (!cell || !pStrings) return FALSE;
    if (nInitSel < 0 || nInitSel >= pStrings->GetSize()) nInitSel = 0;
    cell->bHasCombo = bEnable;
    if (bEnable) {
        cell->pComboStrings = pStrings;
        cell->nComboRows = nRows;
        cell->nComboInitSel = nInitSel;
        if (pStrings->GetSize() > nInitSel) SetItemText(nItem, nSubItem, pStrings->GetAt(nInitSel));
    }
    RedrawCell(nItem, nSubItem);
    return TRUE;
}

void CXListCtrl::EnableCellCombo(int nItem, int nSubItem, BOOL bEnable)
{
    CXListCell* cell = CellRecord(nItem, nSubItem);
    if (!cell) return;
    if (!bEnable) {
        SetItemText(nItem, nSubItem, "");
        cell->nComboInitSel = 0;
    }
    cell->bHasCombo = bEnable;
}

void CXListCtrl::EnableCellCombo(int nItem, int nSubItem, BOOL bEnable, int nInitSel)
{
    CXListCell* cell = CellRecord(nItem, nSubItem);
    if (!cell) return;
    if (!bEnable) SetItemText(nItem, nSubItem, "");
    cell->bHasCombo = bEnable;
    cell->nComboInitSel = bEnable ? nInitSel : 0;
}

int CXListCtrl::GetCellComboInitSel(int nItem, int nSubItem) const
{
    const CXListCell* cell = CellRecord(nItem, nSubItem);
    return cell ? cell->nComboInitSel : -1;
}

BOOL CXListCtrl::HasCellCombo(int nItem, int nSubItem) const
{
    const CXListCell* cell = CellRecord(nItem, nSubItem);
    return cell ? cell->bHasCombo : FALSE;
}

BOOL CXListCtrl::SetCellTip(int nItem, int nSubItem, const char* lpszTip)
{
    CXListCell* cell = CellRecord(nItem, nSubItem);
    if (!cell) return FALSE;
    cell->strTipText = lpszTip ? lpszTip : "";
    return TRUE;
}

CString CXListCtrl::GetCellTip(int nItem, int nSubItem) const
{
    const CXListCell* cell = CellRecord(nItem, nSubItem);
    return cell ? cell->strTipText : CString();
}

// ---- selection and geometry ------------------------------------------------------------

void CXListCtrl::SetCurSel(int nItem)
{
    SetItemState(nItem, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void CXListCtrl::RedrawCell(int nItem, int nSubItem)
{
    CRect cell;
    if (!GetSubItemRect(nItem, nSubItem, LVIR_BOUNDS, cell)) return;
    InvalidateRect(&cell, TRUE);
    UpdateWindow();
}

BOOL CXListCtrl::GetSubItemRect(int nItem, int nSubItem, int nArea, CRect& rect) const
{
    if (!IsValidCell(nItem, nSubItem)) return FALSE;
    BOOL result = CListCtrl::GetSubItemRect(nItem, nSubItem, nArea, rect);
    if (nSubItem != 0 || GetColumnCount() < 2) return result;
    if (m_nColumnBeforeFirst >= 0) {
        CRect before;
        result = GetSubItemRect(nItem, m_nColumnBeforeFirst, LVIR_BOUNDS, before);
        rect.left = before.right;
    } else {
        CRect next;
        result = CListCtrl::GetSubItemRect(nItem, 1, LVIR_BOUNDS, next);
        rect.right = next.left;
    }
    return result;
}

// ---- painting --------------------------------------------------------------------------

void CXListCtrl::OnPaint()
{
    Default();
    PaintEmptyText();
}

// Drawn over what the list view painted, below the header, on the window's own DC.
void CXListCtrl::PaintEmptyText()
{
    if (GetItemCount() != 0) return;
    CClientDC dc(m_hWnd);
    if (!dc.GetSafeHdc()) return;
    CSavedDCState saved = dc.SaveState();

    CRect area;
    GetWindowRect(&area);
    ScreenToClient(&area);
    HWND header = GetHeaderCtrl();
    CRect firstColumn;
    if (header && Header_GetItemRect(header, 0, &firstColumn)) area.top = firstColumn.bottom;
    area.top += kEmptyTextTopMargin;

    dc.FillSolidRect(area, m_clrWindow);
    dc.SetTextColor(m_clrWindowText);
    dc.SetBkColor(m_clrWindow);
    CSelectGuard font = dc.SelectStockObject(ANSI_VAR_FONT);
    dc.DrawText(GetEmptyText(), &area, kEmptyTextFormat);
}
