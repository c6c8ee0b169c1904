// Scope guards for device-context state: object selection, clip region, SaveDC.
// Each puts the DC back as it found it when the scope ends, early returns included.
#pragma once

#include <windows.h>

// Selects a pen, brush, font or bitmap into a DC and selects the previous one back
// at scope end. Regions are not objects that SelectObject swaps (it copies them into
// the clip region), so they go through CClipGuard instead.
class [[nodiscard]] CSelectGuard {
public:
    CSelectGuard() noexcept = default;
    CSelectGuard(HDC hdc, HGDIOBJ hObject) noexcept
        : m_hDC(hdc), m_hPrevious(hdc && hObject ? ::SelectObject(hdc, hObject) : nullptr)
    {
        if (m_hPrevious == HGDI_ERROR) m_hPrevious = nullptr;
    }
    ~CSelectGuard() { Restore(); }

    CSelectGuard(const CSelectGuard&) = delete;
    CSelectGuard& operator=(const CSelectGuard&) = delete;
    CSelectGuard(CSelectGuard&& other) noexcept : m_hDC(other.m_hDC), m_hPrevious(other.m_hPrevious)
    {
        other.m_hPrevious = nullptr;
    }
    // Taking over another selection on the same DC keeps the object this guard found
    // first: the DC then gets back what it had before either selection, and the object
    // in between is not selected back over the newer one.
    CSelectGuard& operator=(CSelectGuard&& other) noexcept
    {
        if (this == &other) return *this;
        if (m_hPrevious && other.m_hPrevious && m_hDC == other.m_hDC) {
            other.m_hPrevious = nullptr;
            return *this;
        }
        Restore();
        m_hDC = other.m_hDC;
        m_hPrevious = other.m_hPrevious;
        other.m_hPrevious = nullptr;
        return *this;
    }

    // False when the selection failed (a bitmap already selected elsewhere, a null
    // handle): then there is nothing to restore and drawing uses the old object.
    bool Succeeded() const noexcept { return m_hPrevious != nullptr; }
    HGDIOBJ Previous() const noexcept { return m_hPrevious; }

    // Restores early, e.g. before deleting the selected object in the same scope.
    void Restore() noexcept
    {
        if (m_hPrevious) ::SelectObject(m_hDC, m_hPrevious);
        m_hPrevious = nullptr;
    }

private:
    HDC m_hDC = nullptr;
    HGDIOBJ m_hPrevious = nullptr;
};

// Changes the DC's clip region and puts the previous one back (or removes the clip
// again if there was none) at scope end. Nested guards unwind in order.
class [[nodiscard]] CClipGuard {
public:
    // Replaces the clip region with a copy of hRgn (null: no clipping).
    CClipGuard(HDC hdc, HRGN hRgn) noexcept : CClipGuard(hdc)
    {
        m_nResult = ::SelectClipRgn(m_hDC, hRgn);
    }
    // Narrows the clip region to rc, in logical coordinates.
    CClipGuard(HDC hdc, const RECT& rc) noexcept : CClipGuard(hdc)
    {
        m_nResult = ::IntersectClipRect(m_hDC, rc.left, rc.top, rc.right, rc.bottom);
    }
    ~CClipGuard() { Restore(); }

    CClipGuard(const CClipGuard&) = delete;
    CClipGuard& operator=(const CClipGuard&) = delete;
    CClipGuard(CClipGuard&& other) noexcept
        : m_hDC(other.m_hDC), m_hSaved(other.m_hSaved), m_bArmed(other.m_bArmed)
    {
        other.m_hSaved = nullptr;
        other.m_bArmed = false;
    }
    CClipGuard& operator=(CClipGuard&&) = delete;

    // Region type after the change: NULLREGION, SIMPLEREGION, COMPLEXREGION or ERROR.
    int Result() const noexcept { return m_nResult; }

    void Restore() noexcept
    {
        if (m_bArmed) ::SelectClipRgn(m_hDC, m_hSaved);  // null removes the clip region
        if (m_hSaved) ::DeleteObject(m_hSaved);
        m_hSaved = nullptr;
        m_bArmed = false;
    }

private:
    // Copies the current clip region before it changes. GetClipRgn answers 1 when it
    // copied one, 0 when the DC has no clip region, -1 on error.
    explicit CClipGuard(HDC hdc) noexcept : m_hDC(hdc), m_hSaved(::CreateRectRgn(0, 0, 0, 0))
    {
        if (m_hSaved && ::GetClipRgn(m_hDC, m_hSaved) != 1) {
            ::DeleteObject(m_hSaved);
            m_hSaved = nullptr;
        }
    }

    HDC m_hDC;
    HRGN m_hSaved;
    bool m_bArmed = true;
    int m_nResult = ERROR;
};

// SaveDC at construction, RestoreDC at scope end: for code that changes many
// attributes (modes, colours, origin, clip) and wants all of them back at once.
class [[nodiscard]] CSavedDCState {
public:
    explicit CSavedDCState(HDC hdc) noexcept : m_hDC(hdc), m_nSaved(::SaveDC(hdc)) {}
    ~CSavedDCState() { Restore(); }
    CSavedDCState(const CSavedDCState&) = delete;
    CSavedDCState& operator=(const CSavedDCState&) = delete;
    CSavedDCState(CSavedDCState&& other) noexcept : m_hDC(other.m_hDC), m_nSaved(other.m_nSaved)
    {
        other.m_nSaved = 0;
    }
    CSavedDCState& operator=(CSavedDCState&&) = delete;

    bool Succeeded() const noexcept { return m_nSaved != 0; }
    void Restore() noexcept
    {
        if (m_nSaved) ::RestoreDC(m_hDC, m_nSaved);
        m_nSaved = 0;
    }

private:
    HDC m_hDC;
    int m_nSaved;
};
