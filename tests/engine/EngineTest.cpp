// The engine as the dialog drives it: a host's table and statement opened, the in-memory form
// edited, OK pressed. Statements read in and composed back, the composer's own rules, what the
// grids and lists get on opening; and seeded random forms through the form_round_trip fuzz
// target's rules (tests/fuzz), so that every build checks them (arbitrary text opened is left
// to the open_statement target and its corpus).
#include "dialog/MemoryQuery.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);  // FuzzFormRoundTrip.cpp

namespace {

void Open(CMemoryQuery& query, const char* table, const char* columns, const char* statement)
{
    query.State().AddTableColumns(table, columns);
    query.State().SetSQLQuery(statement);
    query.Open();
}

// What the host receives after OK, or the refusal's message.
std::string PressOk(CMemoryQuery& query)
{
    return query.PressOk() ? query.State().m_strStatement.Str() : "error: " + query.State().m_strError.Str();
}

}  // namespace

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
        // Each column name ends at its tab; a column string that starts with one holds none.
        {"SELECT a FROM t WHERE  ( a = 1 ) ORDER BY a", kStar, "no tab"},
        {"SELECT A,B,C FROM t", "SELECT A,B FROM t ", "A\tB\tC"}, {"SELECT A FROM t", kStar, "\tA\tB\t"},
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

    form.Where().SetItemText(1, kWhereAndOr, "OR");
    for (int row : {0, 1}) {  // ticked as a click does: check box, drop-down on, then the choice
        form.OrderBy().SetCellCheck(row, kOrderByCheck, 1);
        form.OrderBy().EnableCellCombo(row, kOrderByAscDesc, TRUE, 0);
        form.OrderBy().SetItemText(row, kOrderByAscDesc, row == 0 ? "   " : "DESC ");
    }
    form.OrderBy().SetCellCheck(2, kOrderByCheck, -1);  // no check box reads as checked
    EXPECT_EQ(PressOk(query), "SELECT Name,City FROM Customers WHERE  ( City = 'Paris' ) OR ( Name LIKE 'A%' ) "
                              "ORDER BY ID,Name DESC,City");

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

// The flows of tests/ui/dll answer the question for a column, a table and a sort key; here what
// only the state shows.
TEST(StatementTest, WhenPrintedTextsReplaceTheirClauses)
{
    CMemoryQuery query;
    Open(query, "Customers", "ID\tName\t", "SELECT ID FROM Customers");
    CQueryFormState& state = query.State();
    query.Form().SetOrderByEnabled(FALSE);  // an accepted sort key survives a cleared box
    EXPECT_TRUE(state.AcceptWpText(kClauseOrderBy, "{'Sort?'|'ID'}"));
    EXPECT_EQ(PressOk(query), "SELECT ID FROM Customers ORDER BY {'Sort?'|'ID'}");
    state.AcceptWpText(kClauseSelect, "");  // an empty answer is no select list
    EXPECT_EQ(PressOk(query), "error: Syntax Error: SELECT ?Columns?");
    EXPECT_FALSE(state.AcceptWpText(kClauseWhere, "{'x'|'y'}"));
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
    EXPECT_EQ(where.GetCellComboRows(2, kWhereField), 4);  // column count + 1
    query.Form().Where().FailNextInsertion();  // the row stays in the grid, without its records
    EXPECT_FALSE(query.State().AddWhereRow(-1, -1, -1, nullptr));
    EXPECT_EQ(where.GetItemCount(), 6) << "the form keeps no row without records";
}

TEST(RoundTripTest, ComposedFormsReadBackAndComposeAlike)
{
    const std::string nameChars = "abcdefghijklmnpqrstuvwxyzABCDEFGHIJKLMNPQRSTUVWXYZ_0123456789$#-.() ";
    const std::string valueChars = "abcdefghijklmnopqrstuvwxyz0123456789'%()*<>=,.[]_-";
    std::mt19937 random(20240917u);
    auto pick = [&random](size_t count) { return std::uniform_int_distribution<size_t>(0, count - 1)(random); };
    for (int trial = 0; trial < 3000; ++trial) {
        std::string input;
        for (size_t name = 0, names = 2 + pick(10); name < names; ++name) {
            for (size_t i = 0, length = 1 + pick(8); i < length; ++i)
                input += nameChars[pick(nameChars.size())];
            input += name == 0 ? '\n' : '\t';
        }
        input += '\n';
        for (int i = 0; i < 60; ++i) {
            const size_t kind = pick(10);
            input += kind < 4 ? static_cast<char>(pick(8)) : kind < 6 ? '\n' : valueChars[pick(valueChars.size())];
        }
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
    }
}
