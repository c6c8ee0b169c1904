// The query builder as a user drives it: keys that must not close it, OK refused with a
// message, the clause check boxes, the preview, "+" and "-".
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "QueryBuilderDriver.h"

using namespace dlltest;

namespace {

const char kColumns[] = "A\tB\tC\t";

// Enter and Escape go to whichever control has the focus; none of them may end the run.
TEST(DialogKeys, EnterAndEscapeInAnyControlCloseNothing)
{
    QueryRun run("T", kColumns, "SELECT A FROM T WHERE  ( B = 1 ) ");
    HWND dialog = run.Dialog();
    ASSERT_NE(dialog, nullptr);
    const int controls[] = {kColumnList, kTableCombo, kWhereGrid, kOrderByGrid, kWhereEnabled,
                            kOrderByEnabled, kPreview, kAddWhere, IDOK, IDCANCEL};
    for (int id : controls) {
        SCOPED_TRACE("control " + std::to_string(id));
        HWND control = run.Control(id);
        ASSERT_NE(control, nullptr);
        ASSERT_TRUE(harness::BringToForeground(dialog));
        ASSERT_TRUE(harness::FocusControl(control));
        ASSERT_TRUE(harness::PressKey(VK_RETURN));
        ASSERT_TRUE(harness::PressKey(VK_ESCAPE));
        harness::LetInputArrive(dialog);
        harness::PumpMessagesFor(100);
        ASSERT_TRUE(::IsWindow(dialog));
        ASSERT_TRUE(harness::IsVisible(dialog));
    }
    // Nothing the keys could have done reached the statement either.
    EXPECT_EQ(run.Preview(), "SELECT A FROM T WHERE  ( B = 1 ) ");
    ASSERT_TRUE(run.Click(IDCANCEL));
    ASSERT_TRUE(run.Finish());
    EXPECT_EQ(run.Result(), 1);
}

TEST(DialogOk, NothingCheckedShowsTheSyntaxErrorAndKeepsTheDialogOpen)
{
    QueryRun run("T", kColumns, "");
    HWND dialog = run.Dialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(run.ClickColumnCheck(0));  // clears "*", the only checked item
    ASSERT_TRUE(harness::WaitUntil([&] { return run.ColumnCheck(0) == 0; }));
    // The failed composition is silent while editing: the last good statement stays.
    EXPECT_EQ(run.Preview(), "SELECT * FROM T ");

    ASSERT_TRUE(run.Click(IDOK));
    HWND box = WaitForMessageBox(run.ThreadId());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "Syntax Error: SELECT ?Columns?");
    EXPECT_EQ(harness::FindControl(box, IDCANCEL), nullptr) << "the box offers OK only";
    ASSERT_TRUE(harness::ClickCenter(harness::FindControl(box, IDOK)));
    ASSERT_TRUE(harness::WaitForWindowGone(box));

    EXPECT_TRUE(::IsWindow(dialog));
    EXPECT_TRUE(harness::IsEnabled(dialog));
    // The user fixes the statement and OK goes through.
    ASSERT_TRUE(run.ClickColumnCheck(2));
    ASSERT_TRUE(run.PreviewBecomes("SELECT B FROM T "));
    ASSERT_TRUE(run.Click(IDOK));
    ASSERT_TRUE(run.Finish());
    EXPECT_EQ(run.Result(), 0);
    EXPECT_EQ(run.ReturnedText(), "SELECT B FROM T ");
}

// A wide table's statement is one line of some hundred kilobytes: it shows in moments,
// and read or copied from the preview it is the statement to the character.
TEST(DialogPreview, AStatementOfAnyLengthShowsAtOnceAndReadsBackExact)
{
    std::string statement = "select ";
    for (int i = 0; i < 20000; ++i) statement += "Column" + std::to_string(i) + (i % 7 ? "," : ", ");
    statement += "\r\r\nfrom t\twhere x\r\n= 1";
    QueryRun run("T", kColumns, statement, static_cast<int>(statement.size()) + 1);
    ASSERT_NE(run.Dialog(), nullptr);
    EXPECT_EQ(run.Preview(), statement);
    HWND preview = run.Control(kPreview);
    ::SendMessageA(preview, EM_SETSEL, 0, -1);
    ::SendMessageA(preview, WM_COPY, 0, 0);
    std::string copied;
    if (::OpenClipboard(nullptr)) {
        HANDLE data = ::GetClipboardData(CF_TEXT);
        if (const char* text = data ? static_cast<const char*>(::GlobalLock(data)) : nullptr) copied = text;
        if (data) ::GlobalUnlock(data);
        ::CloseClipboard();
    }
    EXPECT_EQ(copied, statement);
    ASSERT_TRUE(run.Click(IDCANCEL));
    ASSERT_TRUE(run.Finish());
}

