// CPen, CBrush, CFont, CBitmap, CRgn: move-only owners of created GDI objects,
// and CGdiView, a non-owning view for stock objects and borrowed handles.
#pragma once

#include <windows.h>

#include "platform/Geometry.h"

// Owns one GDI handle and deletes it when the scope ends. Move-only, so a handle
// can never be deleted twice; Detach hands it over to code that deletes it itself.
template <typename Handle>
class CGdiObjectT {
public:
    CGdiObjectT() noexcept = default;
    explicit CGdiObjectT(Handle h) noexcept : m_hObject(h) {}
    ~CGdiObjectT() { DeleteObject(); }

    CGdiObjectT(const CGdiObjectT&) = delete;
    CGdiObjectT& operator=(const CGdiObjectT&) = delete;
    CGdiObjectT(CGdiObjectT&& other) noexcept : m_hObject(other.Detach()) {}
    CGdiObjectT& operator=(CGdiObjectT&& other) noexcept
    {
        if (this != &other) Attach(other.Detach());
        return *this;
    }

    Handle GetSafeHandle() const noexcept { return m_hObject; }
    operator Handle() const noexcept { return m_hObject; }
    explicit operator bool() const noexcept { return m_hObject != nullptr; }

    // Takes ownership of h; whatever was owned before is deleted first.
    void Attach(Handle h) noexcept { DeleteObject(); m_hObject = h; }
    [[nodiscard]] Handle Detach() noexcept { Handle h = m_hObject; m_hObject = nullptr; return h; }
    // Deleting an object still selected into a DC fails and leaks it: release guards first.
    void DeleteObject() noexcept
    {
        if (m_hObject) ::DeleteObject(m_hObject);
        m_hObject = nullptr;
    }

protected:
    // Create functions replace what is owned and report whether the new handle exists.
    bool Replace(Handle h) noexcept { Attach(h); return h != nullptr; }

private:
    Handle m_hObject = nullptr;
};

class CPen : public CGdiObjectT<HPEN> {
public:
    CPen() noexcept = default;
    CPen(int style, int width, COLORREF color) noexcept { CreatePen(style, width, color); }
    bool CreatePen(int style, int width, COLORREF color) noexcept
    {
        return Replace(::CreatePen(style, width, color));
    }
};

class CBrush : public CGdiObjectT<HBRUSH> {
public:
    CBrush() noexcept = default;
    explicit CBrush(COLORREF color) noexcept { CreateSolidBrush(color); }
    bool CreateSolidBrush(COLORREF color) noexcept { return Replace(::CreateSolidBrush(color)); }
};

class CFont : public CGdiObjectT<HFONT> {
public:
    CFont() noexcept = default;
    bool CreateFontIndirect(const LOGFONTA& lf) noexcept { return Replace(::CreateFontIndirectA(&lf)); }
    bool GetLogFont(LOGFONTA& lf) const noexcept
    {
        return *this && ::GetObjectA(GetSafeHandle(), sizeof lf, &lf) == static_cast<int>(sizeof lf);
    }
};

class CBitmap : public CGdiObjectT<HBITMAP> {
public:
    CBitmap() noexcept = default;
    bool CreateCompatibleBitmap(HDC hdc, int width, int height) noexcept
    {
        return Replace(::CreateCompatibleBitmap(hdc, width, height));
    }
    // Width and height in pixels, (0, 0) when nothing is owned.
    CSize GetSize() const noexcept
    {
        BITMAP bm{};
        if (!*this || !::GetObjectA(GetSafeHandle(), sizeof bm, &bm)) return CSize();
        return CSize(bm.bmWidth, bm.bmHeight);
    }
};

class CRgn : public CGdiObjectT<HRGN> {
public:
    CRgn() noexcept = default;
    bool CreateRectRgn(int left, int top, int right, int bottom) noexcept
    {
        return Replace(::CreateRectRgn(left, top, right, bottom));
    }
    bool CreateRectRgnIndirect(const RECT& rc) noexcept { return Replace(::CreateRectRgnIndirect(&rc)); }
};

// A handle that something else owns: stock objects, a control's font (WM_GETFONT),
// the object currently selected into a DC. Copyable and never deletes anything.
template <typename Handle>
class CGdiView {
public:
    CGdiView() noexcept = default;
    explicit CGdiView(Handle h) noexcept : m_hObject(h) {}
    Handle GetSafeHandle() const noexcept { return m_hObject; }
    operator Handle() const noexcept { return m_hObject; }
    explicit operator bool() const noexcept { return m_hObject != nullptr; }

private:
    Handle m_hObject = nullptr;
};

using CPenView = CGdiView<HPEN>;
using CBrushView = CGdiView<HBRUSH>;
using CFontView = CGdiView<HFONT>;
using CBitmapView = CGdiView<HBITMAP>;

// Stock objects are never deleted (DeleteObject on them is a silent no-op, but owning
// one would hide that); the views make that explicit at the call site.
inline CPenView StockPen(int id) noexcept { return CPenView(static_cast<HPEN>(::GetStockObject(id))); }
inline CBrushView StockBrush(int id) noexcept { return CBrushView(static_cast<HBRUSH>(::GetStockObject(id))); }
inline CFontView StockFont(int id) noexcept { return CFontView(static_cast<HFONT>(::GetStockObject(id))); }
