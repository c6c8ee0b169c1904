// Quervix.dll loaded as a host loads it, and one run of its dialog on a UI thread of its
// own, operated by the test thread with real input.
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
constexpr char kWhenPrintedCaption[] = "When Printed variable";

enum : int {
    kPreview = 1003, kColumnList = 1005, kTableCombo = 1007, kWhereGrid = 1008, kWhereEnabled = 1010,
    kOrderByGrid = 1011, kOrderByEnabled = 1013, kMoveUp = 1014, kMoveDown = 1015, kAddWhere = 1016,
    kRemoveWhere = 1018, kPrompt = 2260, kDefault = 2279,
};
// Cells of the WHERE and ORDER BY grids.
enum : int { kValue = 0, kAndOr = 1, kField = 2, kOperator = 3 };
enum : int { kKeyCheck = 0, kKeyField = 1, kKeyDirection = 2 };

struct Library {
    QuervixGetSELECTSQLQueryFn getQuery = nullptr;
    QuervixCreateSELECTSQLQueryDlgFn createDialog = nullptr;
};
// Quervix.dll from the test program's folder, loaded once for the run.
const Library& Quervix();

struct HostTable {
    std::string name, columns;
};

class QueryRun {
public:
    // GetSELECTSQLQuery(table, columns, buffer, cap); the buffer holds the statement, then a
    // fill pattern to cap, then guard bytes past it.
    QueryRun(const std::string& table, const std::string& columns, const std::string& statement, int cap = 1024);
    // A C++ host: the factory object, AddTableColumns for each table, SetSQLQuery, DoModal.
    QueryRun(const std::vector<HostTable>& tables, const std::string& statement);

    QueryRun(const QueryRun&) = delete;
    QueryRun& operator=(const QueryRun&) = delete;

    DWORD ThreadId() const { return m_call->ThreadId(); }
    HWND Dialog(DWORD timeoutMs = harness::kDefaultTimeoutMs);  // null when it did not show
    HWND Control(int id);
    std::string Preview();
    bool PreviewBecomes(const std::string& text);
    bool Click(int id) { return harness::ClickCenter(Control(id)); }  // false without the control
    // The check box of a column item, or its text (which selects it only).
    bool ClickColumn(int item, bool onCheckBox = true);
    std::string ColumnChecks();  // "1000": one digit per item

    ::testing::AssertionResult Finish();
    ::testing::AssertionResult End(int button);  // clicks it (IDOK, IDCANCEL), then Finish
    int Result() const { return static_cast<int>(m_call->Result()); }
    std::string ReturnedText() const;
    const std::vector<char>& BufferBefore() const { return m_before; }
    const std::vector<char>& BufferNow() const { return m_buffer; }

private:
    std::vector<char> m_buffer, m_before;
    std::string m_objectStatement;
    bool m_throughObject = false;
    std::unique_ptr<harness::ModalCall> m_call;
    HWND m_dialog = nullptr;
};

// Picks an item of a drop-down combo box by clicking it open and clicking the item.
bool ChooseInComboBox(HWND comboBox, const std::string& item);
// The list box of the list a grid cell has open, or null.
HWND OpenCellList(HWND grid);
// Opens a drop-down cell's list as a user does: on a row not yet selected a first click only
// selects the row (null when it opens a list), then one click opens the list, which must
// then have the keyboard.
HWND OpenCellListByClick(HWND grid, int row, int column);
bool ChooseInCell(HWND grid, int row, int column, const std::string& entry);

// The When Printed question of a run (harness::WaitForWindow(kWhenPrintedCaption, ...)):
// optionally a prompt typed and a default chosen, then answered with the button given
// (IDOK, IDCANCEL) or a key (VK_RETURN...).
bool Answer(HWND question, const char* prompt, int button, const char* choice = nullptr);
bool AnswerByKey(HWND question, WORD key);

}  // namespace dlltest
