// CComboBox: combo boxes, including drop-down lists.
#pragma once

#include "platform/Wnd.h"

class CComboBox : public CWnd {
public:
    int AddString(const char* text) const noexcept { return Index(SendMessage(CB_ADDSTRING, 0, Text(text))); }
    int InsertString(int index, const char* text) const noexcept
    {
        return Index(SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(index), Text(text)));
    }
    int DeleteString(UINT index) const noexcept { return Index(SendMessage(CB_DELETESTRING, index)); }
    void ResetContent() const noexcept { SendMessage(CB_RESETCONTENT); }
    int GetCount() const noexcept { return Index(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const noexcept { return Index(SendMessage(CB_GETCURSEL)); }
    // -1 clears the selection.
    int SetCurSel(int index) const noexcept { return Index(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index))); }
    int GetLBTextLen(int index) const noexcept { return Index(SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index))); }
    // Item text; empty for an index outside the list.
    void GetLBText(int index, CString& text) const;
    CString GetLBText(int index) const
    {
        CString text;
        GetLBText(index, text);
        return text;
    }
    // Case-insensitive whole-text search after startAfter (-1: from the top), wrapping.
    int FindStringExact(int startAfter, const char* text) const noexcept
    {
        return Index(SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter), Text(text)));
    }
    int SelectString(int startAfter, const char* text) const noexcept
    {
        return Index(SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(startAfter), Text(text)));
    }
    DWORD_PTR GetItemData(int index) const noexcept
    {
        return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(index)));
    }
    int SetItemData(int index, DWORD_PTR data) const noexcept
    {
        return Index(SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)));
    }
    BOOL GetDroppedState() const noexcept { return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE)); }
    void ShowDropDown(BOOL show = TRUE) const noexcept { SendMessage(CB_SHOWDROPDOWN, show); }
    int GetDroppedWidth() const noexcept { return Index(SendMessage(CB_GETDROPPEDWIDTH)); }
    int SetDroppedWidth(UINT width) const noexcept { return Index(SendMessage(CB_SETDROPPEDWIDTH, width)); }

private:
    static int Index(LRESULT result) noexcept { return static_cast<int>(result); }
    static LPARAM Text(const char* text) noexcept { return reinterpret_cast<LPARAM>(text ? text : ""); }
};
