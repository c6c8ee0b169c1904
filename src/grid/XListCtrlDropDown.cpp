// CXListCtrl: what a user does to the cells — clicks on check boxes and drop-down
// buttons, the drop-down list's life (opening, following keys, accepting, cancelling),
// the keyboard's way to the same, header check boxes and cell tips.
#include <new>
#include <vector>

#include "grid/XComboList.h"
#include "grid/XListCtrl.h"
#include "grid/RegisteredMessages.h"
#include "platform/WinApp.h"

namespace {

const UINT kPollMs = 100;
const UINT kDeferMs = 50;
// Width of the list's own scroll bar.
const int kListScrollBarWidth = 11;
const int kMaxTipChars = 79;

// One flag for every grid of the process: releasing a button repaints, and painting
// may come back here before the first release has finished.
bool g_releasingComboButton = false;

}  // namespace

// ---- clicks -----------------------------------------------------------------------------

int CXListCtrl::RowAtPoint(CPoint point) const
{
    const int count = GetItemCount();
    const int top = GetTopIndex();
    const int last = top + GetCountPerPage() + 1;
    for (int row = top < 0 ? 0 : top; row < count && row <= last; ++row) {
        CRect bounds;
        if (GetItemRect(row, &bounds, LVIR_BOUNDS) && bounds.PtInRect(point)) return row;
    }
    return -1;
}

int CXListCtrl::ColumnAtPoint(int row, CPoint point) const
{
    const int columns = GetColumnCount();
    for (int column = 0; column < columns; ++column) {
        CRect cell;
        if (GetSubItemRect(row, column, LVIR_BOUNDS, cell) && cell.PtInRect(point)) return column;
    }
    return -1;
}

// The first click of a double-click only: the second arrives as WM_LBUTTONDBLCLK, which
// the list view handles alone.
void CXListCtrl::OnLButtonDown(UINT, CPoint point)
{
    const int row = RowAtPoint(point);
    const int column = row >= 0 ? ColumnAtPoint(row, point) : -1;
    if (row >= 0) {
        const CXListCell* records = RowRecords(row);
        // A disabled row, or one without records, neither selects nor takes the focus.
        if (!records || !records[0].bRowEnabled) return;
    }
    const CXListCell* cell = column >= 0 ? CellRecord(row, column) : nullptr;
    if (cell && cell->nCheckState >= 0) {
        ToggleCheck(row, column);
    } else if (cell && cell->bHasCombo) {
        DestroyDropList();
        PressComboButton(row, column);
    } else if (m_pDropList) {
        CancelDropList();
    }
    Default();
}

// What a click on a check box does, and Space on the focused row.
void CXListCtrl::ToggleCheck(int row, int column)
{
    CXListCell* cell = CellRecord(row, column);
    if (!cell) return;
    cell->nCheckState = cell->nCheckState == 0 ? 1 : 0;
    RedrawCell(row, column);
    NotifyParent(g_wmXListCtrlCheckboxClicked, row, column);
    UpdateHeaderCheck(column);
}

