// How the dialog looks at the screen's dots per inch: the suite runs at 96, and its Dpi test
// again in Wine prefixes of 144 and 192 (tests/ui/dll/CMakeLists.txt). The dialog's fonts and
// dialog units follow the DPI; what the library draws in pixels must grow with them, and its
// colours hold at each.
#include <commctrl.h>

#include <algorithm>
#include <functional>

#include "Driver.h"

namespace dlltest {
namespace {

struct Seen {
    int count;
    SIZE extent;  // of the smallest rectangle holding them
};

// The pixels that pass a test in a rectangle of window's client coordinates (its whole client
// area when none is given), as the screen shows it.
Seen Scan(HWND window, const std::function<bool(uint32_t)>& test, RECT area = RECT{})
{
    if (::IsRectEmpty(&area)) ::GetClientRect(window, &area);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    const harness::Image shot = harness::CaptureScreenArea(area);
    int count = 0, left = shot.width, top = shot.height, right = -1, bottom = -1;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            if (test(shot.At(x, y))) {
                ++count;
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    return Seen{count, SIZE{std::max(right - left + 1, 0), std::max(bottom - top + 1, 0)}};
}

void ExpectScaled(const std::string& what, SIZE seen, SIZE at96, int dpi)
{
    EXPECT_NEAR(seen.cx, ::MulDiv(at96.cx, dpi, 96), 1) << what << " width at " << dpi << " dpi";
    EXPECT_NEAR(seen.cy, ::MulDiv(at96.cy, dpi, 96), 1) << what << " height at " << dpi << " dpi";
}

// The labels are blue (the preview's caption black), the preview white, the empty WHERE grid
// says how to begin and the grids hide their headers. The image buttons' signs (their sizes in
// the 32-pixel pictures), the grid's ticks and its drop-down arrows keep their size against
// the dialog; the grid's rows, boxes and buttons follow its font. The picture of each DPI goes
// to the README.
TEST(Dpi, ColoursIconsTicksAndArrowsScaleWithTheDialog)
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    QueryRun run("Customers", "ID\tName\tCity\tOrder Date\tUnit Price\t",
                 "SELECT Name,[Order Date] FROM Customers ORDER BY Name DESC,City");
    ASSERT_NE(run.Dialog(), nullptr);
    HWND orderBy = run.Control(kOrderByGrid);
    ASSERT_TRUE(harness::ClickListViewCell(orderBy, 0, kKeyField));  // a selected row shows its buttons
    ASSERT_TRUE(harness::WaitUntil([&] { return harness::ListViewSelectedRow(orderBy) == 0; }));
    ASSERT_TRUE(harness::MoveMouseTo(run.Dialog(), POINT{4, 4}));
    harness::SaveScreenshot(harness::CaptureWindow(run.Dialog()), "query_builder_" + std::to_string(dpi) + "dpi.bmp");

    auto is = [](uint32_t colour) { return [colour](uint32_t pixel) { return pixel == colour; }; };
    for (int label : {1000, 1001, 1004, 1006, 1009, 1012})
        EXPECT_GT(Scan(run.Control(label), is(0x0000FF)).count, 10) << "label " << label;
    EXPECT_EQ(Scan(run.Control(1002), is(0x0000FF)).count, 0) << "the preview's caption is black";
    RECT preview{};
    ::GetClientRect(run.Control(kPreview), &preview);
    EXPECT_GT(Scan(run.Control(kPreview), is(0xFFFFFF)).count, preview.right * preview.bottom / 2);
    EXPECT_GT(Scan(run.Control(kWhereGrid), is(harness::Rgb(::GetSysColor(COLOR_WINDOWTEXT)))).count, 20);
    RECT firstRow{LVIR_BOUNDS, 0, 0, 0};
    ASSERT_TRUE(harness::Query(orderBy, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&firstRow)));
    EXPECT_EQ(firstRow.top, 0) << "a header above the first row";

    auto colourful = [](uint32_t p) { return (p >> 16) != ((p >> 8) & 0xFF) || ((p >> 8) & 0xFF) != (p & 0xFF); };
    for (const auto& [button, sign] : {std::pair{kAddWhere, SIZE{16, 16}}, std::pair{kRemoveWhere, SIZE{16, 4}},
                                       std::pair{kMoveUp, SIZE{14, 12}}, std::pair{kMoveDown, SIZE{14, 12}}})
        ExpectScaled("the sign of button " + std::to_string(button), Scan(run.Control(button), colourful).extent, sign, dpi);
    // The ticked key "City", unselected, in the first column: its tick is all that is black there.
    RECT cell{LVIR_BOUNDS, kKeyCheck, 0, 0};
    harness::Query(orderBy, LVM_GETSUBITEMRECT, 1, reinterpret_cast<LPARAM>(&cell));
    cell.right = cell.left + static_cast<LONG>(harness::Query(orderBy, LVM_GETCOLUMNWIDTH, kKeyCheck));
    auto black = [](uint32_t p) { return p == 0; };
    ExpectScaled("tick", Scan(orderBy, black, cell).extent, SIZE{7, 7}, dpi);
    // The selected key's direction: the arrow is all that is black inside its button's edges.
    cell = RECT{LVIR_BOUNDS, kKeyDirection, 0, 0};
    harness::Query(orderBy, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
    cell.left = cell.right - (cell.bottom - cell.top);
    const int edges = ::MulDiv(2, dpi, 96) + 2;
    ::InflateRect(&cell, -edges, -edges);
    ExpectScaled("drop-down arrow", Scan(orderBy, black, cell).extent, SIZE{5, 3}, dpi);

    ASSERT_TRUE(run.End(IDCANCEL));
}

}  // namespace
}  // namespace dlltest
