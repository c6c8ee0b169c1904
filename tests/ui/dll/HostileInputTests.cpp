// What a careless or hostile host may pass: odd column strings, bytes of every kind in
// names and statements, a one-byte buffer, a call from inside a running dialog. Each run
// presses OK at once and must hand back what the engine alone composes from the same
// input, byte for byte, with nothing written past the buffer; and no C++ exception may
// be raised anywhere in the process while the suite runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

#include "QueryBuilderDriver.h"
#include "dialog/MemoryQuery.h"

namespace dlltest {
namespace {

// C++ exceptions as MinGW (SEH) and MSVC raise them.
const DWORD kGccException = 0x20474343;
const DWORD kMsvcException = 0xE06D7363;
std::atomic<int> g_cxxExceptions{0};

LONG CALLBACK CountCxxExceptions(EXCEPTION_POINTERS* info)
{
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    if (code == kGccException || code == kMsvcException) ++g_cxxExceptions;
    return EXCEPTION_CONTINUE_SEARCH;
}

// A vectored handler sees every exception first, even one caught where it was thrown.
class NoCxxExceptionAnywhere : public ::testing::Environment {
public:
    void SetUp() override
    {
        m_handler = ::AddVectoredExceptionHandler(1, CountCxxExceptions);
        try {
            throw 1;
        } catch (int) {
        }
        ASSERT_EQ(g_cxxExceptions.exchange(0), 1) << "the handler must see a thrown exception";
    }
    void TearDown() override
    {
        EXPECT_EQ(g_cxxExceptions.load(), 0) << "C++ exceptions were raised while the DLL ran";
        ::RemoveVectoredExceptionHandler(m_handler);
    }

private:
    void* m_handler = nullptr;
};
::testing::Environment* const kNoCxxExceptions = ::testing::AddGlobalTestEnvironment(new NoCxxExceptionAnywhere);

std::string EngineResult(const std::string& table, const std::string& columns, const std::string& statement)
{
    CMemoryQuery query;
    query.State().AddTableColumns(table.c_str(), columns.c_str());
    query.State().SetSQLQuery(statement.c_str());
    query.Open();
    EXPECT_TRUE(query.PressOk());
    return query.State().GetSQLQuery();
}

// Every byte from 0x80 to 0xFF; 0x98 alone between quotes once brought Wine's edit control down.
std::string HighBytes(int from, int to)
{
    std::string bytes;
    for (int b = from; b <= to; ++b) bytes += static_cast<char>(b);
    return bytes;
}

struct Case {
    const char* name;
    std::string table, columns, statement;
};

TEST(HostileInput, OddNamesAndBytesComeBackAsTheEngineComposesThem)
{
    const std::string high = HighBytes(0x80, 0xFF);
    const Case cases[] = {
        {"no final TAB", "T", "A\tB", "SELECT A,B FROM T"},
        {"empty names", "T", "A\t\tB\t", "SELECT * FROM T WHERE  ( B = 1 )"},
        {"names differing in case", "T", "Name\tNAME\tname\t", "SELECT NAME,name FROM T ORDER BY name DESC"},
        {"punctuation in names", "T", "First Name\tA,B\t'q'\t[x]\t{y}\t", "SELECT [First Name],{y} FROM T WHERE  ( A,B = 1 )"},
        {"high bytes", "T" + high.substr(0, 8), high.substr(0, 40) + "\t" + high.substr(40) + "\t",
         "SELECT * FROM T WHERE  ( " + high.substr(40) + " = '" + high + "' )"},
        {"a lone small tilde", "T", "A\t", "SELECT * FROM T WHERE  ( A = '\x98' )"},
        {"CR and LF", "T\r\n", "A\r\nB\tC\t", "SELECT * FROM T WHERE  ( C = 'x\r\ny' )"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QueryRun run(c.table, c.columns, c.statement, 4096);
        ASSERT_NE(run.Dialog(), nullptr);
        ASSERT_TRUE(run.Click(IDOK));
        ASSERT_TRUE(run.Finish());
        EXPECT_EQ(run.Result(), 0);
        EXPECT_EQ(run.ReturnedText(), EngineResult(c.table, c.columns, c.statement));
    }
}

TEST(HostileInput, AOneByteBufferGetsOnlyTheNul)
{
    QueryRun run("T", "A\t", "SELECT A FROM T", 1);
    ASSERT_NE(run.Dialog(), nullptr);
    ASSERT_TRUE(run.Click(IDOK));
    ASSERT_TRUE(run.Finish());
    EXPECT_EQ(run.Result(), 0);
    std::vector<char> expected = run.BufferBefore();
    expected[0] = '\0';
    EXPECT_EQ(run.BufferNow(), expected);
}

// Table scale: a hundred thousand columns, and a starting statement of two megabytes whose
// one value comes back whole, closing quote included.
TEST(HostileInput, HugeTablesAndStatementsOpenAndComeBackWhole)
{
    std::string columns;
    for (int i = 0; i < 100000; ++i) columns += "C" + std::to_string(i) + "\t";
    const std::string value = "'" + std::string(2000000, 'v') + "'";
    const Case cases[] = {
        {"100,000 columns", "T", columns, ""},
        {"a 2 MB value", "T", "A\t", "SELECT * FROM T WHERE  ( A = " + value + " )"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QueryRun run(c.table, c.columns, c.statement, static_cast<int>(c.statement.size()) + 64);
        ASSERT_NE(harness::WaitForWindow(kCaption, run.ThreadId(), 60000), nullptr);
        ASSERT_TRUE(run.Click(IDOK));
        ASSERT_TRUE(run.Finish());
        EXPECT_EQ(run.ReturnedText(), EngineResult(c.table, c.columns, c.statement));
    }
}

// A host that calls again from a message handler while the dialog runs (a timer here)
// gets a second dialog on top of the first; each call ends on its own.
TEST(HostileInput, ACallFromInsideARunningDialogOpensASecondOne)
{
    static std::atomic<int> nestedResult{-1};
    harness::ModalCall call([]() -> INT_PTR {
        char outer[64] = "SELECT A FROM T";
        ::SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
            ::KillTimer(nullptr, id);
            char inner[64] = "";
            nestedResult = Quervix().getQuery("U", "B\t", inner, sizeof inner);
        });
        return Quervix().getQuery("T", "A\t", outer, sizeof outer);
    });
    HWND first = harness::WaitForWindow(kCaption, call.ThreadId());
    ASSERT_NE(first, nullptr);
    HWND second = nullptr;
    ASSERT_TRUE(harness::WaitUntil([&] {
        for (HWND window : harness::TopLevelWindows(call.ThreadId()))
            if (window != first && harness::CaptionOf(window) == kCaption) second = window;
        return second != nullptr;
    }));
    EXPECT_FALSE(harness::IsEnabled(first)) << "the first dialog waits for the second";
    ASSERT_TRUE(harness::ClickCenter(harness::FindControl(second, IDCANCEL)));
    ASSERT_TRUE(harness::WaitUntil([&] { return nestedResult == 1; }));
    ASSERT_TRUE(harness::ClickCenter(harness::FindControl(first, IDOK)));
    ASSERT_TRUE(call.Finish(10000));
    EXPECT_EQ(call.Result(), 0);
}

}  // namespace
}  // namespace dlltest
