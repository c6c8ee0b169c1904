// quervix-open-bench: how long the query builder takes to appear at table scale, against
// two floors in the same process and run (Floors.h), and what one edit and OK cost.
//
//   quervix-open-bench [--sizes 10,100,1000] [--runs 3] [--preview-floor-max 1000]
//                      [--timeout SECONDS]
//
// Open = from the call to the dialog being visible (a second thread watches); paint = the
// first full repaint after that. Every run of the library's dialog also unticks and ticks
// the last column (the statement recomposed and the preview repainted) and presses OK;
// the statement handed back must be the starting one. Figures only: nothing here passes
// or fails on time. Runs of one size are interleaved so that load on the machine spreads
// over all of them.
#include "BenchData.h"
#include "Floors.h"
#include "Quervix.h"
#include "resources/resource.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Options {
    std::vector<int> sizes{10, 100, 1000};
    int runs = 3;
    int previewFloorMax = 1000;
    int timeoutSeconds = 900;
};

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct Times {
    double open = -1, paint = -1, untick = -1, tick = -1;
    double ok = -1;  // from OK (or Cancel) pressed to the call's return
};

// What the watching thread does once the dialog is visible.
struct Watch {
    DWORD uiThread = 0;
    double start = 0;
    bool edit = false;  // untick and tick the last column, then OK; else Cancel
    int lastItem = 0;
    int timeoutSeconds = 0;
    Times times;
    double okPressed = 0;
};

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM param)
{
    char name[16] = "";
    ::GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770" && ::IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
    }
    return TRUE;
}

double PaintNow(HWND dialog)
{
    const double before = Now();
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return Now() - before;
}

// The user's way: select the item, press Space; the list toggles it and tells the dialog.
double ToggleLastColumn(HWND dialog, int item)
{
    HWND list = ::GetDlgItem(dialog, IDC_COLUMNS);
    ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(item), 0);
    PaintNow(dialog);
    const double before = Now();
    ::SendMessageA(list, WM_KEYDOWN, VK_SPACE, 0x00390001);
    ::SendMessageA(list, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001u));
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return Now() - before;
}

DWORD WINAPI WatchMain(LPVOID param)
{
    auto& watch = *static_cast<Watch*>(param);
    HWND dialog = nullptr;
    while (!dialog) {
        ::EnumThreadWindows(watch.uiThread, &FindVisibleDialog, reinterpret_cast<LPARAM>(&dialog));
        if (dialog) break;
        if (Now() - watch.start > watch.timeoutSeconds * 1000.0) {
            std::printf("\nthe dialog did not appear within %d s; stopping\n", watch.timeoutSeconds);
            std::fflush(stdout);
            ::TerminateProcess(::GetCurrentProcess(), 3);
        }
        ::Sleep(1);
    }
    watch.times.open = Now() - watch.start;
    watch.times.paint = PaintNow(dialog);
    int button = IDCANCEL;
    if (watch.edit) {
        watch.times.untick = ToggleLastColumn(dialog, watch.lastItem);
        watch.times.tick = ToggleLastColumn(dialog, watch.lastItem);
        button = IDOK;
    }
    watch.okPressed = Now();
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, button)));
    return 0;
}

template <typename Call>
Times Measure(Call call, bool edit, int lastItem, int timeoutSeconds)
{
    Watch watch;
    watch.uiThread = ::GetCurrentThreadId();
    watch.edit = edit;
    watch.lastItem = lastItem;
    watch.timeoutSeconds = timeoutSeconds;
    watch.start = Now();
    HANDLE thread = ::CreateThread(nullptr, 0, &WatchMain, &watch, 0, nullptr);
    call();
    const double returned = Now();
    ::WaitForSingleObject(thread, INFINITE);
    ::CloseHandle(thread);
    watch.times.ok = returned - watch.okPressed;
    return watch.times;
}

double Median(std::vector<double> values)
{
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string Ms(double ms)
{
    char text[32];
    if (ms < 0) return "—";
    std::snprintf(text, sizeof text, ms < 10 ? "%.1f" : "%.0f", ms);
    return text;
}

std::string Ratio(double a, double b)
{
    char text[32];
    if (a < 0 || b <= 0) return "—";
    std::snprintf(text, sizeof text, "%.2f×", a / b);
    return text;
}

bool ParseArguments(int argc, char** argv, Options& options)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const char* value = argv[i + 1];
        if (name == "--sizes") {
            options.sizes.clear();
            for (const char* p = value; *p;) {
                char* end = nullptr;
                const long size = std::strtol(p, &end, 10);
                if (end == p || size < 1 || size > 200000) return false;
                options.sizes.push_back(static_cast<int>(size));
                p = *end == ',' ? end + 1 : end;
                if (*end && *end != ',') return false;
            }
        } else if (name == "--runs") {
            options.runs = std::atoi(value);
        } else if (name == "--preview-floor-max") {
            options.previewFloorMax = std::atoi(value);
        } else if (name == "--timeout") {
            options.timeoutSeconds = std::atoi(value);
        } else {
            return false;
        }
    }
    return argc % 2 == 1 && options.runs >= 1 && !options.sizes.empty() && options.timeoutSeconds > 0;
}

