// USER and GDI object counts of this process, for leak checks around dialog runs.
#include "GuiResources.h"

namespace harness {

namespace {
// GDI handles carry their table index in the low word; the system resolves a handle
// whose high word is zero by that index alone, so each live object answers once.
// Cached window DCs (OBJ_DC; memory DCs are OBJ_MEMDC) and the region each of them
// keeps are the system's, not the caller's.
long CountGdiByIndex()
{
    long count = 0, windowDCs = 0, regions = 0;
    for (ULONG_PTR index = 1; index <= 0xFFFF; ++index) {
        const DWORD type = ::GetObjectType(reinterpret_cast<HGDIOBJ>(index));
        if (!type) continue;
        ++count;
        windowDCs += type == OBJ_DC;
        regions += type == OBJ_REGION;
    }
    return count - windowDCs - (regions < windowDCs ? regions : windowDCs);
}

BOOL CALLBACK CountChild(HWND, LPARAM param)
{
    ++*reinterpret_cast<long*>(param);
    return TRUE;
}

BOOL CALLBACK CountOwnTopLevel(HWND window, LPARAM param)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    if (processId != ::GetCurrentProcessId()) return TRUE;
    auto* count = reinterpret_cast<long*>(param);
    ++*count;
    ::EnumChildWindows(window, CountChild, param);
    return TRUE;
}

// Icons and cursors are USER objects the same index rule finds; GetCursorFrameInfo
// answers for them and for nothing else (loaded by name: it is not in the headers).
long CountIconsByIndex()
{
    using FrameInfo = HCURSOR(WINAPI*)(HCURSOR, DWORD, DWORD, DWORD*, DWORD*);
    const auto frameInfo = reinterpret_cast<FrameInfo>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetCursorFrameInfo")));
    if (!frameInfo) return 0;
    long count = 0;
    for (ULONG_PTR index = 0x20; index <= 0xFFFF; index += 2) {
        DWORD rate = 0, steps = 0;
        if (frameInfo(reinterpret_cast<HCURSOR>(index), 0, 0, &rate, &steps)) ++count;
    }
    return count;
}
}  // namespace

GuiObjectCounts CountGuiObjects()
{
    GuiObjectCounts counts;
    const DWORD gdi = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD user = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    // A process with a window always owns some of both; zero means "not implemented".
    if (gdi != 0 && user != 0) {
        counts.gdi = static_cast<long>(gdi);
        counts.user = static_cast<long>(user);
        counts.fromSystem = true;
        return counts;
    }
    counts.gdi = CountGdiByIndex();
    long windows = 0;
    ::EnumWindows(CountOwnTopLevel, reinterpret_cast<LPARAM>(&windows));
    counts.user = windows + CountIconsByIndex();
    return counts;
}

::testing::AssertionResult LeavesNoObjectsBehind(const std::function<void()>& action, int runs, int warmUps)
{
    for (int i = 0; i < warmUps; ++i) action();
    const GuiObjectCounts before = CountGuiObjects();
    for (int i = 0; i < runs; ++i) action();
    const GuiObjectCounts after = CountGuiObjects();
    const long limit = runs / 2;
    if (after.gdi - before.gdi < limit && after.user - before.user < limit) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "after " << runs << " runs: GDI objects " << before.gdi << " -> "
                                         << after.gdi << ", USER objects " << before.user << " -> " << after.user
                                         << (after.fromSystem ? "" : " (counted by handle walk)");
}

}  // namespace harness
