// The loaded DLL, the driver of one GetSELECTSQLQuery run, and the close box and message
// box look-ups.
#include "QueryBuilderDriver.h"

#include <algorithm>
#include <cstring>

namespace dlltest {

namespace {

const char kFill = static_cast<char>(0xA5);
const size_t kGuardBytes = 64;
const int kCheckBoxX = 8;  // inside the check box at the left of a column item
const DWORD kFinishMs = 10000;

std::string ProgramDirectory()
{
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path, length);
    const size_t slash = directory.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : directory.substr(0, slash);
}

// An open drop-down list is a pop-up window of its own: activating it, as the harness's
// clicks do with their target, would close it. The press goes where the pointer is.
bool ClickWherePointerIs(HWND window)
{
    INPUT inputs[2]{};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    const bool sent = ::SendInput(2, inputs, sizeof(INPUT)) == 2;
    harness::LetInputArrive(window);
    return sent;
}

}  // namespace

const Library& Quervix()
{
    static const Library library = [] {
        Library loaded;
        loaded.module = ::LoadLibraryA((ProgramDirectory() + "\\Quervix.dll").c_str());
        if (loaded.module) {
            loaded.getQuery = reinterpret_cast<QuervixGetSELECTSQLQueryFn>(
                reinterpret_cast<void*>(::GetProcAddress(loaded.module, "GetSELECTSQLQuery")));
            loaded.createDialog = reinterpret_cast<QuervixCreateSELECTSQLQueryDlgFn>(
                reinterpret_cast<void*>(::GetProcAddress(loaded.module, "CreateSELECTSQLQueryDlg")));
        }
        return loaded;
    }();
    return library;
}

QueryRun::QueryRun(const std::string& table, const std::string& columns, const std::string& statement, int cap)
    : m_buffer(std::max(static_cast<size_t>(cap), statement.size() + 1) + kGuardBytes, kFill),
      m_table(table),
      m_columns(columns),
      m_cap(cap)
{
    std::copy(statement.begin(), statement.end(), m_buffer.begin());
    m_buffer[statement.size()] = '\0';
    m_before = m_buffer;
    const QuervixGetSELECTSQLQueryFn getQuery = Quervix().getQuery;
    m_call = std::make_unique<harness::ModalCall>([this, getQuery]() -> INT_PTR {
        return getQuery ? getQuery(m_table.c_str(), m_columns.c_str(), m_buffer.data(), m_cap) : -1;
    });
}

QueryRun::QueryRun(const std::vector<HostTable>& tables, const std::string& statement)
    : m_buffer(1, '\0'), m_tables(tables), m_throughObject(true), m_objectStatement(statement), m_cap(0)
{
    m_before = m_buffer;
    const QuervixCreateSELECTSQLQueryDlgFn create = Quervix().createDialog;
    m_call = std::make_unique<harness::ModalCall>([this, create]() -> INT_PTR {
        CSELECTSQLDlg* dialog = create ? create() : nullptr;
        if (!dialog) return -1;
        for (const HostTable& table : m_tables) dialog->AddTableColumns(table.name.c_str(), table.columns.c_str());
        dialog->SetSQLQuery(m_objectStatement.c_str());
        const INT_PTR result = dialog->DoModal();
        m_objectStatement = dialog->GetSQLQuery();
        delete dialog;
        return result;
    });
}

QueryRun::~QueryRun() = default;

HWND QueryRun::Dialog()
{
    if (!m_dialog) m_dialog = harness::WaitForWindow(kCaption, m_call->ThreadId());
    return m_dialog;
}

HWND QueryRun::Control(int id)
{
    HWND dialog = Dialog();
    return dialog ? harness::FindControl(dialog, id) : nullptr;
}

std::string QueryRun::Preview()
{
    return harness::WindowText(Control(kPreview));
}

bool QueryRun::PreviewBecomes(const std::string& text)
{
    return harness::WaitUntil([&] { return Preview() == text; }, 3000);
}

bool QueryRun::Click(int id)
{
    HWND control = Control(id);
    return control && harness::ClickCenter(control);
}

bool QueryRun::ClickColumnCheck(int item)
{
    HWND list = Control(kColumnList);
    return list && harness::ClickListBoxItem(list, item, kCheckBoxX);
}

bool QueryRun::ClickColumnText(int item)
{
    HWND list = Control(kColumnList);
    return list && harness::ClickListBoxItem(list, item);
}

int QueryRun::ColumnCheck(int item)
{
    return static_cast<int>(harness::ListBoxItemData(Control(kColumnList), item));
}

std::vector<int> QueryRun::ColumnChecks()
{
    return harness::ListBoxChecks(Control(kColumnList));
}

HWND QueryRun::TableList()
{
    return DropDownListOf(Control(kTableCombo));
}

bool QueryRun::ChooseTable(const std::string& name)
{
    HWND combo = Control(kTableCombo);
    return combo && ChooseInComboBox(combo, name);
}

::testing::AssertionResult QueryRun::Finish()
{
    return m_call->Finish(kFinishMs);
}

