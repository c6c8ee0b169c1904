// CComboBoxFlexW: the table combo, whose drop-down list opens wide enough for its
// longest table name instead of being cut to the combo's width.
#pragma once

#include <windows.h>

#include "platform/ComboBox.h"

// Attach with SubclassDlgItem. The list's needed width is measured the first time the
// list is painted with items in it, and only then: names added later do not widen it.
class CComboBoxFlexW : public CComboBox {
public:
    const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }
    static const MessageMap* StaticMessageMap();

    // Width in pixels the drop-down list needs for its widest item; 0 until measured.
    int m_nMaxItemWidth = 0;

protected:
    // The drop-down list asks its combo for colours before it paints (WM_CTLCOLORLISTBOX):
    // the moment it is open and sized, so it is widened here. Answers the usual brush.
    HBRUSH OnCtlColor(HDC dc, HWND wnd, UINT ctlColor);
    // m_nMaxItemWidth from the items' text extents in the list's plain DC, 7/8 of each.
    void CalcMaxItemWidth(HWND hwndList);
};
