// Form set-up: the column split, the table map, the column list and combo, the two
// grids' rows, and the When Printed bookkeeping that the clause editors drive.
#include "EngineTestSupport.h"

#include <gtest/gtest.h>

using namespace enginetest;

TEST(ColumnSplitTest, EachNameEndsAtItsTab)
{
    const std::pair<const char*, Names> cases[] = {
        {"A\tB\tC\t", {"A", "B", "C"}},
        {"A\tB\tC", {"A", "B"}},
        {"\tA\tB\t", {}},
        {"A\t\tB\t", {"A", "", "B"}},
        {"ABC", {}},
        {"", {}},
        {" Padded \tlower\tLOWER\t", {" Padded ", "lower", "LOWER"}},
    };
    for (const auto& c : cases) {
        CMemoryForm form;
        CQueryFormState state(form);
        state.AddTableColumns("T", c.first);
        state.InitChoiceLists();
        EXPECT_EQ(Items(state.m_arrColumns), c.second) << "columns «" << c.first << "»";
    }
}

TEST(ChoiceListsTest, ColumnsComeFromTheFirstTableAndListsAreRefilled)
{
    CMemoryForm form;
    CQueryFormState state(form);
    state.AddTableColumns("First", "A\tB\t");
    state.AddTableColumns("Second", "X\t");
    state.AddTableColumns("First", "C\tD\tE\t");  // replaces, keeps its place
    state.InitChoiceLists();
    state.InitChoiceLists();
    EXPECT_EQ(state.m_mapTables.GetCount(), 2);
    EXPECT_EQ(Items(state.m_arrColumns), (Names{"C", "D", "E"}));
    EXPECT_EQ(state.m_arrAndOr.GetSize(), 3);
}

TEST(FormFillTest, ColumnListComboAndOrderByRows)
{
    CMemoryQuery query;
    CQueryFormState& state = query.State();
    state.AddTableColumns("orders", "ID\tName\t{When Printed}\t");
    state.AddTableColumns("Archive", "Z\t");
    state.AddTableColumns("customers", "Y\t");
    query.Open();
    CMemoryForm& form = query.Form();

    ASSERT_EQ(form.GetColumnItemCount(), 4);
    EXPECT_EQ(form.GetColumnItemText(0), "*");
    EXPECT_EQ(form.GetColumnItemText(3), "{When Printed}");
    EXPECT_EQ(CheckedColumns(form), (Names{"*"}));  // the empty statement checks "*"

    ASSERT_EQ(form.GetTableCount(), 3);  // sorted ignoring case; the first one selected
    EXPECT_EQ(form.GetTableItemText(0), "Archive");
    EXPECT_EQ(form.GetTableItemText(1), "customers");
    EXPECT_EQ(form.GetTableText(), "Archive");
    EXPECT_EQ(state.m_strStatement, "SELECT * FROM Archive ");
    EXPECT_EQ(form.GetPreviewText(), "SELECT * FROM Archive ");

    const CMemoryGrid& grid = form.OrderBy();
    ASSERT_EQ(grid.GetItemCount(), 3);
    EXPECT_EQ(grid.GetItemText(2, kOrderByField), "{When Printed}");
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(grid.GetCellCheck(row, kOrderByCheck), 0);
        EXPECT_EQ(grid.GetItemText(row, kOrderByAscDesc), "");
        EXPECT_FALSE(grid.HasCellCombo(row, kOrderByAscDesc));
        EXPECT_EQ(grid.GetCellComboList(row, kOrderByAscDesc), &state.m_arrAscDesc);
        EXPECT_EQ(grid.GetCellComboRows(row, kOrderByAscDesc), 4);
        EXPECT_EQ(grid.GetCellTip(row, kOrderByField), grid.GetItemText(row, kOrderByField));
    }
    EXPECT_TRUE(grid.IsRedrawOn());
}

TEST(FormFillTest, EmptyMapGivesOnlyStarAndNoTable)
{
    CMemoryQuery query;
    query.Open();
    EXPECT_EQ(query.Form().GetColumnItemCount(), 1);
    EXPECT_EQ(query.Form().GetTableCount(), 0);
    EXPECT_EQ(query.Form().OrderBy().GetItemCount(), 0);
    EXPECT_TRUE(query.State().AddWhereRow(-1, -1, -1, nullptr));
    EXPECT_EQ(query.Form().Where().GetItemCount(), 0);
    EXPECT_FALSE(query.PressOk());
    EXPECT_EQ(query.State().m_strError, "Syntax Error: SELECT Columns FROM ?table?");
}

