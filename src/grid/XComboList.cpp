// CXComboList: the drop-down list's children, layout, key and mouse reports, and the
// selection that follows the mouse.
#include "grid/XComboList.h"

#include <algorithm>

#include "grid/RegisteredMessages.h"

namespace {

const DWORD kListStyle = WS_CHILD | WS_VISIBLE | LBS_NOINTEGRALHEIGHT;
const DWORD kScrollBarStyle = WS_CHILD | WS_VISIBLE | SBS_VERT;

}  // namespace

CXComboList::CXComboList(CWnd* pParent) : m_pNotify(pParent) {}

CXComboList::~CXComboList()
{
    if (IsWindow()) DestroyWindow();
}

const MessageMap* CXComboList::StaticMessageMap()
{
    static const MessageEntry entries[] = {
        msgmap::Message<&CXComboList::OnCreate>(WM_CREATE),
        msgmap::Simple<&CXComboList::OnDestroy>(WM_DESTROY),
        msgmap::Simple<&CXComboList::OnSetFocus>(WM_SETFOCUS),
        msgmap::Message<&CXComboList::OnKillFocus>(WM_KILLFOCUS),
        msgmap::Mouse<&CXComboList::OnLButtonDown>(WM_LBUTTONDOWN),
        msgmap::Message<&CXComboList::OnVScroll>(WM_VSCROLL),
        msgmap::Message<&CXComboList::OnActivate>(WM_ACTIVATE),
        msgmap::Message<&CXComboList::OnTakeKeyboardBack>(kTakeKeyboardBack),
    };
    static const MessageMap map(&CWnd::StaticMessageMap, entries);
    return &map;
}

CScrollBar* CXComboList::GetScrollBarCtrl(int) { return &m_sbVert; }

void CXComboList::Notify(UINT message) const
{
    if (m_pNotify) m_pNotify->SendMessage(message, 0, 0);
}

LRESULT CXComboList::OnCreate(WPARAM, LPARAM)
{
    if (Default() == -1) return -1;
    const CRect none(0, 0, 0, 0);
    m_lstChoices.CreateEx(0, "LISTBOX", "", kListStyle, none, m_hWnd, 0);
    m_sbVert.CreateEx(0, "SCROLLBAR", "", kScrollBarStyle, none, m_hWnd, 0);
    // A popup's parent is its owner: the top-level window of the grid it was created for,
    // whose font the grid shares. The grid gives its own font afterwards all the same.
    if (HFONT font = GetParent().GetFont()) {
        m_lstChoices.SetFont(font, FALSE);
        m_sbVert.SetFont(font, FALSE);
    }
    return 0;
}

void CXComboList::OnDestroy()
{
    if (m_lstChoices.IsWindow()) m_lstChoices.DestroyWindow();
    Default();
}

// The popup hands the keyboard on to its list box whenever it gets it itself (when it is
// activated, by the system or by a click on its margin).
void CXComboList::OnSetFocus()
{
    Default();
    if (m_lstChoices.IsWindow()) m_lstChoices.SetFocus();
}

// Passing the keyboard on to the list box is no loss; the keyboard leaving the list is.
LRESULT CXComboList::OnKillFocus(WPARAM wParam, LPARAM)
{
    Default();
    const HWND next = reinterpret_cast<HWND>(wParam);
    if (next && (next == m_lstChoices.GetSafeHwnd() || ::IsChild(m_hWnd, next))) return 0;
    if (++m_nFocusLosses > 2) Notify(g_wmXComboListVkEscape);
    return 0;
}