// The list opens while the pressed button is painted on a selected row; on a row that is
// not selected yet the click only selects it. Some list views repaint the row they select
// before the button is released, so the press remembers whether its row was selected
// already, and only such a press opens the list.
void CXListCtrl::PressComboButton(int row, int column)
{
    CXListCell* cell = CellRecord(row, column);
    if (!cell) return;
    m_bPressOpensList = (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    cell->bComboPressed = TRUE;
    m_bComboButtonDown = TRUE;
    m_nDropRow = row;
    m_nDropColumn = column;
    m_nCurrentCell = column;
    RedrawCell(row, column);
    SetTimer(kTimerPoll, kPollMs);
}

void CXListCtrl::ReleaseComboButton()
{
    if (g_releasingComboButton) return;
    g_releasingComboButton = true;
    if (m_bComboButtonDown) {
        if (CXListCell* cell = CellRecord(m_nDropRow, m_nDropColumn)) {
            cell->bComboPressed = FALSE;
            RedrawCell(m_nDropRow, m_nDropColumn);
        }
    }
    m_bComboButtonDown = FALSE;
    g_releasingComboButton = false;
}

// The parent still receives NM_CLICK.
BOOL CXListCtrl::OnClick(NMHDR*, LRESULT* pResult)
{
    ReleaseComboButton();
    *pResult = 0;
    return FALSE;
}

// ---- the drop-down list ------------------------------------------------------------------

// Called by the painting of a pressed button; cell is the painted rectangle (one pixel in
// from the cell's left, two from its right, one below it) and text the cell's text,
// which an empty cell takes from the list's first entry.
void CXListCtrl::OpenDropList(CDC& dc, int row, int column, const CRect& cell, CString& text)
{
    const CXListCell* record = CellRecord(row, column);
    if (!record) return;
    m_pDropList = new (std::nothrow) CXComboList(this);
    if (!m_pDropList) return;
    m_nDropRow = row;
    m_nDropColumn = column;

    CRect list = cell;
    list.right -= 1;
    list.top = cell.top + cell.Height() - 1;
    list.bottom = list.top + (cell.Height() - 2) * record->nComboRows;
    ClientToScreen(&list);
    m_rcComboList = list;

    const CString className =
        AfxRegisterWndClass(CS_SAVEBITS | CS_CLASSDC, ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
    if (!m_pDropList->CreateEx(0, className, "", WS_POPUP | WS_VISIBLE | WS_BORDER, m_rcComboList, m_hWnd, 0)) return;
    m_strTextBeforeDrop.Empty();

    if (!m_bFontCreated) {
        LOGFONTA font{};
        if (dc.GetCurrentFont() && dc.GetCurrentLogFont(font) && m_fontList.CreateFontIndirect(font))
            m_bFontCreated = TRUE;
    }
    if (m_bFontCreated) m_pDropList->SetFont(m_fontList, FALSE);

    if (const CStringArray* choices = record->pComboStrings) {
        for (INT_PTR i = 0; i < choices->GetSize(); ++i)
            if (!choices->GetAt(i).IsEmpty()) m_pDropList->AddString(choices->GetAt(i));
    }
    int selection = 0;
    if (text.IsEmpty() && m_pDropList->GetCount() > 0) {
        m_pDropList->GetText(0, text);
        SetItemText(row, column, text);
    }
    if (!text.IsEmpty()) {
        selection = m_pDropList->FindStringExact(-1, text);
        if (selection < 0) selection = 0;
    }
    m_pDropList->SetCurSel(selection);
    m_pDropList->GetText(selection, m_strTextBeforeDrop);
    m_pDropList->Activate(kListScrollBarWidth);
}

void CXListCtrl::DestroyDropList()
{
    CXComboList* list = m_pDropList;
    if (!list) return;
    m_pDropList = nullptr;
    const HWND focus = ::GetFocus();
    const bool hadFocus = list->GetSafeHwnd() && (focus == list->GetSafeHwnd() || ::IsChild(list->GetSafeHwnd(), focus));
    if (list->IsWindow()) list->DestroyWindow();
    delete list;
    // The keyboard goes back to where the list took it from.
    if (hadFocus && IsWindow() && IsWindowVisible()) SetFocus();
}

void CXListCtrl::CancelDropList()
{
    KillTimer(kTimerPoll);
    SetTimer(kTimerEscape, kDeferMs);
    if (IsValidCell(m_nDropRow, m_nDropColumn)) {
        SetItemText(m_nDropRow, m_nDropColumn, m_strTextBeforeDrop);
        RedrawCell(m_nDropRow, m_nDropColumn);
    }
}

LRESULT CXListCtrl::OnComboEscape(WPARAM, LPARAM)
{
    CancelDropList();
    return 0;
}

// Enter, or the mouse released over the list.
LRESULT CXListCtrl::OnComboReturn(WPARAM, LPARAM)
{
    KillTimer(kTimerPoll);
    SetTimer(kTimerAccept, kDeferMs);
    return 0;
}

LRESULT CXListCtrl::OnComboKeyDown(WPARAM, LPARAM)
{
    SetTimer(kTimerFollow, kDeferMs);
    return 0;
}

// The list's selection into the cell; with notify the parent hears of the choice.
void CXListCtrl::TakeListSelection(bool notify)
{
    if (!m_pDropList || !m_pDropList->GetSafeHwnd()) return;
    const int selection = m_pDropList->GetCurSel();
    if (selection < 0) return;
    CString text;
    m_pDropList->GetText(selection, text);
    if (!IsValidCell(m_nDropRow, m_nDropColumn)) return;
    SetItemText(m_nDropRow, m_nDropColumn, text);
    RedrawCell(m_nDropRow, m_nDropColumn);
    if (notify) NotifyParent(g_wmXListCtrlComboSelection, m_nDropRow, m_nDropColumn);
}

void CXListCtrl::OnTimer(UINT_PTR id)
{
    switch (id) {
    case kTimerPoll: {
        if (m_bComboButtonDown) {
            CPoint cursor;
            ::GetCursorPos(&cursor);
            ScreenToClient(&cursor);
            if (!m_rcComboButton.PtInRect(cursor)) ReleaseComboButton();
        } else if (m_pDropList) {
            m_pDropList->Activate(kListScrollBarWidth);
        } else {
            KillTimer(kTimerPoll);
        }
        break;
    }
    case kTimerEscape:
        KillTimer(kTimerEscape);
        DestroyDropList();
        break;
    case kTimerAccept:
        KillTimer(kTimerAccept);
        TakeListSelection(true);
        DestroyDropList();
        break;
    case kTimerFollow:
        KillTimer(kTimerFollow);
        TakeListSelection(false);
        break;
    default:
        Default();
        break;
    }
}

// ---- the keyboard ------------------------------------------------------------------------

int CXListCtrl::FocusedRow() const
{
    return GetNextItem(-1, LVNI_FOCUSED);
}

// The current cell if it still offers a list, else the first drop-down cell shown.
int CXListCtrl::CurrentComboCell(int row) const
{
    const CXListCell* records = RowRecords(row);
    if (!records || !records[0].bRowEnabled) return -1;
    if (HasCellCombo(row, m_nCurrentCell)) return m_nCurrentCell;
    const int columns = GetColumnCount();
    if (columns <= 0) return -1;
    std::vector<int> order(static_cast<std::size_t>(columns));
    if (!GetColumnOrderArray(order.data(), columns)) return -1;
    for (int column : order)
        if (HasCellCombo(row, column)) return column;
    return -1;
}

// Left and right step through the row's drop-down cells in the order they are shown.
bool CXListCtrl::MoveCurrentCell(int direction)
{
    const int row = FocusedRow();
    const int current = CurrentComboCell(row);
    if (current < 0) return false;
    const int columns = GetColumnCount();
    std::vector<int> order(static_cast<std::size_t>(columns));
    if (!GetColumnOrderArray(order.data(), columns)) return false;
    int position = 0;
    while (position < columns && order[static_cast<std::size_t>(position)] != current) ++position;
    for (int p = position + direction; p >= 0 && p < columns; p += direction) {
        const int column = order[static_cast<std::size_t>(p)];
        if (!HasCellCombo(row, column)) continue;
        m_nCurrentCell = column;
        RedrawCell(row, current);
        RedrawCell(row, column);
        return true;
    }
    m_nCurrentCell = current;
    return true;
}

// As a click on the button of a selected row would: the pressed button opens the list,
// and the button comes up again at once since no mouse button holds it.
bool CXListCtrl::OpenCurrentCell()
{
    const int row = FocusedRow();
    const int column = CurrentComboCell(row);
    if (column < 0) return false;
    if (!(GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED)) SetCurSel(row);
    DestroyDropList();
    PressComboButton(row, column);
    ReleaseComboButton();
    return true;
}

// The focused row's first check box, or -1 (none, or the row is disabled).
int CXListCtrl::FocusedCheckCell() const
{
    const int row = FocusedRow();
    const CXListCell* records = RowRecords(row);
    if (!records || !records[0].bRowEnabled) return -1;
    for (int column = 0, columns = GetColumnCount(); column < columns; ++column) {
        const CXListCell* cell = CellRecord(row, column);
        if (cell && cell->nCheckState >= 0) return column;
    }
    return -1;
}

// The value editor wants every key, Tab included, and a dialog that drops Enter and
// Escape would leave a keyboard user no way out of it: Tab moves on to the next control
// as it does from any other, and the editor, losing the focus, keeps the typed text.
BOOL CXListCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB && pMsg->hwnd != m_hWnd &&
        ::GetParent(pMsg->hwnd) == m_hWnd) {
        HWND dialog = ::GetParent(m_hWnd);
        const BOOL backwards = ::GetKeyState(VK_SHIFT) < 0;
        if (HWND next = dialog ? ::GetNextDlgTabItem(dialog, m_hWnd, backwards) : nullptr) {
            ::SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
            return TRUE;
        }
    }
    return CListCtrl::PreTranslateMessage(pMsg);
}

