// The GDI wrappers on real device contexts: owners delete, guards restore (also on
// early return, after a move and after a second selection), and the drawing helpers
// put pixels where they say.
#include <gtest/gtest.h>

#include "GuiResources.h"
#include "Surface.h"

namespace {
bool IsLive(HGDIOBJ object) { return ::GetObjectType(object) != 0; }
}  // namespace

TEST(GdiOwners, DeleteAtScopeEndAndTransferOnMoveAndDetach)
{
    HPEN penHandle = nullptr;
    HBRUSH detached = nullptr;
    {
        CPen pen(PS_SOLID, 1, RGB(10, 20, 30));
        ASSERT_TRUE(pen);
        penHandle = pen;
        CPen moved = std::move(pen);
        EXPECT_FALSE(pen);
        EXPECT_EQ(moved.GetSafeHandle(), penHandle);

        CBrush brush(RGB(1, 2, 3));
        detached = brush.Detach();
        EXPECT_FALSE(brush);
    }
    EXPECT_FALSE(IsLive(penHandle));
    EXPECT_TRUE(IsLive(detached));
    ::DeleteObject(detached);

    CBrush first(RGB(1, 1, 1));
    HBRUSH replaced = first;
    ASSERT_TRUE(first.CreateSolidBrush(RGB(2, 2, 2)));
    EXPECT_FALSE(IsLive(replaced));  // re-creating deletes the old object
    CBrush second(RGB(3, 3, 3));
    HBRUSH overwritten = second;
    second = std::move(first);
    EXPECT_FALSE(IsLive(overwritten));
}

TEST(GdiSelection, GuardsPutTheFirstPreviousObjectBackOnce)
{
    Surface s(40, 30, kWhite);
    const HPEN originalPen = s.dc.GetCurrentPen();
    CPen red(PS_SOLID, 1, kRed), blue(PS_SOLID, 1, kBlue);

    auto drawAndBailOut = [&](bool early) {
        auto pen = s.dc.SelectObject(red);
        EXPECT_EQ(s.dc.GetCurrentPen(), red.GetSafeHandle());
        if (early) return;
        s.dc.MoveTo(0, 5);
        s.dc.LineTo(10, 5);
    };
    drawAndBailOut(true);
    EXPECT_EQ(s.dc.GetCurrentPen(), originalPen);
    drawAndBailOut(false);
    EXPECT_EQ(s.dc.GetCurrentPen(), originalPen);
    EXPECT_EQ(s.dc.GetPixel(3, 5), kRed);

    // A moved guard restores once, from where it ended up.
    CSelectGuard outer;
    {
        auto inner = s.dc.SelectObject(red);
        outer = std::move(inner);
    }
    EXPECT_EQ(s.dc.GetCurrentPen(), red.GetSafeHandle());
    outer.Restore();
    EXPECT_EQ(s.dc.GetCurrentPen(), originalPen);

    // Assigning a second selection keeps the newest object selected and still
    // remembers what the DC had before the first.
    {
        auto pen = s.dc.SelectObject(red);
        pen = s.dc.SelectObject(blue);
        EXPECT_EQ(s.dc.GetCurrentPen(), blue.GetSafeHandle());
    }
    EXPECT_EQ(s.dc.GetCurrentPen(), originalPen);

    auto none = s.dc.SelectObject(static_cast<HPEN>(nullptr));
    EXPECT_FALSE(none.Succeeded());  // nothing to restore, and it says so
}

TEST(GdiSelection, ClipGuardsUnwindToThePreviousClip)
{
    Surface s(40, 30, kWhite);
    HRGN probe = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(::GetClipRgn(s.dc, probe), 0);  // no clip region to begin with
    CRgn left;
    left.CreateRectRgn(0, 0, 20, 30);
    {
        auto clip = s.dc.SelectClipRgn(left);
        EXPECT_EQ(clip.Result(), SIMPLEREGION);
        {
            auto narrower = s.dc.IntersectClipRect(CRect(5, 5, 30, 10));
            CRect box;
            s.dc.GetClipBox(box);
            EXPECT_EQ(box, CRect(5, 5, 20, 10));
            s.dc.FillSolidRect(CRect(0, 0, 40, 30), kBlue);
        }
        CRect box;
        s.dc.GetClipBox(box);
        EXPECT_EQ(box, CRect(0, 0, 20, 30));
    }
    EXPECT_EQ(::GetClipRgn(s.dc, probe), 0);
    ::DeleteObject(probe);
    ExpectPixels(s, {{10, 7, kBlue}, {25, 7, kWhite}, {10, 12, kWhite}});
}

TEST(GdiDrawing, FillsFramesAndSavedStatesLandWhereExpected)
{
    Surface s(40, 30, kWhite);
    s.dc.SetBkColor(RGB(9, 9, 9));
    s.dc.FillSolidRect(2, 2, 3, 3, RGB(0, 128, 0));
    EXPECT_EQ(s.dc.GetBkColor(), RGB(9, 9, 9));  // the fill keeps the DC's background colour

    s.dc.Draw3dRect(CRect(10, 10, 20, 18), kRed, kBlue);
    ExpectPixels(s, {{4, 4, RGB(0, 128, 0)}, {5, 5, kWhite},   // the fill's last pixel and past it
                     {10, 10, kRed}, {18, 10, kRed},           // top-left corner, top row
                     {19, 10, kBlue}, {10, 17, kBlue},         // right column's top, bottom row
                     {15, 14, kWhite}, {20, 14, kWhite}});     // inside and outside untouched
    {
        auto state = s.dc.SaveState();
        s.dc.SetTextColor(RGB(1, 2, 3));
        s.dc.SetWindowOrg(5, 5);
    }
    EXPECT_EQ(s.dc.GetWindowOrg(), CPoint(0, 0));
    EXPECT_NE(s.dc.GetTextColor(), RGB(1, 2, 3));
}

TEST(GdiDeviceContexts, OwnersReleaseWhatTheyGot)
{
    HDC memory = nullptr;
    {
        CCompatibleDC dc(nullptr);
        memory = dc;
        ASSERT_EQ(::GetObjectType(memory), static_cast<DWORD>(OBJ_MEMDC));
    }
    EXPECT_EQ(::GetObjectType(memory), 0u);

    HWND window = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(harness::LeavesNoObjectsBehind([&] {
        CClientDC client(window);
        CWindowDC whole(window);
        ASSERT_TRUE(client.GetSafeHdc() && whole.GetSafeHdc());
    }, 50));
    ::DestroyWindow(window);
}
