// The GDI wrappers on real device contexts: owners delete, guards restore (also on
// early return and after a move), and the drawing helpers put pixels where they say.
#include <gtest/gtest.h>

#include "GuiResources.h"
#include "platform/GdiDC.h"

namespace {
bool IsLive(HGDIOBJ object) { return ::GetObjectType(object) != 0; }

// A 40x30 memory surface, white, for checking pixels.
struct Surface {
    CCompatibleDC dc{nullptr};
    CBitmap bitmap;
    CSelectGuard selected;
    Surface()
    {
        CClientDC screen(nullptr);
        bitmap.CreateCompatibleBitmap(screen, 40, 30);
        selected = dc.SelectObject(bitmap);
        dc.FillSolidRect(CRect(0, 0, 40, 30), RGB(255, 255, 255));
    }
};
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

TEST(GdiOwners, ReportTheirObjectsProperties)
{
    LOGFONTA wanted{};
    wanted.lfHeight = -13;
    wanted.lfWeight = FW_BOLD;
    lstrcpyA(wanted.lfFaceName, "Tahoma");
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(wanted));
    LOGFONTA got{};
    ASSERT_TRUE(font.GetLogFont(got));
    EXPECT_EQ(got.lfWeight, FW_BOLD);
    EXPECT_EQ(got.lfHeight, -13);

    CClientDC screen(nullptr);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(screen, 17, 9));
    EXPECT_EQ(bitmap.GetSize(), CSize(17, 9));
    EXPECT_EQ(CBitmap().GetSize(), CSize(0, 0));

    CRgn region;
    ASSERT_TRUE(region.CreateRectRgn(1, 2, 3, 4));
    RECT box{};
    EXPECT_EQ(::GetRgnBox(region, &box), SIMPLEREGION);
    EXPECT_EQ(CRect(box), CRect(1, 2, 3, 4));
    // A stock object in a view is never deleted.
    { CFontView stock = StockFont(ANSI_VAR_FONT); ASSERT_TRUE(stock); }
    EXPECT_TRUE(IsLive(::GetStockObject(ANSI_VAR_FONT)));
}

TEST(GdiSelection, GuardsPutThePreviousObjectBackEvenOnEarlyReturn)
{
    Surface s;
    const HPEN originalPen = s.dc.GetCurrentPen();
    const HFONT originalFont = s.dc.GetCurrentFont();
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    CFont bold;
    LOGFONTA lf{};
    ASSERT_TRUE(s.dc.GetCurrentLogFont(lf));
    lf.lfWeight = FW_BOLD;
    ASSERT_TRUE(bold.CreateFontIndirect(lf));

    auto drawAndBailOut = [&](bool early) {
        auto pen = s.dc.SelectObject(red);
        auto font = s.dc.SelectObject(bold);
        EXPECT_EQ(s.dc.GetCurrentPen(), red.GetSafeHandle());
        EXPECT_EQ(s.dc.GetCurrentFont(), bold.GetSafeHandle());
        if (early) return;
        s.dc.MoveTo(0, 5);
        s.dc.LineTo(10, 5);
    };
    drawAndBailOut(true);
    EXPECT_EQ(s.dc.GetCurrentPen(), originalPen);
    EXPECT_EQ(s.dc.GetCurrentFont(), originalFont);
    drawAndBailOut(false);
    EXPECT_EQ(s.dc.GetCurrentPen(), originalPen);
    EXPECT_EQ(s.dc.GetPixel(3, 5), RGB(255, 0, 0));

    // A moved guard restores once, from where it ended up.
    CSelectGuard outer;
    {
        auto inner = s.dc.SelectObject(red);
        outer = std::move(inner);
    }
    EXPECT_EQ(s.dc.GetCurrentPen(), red.GetSafeHandle());
    outer.Restore();
    EXPECT_EQ(s.dc.GetCurrentPen(), originalPen);

    // Re-selecting through the same guard keeps the newest object selected and still
    // remembers what the DC had before the first selection.
    CPen blue(PS_SOLID, 1, RGB(0, 0, 255));
    {
        auto pen = s.dc.SelectObject(red);
        pen = s.dc.SelectObject(blue);
        EXPECT_EQ(s.dc.GetCurrentPen(), blue.GetSafeHandle());
    }
    EXPECT_EQ(s.dc.GetCurrentPen(), originalPen);

    // A failed selection has nothing to restore and says so.
    auto none = s.dc.SelectObject(static_cast<HPEN>(nullptr));
    EXPECT_FALSE(none.Succeeded());
}

