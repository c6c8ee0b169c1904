// CCheckListBox: check-box painting, item height, and toggling by mouse and space bar.
#include "platform/CheckListBox.h"

#include "platform/Dpi.h"
#include "platform/GdiSelect.h"

namespace {

// The platform's check box is 13 pixels square at 96 dots per inch.
int CheckBoxSide()
{
    static const int side = ScaleToDpi(13, WindowDpi(nullptr));
    return side;
}

constexpr int kBoxMargin = 2;  // between the item's left edge and the box, and box and text

}  // namespace

int CheckListItemHeight(HFONT font)
{
    TEXTMETRICA metrics{};
    HDC screen = ::GetDC(nullptr);
    if (screen) {
        CSelectGuard select(screen, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(SYSTEM_FONT));
        ::GetTextMetricsA(screen, &metrics);
        select.Restore();
        ::ReleaseDC(nullptr, screen);
    }
    int text = static_cast<int>(metrics.tmHeight);
    int box = CheckBoxSide();
    return (text > box ? text : box) + 2;
}

CRect CCheckListBox::CheckBoxRect(const RECT& itemRect)
{
    int height = itemRect.bottom - itemRect.top;
    int side = CheckBoxSide();
    if (side > height - 2) side = height - 2;
    if (side < 0) side = 0;
    int top = itemRect.top + (height - side) / 2;
    int left = itemRect.left + kBoxMargin;
    return CRect(left, top, left + side, top + side);
}

const MessageMap* CCheckListBox::StaticMessageMap()
{
    static const MessageEntry entries[] = {
        msgmap::Mouse<&CCheckListBox::OnButtonDown>(WM_LBUTTONDOWN),
        msgmap::Mouse<&CCheckListBox::OnButtonDown>(WM_LBUTTONDBLCLK),
        msgmap::Mouse<&CCheckListBox::OnButtonUp>(WM_LBUTTONUP),
        msgmap::Message<&CCheckListBox::OnKeyDown>(WM_KEYDOWN),
        msgmap::Message<&CCheckListBox::OnChar>(WM_CHAR),
    };
    static const MessageMap map(&CListBox::StaticMessageMap, entries);
    return &map;
}

int CCheckListBox::SetCheck(int index, int check) const
{
    if (index < 0 || index >= GetCount()) return LB_ERR;
    if (check < 0) check = 0;
    if (check > 2) check = 2;
    if (SetItemData(index, static_cast<DWORD_PTR>(check)) == LB_ERR) return LB_ERR;
    // A hidden list is painted whole when it is shown.
    CRect item;
    if (::IsWindowVisible(m_hWnd) && GetItemRect(index, &item) != LB_ERR) InvalidateRect(&item, FALSE);
    return 0;
}

int CCheckListBox::GetCheck(int index) const
{
    if (index < 0 || index >= GetCount()) return LB_ERR;
    return static_cast<int>(GetItemData(index));
}

void CCheckListBox::PreSubclassWindow()
{
    // The height asked for while the dialog was created may predate the control's font.
    if (GetStyle() & LBS_OWNERDRAWFIXED) SetItemHeight(0, static_cast<UINT>(CheckListItemHeight(GetFont())));
    CListBox::PreSubclassWindow();
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT item)
{
    item->itemHeight = static_cast<UINT>(CheckListItemHeight(GetFont()));
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT item)
{
    HDC dc = item->hDC;
    const RECT& bounds = item->rcItem;
    if (item->itemID == static_cast<UINT>(-1)) {
        // An empty list with the focus still shows where the focus is.
        if (item->itemState & ODS_FOCUS) ::DrawFocusRect(dc, &bounds);
        return;
    }
    int index = static_cast<int>(item->itemID);
    bool selected = (item->itemState & ODS_SELECTED) != 0;
    bool disabled = (item->itemState & ODS_DISABLED) != 0 || !IsWindowEnabled();

    CRect box = CheckBoxRect(bounds);
    CRect text(box.right + kBoxMargin, bounds.top, bounds.right, bounds.bottom);
    CRect margin(bounds.left, bounds.top, text.left, bounds.bottom);
    ::FillRect(dc, &margin, ::GetSysColorBrush(COLOR_WINDOW));
    ::FillRect(dc, &text, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    int check = GetCheck(index);
    UINT state = DFCS_BUTTONCHECK;
    if (check == 1) state |= DFCS_CHECKED;
    if (check == 2) state = DFCS_BUTTON3STATE | DFCS_CHECKED;
    if (disabled) state |= DFCS_INACTIVE;
    ::DrawFrameControl(dc, &box, DFC_BUTTON, state);

    CString label = GetText(index);
    CSavedDCState saved(dc);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    CRect textArea(text.left + 2, text.top, text.right, text.bottom);
    ::DrawTextA(dc, label, label.GetLength(), &textArea, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    saved.Restore();

    if (item->itemState & ODS_FOCUS) ::DrawFocusRect(dc, &text);
}

// The item whose check box lies under a client point, or -1.
int CCheckListBox::BoxHitTest(CPoint point) const
{
    BOOL outside = FALSE;
    int index = static_cast<int>(ItemFromPoint(point, outside));
    if (outside || index < 0 || index >= GetCount()) return -1;
    CRect bounds;
    if (GetItemRect(index, &bounds) == LB_ERR || !bounds.PtInRect(point)) return -1;
    CRect box = CheckBoxRect(bounds);
    return point.x < box.right + kBoxMargin ? index : -1;
}

// The list box selects on the press and reports LBN_SELCHANGE when the button is released,
// so the toggle waits for the release: the parent sees the selection before the check.
void CCheckListBox::OnButtonDown(UINT, CPoint point)
{
    int box = BoxHitTest(point);
    Default();
    m_pressedBox = box;
}

void CCheckListBox::OnButtonUp(UINT, CPoint point)
{
    int pressed = m_pressedBox;
    m_pressedBox = -1;
    Default();
    if (pressed >= 0 && BoxHitTest(point) == pressed) ToggleByUser(pressed);
}

LRESULT CCheckListBox::OnKeyDown(WPARAM key, LPARAM flags)
{
    LRESULT result = Default();
    bool repeated = (flags & (1L << 30)) != 0;
    if (key == VK_SPACE && !repeated) {
        int selected = GetCurSel();
        if (selected >= 0) ToggleByUser(selected);
    }
    return result;
}

// The space bar toggles; as a character it would make the list search for an item
// starting with a blank and move the selection.
LRESULT CCheckListBox::OnChar(WPARAM ch, LPARAM)
{
    return ch == ' ' ? 0 : Default();
}

void CCheckListBox::ToggleByUser(int index)
{
    SetCheck(index, GetCheck(index) == 1 ? 0 : 1);
    CWindow parent = GetParent();
    if (parent.GetSafeHwnd()) {
        parent.SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE), reinterpret_cast<LPARAM>(m_hWnd));
    }
}
