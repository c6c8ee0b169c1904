// CToolTipCtrl: a tool-tip control that the owner feeds by relaying mouse messages.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/Wnd.h"

class CToolTipCtrl : public CWnd {
public:
    // A tool-tip popup owned by parent (TTS_* bits in style); FALSE without a parent window.
    BOOL Create(CWnd* parent, DWORD style = 0);
    // A tool: the whole window (rect null and id 0: identified by its handle) or a
    // rectangle of it with id. text may be LPSTR_TEXTCALLBACK (asked through TTN_NEEDTEXT).
    BOOL AddTool(CWnd* wnd, const char* text = LPSTR_TEXTCALLBACKA, LPCRECT rect = nullptr, UINT_PTR id = 0) const;
    void DelTool(CWnd* wnd, UINT_PTR id = 0) const;
    int GetToolCount() const noexcept { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
    void RelayEvent(LPMSG msg) const noexcept
    {
        if (m_hWnd) SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
    }
    void Activate(BOOL activate) const noexcept { SendMessage(TTM_ACTIVATE, activate); }
};