int QueryRun::Result() const
{
    return static_cast<int>(m_call->Result());
}

std::string QueryRun::ReturnedText() const
{
    if (m_throughObject) return m_objectStatement;
    return std::string(m_buffer.data(), ::strnlen(m_buffer.data(), m_buffer.size()));
}

std::vector<char> QueryRun::BufferNow() const
{
    return m_buffer;
}

HWND DropDownListOf(HWND comboBox)
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    return comboBox && ::GetComboBoxInfo(comboBox, &info) ? info.hwndList : nullptr;
}

bool ChooseInComboBox(HWND comboBox, const std::string& item)
{
    HWND list = DropDownListOf(comboBox);
    if (!list) return false;
    const LRESULT index = harness::Query(comboBox, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(item.c_str()));
    if (index == CB_ERR) return false;
    // Far enough from any earlier click that the box does not take a double click.
    harness::PumpMessagesFor(::GetDoubleClickTime() + 50);
    if (!harness::ClickCenter(comboBox) || !harness::WaitUntil([&] { return harness::IsVisible(list); }))
        return false;
    POINT point{};
    if (!harness::ListBoxItemPoint(list, static_cast<int>(index), -1, point)) {
        // Out of view in a short list: scrolled to, as its scroll bar would.
        harness::Query(list, LB_SETTOPINDEX, static_cast<WPARAM>(index));
        if (!harness::ListBoxItemPoint(list, static_cast<int>(index), -1, point)) return false;
    }
    return harness::MoveMouseTo(list, point) && ClickWherePointerIs(list);
}

HWND OpenCellList(HWND grid)
{
    HWND found = nullptr;
    for (HWND window : harness::TopLevelWindows(::GetWindowThreadProcessId(grid, nullptr))) {
        char name[16] = {};
        ::GetClassNameA(window, name, sizeof name);
        if (std::strncmp(name, "Quervix:", 8) == 0) found = ::FindWindowExA(window, nullptr, "ListBox", nullptr);
    }
    return found;
}

HWND OpenCellListByClick(HWND grid, int row, int column)
{
    HWND list = nullptr;
    for (int click = 0; click < 2 && !list; ++click) {
        harness::PumpMessagesFor(::GetDoubleClickTime() + 50);
        if (!harness::ClickListViewCell(grid, row, column)) return nullptr;
        harness::WaitUntil([&] { return (list = OpenCellList(grid)) != nullptr; }, 500);
    }
    // The grid hands the keyboard to the list within its 100 ms poll.
    if (list && !harness::WaitUntil([&] { return harness::FocusedWindow(grid) == list; })) return nullptr;
    return list;
}

bool ChooseInCell(HWND grid, int row, int column, const std::string& entry)
{
    HWND list = OpenCellListByClick(grid, row, column);
    const std::vector<std::string> items = list ? harness::ListBoxItems(list) : std::vector<std::string>();
    const auto found = std::find(items.begin(), items.end(), entry);
    POINT point{};
    if (found == items.end() || !harness::ListBoxItemPoint(list, static_cast<int>(found - items.begin()), -1, point))
        return false;
    return harness::MoveMouseTo(list, point) && ClickWherePointerIs(list) &&
           harness::WaitUntil([&] { return !OpenCellList(grid) && harness::ListViewCell(grid, row, column) == entry; });
}

bool TypeValue(HWND grid, int row, const std::string& text, HWND target)
{
    harness::PumpMessagesFor(::GetDoubleClickTime() + 50);
    HWND editor = nullptr;
    return harness::DoubleClickListViewCell(grid, row, 0) &&
           harness::WaitUntil([&] { return (editor = ::FindWindowExA(grid, nullptr, "Edit", nullptr)) != nullptr; }) &&
           harness::TypeText(text) && harness::ClickCenter(target) &&
           harness::WaitUntil([&] { return harness::ListViewCell(grid, row, 0) == text; });
}

// Walks the caption row from the right edge leftwards, asking the window which part each
// point is; works whatever the frame and button sizes of the desktop.
bool FindCloseBox(HWND dialog, POINT& clientPoint)
{
    RECT window{};
    if (!::GetWindowRect(dialog, &window)) return false;
    for (LONG y = window.top + 2; y < window.top + 48; y += 2) {
        for (LONG x = window.right - 2; x > window.right - 120; x -= 2) {
            const LRESULT part = harness::Query(dialog, WM_NCHITTEST, 0, MAKELPARAM(x, y));
            if (part != HTCLOSE) continue;
            POINT screen{x, y};
            ::ScreenToClient(dialog, &screen);
            clientPoint = screen;
            return true;
        }
    }
    return false;
}

HWND WaitForMessageBox(DWORD threadId)
{
    return harness::WaitForWindow(kMessageBoxCaption, threadId);
}

// The message box's text is the static control with id 0xFFFF.
std::string MessageBoxText(HWND box)
{
    HWND text = box ? harness::FindControl(box, 0xFFFF) : nullptr;
    return text ? harness::WindowText(text) : std::string();
}

}  // namespace dlltest
