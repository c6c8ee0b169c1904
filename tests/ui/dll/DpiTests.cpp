// The dialog at the screen's dots per inch: the suite runs at 96, and its Dpi test again in Wine
// prefixes of 144 and 192 (tests/ui/dll/CMakeLists.txt). The dialog's fonts and dialog units
// follow the DPI; what the library draws in pixels must grow with them.
#include <commctrl.h>

#include <algorithm>
#include <functional>

#include "Driver.h"

namespace dlltest {
namespace {

// The smallest rectangle holding every pixel that passes the test, of a rectangle in window's
// client coordinates as the screen shows it.
SIZE Extent(HWND window, RECT area, const std::function<bool(uint32_t)>& test)
{
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    const harness::Image shot = harness::CaptureScreenArea(area);
    int left = shot.width, top = shot.height, right = -1, bottom = -1;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            if (test(shot.At(x, y))) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    return SIZE{std::max(right - left + 1, 0), std::max(bottom - top + 1, 0)};
}

void ExpectScaled(const std::string& what, SIZE seen, SIZE at96, int dpi)
{
    EXPECT_NEAR(seen.cx, ::MulDiv(at96.cx, dpi, 96), 1) << what << " width at " << dpi << " dpi";
    EXPECT_NEAR(seen.cy, ::MulDiv(at96.cy, dpi, 96), 1) << what << " height at " << dpi << " dpi";
}

// The image buttons' signs (their sizes in the 32-pixel pictures), the grid's ticks and its
// drop-down arrows keep their size against the dialog; the grid's rows, boxes and buttons
// follow its font. The picture of each DPI goes to the README.
TEST(Dpi, IconsTicksAndArrowsScaleWithTheDialog)
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    QueryRun run("Customers", "ID\tName\tCity\tOrder Date\tUnit Price\t",
                 "SELECT Name,City FROM Customers WHERE  ( City = 'Oslo' ) AND ( [Unit Price] > 10 ) ORDER BY Name DESC,City");
    ASSERT_NE(run.Dialog(), nullptr);
    HWND where = run.Control(kWhereGrid), orderBy = run.Control(kOrderByGrid);
    ASSERT_TRUE(harness::ClickListViewCell(where, 1, kValue));  // a selected row shows its buttons
    ASSERT_TRUE(harness::WaitUntil([&] { return harness::ListViewSelectedRow(where) == 1; }));
    ASSERT_TRUE(harness::MoveMouseTo(run.Dialog(), POINT{4, 4}));
    harness::SaveScreenshot(harness::CaptureWindow(run.Dialog()), "query_builder_" + std::to_string(dpi) + "dpi.bmp");

    auto colourful = [](uint32_t p) { return (p >> 16) != ((p >> 8) & 0xFF) || ((p >> 8) & 0xFF) != (p & 0xFF); };
    auto black = [](uint32_t p) { return p == 0; };
    for (const auto& [button, sign] : {std::pair{kAddWhere, SIZE{16, 16}}, std::pair{kRemoveWhere, SIZE{16, 4}},
                                       std::pair{kMoveUp, SIZE{14, 12}}, std::pair{kMoveDown, SIZE{14, 12}}}) {
        RECT client{};
        ::GetClientRect(run.Control(button), &client);
        ExpectScaled("the sign of button " + std::to_string(button), Extent(run.Control(button), client, colourful),
                     sign, dpi);
    }
    // The ticked key "Name", in the first column: its tick is all that is black there.
    RECT cell{LVIR_BOUNDS, kKeyCheck, 0, 0};
    harness::Query(orderBy, LVM_GETSUBITEMRECT, 1, reinterpret_cast<LPARAM>(&cell));
    cell.right = cell.left + static_cast<LONG>(harness::Query(orderBy, LVM_GETCOLUMNWIDTH, kKeyCheck));
    ExpectScaled("tick", Extent(orderBy, cell, black), SIZE{7, 7}, dpi);
    // The selected condition's operator: the arrow is all that is black inside its button's edges.
    cell = RECT{LVIR_BOUNDS, kOperator, 0, 0};
    harness::Query(where, LVM_GETSUBITEMRECT, 1, reinterpret_cast<LPARAM>(&cell));
    cell.left = cell.right - (cell.bottom - cell.top);
    const int edges = ::MulDiv(2, dpi, 96) + 2;
    ::InflateRect(&cell, -edges, -edges);
    ExpectScaled("drop-down arrow", Extent(where, cell, black), SIZE{5, 3}, dpi);

    ASSERT_TRUE(run.End(IDCANCEL));
}

}  // namespace
}  // namespace dlltest
