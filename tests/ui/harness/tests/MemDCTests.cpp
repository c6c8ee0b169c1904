// CMemDC: nothing reaches the target before the end, then exactly the clip box does,
// at the target's logical coordinates; printing draws straight through.
#include <gtest/gtest.h>

#include "GuiResources.h"
#include "Harness.h"
#include "controls/MemDC.h"

namespace {
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

// A 60x50 target surface filled blue.
struct Target {
    CCompatibleDC dc{nullptr};
    CBitmap bitmap;
    CSelectGuard selected;
    Target()
    {
        CClientDC screen(nullptr);
        bitmap.CreateCompatibleBitmap(screen, 60, 50);
        selected = dc.SelectObject(bitmap);
        dc.FillSolidRect(CRect(0, 0, 60, 50), kBlue);
    }
};
}  // namespace

TEST(MemDC, CopiesOnlyTheClipBoxAndOnlyAtTheEnd)
{
    Target target;
    auto clip = target.dc.IntersectClipRect(CRect(10, 5, 30, 25));
    const HBITMAP targetBitmap = target.dc.GetCurrentBitmap();
    {
        CMemDC mem(&target.dc);
        ASSERT_TRUE(mem.IsOffscreen());
        EXPECT_EQ(mem.GetBounds(), CRect(10, 5, 30, 25));
        EXPECT_NE(mem.GetSafeHdc(), target.dc.GetSafeHdc());
        mem.FillSolidRect(CRect(0, 0, 60, 50), kRed);
        mem.FillSolidRect(CRect(12, 6, 13, 7), RGB(0, 255, 0));  // target's logical coordinates
        EXPECT_EQ(target.dc.GetPixel(15, 15), kBlue);  // nothing visible yet
    }
    clip.Restore();
    EXPECT_EQ(target.dc.GetPixel(10, 5), kRed);
    EXPECT_EQ(target.dc.GetPixel(29, 24), kRed);
    EXPECT_EQ(target.dc.GetPixel(12, 6), RGB(0, 255, 0));
    EXPECT_EQ(target.dc.GetPixel(9, 5), kBlue);    // left of the box
    EXPECT_EQ(target.dc.GetPixel(30, 24), kBlue);  // right of it
    EXPECT_EQ(target.dc.GetPixel(15, 25), kBlue);  // below it
    EXPECT_EQ(target.dc.GetCurrentBitmap(), targetBitmap);
}

TEST(MemDC, FollowsTheTargetsWindowOrigin)
{
    Target target;
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
    EXPECT_EQ(target.dc.GetPixel(0, 0), kRed);
    EXPECT_EQ(target.dc.GetPixel(1, 0), kBlue);
    EXPECT_EQ(target.dc.GetPixel(20, 10), kRed);
    EXPECT_EQ(target.dc.GetPixel(21, 11), kRed);
    EXPECT_EQ(target.dc.GetPixel(22, 12), kBlue);
    EXPECT_EQ(target.dc.GetPixel(19, 10), kBlue);
}

TEST(MemDC, PrintingDrawsStraightIntoTheTarget)
{
    Target surface;
    CDC printer(surface.dc.GetSafeHdc(), true);
    {
        CMemDC mem(&printer);
        EXPECT_FALSE(mem.IsOffscreen());
        EXPECT_TRUE(mem.IsPrinting());
        EXPECT_EQ(mem.GetSafeHdc(), printer.GetSafeHdc());
        mem.FillSolidRect(CRect(0, 0, 5, 5), kRed);
        EXPECT_EQ(surface.dc.GetPixel(2, 2), kRed);  // immediately
    }
    EXPECT_EQ(::GetObjectType(surface.dc.GetSafeHdc()), static_cast<DWORD>(OBJ_MEMDC));  // not released
}

TEST(MemDC, AnEmptyClipBoxOrNoTargetDrawsNothingAndCrashesNothing)
{
    Target target;
    {
        auto clip = target.dc.IntersectClipRect(CRect(10, 10, 10, 10));
        CMemDC mem(&target.dc);
        EXPECT_FALSE(mem.IsOffscreen());
        mem.FillSolidRect(CRect(0, 0, 60, 50), kRed);
    }
    EXPECT_EQ(target.dc.GetPixel(10, 10), kBlue);
    CMemDC none(nullptr);
    EXPECT_EQ(none.GetSafeHdc(), nullptr);
    EXPECT_FALSE(none.IsOffscreen());
}

TEST(MemDC, LeavesNoObjectBehind)
{
    Target target;
    { CMemDC warmUp(&target.dc); warmUp.FillSolidRect(CRect(0, 0, 1, 1), kRed); }
    const long before = harness::CountGuiObjects().gdi;
    for (int i = 0; i < 20; ++i) {
        CMemDC mem(&target.dc);
        CPen pen(PS_SOLID, 1, kRed);
        auto selected = mem.SelectObject(pen);
        mem.MoveTo(0, 0);
        mem.LineTo(10, 10);
    }
    EXPECT_EQ(harness::CountGuiObjects().gdi, before);
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
    dc.Draw3dRect(client, RGB(255, 255, 255), RGB(0, 0, 0));
    CPen pen(PS_SOLID, 1, kRed);
    auto selected = dc.SelectObject(pen);
    dc.MoveTo(0, client.bottom / 2);
    dc.LineTo(client.right, client.bottom / 2);
    return 0;
}
}  // namespace

TEST(MemDC, PaintsAWindowThatAUserThenSees)
{
    WNDCLASSA cls{};
    cls.lpfnWndProc = PaintedProc;
    cls.hInstance = ::GetModuleHandleA(nullptr);
    cls.lpszClassName = "QuervixMemDCTest";
    cls.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    ::RegisterClassA(&cls);
    HWND window = ::CreateWindowExA(WS_EX_TOPMOST, cls.lpszClassName, "", WS_POPUP | WS_VISIBLE, 100, 100, 80, 40,
                                    nullptr, nullptr, cls.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    ::UpdateWindow(window);
    const harness::Image image = harness::CaptureWindow(window);
    ::DestroyWindow(window);
    ASSERT_FALSE(image.IsEmpty());
    EXPECT_EQ(image.At(0, 0), harness::Rgb(RGB(255, 255, 255)));
    EXPECT_EQ(image.At(79, 39), harness::Rgb(RGB(0, 0, 0)));
    EXPECT_EQ(image.At(10, 10), harness::Rgb(RGB(255, 255, 0)));
    EXPECT_EQ(image.At(40, 20), harness::Rgb(kRed));
}
