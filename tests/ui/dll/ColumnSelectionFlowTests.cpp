// The column list of the real dialog under mouse and keyboard: "*" against the named
// columns, the When Printed column with the question it asks, and the tip of a name too
// long for the list.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "QueryBuilderDriver.h"
#include "WhenPrintedDriver.h"

using namespace dlltest;

namespace {

using Checks = std::vector<int>;

const char kPlainColumns[] = "A\tB\tC\t";
// The When Printed entry is recognised in any letter case.
const char kWpColumns[] = "A\tB\t{when Printed}\t";
const int kWpItem = 3;

bool NoQuestionOpens(const QueryRun& run)
{
    harness::PumpMessagesFor(300);
    return harness::FindTopLevelWindow(kWhenPrintedCaption, run.ThreadId()) == nullptr;
}

TEST(ColumnStar, TheStarAndTheNamedColumnsExcludeEachOtherWhicheverWayTheyAreChecked)
{
    QueryRun run("T", kPlainColumns, "");
    ASSERT_NE(run.Dialog(), nullptr);
    ASSERT_EQ(run.ColumnChecks(), (Checks{1, 0, 0, 0}));

    ASSERT_TRUE(run.ClickColumnCheck(1));
    ASSERT_TRUE(run.PreviewBecomes("SELECT A FROM T "));
    EXPECT_EQ(run.ColumnChecks(), (Checks{0, 1, 0, 0}));
    ASSERT_TRUE(run.ClickColumnCheck(3));
    ASSERT_TRUE(run.PreviewBecomes("SELECT A,C FROM T "));
    EXPECT_EQ(run.ColumnChecks(), (Checks{0, 1, 0, 1}));

    // "*" selected first, then checked with the space bar: the named columns go.
    ASSERT_TRUE(run.ClickColumnText(0));
    ASSERT_TRUE(harness::WaitUntil([&] { return harness::ListBoxSelection(run.Control(kColumnList)) == 0; }));
    EXPECT_EQ(run.ColumnChecks(), (Checks{0, 1, 0, 1})) << "selecting an item checks nothing";
    EXPECT_EQ(run.Preview(), "SELECT A,C FROM T ");
    ASSERT_TRUE(harness::PressKey(VK_SPACE));
    ASSERT_TRUE(run.PreviewBecomes("SELECT * FROM T "));
    EXPECT_EQ(run.ColumnChecks(), (Checks{1, 0, 0, 0}));

    // A named column selected and checked by key clears "*".
    ASSERT_TRUE(run.ClickColumnText(2));
    ASSERT_TRUE(harness::PressKey(VK_SPACE));
    ASSERT_TRUE(run.PreviewBecomes("SELECT B FROM T "));
    EXPECT_EQ(run.ColumnChecks(), (Checks{0, 0, 1, 0}));

    // And by mouse the other way round.
    ASSERT_TRUE(run.ClickColumnCheck(0));
    ASSERT_TRUE(run.PreviewBecomes("SELECT * FROM T "));
    EXPECT_EQ(run.ColumnChecks(), (Checks{1, 0, 0, 0}));

    ASSERT_TRUE(run.Click(IDOK));
    ASSERT_TRUE(run.Finish());
    EXPECT_EQ(run.Result(), 0);
    EXPECT_EQ(run.ReturnedText(), "SELECT * FROM T ");
}

TEST(WhenPrintedColumn, CheckingItAsksWithTheOtherItemsAndOkMakesTheTextTheWholeColumnPart)
{
    QueryRun run("T", kWpColumns, "SELECT A,B FROM T ");
    ASSERT_NE(run.Dialog(), nullptr);
    ASSERT_TRUE(run.ClickColumnCheck(kWpItem));
    WhenPrintedAsk ask(run.ThreadId());
    ASSERT_NE(ask.Window(), nullptr);
    EXPECT_EQ(ask.Choices(), (std::vector<std::string>{"*", "A", "B"}));
    ASSERT_TRUE(ask.TypePrompt("Which?"));
    ASSERT_TRUE(ask.Accept());
    // A and B stay checked, yet the text alone is the column part.
    ASSERT_TRUE(run.PreviewBecomes("SELECT {'Which?'|'*'} FROM T "));
    EXPECT_EQ(run.ColumnChecks(), (Checks{0, 1, 1, 1}));

    // While it stays checked, toggling another item asks again, and OK replaces the text.
    ASSERT_TRUE(run.ClickColumnCheck(2));
    WhenPrintedAsk again(run.ThreadId());
    ASSERT_NE(again.Window(), nullptr);
    ASSERT_TRUE(again.TypePrompt("Again"));
    ASSERT_TRUE(again.Accept());
    ASSERT_TRUE(run.PreviewBecomes("SELECT {'Again'|'*'} FROM T "));
    EXPECT_EQ(run.ColumnChecks(), (Checks{0, 1, 0, 1}));

    ASSERT_TRUE(run.Click(IDOK));
    ASSERT_TRUE(run.Finish());
    EXPECT_EQ(run.Result(), 0);
    EXPECT_EQ(run.ReturnedText(), "SELECT {'Again'|'*'} FROM T ");
}

TEST(WhenPrintedColumn, CancelKeepsThePreviewAndTheNextCompositionNoLongerUsesTheText)
{
    QueryRun run("T", kWpColumns, "SELECT A FROM T ");
    ASSERT_NE(run.Dialog(), nullptr);

    // Cancelled at once: nothing is composed, and the item keeps its check.
    ASSERT_TRUE(run.ClickColumnCheck(kWpItem));
    WhenPrintedAsk first(run.ThreadId());
    ASSERT_NE(first.Window(), nullptr);
    ASSERT_TRUE(first.Cancel());
    harness::PumpMessagesFor(100);
    EXPECT_EQ(run.Preview(), "SELECT A FROM T ");
    EXPECT_EQ(run.ColumnChecks(), (Checks{0, 1, 0, 1}));

    // Asked again by the next toggle, accepted this time.
    ASSERT_TRUE(run.ClickColumnCheck(2));
    WhenPrintedAsk second(run.ThreadId());
    ASSERT_NE(second.Window(), nullptr);
    ASSERT_TRUE(second.TypePrompt("Cols"));
    ASSERT_TRUE(second.Accept());
    ASSERT_TRUE(run.PreviewBecomes("SELECT {'Cols'|'*'} FROM T "));

    // Cancelling a later question leaves the preview, but turns the text off: the next
    // composition, here from the ORDER BY box, lists the checked items themselves.
    ASSERT_TRUE(run.ClickColumnCheck(2));
    WhenPrintedAsk third(run.ThreadId());
    ASSERT_NE(third.Window(), nullptr);
    ASSERT_TRUE(third.Cancel());
    harness::PumpMessagesFor(100);
    EXPECT_EQ(run.Preview(), "SELECT {'Cols'|'*'} FROM T ");
    EXPECT_EQ(run.ColumnChecks(), (Checks{0, 1, 0, 1}));
    ASSERT_TRUE(run.Click(kOrderByEnabled));
    EXPECT_TRUE(run.PreviewBecomes("SELECT A,[{when Printed}] FROM T "));

    ASSERT_TRUE(run.Click(IDCANCEL));
    ASSERT_TRUE(run.Finish());
    EXPECT_EQ(run.Result(), 1);
}

TEST(WhenPrintedColumn, UncheckingItReturnsToTheCheckedColumnsWithoutAsking)
{
    QueryRun run("T", kWpColumns, "SELECT B FROM T ");
    ASSERT_NE(run.Dialog(), nullptr);
    ASSERT_TRUE(run.ClickColumnCheck(kWpItem));
    WhenPrintedAsk ask(run.ThreadId());
    ASSERT_NE(ask.Window(), nullptr);
    // Enter accepts the defaults: the builder's own filter does not reach this dialog.
    ASSERT_TRUE(ask.AnswerByKey(VK_RETURN));
    ASSERT_TRUE(run.PreviewBecomes("SELECT {''|'*'} FROM T "));

    ASSERT_TRUE(run.ClickColumnCheck(kWpItem));
    EXPECT_TRUE(run.PreviewBecomes("SELECT B FROM T "));
    EXPECT_TRUE(NoQuestionOpens(run));
    EXPECT_EQ(run.ColumnChecks(), (Checks{0, 0, 1, 0}));

    ASSERT_TRUE(run.Click(IDOK));
    ASSERT_TRUE(run.Finish());
    EXPECT_EQ(run.ReturnedText(), "SELECT B FROM T ");
}

// With "*" the toggled item, accepting clears every named item, the When Printed one
// too, while the text stays in the statement until the next check change.
TEST(WhenPrintedColumn, AcceptedWithTheStarSelectedTheItemIsUncheckedButTheTextStays)
{
    QueryRun run("T", kWpColumns, "SELECT A FROM T ");
    ASSERT_NE(run.Dialog(), nullptr);
    ASSERT_TRUE(run.ClickColumnCheck(kWpItem));
    WhenPrintedAsk first(run.ThreadId());
    ASSERT_NE(first.Window(), nullptr);
    ASSERT_TRUE(first.TypePrompt("One"));
    ASSERT_TRUE(first.Accept());
    ASSERT_TRUE(run.PreviewBecomes("SELECT {'One'|'*'} FROM T "));

    ASSERT_TRUE(run.ClickColumnCheck(0));
    WhenPrintedAsk second(run.ThreadId());
    ASSERT_NE(second.Window(), nullptr);
    ASSERT_TRUE(second.TypePrompt("Star"));
    ASSERT_TRUE(second.Accept());
    ASSERT_TRUE(run.PreviewBecomes("SELECT {'Star'|'*'} FROM T "));
    EXPECT_EQ(run.ColumnChecks(), (Checks{1, 0, 0, 0}));
    EXPECT_EQ(harness::ListBoxSelection(run.Control(kColumnList)), 0);

    ASSERT_TRUE(run.ClickColumnCheck(2));
    EXPECT_TRUE(run.PreviewBecomes("SELECT B FROM T "));
    EXPECT_TRUE(NoQuestionOpens(run));
    EXPECT_EQ(run.ColumnChecks(), (Checks{0, 0, 1, 0}));

    ASSERT_TRUE(run.Click(IDCANCEL));
    ASSERT_TRUE(run.Finish());
}

BOOL CALLBACK TakeShownTipText(HWND window, LPARAM found)
{
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (::lstrcmpiA(className, TOOLTIPS_CLASSA) != 0 || !::IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<std::string*>(found) = harness::WindowText(window);
    return FALSE;
}

// The text of the tip window the run's thread shows, empty while none is shown.
std::string ShownTipText(DWORD threadId)
{
    std::string text;
    ::EnumThreadWindows(threadId, TakeShownTipText, reinterpret_cast<LPARAM>(&text));
    return text;
}

TEST(ColumnTips, RestingOnAColumnShowsItsNameAndALongNameItsFirst79Characters)
{
    const std::string longName =
        "Customer_Account_Receivable_Balance_Carried_Forward_From_The_Previous_Financial_Year_In_Home_Currency";
    ASSERT_GT(longName.size(), 79u);
    QueryRun run("T", "ID\t" + longName + "\tCity\t", "");
    HWND dialog = run.Dialog();
    ASSERT_NE(dialog, nullptr);
    HWND list = run.Control(kColumnList);
    ASSERT_TRUE(harness::BringToForeground(dialog));

    POINT item{};
    ASSERT_TRUE(harness::ListBoxItemPoint(list, 2, 40, item));
    ASSERT_TRUE(harness::MoveMouseTo(list, item));
    EXPECT_TRUE(harness::WaitUntil([&] { return ShownTipText(run.ThreadId()) == longName.substr(0, 79); }))
        << "tip shows \"" << ShownTipText(run.ThreadId()) << "\"";

    ASSERT_TRUE(harness::ListBoxItemPoint(list, 3, 40, item));
    ASSERT_TRUE(harness::MoveMouseTo(list, item));
    EXPECT_TRUE(harness::WaitUntil([&] { return ShownTipText(run.ThreadId()) == "City"; }))
        << "tip shows \"" << ShownTipText(run.ThreadId()) << "\"";

    ASSERT_TRUE(run.Click(IDCANCEL));
    ASSERT_TRUE(run.Finish());
}

}  // namespace
