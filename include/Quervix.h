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
   declaring the functions costs nothing until they are called.

   Loading and freeing: once loaded, Quervix.dll stays in the process until the process
   ends. FreeLibrary succeeds but only lowers the reference count; the DLL keeps its address
   and its state, and a later LoadLibrary returns the same module without starting it again.
   So a host that loads it only while the user builds a query pays for one load per process,
   and further load/free cycles cost nothing more. While the process runs, the file stays in
   use: replacing it needs a restart of the host. Should Windows refuse to keep it loaded,
   LoadLibrary fails (ERROR_DLL_INIT_FAILED) rather than give a DLL that leaks on unload. */
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
   bytes long. A null pointer or a cap below 1 returns 1 at once, without a dialog.

   Odd input has these results; none of it crashes, hangs or leaks:
     cap 1            on OK only the NUL is written.
     columns          names are cut at each TAB; a last name without its TAB is not taken, a
                      string that starts with a TAB gives no columns (only "*"), two TABs in a
                      row give an empty name. Names may differ only in letter case and may hold
                      blanks, commas, quotes, brackets, braces, CR, LF and bytes 0x80-0xFF:
                      they are offered and written as given.
     query            any text. A statement the dialog wrote comes back byte for byte when
                      the user presses OK without a change (the README lists the few names and
                      values the statement cannot tell apart); from other text, what the dialog
                      cannot read it drops or replaces by a default ("*", the first column, "="),
                      and the result is the dialog's own composition of what it read. Bytes
                      0x80-0xFF and CR/LF in values come back unchanged, however long a value is.
     re-entry         a call made while a dialog of the library runs on the same thread (from
                      a timer or message handler of the host) opens a second dialog on top;
                      each call returns on its own.
     threads          calls from different threads one after the other each work; the dialog
                      belongs to the calling thread.
   No C++ exception leaves the library, and none is raised by it in the cases above. */
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
   An object from CreateSELECTSQLQueryDlg, seen from a C++ host. Use it like this:

       CSELECTSQLDlg* dialog = create();                 // CreateSELECTSQLQueryDlg
       if (dialog) {
           dialog->AddTableColumns("Customers", "ID\tName\tCity\t");
           dialog->AddTableColumns("Orders", "No\tDate\t");   // once per table
           dialog->SetSQLQuery("");                        // or a statement to start from
           if (dialog->DoModal() == 1)                     // IDOK
               use(dialog->GetSQLQuery());                 // valid until the object goes
           delete dialog;                                  // frees it inside the DLL
       }

   The columns offered are those of the first table added; the FROM box lists every table.
   AddTableColumns with a table name already added replaces that table's columns.

   ABI condition. The calls go through the object's table of virtual functions, so this
   declaration must agree slot for slot with the class compiled into Quervix.dll, and the
   host must lay out and call virtual functions the way the DLL's compiler does: compile
   the host with MinGW-w64 g++ (the Itanium C++ ABI, as the DLL is built), for the same
   machine (32-bit or 64-bit) as the DLL. Other compilers (MSVC, clang-cl) order destructor
   slots and pass "this" differently, and must use GetSELECTSQLQuery instead.
   The host never constructs, copies or derives from this class: it only holds pointers
   from the factory. The slots it must not call are private.
   ---------------------------------------------------------------------------------------- */
#if !defined(QUERVIX_BUILDING_DLL)
#include <stdint.h>

class CSELECTSQLDlg {
public:
    /* Frees the object (and its window, if it still had one) inside the DLL. g++ gives a
       virtual destructor two slots; together they stand for the DLL's destructor. */
    virtual ~CSELECTSQLDlg() = 0;

private:
    /* Slots of the DLL's window class layer that a host has no business calling; they
       only keep the positions of the functions after them. */
    virtual const void* Reserved_GetMessageMap() const = 0;
    virtual void Reserved_DoDataExchange(void* exchange) = 0;
    virtual void Reserved_PreSubclassWindow() = 0;
    virtual int Reserved_PreTranslateMessage(void* msg) = 0;
    virtual intptr_t Reserved_DefWindowProc(unsigned int message, uintptr_t wParam, intptr_t lParam) = 0;
    virtual intptr_t Reserved_OnToolHitTest(long x, long y, void* toolInfo) const = 0;

public:
    /* Runs the dialog modally on the calling thread, owned by that thread's active
       window. Returns 1 (IDOK) when the user pressed OK, 2 (IDCANCEL) after Cancel or the
       close box, -1 when the dialog could not be shown (or is already running). */
    virtual intptr_t DoModal() = 0;

private:
    virtual int Reserved_OnInitDialog() = 0;
    virtual void Reserved_OnOK() = 0;
    virtual void Reserved_OnCancel() = 0;

public:
    /* The statement: after DoModal returned 1, the one the user finished; before, the one
       given to SetSQLQuery. Valid until the statement changes or the object is deleted. */
    virtual const char* GetSQLQuery() = 0;
    /* The statement the dialog starts from (copied); "" or NULL for none. Should memory
       run out, the statement stays as it was. */
    virtual void SetSQLQuery(const char* text) = 0;
    /* Adds a table, or replaces the columns of a table of that name; columns as for
       GetSELECTSQLQuery. Returns nonzero (TRUE); 0 only when memory ran out, and then the
       tables are as they were. No C++ exception leaves any of these functions. */
    virtual int AddTableColumns(const char* table, const char* columns) = 0;
};
#endif /* !QUERVIX_BUILDING_DLL */
#endif

#endif /* QUERVIX_H */
