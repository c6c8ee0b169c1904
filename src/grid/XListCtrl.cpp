// CXListCtrl: rows with per-cell records, the cell operations, and the window's life.
#include "grid/XListCtrl.h"

#include <new>

#include "grid/XComboList.h"
#include "grid/RegisteredMessages.h"

namespace {

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
    DestroyDropList();
    if (IsWindow()) FreeAllRecords(true);
}

const MessageMap* CXListCtrl::StaticMessageMap()
{
    using G = CXListCtrl;
    static const MessageEntry entries[] = {
        msgmap::Message<&G::OnCreateMessage>(WM_CREATE),
        msgmap::Simple<&G::OnPaint>(WM_PAINT),
        msgmap::Simple<&G::OnDestroy>(WM_DESTROY),
        msgmap::Simple<&G::OnSysColorChange>(WM_SYSCOLORCHANGE),
        msgmap::Message<&G::OnSetRedraw>(WM_SETREDRAW),
        msgmap::Mouse<&G::OnLButtonDown>(WM_LBUTTONDOWN),
        msgmap::Mouse<&G::OnLButtonDblClk>(WM_LBUTTONDBLCLK),
        msgmap::Mouse<&G::OnMouseMove>(WM_MOUSEMOVE),
        msgmap::Message<&G::OnMouseHover>(WM_MOUSEHOVER),
        msgmap::Message<&G::OnKeyDown>(WM_KEYDOWN),
        msgmap::Message<&G::OnSysKeyDown>(WM_SYSKEYDOWN),
        msgmap::Message<&G::OnChar>(WM_CHAR),
        msgmap::Simple<&G::OnFocusChange>(WM_SETFOCUS),
        msgmap::Simple<&G::OnFocusChange>(WM_KILLFOCUS),
        msgmap::Message<&G::OnUpdateUiState>(WM_UPDATEUISTATE),
        msgmap::ReflectNotify<&G::OnCustomDraw>(NM_CUSTOMDRAW),
        msgmap::ReflectNotify<&G::OnClick>(NM_CLICK),
        msgmap::ReflectNotify<&G::OnBeginLabelEdit>(LVN_BEGINLABELEDITA),
        msgmap::ReflectNotify<&G::OnBeginLabelEdit>(LVN_BEGINLABELEDITW),
        msgmap::ReflectNotify<&G::OnColumnClick>(LVN_COLUMNCLICK),
        msgmap::NotifyRange<&G::OnToolTipNeedText>(TTN_NEEDTEXTA, 0, msgmap::kAnyId),
        msgmap::NotifyRange<&G::OnToolTipNeedText>(TTN_NEEDTEXTW, 0, msgmap::kAnyId),
        msgmap::Registered<&G::OnComboEscape>(g_wmXComboListVkEscape),
        msgmap::Registered<&G::OnComboReturn>(g_wmXComboListVkReturn),
        msgmap::Registered<&G::OnComboReturn>(g_wmXComboListLButtonUp),
        msgmap::Registered<&G::OnComboKeyDown>(g_wmXComboListKeyDown),
        msgmap::Message<&G::OnDeferred>(kWmDeferred),
    };
    static const MessageMap map(CListCtrl::StaticMessageMap(), entries);
    return &map;
}

LPCTSTR CXListCtrl::GetEmptyText()
{
    return "There are no items to show.";
}

void CXListCtrl::LoadSystemColors()
{
    m_clrBtnFace = ::GetSysColor(COLOR_BTNFACE);
    m_clrBtnShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_clrGrayText = ::GetSysColor(COLOR_GRAYTEXT);
    m_clrHighLight = ::GetSysColor(COLOR_HIGHLIGHT);
    m_clrHighLightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_clrWindow = ::GetSysColor(COLOR_WINDOW);
    m_clrWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
}

// A grid on a dialog template is attached here; one created by code subclasses its
// header at WM_CREATE instead.
void CXListCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    SubclassHeader();
}

LRESULT CXListCtrl::OnCreateMessage(WPARAM, LPARAM)
{
    if (Default() == -1) return -1;
    SubclassHeader();
    return 0;
}

