// The device-context guards and CMemDC on a memory surface: every selection, clip and
// saved state is put back on leaving the scope, and the off-screen picture reaches the
// target only at the end, exactly over its clip box.
#include <gtest/gtest.h>

#include "platform/MemDC.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255), kBlue = RGB(0, 0, 255), kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0);

struct Surface {
    CCompatibleDC dc{nullptr};
    CBitmap bitmap;
    CSelectGuard selected;
    Surface(int width, int height, COLORREF fill)
    {
        bitmap.CreateCompatibleBitmap(CClientDC(nullptr), width, height);
        selected = dc.SelectObject(bitmap);
        dc.FillSolidRect(CRect(0, 0, width, height), fill);
    }
};

TEST(GdiGuards, EachPutsBackWhatTheDcHadBeforeItsFirstChange)
{
    Surface s(40, 30, kWhite);
    const HPEN original = s.dc.GetCurrentPen();
    CPen red(PS_SOLID, 1, kRed), blue(PS_SOLID, 1, kBlue);
    {
        auto pen = s.dc.SelectObject(red);
        pen = s.dc.SelectObject(blue);  // the guard now holds two selections
        EXPECT_EQ(blue.GetSafeHandle(), s.dc.GetCurrentPen());
    }
    EXPECT_EQ(original, s.dc.GetCurrentPen());
    EXPECT_FALSE(s.dc.SelectObject(static_cast<HPEN>(nullptr)).Succeeded());

    CRgn left;
    left.CreateRectRgn(0, 0, 20, 30);
    {
        auto clip = s.dc.SelectClipRgn(left);
        CRect box;
        {
            auto narrower = s.dc.IntersectClipRect(CRect(5, 5, 30, 10));
            s.dc.GetClipBox(box);
            EXPECT_EQ(CRect(5, 5, 20, 10), box);
        }
        s.dc.GetClipBox(box);
        EXPECT_EQ(CRect(0, 0, 20, 30), box);
        auto state = s.dc.SaveState();
        s.dc.SetWindowOrg(5, 5);
    }
    EXPECT_EQ(0, ::GetClipRgn(s.dc, left));  // no clip region, as at the start
    EXPECT_EQ(CPoint(0, 0), s.dc.GetWindowOrg());
}

TEST(MemDC, TheTargetGetsItsClipBoxAtTheEndAndNothingElse)
{
    Surface target(60, 50, kBlue);
    auto clip = target.dc.IntersectClipRect(CRect(10, 5, 30, 25));
    const HBITMAP targetBitmap = target.dc.GetCurrentBitmap();
    {
        CMemDC mem(&target.dc);
        ASSERT_TRUE(mem.IsOffscreen());
        mem.FillSolidRect(CRect(0, 0, 60, 50), kRed);
        mem.FillSolidRect(CRect(12, 6, 13, 7), kGreen);  // the target's logical coordinates
        EXPECT_EQ(kBlue, target.dc.GetPixel(15, 15));    // nothing shows yet
    }
    clip.Restore();
    const struct { int x, y; COLORREF colour; } pixels[] = {
        {10, 5, kRed}, {29, 24, kRed}, {12, 6, kGreen}, {9, 5, kBlue}, {30, 24, kBlue}, {15, 25, kBlue}};
    for (const auto& p : pixels) EXPECT_EQ(p.colour, target.dc.GetPixel(p.x, p.y)) << p.x << "," << p.y;
    EXPECT_EQ(targetBitmap, target.dc.GetCurrentBitmap());
}

}  // namespace
