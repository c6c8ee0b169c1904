// main.cpp: quervix-demo, a console host that loads Quervix.dll from its own folder and lets
// the user build a statement over a sample "Customers" table.
//
//   quervix-demo [--statement TEXT | TEXT] [--cap N] [--auto-ok] [--screenshot FILE.bmp]
//                [--timeout SECONDS] [--expect TEXT]
//
// Exit codes: 0 done; 1 bad arguments; 2 the DLL or its exports are missing or disagree;
// 3 the statement or result differs from --expect; 4 the automatic run failed;
// 5 the DLL broke the buffer contract.
#include "DialogAutoPilot.h"
#include "Quervix.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kSampleTable[] = "Customers";
const char kSampleColumns[] = "ID\tName\tCity\tOrder Date\tUnit Price\tAddr1\t{WHEN PRINTED}\t";
const int kDefaultCap = 4096;
const size_t kGuardBytes = 64;
const unsigned char kGuardByte = 0xA5;

struct Options {
    std::string statement;
    int cap = kDefaultCap;
    bool autoOk = false;
    std::string screenshotPath;
    int timeoutSeconds = 30;
    bool hasExpectation = false;
    std::string expected;
};

int Usage(const char* problem) {
    std::fprintf(stderr,
                 "quervix-demo: %s\n"
                 "usage: quervix-demo [--statement TEXT | TEXT] [--cap N] [--auto-ok]\n"
                 "                    [--screenshot FILE.bmp] [--timeout SECONDS] [--expect TEXT]\n",
                 problem);
    return 1;
}

bool ParsePositive(const char* text, int& value) {
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || parsed < 1 || parsed > 1000000) return false;
    value = static_cast<int>(parsed);
    return true;
}

// Returns 0 when the arguments are usable, else the exit code.
int ParseArguments(int argc, char** argv, Options& options) {
    bool haveStatement = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--auto-ok") {
            options.autoOk = true;
        } else if (arg == "--statement" || arg == "--screenshot" || arg == "--expect" ||
                   arg == "--cap" || arg == "--timeout") {
            if (!hasValue) return Usage((arg + " needs a value").c_str());
            const char* value = argv[++i];
            if (arg == "--statement") {
                options.statement = value;
                haveStatement = true;
            } else if (arg == "--screenshot") {
                options.screenshotPath = value;
            } else if (arg == "--expect") {
                options.expected = value;
                options.hasExpectation = true;
            } else if (arg == "--cap" ? !ParsePositive(value, options.cap)
                                      : !ParsePositive(value, options.timeoutSeconds)) {
                return Usage((arg + " needs a whole number from 1 to 1000000").c_str());
            }
        } else if (arg.rfind("--", 0) == 0 || haveStatement) {
            return Usage(("unexpected argument: " + arg).c_str());
        } else {
            options.statement = arg;
            haveStatement = true;
        }
    }
    if (!options.screenshotPath.empty() && !options.autoOk)
        return Usage("--screenshot needs --auto-ok");
    return 0;
}

// GetProcAddress returns one generic pointer type; the exports' real types come from Quervix.h.
template <typename Function>
Function AsFunction(FARPROC address) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

