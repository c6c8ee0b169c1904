// CXListCtrl: what a user does to the cells — clicks on check boxes and drop-down
// buttons, the drop-down list's life (opening, following keys, accepting, cancelling),
// the keyboard's way to the same, header check boxes and cell tips.
//
// The list opens from the click or key that asks for it, once the list view has finished
// with that click (it takes the focus as the button goes down and again as it comes up),
// and then keeps the keyboard until the user chooses, cancels or goes elsewhere: nothing
// polls it or takes the focus back. Work that must wait for the message being handled is
// posted to the grid itself (kWmDeferred), so it runs right after it.
#include <new>
#include <vector>

#include "grid/XComboList.h"
#include "grid/XListCtrl.h"
#include "grid/RegisteredMessages.h"
#include "platform/Dpi.h"
#include "platform/WinApp.h"

namespace {

// Width of the list's own scroll bar at 96 dots per inch.
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

// The first click of a double-click only: the second arrives as WM_LBUTTONDBLCLK.
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

// The second click on a cell whose list the first one opened closes it again, as a
// combo box's does; the list view then reports the double click to the parent.
void CXListCtrl::OnLButtonDblClk(UINT, CPoint)
{
    if (m_pDropList) CancelDropList();
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

// A press on a row that is not selected yet only selects it; on a selected row (however it
// came to be selected) the click opens the list. The question is settled now, before the
// list view selects the row.
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

// The list view reports the click once the button is up. A click that asked for the list
// and ended on the cell it began on opens it, after the list view's own handling of the
// click; the parent still receives NM_CLICK.
BOOL CXListCtrl::OnClick(NMHDR*, LRESULT* pResult)
{
    const bool pressed = m_bComboButtonDown != FALSE;
    ReleaseComboButton();
    if (pressed && m_bPressOpensList) {
        const DWORD position = ::GetMessagePos();
        CPoint point(static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position)));
        ScreenToClient(&point);
        const int row = RowAtPoint(point);
        if (row == m_nDropRow && ColumnAtPoint(row, point) == m_nDropColumn) PostDeferred(kOpenList);
    }
    m_bPressOpensList = false;
    *pResult = 0;
    return FALSE;
}

// A press whose release the list view never reported (dragged away, released elsewhere)
// lets the button up at the next move without the button held.
void CXListCtrl::OnMouseMove(UINT flags, CPoint)
{
    if (m_bComboButtonDown && !(flags & MK_LBUTTON)) {
        ReleaseComboButton();
        m_bPressOpensList = false;
    }
    Default();
}

// The list view selects the row that the pointer rests on (the tracking style) and takes
// the keyboard with it. While a list is open it is the list's turn; otherwise the row may
// follow the pointer, but the keyboard stays where the user put it.
LRESULT CXListCtrl::OnMouseHover(WPARAM, LPARAM)
{
    if (m_pDropList) return 0;
    const HWND focus = ::GetFocus();
    const LRESULT result = Default();
    if (focus && focus != m_hWnd && ::GetFocus() == m_hWnd && ::IsWindow(focus)) ::SetFocus(focus);
    return result;
}

HWND CXListCtrl::EditLabel(int nItem)
{
    m_bEditRequested = true;
    const HWND editor = CListCtrl::EditLabel(nItem);
    m_bEditRequested = false;
    return editor;
}

// A non-zero answer refuses the edit; a requested one goes on to the parent as usual.
BOOL CXListCtrl::OnBeginLabelEdit(NMHDR*, LRESULT* pResult)
{
    if (m_bEditRequested) return FALSE;
    *pResult = TRUE;
    return TRUE;
}

// ---- the drop-down list ------------------------------------------------------------------

void CXListCtrl::PostDeferred(WPARAM action)
{
    PostMessage(kWmDeferred, action, m_nListSerial);
}

LRESULT CXListCtrl::OnDeferred(WPARAM action, LPARAM list)
{
    if (action == kOpenList) {
        // Still the click's cell, on a selected row, and nothing opened meanwhile.
        if (!m_pDropList && HasCellCombo(m_nDropRow, m_nDropColumn) &&
            (GetItemState(m_nDropRow, LVIS_SELECTED) & LVIS_SELECTED))
            OpenDropList(m_nDropRow, m_nDropColumn);
        return 0;
    }
    if (list != m_nListSerial || !m_pDropList) return 0;
    switch (action) {
    case kAcceptList:
        TakeListSelection(true);
        DestroyDropList();
        break;
    case kCloseList:
        DestroyDropList();
        break;
    case kFollowList:
        TakeListSelection(false);
        break;
    default:
        break;
    }
    return 0;
}

