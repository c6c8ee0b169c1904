// CExCheckListBox: the column check list, with one tool tip per item showing the item's
// full text, so names wider than the list can be read.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/CheckListBox.h"

// Bind with DDX_Control (or SubclassDlgItem); tool tips switch on when it is attached.
class CExCheckListBox : public CCheckListBox {
public:
    const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }
    static const MessageMap* StaticMessageMap();

    void PreSubclassWindow() override;
    // The item under point is the tool: id = its index, rect = its rectangle, text asked
    // for through TTN_NEEDTEXT. -1 where there is no item.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    // Longest text a tip request can carry: the notification's buffer holds 80 characters.
    static constexpr int kMaxTipChars = 79;

protected:
    // TTN_NEEDTEXTA / TTN_NEEDTEXTW for tool ids 0-65535: the text of item id, cut to
    // kMaxTipChars. Always handled (TRUE), result 0.
    BOOL OnToolTipText(UINT id, NMHDR* pNMHDR, LRESULT* pResult);
};
