// CButtonST: attaching, icons, hover tracking, double clicks and off-screen drawing.
#include "controls/ButtonST.h"

#include "platform/Dpi.h"
#include "platform/MemDC.h"
#include "platform/GdiObjects.h"
#include "platform/WinApp.h"

namespace {

// At 96 dots per inch, scaled to the button's.
constexpr int kIconMargin = 3;    // between the button's left edge and a titled icon, and icon and title
constexpr int kTitleIndent = 12;  // the title's start inside its area when indented
constexpr int kFocusInset = 1;    // between the button's edge and its focus rectangle

// The icon at its own size scaled to the DPI: the resource's image of that size when it
// has one, else the nearest one scaled by the system.
HICON LoadIconResource(UINT id, int dpi)
{
    if (id == 0) return nullptr;
    HINSTANCE module = AfxGetResourceHandle();
    auto icon = static_cast<HICON>(::LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, 0, 0, 0));
    ICONINFO info{};
    if (!icon || dpi == kDesignDpi || !::GetIconInfo(icon, &info)) return icon;
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    const int size = ScaleToDpi(static_cast<int>(info.xHotspot * 2), dpi);
    auto scaled = static_cast<HICON>(::LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
    if (!scaled) return icon;
    ::DestroyIcon(icon);
    return scaled;
}

}  // namespace

CButtonST::CButtonST() noexcept
    : m_clrRestBack(::GetSysColor(COLOR_BTNFACE)),
      m_clrRestText(::GetSysColor(COLOR_BTNTEXT)),
      m_clrHotBack(::GetSysColor(COLOR_BTNFACE)),
      m_clrHotText(::GetSysColor(COLOR_BTNTEXT))
{
}

CButtonST::~CButtonST() { DestroyIcons(); }

const MessageMap* CButtonST::StaticMessageMap()
{
    static const MessageEntry entries[] = {
        msgmap::Message<&CButtonST::OnCaptureChanged>(WM_CAPTURECHANGED),
        msgmap::Message<&CButtonST::OnSetCursor>(WM_SETCURSOR),
        msgmap::Message<&CButtonST::OnKillFocus>(WM_KILLFOCUS),
        msgmap::Mouse<&CButtonST::OnMouseMove>(WM_MOUSEMOVE),
    };
    static const MessageMap map(&CButton::StaticMessageMap, entries);
    return &map;
}

void CButtonST::DestroyIcons() noexcept
{
    if (m_hIconRest && m_hIconRest != m_hIconHot) ::DestroyIcon(m_hIconRest);
    if (m_hIconHot) ::DestroyIcon(m_hIconHot);
    m_hIconHot = nullptr;
    m_hIconRest = nullptr;
    m_nIconWidth = 0;
    m_nIconHeight = 0;
}

// The button paints itself from here on, so its owner sees WM_DRAWITEM (reflected back
// to DrawItem). A default push button stops being drawn as one, so that is remembered.
void CButtonST::PreSubclassWindow()
{
    UINT style = GetButtonStyle();
    if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) m_bDefaultButton = TRUE;
    SetButtonStyle((style & ~static_cast<UINT>(BS_TYPEMASK)) | BS_OWNERDRAW, TRUE);
    CButton::PreSubclassWindow();
}

