// CListCtrl operations that need more than one message: columns from text, item texts
// of any length, item state and data.
#include "platform/ListCtrl.h"

#include <string>

int CListCtrl::InsertColumn(int column, const char* heading, int format, int width, int subItem) const
{
    LVCOLUMNA info{};
    info.mask = LVCF_TEXT | LVCF_FMT;
    info.fmt = format;
    info.pszText = const_cast<char*>(heading ? heading : "");
    if (width >= 0) {
        info.mask |= LVCF_WIDTH;
        info.cx = width;
    }
    if (subItem >= 0) {
        info.mask |= LVCF_SUBITEM;
        info.iSubItem = subItem;
    }
    return InsertColumn(column, &info);
}

int CListCtrl::InsertItem(int item, const char* text) const
{
    LVITEMA info{};
    info.mask = LVIF_TEXT;
    info.iItem = item;
    info.pszText = const_cast<char*>(text ? text : "");
    return InsertItem(&info);
}

BOOL CListCtrl::SetItemText(int item, int subItem, const char* text) const
{
    LVITEMA info{};
    info.iSubItem = subItem;
    info.pszText = const_cast<char*>(text ? text : "");
    return Bool(SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info)));
}

// The list view copies at most the buffer's size and answers the length copied, so the
// buffer grows until the answer leaves room to spare: a value is never cut, however long.
CString CListCtrl::GetItemText(int item, int subItem) const
{
    if (item < 0 || item >= GetItemCount()) return CString();
    std::string buffer(256, '\0');
    for (;;) {
        LVITEMA info{};
        info.iSubItem = subItem;
        info.pszText = &buffer[0];
        info.cchTextMax = static_cast<int>(buffer.size());
        int copied = Index(SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info)));
        if (copied < 0) copied = 0;
        if (copied < static_cast<int>(buffer.size()) - 1) {
            return CString(info.pszText, copied);
        }
        buffer.assign(buffer.size() * 2, '\0');
    }
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask) const
{
    LVITEMA info{};
    info.state = state;
    info.stateMask = mask;
    return Bool(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info)));
}

DWORD_PTR CListCtrl::GetItemData(int item) const
{
    LVITEMA info{};
    info.mask = LVIF_PARAM;
    info.iItem = item;
    return GetItem(&info) ? static_cast<DWORD_PTR>(info.lParam) : 0;
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data) const
{
    LVITEMA info{};
    info.mask = LVIF_PARAM;
    info.iItem = item;
    info.lParam = static_cast<LPARAM>(data);
    return SetItem(&info);
}