TEST(GdiSelection, ClipGuardsUnwindToThePreviousClip)
{
    Surface s;
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
            s.dc.FillSolidRect(CRect(0, 0, 40, 30), RGB(0, 0, 255));
        }
        CRect box;
        s.dc.GetClipBox(box);
        EXPECT_EQ(box, CRect(0, 0, 20, 30));
    }
    EXPECT_EQ(::GetClipRgn(s.dc, probe), 0);
    ::DeleteObject(probe);
    EXPECT_EQ(s.dc.GetPixel(10, 7), RGB(0, 0, 255));
    EXPECT_EQ(s.dc.GetPixel(25, 7), RGB(255, 255, 255));
    EXPECT_EQ(s.dc.GetPixel(10, 12), RGB(255, 255, 255));
}

TEST(GdiDrawing, FillsFramesAndTextLandWhereExpected)
{
    Surface s;
    s.dc.SetBkColor(RGB(9, 9, 9));
    s.dc.FillSolidRect(2, 2, 3, 3, RGB(0, 128, 0));
    EXPECT_EQ(s.dc.GetBkColor(), RGB(9, 9, 9));  // the fill keeps the DC's background colour
    EXPECT_EQ(s.dc.GetPixel(4, 4), RGB(0, 128, 0));
    EXPECT_EQ(s.dc.GetPixel(5, 5), RGB(255, 255, 255));

    s.dc.Draw3dRect(CRect(10, 10, 20, 18), RGB(255, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(s.dc.GetPixel(10, 10), RGB(255, 0, 0));  // top-left corner
    EXPECT_EQ(s.dc.GetPixel(18, 10), RGB(255, 0, 0));  // top row
    EXPECT_EQ(s.dc.GetPixel(19, 10), RGB(0, 0, 255));  // right column, top
    EXPECT_EQ(s.dc.GetPixel(10, 17), RGB(0, 0, 255));  // bottom row
    EXPECT_EQ(s.dc.GetPixel(15, 14), RGB(255, 255, 255));  // inside untouched
    EXPECT_EQ(s.dc.GetPixel(20, 14), RGB(255, 255, 255));  // outside untouched

    {
        auto state = s.dc.SaveState();
        s.dc.SetTextColor(RGB(1, 2, 3));
        s.dc.SetWindowOrg(5, 5);
        EXPECT_EQ(s.dc.GetWindowOrg(), CPoint(5, 5));
    }
    EXPECT_EQ(s.dc.GetWindowOrg(), CPoint(0, 0));
    EXPECT_NE(s.dc.GetTextColor(), RGB(1, 2, 3));

    auto font = s.dc.SelectObject(StockFont(ANSI_VAR_FONT));
    CRect measured(0, 0, 0, 0);
    s.dc.DrawText("Wide text", measured, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(measured.Size(), s.dc.GetTextExtent("Wide text"));
    EXPECT_GT(s.dc.GetTextExtent("WW").cx, s.dc.GetTextExtent("W").cx);
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

    const long before = harness::CountGuiObjects().gdi;
    HWND window = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    for (int i = 0; i < 50; ++i) {
        CClientDC client(window);
        CWindowDC whole(window);
        ASSERT_TRUE(client.GetSafeHdc() && whole.GetSafeHdc());
    }
    ::DestroyWindow(window);
    EXPECT_EQ(harness::CountGuiObjects().gdi, before);
}
