// CPoint, CSize and CRect: value types over the Win32 POINT, SIZE and RECT.
#pragma once

#include <windows.h>

#include <utility>

class CSize : public SIZE {
public:
    CSize() noexcept { cx = 0; cy = 0; }
    CSize(int x, int y) noexcept { cx = x; cy = y; }
    CSize(const SIZE& s) noexcept { cx = s.cx; cy = s.cy; }
    bool operator==(const CSize& o) const noexcept { return cx == o.cx && cy == o.cy; }
    bool operator!=(const CSize& o) const noexcept { return !(*this == o); }
};

class CPoint : public POINT {
public:
    CPoint() noexcept { x = 0; y = 0; }
    CPoint(int px, int py) noexcept { x = px; y = py; }
    CPoint(const POINT& p) noexcept { x = p.x; y = p.y; }
    // The packed coordinates of mouse messages; signed, so multi-monitor negatives survive.
    static CPoint FromLParam(LPARAM lParam) noexcept
    {
        return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    }
    void Offset(int dx, int dy) noexcept { x += dx; y += dy; }
    bool operator==(const CPoint& o) const noexcept { return x == o.x && y == o.y; }
    bool operator!=(const CPoint& o) const noexcept { return !(*this == o); }
};

class CRect : public RECT {
public:
    CRect() noexcept { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) noexcept { left = l; top = t; right = r; bottom = b; }
    CRect(const RECT& r) noexcept { left = r.left; top = r.top; right = r.right; bottom = r.bottom; }
    CRect(const CPoint& topLeft, const CSize& size) noexcept
    {
        left = topLeft.x; top = topLeft.y; right = left + size.cx; bottom = top + size.cy;
    }

    int Width() const noexcept { return right - left; }
    int Height() const noexcept { return bottom - top; }
    CSize Size() const noexcept { return CSize(Width(), Height()); }
    CPoint TopLeft() const noexcept { return CPoint(left, top); }
    CPoint BottomRight() const noexcept { return CPoint(right, bottom); }
    CPoint CenterPoint() const noexcept { return CPoint((left + right) / 2, (top + bottom) / 2); }
    bool IsRectEmpty() const noexcept { return right <= left || bottom <= top; }
    bool PtInRect(const POINT& p) const noexcept { return ::PtInRect(this, p) != FALSE; }

    void SetRect(int l, int t, int r, int b) noexcept { left = l; top = t; right = r; bottom = b; }
    void OffsetRect(int dx, int dy) noexcept { ::OffsetRect(this, dx, dy); }
    void InflateRect(int dx, int dy) noexcept { ::InflateRect(this, dx, dy); }
    void DeflateRect(int dx, int dy) noexcept { ::InflateRect(this, -dx, -dy); }
    void NormalizeRect() noexcept
    {
        if (left > right) std::swap(left, right);
        if (top > bottom) std::swap(top, bottom);
    }

    operator LPRECT() noexcept { return this; }
    operator LPCRECT() const noexcept { return this; }
    bool operator==(const CRect& o) const noexcept { return ::EqualRect(this, &o) != FALSE; }
    bool operator!=(const CRect& o) const noexcept { return !(*this == o); }
};