void CXListCtrl::SubclassHeader()
{
    if (m_bHeaderSubclassed) return;
    HWND header = GetHeaderCtrl();
    if (header && m_wndHeader.SubclassWindow(header)) m_bHeaderSubclassed = TRUE;
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

void CXListCtrl::NotifyParent(UINT message, int row, int column) const
{
    CWindow target = GetParent();
    if (!target.GetSafeHwnd()) target = GetOwner();
    if (target.IsWindow()) target.SendMessage(message, static_cast<WPARAM>(row), static_cast<LPARAM>(column));
}

// ---- rows ------------------------------------------------------------------------------

int CXListCtrl::InsertItem(int nItem, LPCTSTR lpszItem)
{
    return InsertItem(nItem, lpszItem, m_clrWindowText, m_clrWindow);
}

int CXListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, COLORREF crText, COLORREF crBack)
{
    if (nItem < 0) return -1;
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.pszText = const_cast<char*>(lpszItem ? lpszItem : "");
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

BOOL CXListCtrl::SetItem(const LVITEMA* pItem)
{
    if (!pItem || pItem->iItem < 0) return FALSE;
    if (!CListCtrl::SetItem(pItem)) return FALSE;
    CXListCell* cell = CellRecord(pItem->iItem, pItem->iSubItem);
    if (!cell) return FALSE;
    cell->nImageIndex = pItem->iImage;
    RedrawCell(pItem->iItem, pItem->iSubItem);
    return TRUE;
}

BOOL CXListCtrl::SetItemImage(int nItem, int nSubItem, int nImage)
{
    if (!IsValidCell(nItem, nSubItem)) return FALSE;
    if (CXListCell* cell = CellRecord(nItem, nSubItem)) cell->nImageIndex = nImage;
    RedrawCell(nItem, nSubItem);
    return TRUE;
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
    DestroyDropList();
    FreeAllRecords(false);
    Default();
}

LRESULT CXListCtrl::OnSetRedraw(WPARAM wParam, LPARAM)
{
    m_bRedrawOff = wParam == FALSE;
    return Default();
}

void CXListCtrl::OnSysColorChange()
{
    Default();
    LoadSystemColors();
}

// ---- texts -----------------------------------------------------------------------------

BOOL CXListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    if (!IsValidCell(nItem, nSubItem)) return FALSE;
    const BOOL result = CListCtrl::SetItemText(nItem, nSubItem, lpszText);
    RedrawCell(nItem, nSubItem);
    return result;
}

BOOL CXListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText, COLORREF crText, COLORREF crBack)
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

// ---- check boxes, drop-downs, tips, looks ------------------------------------------------

BOOL CXListCtrl::SetCellCheck(int nItem, int nSubItem, int nCheckState)
{
    CXListCell* cell = CellRecord(nItem, nSubItem);
    if (!cell) return FALSE;
    cell->nCheckState = nCheckState;
    RedrawCell(nItem, nSubItem);
    UpdateHeaderCheck(nSubItem);
    return TRUE;
}

int CXListCtrl::GetCellCheck(int nItem, int nSubItem) const
{
    const CXListCell* cell = CellRecord(nItem, nSubItem);
    return cell ? cell->nCheckState : -1;
}

int CXListCtrl::CountCheckedCells(int nSubItem) const
{
    if (nSubItem < 0 || nSubItem >= GetColumnCount()) return 0;
    int checked = 0;
    for (int row = GetItemCount() - 1; row >= 0; --row) {
        const CXListCell* cell = CellRecord(row, nSubItem);
        if (cell && cell->nCheckState == 1) ++checked;
    }
    return checked;
}

int CXListCtrl::GetHeaderCheck(int nSubItem) const
{
    if (nSubItem < 0 || nSubItem >= GetColumnCount()) return -1;
    HDITEMA item{};
    item.mask = HDI_IMAGE;
    if (!Header_GetItem(GetHeaderCtrl(), nSubItem, &item)) return -1;
    return item.iImage;
}

