// The floors: template 1000 and a stock-control dialog, each filled by a plain procedure.
#include "Floors.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "resources/resource.h"

namespace {

struct FloorContext {
    const BenchData* data;
    bool previewText;
    bool ownerDrawnList;
    int columnsId, tableId, whereId, orderById, previewId;
};

LRESULT Send(HWND dialog, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return ::SendDlgItemMessageA(dialog, id, message, wParam, lParam);
}

void FillColumnList(HWND list, const BenchData& data)
{
    ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    size_t bytes = 2;
    for (const std::string& name : data.names) bytes += name.size() + 1;
    ::SendMessageA(list, LB_INITSTORAGE, static_cast<WPARAM>(data.columns + 1), static_cast<LPARAM>(bytes));
    ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("*"));
    for (int i = 0; i < data.columns; ++i) {
        const auto item = ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(data.names[static_cast<size_t>(i)].c_str()));
        ::SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(item), 1);  // ticked
    }
    ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

void InsertColumns(HWND grid, const int* units, int count, int totalUnits)
{
    RECT window{};
    ::GetWindowRect(grid, &window);
    const int unit = (window.right - window.left - 4) / totalUnits;
    for (int i = 0; i < count; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.cx = units[i] * unit;
        column.pszText = const_cast<char*>("");
        column.iSubItem = i;
        ::SendMessageA(grid, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
}

void SetRowTexts(HWND grid, int row, const char* const* texts, int count)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<char*>(texts[0]);
    ::SendMessageA(grid, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    for (int cell = 1; cell < count; ++cell) {
        LVITEMA sub{};
        sub.iSubItem = cell;
        sub.pszText = const_cast<char*>(texts[cell]);
        ::SendMessageA(grid, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&sub));
    }
}

// The same cells as the library's grids: WHERE value, connector, field, operator (shown
// value last), ORDER BY check, field, direction.
void FillGrids(HWND where, HWND orderBy, const BenchData& data, bool templateLook)
{
    if (templateLook) {
        const DWORD look = LVS_EX_FULLROWSELECT | LVS_EX_TRACKSELECT;
        ::SendMessageA(where, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, look);
        ::SendMessageA(orderBy, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, look);
    }
    static const int kWhereUnits[] = {5, 3, 5, 3};
    static const int kOrderByUnits[] = {2, 7, 3};
    InsertColumns(where, kWhereUnits, 4, 16);
    InsertColumns(orderBy, kOrderByUnits, 3, 12);
    if (templateLook) {
        int order[] = {1, 2, 3, 0};
        ::SendMessageA(where, LVM_SETCOLUMNORDERARRAY, 4, reinterpret_cast<LPARAM>(order));
        for (HWND grid : {where, orderBy}) {
            HWND header = reinterpret_cast<HWND>(::SendMessageA(grid, LVM_GETHEADER, 0, 0));
            ::SetWindowLongA(header, GWL_STYLE, ::GetWindowLongA(header, GWL_STYLE) | HDS_HIDDEN);
        }
    }
    ::SendMessageA(where, WM_SETREDRAW, FALSE, 0);
    ::SendMessageA(where, LVM_SETITEMCOUNT, static_cast<WPARAM>(data.conditions), 0);
    for (int row = 0; row < data.conditions; ++row) {
        const std::string value = std::to_string(row);
        const std::string connector = BenchConnector(row);
        const char* texts[] = {value.c_str(), connector.c_str(), data.names[static_cast<size_t>(row)].c_str(), "="};
        SetRowTexts(where, row, texts, 4);
    }
    ::SendMessageA(where, WM_SETREDRAW, TRUE, 0);

    ::SendMessageA(orderBy, WM_SETREDRAW, FALSE, 0);
    ::SendMessageA(orderBy, LVM_SETITEMCOUNT, static_cast<WPARAM>(data.columns), 0);
    for (int row = 0; row < data.columns; ++row) {
        const char* texts[] = {"", data.names[static_cast<size_t>(row)].c_str(), "ASC"};
        SetRowTexts(orderBy, row, texts, 3);
    }
    ::SendMessageA(orderBy, WM_SETREDRAW, TRUE, 0);
}

int ItemHeight(HWND dialog)
{
    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(dialog, WM_GETFONT, 0, 0));
    HDC screen = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(screen, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(SYSTEM_FONT));
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(screen, &metrics);
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    return (metrics.tmHeight > 13 ? metrics.tmHeight : 13) + 2;
}

