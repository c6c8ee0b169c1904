// CDC, a non-owning view of an HDC with the drawing operations the controls use,
// and the DC owners that release themselves: CPaintDC, CClientDC, CWindowDC, CCompatibleDC.
#pragma once

#include <windows.h>

#include <type_traits>
#include <utility>

#include "platform/GdiObjects.h"
#include "platform/GdiSelect.h"
#include "platform/Geometry.h"

namespace gdi_detail {
// A string class with GetLength() that converts to const char* (CString).
template <typename S, typename = void>
struct IsStringLike : std::false_type {};
template <typename S>
struct IsStringLike<S, std::void_t<decltype(std::declval<const S&>().GetLength()),
                                   decltype(static_cast<const char*>(std::declval<const S&>()))>>
    : std::true_type {};
}  // namespace gdi_detail

// Narrow-character (ANSI) throughout, like the rest of the library. Copying a CDC
// copies the view, never the DC; owners below are not copyable.
class CDC {
public:
    CDC() noexcept = default;
    // printing: the DC belongs to a printer, so off-screen buffering must not be used.
    explicit CDC(HDC hdc, bool printing = false) noexcept : m_hDC(hdc), m_bPrinting(printing) {}
    virtual ~CDC() = default;
    CDC(const CDC&) = default;
    CDC& operator=(const CDC&) = default;

    HDC GetSafeHdc() const noexcept { return m_hDC; }
    operator HDC() const noexcept { return m_hDC; }
    bool IsPrinting() const noexcept { return m_bPrinting; }

    // Selection: each returns a guard that selects the previous object back.
    [[nodiscard]] CSelectGuard SelectObject(HPEN h) const noexcept { return CSelectGuard(m_hDC, h); }
    [[nodiscard]] CSelectGuard SelectObject(HBRUSH h) const noexcept { return CSelectGuard(m_hDC, h); }
    [[nodiscard]] CSelectGuard SelectObject(HFONT h) const noexcept { return CSelectGuard(m_hDC, h); }
    [[nodiscard]] CSelectGuard SelectObject(HBITMAP h) const noexcept { return CSelectGuard(m_hDC, h); }
    [[nodiscard]] CSelectGuard SelectStockObject(int id) const noexcept
    {
        return CSelectGuard(m_hDC, ::GetStockObject(id));
    }
    [[nodiscard]] CClipGuard SelectClipRgn(HRGN hRgn) const noexcept { return CClipGuard(m_hDC, hRgn); }
    [[nodiscard]] CClipGuard IntersectClipRect(const RECT& rc) const noexcept { return CClipGuard(m_hDC, rc); }
    [[nodiscard]] CSavedDCState SaveState() const noexcept { return CSavedDCState(m_hDC); }
    int SaveDC() const noexcept { return ::SaveDC(m_hDC); }
    bool RestoreDC(int saved) const noexcept { return ::RestoreDC(m_hDC, saved) != FALSE; }

