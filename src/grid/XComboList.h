// CXComboList: the popup list that a drop-down cell of the grid opens below itself. It
// holds a plain list box and a scroll bar of its own, lets the selection follow the
// mouse, and tells the window it was given (the grid) about keys and clicks through the
// four registered messages of grid/RegisteredMessages.h, always with wParam 0 and
// lParam 0. It never changes a cell and never closes itself: the grid creates the window
// (CreateEx: WS_POPUP | WS_VISIBLE | WS_BORDER, the grid as parent, screen coordinates;
// the system makes the grid's top-level window the owner), fills it, calls Activate, and
// destroys and deletes it. When the user activates another window (a click elsewhere), the
// list reports Escape.
//
// Keys reach the popup through the modal loop's pre-translation (CDialog), which offers
// a message for the list box to the list box, then the popup, then its owner, the dialog;
// the popup therefore reports Enter and Escape before a dialog that drops them sees them.
//
// Virtual functions CXComboList adds after CWnd's (Wnd.h):
//   8. CScrollBar* GetScrollBarCtrl(int nBar)
#pragma once

#include <windows.h>

#include "platform/CString.h"
#include "platform/GdiObjects.h"
#include "platform/ListBox.h"
#include "platform/ScrollBar.h"
#include "platform/Wnd.h"

class CXComboList : public CWnd {
public:
    // pParent receives the four messages (none when null); it is usually the owner too.
    explicit CXComboList(CWnd* pParent);
    // Destroys a window still open while the object is whole.
    ~CXComboList() override;

    const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }
    static const MessageMap* StaticMessageMap();

    // Enter, Escape, the navigation keys and letters with a matching entry are reported
    // (the scroll bar follows), so is a mouse release; mouse moves over the list move its
    // selection. The message then goes its normal way, so the list box moves its own
    // selection for the keys.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The popup's own vertical scroll bar, whatever the bar asked for.
    virtual CScrollBar* GetScrollBarCtrl(int nBar);

    // Gives the list box the focus. The first call also lays the popup out: its height
    // is cut to whole rows of the list box, the scroll bar (nScrollBarWidth pixels wide)
    // goes to the right, and the selection is shown one row below the top. From then on
    // the selection follows the mouse over the list.
    void Activate(int nScrollBarWidth);

    // The list box's font (the popup itself draws nothing). The font stays the caller's.
    void SetFont(HFONT font, BOOL bRedraw = TRUE);
    void SetFont(const CFont* pFont, BOOL bRedraw = TRUE);

    // The list box's own operations. Without a window: LB_ERR (-1), a count of 0 and an
    // empty text.
    int AddString(const char* lpszItem);
    int GetCount() const;
    void GetText(int nIndex, CString& rString) const;
    // Case-insensitive whole-text search after nStartAfter (-1: from the top), wrapping.
    int FindStringExact(int nStartAfter, const char* lpszFind) const;
    // -1 clears the selection.
    int SetCurSel(int nSelect);
    int GetCurSel() const;

protected:
    CListBox m_lstChoices;
    CScrollBar m_sbVert;
    CWnd* m_pNotify;
    // Times the keyboard left the popup for a window outside it; from the third on each
    // one cancels.
    int m_nFocusLosses = 0;
    BOOL m_bNeedLayout = TRUE;
    // The list took the keyboard back after the desktop activated the dialog on its own.
    BOOL m_bKeyboardTakenBack = FALSE;

private:
    LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    void OnSetFocus();
    LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
    void OnLButtonDown(UINT keyFlags, CPoint point);
    LRESULT OnVScroll(WPARAM wParam, LPARAM lParam);
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    // Posted to the popup itself (its window class is its own).
    static constexpr UINT kTakeKeyboardBack = WM_USER + 1;
    LRESULT OnTakeKeyboardBack(WPARAM wParam, LPARAM lParam);
    void FollowMouse();

    void Notify(UINT message) const;
    // Sets the scroll bar's position, kept within 0 .. its maximum.
    void MoveScrollBar(int position, const SCROLLINFO& info);
};
