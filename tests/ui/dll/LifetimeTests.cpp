// Failures inside Quervix.dll while hosts use it from several threads: the DLL's imports of
// the C runtime's allocator are pointed at this program, which makes them fail on chosen
// threads and counts the blocks the library holds. Every C++ exception raised then must be
// caught inside the library, and threads that used it end without leaving their share behind.
#include <atomic>
#include <cstdlib>
#include <cstring>

#include "Driver.h"

namespace dlltest {
namespace {

const char kStart[] = "SELECT A FROM T";

// On an armed thread the next two allocations in the library fail, its own and then the
// exception's, which the runtime takes from its reserve; the C++ exception raised then
// disarms it. Threads are armed by one thread at a time.
std::atomic<DWORD> g_armed[2];
thread_local int t_failed = 0;
std::atomic<long> g_liveBlocks{0};
std::atomic<int> g_raised{0}, g_raisedTogether{1};

std::atomic<DWORD>* ArmedSlot(DWORD thread)
{
    for (auto& slot : g_armed)
        if (slot == thread) return &slot;
    return nullptr;
}

void Arm(DWORD thread) { *ArmedSlot(0) = thread; }
bool FailsHere() { return ArmedSlot(::GetCurrentThreadId()) && t_failed++ < 2; }

void* Counted(void* block)
{
    if (block) ++g_liveBlocks;
    return block;
}
void* __cdecl Malloc(size_t size) { return FailsHere() ? nullptr : Counted(std::malloc(size)); }
void* __cdecl Calloc(size_t count, size_t size) { return FailsHere() ? nullptr : Counted(std::calloc(count, size)); }
void* __cdecl Realloc(void* block, size_t size) { return !block ? Malloc(size) : FailsHere() ? nullptr : std::realloc(block, size); }
void __cdecl Free(void* block)
{
    if (block) --g_liveBlocks;
    std::free(block);
}

// Points the DLL's imports of malloc, calloc, realloc and free at the functions above.
int RedirectAllocator(BYTE* dll)
{
    const auto* headers = reinterpret_cast<IMAGE_NT_HEADERS*>(dll + reinterpret_cast<IMAGE_DOS_HEADER*>(dll)->e_lfanew);
    const char* names[] = {"malloc", "calloc", "realloc", "free"};
    void* const ours[] = {reinterpret_cast<void*>(&Malloc), reinterpret_cast<void*>(&Calloc),
                          reinterpret_cast<void*>(&Realloc), reinterpret_cast<void*>(&Free)};
    int redirected = 0;
    auto* from = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(
        dll + headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
    for (; from->Name; ++from) {
        if (::lstrcmpiA(reinterpret_cast<char*>(dll + from->Name), "msvcrt.dll") != 0) continue;
        auto* name = reinterpret_cast<IMAGE_THUNK_DATA*>(dll + from->OriginalFirstThunk);
        for (auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(dll + from->FirstThunk); name->u1.AddressOfData; ++name, ++slot) {
            if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) continue;
            const char* imported = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(dll + name->u1.AddressOfData)->Name;
            for (int i = 0; i < 4; ++i) {
                if (std::strcmp(imported, names[i]) != 0) continue;
                DWORD was = 0;
                ::VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &was);
                slot->u1.Function = reinterpret_cast<ULONG_PTR>(ours[i]);
                ::VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, was, &was);
                ++redirected;
            }
        }
    }
    return redirected;
}

// An armed thread's C++ exception disarms it; while several are expected together, each
// waits here until all of them are in flight (or the test gives up waiting).
LONG CALLBACK OnCxxException(EXCEPTION_POINTERS* info)
{
    std::atomic<DWORD>* slot = ArmedSlot(::GetCurrentThreadId());
    if (info->ExceptionRecord->ExceptionCode != 0x20474343 || !slot) return EXCEPTION_CONTINUE_SEARCH;
    *slot = 0;
    t_failed = 0;
    ++g_raised;
    while (g_raised < g_raisedTogether) ::Sleep(5);
    return EXCEPTION_CONTINUE_SEARCH;
}

class FaultyAllocator : public ::testing::Environment {
    void SetUp() override
    {
        HMODULE dll = Quervix().getQuery ? ::GetModuleHandleA("Quervix.dll") : nullptr;
        ASSERT_NE(dll, nullptr);
        ASSERT_EQ(RedirectAllocator(reinterpret_cast<BYTE*>(dll)), 4);
        ::AddVectoredExceptionHandler(1, OnCxxException);
    }
};
::testing::Environment* const kFaultyAllocator = ::testing::AddGlobalTestEnvironment(new FaultyAllocator);