    HFONT GetCurrentFont() const noexcept { return static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT)); }
    HPEN GetCurrentPen() const noexcept { return static_cast<HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN)); }
    HBITMAP GetCurrentBitmap() const noexcept { return static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP)); }
    bool GetCurrentLogFont(LOGFONTA& lf) const noexcept
    {
        return ::GetObjectA(GetCurrentFont(), sizeof lf, &lf) == static_cast<int>(sizeof lf);
    }

    // Attributes: each returns the previous value.
    COLORREF SetTextColor(COLORREF c) const noexcept { return ::SetTextColor(m_hDC, c); }
    COLORREF SetBkColor(COLORREF c) const noexcept { return ::SetBkColor(m_hDC, c); }
    int SetBkMode(int mode) const noexcept { return ::SetBkMode(m_hDC, mode); }
    COLORREF GetTextColor() const noexcept { return ::GetTextColor(m_hDC); }
    COLORREF GetBkColor() const noexcept { return ::GetBkColor(m_hDC); }
    int GetBkMode() const noexcept { return ::GetBkMode(m_hDC); }
    CPoint SetWindowOrg(int x, int y) const noexcept
    {
        POINT old{};
        ::SetWindowOrgEx(m_hDC, x, y, &old);
        return old;
    }
    CPoint SetWindowOrg(const POINT& p) const noexcept { return SetWindowOrg(p.x, p.y); }
    CPoint GetWindowOrg() const noexcept { POINT p{}; ::GetWindowOrgEx(m_hDC, &p); return p; }
    int GetClipBox(LPRECT rc) const noexcept { return ::GetClipBox(m_hDC, rc); }
    int GetDeviceCaps(int index) const noexcept { return ::GetDeviceCaps(m_hDC, index); }
    COLORREF GetPixel(int x, int y) const noexcept { return ::GetPixel(m_hDC, x, y); }

    // Fills with ExtTextOut's opaque rectangle (no brush needed), keeping the background colour.
    void FillSolidRect(const RECT& rc, COLORREF c) const noexcept
    {
        COLORREF old = ::SetBkColor(m_hDC, c);
        ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
        ::SetBkColor(m_hDC, old);
    }
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF c) const noexcept
    {
        FillSolidRect(CRect(x, y, x + cx, y + cy), c);
    }
    void FillRect(const RECT& rc, HBRUSH hbr) const noexcept { ::FillRect(m_hDC, &rc, hbr); }
    void FrameRect(const RECT& rc, HBRUSH hbr) const noexcept { ::FrameRect(m_hDC, &rc, hbr); }
    // One-pixel frame: top and left in topLeft, right and bottom (the last row and
    // column inside rc) in bottomRight.
    void Draw3dRect(const RECT& rc, COLORREF topLeft, COLORREF bottomRight) const noexcept
    {
        const int x = rc.left, y = rc.top, cx = rc.right - rc.left, cy = rc.bottom - rc.top;
        FillSolidRect(x, y, cx - 1, 1, topLeft);
        FillSolidRect(x, y, 1, cy - 1, topLeft);
        FillSolidRect(x + cx - 1, y, 1, cy, bottomRight);
        FillSolidRect(x, y + cy - 1, cx, 1, bottomRight);
    }
    // With BF_ADJUST the rectangle is shrunk to the area inside the edge.
    bool DrawEdge(LPRECT rc, UINT edge, UINT flags) const noexcept { return ::DrawEdge(m_hDC, rc, edge, flags) != FALSE; }
    void DrawFocusRect(const RECT& rc) const noexcept { ::DrawFocusRect(m_hDC, &rc); }
    CPoint MoveTo(int x, int y) const noexcept { POINT old{}; ::MoveToEx(m_hDC, x, y, &old); return old; }
    CPoint MoveTo(const POINT& p) const noexcept { return MoveTo(p.x, p.y); }
    bool LineTo(int x, int y) const noexcept { return ::LineTo(m_hDC, x, y) != FALSE; }
    bool LineTo(const POINT& p) const noexcept { return LineTo(p.x, p.y); }

    // Text. With DT_CALCRECT the rectangle receives the text's extent.
    int DrawText(const char* text, int length, LPRECT rc, UINT format) const noexcept
    {
        return ::DrawTextA(m_hDC, text, length, rc, format);
    }
    int DrawText(const char* text, LPRECT rc, UINT format) const noexcept { return DrawText(text, -1, rc, format); }
    template <typename S, typename = std::enable_if_t<gdi_detail::IsStringLike<S>::value>>
    int DrawText(const S& text, LPRECT rc, UINT format) const noexcept
    {
        return DrawText(static_cast<const char*>(text), text.GetLength(), rc, format);
    }
    CSize GetTextExtent(const char* text, int length) const noexcept
    {
        SIZE s{};
        ::GetTextExtentPoint32A(m_hDC, text, length, &s);
        return s;
    }
    CSize GetTextExtent(const char* text) const noexcept { return GetTextExtent(text, ::lstrlenA(text)); }
    template <typename S, typename = std::enable_if_t<gdi_detail::IsStringLike<S>::value>>
    CSize GetTextExtent(const S& text) const noexcept
    {
        return GetTextExtent(static_cast<const char*>(text), text.GetLength());
    }

    // Icons and state drawing. DSS_DISABLED embosses; a null brush is fine for icons and text.
    bool DrawIcon(int x, int y, HICON icon) const noexcept { return ::DrawIcon(m_hDC, x, y, icon) != FALSE; }
    bool DrawState(const POINT& pt, const SIZE& size, HICON icon, UINT flags, HBRUSH hbr = nullptr) const noexcept
    {
        return ::DrawStateA(m_hDC, hbr, nullptr, reinterpret_cast<LPARAM>(icon), 0, pt.x, pt.y, size.cx, size.cy,
                            DST_ICON | flags) != FALSE;
    }
    // Text as DST_PREFIXTEXT (an ampersand underlines the next character) or DST_TEXT;
    // length 0 means up to the NUL.
    bool DrawState(const POINT& pt, const SIZE& size, const char* text, UINT flags, bool prefixText = true,
                   int length = 0, HBRUSH hbr = nullptr) const noexcept
    {
        return ::DrawStateA(m_hDC, hbr, nullptr, reinterpret_cast<LPARAM>(text), static_cast<WPARAM>(length), pt.x,
                            pt.y, size.cx, size.cy, (prefixText ? DST_PREFIXTEXT : DST_TEXT) | flags) != FALSE;
    }

    bool BitBlt(int x, int y, int cx, int cy, HDC src, int xSrc, int ySrc, DWORD rop) const noexcept
    {
        return ::BitBlt(m_hDC, x, y, cx, cy, src, xSrc, ySrc, rop) != FALSE;
    }

protected:
    HDC m_hDC = nullptr;
    bool m_bPrinting = false;
};

// The DC of WM_PAINT: BeginPaint in the constructor, EndPaint at scope end.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(HWND hwnd) noexcept : m_hWnd(hwnd) { m_hDC = ::BeginPaint(hwnd, &m_ps); }
    ~CPaintDC() override { ::EndPaint(m_hWnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    const PAINTSTRUCT& PaintStruct() const noexcept { return m_ps; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps{};
};

// GetDC / GetWindowDC with ReleaseDC at scope end.
class CClientDC : public CDC {
public:
    explicit CClientDC(HWND hwnd) noexcept : m_hWnd(hwnd) { m_hDC = ::GetDC(hwnd); }
    ~CClientDC() override { if (m_hDC) ::ReleaseDC(m_hWnd, m_hDC); }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;

private:
    HWND m_hWnd;
};

class CWindowDC : public CDC {
public:
    explicit CWindowDC(HWND hwnd) noexcept : m_hWnd(hwnd) { m_hDC = ::GetWindowDC(hwnd); }
    ~CWindowDC() override { if (m_hDC) ::ReleaseDC(m_hWnd, m_hDC); }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;

private:
    HWND m_hWnd;
};

// A memory DC compatible with another DC (null: with the screen), deleted at scope end.
// Its default bitmap is 1x1 monochrome until a bitmap is selected into it.
class CCompatibleDC : public CDC {
public:
    explicit CCompatibleDC(HDC like) noexcept { m_hDC = ::CreateCompatibleDC(like); }
    ~CCompatibleDC() override { if (m_hDC) ::DeleteDC(m_hDC); }
    CCompatibleDC(const CCompatibleDC&) = delete;
    CCompatibleDC& operator=(const CCompatibleDC&) = delete;
};
