// ParseSQLStatement and its helpers: how statement text, composed or typed, is read
// back into the column list and the two grids.
#include "EngineTestSupport.h"

#include <gtest/gtest.h>

using namespace enginetest;

TEST(SplitClausesTest, CutsItemsWithConnectorCodes)
{
    CStringArray columns, conditions, sorts;
    ASSERT_EQ(CQueryFormState::SplitClauses("select a, b ,,c, FROM t WHERE  ( x = 1 ) AND ( y = 2 ) OR z  "
                                            "ORDER BY  k DESC, m ,",
                                            columns, conditions, sorts),
              1);
    EXPECT_EQ(Items(columns), (Names{"a", " b", "", "c", ""}));
    EXPECT_EQ(Items(conditions), (Names{"0( x = 1 )", "1( y = 2 )", "2z"}));
    EXPECT_EQ(Items(sorts), (Names{"k DESC", " m", ""}));

    // A keyword counts only with its blank: a name that merely holds one stays a name.
    ASSERT_EQ(CQueryFormState::SplitClauses("SELECT a FROM Somewheres ORDER BY a", columns, conditions, sorts), 1);
    EXPECT_EQ(Items(conditions), Names{});
    EXPECT_EQ(Items(sorts), (Names{"a"}));
}

TEST(SplitClausesTest, RejectsAndEmptiesEveryList)
{
    const char* rejected[] = {
        "",
        "SELECT a",                              // no FROM
        "a FROM t",                              // no SELECT
        "SELECT  FROM t",                        // FROM too close to SELECT
        "FROM t SELECT a",                       // FROM before SELECT
        "SELECT a FROM WHERE x = 1",             // WHERE too close to FROM
        "SELECT a FROM t WHERE ORDER BY a",      // ORDER BY too close to WHERE
        "SELECT ,a FROM t WHERE  ( a = 1 ) ORDER BY a",  // column list starts with a comma
        "SELECT a FROM\nt",                      // no blank after FROM
    };
    for (const char* statement : rejected) {
        CStringArray columns, conditions, sorts;
        columns.Add("stale");
        conditions.Add("stale");
        sorts.Add("stale");
        EXPECT_EQ(CQueryFormState::SplitClauses(statement, columns, conditions, sorts), 0) << statement;
        EXPECT_EQ(columns.GetSize() + conditions.GetSize() + sorts.GetSize(), 0) << statement;
        // The dialog then shows "*" and nothing else.
        const ParsedForm form = Parse(statement);
        EXPECT_TRUE(form.checked == Names{"*"} && form.where.empty() && form.sort.empty()) << statement;
    }
}

TEST(SplitClausesTest, ConnectorAndFieldEndHelpers)
{
    int length = 0;
    EXPECT_EQ(CQueryFormState::FindNextConnector("a = 1 OR b = 2 AND c", length), 5);
    EXPECT_EQ(length, 4);
    EXPECT_EQ(CQueryFormState::FindNextConnector("a = 1 AND b = 2 OR c", length), 5);
    EXPECT_EQ(length, 5);
    EXPECT_EQ(CQueryFormState::FindNextConnector("a = 1 and b OR", length), -1);
    EXPECT_EQ(length, -1);
    EXPECT_EQ(CQueryFormState::FindFieldEnd("[Unit Price] > 5"), 12);
    EXPECT_EQ(CQueryFormState::FindFieldEnd("a = x]"), 6);
    EXPECT_EQ(CQueryFormState::FindFieldEnd("name = 1"), 4);
    EXPECT_EQ(CQueryFormState::FindFieldEnd("a=1"), -1);
}

TEST(ParserTest, SelectListItems)
{
    const std::pair<const char*, Names> cases[] = {
        {"SELECT a, b FROM t", {"a"}},        // the second item keeps its blank
        {"SELECT *, a FROM t", {"*"}},
        {"SELECT a,* FROM t", {"a"}},
        {"SELECT B,[c] FROM t", {"b", "c"}},
        {"SELECT nothing,known FROM t", {"*"}},
        {"select a from t where x = 1", {"a"}},
        {"SELECT [Unit Price] FROM t", {"Unit Price"}},
        {"SELECT [Where Used] FROM t WHERE  ( a = 1 ) ", {"Where Used"}},
        {"SELECT {'Cols?'|'*'} FROM {'T?'|'T'}", {"*"}},  // When Printed texts are not read back
    };
    for (const auto& c : cases)
        EXPECT_EQ(Parse(c.first, {"a", "b", "c", "Unit Price", "Where Used", "{WHEN PRINTED}"}).checked, c.second)
            << c.first;
}

