// Statements read into the form and composed back: what the host gets when the dialog
// opens with its statement and OK is pressed at once; and the composer's own rules.
#include "EngineTestSupport.h"

#include <gtest/gtest.h>

using namespace enginetest;

TEST(StatementTest, OpenedStatementsComeBackAsOkComposesThem)
{
    struct Case {
        const char* in;
        const char* out;
        const char* columns = "a\tb\tc\tUnit Price\tWhere Used\t";
    };
    const char* const kStar = "SELECT * FROM t ";
    const Case cases[] = {
        {"", kStar}, {"SELECT *, a FROM t", kStar}, {"SELECT nothing,known FROM t", kStar},
        {"SELECT a, b FROM t", "SELECT a FROM t "},  // the second item keeps its blank
        {"SELECT a,* ,,B FROM t", "SELECT a,b FROM t "}, {"select B,,[c] from t", "SELECT b,c FROM t "},
        {"SELECT [Unit Price] FROM t", "SELECT [Unit Price] FROM t "}, {"SELECT {'Cols?'|'*'} FROM {'T?'|'T'}", kStar},
        {"SELECT a FROM Somewheres ORDER BY a", "SELECT a FROM t ORDER BY a"},
        {"SELECT * FROM t WHERE ( a = 1 ) AND ( b LIKE 'x%' ) OR ( c IN (1,2) )",
         "SELECT * FROM t WHERE  ( a = 1 ) AND ( b LIKE 'x%' ) OR ( c IN (1,2) ) "},
        {"SELECT * FROM t WHERE a BETWEEN 1 AND 5", "SELECT * FROM t WHERE  ( a BETWEEN 1 ) AND ( a = '' ) "},
        {"SELECT * FROM t WHERE b = 'John Smith'", "SELECT * FROM t WHERE  ( b = Smith' ) "},
        {"SELECT * FROM t WHERE c=1", "SELECT * FROM t WHERE  ( a = '' ) "},
        {"SELECT * FROM t WHERE b like 'x%'", "SELECT * FROM t WHERE  ( b LIKE 'x%' ) "},
        {"SELECT * FROM t WHERE b = 1 and c = 2", "SELECT * FROM t WHERE  ( b = 2 ) "},
        {"SELECT * FROM t WHERE ((c = (1)))", "SELECT * FROM t WHERE  ( a = (1)) ) "},  // field «(c»
        {"SELECT * FROM t WHERE [Unit Price] > 5", "SELECT * FROM t WHERE  ( [Unit Price] = 5 ) "},
        {"SELECT [Where Used] FROM t WHERE  ( a = 1 ) ", "SELECT [Where Used] FROM t "},
        {"SELECT * FROM t ORDER BY b DESC,a", "SELECT * FROM t ORDER BY a,b DESC"},
        {"SELECT * FROM t ORDER BY a ASC, b", "SELECT * FROM t ORDER BY a ASC"},
        {"SELECT * FROM t ORDER BY a XYZ,b ABCD,c AB", "SELECT * FROM t ORDER BY a ASC,b DESC,c"},
        {"SELECT * FROM t ORDER BY c desc,c ASC", "SELECT * FROM t ORDER BY c DESC"},
        {"SELECT * ORDER BY c FROM t", kStar},  // the sort text runs to the end
        {"SELECT * ORDER BY b, FROM t", "SELECT * FROM t ORDER BY b"},
        {"SELECT * FROM t ORDER BY b WHERE  ( a = 1 )", "SELECT * FROM t WHERE  ( a = 1 ) "},
        {"SELECT * FROM t ORDER BY [Unit Price] DESC", "SELECT * FROM t ORDER BY [Unit Price] DESC"},
        {"SELECT * FROM t ORDER BY [Unit Price]", "SELECT * FROM t ORDER BY Unit", "Unit Price\tUnit\t"},
        {"SELECT A,B FROM t WHERE  ( C = 1 ) ORDER BY A DESC,a ASC,B",
         "SELECT a,b FROM t WHERE  ( c = 1 ) ORDER BY a DESC,A DESC,b", "x\ta\tA\tb\tc\tC\t"},
        {"SELECT a FROM t WHERE  ( a = 1 ) ORDER BY a", kStar, "no tab"},
        // Statements the clause cut rejects open as "*" alone.
        {"SELECT a", kStar}, {"a FROM t", kStar}, {"SELECT  FROM t", kStar}, {"FROM t SELECT a", kStar},
        {"SELECT a FROM WHERE x = 1", kStar}, {"SELECT a FROM\nt", kStar}, {"SELECT a FROM t WHERE ORDER BY a", kStar},
        {"SELECT ,a FROM t WHERE  ( a = 1 ) ORDER BY a", kStar},
    };
    for (const Case& c : cases) {
        CMemoryQuery query;
        Open(query, "t", c.columns, c.in);
        EXPECT_EQ(query.Form().GetPreviewText(), *c.in ? c.in : c.out);  // the host's text shows until OK
        EXPECT_EQ(PressOk(query), c.out) << c.in;
        EXPECT_TRUE(query.Form().OrderBy().IsRedrawOn()) << c.in;
    }
}

