// What a host, careless or hostile, passes and gets back: OK hands back exactly what the
// engine alone composes from the same input, cut to the buffer with nothing written past
// it (Cancel and the close command leave it byte for byte: the flows); bad arguments show
// nothing; calls nest. No C++ exception may be raised in the process while the suite runs.
#include <atomic>

#include "Driver.h"
#include "engine/Names.h"
#include "engine/Query.h"

namespace dlltest {
namespace {

std::atomic<int> g_cxxExceptions{0};

LONG CALLBACK CountCxxExceptions(EXCEPTION_POINTERS* info)
{
    // C++ exceptions as MinGW (SEH) and MSVC raise them.
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    if (code == 0x20474343 || code == 0xE06D7363) ++g_cxxExceptions;
    return EXCEPTION_CONTINUE_SEARCH;
}

// A vectored handler sees every exception first, even one caught where it was thrown.
class NoCxxExceptionAnywhere : public ::testing::Environment {
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
    void* m_handler = nullptr;
};
::testing::Environment* const kNoCxxExceptions = ::testing::AddGlobalTestEnvironment(new NoCxxExceptionAnywhere);

struct Input {
    const char* name;
    std::string table, columns, statement;
    int cap;
};

TEST(Host, OkHandsBackWhatTheEngineComposesCutToTheBuffer)
{
    std::string high, wide;
    for (int b = 0x80; b <= 0xFF; ++b) high += static_cast<char>(b);
    for (int i = 0; i < 100000; ++i) wide += "C" + std::to_string(i) + "\t";
    const Input inputs[] = {
        {"recomposed", "Customers", "ID\tName\tCity\t", "select name from Customers where City = 'Oslo' order by name desc", 1024},
        {"cut to the buffer", "T", "A\tB\tC\t", "select a,b,c from t where a = 1 and b = 2", 45},
        {"a one-byte buffer", "T", "A\t", "SELECT A FROM T", 1},
        {"no final TAB", "T", "A\tB", "SELECT A,B FROM T", 64},
        {"empty names", "T", "A\t\tB\t", "SELECT * FROM T WHERE  ( B = 1 )", 64},
        {"names differing in case", "T", "Name\tNAME\tname\t", "SELECT NAME,name FROM T ORDER BY name DESC", 64},
        {"punctuation in names", "T", "First Name\tA,B\t'q'\t[x]\t{y}\t", "SELECT [First Name],{y} FROM T WHERE  ( A,B = 1 )", 128},
        // Every byte 0x80-0xFF; 0x98 alone between quotes once brought Wine's edit control down.
        {"high bytes", "T" + high.substr(0, 8), high.substr(0, 40) + "\t" + high.substr(40) + "\t",
         "SELECT * FROM T WHERE  ( " + high.substr(40) + " = '" + high + "' )", 4096},
        {"a lone small tilde", "T", "A\t", "SELECT * FROM T WHERE  ( A = '\x98' )", 64},
        {"CR and LF", "T\r\n", "A\r\nB\tC\t", "SELECT * FROM T WHERE  ( C = 'x\r\ny' )", 128},
        {"100,000 columns", "T", wide, "", static_cast<int>(wide.size())},
        {"a 2 MB value", "T", "A\t", "SELECT * FROM T WHERE  ( A = '" + std::string(2000000, 'v') + "' )", 2100000},
    };
    for (const Input& in : inputs) {
        SCOPED_TRACE(in.name);
        QueryRun run(in.table, in.columns, in.statement, in.cap);
        ASSERT_NE(run.Dialog(60000), nullptr);
        ASSERT_TRUE(run.End(IDOK));
        EXPECT_EQ(run.Result(), 0);
        // The buffer as OK must leave it: the engine's statement cut to cap - 1 bytes and a NUL.
        const Composed composed = ComposeStatement(OpenStatement(in.statement, SplitColumnString(in.columns), {in.table}));
        ASSERT_TRUE(composed.Ok());
        std::vector<char> expected = run.BufferBefore();
        const size_t kept = std::min(composed.statement.size(), static_cast<size_t>(in.cap - 1));
        std::copy(composed.statement.begin(), composed.statement.begin() + static_cast<ptrdiff_t>(kept), expected.begin());
        expected[kept] = '\0';
        EXPECT_TRUE(run.BufferNow() == expected) << run.ReturnedText().substr(0, 200);
    }
}

TEST(Host, BadArgumentsReturnOneWithoutADialog)
{
    ASSERT_NE(Quervix().getQuery, nullptr);
    char buffer[8] = "keep";
    const struct { const char *table, *columns; char* query; int cap; } calls[] = {
        {"T", "A\t", buffer, 0}, {"T", "A\t", buffer, -5}, {nullptr, "A\t", buffer, 8}, {"T", nullptr, buffer, 8}, {"T", "A\t", nullptr, 8}};
    for (const auto& c : calls) EXPECT_EQ(Quervix().getQuery(c.table, c.columns, c.query, c.cap), 1) << &c - calls;
    EXPECT_STREQ(buffer, "keep");
}

// A host that calls again from a message handler while the dialog runs (a timer here) gets
// a second dialog on top of the first; each call ends on its own.
TEST(Host, ACallFromInsideARunningDialogOpensASecondOne)
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
    HWND first = harness::WaitForWindow(kCaption, call.ThreadId()), second = nullptr;
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(harness::WaitUntil([&] {
        for (HWND window : harness::TopLevelWindows(call.ThreadId()))
            if (window != first && harness::CaptionOf(window) == kCaption) second = window;
        return second != nullptr;
    }));
    EXPECT_FALSE(::IsWindowEnabled(first)) << "the first dialog waits for the second";
    ASSERT_TRUE(harness::ClickCenter(::GetDlgItem(second, IDCANCEL)));
    ASSERT_TRUE(harness::WaitUntil([&] { return nestedResult == 1; }));
    ASSERT_TRUE(harness::ClickCenter(::GetDlgItem(first, IDOK)));
    ASSERT_TRUE(call.Finish(10000));
    EXPECT_EQ(call.Result(), 0);
}

}  // namespace
}  // namespace dlltest
