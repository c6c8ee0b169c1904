// CEdit: single- and multi-line edit controls.
#pragma once

#include "platform/Wnd.h"

class CEdit : public CWnd {
public:
    void SetSel(int start, int end, BOOL noScroll = FALSE) const noexcept
    {
        SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
        if (!noScroll) SendMessage(EM_SCROLLCARET);
    }
    void GetSel(int& start, int& end) const noexcept
    {
        DWORD from = 0, to = 0;
        SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
        start = static_cast<int>(from);
        end = static_cast<int>(to);
    }
    void ReplaceSel(const char* text, BOOL canUndo = FALSE) const noexcept
    {
        SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text ? text : ""));
    }
    BOOL SetReadOnly(BOOL readOnly = TRUE) const noexcept
    {
        return static_cast<BOOL>(SendMessage(EM_SETREADONLY, readOnly));
    }
    void LimitText(int maxChars = 0) const noexcept { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(maxChars)); }
    int GetLineCount() const noexcept { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
};
