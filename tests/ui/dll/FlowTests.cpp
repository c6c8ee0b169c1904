// The dialog's handlers as a user meets them, each flow a table of steps: what the user does,
// how the When Printed question is answered if one opens, and what the preview, the column
// checks and the grid's rows must then show; at the end OK, Cancel or the close command and
// what the host gets. Stored statements the dialog wrote are flows without steps.
#include "Driver.h"

namespace dlltest {
namespace {

struct Step {
    enum Action { Look, Tick, Pick, Key, Push, Table, Row, Cell } action = Look;
    int arg = 0, cell = 0;
    const char* table = nullptr;
    enum Reply { NoQuestion, Ok, Cancel, Enter } reply = NoQuestion;
    const char* prompt = nullptr;
    const char* choice = nullptr;  // a default other than the one offered
    const char* preview = nullptr;
    const char* checks = nullptr;  // one digit per column item
    const char* rows = nullptr;    // the flow's grid, rows joined by ";", cells by "|"
    int selected = -2;             // the flow's grid's selected row (-1 none); -2 not checked

    Step& Shows(const char* text, const char* columnChecks = nullptr)
    {
        preview = text;
        checks = columnChecks;
        return *this;
    }
    Step& Rows(const char* text)
    {
        rows = text;
        return *this;
    }
    Step& Selects(int row) { return selected = row, *this; }
    Step& Asks(Reply answer, const char* typed = nullptr, const char* chosen = nullptr)
    {
        reply = answer;
        prompt = typed;
        choice = chosen;
        return *this;
    }
};

Step Do(Step::Action action, int arg = 0, int cell = 0, const char* table = nullptr)
{
    return Step{action, arg, cell, table};
}
Step ChooseTable(const char* name) { return Do(Step::Table, 0, 0, name); }

struct Flow {
    const char* name;
    std::vector<HostTable> tables;  // one: GetSELECTSQLQuery; more: the factory object, through the header alone
    std::string start;
    int grid;                       // whose rows the steps check
    std::vector<Step> steps;
    int end;                        // IDOK, IDCANCEL or SC_CLOSE (the close command)
    std::string returned = "";      // after OK; a run that ends otherwise leaves the host's text as it was
};

// A statement the dialog wrote (in the composer's layout), stored by the host and opened
// again: OK without a change hands it back byte for byte.
Flow Reopened(const char* name, std::vector<HostTable> tables, const char* statement)
{
    return Flow{name, std::move(tables), statement, kWhereGrid, {}, IDOK, statement};
}

void Perform(QueryRun& run, const Flow& flow, const Step& step)
{
    HWND grid = run.Control(flow.grid);
    switch (step.action) {
    case Step::Look: break;
    case Step::Tick: ASSERT_TRUE(run.ClickColumn(step.arg)); break;
    case Step::Pick:
        ASSERT_TRUE(run.ClickColumn(step.arg, false));
        ASSERT_TRUE(harness::WaitUntil([&] { return harness::ListBoxSelection(run.Control(kColumnList)) == step.arg; }));
        break;
    case Step::Key: ASSERT_TRUE(harness::PressKey(static_cast<WORD>(step.arg))); break;
    case Step::Push: ASSERT_TRUE(run.Click(step.arg)); break;
    case Step::Table: ASSERT_TRUE(ChooseInComboBox(run.Control(kTableCombo), step.table)); break;
    case Step::Row:
        ASSERT_TRUE(harness::ClickListViewCell(grid, step.arg, 1));
        ASSERT_TRUE(harness::WaitUntil([&] { return harness::ListViewSelectedRow(grid) == step.arg; }));
        break;
    case Step::Cell: ASSERT_TRUE(harness::ClickListViewCell(grid, step.arg, step.cell)); break;
    }
    if (step.reply != Step::NoQuestion) {
        HWND question = harness::WaitForWindow(kWhenPrintedCaption, run.ThreadId());
        ASSERT_NE(question, nullptr);
        // Each question starts afresh, whatever the last one was answered with.
        EXPECT_EQ(harness::WindowText(::GetDlgItem(question, kPrompt)), "");
        EXPECT_EQ(harness::FocusedWindow(question), ::GetDlgItem(question, IDOK));
        if (step.selected != -2) {
            EXPECT_EQ(harness::ListViewSelectedRow(grid), step.selected) << "behind the question";
        }
        ASSERT_TRUE(step.reply == Step::Enter ? AnswerByKey(question, VK_RETURN)
                                              : Answer(question, step.prompt, step.reply == Step::Ok ? IDOK : IDCANCEL, step.choice));
    }
    if (step.preview) {
        EXPECT_TRUE(run.PreviewBecomes(step.preview)) << run.Preview();
    } else {
        harness::PumpMessagesFor(150);
    }
    if (step.reply == Step::NoQuestion) {
        EXPECT_EQ(harness::FindTopLevelWindow(kWhenPrintedCaption, run.ThreadId()), nullptr) << "an unexpected question";
    }
    if (step.checks) {
        EXPECT_EQ(run.ColumnChecks(), step.checks);
    }
    if (step.rows) {  // WHERE rows as "AndOr|Field|Operator|Value", ORDER BY rows as "Field|Direction"
        std::string rows;
        for (int row = 0; row < harness::ListViewRowCount(grid); ++row) {
            const char* separator = row ? ";" : "";
            for (int cell : flow.grid == kWhereGrid ? std::vector<int>{kAndOr, kField, kOperator, kValue}
                                                    : std::vector<int>{kKeyField, kKeyDirection}) {
                rows += separator + harness::ListViewCell(grid, row, cell);
                separator = "|";
            }
        }
        EXPECT_EQ(rows, step.rows);
    }
    if (step.selected != -2) {
        EXPECT_EQ(harness::ListViewSelectedRow(grid), step.selected);
    }
}

void PrintTo(const Flow& flow, std::ostream* out) { *out << flow.name; }

class Flows : public ::testing::TestWithParam<Flow> {};

TEST_P(Flows, GoAsTheUserExpects)
{
    const Flow& flow = GetParam();
    const bool throughObject = flow.tables.size() > 1;
    QueryRun run = throughObject ? QueryRun(flow.tables, flow.start)
                                 : QueryRun(flow.tables[0].name, flow.tables[0].columns, flow.start);
    ASSERT_NE(run.Dialog(), nullptr);
    // Until the first edit the preview shows the host's text as it came.
    if (!flow.start.empty()) {
        EXPECT_EQ(run.Preview(), flow.start);
    }
    for (size_t i = 0; i < flow.steps.size() && !HasFatalFailure(); ++i) {
        SCOPED_TRACE("step " + std::to_string(i + 1));
        Perform(run, flow, flow.steps[i]);
    }
    ASSERT_FALSE(HasFatalFailure());
    if (flow.steps.empty()) harness::SaveScreenshot(harness::CaptureWindow(run.Dialog()), std::string(flow.name) + ".bmp");
    // The close box sends the window's close command, as Alt+F4 does; on a managed desktop the
    // box is the window manager's, which input given to Wine never reaches.
    if (flow.end == SC_CLOSE) {
        ASSERT_TRUE(harness::BringToForeground(run.Dialog()) && harness::PressKey(VK_F4, harness::kAlt));
        ASSERT_TRUE(run.Finish());
    } else {
        ASSERT_TRUE(run.End(flow.end));
    }
    const bool ok = flow.end == IDOK;
    EXPECT_EQ(run.Result(), throughObject ? (ok ? IDOK : IDCANCEL) : ok ? 0 : 1);
    if (ok) {
        EXPECT_EQ(run.ReturnedText(), flow.returned);
    } else {  // byte for byte
        EXPECT_TRUE(throughObject ? run.ReturnedText() == flow.start : run.BufferNow() == run.BufferBefore());
    }
}

using S = Step;
const char kAbc[] = "A\tB\tC\t";
const char kWpColumns[] = "A\tB\t{when Printed}\t";  // recognised in any letter case
const char kCustomers[] = "ID\tName\tCity\tOrder Date\tUnit Price\tAddr1\tPrice$\t{WHEN PRINTED}\t";
const char kKeywords[] = "ID\tFrom Date\tOrder Total\tWhere Used\tSelect\tAND\tName\tNAME\tO'Neil\t";

const Flow kFlows[] = {
    {"StarAndNamedColumnsExcludeEachOther", {{"T", kAbc}}, "", kWhereGrid, {
        Do(S::Look).Shows("SELECT * FROM T ", "1000"),
        Do(S::Tick, 1).Shows("SELECT A FROM T ", "0100"),
        Do(S::Tick, 3).Shows("SELECT A,C FROM T ", "0101"),
        Do(S::Pick, 0).Shows("SELECT A,C FROM T ", "0101"),  // selecting checks nothing
        Do(S::Key, VK_SPACE).Shows("SELECT * FROM T ", "1000"),
        Do(S::Pick, 2),
        Do(S::Key, VK_SPACE).Shows("SELECT B FROM T ", "0010"),
        Do(S::Tick, 0).Shows("SELECT * FROM T ", "1000"),
    }, IDOK, "SELECT * FROM T "},
    {"WhenPrintedColumnAsksAndItsTextStandsForTheColumns", {{"T", kWpColumns}}, "SELECT A FROM T ", kWhereGrid, {
        // Cancelled at once: nothing composed, the item keeps its check.
        Do(S::Tick, 3).Asks(S::Cancel).Shows("SELECT A FROM T ", "0101"),
        // Quotes, bars and braces typed reach the statement unchanged.
        Do(S::Tick, 2).Asks(S::Ok, "It's {a|b} \"q\" }|{'").Shows("SELECT {'It's {a|b} \"q\" }|{''|'*'} FROM T ", "0111"),
        // A later Cancel keeps the preview but turns the text off for the next composition.
        Do(S::Tick, 2).Asks(S::Cancel).Shows("SELECT {'It's {a|b} \"q\" }|{''|'*'} FROM T ", "0101"),
        Do(S::Push, kOrderByEnabled).Shows("SELECT A,[{when Printed}] FROM T "),
        Do(S::Tick, 3).Shows("SELECT A FROM T ", "0100"),  // unticking asks nothing
        Do(S::Tick, 3).Asks(S::Ok, "One", "B").Shows("SELECT {'One'|'B'} FROM T ", "0101"),
        // Accepted with "*" toggled: every named item unticked, the text stays until the next change.
        Do(S::Tick, 0).Asks(S::Ok, "Star").Shows("SELECT {'Star'|'*'} FROM T ", "1000"),
        Do(S::Tick, 2).Shows("SELECT B FROM T ", "0010"),
        // Enter accepts the defaults: the builder's own filter does not reach the question.
        Do(S::Tick, 3).Asks(S::Enter).Shows("SELECT {''|'*'} FROM T ", "0011"),
    }, IDOK, "SELECT {''|'*'} FROM T "},
    {"PlusAddsDefaultRowsAndMinusRemovesTheSelectedOne", {{"T", kAbc}}, "", kWhereGrid, {
        Do(S::Push, kAddWhere), Do(S::Push, kAddWhere), Do(S::Push, kAddWhere),
        Do(S::Push, kAddWhere)
            .Shows("SELECT * FROM T WHERE  ( A = '' ) AND ( B = '' ) AND ( C = '' ) AND ( A = '' ) ")
            .Rows("|A|=|;AND|B|=|;AND|C|=|;AND|A|=|"),
        Do(S::Push, kRemoveWhere).Rows("|A|=|;AND|B|=|;AND|C|=|;AND|A|=|"),  // no row selected
        Do(S::Row, 0), Do(S::Push, kRemoveWhere).Shows("SELECT * FROM T WHERE  ( B = '' ) AND ( C = '' ) AND ( A = '' ) "),
        Do(S::Row, 1), Do(S::Push, kRemoveWhere).Shows("SELECT * FROM T WHERE  ( B = '' ) AND ( A = '' ) "),
        Do(S::Row, 0), Do(S::Push, kRemoveWhere).Shows("SELECT * FROM T WHERE  ( A = '' ) ").Rows("|A|=|"),
        Do(S::Row, 0), Do(S::Push, kRemoveWhere).Shows("SELECT * FROM T ").Rows(""),
    }, IDOK, "SELECT * FROM T "},
    {"ClauseBoxesSwitchTheirGridsAndClauses", {{"T", kAbc}},
     "SELECT A FROM T WHERE  ( B = 1 ) OR ( C LIKE 'x%' ) ORDER BY C DESC,A", kWhereGrid, {
        Do(S::Push, kWhereEnabled).Shows("SELECT A FROM T ORDER BY C DESC,A"),
        Do(S::Push, kAddWhere).Rows("|B|=|1;OR|C|LIKE|'x%'"),  // greyed: adds nothing
        Do(S::Push, kWhereEnabled).Shows("SELECT A FROM T WHERE  ( B = 1 ) OR ( C LIKE 'x%' ) ORDER BY C DESC,A"),
        Do(S::Push, kOrderByEnabled).Shows("SELECT A FROM T WHERE  ( B = 1 ) OR ( C LIKE 'x%' ) "),
    }, IDCANCEL},
    {"CheckedKeysMoveWholeAndUncheckedRowsStayPut", {{"T", kAbc}}, "SELECT * FROM T ORDER BY C,A DESC", kOrderByGrid, {
        Do(S::Look).Rows("C|;A|DESC;B|"),  // the statement's keys first, in its order
        // Shown selected, a checked key's empty direction takes the blank choice.
        Do(S::Row, 0), Do(S::Push, kMoveDown).Shows("SELECT * FROM T ORDER BY A DESC,C").Rows("A|DESC;C|   ;B|"),
        Do(S::Push, kMoveDown).Rows("A|DESC;B|;C|   "), Do(S::Push, kMoveDown).Rows("A|DESC;B|;C|   "),
        Do(S::Row, 1), Do(S::Push, kMoveUp).Rows("A|DESC;B|;C|   "), Do(S::Push, kMoveDown).Rows("A|DESC;B|;C|   "),
        Do(S::Row, 0), Do(S::Push, kMoveUp).Rows("A|DESC;B|;C|   "),
        Do(S::Row, 2), Do(S::Push, kMoveUp).Shows("SELECT * FROM T ORDER BY A DESC,C"),
        Do(S::Push, kMoveUp).Shows("SELECT * FROM T ORDER BY C,A DESC").Rows("C|   ;A|DESC;B|"),
    }, IDOK, "SELECT * FROM T ORDER BY C,A DESC"},
    {"WhenPrintedTableGoesInUnbracketedAndTheColumnsStay",
     // t1 given twice: the second column string replaces the first.
     {{"t1", "Q\t"}, {"t1", "A\tB\t"}, {"T2", "X\tY\tZ\t"}, {"{When Printed}", "W\t"}}, "SELECT A FROM [t1] ", kWhereGrid, {
        ChooseTable("{When Printed}").Asks(S::Ok, "Which table?").Shows("SELECT A FROM {'Which table?'|'T1'} "),
        ChooseTable("T2").Shows("SELECT A FROM [T2] "),
        Do(S::Tick, 2).Shows("SELECT A,B FROM [T2] ", "011"),
        ChooseTable("{When Printed}").Asks(S::Cancel, "never used").Shows("SELECT A,B FROM [T2] "),
        // Cancelled, the box's text is taken as a table name.
        Do(S::Tick, 2).Shows("SELECT A FROM [{When Printed}] "),
    }, IDOK, "SELECT A FROM [{When Printed}] "},
    {"TickingTheWhenPrintedKeyAsksForItsText", {{"T", "a\tb\t{When Printed}\t"}}, "", kOrderByGrid, {
        Do(S::Cell, 0, kKeyCheck).Shows("SELECT * FROM T ORDER BY a"),
        // The question comes once the grid has finished with the click, which selected the row
        // (a question inside the click would leave the list view's part of it waiting).
        Do(S::Cell, 2, kKeyCheck).Asks(S::Ok, "Sort by").Shows("SELECT * FROM T ORDER BY {'Sort by'|'A'}").Selects(2),
        Do(S::Cell, 1, kKeyField).Shows("SELECT * FROM T ORDER BY {'Sort by'|'A'}").Selects(1),
    }, SC_CLOSE},
    Reopened("ReopenedCustomersQueryWithADateRangeAndKeysOutOfColumnOrder", {{"Customers", kCustomers}},
             "SELECT Name,City FROM Customers WHERE  ( City = 'New York' ) AND ( [Order Date] BETWEEN '2020-01-01' AND "
             "'2020-12-31' ) ORDER BY [Unit Price] DESC,[Order Date]"),
    Reopened("ReopenedQuotedTextHoldingAndOrAndParentheses", {{"Customers", kCustomers}},
             "SELECT * FROM Customers WHERE  ( Name = 'Fish AND Chips' ) OR ( Name LIKE 'Smith ) OR ( Sons%' ) AND "
             "( City <> 'O''Hare' ) OR ( [Addr1] NOT LIKE '(a) or (b)' ) ORDER BY City ASC"),
    Reopened("ReopenedListsRangesComparisonsAndNoValue", {{"Customers", kCustomers}},
             "SELECT ID,[Price$] FROM Customers WHERE  ( City IN ('Oslo', 'New York') ) AND ( ID NOT IN (1, 2, 3) ) OR "
             "( [Unit Price] NOT BETWEEN 1 AND 5 ) AND ( [Addr1] IS NULL ) AND ( ID >= 10 ) OR ( [Order Date] IS NOT NULL ) "),
    Reopened("ReopenedWhenPrintedValuesAnEmptyValueAndKeysOutOfColumnOrder", {{"Customers", kCustomers}},
             "SELECT [Addr1] FROM Customers WHERE  ( [Unit Price] > {'Minimum price?'|'100'} ) OR ( City = '' ) AND "
             "( Name < O'Brien ) ORDER BY City DESC,ID ASC,Name,[Unit Price]"),
    Reopened("ReopenedWhenPrintedClauses", {{"Customers", kCustomers}},
             "SELECT {'Which columns?'|'*'} FROM Customers WHERE  ( ID = 1 ) ORDER BY {'Sort by?'|'CITY'}"),
    Reopened("ReopenedNamesHoldingClauseWordsLetterCaseApartAndAnApostrophe", {{"Orders", kKeywords}},
             "SELECT [From Date],[Where Used],NAME,[ONeil] FROM Orders WHERE  ( [Order Total] <= 100 ) OR "
             "( AND LIKE 'x AND y' ) AND ( Select = 'FROM' ) ORDER BY [Order Total] DESC,NAME,[From Date] ASC"),
    Reopened("ReopenedOneOfSeveralTablesItsNameBracketed",
             {{"Customers", kCustomers}, {"Order Details", kCustomers}, {"Archive", kCustomers}},
             "SELECT Name FROM [Order Details] WHERE  ( City LIKE 'New %' ) ORDER BY Name DESC"),
    Reopened("ReopenedAWhenPrintedTableAmongSeveral", {{"Customers", kCustomers}, {"{WHEN PRINTED}", kCustomers}},
             "SELECT * FROM {'Which table?'|'CUSTOMERS'} ORDER BY ID"),
};

INSTANTIATE_TEST_SUITE_P(Dialog, Flows, ::testing::ValuesIn(kFlows),
                         [](const ::testing::TestParamInfo<Flow>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dlltest
