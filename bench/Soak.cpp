// soak: runs the query builder again and again in one process, as a host does over a long
// day, and prints what the process holds as it goes: handles, windows, GDI and USER
// objects, committed private memory.
//   Phase 1: N dialogs with the DLL loaded once. Each adds a condition, picks its operator
//            from the drop-down list (opened and closed), ticks the When Printed sort key
//            (its dialog opened and accepted) and presses OK.
//   Phase 2: M cycles of LoadLibrary, one call (OK pressed at once), FreeLibrary.
//   soak [--dialogs N] [--loads M] [--dll PATH]     defaults: 1000, 100, Quervix.dll beside it
// A second thread drives each dialog through posted messages, so no real input is needed.
// Passes (last line "soak: nothing grew ...", exit 0) when handles and windows did not grow
// after the first dialog, nor handles, windows and committed memory after the first load
// cycle; exit 3 when something grew, 1 when a run failed.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Quervix.h"

namespace {

const char kCaption[] = "Halvane SQL Query Builder - SELECT SQL Query";
const char kWhenPrintedCaption[] = "When Printed variable";
const char kTable[] = "Orders";
const char kColumns[] = "ID\tCustomer\tTotal\t{WHEN PRINTED}\t";
const DWORD kPatienceMs = 10000;
enum { kWhereGrid = 1008, kOrderByGrid = 1011, kAddWhere = 1016 };

// Counted by probing handle values: Wine answers GetProcessHandleCount with nothing useful.
unsigned long CountHandles()
{
    unsigned long count = 0;
    DWORD flags = 0;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4)
        if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
    return count;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == ::GetCurrentProcessId()) ++*reinterpret_cast<unsigned long*>(count);
    return TRUE;
}

unsigned long CountWindows()
{
    unsigned long count = 0;
    ::EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Committed private memory, summed over the address space (Wine reports no PrivateUsage).
size_t CommittedKb()
{
    size_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* at = nullptr; ::VirtualQuery(at, &region, sizeof region) == sizeof region;
         at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        if (region.RegionSize == 0) break;
    }
    return total / 1024;
}

struct Usage {
    unsigned long handles, windows;
    size_t committedKb;
};

Usage Report(const char* phase, int done)
{
    const Usage now{CountHandles(), CountWindows(), CommittedKb()};
    std::printf("%-8s %5d  handles %5lu  windows %4lu  gdi %5lu  user %5lu  committed %8zu KB\n", phase, done,
                now.handles, now.windows, ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS),
                ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS), now.committedKb);
    std::fflush(stdout);
    return now;
}

// Whatever the first dialog or load cycle set up, later ones must not add to. Committed
// memory is held to that only across load cycles, whose calls are plain so that it shows
// what loading costs: over hundreds of full edits the system's own memory (the process
// heap its controls use among it) still creeps up in 64 KB steps, while the C runtime heap
// the library allocates from does not grow (dll_lifetime_tests counts the library's blocks).
bool Grew(const char* phase, const Usage& first, const Usage& now, bool committedToo)
{
    const bool grew = now.handles > first.handles || now.windows > first.windows ||
                      (committedToo && now.committedKb > first.committedKb);
    if (grew)
        std::fprintf(stderr, "soak: %s grew since the first: handles %lu -> %lu, windows %lu -> %lu, committed %zu -> %zu KB\n",
                     phase, first.handles, now.handles, first.windows, now.windows, first.committedKb, now.committedKb);
    return grew;
}

template <typename Condition>
bool WaitFor(Condition condition)
{
    for (DWORD waited = 0; waited < kPatienceMs; waited += 2) {
        if (condition()) return true;
        ::Sleep(2);
    }
    return false;
}

struct Found {
    DWORD thread;
    const char* caption;
    const char* className;
    HWND window;
};

BOOL CALLBACK FindThreadWindow(HWND window, LPARAM param)
{
    auto* found = reinterpret_cast<Found*>(param);
    char text[64] = {};
    if (found->caption) ::GetWindowTextA(window, text, sizeof text);
    else ::GetClassNameA(window, text, sizeof text);
    const char* wanted = found->caption ? found->caption : found->className;
    const bool match = found->caption ? std::strcmp(text, wanted) == 0 : std::strncmp(text, wanted, std::strlen(wanted)) == 0;
    if (!match || !::IsWindowVisible(window)) return TRUE;
    found->window = window;
    return FALSE;
}

HWND ThreadWindow(DWORD thread, const char* caption, const char* classPrefix = nullptr)
{
    Found found{thread, caption, classPrefix, nullptr};
    ::EnumThreadWindows(thread, FindThreadWindow, reinterpret_cast<LPARAM>(&found));
    return found.window;
}

