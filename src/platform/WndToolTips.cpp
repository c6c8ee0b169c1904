// Window tool tips: a tool-tip control owned by the window, one tool at a time, chosen
// by OnToolHitTest from the mouse messages the modal loop pre-translates.
#include "platform/Wnd.h"

#include "platform/WinApp.h"

// The tip control is made when the mouse first comes by, not here: a dialog with several
// such controls would otherwise create as many hidden windows before it can show itself.
void CWnd::EnableToolTips(BOOL enable)
{
    m_toolTips.enabled = enable != FALSE;
    if (!m_toolTips.tip) return;
    if (!enable) RemoveCurrentTool();
    ::SendMessageA(m_toolTips.tip, TTM_ACTIVATE, enable, 0);
}

bool CWnd::CreateToolTipControl()
{
    AfxInitCommonControls();
    m_toolTips.tip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                       AfxGetInstanceHandle(), nullptr);
    if (!m_toolTips.tip) return false;
    // Tips of long names wrap at the screen's width instead of running off it.
    ::SendMessageA(m_toolTips.tip, TTM_SETMAXTIPWIDTH, 0, ::GetSystemMetrics(SM_CXSCREEN));
    ::SendMessageA(m_toolTips.tip, TTM_ACTIVATE, TRUE, 0);
    return true;
}

void CWnd::RemoveCurrentTool()
{
    if (m_toolTips.toolAdded && m_toolTips.tip) {
        TTTOOLINFOA info{};
        info.cbSize = TTTOOLINFOA_V2_SIZE;
        info.hwnd = m_toolTips.toolWindow;
        info.uId = m_toolTips.toolId;
        ::SendMessageA(m_toolTips.tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    }
    m_toolTips.toolAdded = false;
    m_toolTips.lastHit = -1;
}

namespace {

bool IsClientMouseMessage(UINT message)
{
    return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && message != WM_MOUSEWHEEL &&
           message != WM_MOUSEHWHEEL;
}

}  // namespace

// When the tool under the mouse changes, the old tool goes and the new one is added;
// then the message is relayed as if it had been sent to the tool's window, since the
// tool-tip control finds tools by the message's window and client coordinates.
void CWnd::FilterToolTipMessage(const MSG& msg)
{
    if (!IsClientMouseMessage(msg.message)) return;
    if (msg.hwnd != m_hWnd && !::IsChild(m_hWnd, msg.hwnd)) return;
    if (!m_toolTips.tip && !CreateToolTipControl()) return;

    CPoint point = CPoint::FromLParam(msg.lParam);
    ::MapWindowPoints(msg.hwnd, m_hWnd, &point, 1);
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    INT_PTR hit = OnToolHitTest(point, &info);
    HWND toolWindow = info.hwnd ? info.hwnd : m_hWnd;

    bool changed = hit != m_toolTips.lastHit || (hit != -1 && (toolWindow != m_toolTips.toolWindow || info.uId != m_toolTips.toolId));
    if (changed) {
        RemoveCurrentTool();
        if (hit != -1) {
            info.hwnd = toolWindow;
            if (!info.lpszText) info.lpszText = LPSTR_TEXTCALLBACKA;
            if (::IsRectEmpty(&info.rect)) ::GetClientRect(toolWindow, &info.rect);
            m_toolTips.toolAdded = ::SendMessageA(m_toolTips.tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
            m_toolTips.toolWindow = toolWindow;
            m_toolTips.toolId = info.uId;
        }
        m_toolTips.lastHit = hit;
    }
    if (hit == -1) return;

    MSG relayed = msg;
    relayed.hwnd = toolWindow;
    CPoint toolPoint = point;
    ::MapWindowPoints(m_hWnd, toolWindow, &toolPoint, 1);
    relayed.lParam = MAKELPARAM(toolPoint.x, toolPoint.y);
    ::SendMessageA(m_toolTips.tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}
