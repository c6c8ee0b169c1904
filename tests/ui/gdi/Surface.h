// A memory surface of one colour for the GDI tests to draw on and read pixels back from.
#pragma once

#include "platform/GdiDC.h"

struct Surface {
    CCompatibleDC dc{nullptr};
    CBitmap bitmap;
    CSelectGuard selected;
    Surface(int width, int height, COLORREF fill)
    {
        CClientDC screen(nullptr);
        bitmap.CreateCompatibleBitmap(screen, width, height);
        selected = dc.SelectObject(bitmap);
        dc.FillSolidRect(CRect(0, 0, width, height), fill);
    }
};

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);

// Expected colours at points of a surface, each failure naming its point.
struct PixelCheck {
    int x, y;
    COLORREF colour;
};

inline void ExpectPixels(const Surface& surface, std::initializer_list<PixelCheck> checks)
{
    for (const PixelCheck& c : checks)
        EXPECT_EQ(surface.dc.GetPixel(c.x, c.y), c.colour) << "at (" << c.x << ", " << c.y << ")";
}