// Owner-drawn items as plain text on the window or highlight colour.
void DrawPlainItem(const DRAWITEMSTRUCT& item)
{
    if (item.itemID == static_cast<UINT>(-1)) return;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    char text[512] = "";
    const auto length = ::SendMessageA(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
    if (length >= 0 && length < static_cast<LRESULT>(sizeof text))
        ::SendMessageA(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text));
    RECT area = item.rcItem;
    area.left += 18;  // where the check box would be
    ::SetBkMode(item.hDC, TRANSPARENT);
    ::SetTextColor(item.hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    ::DrawTextA(item.hDC, text, -1, &area, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

INT_PTR CALLBACK FloorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(ItemHeight(dialog));
        return TRUE;
    case WM_DRAWITEM:
        DrawPlainItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_INITDIALOG: {
        const auto& context = *reinterpret_cast<const FloorContext*>(lParam);
        const BenchData& data = *context.data;
        FillColumnList(::GetDlgItem(dialog, context.columnsId), data);
        Send(dialog, context.tableId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(data.table.c_str()));
        Send(dialog, context.tableId, CB_SETCURSEL, 0);
        ::CheckDlgButton(dialog, IDC_WHERE_ENABLED, BST_CHECKED);
        ::CheckDlgButton(dialog, IDC_ORDERBY_ENABLED, BST_CHECKED);
        FillGrids(::GetDlgItem(dialog, context.whereId), ::GetDlgItem(dialog, context.orderById), data,
                  context.ownerDrawnList);
        if (context.previewText) ::SetDlgItemTextA(dialog, context.previewId, data.statement.c_str());
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            ::EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        ::EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

// An in-memory DLGTEMPLATE: header, then each item DWORD-aligned, strings as UTF-16.
class TemplateBuilder {
public:
    TemplateBuilder(DWORD style, short cx, short cy, const wchar_t* caption)
    {
        DLGTEMPLATE header{};
        header.style = style;
        header.cx = cx;
        header.cy = cy;
        Append(&header, sizeof header);
        Word(0);  // no menu
        Word(0);  // default class
        String(caption);
    }

    void Item(const wchar_t* windowClass, DWORD style, short x, short y, short cx, short cy, WORD id)
    {
        while (m_words.size() % 2) m_words.push_back(0);
        DLGITEMTEMPLATE item{};
        item.style = style | WS_CHILD | WS_VISIBLE;
        item.x = x;
        item.y = y;
        item.cx = cx;
        item.cy = cy;
        item.id = id;
        Append(&item, sizeof item);
        String(windowClass);
        Word(0);  // no title
        Word(0);  // no creation data
        auto* header = reinterpret_cast<DLGTEMPLATE*>(m_words.data());
        ++header->cdit;
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void Append(const void* bytes, size_t size)
    {
        const auto* words = static_cast<const WORD*>(bytes);
        m_words.insert(m_words.end(), words, words + size / sizeof(WORD));
    }
    void Word(WORD value) { m_words.push_back(value); }
    void String(const wchar_t* text)
    {
        for (; *text; ++text) m_words.push_back(static_cast<WORD>(*text));
        m_words.push_back(0);
    }

    std::vector<WORD> m_words;
};

}  // namespace

INT_PTR RunSameTemplateFloor(HMODULE dll, const BenchData& data, bool previewText)
{
    HRSRC found = ::FindResourceA(dll, MAKEINTRESOURCEA(IDD_SELECTSQL), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    HGLOBAL loaded = found ? ::LoadResource(dll, found) : nullptr;
    const auto* dialogTemplate = static_cast<LPCDLGTEMPLATEA>(loaded ? ::LockResource(loaded) : nullptr);
    if (!dialogTemplate) return -1;
    static const int kIcons[] = {IDI_ADD_WHERE, IDI_REMOVE_WHERE, IDI_MOVE_UP, IDI_MOVE_DOWN};
    HANDLE icons[4];
    for (int i = 0; i < 4; ++i) icons[i] = ::LoadImageA(dll, MAKEINTRESOURCEA(kIcons[i]), IMAGE_ICON, 0, 0, 0);
    FloorContext context{&data, previewText, true, IDC_COLUMNS, IDC_TABLE, IDC_WHERE_GRID, IDC_ORDERBY_GRID, IDC_PREVIEW};
    const INT_PTR result = ::DialogBoxIndirectParamA(::GetModuleHandleA(nullptr), dialogTemplate, nullptr, &FloorProc,
                                                     reinterpret_cast<LPARAM>(&context));
    for (HANDLE icon : icons)
        if (icon) ::DestroyIcon(static_cast<HICON>(icon));
    return result;
}

INT_PTR RunStockFloor(const BenchData& data)
{
    enum : WORD { kList = 101, kCombo = 102, kWhere = 103, kOrderBy = 104, kEdit = 105 };
    TemplateBuilder builder(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 400, 266, L"Stock controls");
    builder.Item(L"Edit", WS_BORDER, 7, 116, 108, 143, kEdit);
    builder.Item(L"ListBox", WS_BORDER | WS_VSCROLL, 176, 7, 82, 67, kList);
    builder.Item(L"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL, 310, 7, 83, 175, kCombo);
    builder.Item(L"Button", BS_AUTOCHECKBOX, 142, 97, 9, 9, IDC_WHERE_ENABLED);
    builder.Item(L"SysListView32", LVS_REPORT | WS_BORDER, 177, 81, 196, 86, kWhere);
    builder.Item(L"Button", BS_AUTOCHECKBOX, 143, 188, 9, 9, IDC_ORDERBY_ENABLED);
    builder.Item(L"SysListView32", LVS_REPORT | WS_BORDER, 177, 173, 147, 86, kOrderBy);
    builder.Item(L"Button", BS_DEFPUSHBUTTON, 333, 229, 60, 14, IDOK);
    builder.Item(L"Button", 0, 333, 245, 60, 14, IDCANCEL);
    FloorContext context{&data, true, false, kList, kCombo, kWhere, kOrderBy, kEdit};
    return ::DialogBoxIndirectParamA(::GetModuleHandleA(nullptr), builder.Get(), nullptr, &FloorProc,
                                     reinterpret_cast<LPARAM>(&context));
}
