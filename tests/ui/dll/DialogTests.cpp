// The dialog beyond its flows: OK refused with a message, a preview of any length, long
// names in tips and in the table list, the When Printed question's place and defaults, keys
// that must not close it on every tab stop, each showing the focus, that runs leave no objects
// behind, and how it looks at the screen's dots per inch: the suite runs at 96, and its Dpi
// test again in Wine prefixes of 144 and 192 (tests/ui/dll/CMakeLists.txt). The dialog's fonts
// and dialog units follow the DPI; what the library draws in pixels must grow with them, and
// its colours hold at each. Screenshots are kept.
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <tuple>

#include "Driver.h"

namespace dlltest {
namespace {

const char kAbc[] = "A\tB\tC\t";

// OK with nothing to select says why in a box offering OK only and leaves the dialog open.
TEST(Dialog, OkRefusesAnEmptySelectList)
{
    QueryRun run("T", kAbc, "");
    ASSERT_NE(run.Dialog(), nullptr);
    ASSERT_TRUE(run.ClickColumn(0));  // clears "*", the only checked item
    ASSERT_TRUE(harness::WaitUntil([&] { return run.ColumnChecks() == "0000"; }));
    EXPECT_EQ(run.Preview(), "SELECT * FROM T ") << "a failed composition is silent while editing";
    ASSERT_TRUE(run.Click(IDOK));
    HWND box = harness::WaitForWindow("Quervix", run.ThreadId());  // captioned with the module's name
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(harness::WindowText(::GetDlgItem(box, 0xFFFF)), "Syntax Error: SELECT ?Columns?");
    EXPECT_EQ(::GetDlgItem(box, IDCANCEL), nullptr);
    ASSERT_TRUE(harness::ClickCenter(::GetDlgItem(box, IDOK)));
    ASSERT_TRUE(harness::WaitForWindowGone(box));
    ASSERT_TRUE(run.ClickColumn(2));
    ASSERT_TRUE(run.PreviewBecomes("SELECT B FROM T "));
    ASSERT_TRUE(run.End(IDOK));
    EXPECT_EQ(run.ReturnedText(), "SELECT B FROM T ");
}

// A wide table's statement is one line of some hundred kilobytes: read or copied from the
// preview it is the statement to the character, whatever breaks the preview shows.
TEST(Dialog, APreviewOfAnyLengthReadsBackExact)
{
    std::string statement = "select ";
    for (int i = 0; i < 20000; ++i) statement += "Column" + std::to_string(i) + (i % 7 ? "," : ", ");
    statement += "\r\r\nfrom t\twhere x\r\n= 1";
    QueryRun run("T", kAbc, statement, static_cast<int>(statement.size()) + 1);
    ASSERT_NE(run.Dialog(), nullptr);
    EXPECT_EQ(run.Preview(), statement);
    ::SendMessageA(run.Control(kPreview), EM_SETSEL, 0, -1);
    ::SendMessageA(run.Control(kPreview), WM_COPY, 0, 0);
    std::string copied;
    if (::OpenClipboard(nullptr)) {
        HANDLE data = ::GetClipboardData(CF_TEXT);
        if (const char* text = data ? static_cast<const char*>(::GlobalLock(data)) : nullptr) copied = text;
        if (data) ::GlobalUnlock(data);
        ::CloseClipboard();
    }
    EXPECT_EQ(copied, statement);
    ASSERT_TRUE(run.End(IDCANCEL));
}

std::string ShownTipText(DWORD threadId)
{
    for (HWND window : harness::TopLevelWindows(threadId)) {
        char name[64] = {};
        ::GetClassNameA(window, name, sizeof name);
        if (::lstrcmpiA(name, TOOLTIPS_CLASSA) == 0) return harness::WindowText(window);
    }
    return std::string();
}

// Resting on a column shows its name cut to 79 characters; a long table name opens the
// table list at seven eighths of its extent, below the box.
TEST(Dialog, LongNamesShowInTipsAndTheTableList)
{
    const std::string longName(100, 'n'), table = "Halvane_Customer_Order_Lines_With_Discounts_And_Delivery_Addresses";
    QueryRun run(table, "ID\t" + longName + "\tCity\t", "");
    ASSERT_NE(run.Dialog(), nullptr);
    ASSERT_TRUE(harness::BringToForeground(run.Dialog()));
    for (const auto& [item, tip] : {std::pair{2, longName.substr(0, 79)}, std::pair{3, std::string("City")}}) {
        POINT point{};
        ASSERT_TRUE(harness::ListBoxItemPoint(run.Control(kColumnList), item, 40, point));
        ASSERT_TRUE(harness::MoveMouseTo(run.Control(kColumnList), point));
        EXPECT_TRUE(harness::WaitUntil([&] { return ShownTipText(run.ThreadId()) == tip; })) << ShownTipText(run.ThreadId());
    }
    HWND combo = run.Control(kTableCombo);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(::GetComboBoxInfo(combo, &info));
    HDC dc = ::GetDC(info.hwndList);  // the list's own measure: no font selected
    SIZE extent{};
    ::GetTextExtentPoint32A(dc, table.c_str(), static_cast<int>(table.size()), &extent);
    ::ReleaseDC(info.hwndList, dc);
    RECT box{}, shown{};
    ::GetWindowRect(combo, &box);
    ASSERT_TRUE(harness::ClickCenter(combo));
    EXPECT_TRUE(harness::WaitUntil([&] {
        return ::IsWindowVisible(info.hwndList) && ::GetWindowRect(info.hwndList, &shown) &&
               shown.right - shown.left == extent.cx * 7 / 8;
    })) << shown.right - shown.left;
    EXPECT_EQ(shown.left, box.left);
    EXPECT_GE(shown.top, box.bottom - 2);
    // The list shares the blue "Syntax:" label's id (1000); only the label is painted blue.
    HDC probe = ::CreateCompatibleDC(nullptr);
    for (const auto& [message, control, blue] : {std::tuple{WM_CTLCOLORLISTBOX, info.hwndList, false},
                                                  std::tuple{WM_CTLCOLORSTATIC, run.Control(1000), true}}) {
        ::SetTextColor(probe, RGB(0, 0, 0));
        harness::Query(run.Dialog(), message, reinterpret_cast<WPARAM>(probe), reinterpret_cast<LPARAM>(control));
        EXPECT_EQ(::GetTextColor(probe) == RGB(0, 0, 255), blue) << message;
    }
    ::DeleteDC(probe);
    ASSERT_TRUE(harness::ClickCenter(combo));  // closes it (Escape would not: the dialog eats it)
    ASSERT_TRUE(harness::WaitUntil([&] { return !::IsWindowVisible(info.hwndList); }));
    ASSERT_TRUE(run.End(IDOK));
    EXPECT_EQ(run.ReturnedText(), "SELECT * FROM " + table + " ");
}

// Centred over the disabled builder, defaults upper-cased and sorted, "*" chosen; Escape,
// which only the builder ignores, closes it and changes nothing. (Its answers: the flows.)
TEST(Dialog, TheWhenPrintedQuestionOpensCentredOverTheBuilder)
{
    QueryRun run("T", "Zeta\tname\tid\t{WHEN PRINTED}\t", "SELECT id FROM T ");
    HWND builder = run.Dialog();
    ASSERT_NE(builder, nullptr);
    ASSERT_TRUE(run.ClickColumn(4));
    HWND question = harness::WaitForWindow(kWhenPrintedCaption, run.ThreadId());
    ASSERT_NE(question, nullptr);
    HWND defaults = ::GetDlgItem(question, kDefault);
    EXPECT_EQ(harness::ComboItems(defaults), (std::vector<std::string>{"*", "ID", "NAME", "ZETA"}));
    EXPECT_EQ(harness::WindowText(defaults), "*");
    EXPECT_FALSE(::IsWindowEnabled(builder));
    RECT top{}, below{};
    ::GetWindowRect(question, &top);
    ::GetWindowRect(builder, &below);
    EXPECT_LE(std::abs((top.left + top.right) / 2 - (below.left + below.right) / 2), 1);
    EXPECT_LE(std::abs((top.top + top.bottom) / 2 - (below.top + below.bottom) / 2), 1);
    RECT both{std::min(top.left, below.left), std::min(top.top, below.top), std::max(top.right, below.right),
              std::max(top.bottom, below.bottom)};
    harness::PumpMessagesFor(100);
    harness::SaveScreenshot(harness::CaptureScreenArea(both), "when_printed_over_builder.bmp");
    ASSERT_TRUE(AnswerByKey(question, VK_ESCAPE));
    EXPECT_EQ(run.Preview(), "SELECT id FROM T ");
    ASSERT_TRUE(run.End(IDCANCEL));
}

// Tab reaches every control in turn, and each shows that it has the keyboard: the pixels
// around it differ between having the focus and having passed it on. The grids have rows
// but none selected; the image buttons and the clause boxes draw focus rectangles. Enter and
// Escape go to whichever control has the focus and close nothing.
TEST(Dialog, EveryTabStopShowsTheFocusAndKeepsTheDialogOpenOnEnterAndEscape)
{
    QueryRun run("T", kAbc, "SELECT A FROM T WHERE  ( B = 1 ) ORDER BY C");
    ASSERT_NE(run.Dialog(), nullptr);
    ASSERT_TRUE(harness::MoveMouseTo(run.Dialog(), POINT{4, 4}));
    std::vector<HWND> seen;
    std::string unmarked;
    for (HWND focused; seen.size() < 16 && std::count(seen.begin(), seen.end(), focused = harness::FocusedWindow(run.Dialog())) == 0;) {
        seen.push_back(focused);
        SCOPED_TRACE("control " + std::to_string(::GetDlgCtrlID(focused)));
        ASSERT_TRUE(harness::PressKey(VK_RETURN) && harness::PressKey(VK_ESCAPE));
        harness::PumpMessagesFor(100);
        ASSERT_TRUE(::IsWindowVisible(run.Dialog()));
        ASSERT_EQ(harness::FocusedWindow(run.Dialog()), focused);
        RECT area{}, dialog{};
        ::GetWindowRect(focused, &area);
        ::InflateRect(&area, 4, 4);
        const harness::Image withFocus = harness::CaptureScreenArea(area);
        if (::GetDlgCtrlID(focused) == kOrderByGrid && ::GetWindowRect(run.Dialog(), &dialog))
            harness::SaveScreenshot(harness::CaptureScreenArea(dialog), "focus_on_order_by_grid.bmp");
        ASSERT_TRUE(harness::PressKey(VK_TAB));
        ASSERT_TRUE(harness::WaitUntil([&] { return harness::FocusedWindow(run.Dialog()) != focused; }));
        harness::PumpMessagesFor(100);
        if (withFocus.pixels == harness::CaptureScreenArea(area).pixels) unmarked += " " + std::to_string(::GetDlgCtrlID(focused));
    }
    EXPECT_EQ(seen.size(), 13u);
    EXPECT_EQ(unmarked, "") << "controls that show no focus";
    ASSERT_TRUE(run.End(IDCANCEL));
}

TEST(Dialog, TenRunsLeaveNoUserOrGdiObjectsBehind)
{
    int runs = 0;
    EXPECT_TRUE(harness::LeavesNoObjectsBehind([&] {
        QueryRun run("Customers", "ID\tName\tCity\t", runs % 2 ? "" : "SELECT Name FROM Customers WHERE  ( City = 'Oslo' ) ");
        ASSERT_NE(run.Dialog(), nullptr);
        ASSERT_TRUE(run.Click(kAddWhere));  // a row with records to free
        ASSERT_TRUE(run.End(runs++ % 2 ? IDOK : IDCANCEL));
    }, 10));
}

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