// Another window became active. The user went elsewhere when it belongs to something else,
// or when a press activated it, except a press on the grid itself, which the grid answers
// (it closes the list or opens another one). Without a press, the desktop handed the
// activation back to the dialog on its own (under X a window manager does so after a
// window closed): the list takes the keyboard back once that is done, but only once, so
// it never fights anything for the keyboard.
LRESULT CXComboList::OnActivate(WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = Default();
    if (LOWORD(wParam) != WA_INACTIVE || !m_pNotify) return result;
    const HWND next = reinterpret_cast<HWND>(lParam);
    const HWND owner = ::GetAncestor(m_pNotify->GetSafeHwnd(), GA_ROOT);
    const int button = ::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    if (next && next == owner && ::GetKeyState(button) >= 0 && !m_bKeyboardTakenBack) {
        m_bKeyboardTakenBack = TRUE;
        PostMessage(kTakeKeyboardBack);
        return result;
    }
    POINT cursor{};
    const bool pressOnGrid = next == owner && ::GetCursorPos(&cursor) && ::WindowFromPoint(cursor) == m_pNotify->GetSafeHwnd();
    if (!pressOnGrid) Notify(g_wmXComboListVkEscape);
    return result;
}

LRESULT CXComboList::OnTakeKeyboardBack(WPARAM, LPARAM)
{
    if (m_lstChoices.IsWindow() && ::GetActiveWindow() != m_hWnd) m_lstChoices.SetFocus();
    return 0;
}

// Only the one-pixel margin around the list box reaches the popup itself.
void CXComboList::OnLButtonDown(UINT, CPoint)
{
    Notify(g_wmXComboListLButtonUp);
    Default();
}

void CXComboList::Activate(int nScrollBarWidth)
{
    if (!m_lstChoices.IsWindow()) return;
    m_lstChoices.SetFocus();
    if (!m_bNeedLayout) return;
    m_bNeedLayout = FALSE;

    const int rowHeight = std::max(1, m_lstChoices.GetItemHeight(0));
    CRect window;
    GetWindowRect(&window);
    CRect list;
    GetClientRect(&list);
    list.top += 1;
    list.bottom = (window.Height() / rowHeight) * rowHeight + list.top;
    list.left += 1;
    list.right -= nScrollBarWidth;
    const int visibleRows = list.Height() / rowHeight;

    // Whole rows, the border and a pixel of margin above and below.
    window.bottom = window.top + list.Height() + 4;
    MoveWindow(&window);
    m_lstChoices.MoveWindow(&list);
    m_lstChoices.SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_sbVert.MoveWindow(list.right, list.top, nScrollBarWidth, list.Height());

    const int count = m_lstChoices.GetCount();
    const int selection = std::max(0, m_lstChoices.GetCurSel());
    SCROLLINFO info{};
    info.fMask = SIF_ALL;
    info.nMin = 0;
    info.nMax = count < 0 ? 1 : count;
    info.nPage = static_cast<UINT>(std::max(0, visibleRows));
    info.nPos = selection;
    // The selection one row below the top, so the row above it shows as well.
    m_lstChoices.SetTopIndex(selection > 0 ? selection - 1 : 0);
    m_sbVert.SetScrollInfo(&info, TRUE);
    m_sbVert.SetScrollPos(info.nPos, TRUE);
}

void CXComboList::SetFont(HFONT font, BOOL bRedraw)
{
    if (m_lstChoices.IsWindow()) m_lstChoices.SetFont(font, bRedraw);
}

void CXComboList::SetFont(const CFont* pFont, BOOL bRedraw)
{
    if (pFont) SetFont(pFont->GetSafeHandle(), bRedraw);
}

int CXComboList::AddString(const char* lpszItem)
{
    return m_lstChoices.IsWindow() ? m_lstChoices.AddString(lpszItem) : LB_ERR;
}

int CXComboList::GetCount() const { return m_lstChoices.IsWindow() ? m_lstChoices.GetCount() : 0; }

void CXComboList::GetText(int nIndex, CString& rString) const
{
    if (m_lstChoices.IsWindow()) {
        m_lstChoices.GetText(nIndex, rString);
    } else {
        rString.Empty();
    }
}

int CXComboList::FindStringExact(int nStartAfter, const char* lpszFind) const
{
    return m_lstChoices.IsWindow() ? m_lstChoices.FindStringExact(nStartAfter, lpszFind) : LB_ERR;
}