TEST(StatementTest, ComposerWritesTheFormAndRefusesInClauseOrder)
{
    CMemoryQuery query;
    Open(query, "Customers", "ID\tName\tCity\t", "");
    CMemoryForm& form = query.Form();
    CQueryFormState& state = query.State();
    form.SetColumnCheck(0, 0);
    form.SelectTable(-1);
    state.AddWhereRow(-1, 2, 0, "'Paris'");
    state.AddWhereRow(0, 1, 1, "'A%'");  // the blank connector
    EXPECT_EQ(PressOk(query), "error: Syntax Error: SELECT ?Columns?");
    form.SetColumnCheck(2, 1);
    form.SetColumnCheck(3, 1);
    EXPECT_EQ(PressOk(query), "error: Syntax Error: SELECT Columns FROM ?table?");
    form.SelectTable(0);
    EXPECT_EQ(PressOk(query), "error: Syntax Error: WHERE clause.");
    EXPECT_EQ(state.m_strStatement, "SELECT * FROM Customers ");  // a refusal leaves both
    EXPECT_EQ(form.GetPreviewText(), "SELECT * FROM Customers ");

    form.Where().SetItemText(1, kWhereAndOr, "OR");
    for (int row : {0, 1}) {  // ticked as a click does: check box, drop-down on, then the choice
        form.OrderBy().SetCellCheck(row, kOrderByCheck, 1);
        form.OrderBy().EnableCellCombo(row, kOrderByAscDesc, TRUE, 0);
        form.OrderBy().SetItemText(row, kOrderByAscDesc, row == 0 ? "   " : "DESC ");
    }
    form.OrderBy().SetCellCheck(2, kOrderByCheck, -1);  // no check box reads as checked
    EXPECT_EQ(PressOk(query), "SELECT Name,City FROM Customers WHERE  ( City = 'Paris' ) OR ( Name LIKE 'A%' ) "
                              "ORDER BY ID,Name DESC,City");
    EXPECT_EQ(form.GetPreviewText(), state.m_strStatement);

    form.Where().SetItemText(0, kWhereValue, "");
    form.Where().SetItemText(1, kWhereOperator, " in ");  // operators and values go as they are
    form.OrderBy().SetCellCheck(0, kOrderByCheck, 0);
    EXPECT_EQ(PressOk(query), "SELECT Name,City FROM Customers WHERE  ( City = '' ) OR ( Name  in  'A%' ) "
                              "ORDER BY Name DESC,City");
    form.SetWhereEnabled(FALSE);  // the rows stay, the clauses go
    form.SetOrderByEnabled(FALSE);
    form.SetColumnCheck(0, 1);
    EXPECT_EQ(PressOk(query), "SELECT * FROM Customers ");

    state.m_bInitialized = FALSE;  // handlers that fire while the dialog fills itself compose nothing
    form.SetColumnCheck(0, 0);
    EXPECT_TRUE(state.BuildSQLStatement());
    EXPECT_EQ(state.m_strStatement, "SELECT * FROM Customers ");
}

TEST(StatementTest, WhenPrintedTextsReplaceTheirClauses)
{
    CMemoryQuery query;
    Open(query, "Customers", "ID\tName\t", "SELECT ID FROM Customers");
    CQueryFormState& state = query.State();
    state.AcceptWpText(kClauseSelect, "{'Columns?'|'*'}");
    state.AcceptWpText(kClauseFrom, "{'Table?'|'ORDER DETAILS'}");
    EXPECT_EQ(PressOk(query), "SELECT {'Columns?'|'*'} FROM {'Table?'|'ORDER DETAILS'} ");
    EXPECT_TRUE(state.m_strWpClause.IsEmpty());  // consumed; the flags keep the texts
    state.ClearWpFlag(kClauseSelect);
    state.ClearWpFlag(kClauseFrom);
    query.Form().SetOrderByEnabled(FALSE);  // an accepted sort key survives a cleared box
    EXPECT_TRUE(state.AcceptWpText(kClauseOrderBy, "{'Sort?'|'ID'}"));
    EXPECT_EQ(PressOk(query), "SELECT ID FROM Customers ORDER BY {'Sort?'|'ID'}");
    state.ClearWpFlag(kClauseOrderBy);

    // A pending keyword without its flag supplies the text, but the name rule still applies.
    state.m_arrWpClauseText.SetAt(kClauseFrom, "Other Table");
    state.m_strWpClause = "FROM";
    EXPECT_EQ(PressOk(query), "SELECT ID FROM [Other Table] ");
    state.AcceptWpText(kClauseSelect, "");
    EXPECT_EQ(PressOk(query), "error: Syntax Error: SELECT ?Columns?");
    EXPECT_FALSE(state.AcceptWpText(kClauseWhere, "{'x'|'y'}"));
    EXPECT_EQ(CQueryFormState::MakeWpText("a'|}", "{b"), "{'a'|}'|'{b'}");
}

TEST(StatementTest, NamesAreTrimmedBracketedAndLoseApostrophes)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Name", "Name"}, {" Name ", "Name"}, {"Order Date", "[Order Date]"}, {"Price$", "[Price$]"},
        {"Addr1", "[Addr1]"}, {"O'Neil", "[ONeil]"}, {"[Order Date]", "[Order Date]"},
        {"Order Date]", "[Order Date]"}, {"[Order Date", "[Order Date]"}, {"   ", ""}, {"", ""},
        {"\tT2\n", "[T2]"}, {"a]b", "a]b"}, {"''", "[]"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CQueryFormState::QuoteName(c.first), c.second) << "name «" << c.first << "»";
    EXPECT_EQ(CQueryFormState::QuoteName(nullptr), "");
}
