// CScrollBar: a scroll-bar control (SB_CTL).
#pragma once

#include "platform/Wnd.h"

class CScrollBar : public CWnd {
public:
    BOOL GetScrollInfo(LPSCROLLINFO info, UINT mask = SIF_ALL) const noexcept
    {
        info->cbSize = sizeof(SCROLLINFO);
        info->fMask = mask;
        return ::GetScrollInfo(m_hWnd, SB_CTL, info);
    }
    BOOL SetScrollInfo(LPSCROLLINFO info, BOOL redraw = TRUE) const noexcept
    {
        info->cbSize = sizeof(SCROLLINFO);
        ::SetScrollInfo(m_hWnd, SB_CTL, info, redraw);
        return TRUE;
    }
    int GetScrollPos() const noexcept { return ::GetScrollPos(m_hWnd, SB_CTL); }
    int SetScrollPos(int position, BOOL redraw = TRUE) const noexcept
    {
        return ::SetScrollPos(m_hWnd, SB_CTL, position, redraw);
    }
    void SetScrollRange(int minimum, int maximum, BOOL redraw = TRUE) const noexcept
    {
        ::SetScrollRange(m_hWnd, SB_CTL, minimum, maximum, redraw);
    }
};
