// Moving ORDER BY keys with the arrow buttons: checked keys move whole, unchecked rows
// stay where they are.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "QueryBuilderDriver.h"

using namespace dlltest;

namespace {

using Rows = std::vector<std::vector<std::string>>;

// Field and direction of each ORDER BY row, top to bottom.
Rows OrderByRows(HWND grid)
{
    Rows rows;
    for (int row = 0; row < harness::ListViewRowCount(grid); ++row)
        rows.push_back({harness::ListViewCell(grid, row, 1), harness::ListViewCell(grid, row, 2)});
    return rows;
}

bool SelectRow(HWND grid, int row)
{
    return harness::ClickListViewCell(grid, row, 1) &&
           harness::WaitUntil([&] { return harness::ListViewSelectedRow(grid) == row; });
}

TEST(OrderByMoves, CheckedKeysMoveWholeAndUncheckedRowsStayPut)
{
    QueryRun run("T", "A\tB\tC\t", "SELECT * FROM T ORDER BY C,A DESC");
    ASSERT_NE(run.Dialog(), nullptr);
    HWND grid = run.Control(kOrderByGrid);
    ASSERT_EQ(OrderByRows(grid), (Rows{{"A", "DESC"}, {"B", ""}, {"C", ""}}));

    // Shown selected, the checked key's empty direction takes the blank choice.
    ASSERT_TRUE(SelectRow(grid, 2));
    ASSERT_TRUE(run.Click(kMoveUp));
    ASSERT_TRUE(run.PreviewBecomes("SELECT * FROM T ORDER BY A DESC,C"));
    EXPECT_EQ(OrderByRows(grid), (Rows{{"A", "DESC"}, {"C", "   "}, {"B", ""}}));
    EXPECT_EQ(harness::ListViewSelectedRow(grid), 1) << "the moved key stays selected";

    ASSERT_TRUE(run.Click(kMoveUp));
    ASSERT_TRUE(run.PreviewBecomes("SELECT * FROM T ORDER BY C,A DESC"));
    EXPECT_EQ(OrderByRows(grid), (Rows{{"C", "   "}, {"A", "DESC"}, {"B", ""}}));

    // Up on the first row changes nothing.
    ASSERT_TRUE(run.Click(kMoveUp));
    harness::PumpMessagesFor(100);
    EXPECT_EQ(OrderByRows(grid), (Rows{{"C", "   "}, {"A", "DESC"}, {"B", ""}}));

    // An unchecked row does not move, up or down.
    ASSERT_TRUE(SelectRow(grid, 2));
    for (int button : {kMoveUp, kMoveDown}) {
        ASSERT_TRUE(run.Click(button));
        harness::PumpMessagesFor(100);
        EXPECT_EQ(OrderByRows(grid), (Rows{{"C", "   "}, {"A", "DESC"}, {"B", ""}}));
    }

    // A checked key moves down past an unchecked row, its direction with it.
    ASSERT_TRUE(SelectRow(grid, 1));
    ASSERT_TRUE(run.Click(kMoveDown));
    harness::PumpMessagesFor(100);
    EXPECT_EQ(OrderByRows(grid), (Rows{{"C", "   "}, {"B", ""}, {"A", "DESC"}}));
    EXPECT_EQ(run.Preview(), "SELECT * FROM T ORDER BY C,A DESC");
    ASSERT_TRUE(run.Click(IDOK));
    ASSERT_TRUE(run.Finish());
    EXPECT_EQ(run.ReturnedText(), "SELECT * FROM T ORDER BY C,A DESC");
}

}  // namespace
