// The dialog beyond its flows: OK refused with a message, a preview of any length, long
// names in tips and in the table list, the When Printed question's place and defaults, keys
// that must not close it on every tab stop, each showing the focus, and that runs leave no
// objects behind (how it looks: the Dpi test). Screenshots are kept.
#include <commctrl.h>

#include <algorithm>
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
    EXPECT_EQ(harness::WindowText(harness::FindControl(box, 0xFFFF)), "Syntax Error: SELECT ?Columns?");
    EXPECT_EQ(harness::FindControl(box, IDCANCEL), nullptr);
    ASSERT_TRUE(harness::ClickCenter(harness::FindControl(box, IDOK)));
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
    std::string text;
    ::EnumThreadWindows(threadId, [](HWND window, LPARAM found) -> BOOL {
        char name[64] = {};
        ::GetClassNameA(window, name, sizeof name);
        if (::lstrcmpiA(name, TOOLTIPS_CLASSA) != 0 || !::IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<std::string*>(found) = harness::WindowText(window);
        return FALSE;
    }, reinterpret_cast<LPARAM>(&text));
    return text;
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
    HWND defaults = harness::FindControl(question, kDefault);
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

}  // namespace
}  // namespace dlltest
