// CComboBoxFlexW: widening the drop-down list to its widest item when it is painted.
#include "controls/ComboBoxFlexW.h"

#include "platform/GdiDC.h"

const MessageMap* CComboBoxFlexW::StaticMessageMap()
{
    static const MessageEntry entries[] = {
        msgmap::CtlColor<&CComboBoxFlexW::OnCtlColor>(),
    };
    static const MessageMap map(&CComboBox::StaticMessageMap, entries);
    return &map;
}

// Only the list's own request counts: the combo forwards it from its drop-down list
// with the list's handle, whereas the combo's face asks the dialog, not the combo.
HBRUSH CComboBoxFlexW::OnCtlColor(HDC, HWND wnd, UINT ctlColor)
{
    if (ctlColor == CTLCOLOR_LISTBOX && wnd && ::IsWindow(wnd)) {
        if (m_nMaxItemWidth == 0) CalcMaxItemWidth(wnd);
        CRect list;
        ::GetWindowRect(wnd, &list);
        if (m_nMaxItemWidth > list.Width()) {
            // The list is a popup, so its screen rectangle is its position.
            ::SetWindowPos(wnd, nullptr, list.left, list.top, m_nMaxItemWidth, list.Height(), SWP_NOZORDER);
        }
    }
    return reinterpret_cast<HBRUSH>(Default());
}

// The list's DC is measured as it comes, with the system font in it rather than the
// list's: that font runs wider than the dialog's, hence 7/8 of each extent.
void CComboBoxFlexW::CalcMaxItemWidth(HWND hwndList)
{
    const int count = GetCount();
    if (count < 1) return;
    CClientDC dc(hwndList);
    if (!dc.GetSafeHdc()) return;
    for (int i = 0; i < count; ++i) {
        const CString text = GetLBText(i);
        SIZE extent{};
        if (!::GetTextExtentPoint32A(dc, text, text.GetLength(), &extent)) continue;
        const int width = static_cast<int>(extent.cx) * 7 / 8;
        if (width > m_nMaxItemWidth) m_nMaxItemWidth = width;
    }
}
