// CMemDC: an off-screen drawing context that paints into a bitmap of the target's
// clip box and copies the finished picture to the target in one BitBlt.
#pragma once

#include <windows.h>

#include "platform/GdiDC.h"
#include "platform/GdiObjects.h"
#include "platform/GdiSelect.h"
#include "platform/Geometry.h"

// Lives on a painting routine's stack for exactly one paint and is used wherever
// the target CDC would be. Owns its bitmap and memory DC, never the target.
// The bitmap's content is undefined until drawn, so callers paint the whole box first.
class CMemDC : public CDC {
public:
    explicit CMemDC(CDC* pDC) noexcept : m_pTargetDC(pDC)
    {
        if (!pDC) return;
        m_bOffscreen = !pDC->IsPrinting() && StartOffscreen(*pDC);
        if (!m_bOffscreen) {
            // Printers (and a target whose clip box is empty or cannot be buffered)
            // are drawn into directly: nothing is visible to flicker there.
            m_hDC = pDC->GetSafeHdc();
            m_bPrinting = pDC->IsPrinting();
        }
    }

    ~CMemDC() override
    {
        if (!m_bOffscreen) return;  // the target's handle is only borrowed
        m_pTargetDC->BitBlt(m_rcBounds.left, m_rcBounds.top, m_rcBounds.Width(), m_rcBounds.Height(), m_hDC,
                            m_rcBounds.left, m_rcBounds.top, SRCCOPY);
        // The bitmap cannot be deleted while selected: put the old one back first.
        m_oldBitmap.Restore();
        m_bmpOffscreen.DeleteObject();
        ::DeleteDC(m_hDC);
    }

    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    bool IsOffscreen() const noexcept { return m_bOffscreen; }
    // The area covered, in the target's logical coordinates (empty when drawing directly).
    const CRect& GetBounds() const noexcept { return m_rcBounds; }

private:
    bool StartOffscreen(const CDC& target) noexcept
    {
        CRect box;
        if (target.GetClipBox(box) == ERROR || box.IsRectEmpty()) return false;
        HDC hMem = ::CreateCompatibleDC(target);
        if (!hMem) return false;
        if (!m_bmpOffscreen.CreateCompatibleBitmap(target, box.Width(), box.Height())) {
            ::DeleteDC(hMem);
            return false;
        }
        m_oldBitmap = CSelectGuard(hMem, m_bmpOffscreen);
        // Window origin at the box's corner: the routine keeps drawing in the target's
        // logical coordinates, and (left, top) lands on the bitmap's first pixel.
        ::SetWindowOrgEx(hMem, box.left, box.top, nullptr);
        m_hDC = hMem;
        m_rcBounds = box;
        return true;
    }

    CBitmap m_bmpOffscreen;
    CSelectGuard m_oldBitmap;
    CDC* m_pTargetDC;
    CRect m_rcBounds;
    bool m_bOffscreen = false;
};
