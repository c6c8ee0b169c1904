// The two functions Quervix.dll exports: the one-call query builder and the factory of
// dialog objects that hosts drive themselves.
#include "Quervix.h"

#include <windows.h>

#include <new>

#include "dialog/SELECTSQLDlg.h"

// Nothing thrown inside may cross into a C host: a failure reads as "no statement".
extern "C" int __cdecl GetSELECTSQLQuery(const char* table, const char* columns, char* query, int cap)
{
    if (!table || !columns || !query || cap < 1) return 1;
    try {
        CSELECTSQLDlg dialog(nullptr);
        dialog.AddTableColumns(table, columns);
        dialog.SetSQLQuery(query);
        if (dialog.DoModal() != IDOK) return 1;
        ::lstrcpynA(query, dialog.GetSQLQuery(), cap);
        return 0;
    } catch (...) {
        return 1;
    }
}

extern "C" CSELECTSQLDlg* __cdecl CreateSELECTSQLQueryDlg(void)
{
    try {
        return new (std::nothrow) CSELECTSQLDlg(nullptr);
    } catch (...) {
        return nullptr;
    }
}
