// Repeated runs leave no window or GDI object behind, and the dialog looks as designed:
// a screenshot is saved for people to look at and checked for the colours it must show.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "QueryBuilderDriver.h"

using namespace dlltest;

namespace {

const char kColumns[] = "ID\tName\tCity\tOrder Date\tUnit Price\t";

TEST(DialogResources, TenRunsLeaveNoUserOrGdiObjectsBehind)
{
    int runs = 0;
    EXPECT_TRUE(harness::LeavesNoObjectsBehind([&] {
        QueryRun run("Customers", kColumns, runs % 2 ? "" : "SELECT Name FROM Customers WHERE  ( City = 'Oslo' ) ");
        ASSERT_NE(run.Dialog(), nullptr);
        ASSERT_TRUE(run.Click(kAddWhere));  // a row with records to free
        ASSERT_TRUE(run.Click(runs % 2 ? IDOK : IDCANCEL));
        ASSERT_TRUE(run.Finish());
        ++runs;
    }, 10));
}

RECT ScreenRect(HWND control, bool clientOnly)
{
    RECT rect{};
    if (!clientOnly) {
        ::GetWindowRect(control, &rect);
        return rect;
    }
    ::GetClientRect(control, &rect);
    ::MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int Area(const RECT& rect)
{
    return (rect.right - rect.left) * (rect.bottom - rect.top);
}

// Counts the pixels of the captured dialog inside a screen rectangle that pass a test.
template <typename Test>
int CountPixels(const harness::Image& image, HWND dialog, const RECT& area, Test test)
{
    RECT frame{};
    ::GetWindowRect(dialog, &frame);
    int count = 0;
    for (LONG y = area.top - frame.top; y < area.bottom - frame.top; ++y)
        for (LONG x = area.left - frame.left; x < area.right - frame.left; ++x)
            if (x >= 0 && y >= 0 && x < image.width && y < image.height && test(image.At(x, y))) ++count;
    return count;
}

auto Is(uint32_t colour)
{
    return [colour](uint32_t pixel) { return pixel == colour; };
}

bool IsColourful(uint32_t pixel)
{
    const uint32_t r = pixel >> 16, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    return r != g || g != b;
}

TEST(DialogLook, LabelsAreBlueThePreviewWhiteAndTheButtonsCarryIcons)
{
    QueryRun run("Customers", kColumns, "SELECT Name,[Order Date] FROM Customers ORDER BY Name DESC");
    HWND dialog = run.Dialog();
    ASSERT_NE(dialog, nullptr);
    harness::PumpMessagesFor(300);
    const harness::Image shot = harness::CaptureWindow(dialog);
    ASSERT_FALSE(shot.IsEmpty());
    const std::string path = harness::ScreenshotPath("query_builder.bmp");
    EXPECT_TRUE(harness::SaveBmp(shot, path)) << path;

    const uint32_t blue = 0x0000FF, white = 0xFFFFFF;
    for (int label : {1000, 1001, 1004, 1006, 1009, 1012})
        EXPECT_GT(CountPixels(shot, dialog, ScreenRect(run.Control(label), false), Is(blue)), 10) << "label " << label;
    EXPECT_EQ(CountPixels(shot, dialog, ScreenRect(run.Control(1002), false), Is(blue)), 0)
        << "the preview's caption stays black";
    const RECT preview = ScreenRect(run.Control(kPreview), true);
    EXPECT_GT(CountPixels(shot, dialog, preview, Is(white)), Area(preview) / 2);

    // The WHERE grid has no rows and says how to begin, in the window-text colour.
    const RECT whereGrid = ScreenRect(run.Control(kWhereGrid), true);
    EXPECT_GT(CountPixels(shot, dialog, whereGrid, Is(harness::Rgb(::GetSysColor(COLOR_WINDOWTEXT)))), 20);
    // The four image buttons show their coloured icons.
    for (int button : {kAddWhere, kRemoveWhere, kMoveUp, kMoveDown})
        EXPECT_GT(CountPixels(shot, dialog, ScreenRect(run.Control(button), false), IsColourful), 10)
            << "button " << button;
    ASSERT_TRUE(run.Click(IDCANCEL));
    ASSERT_TRUE(run.Finish());
}

// The grids hide their headers: the first row starts at the top of the client area.
TEST(DialogLook, TheGridsShowNoHeader)
{
    QueryRun run("T", "A\tB\t", "");
    ASSERT_NE(run.Dialog(), nullptr);
    for (int id : {kWhereGrid, kOrderByGrid}) {
        HWND header = reinterpret_cast<HWND>(harness::Query(run.Control(id), LVM_GETHEADER));
        ASSERT_NE(header, nullptr);
        RECT rect{};
        ::GetWindowRect(header, &rect);
        EXPECT_TRUE(!harness::IsVisible(header) || rect.bottom <= rect.top) << "grid " << id;
    }
    RECT firstRow{};
    firstRow.left = LVIR_BOUNDS;
    ASSERT_TRUE(harness::Query(run.Control(kOrderByGrid), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&firstRow)));
    EXPECT_EQ(firstRow.top, 0);
    ASSERT_TRUE(run.Click(IDCANCEL));
    ASSERT_TRUE(run.Finish());
}

}  // namespace
