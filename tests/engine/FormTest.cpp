// Opening the dialog: the host's column string and tables, the rows the grids get, the
// When Printed choices; and the portable strings all of it stands on.
#include "EngineTestSupport.h"
#include "platform/Exceptions.h"

#include <gtest/gtest.h>

using namespace enginetest;

TEST(FormTest, EachColumnNameEndsAtItsTab)
{
    const std::pair<const char*, Names> cases[] = {
        {"A\tB\tC\t", {"A", "B", "C"}}, {"A\tB\tC", {"A", "B"}}, {"\tA\tB\t", {}}, {"A\t\tB\t", {"A", "", "B"}},
        {"ABC", {}}, {"", {}}, {" Padded \tlower\tLOWER\t", {" Padded ", "lower", "LOWER"}},
    };
    for (const auto& c : cases) {
        CMemoryQuery query;
        Open(query, "T", c.first, "");
        EXPECT_EQ(Items(query.State().m_arrColumns), c.second) << "columns «" << c.first << "»";
    }
}

TEST(FormTest, OpeningFillsTheListsFromTheFirstTable)
{
    CMemoryQuery query;
    CQueryFormState& state = query.State();
    state.AddTableColumns("orders", "ID\tName\t");
    state.AddTableColumns("Archive", "Z\t");
    state.AddTableColumns("customers", "Y\t");
    state.AddTableColumns("orders", "ID\tName\t{When Printed}\t");  // replaces, keeps its place
    query.Open();
    const CMemoryForm& form = query.Form();
    ASSERT_EQ(form.GetColumnItemCount(), 4);
    EXPECT_EQ(form.GetColumnItemText(0), "*");
    EXPECT_EQ(form.GetColumnItemText(3), "{When Printed}");
    ASSERT_EQ(form.GetTableCount(), 3);  // sorted ignoring case, the first one chosen
    EXPECT_EQ(form.GetTableItemText(1), "customers");
    EXPECT_EQ(PressOk(query), "SELECT * FROM Archive ");

    const CMemoryGrid& sort = form.OrderBy();
    ASSERT_EQ(sort.GetItemCount(), 3);
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(sort.GetItemText(row, kOrderByField), state.m_arrColumns[row]);
        EXPECT_EQ(sort.GetCellCheck(row, kOrderByCheck), 0);
        EXPECT_FALSE(sort.HasCellCombo(row, kOrderByAscDesc));  // until the row is ticked
        EXPECT_EQ(sort.GetCellTip(row, kOrderByField), state.m_arrColumns[row]);
    }
}

TEST(FormTest, NewConditionsCycleTheColumnsAndOnlyLaterRowsGetAConnector)
{
    CMemoryQuery query;
    Open(query, "T", "A\tB\tC\t", "");
    for (int i = 0; i < 4; ++i)
        query.State().AddWhereRow(-1, -1, -1, nullptr);
    query.State().AddWhereRow(2, 1, 3, "(1,2)");
    EXPECT_EQ(PressOk(query), "SELECT * FROM T WHERE  ( A = '' ) AND ( B = '' ) AND ( C = '' ) AND ( A = '' ) "
                              "OR ( B BETWEEN (1,2) ) ");
    query.State().AddWhereRow(7, 9, 12, "y");  // outside every list: choice 0, the blank connector
    EXPECT_EQ(PressOk(query), "error: Syntax Error: WHERE clause.");
    const CMemoryGrid& where = query.Form().Where();
    EXPECT_FALSE(where.HasCellCombo(0, kWhereAndOr));
    EXPECT_EQ(where.GetCellTip(5, kWhereField), "A");
    EXPECT_EQ(where.GetCellComboRows(2, kWhereField), 4);  // column count + 1
}

TEST(FormTest, WhenPrintedChoicesAreTheNamesUpperCasedWithoutTheEntry)
{
    CMemoryQuery query;
    CQueryFormState& state = query.State();
    state.AddTableColumns("Sales", "id\tName\t{when printed}\t");
    state.AddTableColumns("{When Printed}", "");
    state.AddTableColumns("archive", "");
    query.Open();
    EXPECT_FALSE(CQueryFormState::IsWpEntry(" {WHEN PRINTED}"));
    const std::pair<int, Names> cases[] = {{kClauseSelect, {"*", "ID", "NAME"}}, {kClauseFrom, {"SALES", "ARCHIVE"}},
                                           {kClauseOrderBy, {"ID", "NAME"}}, {kClauseWhere, {}}};
    CStringArray choices;  // one list for all: each call starts it afresh
    for (const auto& c : cases) {
        state.CollectWpChoices(c.first, choices);
        EXPECT_EQ(Items(choices), c.second) << "clause " << c.first;
    }
}

TEST(FormTest, StringsClampTheirIndexesAndCheckedAccessThrows)
{
    CString text(" \t\r\n\v\fword\xa0\f\v\n\r\t ");
    EXPECT_EQ(CString(text).TrimLeft(), "word\xa0\f\v\n\r\t ");
    EXPECT_EQ(text.Trim(), "word\xa0");  // the six white-space characters, no others
    const CString list("a,b,,c");
    EXPECT_EQ(list.Find(',', 2) + list.Find(",,") + list.ReverseFind(','), 3 + 3 + 4);
    EXPECT_EQ(list.Find(',', 6) + list.Find(',', -1), -2);
    EXPECT_EQ(list.Mid(4, 99) + list.Mid(-3, 2) + list.Mid(1, -4) + list.Left(40) + list.Right(-1), ",ca,a,b,,c");
    EXPECT_LT(CString("ab").CompareNoCase("ABC"), 0);
    EXPECT_LT(CString("apple").CollateNoCase("Banana"), 0);
    EXPECT_THROW(CString("ab").GetAt(2), CInvalidArgException);
    EXPECT_THROW(CStringArray().SetAt(0, "x"), CInvalidArgException);

    CMapStringToString map(10);
    map.SetAt("Zeta", "z");
    map.SetAt("alpha", "a");
    map.SetAt("alpha", "A2");  // replaces, keeps its place
    map.SetAt("ALPHA", "caps");  // keys keep their case
    ASSERT_EQ(map.GetCount(), 3);
    EXPECT_EQ(map.GetKeyAt(1) + map.GetValueAt(1) + map.GetKeyAt(2), "alphaA2ALPHA");
    EXPECT_THROW(map.GetKeyAt(3), CInvalidArgException);
}