std::string NextToExe(const char* file)
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + file;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseArguments(argc, argv, options)) {
        std::fprintf(stderr, "usage: quervix-open-bench [--sizes 10,100,1000] [--runs 3] [--preview-floor-max 1000] "
                             "[--timeout SECONDS]\n");
        return 1;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    HMODULE dll = ::LoadLibraryA(NextToExe("Quervix.dll").c_str());
    auto getQuery = dll ? reinterpret_cast<QuervixGetSELECTSQLQueryFn>(
                               reinterpret_cast<void (*)()>(::GetProcAddress(dll, "GetSELECTSQLQuery"))) : nullptr;
    if (!getQuery) {
        std::fprintf(stderr, "quervix-open-bench: Quervix.dll or its export is missing\n");
        return 2;
    }

    std::printf("Opening the query builder: medians of %d runs, milliseconds.\n", options.runs);
    std::printf("| columns | statement bytes | this DLL: open | paint | same template, preview filled | ratio "
                "| same template, preview empty | ratio | stock controls |\n|---|---|---|---|---|---|---|---|---|\n");
    std::fflush(stdout);
    std::vector<std::string> editLines;
    int exitCode = 0;
    for (int size : options.sizes) {
        const BenchData data = MakeBenchData(size);
        const bool previewFloor = size <= options.previewFloorMax;
        std::vector<double> open, paint, untick, tick, ok, filled, empty, stock, floorClose;
        for (int run = 0; run < options.runs; ++run) {
            // The buffer carries the starting statement in and the result out.
            std::vector<char> buffer(data.statement.begin(), data.statement.end());
            buffer.resize(data.statement.size() * 2 + 16, '\0');
            const Times timed = Measure([&] { getQuery(data.table.c_str(), data.columnString.c_str(), buffer.data(),
                                                     static_cast<int>(buffer.size())); },
                                      true, size, options.timeoutSeconds);
            // Untick then tick again: the dialog composes the starting statement once more.
            std::string back(buffer.data());
            if (back != data.statement) {
                std::printf("statement handed back differs at %d columns (%zu bytes, expected %zu)\n", size,
                            back.size(), data.statement.size());
                exitCode = 4;
            }
            open.push_back(timed.open);
            paint.push_back(timed.paint);
            untick.push_back(timed.untick);
            tick.push_back(timed.tick);
            ok.push_back(timed.ok);
            if (previewFloor)
                filled.push_back(Measure([&] { RunSameTemplateFloor(dll, data, true); }, false, 0, options.timeoutSeconds).open);
            const Times floor = Measure([&] { RunSameTemplateFloor(dll, data, false); }, false, 0, options.timeoutSeconds);
            empty.push_back(floor.open);
            floorClose.push_back(floor.ok);
            stock.push_back(Measure([&] { RunStockFloor(data); }, false, 0, options.timeoutSeconds).open);
        }
        const double dllOpen = Median(open);
        std::printf("| %d | %zu | %s | %s | %s | %s | %s | %s | %s |\n", size, data.statement.size(), Ms(dllOpen).c_str(),
                    Ms(Median(paint)).c_str(), Ms(Median(filled)).c_str(), Ratio(dllOpen, Median(filled)).c_str(),
                    Ms(Median(empty)).c_str(), Ratio(dllOpen, Median(empty)).c_str(), Ms(Median(stock)).c_str());
        std::fflush(stdout);
        editLines.push_back("| " + std::to_string(size) + " | " + Ms(Median(untick)) + " | " + Ms(Median(tick)) + " | " +
                            Ms(Median(ok)) + " | " + Ms(Median(floorClose)) + " |");
    }
    std::printf("\nOne edit (untick, then tick the last column: statement recomposed, preview repainted), OK (pressed to\n"
                "returned), and Cancel on the same template with its preview empty, milliseconds:\n"
                "| columns | untick | tick | OK | same template: Cancel |\n|---|---|---|---|---|\n");
    for (const std::string& line : editLines) std::printf("%s\n", line.c_str());
    ::FreeLibrary(dll);
    return exitCode;
}
