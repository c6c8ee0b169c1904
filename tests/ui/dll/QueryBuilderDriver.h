// The DLL under test, loaded as a host loads it, and a driver for one query builder run:
// GetSELECTSQLQuery on a UI thread of its own with a guarded buffer, and the dialog's
// controls by id for the test thread to operate.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Harness.h"
#include "Quervix.h"

namespace dlltest {

constexpr char kCaption[] = "Halvane SQL Query Builder - SELECT SQL Query";
// Message boxes are captioned with the module's name.
constexpr char kMessageBoxCaption[] = "Quervix";

// Control ids of the query builder.
enum : int {
    kPreview = 1003,
    kColumnList = 1005,
    kTableCombo = 1007,
    kWhereGrid = 1008,
    kWhereEnabled = 1010,
    kOrderByGrid = 1011,
    kOrderByEnabled = 1013,
    kMoveUp = 1014,
    kMoveDown = 1015,
    kAddWhere = 1016,
    kRemoveWhere = 1018,
};

struct Library {
    HMODULE module = nullptr;
    QuervixGetSELECTSQLQueryFn getQuery = nullptr;
    QuervixCreateSELECTSQLQueryDlgFn createDialog = nullptr;
};

// Quervix.dll from the test program's own folder, loaded once for the whole run.
const Library& Quervix();

// One table a C++ host hands to the dialog object: its name and column string.
struct HostTable {
    std::string name;
    std::string columns;
};

class QueryRun {
public:
    // Calls GetSELECTSQLQuery(table, columns, buffer, cap) at once. The buffer holds the
    // statement and its NUL, then a fill pattern up to cap, then guard bytes past cap.
    QueryRun(const std::string& table, const std::string& columns, const std::string& statement, int cap = 1024);
    // A C++ host instead: CreateSELECTSQLQueryDlg, AddTableColumns for each table in
    // order, SetSQLQuery, DoModal, GetSQLQuery, delete. Result() is then DoModal's
    // answer and ReturnedText() what GetSQLQuery gave after it.
    QueryRun(const std::vector<HostTable>& tables, const std::string& statement);
    ~QueryRun();

    DWORD ThreadId() const { return m_call->ThreadId(); }
    // The dialog once it is shown (null on timeout; a test asserts on it).
    HWND Dialog();
    HWND Control(int id);
    std::string Preview();
    // Waits until the preview reads text; true when it does.
    bool PreviewBecomes(const std::string& text);

    bool Click(int id);
    // Clicks the check box of a column list item.
    bool ClickColumnCheck(int item);
    // Clicks a column item's text, which selects it and leaves its check alone.
    bool ClickColumnText(int item);
    int ColumnCheck(int item);
    std::vector<int> ColumnChecks();

    // The table box's drop-down list, and choosing a table in it by mouse.
    HWND TableList();
    bool ChooseTable(const std::string& name);

    // The call returned within the time (closing what it left open otherwise).
    ::testing::AssertionResult Finish();
    int Result() const;
    std::string ReturnedText() const;
    // The buffer as it was before the call, and as it is now (cap plus guard bytes).
    const std::vector<char>& BufferBefore() const { return m_before; }
    std::vector<char> BufferNow() const;

private:
    std::vector<char> m_buffer;
    std::vector<char> m_before;
    std::vector<HostTable> m_tables;
    bool m_throughObject = false;
    std::string m_objectStatement;
    std::string m_table;
    std::string m_columns;
    int m_cap;
    std::unique_ptr<harness::ModalCall> m_call;
    HWND m_dialog = nullptr;
};

// The drop-down list of a combo box (a window of its own while it is open).
HWND DropDownListOf(HWND comboBox);
// Picks an item of a drop-down list box as a user does: the box is clicked open and the
// item clicked in its list. False when the item is not there or the list did not open.
bool ChooseInComboBox(HWND comboBox, const std::string& item);

// The list box of the drop-down list a grid cell has open (a pop-up of the grid's
// thread), or null when none is open.
HWND OpenCellList(HWND grid);
// Clicks a drop-down cell until its list opens (the first click on a row only selects
// it) and has the keyboard; the list's list box, or null.
HWND OpenCellListByClick(HWND grid, int row, int column);
// Opens a drop-down cell's list by mouse and clicks the entry; true once the list has
// closed with the entry in the cell.
bool ChooseInCell(HWND grid, int row, int column, const std::string& entry);
// The grid's value editor after a double-click on the cell, the text typed into it, and
// a click on target to end the edit (Enter does not, in the query builder).
bool TypeValue(HWND grid, int row, const std::string& text, HWND target);

// The point of the dialog's close box in its client coordinates (the caption lies above
// the client area), found by asking the window itself; false if there is none.
bool FindCloseBox(HWND dialog, POINT& clientPoint);

// The message box a run shows on top of the dialog, its text, and dismissing it with OK.
HWND WaitForMessageBox(DWORD threadId);
std::string MessageBoxText(HWND box);

}  // namespace dlltest
