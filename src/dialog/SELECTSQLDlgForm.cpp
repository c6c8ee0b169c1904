// CSELECTSQLDlg: the form operations of the SQL text engine on the real controls.
#include "dialog/SELECTSQLDlg.h"

#include <string>
#include <vector>

#include "resources/resource.h"

namespace {

// A vector rather than std::wstring: the wide string class would add tens of kilobytes to the DLL.
std::vector<wchar_t> Wide(const char* text)
{
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::vector<wchar_t> wide(static_cast<size_t>(length > 0 ? length : 1), L'\0');
    if (length > 0) ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    return wide;
}

// The key by which the user's locale orders and compares a text, ignoring case.
std::string NoCaseSortKey(const char* text)
{
    const std::vector<wchar_t> wide = Wide(text);
    const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const int size = ::LCMapStringW(LOCALE_USER_DEFAULT, flags, wide.data(), -1, nullptr, 0);
    std::string key(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) ::LCMapStringW(LOCALE_USER_DEFAULT, flags, wide.data(), -1, reinterpret_cast<LPWSTR>(&key[0]), size);
    return key;
}

bool NoCaseEqual(const char* a, const char* b)
{
    return ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, Wide(a).data(), -1, Wide(b).data(), -1) == CSTR_EQUAL;
}

}  // namespace

void CSELECTSQLDlg::ResetColumnList()
{
    m_lstColumns.ResetContent();
    m_columnKeys.clear();
}

int CSELECTSQLDlg::AddColumnItem(const char* text)
{
    m_columnKeys.clear();
    return m_lstColumns.AddString(text);
}

int CSELECTSQLDlg::GetColumnItemCount() const
{
    return m_lstColumns.GetCount();
}

CString CSELECTSQLDlg::GetColumnItemText(int item) const
{
    return m_lstColumns.GetText(item);
}

int CSELECTSQLDlg::GetColumnCheck(int item) const
{
    const int check = m_lstColumns.GetCheck(item);
    return check == LB_ERR ? 0 : check;
}

void CSELECTSQLDlg::SetColumnCheck(int item, int check)
{
    m_lstColumns.SetCheck(item, check);
}

// The list box compares whole texts as the user's locale does, ignoring case, one item
// after another: a statement naming every column of a wide table would cost the square of
// the column count. Texts that compare equal have equal sort keys, so one table of the
// items' keys answers each search at once with the first equal item; the control itself
// answers for an empty text.
int CSELECTSQLDlg::FindColumnExact(const char* text) const
{
    if (text && *text) {
        if (m_columnKeys.empty()) {
            const int count = m_lstColumns.GetCount();
            for (int item = count - 1; item >= 0; --item) m_columnKeys[NoCaseSortKey(m_lstColumns.GetText(item))] = item;
        }
        auto found = m_columnKeys.find(NoCaseSortKey(text));
        if (found == m_columnKeys.end()) return -1;
        if (NoCaseEqual(m_lstColumns.GetText(found->second), text)) return found->second;
    }
    const int found = m_lstColumns.FindStringExact(-1, text);
    return found == LB_ERR ? -1 : found;
}

void CSELECTSQLDlg::ResetTableCombo()
{
    m_cboTable.ResetContent();
}

int CSELECTSQLDlg::AddTableItem(const char* text)
{
    return m_cboTable.AddString(text);
}

void CSELECTSQLDlg::SelectFirstTable()
{
    m_cboTable.SetCurSel(0);
}

CString CSELECTSQLDlg::GetTableText() const
{
    const int selected = m_cboTable.GetCurSel();
    return selected == CB_ERR ? CString() : m_cboTable.GetLBText(selected);
}

BOOL CSELECTSQLDlg::IsWhereEnabled() const
{
    return IsDlgButtonChecked(IDC_WHERE_ENABLED) == BST_CHECKED ? TRUE : FALSE;
}

BOOL CSELECTSQLDlg::IsOrderByEnabled() const
{
    return IsDlgButtonChecked(IDC_ORDERBY_ENABLED) == BST_CHECKED ? TRUE : FALSE;
}

void CSELECTSQLDlg::SetPreviewText(const char* text)
{
    SetDlgItemText(IDC_PREVIEW, text);
}