// Quervix.dll is taken from the demo's own folder, never from the search path, and the
// DLLs it needs are looked up from there too.
HMODULE LoadQuervixBesideDemo(std::string& path) {
    char self[MAX_PATH] = "";
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    path = self;
    path = path.substr(0, path.find_last_of("\\/") + 1) + "Quervix.dll";
    return LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// Both exports must resolve by name and by ordinal to the same address.
bool ResolveExport(HMODULE dll, const char* name, WORD ordinal, FARPROC& address) {
    const FARPROC byName = GetProcAddress(dll, name);
    const FARPROC byOrdinal = GetProcAddress(dll, MAKEINTRESOURCEA(ordinal));
    if (!byName || !byOrdinal || byName != byOrdinal) {
        std::fprintf(stderr, "quervix-demo: export %s: by name %s, by ordinal %u %s\n", name,
                     byName ? "found" : "missing", ordinal,
                     !byOrdinal ? "missing" : (byName == byOrdinal ? "same" : "is a different function"));
        return false;
    }
    address = byName;
    return true;
}

std::string PrintableColumns() {
    std::string shown;
    for (const char* c = kSampleColumns; *c; ++c) shown += (*c == '\t') ? (c[1] ? ", " : "") : std::string(1, *c);
    return shown;
}

// The caller's buffer plus a guard zone behind it, so a copy past cap is caught.
struct GuardedBuffer {
    std::vector<char> bytes;
    int cap;
    GuardedBuffer(const std::string& start, int capacity)
        : bytes(static_cast<size_t>(capacity) + kGuardBytes, static_cast<char>(kGuardByte)), cap(capacity) {
        const size_t kept = std::min(start.size(), static_cast<size_t>(capacity - 1));
        std::memcpy(bytes.data(), start.data(), kept);
        bytes[kept] = '\0';
    }
    bool GuardIntact() const {
        for (size_t i = static_cast<size_t>(cap); i < bytes.size(); ++i)
            if (static_cast<unsigned char>(bytes[i]) != kGuardByte) return false;
        return true;
    }
    bool Terminated() const { return std::memchr(bytes.data(), '\0', static_cast<size_t>(cap)) != nullptr; }
};

// Checks what the export did to the buffer against its contract; returns 0 or exit code 5.
int CheckBufferContract(const GuardedBuffer& buffer, const std::vector<char>& before, int result) {
    if (!buffer.GuardIntact()) {
        std::fprintf(stderr, "quervix-demo: the DLL wrote past the %d bytes of the buffer\n", buffer.cap);
        return 5;
    }
    if (result != 0 && !std::equal(before.begin(), before.end(), buffer.bytes.begin())) {
        std::fprintf(stderr, "quervix-demo: result %d but the buffer was changed\n", result);
        return 5;
    }
    if (result == 0 && !buffer.Terminated()) {
        std::fprintf(stderr, "quervix-demo: the statement in the buffer has no terminating NUL\n");
        return 5;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (int bad = ParseArguments(argc, argv, options)) return bad;

    std::string dllPath;
    HMODULE dll = LoadQuervixBesideDemo(dllPath);
    if (!dll) {
        std::fprintf(stderr, "quervix-demo: cannot load %s (error %lu)\n", dllPath.c_str(), GetLastError());
        return 2;
    }
    FARPROC create = nullptr, get = nullptr;
    if (!ResolveExport(dll, "CreateSELECTSQLQueryDlg", QUERVIX_ORDINAL_CREATE_SELECT_SQL_QUERY_DLG, create) ||
        !ResolveExport(dll, "GetSELECTSQLQuery", QUERVIX_ORDINAL_GET_SELECT_SQL_QUERY, get))
        return 2;
    const auto getSelectSqlQuery = AsFunction<QuervixGetSELECTSQLQueryFn>(get);

    std::printf("Quervix.dll: %s\n", dllPath.c_str());
    std::printf("exports: CreateSELECTSQLQueryDlg = ordinal %d, GetSELECTSQLQuery = ordinal %d\n",
                QUERVIX_ORDINAL_CREATE_SELECT_SQL_QUERY_DLG, QUERVIX_ORDINAL_GET_SELECT_SQL_QUERY);
    std::printf("table: %s (columns %s)\n", kSampleTable, PrintableColumns().c_str());
    std::printf("starting statement: %s\n", options.statement.empty() ? "(none)" : options.statement.c_str());
    std::fflush(stdout);

    GuardedBuffer buffer(options.statement, options.cap);
    const std::vector<char> before(buffer.bytes.begin(), buffer.bytes.begin() + options.cap);

    AutoPilotPlan plan;
    plan.dialogThreadId = GetCurrentThreadId();
    plan.screenshotPath = options.screenshotPath;
    plan.timeoutMs = static_cast<DWORD>(options.timeoutSeconds) * 1000;
    DialogAutoPilot pilot(plan);
    if (options.autoOk) pilot.Start();

    const int result = getSelectSqlQuery(kSampleTable, kSampleColumns, buffer.bytes.data(), options.cap);
    const std::string autoOkProblem = options.autoOk ? pilot.Finish() : std::string();

    std::printf("result: %d (%s)\n", result, result == 0 ? "OK" : "cancelled, buffer unchanged");
    std::fflush(stdout);
    if (int broken = CheckBufferContract(buffer, before, result)) return broken;
    if (result == 0) std::printf("statement: %s\n", buffer.bytes.data());
    std::fflush(stdout);

    if (!autoOkProblem.empty()) {
        std::fprintf(stderr, "quervix-demo: auto-ok failed: %s\n", autoOkProblem.c_str());
        return 4;
    }
    if (options.hasExpectation && (result != 0 || options.expected != buffer.bytes.data())) {
        std::fprintf(stderr, "quervix-demo: expected result 0 and statement [%s]\n", options.expected.c_str());
        return 3;
    }
    FreeLibrary(dll);
    return 0;
}