TEST(ParserTest, ConditionsBecomeRowsEvenWhenTheLayoutCannotCarryThem)
{
    const std::pair<const char*, Rows> cases[] = {
        {"SELECT * FROM t WHERE ( a = 1 ) AND ( b LIKE 'x%' ) OR ( c IN (1,2) )",
         {{"", "a", "=", "1"}, {"AND", "b", "LIKE", "'x%'"}, {"OR", "c", "IN", "(1,2)"}}},
        {"SELECT * FROM t WHERE a BETWEEN 1 AND 5", {{"", "a", "BETWEEN", "1"}, {"AND", "a", "=", ""}}},
        {"SELECT * FROM t WHERE b = 'John Smith'", {{"", "b", "=", "Smith'"}}},
        {"SELECT * FROM t WHERE c=1", {{"", "a", "=", ""}}},
        {"SELECT * FROM t WHERE b like 'x%'", {{"", "b", "LIKE", "'x%'"}}},
        {"SELECT * FROM t WHERE b = 1 and c = 2", {{"", "b", "=", "2"}}},
        {"SELECT * FROM t WHERE c = {WHEN PRINTED}", {{"", "c", "=", "PRINTED}"}}},
        {"SELECT * FROM t WHERE  ( B = '' ) ", {{"", "b", "=", "''"}}},
        {"SELECT * FROM t WHERE ((c = (1)))", {{"", "a", "=", "(1))"}}},  // field «(c»
        {"SELECT * FROM t WHERE ", {{"", "a", "=", ""}}},
        {"SELECT * FROM t WHERE [Unit Price] > 5", {{"", "Unit Price", "=", "5"}}},
        // Only the first "WHERE " counts, and here it lies before FROM.
        {"SELECT [Where Used] FROM t WHERE  ( a = 1 ) ", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Parse(c.first, {"a", "b", "c", "Unit Price", "Where Used"}).where, c.second) << c.first;
}

TEST(ParserTest, SortKeysCheckRowsInColumnOrder)
{
    const std::pair<const char*, Names> cases[] = {
        {"SELECT * FROM t ORDER BY b DESC,a", {"a", "b DESC"}},
        {"SELECT * FROM t ORDER BY a ASC, b", {"a ASC"}},
        {"SELECT * FROM t ORDER BY a XYZ", {"a ASC"}},  // the length tells the direction
        {"SELECT * FROM t ORDER BY a ABCD", {"a DESC"}},
        {"SELECT * FROM t ORDER BY a AB", {"a"}},
        {"SELECT * FROM t ORDER BY A  ", {"a"}},
        {"SELECT * FROM t ORDER BY c desc,c ASC", {"c DESC"}},  // the first item wins
        {"SELECT * FROM t ORDER BY [b] ASC,x", {"b ASC"}},
        {"SELECT * ORDER BY c FROM t", {}},  // the sort text runs to the end: «c FROM t»
        {"SELECT * ORDER BY b, FROM t", {"b"}},  // with no WHERE, a key before FROM counts
        {"SELECT * FROM t ORDER BY b WHERE  ( a = 1 )", {}},  // but not one before WHERE
        {"SELECT * FROM t ORDER BY [Unit Price]", {"Unit"}},  // cut at its last blank
        {"SELECT * FROM t ORDER BY [Unit Price] DESC", {"Unit Price DESC"}},
        {"SELECT * FROM t ORDER BY {'Key?'|'A'}", {}},
    };
    for (const auto& c : cases) {
        CMemoryQuery query;
        OpenQuery(query, "t", ColumnString({"a", "b", "c", "Unit Price", "Unit"}), c.first);
        EXPECT_EQ(SortKeys(query.Form()), c.second) << c.first;
        const CMemoryGrid& grid = query.Form().OrderBy();
        for (int row = 0; row < grid.GetItemCount(); ++row)
            EXPECT_EQ(grid.HasCellCombo(row, kOrderByAscDesc), grid.GetCellCheck(row, kOrderByCheck) == 1);
        EXPECT_TRUE(grid.IsRedrawOn());
        EXPECT_EQ(grid.GetRedrawOffCount(), 2);  // the rows' creation and the parse
    }
    EXPECT_EQ(Recompose("t", ColumnString({"a", "b"}), "SELECT * FROM t ORDER BY b DESC,a"),
              "SELECT * FROM t ORDER BY a,b DESC");
}

TEST(ParserTest, NamesThatDifferOnlyInCaseMatchTheFirstAsALinearSearchWould)
{
    const ParsedForm form =
        Parse("SELECT A,B FROM t WHERE  ( C = 1 ) ORDER BY A DESC,a ASC,B", {"x", "a", "A", "b", "c", "C"});
    EXPECT_EQ(form.checked, (Names{"a", "b"}));
    EXPECT_EQ(form.where, (Rows{{"", "c", "=", "1"}}));
    EXPECT_EQ(form.sort, (Names{"a DESC", "A DESC", "b"}));
}

TEST(ParserTest, TableWithoutColumnsGetsNoRows)
{
    CMemoryQuery query;
    OpenQuery(query, "t", "no tab", "SELECT a FROM t WHERE  ( a = 1 ) ORDER BY a");
    EXPECT_EQ(CheckedColumns(query.Form()), Names{"*"});
    EXPECT_EQ(query.Form().Where().GetItemCount(), 0);
    EXPECT_EQ(query.Form().OrderBy().GetItemCount(), 0);
    EXPECT_EQ(query.Form().OrderBy().GetRedrawOffCount(), 2);
    EXPECT_TRUE(query.Form().OrderBy().IsRedrawOn());
}

TEST(ParserTest, HostTextStaysUntilOkRecomposesIt)
{
    CMemoryQuery query;
    OpenQuery(query, "t", ColumnString({"a", "b"}), "select b from t where b like 'x%' order by b desc");
    EXPECT_EQ(query.State().m_strStatement, "select b from t where b like 'x%' order by b desc");
    EXPECT_EQ(query.Form().GetPreviewText(), "select b from t where b like 'x%' order by b desc");
    ASSERT_TRUE(query.PressOk());
    EXPECT_EQ(query.State().m_strStatement, "SELECT b FROM t WHERE  ( b LIKE 'x%' ) ORDER BY b DESC");
}