// The dialog's allocations fail while it handles a click on the WHERE box.
void FailAnEdit(QueryRun& run)
{
    Arm(run.ThreadId());
    ::PostMessageA(run.Dialog(), WM_COMMAND, MAKEWPARAM(kWhereEnabled, BN_CLICKED), reinterpret_cast<LPARAM>(run.Control(kWhereEnabled)));
}

// The failed edit changed nothing: OK hands back the statement as the dialog composed it.
void PressOkAsBefore(QueryRun& run)
{
    ::PostMessageA(run.Dialog(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(run.Control(IDOK)));
    ASSERT_TRUE(run.Finish());  // returns once the thread has ended
    EXPECT_EQ(run.Result(), 0);
    EXPECT_EQ(run.ReturnedText(), std::string(kStart) + " ");
}

// Two threads throw inside the library at once, three times over; after the first round,
// which sets up what the runtime keeps for good, the library holds no more blocks once the
// threads have ended than before.
TEST(Lifetime, DialogsOnTwoThreadsThrowAndCatchAtOnceAndTheirThreadsEndLeavingNothing)
{
    long afterFirst = 0;
    for (int round = 1; round <= 3; ++round) {
        QueryRun first("T", "A\tB\t", kStart, 64), second("T", "A\tB\t", kStart, 64);
        ASSERT_TRUE(first.Dialog() && second.Dialog());
        g_raised = 0;
        g_raisedTogether = 2;
        FailAnEdit(first);
        FailAnEdit(second);
        const bool together = harness::WaitUntil([] { return g_raised == 2; }, 10000);
        g_raisedTogether = 1;
        ASSERT_TRUE(together) << "round " << round;
        PressOkAsBefore(first);
        PressOkAsBefore(second);
        if (round == 1) afterFirst = g_liveBlocks;
        EXPECT_LE(g_liveBlocks.load(), afterFirst) << "after round " << round;
    }
}

LRESULT CALLBACK ArmAtInitDialog(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(lParam)->message == WM_INITDIALOG)
        Arm(::GetCurrentThreadId());
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Out of memory as the dialog sets itself up, inside the dialog procedure: the dialog never
// shows; the export answers 1 with the buffer as it was, and a C++ host's DoModal -1. An
// exception that reached either host would end this program.
TEST(Lifetime, AFailureWhileTheDialogSetsItselfUpEndsTheCallCleanly)
{
    for (const bool throughObject : {false, true}) {
        SCOPED_TRACE(throughObject ? "object" : "export");
        g_raised = 0;
        std::string buffer = std::string(kStart) + '\0' + std::string(16, '\xA5');
        const std::string before = buffer;
        harness::ModalCall call([&]() -> INT_PTR {
            HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, ArmAtInitDialog, nullptr, ::GetCurrentThreadId());
            CSELECTSQLDlg* dialog = throughObject ? Quervix().createDialog() : nullptr;
            const INT_PTR result =
                dialog ? dialog->DoModal() : Quervix().getQuery("T", "A\tB\t", &buffer[0], static_cast<int>(buffer.size()));
            delete dialog;
            ::UnhookWindowsHookEx(hook);
            return result;
        });
        ASSERT_TRUE(call.Finish(10000));
        EXPECT_EQ(g_raised, 1);
        EXPECT_EQ(call.Result(), throughObject ? -1 : 1);
        EXPECT_EQ(buffer, before);
    }
}

// Out of memory in the calls a C++ host makes before DoModal: the object stays as it was,
// AddTableColumns says so, and no exception reaches the host.
TEST(Lifetime, AFailingHostCallLeavesTheObjectAsItWas)
{
    CSELECTSQLDlg* dialog = Quervix().createDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->SetSQLQuery(kStart);
    g_raised = 0;
    Arm(::GetCurrentThreadId());
    dialog->SetSQLQuery("SELECT A,B FROM T WHERE  ( A = 1 ) ");  // longer than a string keeps inline
    EXPECT_STREQ(dialog->GetSQLQuery(), kStart);
    Arm(::GetCurrentThreadId());
    EXPECT_EQ(dialog->AddTableColumns("T", "A\tB\t"), 0);
    EXPECT_EQ(dialog->AddTableColumns("T", "A\tB\t"), 1);
    EXPECT_EQ(g_raised, 2);
    delete dialog;
}

}  // namespace
}  // namespace dlltest
