// CButtonST: the flat image button beside the query builder's grids ("+", "-", up, down):
// an icon and the button's title, no border at rest, a raised border under the mouse
// and a sunken one while pressed, painted off-screen so it never flickers.
#pragma once

#include <windows.h>

#include "platform/Button.h"
#include "platform/GdiDC.h"
#include "platform/ToolTipCtrl.h"

// Attach to a dialog's button with SubclassDlgItem (which makes it owner-drawn), then
// give it its icon with SetIcons. The button owns its icons and destroys them with itself.
class CButtonST : public CButton {
public:
    CButtonST() noexcept;
    ~CButtonST() override;

    const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }
    static const MessageMap* StaticMessageMap();

    // Icon resource nIdHot, at its own size scaled to the button's DPI (32 pixels become 48
    // at 144 dots per inch), from the module's resource handle; nIdRest
    // (0: the same icon) for the rest state. Repaints the button at once. Icons given by
    // an earlier call are destroyed; an id that does not load leaves that state without
    // an icon.
    void SetIcons(UINT nIdHot, UINT nIdRest);

    // Whether the pointer is being tracked over the button (the raised border shows).
    BOOL IsMouseOver() const noexcept { return m_bMouseOver; }
    // Width and height of the icons in pixels, 0 before SetIcons.
    int GetIconWidth() const noexcept { return m_nIconWidth; }
    int GetIconHeight() const noexcept { return m_nIconHeight; }

    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawItem(LPDRAWITEMSTRUCT item) override;

private:
    struct PaintState {
        bool pressed;
        bool disabled;
        bool hot;
        int dpi;
    };

    LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
    void OnMouseMove(UINT flags, CPoint point);

    void DrawBorder(const CDC& dc, const CRect& rc, const PaintState& state) const;
    void DrawIconImage(const CDC& dc, const CRect& item, bool hasTitle, CRect& caption, const PaintState& state) const;
    void DrawTitle(const CDC& dc, const CString& title, CRect caption, const PaintState& state) const;
    void DestroyIcons() noexcept;

    // Layout and behaviour; the query builder uses these values as they are set here.
    int m_nIconAlign = 0;        // 0: icon left of the title; 1: icon above it
    BOOL m_bIndentTitle = TRUE;  // title 12 pixels into its area instead of centred
    BOOL m_bShowTitle = TRUE;
    BOOL m_bHoverBorder = TRUE;  // raised border when hot, sunken when pressed
    BOOL m_bFlat = TRUE;
    BOOL m_bMouseOver = FALSE;
    // A focus rectangle when focused (and the keyboard cues are shown): the flat button has
    // no other sign of the keyboard.
    BOOL m_bFlatFocus = TRUE;
    HCURSOR m_hHoverCursor = nullptr;
    CToolTipCtrl m_wndToolTip;

    HICON m_hIconHot = nullptr;   // drawn while hot or pressed
    HICON m_hIconRest = nullptr;  // drawn otherwise; may be the same handle as m_hIconHot
    BYTE m_nIconHeight = 0;
    BYTE m_nIconWidth = 0;

    BOOL m_bDefaultButton = FALSE;  // had BS_DEFPUSHBUTTON when attached

    COLORREF m_clrRestBack;
    COLORREF m_clrRestText;
    COLORREF m_clrHotBack;
    COLORREF m_clrHotText;
};
