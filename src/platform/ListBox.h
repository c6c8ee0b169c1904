// CListBox: list boxes, including owner-drawn ones that draw and measure their items.
//
// Virtual functions CListBox adds after CWnd's (Wnd.h):
//   8. void DrawItem(LPDRAWITEMSTRUCT)
//   9. void MeasureItem(LPMEASUREITEMSTRUCT)
#pragma once

#include "platform/Wnd.h"

class CListBox : public CWnd {
public:
    const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }
    static const MessageMap* StaticMessageMap();

    int AddString(const char* text) const noexcept { return Index(SendMessage(LB_ADDSTRING, 0, Text(text))); }
    int InsertString(int index, const char* text) const noexcept
    {
        return Index(SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(index), Text(text)));
    }
    // Answers the number of items left, or LB_ERR for an index outside the list.
    int DeleteString(UINT index) const noexcept { return Index(SendMessage(LB_DELETESTRING, index)); }
    void ResetContent() const noexcept { SendMessage(LB_RESETCONTENT); }
    int GetCount() const noexcept { return Index(SendMessage(LB_GETCOUNT)); }
    int GetTextLen(int index) const noexcept { return Index(SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index))); }
    // Item text; empty for an index outside the list.
    void GetText(int index, CString& text) const;
    CString GetText(int index) const
    {
        CString text;
        GetText(index, text);
        return text;
    }
    int GetCurSel() const noexcept { return Index(SendMessage(LB_GETCURSEL)); }
    // -1 clears the selection. Sends no LBN_SELCHANGE, as the platform does not.
    int SetCurSel(int index) const noexcept { return Index(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index))); }
    // Case-insensitive whole-text search after startAfter (-1: from the top), wrapping.
    int FindStringExact(int startAfter, const char* text) const noexcept
    {
        return Index(SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter), Text(text)));
    }
    // Case-insensitive prefix search after startAfter, wrapping.
    int FindString(int startAfter, const char* text) const noexcept
    {
        return Index(SendMessage(LB_FINDSTRING, static_cast<WPARAM>(startAfter), Text(text)));
    }
    // The item nearest to a client point; outside is TRUE when the point lies outside
    // every item (below the last one, or outside the client area).
    UINT ItemFromPoint(CPoint point, BOOL& outside) const noexcept
    {
        LRESULT packed = SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
        outside = HIWORD(packed) != 0 ? TRUE : FALSE;
        return LOWORD(packed);
    }
    int GetItemRect(int index, LPRECT rect) const noexcept
    {
        return Index(SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
    }
    int GetItemHeight(int index) const noexcept
    {
        return Index(SendMessage(LB_GETITEMHEIGHT, static_cast<WPARAM>(index)));
    }
    int SetItemHeight(int index, UINT height) const noexcept
    {
        return Index(SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(index), MAKELPARAM(height, 0)));
    }
    int GetTopIndex() const noexcept { return Index(SendMessage(LB_GETTOPINDEX)); }
    int SetTopIndex(int index) const noexcept { return Index(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(index))); }
    DWORD_PTR GetItemData(int index) const noexcept
    {
        return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(index)));
    }
    int SetItemData(int index, DWORD_PTR data) const noexcept
    {
        return Index(SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)));
    }

    // An owner-drawn list box draws and measures its items here: the parent's
    // WM_DRAWITEM and WM_MEASUREITEM are reflected to it. The bases do nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT item);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT item);

protected:
    static int Index(LRESULT result) noexcept { return static_cast<int>(result); }
    static LPARAM Text(const char* text) noexcept { return reinterpret_cast<LPARAM>(text ? text : ""); }

private:
    void HandleDrawItem(DRAWITEMSTRUCT* item) { DrawItem(item); }
    void HandleMeasureItem(MEASUREITEMSTRUCT* item) { MeasureItem(item); }
};
