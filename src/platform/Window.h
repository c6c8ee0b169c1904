// CWindow: a copyable, non-owning view of an HWND with the Win32 window operations.
// CWnd (Wnd.h) derives from it and adds message routing; GetDlgItem, GetParent and the
// other look-ups answer views, so nothing is allocated for windows without an object.
#pragma once

#include <windows.h>

#include <string>

#include "platform/CString.h"
#include "platform/Geometry.h"

class CWindow {
public:
    CWindow() noexcept = default;
    CWindow(HWND hwnd) noexcept : m_hWnd(hwnd) {}

    HWND GetSafeHwnd() const noexcept { return m_hWnd; }
    operator HWND() const noexcept { return m_hWnd; }
    BOOL IsWindow() const noexcept { return m_hWnd && ::IsWindow(m_hWnd); }

    // Messages
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const noexcept
    {
        return ::SendMessage(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const noexcept
    {
        return ::PostMessage(m_hWnd, message, wParam, lParam);
    }

    // Text
    CString GetWindowText() const
    {
        int length = ::GetWindowTextLengthA(m_hWnd);
        if (length <= 0) return CString();
        std::string buffer(static_cast<std::size_t>(length) + 1, '\0');
        int copied = ::GetWindowTextA(m_hWnd, &buffer[0], length + 1);
        return CString(buffer.data(), copied > 0 ? copied : 0);
    }
    void GetWindowText(CString& text) const { text = GetWindowText(); }
    int GetWindowTextLength() const noexcept { return ::GetWindowTextLengthA(m_hWnd); }
    void SetWindowText(const char* text) const noexcept { ::SetWindowTextA(m_hWnd, text ? text : ""); }

    // Children of a dialog
    CWindow GetDlgItem(int id) const noexcept { return CWindow(::GetDlgItem(m_hWnd, id)); }
    int GetDlgCtrlID() const noexcept { return ::GetDlgCtrlID(m_hWnd); }
    UINT IsDlgButtonChecked(int id) const noexcept { return ::IsDlgButtonChecked(m_hWnd, id); }
    BOOL CheckDlgButton(int id, UINT check) const noexcept { return ::CheckDlgButton(m_hWnd, id, check); }
    CString GetDlgItemText(int id) const { return GetDlgItem(id).GetWindowText(); }
    void SetDlgItemText(int id, const char* text) const noexcept { ::SetDlgItemTextA(m_hWnd, id, text ? text : ""); }

    // State and visibility
    BOOL EnableWindow(BOOL enable = TRUE) const noexcept { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const noexcept { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsWindowVisible() const noexcept { return ::IsWindowVisible(m_hWnd); }
    BOOL ShowWindow(int command) const noexcept { return ::ShowWindow(m_hWnd, command); }
    BOOL DestroyWindow() const noexcept { return ::DestroyWindow(m_hWnd); }

    // Geometry
    void GetWindowRect(LPRECT rect) const noexcept { ::GetWindowRect(m_hWnd, rect); }
    void GetClientRect(LPRECT rect) const noexcept { ::GetClientRect(m_hWnd, rect); }
    void ScreenToClient(LPPOINT point) const noexcept { ::ScreenToClient(m_hWnd, point); }
    void ClientToScreen(LPPOINT point) const noexcept { ::ClientToScreen(m_hWnd, point); }
    void ScreenToClient(LPRECT rect) const noexcept { ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(rect), 2); }
    void ClientToScreen(LPRECT rect) const noexcept { ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(rect), 2); }
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) const noexcept
    {
        return ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    BOOL MoveWindow(LPCRECT rect, BOOL repaint = TRUE) const noexcept
    {
        return MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
    }
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags) const noexcept
    {
        return ::SetWindowPos(m_hWnd, insertAfter, x, y, width, height, flags);
    }

    // Painting
    void Invalidate(BOOL erase = TRUE) const noexcept { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE) const noexcept { ::InvalidateRect(m_hWnd, rect, erase); }
    void UpdateWindow() const noexcept { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(LPCRECT rect = nullptr, HRGN region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) const noexcept
    {
        return ::RedrawWindow(m_hWnd, rect, region, flags);
    }
    // WM_SETREDRAW: switched off around bulk changes so the window repaints once.
    void SetRedraw(BOOL redraw = TRUE) const noexcept { ::SendMessage(m_hWnd, WM_SETREDRAW, redraw, 0); }

    // Focus, capture, timers
    CWindow SetFocus() const noexcept { return CWindow(::SetFocus(m_hWnd)); }
    static CWindow GetFocus() noexcept { return CWindow(::GetFocus()); }
    CWindow SetCapture() const noexcept { return CWindow(::SetCapture(m_hWnd)); }
    static BOOL ReleaseCapture() noexcept { return ::ReleaseCapture(); }
    static CWindow GetCapture() noexcept { return CWindow(::GetCapture()); }
    static CWindow GetActiveWindow() noexcept { return CWindow(::GetActiveWindow()); }
    static CWindow WindowFromPoint(POINT screenPoint) noexcept { return CWindow(::WindowFromPoint(screenPoint)); }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) const noexcept { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
    BOOL KillTimer(UINT_PTR id) const noexcept { return ::KillTimer(m_hWnd, id); }

    // Font and style
    HFONT GetFont() const noexcept { return reinterpret_cast<HFONT>(::SendMessage(m_hWnd, WM_GETFONT, 0, 0)); }
    void SetFont(HFONT font, BOOL redraw = TRUE) const noexcept
    {
        ::SendMessage(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    }
    DWORD GetStyle() const noexcept { return static_cast<DWORD>(::GetWindowLongPtr(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const noexcept { return static_cast<DWORD>(::GetWindowLongPtr(m_hWnd, GWL_EXSTYLE)); }
    // Changes style bits; with swpFlags the frame is told (SetWindowPos) so it redraws.
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0) const noexcept
    {
        return ModifyLong(GWL_STYLE, remove, add, swpFlags);
    }
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0) const noexcept
    {
        return ModifyLong(GWL_EXSTYLE, remove, add, swpFlags);
    }

    // Relatives. For a popup, GetParent answers its owner, as the platform does.
    CWindow GetParent() const noexcept { return CWindow(::GetParent(m_hWnd)); }
    CWindow GetOwner() const noexcept
    {
        HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
        return CWindow(owner ? owner : ::GetParent(m_hWnd));
    }
    CWindow GetWindow(UINT relation) const noexcept { return CWindow(::GetWindow(m_hWnd, relation)); }
    BOOL IsChild(HWND descendant) const noexcept { return ::IsChild(m_hWnd, descendant); }

protected:
    HWND m_hWnd = nullptr;

private:
    BOOL ModifyLong(int index, DWORD remove, DWORD add, UINT swpFlags) const noexcept
    {
        DWORD old = static_cast<DWORD>(::GetWindowLongPtr(m_hWnd, index));
        DWORD changed = (old & ~remove) | add;
        if (changed == old) return FALSE;
        ::SetWindowLongPtr(m_hWnd, index, static_cast<LONG_PTR>(changed));
        if (swpFlags != 0) {
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                           SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
        }
        return TRUE;
    }
};
