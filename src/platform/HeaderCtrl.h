// CHeaderCtrl: the header of a report-view list control.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/Wnd.h"

class CHeaderCtrl : public CWnd {
public:
    int GetItemCount() const noexcept { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }
    // item->mask says which fields to read.
    BOOL GetItem(int index, HDITEMA* item) const noexcept
    {
        return static_cast<BOOL>(SendMessage(HDM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
    }
    BOOL SetItem(int index, HDITEMA* item) const noexcept
    {
        return static_cast<BOOL>(SendMessage(HDM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
    }
    BOOL GetItemRect(int index, LPRECT rect) const noexcept
    {
        return static_cast<BOOL>(SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
    }
    // The index of the item shown at display position order.
    int OrderToIndex(int order) const noexcept { return static_cast<int>(SendMessage(HDM_ORDERTOINDEX, static_cast<WPARAM>(order))); }
    HIMAGELIST GetImageList() const noexcept { return reinterpret_cast<HIMAGELIST>(SendMessage(HDM_GETIMAGELIST)); }
    BOOL GetOrderArray(int* order, int count) const noexcept
    {
        return static_cast<BOOL>(SendMessage(HDM_GETORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order)));
    }
    BOOL SetOrderArray(int count, int* order) const noexcept
    {
        return static_cast<BOOL>(SendMessage(HDM_SETORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order)));
    }
};
