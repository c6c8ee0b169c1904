// The table box of the real dialog: a When Printed table offered by a C++ host through
// the dialog object, chosen, accepted or cancelled, and the drop-down list that opens
// wide enough for a long table name.
#include <windows.h>

#include <gtest/gtest.h>

#include <tuple>

#include "QueryBuilderDriver.h"
#include "WhenPrintedDriver.h"

using namespace dlltest;

namespace {

const char kWpTable[] = "{When Printed}";

// Three tables the way a host adds them; the columns come from the first one added.
std::vector<HostTable> ThreeTables()
{
    return {{"t1", "A\tB\t"}, {"T2", "X\tY\tZ\t"}, {kWpTable, "W\t"}};
}

std::vector<std::string> OrderByFields(HWND grid)
{
    std::vector<std::string> fields;
    for (int row = 0; row < harness::ListViewRowCount(grid); ++row) fields.push_back(harness::ListViewCell(grid, row, 1));
    return fields;
}

TEST(WhenPrintedTable, ChoosingItAsksWithTheOtherTablesAndOkPutsTheTextInUnbracketed)
{
    ASSERT_NE(Quervix().createDialog, nullptr);
    QueryRun run(ThreeTables(), "SELECT A FROM [t1] ");
    ASSERT_NE(run.Dialog(), nullptr);
    ASSERT_TRUE(run.ChooseTable("t1"));
    ASSERT_TRUE(run.PreviewBecomes("SELECT A FROM [t1] "));

    ASSERT_TRUE(run.ChooseTable(kWpTable));
    WhenPrintedAsk ask(run.ThreadId());
    ASSERT_NE(ask.Window(), nullptr);
    EXPECT_EQ(ask.Choices(), (std::vector<std::string>{"T1", "T2"}));
    ASSERT_TRUE(ask.TypePrompt("Which table?"));
    ASSERT_TRUE(ask.Accept());
    // Blanks and quotes would make a table name bracketed; the text goes in as it is.
    ASSERT_TRUE(run.PreviewBecomes("SELECT A FROM {'Which table?'|'T1'} "));
    EXPECT_EQ(harness::ComboText(run.Control(kTableCombo)), kWpTable);

    // Another table afterwards: FROM follows it, the columns stay those of t1.
    ASSERT_TRUE(run.ChooseTable("T2"));
    ASSERT_TRUE(run.PreviewBecomes("SELECT A FROM [T2] "));
    EXPECT_EQ(harness::ListBoxItems(run.Control(kColumnList)), (std::vector<std::string>{"*", "A", "B"}));
    EXPECT_EQ(OrderByFields(run.Control(kOrderByGrid)), (std::vector<std::string>{"A", "B"}));
    ASSERT_TRUE(run.ClickColumnCheck(2));
    ASSERT_TRUE(run.PreviewBecomes("SELECT A,B FROM [T2] "));

    ASSERT_TRUE(run.Click(IDOK));
    ASSERT_TRUE(run.Finish());
    EXPECT_EQ(run.Result(), IDOK);
    EXPECT_EQ(run.ReturnedText(), "SELECT A,B FROM [T2] ");
}

TEST(WhenPrintedTable, CancelKeepsTheBoxOnTheEntryAndComposesNothing)
{
    ASSERT_NE(Quervix().createDialog, nullptr);
    QueryRun run(ThreeTables(), "");
    ASSERT_NE(run.Dialog(), nullptr);
    ASSERT_TRUE(run.ChooseTable("T2"));
    ASSERT_TRUE(run.PreviewBecomes("SELECT * FROM [T2] "));

    ASSERT_TRUE(run.ChooseTable(kWpTable));
    WhenPrintedAsk ask(run.ThreadId());
    ASSERT_NE(ask.Window(), nullptr);
    ASSERT_TRUE(ask.TypePrompt("never used"));
    ASSERT_TRUE(ask.Cancel());
    harness::PumpMessagesFor(200);
    EXPECT_EQ(harness::ComboText(run.Control(kTableCombo)), kWpTable);
    EXPECT_EQ(run.Preview(), "SELECT * FROM [T2] ");

    // The next composition takes the box's text as a table name.
    ASSERT_TRUE(run.ClickColumnCheck(1));
    EXPECT_TRUE(run.PreviewBecomes("SELECT A FROM [{When Printed}] "));
    ASSERT_TRUE(run.ChooseTable("t1"));
    EXPECT_TRUE(run.PreviewBecomes("SELECT A FROM [t1] "));

    ASSERT_TRUE(run.Click(IDCANCEL));
    ASSERT_TRUE(run.Finish());
    EXPECT_EQ(run.Result(), IDCANCEL);
    EXPECT_EQ(run.ReturnedText(), "SELECT A FROM [t1] ");
}

LONG Width(const RECT& rect) { return rect.right - rect.left; }

// What the list needs by its own measure: 7/8 of the name's extent in the list's DC as
// the system hands it out, with no font selected into it.
int NeededWidth(HWND list, const std::string& name)
{
    HDC dc = ::GetDC(list);
    SIZE extent{};
    ::GetTextExtentPoint32A(dc, name.c_str(), static_cast<int>(name.size()), &extent);
    ::ReleaseDC(list, dc);
    return static_cast<int>(extent.cx) * 7 / 8;
}

TEST(TableDropDown, ALongTableNameOpensTheListAtSevenEighthsOfItsExtentInPlace)
{
    const std::string table = "Halvane_Customer_Order_Lines_With_Discounts_And_Delivery_Addresses";
    QueryRun run(table, "ID\tName\t", "");
    ASSERT_NE(run.Dialog(), nullptr);
    HWND combo = run.Control(kTableCombo);
    HWND list = run.TableList();
    ASSERT_NE(list, nullptr);
    RECT box{};
    ::GetWindowRect(combo, &box);
    const int needed = NeededWidth(list, table);
    ASSERT_GT(needed, Width(box));

    ASSERT_TRUE(harness::ClickCenter(combo));
    ASSERT_TRUE(harness::WaitUntil([&] { return harness::IsVisible(list); }));
    RECT shown{};
    EXPECT_TRUE(harness::WaitUntil([&] { return ::GetWindowRect(list, &shown) && Width(shown) == needed; }))
        << "the list is " << Width(shown) << " wide, needs " << needed;
    EXPECT_EQ(shown.left, box.left) << "the list keeps the box's left edge";
    EXPECT_GE(shown.top, box.bottom - 2) << "the list still opens below the box";
    // The list shares the blue "Syntax:" label's id (1000); only the label is coloured blue.
    HDC dc = ::CreateCompatibleDC(nullptr);
    for (const auto& [message, control, blue] : {std::tuple{WM_CTLCOLORLISTBOX, list, false},
                                                  std::tuple{WM_CTLCOLORSTATIC, ::GetDlgItem(run.Dialog(), 1000), true}}) {
        ::SetTextColor(dc, RGB(0, 0, 0));
        harness::Query(run.Dialog(), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
        EXPECT_EQ(::GetTextColor(dc) == RGB(0, 0, 255), blue) << message;
    }
    ::DeleteDC(dc);

    // A second click on the box closes the list (Escape would not: the dialog eats it).
    harness::PumpMessagesFor(::GetDoubleClickTime() + 50);
    ASSERT_TRUE(harness::ClickCenter(combo));
    ASSERT_TRUE(harness::WaitUntil([&] { return !harness::IsVisible(list); }));
    EXPECT_EQ(run.Preview(), "SELECT * FROM " + table + " ");

    ASSERT_TRUE(run.Click(IDOK));
    ASSERT_TRUE(run.Finish());
    EXPECT_EQ(run.ReturnedText(), "SELECT * FROM " + table + " ");
}

}  // namespace
