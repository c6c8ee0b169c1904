// CCheckListBox: an owner-drawn list box with a check box at each item's left.
//
// The template's list box must be owner-drawn fixed with strings (LBS_OWNERDRAWFIXED |
// LBS_HASSTRINGS). Each item's check state is kept in its item data, so checks move
// with their items when others are inserted or deleted; the item data is not free for
// other uses. A click inside an item's box first selects the item as any click does
// (the selection change and LBN_SELCHANGE come first), then toggles it and sends
// CLBN_CHKCHANGE to the parent; the space bar toggles the selected item the same way.
// SetCheck from code sends nothing.
#pragma once

#include "platform/ListBox.h"

// WM_COMMAND notification code: a check box of the list was toggled by the user.
constexpr UINT CLBN_CHKCHANGE = 40;

// Item height that fits a check box and a line of text in font (null: the system font).
int CheckListItemHeight(HFONT font);

class CCheckListBox : public CListBox {
public:
    const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }
    static const MessageMap* StaticMessageMap();

    // check: 0 unchecked, 1 checked, 2 indeterminate (drawn as such, toggled to checked).
    // -1 (LB_ERR) for an index outside the list.
    int SetCheck(int index, int check) const;
    int GetCheck(int index) const;

    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT item) override;
    void MeasureItem(LPMEASUREITEMSTRUCT item) override;

    // The check box's rectangle inside an item's rectangle.
    static CRect CheckBoxRect(const RECT& itemRect);

private:
    void OnButtonDown(UINT flags, CPoint point);
    void OnButtonUp(UINT flags, CPoint point);
    LRESULT OnKeyDown(WPARAM key, LPARAM flags);
    LRESULT OnChar(WPARAM ch, LPARAM flags);
    int BoxHitTest(CPoint point) const;
    void ToggleByUser(int index);

    int m_pressedBox = -1;  // item whose box the left button went down in
};
