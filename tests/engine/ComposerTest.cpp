// BuildSQLStatement and QuoteName: the exact output text, the three syntax errors
// in their order, and clauses given by When Printed texts.
#include "EngineTestSupport.h"

#include <gtest/gtest.h>

using namespace enginetest;

namespace {

// The Customers form of the worked examples, opened empty, with "*" cleared.
class ComposerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        OpenQuery(query, "Customers", ColumnString({"ID", "Name", "City"}), "");
        form().SetColumnCheck(0, 0);
    }

    CMemoryForm& form() { return query.Form(); }
    CQueryFormState& state() { return query.State(); }
    std::string Compose()
    {
        if (!state().BuildSQLStatement())
            return "error: " + state().m_strError.Str();
        return state().m_strStatement.Str();
    }

    CMemoryQuery query;
};

}  // namespace

TEST_F(ComposerTest, WorkedExamples)
{
    form().SetColumnCheck(0, 1);
    EXPECT_EQ(Compose(), "SELECT * FROM Customers ");

    form().SetColumnCheck(0, 0);
    form().SetColumnCheck(2, 1);
    form().SetColumnCheck(3, 1);
    state().AddWhereRow(-1, 2, 0, "'Paris'");
    state().AddWhereRow(2, 1, 1, "'A%'");
    CheckSortRow(query, 0, "   ");
    CheckSortRow(query, 1, "DESC");
    EXPECT_EQ(Compose(), "SELECT Name,City FROM Customers WHERE  ( City = 'Paris' ) OR ( Name LIKE 'A%' ) "
                         "ORDER BY ID,Name DESC");
    EXPECT_EQ(form().GetPreviewText(), state().m_strStatement);

    form().SetOrderByEnabled(FALSE);
    EXPECT_EQ(Compose(), "SELECT Name,City FROM Customers WHERE  ( City = 'Paris' ) OR ( Name LIKE 'A%' ) ");

    form().Where().SetItemText(0, kWhereValue, "");
    EXPECT_EQ(Compose(), "SELECT Name,City FROM Customers WHERE  ( City = '' ) OR ( Name LIKE 'A%' ) ");

    form().SetWhereEnabled(FALSE);  // rows stay, the clause goes
    EXPECT_EQ(Compose(), "SELECT Name,City FROM Customers ");
}

TEST_F(ComposerTest, NamesAreQuotedAndStarWinsOverColumns)
{
    CMemoryQuery spaced;
    OpenQuery(spaced, "Order Details", ColumnString({"Col 1", "O'Neil", "Price$"}), "");
    spaced.Form().SetColumnCheck(0, 0);
    for (int item = 1; item <= 3; ++item)
        spaced.Form().SetColumnCheck(item, 1);
    spaced.State().AddWhereRow(-1, 0, 0, "5");
    CheckSortRow(spaced, 2, "ASC ");
    ASSERT_TRUE(spaced.PressOk());
    EXPECT_EQ(spaced.State().m_strStatement,
              "SELECT [Col 1],[ONeil],[Price$] FROM [Order Details] WHERE  ( [Col 1] = 5 ) ORDER BY [Price$] ASC");

    form().SetColumnCheck(0, 1);
    form().SetColumnCheck(1, 1);
    EXPECT_EQ(Compose(), "SELECT * FROM Customers ");
}

TEST_F(ComposerTest, OperatorsAndValuesAreCopiedUntouched)
{
    form().SetColumnCheck(1, 1);
    state().AddWhereRow(-1, 0, 3, "1 AND 5");
    state().AddWhereRow(1, 1, 2, " ('a', 'b')");
    form().Where().SetItemText(1, kWhereOperator, " in ");
    EXPECT_EQ(Compose(), "SELECT ID FROM Customers WHERE  ( ID BETWEEN 1 AND 5 ) AND ( Name  in   ('a', 'b') ) ");
}

TEST_F(ComposerTest, SortRowsInGridOrderWithTrimmedDirections)
{
    form().SetColumnCheck(0, 1);
    CheckSortRow(query, 2, "DESC");
    CheckSortRow(query, 0, "");
    EXPECT_EQ(Compose(), "SELECT * FROM Customers ORDER BY ID,City DESC");
    form().OrderBy().SetCellCheck(0, kOrderByCheck, -1);  // no check box reads as checked
    form().OrderBy().SetCellCheck(2, kOrderByCheck, 0);
    EXPECT_EQ(Compose(), "SELECT * FROM Customers ORDER BY ID");
}

