// Out-of-line parts of the thin control wrappers: reflected owner-draw entries, item
// texts of any length, and tool-tip creation.
#include <string>

#include "platform/Button.h"
#include "platform/ComboBox.h"
#include "platform/ListBox.h"
#include "platform/ToolTipCtrl.h"
#include "platform/WinApp.h"

const MessageMap* CButton::StaticMessageMap()
{
    static const MessageEntry entries[] = {
        msgmap::ReflectDrawItem<&CButton::HandleDrawItem>(),
    };
    static const MessageMap map(&CWnd::StaticMessageMap, entries);
    return &map;
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

const MessageMap* CListBox::StaticMessageMap()
{
    static const MessageEntry entries[] = {
        msgmap::ReflectDrawItem<&CListBox::HandleDrawItem>(),
        msgmap::ReflectMeasureItem<&CListBox::HandleMeasureItem>(),
    };
    static const MessageMap map(&CWnd::StaticMessageMap, entries);
    return &map;
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

void CListBox::GetText(int index, CString& text) const
{
    int length = GetTextLen(index);
    if (length < 0) {
        text.Empty();
        return;
    }
    std::string buffer(static_cast<std::size_t>(length) + 1, '\0');
    int copied = Index(SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&buffer[0])));
    text = CString(buffer.data(), copied > 0 ? copied : 0);
}

void CComboBox::GetLBText(int index, CString& text) const
{
    int length = GetLBTextLen(index);
    if (length < 0) {
        text.Empty();
        return;
    }
    std::string buffer(static_cast<std::size_t>(length) + 1, '\0');
    int copied = Index(SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&buffer[0])));
    text = CString(buffer.data(), copied > 0 ? copied : 0);
}

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    if (!parent || !parent->GetSafeHwnd()) return FALSE;
    AfxInitCommonControls();
    return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, CRect(), parent->GetSafeHwnd(), 0);
}

namespace {

TTTOOLINFOA ToolInfo(CWnd* wnd, UINT_PTR id)
{
    TTTOOLINFOA info{};
    // The size every comctl32 version accepts; the larger one fails on version 5.
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = wnd ? wnd->GetSafeHwnd() : nullptr;
    info.uId = id;
    if (id == 0 && info.hwnd) {
        info.uFlags = TTF_IDISHWND;
        info.uId = reinterpret_cast<UINT_PTR>(info.hwnd);
    }
    return info;
}

}  // namespace

BOOL CToolTipCtrl::AddTool(CWnd* wnd, const char* text, LPCRECT rect, UINT_PTR id) const
{
    if (!m_hWnd || !wnd || !wnd->GetSafeHwnd()) return FALSE;
    TTTOOLINFOA info = ToolInfo(wnd, id);
    if (rect) {
        info.rect = *rect;
    } else if (id != 0) {
        ::GetClientRect(wnd->GetSafeHwnd(), &info.rect);
    }
    info.lpszText = const_cast<char*>(text ? text : LPSTR_TEXTCALLBACKA);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR id) const
{
    if (!m_hWnd || !wnd) return;
    TTTOOLINFOA info = ToolInfo(wnd, id);
    SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}
