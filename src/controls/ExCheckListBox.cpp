// CExCheckListBox: one tool per item, whose tip text is the item's text.
#include "controls/ExCheckListBox.h"

#include <vector>

const MessageMap* CExCheckListBox::StaticMessageMap()
{
    static const MessageEntry entries[] = {
        msgmap::NotifyRange<&CExCheckListBox::OnToolTipText>(TTN_NEEDTEXTA, 0, 0xFFFF),
        msgmap::NotifyRange<&CExCheckListBox::OnToolTipText>(TTN_NEEDTEXTW, 0, 0xFFFF),
    };
    static const MessageMap map(&CCheckListBox::StaticMessageMap, entries);
    return &map;
}

void CExCheckListBox::PreSubclassWindow()
{
    CCheckListBox::PreSubclassWindow();
    EnableToolTips(TRUE);
}

// The list box answers the nearest item even below the last one; the tip control shows
// a tip only while the pointer is inside the tool's rectangle, so that needs no check.
// An empty list answers an index that names no item: no tool then.
INT_PTR CExCheckListBox::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    BOOL outside = FALSE;
    const int index = static_cast<int>(ItemFromPoint(point, outside));
    if (index < 0 || index >= GetCount() || !pTI) return -1;
    pTI->hwnd = GetSafeHwnd();
    pTI->uId = static_cast<UINT_PTR>(index);
    GetItemRect(index, &pTI->rect);
    pTI->lpszText = LPSTR_TEXTCALLBACKA;
    return index;
}

// Both forms of the request carry an 80-character buffer. The wide form gets the same
// 79 characters as the narrow one: a longer text would not convert at all.
BOOL CExCheckListBox::OnToolTipText(UINT id, NMHDR* pNMHDR, LRESULT* pResult)
{
    if (pResult) *pResult = 0;
    if (!pNMHDR) return TRUE;
    const CString text = GetText(static_cast<int>(id));
    if (pNMHDR->code == TTN_NEEDTEXTA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
        ::lstrcpynA(info->szText, text, kMaxTipChars + 1);
    } else if (pNMHDR->code == TTN_NEEDTEXTW && !text.IsEmpty()) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
        const int needed = ::MultiByteToWideChar(CP_ACP, 0, text, text.GetLength(), nullptr, 0);
        std::vector<wchar_t> wide(static_cast<std::size_t>(needed > 0 ? needed : 0) + 1, L'\0');
        if (needed > 0) ::MultiByteToWideChar(CP_ACP, 0, text, text.GetLength(), wide.data(), needed);
        ::lstrcpynW(info->szText, wide.data(), kMaxTipChars + 1);
    }
    return TRUE;
}