// An icon's hotspot is its centre, so twice the hotspot is its size; GetIconInfo hands
// out copies of the icon's bitmaps, which are ours to delete. The icons take the size the
// button's DPI asks for, as the dialog's fonts do.
void CButtonST::SetIcons(UINT nIdHot, UINT nIdRest)
{
    DestroyIcons();
    const int dpi = WindowDpi(m_hWnd);
    m_hIconHot = LoadIconResource(nIdHot, dpi);
    m_hIconRest = nIdRest == 0 ? m_hIconHot : LoadIconResource(nIdRest, dpi);
    ICONINFO info{};
    if (m_hIconHot && ::GetIconInfo(m_hIconHot, &info)) {
        m_nIconWidth = static_cast<BYTE>(info.xHotspot * 2);
        m_nIconHeight = static_cast<BYTE>(info.yHotspot * 2);
        if (info.hbmMask) ::DeleteObject(info.hbmMask);
        if (info.hbmColor) ::DeleteObject(info.hbmColor);
    }
    if (m_hWnd) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// The tip control exists for the button's life but holds no tool: it is kept
// deactivated and only fed the button's messages.
BOOL CButtonST::PreTranslateMessage(MSG* pMsg)
{
    if (!m_wndToolTip.GetSafeHwnd() && m_wndToolTip.Create(this, 0)) m_wndToolTip.Activate(FALSE);
    m_wndToolTip.RelayEvent(pMsg);
    return CButton::PreTranslateMessage(pMsg);
}

// The button class turns a second click in quick succession into a double click, which
// a push button does not count as a click; as a press it gives a second BN_CLICKED.
LRESULT CButtonST::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDBLCLK) message = WM_LBUTTONDOWN;
    return CButton::DefWindowProc(message, wParam, lParam);
}

// The button lights on the first move over it and holds the mouse capture while lit, so
// it also sees the move that takes the pointer off it and can go dark again.
void CButtonST::OnMouseMove(UINT flags, CPoint point)
{
    Default();
    const bool leftDown = (flags & MK_LBUTTON) != 0;
    if (leftDown && !m_bMouseOver) return;  // a press that began elsewhere does not light it
    if (!m_bFlat) return;

    if (CWindow::GetCapture().GetSafeHwnd() != m_hWnd && CWindow::GetActiveWindow().GetSafeHwnd() &&
        GetOwner().GetSafeHwnd()) {
        m_bMouseOver = TRUE;
        SetCapture();
        Invalidate();
        return;
    }
    CPoint screen = point;
    ClientToScreen(&screen);
    if (CWindow::WindowFromPoint(screen).GetSafeHwnd() == m_hWnd) return;
    if (m_bMouseOver) {
        m_bMouseOver = FALSE;
        Invalidate();
    }
    if (!leftDown) CWindow::ReleaseCapture();
}

LRESULT CButtonST::OnKillFocus(WPARAM, LPARAM)
{
    LRESULT result = Default();
    if (m_bFlat && m_bMouseOver) {
        m_bMouseOver = FALSE;
        Invalidate();
    }
    return result;
}

// Losing the capture (to a press, a menu, another window) repaints the button but keeps
// it lit: it goes dark on the next move seen outside it or when it loses the focus.
LRESULT CButtonST::OnCaptureChanged(WPARAM, LPARAM)
{
    if (m_bMouseOver) {
        CWindow::ReleaseCapture();
        Invalidate();
    }
    return Default();
}

LRESULT CButtonST::OnSetCursor(WPARAM, LPARAM)
{
    if (m_hHoverCursor) {
        ::SetCursor(m_hHoverCursor);
        return TRUE;
    }
    return Default();
}

// Everything is composed in a bitmap and copied in one transfer, so background, border,
// icon and title never show one after the other.
void CButtonST::DrawItem(LPDRAWITEMSTRUCT item)
{
    if (!item || !item->hDC) return;
    CDC target(item->hDC);
    CMemDC dc(&target);

    PaintState state{};
    state.pressed = (item->itemState & ODS_SELECTED) != 0;
    state.disabled = (item->itemState & ODS_DISABLED) != 0;
    state.hot = m_bMouseOver || state.pressed;
    state.dpi = DpiOf(item->hDC);
    // Hidden keyboard cues (the user has not used the keyboard yet) hide the focus too.
    const bool focused = (item->itemState & ODS_FOCUS) && !(item->itemState & ODS_NOFOCUSRECT);

    const CRect rc(item->rcItem);
    dc.FillSolidRect(rc, state.hot ? m_clrHotBack : m_clrRestBack);
    DrawBorder(dc, rc, state);

    CString title = m_bShowTitle ? GetWindowText() : CString();
    CRect caption = rc;
    if (m_hIconHot) DrawIconImage(dc, rc, !title.IsEmpty(), caption, state);
    if (!title.IsEmpty()) DrawTitle(dc, title, caption, state);

    if (m_bFlatFocus && focused) {
        CRect focus = rc;
        const int inset = ScaleToDpi(kFocusInset, state.dpi);
        focus.DeflateRect(inset, inset);
        dc.SetTextColor(m_clrRestText);
        dc.SetBkColor(state.hot ? m_clrHotBack : m_clrRestBack);
        dc.DrawFocusRect(focus);
    }
}