TEST(DialogPreview, TheStartingStatementStaysUntilTheFirstEdit)
{
    QueryRun run("T", kColumns, "select b from t");
    ASSERT_NE(run.Dialog(), nullptr);
    EXPECT_EQ(run.Preview(), "select b from t");
    harness::PumpMessagesFor(200);
    EXPECT_EQ(run.Preview(), "select b from t");
    ASSERT_TRUE(run.ClickColumnCheck(3));
    EXPECT_TRUE(run.PreviewBecomes("SELECT B,C FROM T "));
    ASSERT_TRUE(run.Click(IDCANCEL));
    ASSERT_TRUE(run.Finish());
}

TEST(DialogClauses, TheWhereCheckBoxSwitchesTheGridItsButtonsAndTheClause)
{
    QueryRun run("T", kColumns, "SELECT A FROM T WHERE  ( B = 1 ) OR ( C LIKE 'x%' ) ");
    ASSERT_NE(run.Dialog(), nullptr);
    const int whereControls[] = {kWhereGrid, kAddWhere, kRemoveWhere};
    for (int id : whereControls) EXPECT_TRUE(harness::IsEnabled(run.Control(id))) << id;

    ASSERT_TRUE(run.Click(kWhereEnabled));
    ASSERT_TRUE(run.PreviewBecomes("SELECT A FROM T "));
    EXPECT_EQ(harness::ButtonCheck(run.Control(kWhereEnabled)), BST_UNCHECKED);
    for (int id : whereControls) EXPECT_FALSE(harness::IsEnabled(run.Control(id))) << id;
    // Clicking the greyed "+" adds nothing.
    ASSERT_TRUE(run.Click(kAddWhere));
    EXPECT_EQ(harness::ListViewRowCount(run.Control(kWhereGrid)), 2);

    ASSERT_TRUE(run.Click(kWhereEnabled));
    EXPECT_TRUE(run.PreviewBecomes("SELECT A FROM T WHERE  ( B = 1 ) OR ( C LIKE 'x%' ) "));
    for (int id : whereControls) EXPECT_TRUE(harness::IsEnabled(run.Control(id))) << id;
    ASSERT_TRUE(run.Click(IDCANCEL));
    ASSERT_TRUE(run.Finish());
}

TEST(DialogClauses, TheOrderByCheckBoxSwitchesTheGridItsButtonsAndTheClause)
{
    QueryRun run("T", kColumns, "SELECT * FROM T ORDER BY C DESC,A");
    ASSERT_NE(run.Dialog(), nullptr);
    const int orderByControls[] = {kOrderByGrid, kMoveUp, kMoveDown};
    for (int id : orderByControls) EXPECT_TRUE(harness::IsEnabled(run.Control(id))) << id;

    ASSERT_TRUE(run.Click(kOrderByEnabled));
    ASSERT_TRUE(run.PreviewBecomes("SELECT * FROM T "));
    for (int id : orderByControls) EXPECT_FALSE(harness::IsEnabled(run.Control(id))) << id;

    ASSERT_TRUE(run.Click(kOrderByEnabled));
    // The rows keep the column order, so the keys come back in that order.
    EXPECT_TRUE(run.PreviewBecomes("SELECT * FROM T ORDER BY A,C DESC"));
    for (int id : orderByControls) EXPECT_TRUE(harness::IsEnabled(run.Control(id))) << id;
    ASSERT_TRUE(run.Click(IDCANCEL));
    ASSERT_TRUE(run.Finish());
}

// Rows as the grid shows them: AndOr, Fields, Operator, Value.
std::vector<std::string> WhereRow(HWND grid, int row)
{
    return {harness::ListViewCell(grid, row, 1), harness::ListViewCell(grid, row, 2),
            harness::ListViewCell(grid, row, 3), harness::ListViewCell(grid, row, 0)};
}

using Row = std::vector<std::string>;