LRESULT CXListCtrl::OnKeyDown(WPARAM wParam, LPARAM)
{
    switch (wParam) {
    case VK_SPACE:
        if (FocusedCheckCell() >= 0) {
            ToggleCheck(FocusedRow(), FocusedCheckCell());
            return 0;
        }
        break;
    case VK_LEFT:
    case VK_RIGHT:
        if (MoveCurrentCell(wParam == VK_LEFT ? -1 : +1)) return 0;
        break;
    case VK_F4:
        if (OpenCurrentCell()) return 0;
        break;
    default:
        break;
    }
    return Default();
}

LRESULT CXListCtrl::OnSysKeyDown(WPARAM wParam, LPARAM)
{
    if (wParam == VK_DOWN && OpenCurrentCell()) return 0;
    return Default();
}

// Space toggled a check box: the list view must not also search for a row by it.
LRESULT CXListCtrl::OnChar(WPARAM wParam, LPARAM)
{
    if (wParam == ' ' && FocusedCheckCell() >= 0) return 0;
    return Default();
}

// The current cell is only marked while the grid has the keyboard.
void CXListCtrl::OnFocusChange()
{
    Default();
    const int row = FocusedRow();
    const int column = CurrentComboCell(row);
    if (column >= 0) RedrawCell(row, column);
}

