// The loaded DLL and the driver of its dialog.
#include "Driver.h"

#include <algorithm>
#include <cstring>

namespace dlltest {

namespace {

const char kFill = static_cast<char>(0xA5);
const size_t kGuardBytes = 64;

// A list box item's centre, or x pixels from its left; an item out of view in a short list is
// scrolled to first, as its scroll bar would. An open drop-down list is clicked in place.
bool ClickItem(HWND list, int index, int x = -1, bool inPlace = true)
{
    POINT point{};
    if (!harness::ListBoxItemPoint(list, index, x, point)) harness::Query(list, LB_SETTOPINDEX, static_cast<WPARAM>(index));
    return harness::ListBoxItemPoint(list, index, x, point) &&
           (inPlace ? harness::ClickInPlace(list, point) : harness::ClickAt(list, point));
}

bool Gone(HWND question)
{
    if (!harness::WaitForWindowGone(question)) return false;
    harness::PumpMessagesFor(100);  // the builder takes the activation back
    return true;
}

}  // namespace

const Library& Quervix()
{
    static const Library library = [] {
        Library loaded;
        if (HMODULE module = ::LoadLibraryA("Quervix.dll")) {  // by its name, as hosts do: found beside the program
            loaded.getQuery = reinterpret_cast<QuervixGetSELECTSQLQueryFn>(
                reinterpret_cast<void*>(::GetProcAddress(module, "GetSELECTSQLQuery")));
            loaded.createDialog = reinterpret_cast<QuervixCreateSELECTSQLQueryDlgFn>(
                reinterpret_cast<void*>(::GetProcAddress(module, "CreateSELECTSQLQueryDlg")));
        }
        return loaded;
    }();
    return library;
}

QueryRun::QueryRun(const std::string& table, const std::string& columns, const std::string& statement, int cap)
    : m_buffer(std::max(static_cast<size_t>(std::max(cap, 0)), statement.size() + 1) + kGuardBytes, kFill)
{
    std::copy(statement.begin(), statement.end(), m_buffer.begin());
    m_buffer[statement.size()] = '\0';
    m_before = m_buffer;
    const auto getQuery = Quervix().getQuery;
    m_call = std::make_unique<harness::ModalCall>([this, getQuery, table, columns, cap]() -> INT_PTR {
        return getQuery ? getQuery(table.c_str(), columns.c_str(), m_buffer.data(), cap) : -1;
    });
}

QueryRun::QueryRun(const std::vector<HostTable>& tables, const std::string& statement)
    : m_objectStatement(statement), m_throughObject(true)
{
    const auto create = Quervix().createDialog;
    m_call = std::make_unique<harness::ModalCall>([this, create, tables]() -> INT_PTR {
        CSELECTSQLDlg* dialog = create ? create() : nullptr;
        if (!dialog) return -1;
        for (const HostTable& table : tables) dialog->AddTableColumns(table.name.c_str(), table.columns.c_str());
        dialog->SetSQLQuery(m_objectStatement.c_str());
        const INT_PTR result = dialog->DoModal();
        m_objectStatement = dialog->GetSQLQuery();
        delete dialog;
        return result;
    });
}

HWND QueryRun::Dialog(DWORD timeoutMs)
{
    if (!m_dialog) m_dialog = harness::WaitForWindow(kCaption, ThreadId(), timeoutMs);
    return m_dialog;
}

HWND QueryRun::Control(int id)
{
    return Dialog() ? ::GetDlgItem(m_dialog, id) : nullptr;
}

std::string QueryRun::Preview() { return harness::WindowText(Control(kPreview)); }

bool QueryRun::PreviewBecomes(const std::string& text)
{
    return harness::WaitUntil([&] { return Preview() == text; }, 3000);
}

bool QueryRun::ClickColumn(int item, bool onCheckBox)
{
    HWND list = Control(kColumnList);
    return list && ClickItem(list, item, onCheckBox ? 8 : -1, false);
}

std::string QueryRun::ColumnChecks()
{
    std::string checks;  // the check list box keeps each item's state as its data
    HWND list = Control(kColumnList);
    for (WPARAM i = 0, n = static_cast<WPARAM>(harness::Query(list, LB_GETCOUNT)); i < n; ++i)
        checks += static_cast<char>('0' + harness::Query(list, LB_GETITEMDATA, i));
    return checks;
}

::testing::AssertionResult QueryRun::Finish() { return m_call->Finish(10000); }

::testing::AssertionResult QueryRun::End(int button)
{
    return Click(button) ? Finish() : ::testing::AssertionFailure() << "no button " << button << " to click";
}

std::string QueryRun::ReturnedText() const
{
    if (m_throughObject) return m_objectStatement;
    return std::string(m_buffer.data(), ::strnlen(m_buffer.data(), m_buffer.size()));
}

bool ChooseInComboBox(HWND comboBox, const std::string& item)
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!comboBox || !::GetComboBoxInfo(comboBox, &info)) return false;
    const LRESULT index =
        harness::Query(comboBox, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item.c_str()));
    return index != CB_ERR && harness::ClickCenter(comboBox) &&
           harness::WaitUntil([&] { return ::IsWindowVisible(info.hwndList); }) &&
           ClickItem(info.hwndList, static_cast<int>(index));
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
    if (harness::ListViewSelectedRow(grid) != row) {
        if (!harness::ClickListViewCell(grid, row, column) ||
            !harness::WaitUntil([&] { return harness::ListViewSelectedRow(grid) == row; }))
            return nullptr;
        harness::PumpMessagesFor(200);
        if (OpenCellList(grid)) return nullptr;  // the click that selected the row opened a list
    }
    HWND list = nullptr;
    const bool opened = harness::ClickListViewCell(grid, row, column) && harness::WaitUntil([&] {
        return (list = OpenCellList(grid)) != nullptr && harness::FocusedWindow(grid) == list;
    });
    return opened ? list : nullptr;
}

bool ChooseInCell(HWND grid, int row, int column, const std::string& entry)
{
    HWND list = OpenCellListByClick(grid, row, column);
    const std::vector<std::string> items = list ? harness::ListBoxItems(list) : std::vector<std::string>();
    const auto found = std::find(items.begin(), items.end(), entry);
    return found != items.end() && ClickItem(list, static_cast<int>(found - items.begin())) &&
           harness::WaitUntil([&] { return !OpenCellList(grid) && harness::ListViewCell(grid, row, column) == entry; });
}

bool Answer(HWND question, const char* prompt, int button, const char* choice)
{
    if (!question) return false;
    HWND edit = ::GetDlgItem(question, kPrompt);
    if (prompt && !(harness::ClickCenter(edit) && harness::TypeText(prompt) &&
                    harness::WaitUntil([&] { return harness::WindowText(edit) == prompt; })))
        return false;
    if (choice && !ChooseInComboBox(::GetDlgItem(question, kDefault), choice)) return false;
    return harness::ClickCenter(::GetDlgItem(question, button)) && Gone(question);
}

bool AnswerByKey(HWND question, WORD key)
{
    return question && harness::BringToForeground(question) && harness::PressKey(key) && Gone(question);
}

}  // namespace dlltest
