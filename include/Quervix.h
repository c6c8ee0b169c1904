/* Quervix.h: the functions that Quervix.dll exports, for C and C++ hosts.

   Quervix.dll shows one modal dialog, "Halvane SQL Query Builder - SELECT SQL Query", in
   which the user composes a single SQL SELECT statement over one table. Both exports have
   C linkage and the C calling convention (__cdecl: the caller removes the arguments), and
   are exported undecorated by name and by ordinal, the same in the 32-bit and 64-bit DLL:

       ordinal 1   CreateSELECTSQLQueryDlg
       ordinal 2   GetSELECTSQLQuery

   Call them on the thread that runs your user interface; the dialog runs its own modal
   message loop on it. Strings are NUL-terminated in the process's ANSI code page.

   Linking: with the import library, just call the functions. A host that loads the DLL
   itself (LoadLibrary) uses the pointer types and ordinals below with GetProcAddress;
   declaring the functions costs nothing until they are called. */
#ifndef QUERVIX_H
#define QUERVIX_H

#if defined(_WIN32)
#  define QUERVIX_CALL __cdecl
#  if defined(QUERVIX_BUILDING_DLL)
     /* The module's .def file decides the exported names and ordinals. */
#    define QUERVIX_API
#  else
#    define QUERVIX_API __declspec(dllimport)
#  endif
#else
#  define QUERVIX_CALL
#  define QUERVIX_API
#endif

/* Ordinals, for GetProcAddress(module, MAKEINTRESOURCEA(ordinal)). */
#define QUERVIX_ORDINAL_CREATE_SELECT_SQL_QUERY_DLG 1
#define QUERVIX_ORDINAL_GET_SELECT_SQL_QUERY        2

#ifdef __cplusplus
/* The dialog object handed out by CreateSELECTSQLQueryDlg; see the end of this file. */
class CSELECTSQLDlg;
extern "C" {
#else
/* In C the dialog object is opaque: C code can only keep its pointer. */
typedef struct CSELECTSQLDlg CSELECTSQLDlg;
#endif

/* Runs the query builder once over one table and hands the finished statement back.

     table    name of the table; it is the only table the dialog offers.
     columns  the table's column names, each one followed by a TAB character,
              e.g. "ID\tName\tOrder Date\t".
     query    in:  a NUL-terminated statement to start from, or "" for none; the dialog
                   reads it back into its controls.
              out: when the result is 0, the statement the user finished, at most cap - 1
                   characters followed by a NUL (a longer statement is cut without notice).
     cap      size of the buffer at query in bytes, including the terminating NUL.

   Returns 0 when the user closed the dialog with OK; 1 when they cancelled or closed it,
   or the dialog could not be shown. On 1 the buffer is left exactly as it was.
   All pointers must be valid: table, columns and query NUL-terminated, query at least cap
   bytes long. */
QUERVIX_API int QUERVIX_CALL GetSELECTSQLQuery(const char* table, const char* columns, char* query, int cap);

/* Creates a query builder dialog object for hosts that want more than one table or want
   to run the dialog themselves, or returns NULL when no memory is left. The host owns the
   object: it adds tables, sets the starting statement, runs the dialog, reads the statement
   and finally deletes the object through its virtual destructor (no export frees it). */
QUERVIX_API CSELECTSQLDlg* QUERVIX_CALL CreateSELECTSQLQueryDlg(void);

/* Function pointer types for hosts that resolve the exports with GetProcAddress. */
typedef int (QUERVIX_CALL* QuervixGetSELECTSQLQueryFn)(const char* table, const char* columns, char* query, int cap);
typedef CSELECTSQLDlg* (QUERVIX_CALL* QuervixCreateSELECTSQLQueryDlgFn)(void);

#ifdef __cplusplus
} /* extern "C" */

/* ---- C++ declaration of the dialog object ---------------------------------------------
   TO BE FILLED IN by the dialog's author: the class through which a C++ host drives an
   object from CreateSELECTSQLQueryDlg. Its virtual functions must mirror the DLL's object
   slot for slot: those inherited from the window class layer first, then GetSQLQuery,
   SetSQLQuery and AddTableColumns, in that order. Until then C++ hosts, like C hosts, can
   only hold the pointer.
   ---------------------------------------------------------------------------------------- */
#endif

#endif /* QUERVIX_H */
