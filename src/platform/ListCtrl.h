// CListCtrl: the report-view list control (SysListView32) and its items and columns.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/Wnd.h"

class CListCtrl : public CWnd {
public:
    // Columns
    int InsertColumn(int column, const char* heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1) const;
    int InsertColumn(int column, const LVCOLUMNA* info) const noexcept
    {
        return Index(SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(info)));
    }
    BOOL DeleteColumn(int column) const noexcept { return Bool(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(column))); }
    int GetColumnWidth(int column) const noexcept { return Index(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column))); }
    BOOL SetColumnWidth(int column, int width) const noexcept
    {
        return Bool(SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0)));
    }
    BOOL SetColumnOrderArray(int count, int* order) const noexcept
    {
        return Bool(SendMessage(LVM_SETCOLUMNORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order)));
    }
    BOOL GetColumnOrderArray(int* order, int count) const noexcept
    {
        return Bool(SendMessage(LVM_GETCOLUMNORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order)));
    }
    // The list view's own header window.
    HWND GetHeaderCtrl() const noexcept { return reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER)); }

    // Items. Insertion answers the new index, or -1.
    int InsertItem(int item, const char* text) const;
    int InsertItem(const LVITEMA* item) const noexcept
    {
        return Index(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(item)));
    }
    BOOL SetItem(const LVITEMA* item) const noexcept { return Bool(SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(item))); }
    BOOL GetItem(LVITEMA* item) const noexcept { return Bool(SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(item))); }
    BOOL SetItemText(int item, int subItem, const char* text) const;
    // The text of a cell, however long; empty for a cell that does not exist.
    CString GetItemText(int item, int subItem) const;
    BOOL DeleteItem(int item) const noexcept { return Bool(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(item))); }
    BOOL DeleteAllItems() const noexcept { return Bool(SendMessage(LVM_DELETEALLITEMS)); }
    int GetItemCount() const noexcept { return Index(SendMessage(LVM_GETITEMCOUNT)); }
    UINT GetItemState(int item, UINT mask) const noexcept
    {
        return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(item), mask));
    }
    BOOL SetItemState(int item, UINT state, UINT mask) const;
    DWORD_PTR GetItemData(int item) const;
    BOOL SetItemData(int item, DWORD_PTR data) const;

    // Selection and navigation
    int GetNextItem(int start, UINT flags) const noexcept
    {
        return Index(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0)));
    }
    int GetFirstSelectedItem() const noexcept { return GetNextItem(-1, LVNI_SELECTED); }
    int GetTopIndex() const noexcept { return Index(SendMessage(LVM_GETTOPINDEX)); }
    int GetCountPerPage() const noexcept { return Index(SendMessage(LVM_GETCOUNTPERPAGE)); }
    BOOL EnsureVisible(int item, BOOL partialOK) const noexcept
    {
        return Bool(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), partialOK));
    }

    // Geometry and hit testing
    // area: LVIR_BOUNDS, LVIR_ICON, LVIR_LABEL or LVIR_SELECTBOUNDS.
    BOOL GetItemRect(int item, LPRECT rect, UINT area) const noexcept
    {
        rect->left = static_cast<LONG>(area);
        return Bool(SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(rect)));
    }
    BOOL GetSubItemRect(int item, int subItem, int area, CRect& rect) const noexcept
    {
        rect.top = subItem;
        rect.left = area;
        return Bool(SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rect)));
    }
    int SubItemHitTest(LVHITTESTINFO* info) const noexcept
    {
        return Index(SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(info)));
    }
    int HitTest(LVHITTESTINFO* info) const noexcept { return Index(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(info))); }

    // Styles, images, colours, editing
    DWORD SetExtendedStyle(DWORD style) const noexcept
    {
        return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)));
    }
    DWORD GetExtendedStyle() const noexcept { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
    // type: LVSIL_NORMAL, LVSIL_SMALL or LVSIL_STATE.
    HIMAGELIST GetImageList(int type) const noexcept
    {
        return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, static_cast<WPARAM>(type)));
    }
    COLORREF GetBkColor() const noexcept { return static_cast<COLORREF>(SendMessage(LVM_GETBKCOLOR)); }
    COLORREF GetTextColor() const noexcept { return static_cast<COLORREF>(SendMessage(LVM_GETTEXTCOLOR)); }
    COLORREF GetTextBkColor() const noexcept { return static_cast<COLORREF>(SendMessage(LVM_GETTEXTBKCOLOR)); }
    // Starts in-place editing of the item's label (needs LVS_EDITLABELS and the focus);
    // answers the edit control, or null.
    HWND EditLabel(int item) const noexcept
    {
        return reinterpret_cast<HWND>(SendMessage(LVM_EDITLABELA, static_cast<WPARAM>(item)));
    }
    BOOL RedrawItems(int first, int last) const noexcept
    {
        return Bool(SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(first), last));
    }
    BOOL Update(int item) const noexcept { return Bool(SendMessage(LVM_UPDATE, static_cast<WPARAM>(item))); }

private:
    static int Index(LRESULT result) noexcept { return static_cast<int>(result); }
    static BOOL Bool(LRESULT result) noexcept { return result != 0 ? TRUE : FALSE; }
};
