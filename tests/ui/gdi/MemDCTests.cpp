// CMemDC: nothing reaches the target before the end, then exactly the clip box does,
// at the target's logical coordinates; printing draws straight through.
#include <gtest/gtest.h>

#include "Harness.h"
#include "Surface.h"
#include "controls/MemDC.h"

TEST(MemDC, CopiesOnlyTheClipBoxAndOnlyAtTheEnd)
{
    Surface target(60, 50, kBlue);
    auto clip = target.dc.IntersectClipRect(CRect(10, 5, 30, 25));
    const HBITMAP targetBitmap = target.dc.GetCurrentBitmap();
    {
        CMemDC mem(&target.dc);
        ASSERT_TRUE(mem.IsOffscreen());
        EXPECT_EQ(mem.GetBounds(), CRect(10, 5, 30, 25));
        mem.FillSolidRect(CRect(0, 0, 60, 50), kRed);
        mem.FillSolidRect(CRect(12, 6, 13, 7), kGreen);  // target's logical coordinates
        EXPECT_EQ(target.dc.GetPixel(15, 15), kBlue);     // nothing visible yet
    }
    clip.Restore();
    ExpectPixels(target, {{10, 5, kRed}, {29, 24, kRed}, {12, 6, kGreen},
                          {9, 5, kBlue}, {30, 24, kBlue}, {15, 25, kBlue}});  // left, right, below the box
    EXPECT_EQ(target.dc.GetCurrentBitmap(), targetBitmap);
}

TEST(MemDC, FollowsTheTargetsWindowOrigin)
{
    Surface target(60, 50, kBlue);
    target.dc.SetWindowOrg(-20, -10);  // logical (0, 0) is device (20, 10)
    {
        CMemDC mem(&target.dc);
        ASSERT_TRUE(mem.IsOffscreen());
        EXPECT_EQ(mem.GetBounds(), CRect(-20, -10, 40, 40));
        mem.FillSolidRect(CRect(-20, -10, 40, 40), kBlue);
        mem.FillSolidRect(CRect(0, 0, 2, 2), kRed);
        mem.FillSolidRect(CRect(-20, -10, -19, -9), kRed);  // the box's first pixel
    }
    target.dc.SetWindowOrg(0, 0);
    ExpectPixels(target, {{0, 0, kRed}, {1, 0, kBlue}, {20, 10, kRed}, {21, 11, kRed}, {22, 12, kBlue}, {19, 10, kBlue}});
}

TEST(MemDC, PrintingOrAnEmptyClipBoxDrawsStraightThroughAndNoTargetDrawsNothing)
{
    Surface surface(60, 50, kBlue);
    CDC printer(surface.dc.GetSafeHdc(), true);
    {
        CMemDC mem(&printer);
        EXPECT_FALSE(mem.IsOffscreen());
        EXPECT_TRUE(mem.IsPrinting());
        mem.FillSolidRect(CRect(0, 0, 5, 5), kRed);
        EXPECT_EQ(surface.dc.GetPixel(2, 2), kRed);  // immediately
    }
    EXPECT_EQ(::GetObjectType(surface.dc.GetSafeHdc()), static_cast<DWORD>(OBJ_MEMDC));  // not released
    {
        auto clip = surface.dc.IntersectClipRect(CRect(10, 10, 10, 10));
        CMemDC mem(&surface.dc);
        EXPECT_FALSE(mem.IsOffscreen());
        mem.FillSolidRect(CRect(0, 0, 60, 50), kRed);
    }
    EXPECT_EQ(surface.dc.GetPixel(10, 10), kBlue);
    CMemDC none(nullptr);
    EXPECT_EQ(none.GetSafeHdc(), nullptr);
}

TEST(MemDC, LeavesNoObjectBehind)
{
    Surface target(60, 50, kBlue);
    EXPECT_TRUE(harness::LeavesNoObjectsBehind([&] {
        CMemDC mem(&target.dc);
        CPen pen(PS_SOLID, 1, kRed);
        auto selected = mem.SelectObject(pen);
        mem.MoveTo(0, 0);
        mem.LineTo(10, 10);
    }, 20));
}

namespace {
// A window whose WM_PAINT goes through CPaintDC and CMemDC, as the controls paint.
LRESULT CALLBACK PaintedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND) return 1;
    if (message != WM_PAINT) return ::DefWindowProcA(window, message, wParam, lParam);
    CPaintDC paint(window);
    CMemDC dc(&paint);
    CRect client;
    ::GetClientRect(window, client);
    dc.FillSolidRect(client, RGB(255, 255, 0));
    dc.Draw3dRect(client, kWhite, RGB(0, 0, 0));
    dc.FillSolidRect(CRect(0, client.bottom / 2, client.right, client.bottom / 2 + 1), kRed);
    return 0;
}
}  // namespace

TEST(MemDC, PaintsAWindowThatAUserThenSees)
{
    WNDCLASSA cls{};
    cls.lpfnWndProc = PaintedProc;
    cls.hInstance = ::GetModuleHandleA(nullptr);
    cls.lpszClassName = "QuervixMemDCTest";
    ::RegisterClassA(&cls);
    HWND window = ::CreateWindowExA(WS_EX_TOPMOST, cls.lpszClassName, "", WS_POPUP | WS_VISIBLE, 100, 100, 80, 40,
                                    nullptr, nullptr, cls.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    const harness::Image image = harness::CaptureWindow(window);
    ::DestroyWindow(window);
    ASSERT_FALSE(image.IsEmpty());
    EXPECT_EQ(image.At(0, 0), harness::Rgb(kWhite));
    EXPECT_EQ(image.At(79, 39), harness::Rgb(RGB(0, 0, 0)));
    EXPECT_EQ(image.At(10, 10), harness::Rgb(RGB(255, 255, 0)));
    EXPECT_EQ(image.At(40, 20), harness::Rgb(kRed));
}
