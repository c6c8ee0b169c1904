// CButton: push buttons, check boxes and owner-drawn buttons.
//
// Virtual function CButton adds after CWnd's (Wnd.h): 8. void DrawItem(LPDRAWITEMSTRUCT).
#pragma once

#include "platform/Wnd.h"

class CButton : public CWnd {
public:
    const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }
    static const MessageMap* StaticMessageMap();

    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    int GetCheck() const noexcept { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) const noexcept { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
    UINT GetState() const noexcept { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    // The BS_* type and alignment bits, the low byte of the window style.
    UINT GetButtonStyle() const noexcept { return GetStyle() & 0xFF; }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) const noexcept
    {
        SendMessage(BM_SETSTYLE, style, redraw);
    }

    // An owner-drawn button (BS_OWNERDRAW) paints itself here: its parent's WM_DRAWITEM
    // is reflected to it. The base draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT item);

private:
    void HandleDrawItem(DRAWITEMSTRUCT* item) { DrawItem(item); }
};