TEST(DialogWhereRows, PlusAddsDefaultRowsAndMinusRemovesTheSelectedOne)
{
    QueryRun run("T", kColumns, "");
    ASSERT_NE(run.Dialog(), nullptr);
    HWND grid = run.Control(kWhereGrid);
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(run.Click(kAddWhere));
    ASSERT_TRUE(run.PreviewBecomes(
        "SELECT * FROM T WHERE  ( A = '' ) AND ( B = '' ) AND ( C = '' ) AND ( A = '' ) "));
    ASSERT_EQ(harness::ListViewRowCount(grid), 4);
    EXPECT_EQ(WhereRow(grid, 0), (Row{"", "A", "=", ""}));
    EXPECT_EQ(WhereRow(grid, 1), (Row{"AND", "B", "=", ""}));
    EXPECT_EQ(WhereRow(grid, 3), (Row{"AND", "A", "=", ""}));

    // "-" with no row selected removes nothing.
    ASSERT_EQ(harness::ListViewSelectedRow(grid), -1);
    ASSERT_TRUE(run.Click(kRemoveWhere));
    EXPECT_EQ(harness::ListViewRowCount(grid), 4);

    // The first row goes; the new first row loses its connector.
    ASSERT_TRUE(harness::ClickListViewCell(grid, 0, 2));
    ASSERT_TRUE(harness::WaitUntil([&] { return harness::ListViewSelectedRow(grid) == 0; }));
    ASSERT_TRUE(run.Click(kRemoveWhere));
    ASSERT_TRUE(run.PreviewBecomes("SELECT * FROM T WHERE  ( B = '' ) AND ( C = '' ) AND ( A = '' ) "));
    EXPECT_EQ(WhereRow(grid, 0), (Row{"", "B", "=", ""}));

    // A middle row goes; the others keep their connectors.
    ASSERT_TRUE(harness::ClickListViewCell(grid, 1, 2));
    ASSERT_TRUE(harness::WaitUntil([&] { return harness::ListViewSelectedRow(grid) == 1; }));
    ASSERT_TRUE(run.Click(kRemoveWhere));
    ASSERT_TRUE(run.PreviewBecomes("SELECT * FROM T WHERE  ( B = '' ) AND ( A = '' ) "));

    // The first of two rows goes too, and the last one left.
    for (int removed = 0; removed < 2; ++removed) {
        ASSERT_TRUE(harness::ClickListViewCell(grid, 0, 2));
        ASSERT_TRUE(harness::WaitUntil([&] { return harness::ListViewSelectedRow(grid) == 0; }));
        ASSERT_TRUE(run.Click(kRemoveWhere));
        if (removed == 0) {
            ASSERT_TRUE(run.PreviewBecomes("SELECT * FROM T WHERE  ( A = '' ) "));
            EXPECT_EQ(WhereRow(grid, 0), (Row{"", "A", "=", ""}));
        }
    }
    EXPECT_TRUE(run.PreviewBecomes("SELECT * FROM T "));
    EXPECT_EQ(harness::ListViewRowCount(grid), 0);
    ASSERT_TRUE(run.Click(IDOK));
    ASSERT_TRUE(run.Finish());
    EXPECT_EQ(run.ReturnedText(), "SELECT * FROM T ");
}

// The Value cell is shown last, right of the Operator cell; the list view's rectangle of
// column 0 would be the whole row.
HWND LabelEditor(HWND grid)
{
    return reinterpret_cast<HWND>(harness::Query(grid, LVM_GETEDITCONTROL));
}

TEST(DialogWhereRows, AValueIsEditedInPlaceAndStoredWhenTheEditorLosesTheFocus)
{
    QueryRun run("T", kColumns, "SELECT * FROM T WHERE  ( A = 1 ) ");
    ASSERT_NE(run.Dialog(), nullptr);
    HWND grid = run.Control(kWhereGrid);

    // A double-click on a drop-down cell opens no editor.
    ASSERT_TRUE(harness::DoubleClickListViewCell(grid, 0, 2));
    harness::PumpMessagesFor(200);
    EXPECT_EQ(LabelEditor(grid), nullptr);

    ASSERT_TRUE(harness::DoubleClickListViewCell(grid, 0, 0));
    ASSERT_TRUE(harness::WaitUntil([&] { return LabelEditor(grid) != nullptr; }));
    HWND editor = LabelEditor(grid);
    ASSERT_TRUE(harness::TypeText("'x y'"));
    // Enter does not end the edit (nor close the dialog): the dialog drops it.
    ASSERT_TRUE(harness::PressKey(VK_RETURN));
    harness::LetInputArrive(editor);
    EXPECT_TRUE(::IsWindow(editor));
    EXPECT_EQ(harness::WindowText(editor), "'x y'");

    ASSERT_TRUE(harness::FocusControl(run.Control(kPreview)));
    ASSERT_TRUE(harness::WaitForWindowGone(editor));
    EXPECT_EQ(harness::ListViewCell(grid, 0, 0), "'x y'");
    EXPECT_TRUE(run.PreviewBecomes("SELECT * FROM T WHERE  ( A = 'x y' ) "));

    // F2 on the selected row opens the editor too.
    ASSERT_TRUE(harness::ClickListViewCell(grid, 0, 2));
    ASSERT_TRUE(harness::PressKey(VK_F2));
    ASSERT_TRUE(harness::WaitUntil([&] { return LabelEditor(grid) != nullptr; }));
    ASSERT_TRUE(harness::TypeText("7"));
    ASSERT_TRUE(harness::FocusControl(run.Control(kPreview)));
    EXPECT_TRUE(run.PreviewBecomes("SELECT * FROM T WHERE  ( A = 7 ) "));
    ASSERT_TRUE(run.Click(IDOK));
    ASSERT_TRUE(run.Finish());
    EXPECT_EQ(run.ReturnedText(), "SELECT * FROM T WHERE  ( A = 7 ) ");
}

}  // namespace
