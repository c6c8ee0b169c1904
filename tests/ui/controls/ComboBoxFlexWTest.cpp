// The table combo's drop-down list: opened by a click, it widens to 7/8 of its widest
// name's extent in the list's plain DC, in place; it is measured once and never narrowed.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ControlsTestSupport.h"

using namespace harness;
using controls_test::HostRun;
using controls_test::PlacementLog;

namespace {

const std::string kLongTable = "HALVANE_CUSTOMER_ORDER_LINES_WITH_DISCOUNTS";

HWND DropDownListOf(HWND combo)
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    return ::GetComboBoxInfo(combo, &info) ? info.hwndList : nullptr;
}

RECT ScreenRect(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

LONG Width(const RECT& r) { return r.right - r.left; }
LONG Height(const RECT& r) { return r.bottom - r.top; }

// What the list needs by its own measure: 7/8 of each item's extent in the list's DC as
// GetDC hands it out, the widest of them.
int NeededWidth(HWND list, const std::vector<std::string>& items)
{
    HDC dc = ::GetDC(list);
    int widest = 0;
    for (const std::string& item : items) {
        SIZE extent{};
        ::GetTextExtentPoint32A(dc, item.c_str(), static_cast<int>(item.size()), &extent);
        widest = std::max(widest, static_cast<int>(extent.cx) * 7 / 8);
    }
    ::ReleaseDC(list, dc);
    return widest;
}

// Clicks further apart than a double click, as a user opening the list again would.
bool OpenList(HWND combo, HWND list)
{
    PumpMessagesFor(::GetDoubleClickTime() + 50);
    return ClickCenter(combo) && WaitUntil([&] { return IsVisible(list); });
}

bool CloseList(HWND list) { return PressKey(VK_ESCAPE) && WaitUntil([&] { return !IsVisible(list); }); }

int MeasuredWidth(HWND host, WPARAM which = 0) { return static_cast<int>(Query(host, WM_HOST_MAX_ITEM_WIDTH, which)); }

TEST(ComboBoxFlexW, OpeningWidensTheListToItsWidestNameInPlaceOnce)
{
    HostOptions options;
    options.tables = {"T1", kLongTable, "T2"};
    ControlsHost host(options);
    HostRun run(host);
    ASSERT_TRUE(run.Opened());
    HWND list = DropDownListOf(run.table);
    ASSERT_NE(list, nullptr);
    const int needed = NeededWidth(list, ComboItems(run.table));
    ASSERT_GT(needed, Width(ScreenRect(run.table)));
    ASSERT_EQ(MeasuredWidth(run.window), 0);

    PlacementLog placements(run.call.ThreadId());
    ASSERT_TRUE(OpenList(run.table, list));
    ASSERT_TRUE(WaitUntil([&] { return Width(ScreenRect(list)) == needed; }))
        << "list is " << Width(ScreenRect(list)) << " wide, needs " << needed;
    EXPECT_EQ(MeasuredWidth(run.window), needed);

    // The combo places the list, then the widening keeps its left, top and height.
    const std::vector<RECT> moves = placements.PlacementsOf(list);
    ASSERT_GE(moves.size(), 2u);
    const RECT& byCombo = moves[moves.size() - 2];
    const RECT& widened = moves.back();
    EXPECT_LT(Width(byCombo), needed);
    EXPECT_EQ(widened.left, byCombo.left);
    EXPECT_EQ(widened.top, byCombo.top);
    EXPECT_EQ(Height(widened), Height(byCombo));
    EXPECT_EQ(Width(widened), needed);
    EXPECT_EQ(widened.left, ScreenRect(run.table).left);

    RECT area = ScreenRect(run.window);
    const RECT shown = ScreenRect(list);
    area.right = std::max(area.right, shown.right + 8);
    area.bottom = std::max(area.bottom, shown.bottom + 8);
    controls_test::KeepScreenshot(CaptureScreenArea(area), "table_combo_widened.bmp");
    ASSERT_TRUE(CloseList(list));

    // Measured once: a longer name added later neither measures again nor narrows it.
    const std::string longer = kLongTable + "_AND_THEIR_DELIVERY_ADDRESSES";
    Query(run.table, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(longer.c_str()));
    ASSERT_GT(NeededWidth(list, {longer}), needed);
    placements.Clear();
    ASSERT_TRUE(OpenList(run.table, list));
    ASSERT_TRUE(WaitUntil([&] { return placements.PlacementsOf(list).size() >= 2; }));
    PumpMessagesFor(200);
    EXPECT_EQ(Width(ScreenRect(list)), needed);
    EXPECT_EQ(MeasuredWidth(run.window), needed);

    ASSERT_TRUE(CloseList(list));
    EXPECT_TRUE(run.Close());
}

// Short names leave the wide combo's list as the combo placed it; the empty table combo
// is measured only once it has items.
TEST(ComboBoxFlexW, ShortNamesKeepTheCombosWidthAndAnEmptyListWaitsForItems)
{
    HostOptions options;
    options.wideTables = {"A", "B"};
    ControlsHost host(options);
    HostRun run(host);
    ASSERT_TRUE(run.Opened());
    HWND wideList = DropDownListOf(run.wideTable);
    PlacementLog placements(run.call.ThreadId());
    ASSERT_TRUE(OpenList(run.wideTable, wideList));
    ASSERT_TRUE(WaitUntil([&] { return MeasuredWidth(run.window, 1) > 0; }));
    PumpMessagesFor(200);
    const std::vector<RECT> moves = placements.PlacementsOf(wideList);
    ASSERT_FALSE(moves.empty());
    const RECT shown = ScreenRect(wideList);
    EXPECT_EQ(Width(shown), Width(moves.front()));  // only the combo placed it
    EXPECT_LT(MeasuredWidth(run.window, 1), Width(shown));
    EXPECT_GE(Width(shown), Width(ScreenRect(run.wideTable)) - 2);
    ASSERT_TRUE(CloseList(wideList));

    HWND list = DropDownListOf(run.table);
    ASSERT_TRUE(ClickCenter(run.table));
    PumpMessagesFor(300);
    EXPECT_EQ(MeasuredWidth(run.window), 0);
    if (IsVisible(list)) {
        ASSERT_TRUE(CloseList(list));
    }
    Query(run.table, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kLongTable.c_str()));
    const int needed = NeededWidth(list, {kLongTable});
    ASSERT_TRUE(OpenList(run.table, list));
    EXPECT_TRUE(WaitUntil([&] { return Width(ScreenRect(list)) == needed; }))
        << "list is " << Width(ScreenRect(list)) << " wide, needs " << needed;
    EXPECT_EQ(MeasuredWidth(run.window), needed);

    ASSERT_TRUE(CloseList(list));
    EXPECT_TRUE(run.Close());
}

}  // namespace
