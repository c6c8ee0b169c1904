// The engine on plain values: statements opened and composed as OK composes them, queries
// composed, names written; and realistic forms, seeded at random, through the round trip of
// the form_round_trip fuzz target (tests/fuzz/RoundTripRules.h), so that every build checks it.
#include "RoundTripRules.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// What the host receives after OK, or the refusal's message.
std::string PressOk(const Query& query)
{
    const Composed composed = ComposeStatement(query);
    return composed.Ok() ? composed.statement : "error: " + composed.error;
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
        // Text in other layouts reads as it always did...
        {"", kStar}, {"SELECT *,a FROM t", kStar}, {"SELECT nothing,known FROM t", kStar},
        {"SELECT a, b FROM t", "SELECT a FROM t "},  // the second item keeps its blank
        {"SELECT a,* ,,B FROM t", "SELECT a,b FROM t "}, {"select B,,[c] from T", "SELECT b,c FROM t "},
        {"SELECT a FROM Somewheres ORDER BY a", "SELECT a FROM t ORDER BY a"},
        {"SELECT * FROM t WHERE ( a = 1 ) AND ( b LIKE 'x%' ) OR ( c IN (1,2) )",
         "SELECT * FROM t WHERE  ( a = 1 ) AND ( b LIKE 'x%' ) OR ( c IN (1,2) ) "},
        {"SELECT * FROM t WHERE b = 'John Smith'", "SELECT * FROM t WHERE  ( b = Smith' ) "},
        {"SELECT * FROM t WHERE c=1", "SELECT * FROM t WHERE  ( a = '' ) "},
        {"SELECT * FROM t WHERE ((c = (1)))", "SELECT * FROM t WHERE  ( a = (1)) ) "},  // field «(c»
        {"SELECT [Where Used] FROM t WHERE a = 1", "SELECT [Where Used] FROM t "},
        {"SELECT * FROM t ORDER BY a ASC, b", "SELECT * FROM t ORDER BY a ASC"},
        {"SELECT * FROM t ORDER BY a XYZ,b ABCD,c AB", "SELECT * FROM t ORDER BY a ASC,b DESC,c"},
        {"SELECT * FROM t ORDER BY c desc,c ASC", "SELECT * FROM t ORDER BY c DESC"},
        {"SELECT * ORDER BY c FROM t", kStar}, {"SELECT * ORDER BY b, FROM t", "SELECT * FROM t ORDER BY b"},
        {"SELECT * FROM t ORDER BY b WHERE  ( a = 1 )", "SELECT * FROM t WHERE  ( a = 1 ) "},
        {"SELECT * FROM t ORDER BY [Unit Price", "SELECT * FROM t ORDER BY Unit", "Unit Price\tUnit\t"},
        {"SELECT a FROM t WHERE  ( a = 1 ) ORDER BY a", kStar, "no tab"},
        {"SELECT A,B,C FROM t", "SELECT A,B FROM t ", "A\tB\tC"}, {"SELECT A FROM t", kStar, "\tA\tB\t"},
        {"SELECT a", kStar}, {"a FROM t", kStar}, {"SELECT  FROM t", kStar}, {"FROM t SELECT a", kStar},
        {"SELECT a FROM WHERE x = 1", kStar}, {"SELECT a FROM\nt", kStar}, {"SELECT a FROM t WHERE ORDER BY a", kStar},
        {"SELECT ,a FROM t WHERE  ( a = 1 ) ORDER BY a", kStar},
        // ... but with every operator in any letter case, "!=", and connectors in any case
        // outside brackets.
        {"SELECT * FROM t WHERE [Unit Price] > 5 and b != 2 Or c is not null",
         "SELECT * FROM t WHERE  ( [Unit Price] > 5 ) AND ( b <> 2 ) OR ( c IS NOT NULL ) "},
        {"SELECT * FROM t WHERE a not like 'x%' AND [b or c] = 1",
         "SELECT * FROM t WHERE  ( a NOT LIKE 'x%' ) AND ( [b or c] = 1 ) ", "a\tb or c\t"},
        {"SELECT * FROM t WHERE a BETWEEN 1 AND 5", "SELECT * FROM t WHERE  ( a BETWEEN 1 ) AND ( a = '' ) "},
        // The composer's own layout reads back whole (RealisticFormsReopenAsThemselves); of
        // names written alike, the first is the one read.
        {"SELECT [ONeil] FROM t ", "SELECT [ONeil] FROM t ", "O'Neil\tONe'il\t"},
    };
    for (const Case& c : cases) {
        const Query opened = OpenStatement(c.in, SplitColumnString(c.columns), {"t"});
        EXPECT_EQ(PressOk(opened), c.out) << c.in;
    }
}

