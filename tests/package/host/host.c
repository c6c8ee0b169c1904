/* host.c: a host linked to Quervix.dll through an import library of the release package,
   as an embedder's program is. It opens the query builder on a sample table with a stored
   statement; a second thread presses OK once the dialog shows; it prints the result code
   and the statement. Built twice by the package tests: with MinGW-w64 through the CMake
   package, and MSVC-style (clang, lld-link, lib/Quervix.lib) without any C runtime, since
   no MSVC runtime exists on the build machines; hence only Win32 calls below. */
#include <windows.h>

#include "Quervix.h"

static const char kCaption[] = "Halvane SQL Query Builder - SELECT SQL Query";

static DWORD WINAPI PressOk(LPVOID unused)
{
    int tries;
    (void)unused;
    for (tries = 0; tries < 600; ++tries) {
        HWND dialog = FindWindowA(NULL, kCaption);
        if (dialog && IsWindowVisible(dialog)) {
            DWORD_PTR ignored = 0;
            /* Once it answers, the dialog has finished setting itself up. */
            SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dialog, IDOK));
            return 0;
        }
        Sleep(100);
    }
    return 1;
}

static void Print(const char* text)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, (DWORD)lstrlenA(text), &written, NULL);
}

static int Run(void)
{
    char query[256];
    HANDLE watcher;
    int rc;
    lstrcpyA(query, "select name from customers where city = 'Oslo'");
    watcher = CreateThread(NULL, 0, PressOk, NULL, 0, NULL);
    rc = GetSELECTSQLQuery("Customers", "ID\tName\tCity\t", query, (int)sizeof query);
    if (watcher) CloseHandle(watcher);
    Print(rc == 0 ? "rc=0 query=[" : "rc=1 query=[");
    Print(query);
    Print("]\r\n");
    return rc;
}

#ifdef QUERVIX_HOST_NO_CRT
void __cdecl HostEntry(void)
{
    ExitProcess((UINT)Run());
}
#else
int main(void)
{
    return Run();
}
#endif