TEST(AddWhereRowTest, DefaultsCycleTheColumnsAndOnlyLaterRowsGetAConnector)
{
    CMemoryQuery query;
    OpenQuery(query, "T", ColumnString({"A", "B", "C"}), "");
    for (int i = 0; i < 4; ++i)
        query.State().AddWhereRow(-1, -1, -1, nullptr);
    EXPECT_EQ(WhereRows(query.Form()),
              (Rows{{"", "A", "=", ""}, {"AND", "B", "=", ""}, {"AND", "C", "=", ""}, {"AND", "A", "=", ""}}));
    const CMemoryGrid& grid = query.Form().Where();
    EXPECT_FALSE(grid.HasCellCombo(0, kWhereAndOr));
    EXPECT_TRUE(grid.HasCellCombo(1, kWhereAndOr));
    EXPECT_EQ(grid.GetCellComboRows(2, kWhereField), 4);  // column count + 1
    EXPECT_EQ(grid.GetCellTip(3, kWhereField), "A");
    ASSERT_TRUE(query.PressOk());
    EXPECT_EQ(query.State().m_strStatement,
              "SELECT * FROM T WHERE  ( A = '' ) AND ( B = '' ) AND ( C = '' ) AND ( A = '' ) ");
}

TEST(AddWhereRowTest, GivenChoicesAndOutOfRangeIndexes)
{
    CMemoryQuery query;
    OpenQuery(query, "T", ColumnString({"A", "B"}), "");
    query.State().AddWhereRow(2, 1, 3, "(1,2)");  // row 0 ignores its connector
    query.State().AddWhereRow(2, 1, 3, "x");
    query.State().AddWhereRow(7, 9, 12, "y");      // outside every list: choice 0
    EXPECT_EQ(WhereRows(query.Form()),
              (Rows{{"", "B", "BETWEEN", "(1,2)"}, {"OR", "B", "BETWEEN", "x"}, {"   ", "A", "=", "y"}}));
    EXPECT_EQ(query.Form().Where().GetCellTip(2, kWhereField), "A");
}

TEST(WhenPrintedTest, AcceptAndClearFollowTheClause)
{
    CMemoryQuery query;
    OpenQuery(query, "T", ColumnString({"A", "B"}), "");
    CQueryFormState& state = query.State();
    EXPECT_EQ(CQueryFormState::MakeWpText("Sort by?", "ID"), "{'Sort by?'|'ID'}");
    EXPECT_EQ(CQueryFormState::MakeWpText("", ""), "{''|''}");
    EXPECT_EQ(CQueryFormState::MakeWpText("a'|}", "{b"), "{'a'|}'|'{b'}");

    EXPECT_TRUE(state.AcceptWpText(kClauseOrderBy, "{'Key?'|'A'}"));
    EXPECT_EQ(state.m_strWpValue, "{'Key?'|'A'}");
    EXPECT_EQ(state.m_arrWpClauseText[kClauseOrderBy], "{'Key?'|'A'}");
    EXPECT_TRUE(state.IsWpOrderBy());
    EXPECT_FALSE(state.IsWpSelect() || state.IsWpFrom());
    EXPECT_TRUE(state.m_bWpClause[kClauseOrderBy]);

    EXPECT_FALSE(state.AcceptWpText(kClauseWhere, "{'x'|'y'}"));
    EXPECT_FALSE(state.AcceptWpText(7, "{'x'|'y'}"));
    EXPECT_EQ(state.m_arrWpClauseText[kClauseWhere], "");
    EXPECT_FALSE(state.m_bWpClause[kClauseWhere]);
    EXPECT_EQ(state.m_strWpValue, "{'Key?'|'A'}");

    state.ClearWpFlag(kClauseOrderBy);
    EXPECT_FALSE(state.m_bWpClause[kClauseOrderBy]);
    EXPECT_TRUE(state.IsWpOrderBy());  // the keyword waits for the composer
    state.ClearWpClause();
    EXPECT_FALSE(state.IsWpOrderBy());
}

TEST(WhenPrintedTest, ChoicesAreTheControlsNamesUpperCasedWithoutTheEntry)
{
    CMemoryQuery query;
    CQueryFormState& state = query.State();
    state.AddTableColumns("Sales", "id\tName\t{when printed}\t");
    state.AddTableColumns("{When Printed}", "");
    state.AddTableColumns("archive", "");
    query.Open();
    EXPECT_TRUE(CQueryFormState::IsWpEntry("{When printed}"));
    EXPECT_FALSE(CQueryFormState::IsWpEntry(" {WHEN PRINTED}"));

    const std::pair<int, Names> cases[] = {
        {kClauseSelect, {"*", "ID", "NAME"}},
        {kClauseFrom, {"SALES", "ARCHIVE"}},
        {kClauseOrderBy, {"ID", "NAME"}},
        {kClauseWhere, {}},
    };
    CStringArray choices;  // one list for all: each call starts it afresh
    for (const auto& c : cases) {
        state.CollectWpChoices(c.first, choices);
        EXPECT_EQ(Items(choices), c.second) << "clause " << c.first;
    }
}