TEST(StatementTest, ComposerWritesTheQueryAndRefusesInClauseOrder)
{
    Query query;
    query.conditions = {{"", "City", "=", "'Paris'"}, {"   ", "Name", "LIKE", "'A%'"}};
    EXPECT_EQ(PressOk(query), "error: Syntax Error: SELECT ?Columns?");
    query.columns = {"Name", "City"};
    EXPECT_EQ(PressOk(query), "error: Syntax Error: SELECT Columns FROM ?table?");
    query.table = "Customers";
    EXPECT_EQ(PressOk(query), "error: Syntax Error: WHERE clause.");
    query.conditions[1].connector = "OR";
    query.sortKeys = {{"ID", "   "}, {"Name", "DESC "}};
    EXPECT_EQ(PressOk(query), "SELECT Name,City FROM Customers WHERE  ( City = 'Paris' ) OR ( Name LIKE 'A%' ) "
                              "ORDER BY ID,Name DESC");
    query.conditions = {{"AND", "City", "IS NULL", "gone"}, {"OR", "Order Date", " in ", ""}};
    query.sortKeys.clear();
    query.allColumns = true;
    query.wpFrom = "{'Table?'|'T'}";
    EXPECT_EQ(PressOk(query), "SELECT * FROM {'Table?'|'T'} WHERE  ( City IS NULL ) OR ( [Order Date]  in  '' ) ");
}

TEST(StatementTest, NamesAreTrimmedBracketedAndLoseApostrophes)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Name", "Name"}, {" Name ", "Name"}, {"Order Date", "[Order Date]"}, {"Price$", "[Price$]"},
        {"Addr1", "[Addr1]"}, {"O'Neil", "[ONeil]"}, {"[Order Date]", "[Order Date]"},
        {"Order Date]", "[Order Date]"}, {"[Order Date", "[Order Date]"}, {"   ", ""}, {"", ""},
        {"\tT2\n", "[T2]"}, {"a]b", "a]b"}, {"''", "[]"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(QuoteName(c.first), c.second) << "name «" << c.first << "»";
        EXPECT_EQ(QuoteName(QuoteName(c.first)), c.second) << "written twice «" << c.first << "»";
    }
}

// Forms like the ones users build, at random: names with blanks, digits, "$", apostrophes,
// clause words and letter case apart; values quoted or not, with blanks, AND and OR, ranges,
// lists, When Printed texts, parentheses and nothing; keys in any order; When Printed clauses.
TEST(RoundTripTest, RealisticFormsReopenAsThemselves)
{
    const std::vector<std::string> names = {"ID", "Name", "NAME", "City", "Order Date", "Unit Price", "Addr1",
                                            "Price$", "O'Neil", "From Date", "Order Total", "Where Used", "And",
                                            "OR x", "ID2", "Select", "x(y)", "[Region]", "Group by"};
    const std::vector<std::string> values = {"'New York'", "42", "'it''s'", "O'Brien", "'Fish AND Chips'",
        "'a OR b'", "1 AND 5", "'2020-01-01' AND '2020-12-31'", "(1, 2, 3)", "('x', 'y')", "{'Price?'|'100'}",
        "", "'x ) AND ( y'", "'(a) or (b)'", "'%' + [Name] + '%'", "'WHERE ORDER BY'", "(SELECT 1)", "'",
        "1 ) AND ( City = 2"};
    std::mt19937 random(20240917u);
    auto pick = [&random](size_t count) { return std::uniform_int_distribution<size_t>(0, count - 1)(random); };
    const ChoiceList operators = OperatorChoices();
    for (int trial = 0; trial < 3000; ++trial) {
        fuzz::Form form;
        form.tables = {"Customers", "Order Details", "{WHEN PRINTED}"};
        for (const std::string& name : names)
            if (pick(3) > 0) form.columns.push_back(name);
        if (form.columns.empty()) continue;
        Query& q = form.query;
        q.table = form.tables[pick(2)];
        q.allColumns = pick(8) == 0;
        for (const std::string& column : form.columns)
            if (pick(3) == 0) q.columns.push_back(column);
        for (size_t r = 0, rows = pick(5); r < rows; ++r) {
            const char* op = operators.items[pick(operators.count)];
            q.conditions.push_back({r ? (pick(2) ? "AND" : "OR") : "", form.columns[pick(form.columns.size())], op,
                                    TakesNoValue(op) ? "" : values[pick(values.size())]});
        }
        std::vector<std::string> keys = form.columns;
        std::shuffle(keys.begin(), keys.end(), random);
        for (size_t k = 0, count = pick(4); k < count && k < keys.size(); ++k)
            q.sortKeys.push_back({keys[k], pick(3) ? (pick(2) ? "ASC" : "DESC") : ""});
        for (std::string* clause : {&q.wpSelect, &q.wpFrom, &q.wpOrderBy})
            if (pick(8) == 0) *clause = MakeWpText("Which one?", "ID");
        fuzz::CheckRoundTrip(form);
    }
}