void PostKey(HWND window, WPARAM key)
{
    ::PostMessageA(window, WM_KEYDOWN, key, 1);
    ::PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

void FocusRow(HWND grid, int row)
{
    LVITEMA item{};
    item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(grid, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// The edit of a full run: a condition with its operator picked from the drop-down list, and
// the When Printed sort key ticked and its question answered.
bool Edit(HWND dialog, DWORD uiThread)
{
    HWND where = ::GetDlgItem(dialog, kWhereGrid), orderBy = ::GetDlgItem(dialog, kOrderByGrid);

    // A condition, and its operator chosen in the drop-down list: F4 opens, Down and Enter pick.
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kAddWhere, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, kAddWhere)));
    FocusRow(where, 0);
    PostKey(where, VK_RIGHT);
    PostKey(where, VK_F4);
    HWND popup = nullptr;
    if (!WaitFor([&] { return (popup = ThreadWindow(uiThread, nullptr, "Quervix:")) != nullptr; })) return false;
    HWND list = ::FindWindowExA(popup, nullptr, "ListBox", nullptr);
    PostKey(list, VK_DOWN);
    PostKey(list, VK_RETURN);
    if (!WaitFor([&] { return !::IsWindow(popup); })) return false;

    // The When Printed sort key: ticking it asks for its text.
    const int last = static_cast<int>(::SendMessageA(orderBy, LVM_GETITEMCOUNT, 0, 0)) - 1;
    FocusRow(orderBy, last);
    PostKey(orderBy, VK_SPACE);
    HWND ask = nullptr;
    if (!WaitFor([&] { return (ask = ThreadWindow(uiThread, kWhenPrintedCaption)) != nullptr; })) return false;
    ::PostMessageA(ask, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(ask, IDOK)));
    return WaitFor([&] { return !::IsWindow(ask); });
}

// One run of the dialog driven from outside, with the edit or straight to OK; false when a
// step did not happen in time.
bool Drive(DWORD uiThread, bool edit)
{
    HWND dialog = nullptr;
    if (!WaitFor([&] { return (dialog = ThreadWindow(uiThread, kCaption)) != nullptr; })) return false;
    if (edit && !Edit(dialog, uiThread)) return false;
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    return WaitFor([&] { return !::IsWindow(dialog); });
}

struct Driver {
    DWORD uiThread;
    bool edit, ok;
};

DWORD WINAPI DriverMain(LPVOID param)
{
    auto* driver = static_cast<Driver*>(param);
    driver->ok = Drive(driver->uiThread, driver->edit);
    return 0;
}

// One call on this thread while a second thread drives the dialog.
bool RunOnce(QuervixGetSELECTSQLQueryFn getQuery, bool edit)
{
    Driver driver{::GetCurrentThreadId(), edit, false};
    HANDLE thread = ::CreateThread(nullptr, 0, DriverMain, &driver, 0, nullptr);
    if (!thread) return false;
    char query[4096] = "";
    const int result = getQuery(kTable, kColumns, query, sizeof query);
    ::WaitForSingleObject(thread, INFINITE);
    ::CloseHandle(thread);
    return driver.ok && result == 0 && (!edit || std::strstr(query, "ORDER BY {''|") != nullptr);
}

QuervixGetSELECTSQLQueryFn Resolve(HMODULE dll)
{
    return reinterpret_cast<QuervixGetSELECTSQLQueryFn>(reinterpret_cast<void*>(::GetProcAddress(dll, "GetSELECTSQLQuery")));
}

}  // namespace

int main(int argc, char** argv)
{
    int dialogs = 1000, loads = 100;
    const char* path = "Quervix.dll";
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--dialogs")) dialogs = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--loads")) loads = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--dll")) path = argv[i + 1];
    }
    Report("start", 0);
    HMODULE dll = ::LoadLibraryA(path);
    if (!dll || !Resolve(dll)) {
        std::fprintf(stderr, "soak: cannot load %s (error %lu)\n", path, ::GetLastError());
        return 2;
    }
    bool grew = false;
    Usage first{};
    for (int i = 1; i <= dialogs; ++i) {
        if (!RunOnce(Resolve(dll), true)) {
            std::fprintf(stderr, "soak: dialog %d did not go as planned\n", i);
            return 1;
        }
        if (i == 1) first = Report("dialogs", i);
        else if (i % 100 == 0 || i == dialogs) grew |= Grew("dialogs", first, Report("dialogs", i), false);
    }
    ::FreeLibrary(dll);
    for (int i = 1; i <= loads; ++i) {
        HMODULE again = ::LoadLibraryA(path);
        const bool ran = again && Resolve(again) && RunOnce(Resolve(again), false);
        if (!again || !::FreeLibrary(again) || !ran) {
            std::fprintf(stderr, "soak: load cycle %d failed\n", i);
            return 1;
        }
        if (i == 1) first = Report("loads", i);
        else if (i % 25 == 0 || i == loads) grew |= Grew("loads", first, Report("loads", i), true);
    }
    if (grew) return 3;
    std::printf("soak: nothing grew after the first dialog and the first load cycle\n");
    return 0;
}