// Hangs below the cell's frame as the painting draws it (one pixel in from the cell's left,
// two from its right, one below it). An empty cell takes its initial choice first, and if
// that is not in the list either, the list's first entry.
void CXListCtrl::OpenDropList(int row, int column)
{
    const CXListCell* record = CellRecord(row, column);
    CRect cell;
    if (!record || m_pDropList || !GetSubItemRect(row, column, LVIR_BOUNDS, cell)) return;
    cell.bottom += 1;
    cell.left += 1;
    cell.right -= 2;
    CString text = GetItemText(row, column);
    const CStringArray* choices = record->pComboStrings;
    if (text.IsEmpty() && choices && record->nComboInitSel >= 0 && choices->GetSize() > record->nComboInitSel) {
        text = choices->GetAt(record->nComboInitSel);
        SetItemText(row, column, text);
    }

    m_pDropList = new (std::nothrow) CXComboList(this);
    if (!m_pDropList) return;
    ++m_nListSerial;
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
        HFONT current = GetFont();
        if (current && ::GetObjectA(current, sizeof font, &font) && m_fontList.CreateFontIndirect(font))
            m_bFontCreated = TRUE;
    }
    if (m_bFontCreated) m_pDropList->SetFont(m_fontList, FALSE);

    if (choices) {
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
    m_pDropList->Activate(ScaleToDpi(kListScrollBarWidth, WindowDpi(m_hWnd)));
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
    PostDeferred(kCloseList);
    if (IsValidCell(m_nDropRow, m_nDropColumn)) {
        SetItemText(m_nDropRow, m_nDropColumn, m_strTextBeforeDrop);
        RedrawCell(m_nDropRow, m_nDropColumn);
    }
}

LRESULT CXListCtrl::OnComboEscape(WPARAM, LPARAM)
{
    if (m_pDropList) CancelDropList();
    return 0;
}

// Enter, or the mouse released over the list: the choice is read once the list box has
// handled the release.
LRESULT CXListCtrl::OnComboReturn(WPARAM, LPARAM)
{
    PostDeferred(kAcceptList);
    return 0;
}

// A navigation key: the cell shows the list's new selection once the list box has moved it.
LRESULT CXListCtrl::OnComboKeyDown(WPARAM, LPARAM)
{
    PostDeferred(kFollowList);
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

// ---- the keyboard ------------------------------------------------------------------------

int CXListCtrl::FocusedRow() const
{
    const int focused = GetNextItem(-1, LVNI_FOCUSED);
    return focused >= 0 || GetItemCount() == 0 ? focused : 0;
}

bool CXListCtrl::ShowsFocus() const
{
    return !(SendMessage(WM_QUERYUISTATE) & UISF_HIDEFOCUS);
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

// As a click on the button of a selected row does, at once: no list view click follows.
bool CXListCtrl::OpenCurrentCell()
{
    const int row = FocusedRow();
    const int column = CurrentComboCell(row);
    if (column < 0) return false;
    if (!(GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED)) SetCurSel(row);
    DestroyDropList();
    m_nCurrentCell = column;
    OpenDropList(row, column);
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

// The current row and cell are only marked while the grid has the keyboard.
void CXListCtrl::OnFocusChange()
{
    Default();
    InvalidateCurrentRow();
}

// The keyboard cues were shown or hidden (the user pressed a key in the dialog).
LRESULT CXListCtrl::OnUpdateUiState(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    if (::GetFocus() == m_hWnd) InvalidateCurrentRow();
    return result;
}

void CXListCtrl::InvalidateCurrentRow()
{
    if (m_bRedrawOff) return;
    const int row = FocusedRow();
    CRect bounds;
    if (row < 0)
        Invalidate();  // an empty grid frames its text
    else if (GetItemRect(row, &bounds, LVIR_BOUNDS))
        InvalidateRect(&bounds, TRUE);
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