// One-pixel lines: light above and left, dark below and right when raised; the other
// way round when sunken.
void CButtonST::DrawBorder(const CDC& dc, const CRect& rc, const PaintState& state) const
{
    if (!m_bHoverBorder) return;
    const bool sunken = state.pressed;
    const bool raised = !state.pressed && m_bMouseOver;
    if (!sunken && !raised) return;

    CPen highlight(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    CPen shadow(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    // One guard per pen: each puts the DC's own pen back before the next is selected.
    {
        CSelectGuard pen = dc.SelectObject(static_cast<HPEN>(sunken ? shadow : highlight));
        dc.MoveTo(rc.left, rc.bottom - 1);
        dc.LineTo(rc.left, rc.top);
        dc.LineTo(rc.right, rc.top);
    }
    {
        CSelectGuard pen = dc.SelectObject(static_cast<HPEN>(sunken ? highlight : shadow));
        dc.MoveTo(rc.left, rc.bottom - 1);
        dc.LineTo(rc.right - 1, rc.bottom - 1);
        dc.LineTo(rc.right - 1, rc.top - 1);
    }
}

// An icon larger than the button is centred with negative offsets and clipped by the
// button's area. Beside a title the icon keeps a small margin and the title's area
// starts after it.
void CButtonST::DrawIconImage(const CDC& dc, const CRect& item, bool hasTitle, CRect& caption,
                              const PaintState& state) const
{
    CRect image = item;
    const int width = item.Width();
    const int height = item.Height();
    if (m_nIconAlign == 0) {
        if (hasTitle) {
            const int margin = ScaleToDpi(kIconMargin, state.dpi);
            image.left += margin;
            caption.left += m_nIconWidth + margin;
        } else {
            image.left += (width - m_nIconWidth) / 2;
        }
        image.top += (height - m_nIconHeight) / 2;
    } else {
        image.left += (width - m_nIconWidth) / 2;
        if (hasTitle) {
            caption.top += m_nIconHeight;
        } else {
            image.top += (height - m_nIconHeight) / 2;
        }
    }
    if (state.pressed) image.OffsetRect(1, 1);
    HICON icon = state.hot ? m_hIconHot : m_hIconRest;
    dc.DrawState(image.TopLeft(), image.Size(), icon, state.disabled ? DSS_DISABLED : DSS_NORMAL);
}

// The title as prefix text: an ampersand underlines the character after it.
void CButtonST::DrawTitle(const CDC& dc, const CString& title, CRect caption, const PaintState& state) const
{
    CSavedDCState attributes = dc.SaveState();  // colours and mode, for a target drawn directly
    if (state.pressed) caption.OffsetRect(1, 1);
    CSelectGuard font = dc.SelectObject(GetFont());
    dc.SetTextColor(state.hot ? m_clrHotText : m_clrRestText);
    dc.SetBkColor(state.hot ? m_clrHotBack : m_clrRestBack);

    const CRect area = caption;
    dc.DrawText(title, caption, DT_CALCRECT | DT_SINGLELINE);
    const int dx = m_bIndentTitle ? ScaleToDpi(kTitleIndent, state.dpi) : (area.Width() - caption.Width()) / 2;
    caption.OffsetRect(dx, (area.Height() - caption.Height()) / 2);

    dc.SetBkMode(TRANSPARENT);
    dc.DrawState(caption.TopLeft(), caption.Size(), title.GetString(), state.disabled ? DSS_DISABLED : DSS_NORMAL,
                 true, title.GetLength());
}