TEST_F(ComposerTest, ErrorsComeInClauseOrderAndLeaveTheStatement)
{
    form().SetColumnCheck(0, 1);
    ASSERT_EQ(Compose(), "SELECT * FROM Customers ");
    form().SetColumnCheck(0, 0);
    form().SelectTable(-1);
    state().AddWhereRow(-1, -1, -1, nullptr);
    state().AddWhereRow(0, -1, -1, nullptr);  // the blank connector

    EXPECT_EQ(Compose(), "error: Syntax Error: SELECT ?Columns?");
    form().SetColumnCheck(1, 1);
    EXPECT_EQ(Compose(), "error: Syntax Error: SELECT Columns FROM ?table?");
    form().SelectTable(0);
    EXPECT_EQ(Compose(), "error: Syntax Error: WHERE clause.");
    form().Where().SetItemText(1, kWhereAndOr, "");
    EXPECT_EQ(Compose(), "error: Syntax Error: WHERE clause.");
    EXPECT_EQ(state().m_strStatement, "SELECT * FROM Customers ");
    EXPECT_EQ(form().GetPreviewText(), "SELECT * FROM Customers ");

    form().SetWhereEnabled(FALSE);  // a disabled clause cannot fail
    EXPECT_EQ(Compose(), "SELECT ID FROM Customers ");
    EXPECT_TRUE(state().m_strError.IsEmpty());
    form().SetWhereEnabled(TRUE);
    form().Where().SetItemText(1, kWhereAndOr, "OR");
    EXPECT_EQ(Compose(), "SELECT ID FROM Customers WHERE  ( ID = '' ) OR ( Name = '' ) ");
}

TEST_F(ComposerTest, NothingHappensBeforeInitialisationEnds)
{
    state().m_bInitialized = FALSE;
    state().m_strStatement = "host text";
    form().SetPreviewText("host text");
    EXPECT_TRUE(state().BuildSQLStatement());  // no column is checked, yet no error
    EXPECT_EQ(state().m_strStatement, "host text");
    EXPECT_EQ(form().GetPreviewText(), "host text");
    EXPECT_TRUE(state().m_strError.IsEmpty());
}

TEST_F(ComposerTest, WhenPrintedTextsReplaceTheirClauses)
{
    form().SetColumnCheck(1, 1);
    state().AcceptWpText(kClauseSelect, "{'Columns?'|'*'}");
    EXPECT_EQ(Compose(), "SELECT {'Columns?'|'*'} FROM Customers ");
    EXPECT_TRUE(state().m_strWpClause.IsEmpty());  // consumed; the flag keeps the text
    EXPECT_EQ(Compose(), "SELECT {'Columns?'|'*'} FROM Customers ");
    state().ClearWpFlag(kClauseSelect);
    EXPECT_EQ(Compose(), "SELECT ID FROM Customers ");

    state().AcceptWpText(kClauseFrom, "{'Table?'|'ORDER DETAILS'}");
    EXPECT_EQ(Compose(), "SELECT ID FROM {'Table?'|'ORDER DETAILS'} ");
    state().ClearWpFlag(kClauseFrom);
    form().SetColumnCheck(1, 0);
    form().SetColumnCheck(2, 1);
    EXPECT_EQ(Compose(), "SELECT Name FROM Customers ");

    // A pending keyword without its flag supplies the text, but the name rule still applies.
    state().m_arrWpClauseText.SetAt(kClauseFrom, "Other Table");
    state().m_strWpClause = "FROM";
    EXPECT_EQ(Compose(), "SELECT Name FROM [Other Table] ");

    form().SetOrderByEnabled(FALSE);  // an accepted sort key survives a cleared box
    state().AcceptWpText(kClauseOrderBy, "{'Sort?'|'ID'}");
    EXPECT_EQ(Compose(), "SELECT Name FROM Customers ORDER BY {'Sort?'|'ID'}");
}

TEST_F(ComposerTest, EmptyWhenPrintedTextsFailLikeEmptyClauses)
{
    form().SetColumnCheck(1, 1);
    state().AcceptWpText(kClauseSelect, "");
    EXPECT_EQ(Compose(), "error: Syntax Error: SELECT ?Columns?");
    EXPECT_TRUE(state().m_strWpClause.IsEmpty());
    state().ClearWpFlag(kClauseSelect);
    state().AcceptWpText(kClauseFrom, "");
    EXPECT_EQ(Compose(), "error: Syntax Error: SELECT Columns FROM ?table?");
}

TEST(QuoteNameTest, BracketsTrimsAndDropsApostrophes)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Name", "Name"},
        {" Name ", "Name"},
        {"Order Date", "[Order Date]"},
        {"Price$", "[Price$]"},
        {"Addr1", "[Addr1]"},
        {"O'Neil", "[ONeil]"},
        {"[Order Date]", "[Order Date]"},
        {"Order Date]", "[Order Date]"},
        {"[Order Date", "[Order Date]"},
        {"   ", ""},
        {"", ""},
        {"\tT2\n", "[T2]"},
        {"a]b", "a]b"},
        {"''", "[]"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CQueryFormState::QuoteName(c.first), c.second) << "name «" << c.first << "»";
    EXPECT_EQ(CQueryFormState::QuoteName(nullptr), "");
}