int CXComboList::SetCurSel(int nSelect)
{
    return m_lstChoices.IsWindow() ? m_lstChoices.SetCurSel(nSelect) : LB_ERR;
}

int CXComboList::GetCurSel() const { return m_lstChoices.IsWindow() ? m_lstChoices.GetCurSel() : LB_ERR; }

void CXComboList::MoveScrollBar(int position, const SCROLLINFO& info)
{
    m_sbVert.SetScrollPos(std::clamp(position, 0, std::max(0, info.nMax)), TRUE);
}

// The grid reads the list's selection right after each report, once the list box has
// handled the key itself; the scroll bar is moved here because the list box has none.
BOOL CXComboList::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        SCROLLINFO info{};
        m_sbVert.GetScrollInfo(&info, SIF_ALL);
        const int page = static_cast<int>(info.nPage);
        const int current = m_lstChoices.IsWindow() ? std::max(0, m_lstChoices.GetCurSel()) : 0;
        bool moved = true;
        int position = 0;
        switch (pMsg->wParam) {
        case VK_RETURN:
            Notify(g_wmXComboListVkReturn);
            moved = false;
            break;
        case VK_ESCAPE:
            Notify(g_wmXComboListVkEscape);
            moved = false;
            break;
        case VK_PRIOR: position = current - (page - 1); break;
        case VK_NEXT: position = current + page - 1; break;
        case VK_END: position = info.nMax; break;
        case VK_HOME: position = 0; break;
        case VK_UP: position = current - 1; break;
        case VK_DOWN: position = current + 1; break;
        default:
            if (pMsg->wParam >= 'A' && pMsg->wParam <= 'Z' && m_lstChoices.IsWindow()) {
                const char letter[2] = {static_cast<char>(pMsg->wParam), '\0'};
                position = m_lstChoices.FindString(current, letter);
                moved = position != LB_ERR;
            } else {
                moved = false;
            }
            break;
        }
        if (moved) {
            Notify(g_wmXComboListKeyDown);
            MoveScrollBar(position, info);
        }
    } else if (pMsg->message == WM_LBUTTONUP) {
        Notify(g_wmXComboListLButtonUp);
    } else if (pMsg->message == WM_MOUSEMOVE) {
        FollowMouse();
    }
    return CWnd::PreTranslateMessage(pMsg);
}

LRESULT CXComboList::OnVScroll(WPARAM wParam, LPARAM lParam)
{
    if (!m_lstChoices.IsWindow()) return 0;
    m_lstChoices.SendMessage(WM_VSCROLL, wParam, lParam);
    SCROLLINFO info{};
    m_sbVert.GetScrollInfo(&info, SIF_ALL);
    int position = info.nPos;
    switch (LOWORD(wParam)) {
    case SB_LINEUP: position -= 1; break;
    case SB_LINEDOWN: position += 1; break;
    case SB_PAGEUP: position -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: position += static_cast<int>(info.nPage); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: position = static_cast<int>(HIWORD(wParam)); break;
    case SB_TOP: position = 0; break;
    case SB_BOTTOM: position = info.nMax; break;
    case SB_ENDSCROLL: return 0;
    default: break;
    }
    MoveScrollBar(position, info);
    return 0;
}

// The selection follows the mouse over the rows without a click, at every move the list
// sees.
void CXComboList::FollowMouse()
{
    if (!m_lstChoices.IsWindow()) return;
    CPoint cursor;
    if (!::GetCursorPos(&cursor)) return;
    m_lstChoices.ScreenToClient(&cursor);
    BOOL outside = TRUE;
    const int index = static_cast<int>(m_lstChoices.ItemFromPoint(cursor, outside));
    if (outside || index == m_lstChoices.GetCurSel() || index < 0 || index >= m_lstChoices.GetCount()) return;
    m_lstChoices.SetCurSel(index);
}
