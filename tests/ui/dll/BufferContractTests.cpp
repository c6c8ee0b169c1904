// What a host gets back from GetSELECTSQLQuery: its buffer untouched after Cancel or the
// close box, the recomposed statement after OK, cut to the buffer's size.
#include <gtest/gtest.h>

#include "QueryBuilderDriver.h"

using namespace dlltest;

namespace {

const char kTable[] = "Customers";
const char kColumns[] = "ID\tName\tCity\t";

TEST(BufferContract, TheLibraryExportsBothFunctions)
{
    ASSERT_NE(Quervix().module, nullptr) << "Quervix.dll did not load from the test program's folder";
    EXPECT_NE(Quervix().getQuery, nullptr);
    EXPECT_NE(Quervix().createDialog, nullptr);
}

TEST(BufferContract, CancelLeavesTheBufferByteForByte)
{
    QueryRun run(kTable, kColumns, "SELECT Name FROM Customers ", 64);
    ASSERT_NE(run.Dialog(), nullptr);
    ASSERT_TRUE(run.ClickColumnCheck(3));  // an edit first: the dialog's statement changes
    ASSERT_TRUE(run.PreviewBecomes("SELECT Name,City FROM Customers "));
    ASSERT_TRUE(run.Click(IDCANCEL));
    ASSERT_TRUE(run.Finish());
    EXPECT_EQ(run.Result(), 1);
    EXPECT_EQ(run.BufferNow(), run.BufferBefore());
}

TEST(BufferContract, TheCloseBoxLeavesTheBufferByteForByte)
{
    QueryRun run(kTable, kColumns, "select id from customers", 64);
    HWND dialog = run.Dialog();
    ASSERT_NE(dialog, nullptr);
    POINT closeBox{};
    ASSERT_TRUE(FindCloseBox(dialog, closeBox));
    ASSERT_TRUE(harness::ClickAt(dialog, closeBox));
    ASSERT_TRUE(run.Finish());
    EXPECT_EQ(run.Result(), 1);
    EXPECT_EQ(run.BufferNow(), run.BufferBefore());
}

TEST(BufferContract, OkWithoutEditsReturnsTheRecomposedStatement)
{
    QueryRun run(kTable, kColumns, "select name from Customers where City = 'Oslo' order by name desc");
    ASSERT_NE(run.Dialog(), nullptr);
    // Until the first edit the preview shows the host's text as it came.
    EXPECT_EQ(run.Preview(), "select name from Customers where City = 'Oslo' order by name desc");
    ASSERT_TRUE(run.Click(IDOK));
    ASSERT_TRUE(run.Finish());
    EXPECT_EQ(run.Result(), 0);
    EXPECT_EQ(run.ReturnedText(), "SELECT Name FROM Customers WHERE  ( City = 'Oslo' ) ORDER BY Name DESC");
}

TEST(BufferContract, AnEmptyStartGivesEveryColumnOfTheTable)
{
    QueryRun run("T", kColumns, "");
    ASSERT_NE(run.Dialog(), nullptr);
    EXPECT_EQ(run.Preview(), "SELECT * FROM T ");
    EXPECT_EQ(run.ColumnCheck(0), 1);
    EXPECT_EQ(harness::ComboText(run.Control(kTableCombo)), "T");
    ASSERT_TRUE(run.Click(IDOK));
    ASSERT_TRUE(run.Finish());
    EXPECT_EQ(run.Result(), 0);
    EXPECT_EQ(run.ReturnedText(), "SELECT * FROM T ");
}

// Seven conditions over long column names make a statement of more than 300 characters
// from a start that fits the buffer.
TEST(BufferContract, ALongStatementIsCutToTheBufferWithItsNul)
{
    std::string columns, statement = "SELECT * FROM T WHERE ";
    for (int i = 0; i < 7; ++i) {
        const std::string name = "Column_number_" + std::string(1, static_cast<char>('A' + i)) + "_with_long_name";
        columns += name + "\t";
        statement += (i ? " AND" : "") + std::string(" ( ") + name + " = '' )";
    }
    statement += " ";
    ASSERT_GE(statement.size(), 300u);

    QueryRun run("T", columns, "", 100);
    ASSERT_NE(run.Dialog(), nullptr);
    for (int i = 0; i < 7; ++i) ASSERT_TRUE(run.Click(kAddWhere));
    ASSERT_TRUE(run.PreviewBecomes(statement));
    ASSERT_TRUE(run.Click(IDOK));
    ASSERT_TRUE(run.Finish());
    EXPECT_EQ(run.Result(), 0);
    const std::vector<char> buffer = run.BufferNow();
    EXPECT_EQ(std::string(buffer.data(), 99), statement.substr(0, 99));
    EXPECT_EQ(buffer[99], '\0');
    // Nothing is written past the buffer the host gave.
    EXPECT_TRUE(std::equal(buffer.begin() + 100, buffer.end(), run.BufferBefore().begin() + 100));
}

TEST(BufferContract, BadArgumentsReturnOneWithoutShowingTheDialog)
{
    ASSERT_NE(Quervix().getQuery, nullptr);
    char buffer[8] = "keep";
    EXPECT_EQ(Quervix().getQuery("T", "A\t", buffer, 0), 1);
    EXPECT_EQ(Quervix().getQuery(nullptr, "A\t", buffer, 8), 1);
    EXPECT_EQ(Quervix().getQuery("T", "A\t", nullptr, 8), 1);
    EXPECT_STREQ(buffer, "keep");
}

}  // namespace
