/* A host linked to Quervix.dll through the package's import library, as an embedder's program is:
   it opens the query builder with a stored statement, a second thread presses OK once the dialog
   shows, and it prints the result code and the statement. Built with MinGW-w64 through the CMake
   package, and MSVC-style (clang, lld-link, lib/Quervix.lib) without a C runtime, since no MSVC
   runtime exists on the build machines: hence only Win32 calls. */
#include <windows.h>

#include "Quervix.h"

static DWORD WINAPI PressOk(LPVOID unused)
{
    (void)unused;
    for (int tries = 0; tries < 600; ++tries, Sleep(100)) {
        HWND dialog = FindWindowA(NULL, "Halvane SQL Query Builder - SELECT SQL Query");
        DWORD_PTR ignored = 0;
        /* Once it answers, the dialog has finished setting itself up. */
        if (dialog && IsWindowVisible(dialog) && SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored))
            return !PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dialog, IDOK));
    }
    return 1;
}

static int Run(void)
{
    char query[256], line[300];
    DWORD written = 0;
    HANDLE watcher = CreateThread(NULL, 0, PressOk, NULL, 0, NULL);
    int rc;
    lstrcpyA(query, "select name from customers where city = 'Oslo'");
    rc = GetSELECTSQLQuery("Customers", "ID\tName\tCity\t", query, (int)sizeof query);
    if (watcher) CloseHandle(watcher);
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, (DWORD)wsprintfA(line, "rc=%d query=[%s]\r\n", rc, query), &written, NULL);
    return rc;
}

#ifdef QUERVIX_HOST_NO_CRT
void __cdecl HostEntry(void) { ExitProcess((UINT)Run()); }
#else
int main(void) { return Run(); }
#endif
