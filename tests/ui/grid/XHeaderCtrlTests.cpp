// CXHeaderCtrl on a visible list view with reordered columns, read back from the screen:
// blue centred titles (one cut with an ellipsis), dividers, and the frame's width.
#include <gtest/gtest.h>

#include "Harness.h"
#include "grid/XHeaderCtrl.h"
#include "platform/WinApp.h"

namespace {

bool IsBlue(uint32_t p) { return (p & 0xFF) > ((p >> 16) & 0xFF) + 60 && (p & 0xFF) > ((p >> 8) & 0xFF) + 60; }

// Blue columns of one item: where the title starts and ends, and whether its last three
// marks are dots (at most 2 x 2 pixels each) as an ellipsis draws them.
struct Title {
    int left = -1, right = -1, exactBlue = 0;
    bool endsWithDots = false;
};

Title ReadTitle(const harness::Image& shot, const RECT& item)
{
    Title t;
    std::vector<int> rows;  // blue pixels per column, from item.left
    for (int x = item.left; x < item.right; ++x) {
        int n = 0;
        for (int y = 1; y < shot.height - 1; ++y) {
            n += IsBlue(shot.At(x, y));
            t.exactBlue += shot.At(x, y) == 0x0000FF;
        }
        rows.push_back(n);
        if (n > 0 && t.left < 0) t.left = x;
        if (n > 0) t.right = x;
    }
    int dots = 0, width = 0;
    for (int i = static_cast<int>(rows.size()) - 1; i >= 0 && dots < 3; --i) {
        if (rows[static_cast<size_t>(i)] > 2 || (rows[static_cast<size_t>(i)] && ++width > 2)) return t;
        if (!rows[static_cast<size_t>(i)] && width) { ++dots; width = 0; }
    }
    t.endsWithDots = dots == 3;
    return t;
}

TEST(HeaderPainting, TitlesDividersAndFrameFollowTheDisplayOrder)
{
    AfxInitCommonControls();
    HWND frame = ::CreateWindowExA(0, "STATIC", "Header host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 480, 200,
                                   nullptr, nullptr, nullptr, nullptr);
    HWND list = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 10, 10, 440, 140, frame,
                                  nullptr, nullptr, nullptr);
    CXHeaderCtrl header;
    ASSERT_TRUE(header.SubclassWindow(ListView_GetHeader(list)));
    struct Column { const char* title; int width; bool cut; } columns[] = {
        {"Name", 90, false}, {"ID", 60, false}, {"A title far too wide for its column", 110, true}, {"City", 80, false}};
    for (int c = 0; c < 4; ++c) {
        LVCOLUMNA col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        col.cx = columns[c].width;
        col.pszText = const_cast<char*>(columns[c].title);
        ASSERT_EQ(::SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col)), c);
    }
    int order[] = {2, 0, 3, 1};  // column 3 is not shown last, column 1 is
    ASSERT_TRUE(ListView_SetColumnOrderArray(list, 4, order));
    harness::PumpMessagesFor(100);

    const harness::Image shot = harness::CaptureWindow(header);
    ASSERT_FALSE(shot.IsEmpty());
    EXPECT_TRUE(harness::SaveBmp(shot, harness::ScreenshotPath("grid_header.bmp")));
    const uint32_t light = harness::Rgb(::GetSysColor(COLOR_BTNHIGHLIGHT)), dark = harness::Rgb(::GetSysColor(COLOR_BTNSHADOW));
    const uint32_t face = harness::Rgb(::GetSysColor(COLOR_BTNFACE));
    const int mid = shot.height / 2, margin = header.GetItemMargin();
    CClientDC dc(header);
    CSelectGuard font = dc.SelectObject(header.GetFont());

    int total = 0;
    for (int pos = 0; pos < 4; ++pos) {
        SCOPED_TRACE(columns[order[pos]].title);
        CRect rc;
        ASSERT_TRUE(header.GetItemRect(order[pos], rc));
        EXPECT_EQ(rc.left, total);
        total += columns[order[pos]].width;
        const Title t = ReadTitle(shot, rc);
        EXPECT_GT(t.exactBlue, 0);
        const int drawn = t.right - t.left + 1, full = dc.GetTextExtent(columns[order[pos]].title).cx;
        EXPECT_EQ(t.endsWithDots, columns[order[pos]].cut);
        if (columns[order[pos]].cut) {  // fills the item between its margins
            EXPECT_TRUE(t.left >= rc.left + margin && t.right < rc.right - margin && drawn < full) << t.left << ".." << t.right;
        } else {
            EXPECT_NEAR(drawn, full, 2);
            EXPECT_NEAR(t.left - rc.left, rc.right - 1 - t.right, 2) << "centred";
        }
        const bool last = pos == 3;
        EXPECT_EQ(shot.At(rc.right - 1, mid), dark);
        EXPECT_EQ(shot.At(rc.right, mid), last ? face : light) << "divider";
    }
    // The frame closes at the items' total width: light top and left, dark right and bottom.
    EXPECT_EQ(shot.At(0, mid), light);
    EXPECT_EQ(shot.At(total - 2, 0), light);
    EXPECT_EQ(shot.At(total / 2, shot.height - 1), dark);
    for (int y : {0, mid, shot.height - 1}) EXPECT_EQ(shot.At(total + 1, y), face) << y;
    ::DestroyWindow(frame);
}

}  // namespace