BOOL CXListCtrl::SetHeaderCheck(int nSubItem, int nState)
{
    if (nSubItem < 0 || nSubItem >= GetColumnCount()) return FALSE;
    HDITEMA item{};
    item.mask = HDI_IMAGE;
    item.iImage = nState;
    return Header_SetItem(GetHeaderCtrl(), nSubItem, &item) ? TRUE : FALSE;
}

// A column with a header check box shows it checked exactly while every row is.
void CXListCtrl::UpdateHeaderCheck(int column)
{
    const int header = GetHeaderCheck(column);
    if (header <= 0) return;
    SetHeaderCheck(column, CountCheckedCells(column) == GetItemCount() ? 2 : 1);
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

// Callers pass a cell of a row with records; a cell that has none is left alone
// rather than written through a wild pointer.
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

BOOL CXListCtrl::SetCellTip(int nItem, int nSubItem, LPCTSTR lpszTip)
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

int CXListCtrl::ClearAllTips()
{
    const int rows = GetItemCount();
    const int columns = GetColumnCount();
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
            if (CXListCell* cell = CellRecord(row, column)) cell->strTipText.Empty();
    return rows;
}

BOOL CXListCtrl::SetCellBold(int nItem, int nSubItem, BOOL bBold)
{
    CXListCell* cell = CellRecord(nItem, nSubItem);
    if (!cell) return FALSE;
    cell->bBoldText = bBold;
    RedrawCell(nItem, nSubItem);
    return TRUE;
}

BOOL CXListCtrl::GetCellBold(int nItem, int nSubItem) const
{
    const CXListCell* cell = CellRecord(nItem, nSubItem);
    return cell ? cell->bBoldText : FALSE;
}

BOOL CXListCtrl::EnableRow(int nItem, BOOL bEnable)
{
    CXListCell* records = RowRecords(nItem);
    if (!records) return FALSE;
    records[0].bRowEnabled = bEnable;
    CRect row;
    if (GetItemRect(nItem, &row, LVIR_BOUNDS)) {
        InvalidateRect(&row, TRUE);
        UpdateWindow();
    }
    return TRUE;
}

BOOL CXListCtrl::IsRowEnabled(int nItem) const
{
    const CXListCell* records = RowRecords(nItem);
    return records ? records[0].bRowEnabled : FALSE;
}

BOOL CXListCtrl::SetCellProgress(int nItem, int nSubItem, BOOL bShowText, LPCTSTR lpszFormat)
{
    CXListCell* cell = CellRecord(nItem, nSubItem);
    if (!cell) return FALSE;
    cell->bProgressBar = TRUE;
    cell->nPercent = 0;
    cell->bPercentText = bShowText;
    cell->strPercentFormat = lpszFormat ? lpszFormat : "";
    RedrawCell(nItem, nSubItem);
    return TRUE;
}

void CXListCtrl::UpdateCellProgress(int nItem, int nSubItem, int nPercent)
{
    CXListCell* cell = CellRecord(nItem, nSubItem);
    if (!cell) return;
    cell->nPercent = nPercent;
    RedrawCell(nItem, nSubItem);
}

void CXListCtrl::RemoveCellProgress(int nItem, int nSubItem)
{
    CXListCell* cell = CellRecord(nItem, nSubItem);
    if (!cell) return;
    cell->bProgressBar = FALSE;
    cell->nPercent = 0;
    RedrawCell(nItem, nSubItem);
}

DWORD CXListCtrl::GetRowData(int nItem) const
{
    const CXListCell* records = RowRecords(nItem);
    return records ? records[0].dwUserData : 0;
}

BOOL CXListCtrl::SetRowData(int nItem, DWORD dwData)
{
    CXListCell* records = RowRecords(nItem);
    if (!records) return FALSE;
    records[0].dwUserData = dwData;
    return TRUE;
}

// ---- selection and geometry ------------------------------------------------------------

void CXListCtrl::SetCurSel(int nItem)
{
    SetItemState(nItem, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

// Nothing is shown while redraw is off or the window is hidden: switching redraw on, or
// showing the window, repaints all of it, so the cell is neither invalidated nor painted.
void CXListCtrl::RedrawCell(int nItem, int nSubItem)
{
    if (m_bRedrawOff || !::IsWindowVisible(m_hWnd)) return;
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
