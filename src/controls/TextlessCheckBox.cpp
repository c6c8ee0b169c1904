// CTextlessCheckBox: the frame around the box, kept out of the client area, painted in the
// dialog's face colour with a focus rectangle while the box has the keyboard.
#include "controls/TextlessCheckBox.h"

#include "platform/Dpi.h"
#include "platform/GdiDC.h"

namespace {

// At 96 dots per inch: the frame's width, and how far in from the window's edge the focus
// rectangle runs.
constexpr int kFrameWidth = 3;
constexpr int kFocusInset = 1;

}  // namespace

const MessageMap* CTextlessCheckBox::StaticMessageMap()
{
    using B = CTextlessCheckBox;
    static const MessageEntry entries[] = {
        msgmap::Message<&B::OnNcCalcSize>(WM_NCCALCSIZE),
        msgmap::Simple<&B::OnNcPaint>(WM_NCPAINT),
        msgmap::Message<&B::OnFocusChange>(WM_SETFOCUS),
        msgmap::Message<&B::OnFocusChange>(WM_KILLFOCUS),
        msgmap::Message<&B::OnFocusChange>(WM_UPDATEUISTATE),
    };
    static const MessageMap map(&CButton::StaticMessageMap, entries);
    return &map;
}

// The window grows once its messages come here, so the client area (the box the check box
// draws) keeps the template's place and size.
BOOL CTextlessCheckBox::SubclassDlgItem(UINT id, CWnd* parent)
{
    if (!CWnd::SubclassDlgItem(id, parent)) return FALSE;
    m_nFrame = ScaleToDpi(kFrameWidth, WindowDpi(m_hWnd));
    CRect rect;
    GetWindowRect(&rect);
    GetParent().ScreenToClient(&rect);
    rect.InflateRect(m_nFrame, m_nFrame);
    SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

LRESULT CTextlessCheckBox::OnNcCalcSize(WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = Default();
    RECT* client = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
    ::InflateRect(client, -m_nFrame, -m_nFrame);
    return result;
}

// The frame takes the brush the dialog gives its check boxes, so it reads as the dialog's
// face; the focus rectangle shows unless the keyboard cues are hidden.
void CTextlessCheckBox::OnNcPaint()
{
    CWindowDC dc(m_hWnd);
    if (!dc.GetSafeHdc()) return;
    CRect window;
    GetWindowRect(&window);
    window.OffsetRect(-window.left, -window.top);
    CRect box = window;
    box.DeflateRect(m_nFrame, m_nFrame);
    ::ExcludeClipRect(dc.GetSafeHdc(), box.left, box.top, box.right, box.bottom);

    HWND parent = ::GetParent(m_hWnd);
    auto brush = reinterpret_cast<HBRUSH>(
        parent ? ::SendMessageA(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.GetSafeHdc()),
                                reinterpret_cast<LPARAM>(m_hWnd))
               : 0);
    dc.FillRect(window, brush ? brush : ::GetSysColorBrush(COLOR_BTNFACE));
    if (::GetFocus() == m_hWnd && !(SendMessage(WM_QUERYUISTATE) & UISF_HIDEFOCUS)) {
        CRect focus = window;
        const int inset = ScaleToDpi(kFocusInset, DpiOf(dc.GetSafeHdc()));
        focus.DeflateRect(inset, inset);
        dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
        dc.SetBkColor(::GetSysColor(COLOR_BTNFACE));
        dc.DrawFocusRect(focus);
    }
}

LRESULT CTextlessCheckBox::OnFocusChange(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    return result;
}