// ---- header check boxes ------------------------------------------------------------------

// A click on a column whose header has a check box checks or clears the whole column.
BOOL CXListCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const int column = reinterpret_cast<const NMLISTVIEW*>(pNMHDR)->iSubItem;
    const int header = GetHeaderCheck(column);
    if (header == 0 || header == -1) return FALSE;
    SetHeaderCheck(column, header == 1 ? 2 : 1);
    ::UpdateWindow(GetHeaderCtrl());
    const int state = header == 1 ? 1 : 0;
    for (int row = 0, rows = GetItemCount(); row < rows; ++row) {
        CXListCell* cell = CellRecord(row, column);
        if (!cell || cell->nCheckState == -1) continue;
        cell->nCheckState = state;
        RedrawCell(row, column);
    }
    return FALSE;
}

// ---- tips --------------------------------------------------------------------------------

INT_PTR CXListCtrl::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    LVHITTESTINFO hit{};
    hit.pt = point;
    SubItemHitTest(&hit);
    if (!(hit.flags & LVHT_ONITEMLABEL) || hit.iItem < 0 || !pTI) return -1;
    const INT_PTR id = static_cast<INT_PTR>(hit.iItem) * 1000 + hit.iSubItem + 1;
    pTI->hwnd = m_hWnd;
    pTI->uId = static_cast<UINT_PTR>(id);
    GetClientRect(&pTI->rect);
    pTI->lpszText = LPSTR_TEXTCALLBACKA;
    return id;
}

// Handled here whatever the answer, so the list view's own tips never see our requests.
BOOL CXListCtrl::OnToolTipNeedText(UINT id, NMHDR* pNMHDR, LRESULT* pResult)
{
    OnToolTipText(id, pNMHDR, pResult);
    return TRUE;
}

// The cell under the pointer now, not the one the tool was made for: the tool covers the
// whole client area, so moving between cells of one tool id would show a stale text.
BOOL CXListCtrl::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    if (!pNMHDR || pNMHDR->idFrom == 0) return TRUE;
    *pResult = 0;
    const DWORD position = ::GetMessagePos();
    CPoint point(static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position)));
    ScreenToClient(&point);
    LVHITTESTINFO hit{};
    hit.pt = point;
    SubItemHitTest(&hit);
    if (!(hit.flags & LVHT_ONITEMLABEL)) return FALSE;
    const CString tip = GetCellTip(hit.iItem, hit.iSubItem);
    if (tip.IsEmpty()) return FALSE;
    if (pNMHDR->code == TTN_NEEDTEXTA) {
        ::lstrcpynA(reinterpret_cast<NMTTDISPINFOA*>(pNMHDR)->szText, tip, kMaxTipChars + 1);
    } else if (pNMHDR->code == TTN_NEEDTEXTW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
        const CString cut = tip.Left(kMaxTipChars);
        const int written = ::MultiByteToWideChar(CP_ACP, 0, cut, cut.GetLength(), info->szText, kMaxTipChars);
        info->szText[written > 0 ? written : 0] = L'\0';
    }
    return FALSE;
}
