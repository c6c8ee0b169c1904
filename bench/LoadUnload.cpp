// load-unload: loads and frees Quervix.dll again and again, as a host that loads it only while
// the user builds a query does, and prints what the process holds as it goes: handles, GDI
// and USER objects, committed private memory. Each cycle also creates and deletes one
// dialog object through the factory export (no window is shown).
//   load-unload [PATH-TO-DLL] [CYCLES]     defaults: Quervix.dll beside this program, 100
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "Quervix.h"

namespace {

// Counted by probing handle values: Wine answers GetProcessHandleCount with nothing useful.
unsigned long CountHandles()
{
    unsigned long count = 0;
    DWORD flags = 0;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4)
        if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
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

void Report(const char* when)
{
    std::printf("%-12s handles %5lu  gdi %4lu  user %4lu  committed %8zu KB\n", when, CountHandles(),
                ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS),
                ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS), CommittedKb());
}

bool Cycle(const char* path)
{
    HMODULE dll = ::LoadLibraryA(path);
    if (!dll) return false;
    auto create = reinterpret_cast<QuervixCreateSELECTSQLQueryDlgFn>(
        reinterpret_cast<void*>(::GetProcAddress(dll, "CreateSELECTSQLQueryDlg")));
    if (create) delete create();
    return ::FreeLibrary(dll) != 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* path = argc > 1 ? argv[1] : "Quervix.dll";
    const int cycles = argc > 2 ? std::atoi(argv[2]) : 100;
    Report("start");
    for (int i = 1; i <= cycles; ++i) {
        if (!Cycle(path)) {
            std::fprintf(stderr, "load-unload: cycle %d: cannot load or free %s (error %lu)\n", i, path,
                         ::GetLastError());
            return 1;
        }
        if (i == 1) Report("after 1");
        else if (i % 25 == 0 || i == cycles) {
            char when[32];
            std::snprintf(when, sizeof when, "after %d", i);
            Report(when);
        }
    }
    return 0;
}
