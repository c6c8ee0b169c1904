// A plain Win32 dialog built in memory for proving the UI driver.
#include "TestDialog.h"

#include <commctrl.h>

#include <vector>

namespace testdialog {

namespace {
constexpr UINT kOpenMessageBox = WM_APP + 1;

// Builds a DLGTEMPLATE with its items: WORD-granular, each item DWORD-aligned.
class TemplateBuilder {
public:
    TemplateBuilder(const char* caption, short cx, short cy)
    {
        AddDword(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME | DS_SETFONT | DS_CENTER);
        AddDword(0);
        m_countAt = m_words.size();
        m_words.push_back(0);
        for (short v : {short(0), short(0), cx, cy}) m_words.push_back(static_cast<WORD>(v));
        m_words.push_back(0);  // no menu
        m_words.push_back(0);  // default class
        AddString(caption);
        m_words.push_back(8);
        AddString("MS Shell Dlg");
    }

    void AddItem(WORD predefinedClass, const char* className, const char* text, DWORD style, short x, short y,
                 short cx, short cy, WORD id)
    {
        if (m_words.size() % 2) m_words.push_back(0);
        AddDword(style | WS_CHILD | WS_VISIBLE);
        AddDword(0);
        for (short v : {x, y, cx, cy}) m_words.push_back(static_cast<WORD>(v));
        m_words.push_back(id);
        if (predefinedClass) {
            m_words.push_back(0xFFFF);
            m_words.push_back(predefinedClass);
        } else {
            AddString(className);
        }
        AddString(text);
        m_words.push_back(0);  // no creation data
        ++m_words[m_countAt];
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void AddDword(DWORD v)
    {
        m_words.push_back(LOWORD(v));
        m_words.push_back(HIWORD(v));
    }
    void AddString(const char* text)
    {
        for (; *text; ++text) m_words.push_back(static_cast<WORD>(static_cast<unsigned char>(*text)));
        m_words.push_back(0);
    }

    std::vector<WORD> m_words;
    size_t m_countAt = 0;
};

void FillControls(HWND dialog)
{
    HWND list = ::GetDlgItem(dialog, kListBoxId);
    for (const char* item : {"alpha", "beta", "gamma", "delta"})
        ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));

    HWND view = ::GetDlgItem(dialog, kListViewId);
    ::SendMessageA(view, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    const char* headers[] = {"Column", "Value"};
    for (int c = 0; c < 2; ++c) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 90;
        column.pszText = const_cast<char*>(headers[c]);
        ::SendMessageA(view, LVM_INSERTCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
    }
    const char* cells[][2] = {{"ID", "1"}, {"Name", "Ada"}, {"City", "Bern"}};
    for (int r = 0; r < 3; ++r) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = const_cast<char*>(cells[r][0]);
        ::SendMessageA(view, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = const_cast<char*>(cells[r][1]);
        ::SendMessageA(view, LVM_SETITEMTEXTA, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&item));
    }
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* options = reinterpret_cast<Options*>(::GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        FillControls(dialog);
        if (reinterpret_cast<Options*>(lParam)->messageBoxOnTop) ::PostMessageA(dialog, kOpenMessageBox, 0, 0);
        return TRUE;
    case kOpenMessageBox:
        ::MessageBoxA(dialog, "Something to say", "Harness Message", MB_OK);
        return TRUE;
    case WM_CLOSE:
        return options && options->stubborn;
    case WM_COMMAND:
        if (LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED) ++options->buttonPresses;
        if (LOWORD(wParam) == IDOK || (LOWORD(wParam) == IDCANCEL && !options->stubborn))
            ::EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}
}  // namespace

INT_PTR Run(Options& options)
{
    static const INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&init);
    TemplateBuilder dialog(options.caption, 260, 170);
    dialog.AddItem(0x0080, nullptr, "&Press", BS_PUSHBUTTON | WS_TABSTOP, 8, 8, 50, 14, kButtonId);
    dialog.AddItem(0x0080, nullptr, "&Remember", BS_AUTOCHECKBOX | WS_TABSTOP, 66, 8, 70, 14, kCheckBoxId);
    dialog.AddItem(0x0081, nullptr, "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 8, 28, 128, 14, kEditId);
    dialog.AddItem(0x0083, nullptr, "", LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_TABSTOP, 8, 48, 80, 60, kListBoxId);
    dialog.AddItem(0, WC_LISTVIEWA, "", LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | WS_BORDER | WS_TABSTOP, 96, 48,
                   156, 60, kListViewId);
    dialog.AddItem(0x0080, nullptr, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 146, 148, 50, 14, IDOK);
    dialog.AddItem(0x0080, nullptr, "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 202, 148, 50, 14, IDCANCEL);
    return ::DialogBoxIndirectParamA(::GetModuleHandleA(nullptr), dialog.Get(), nullptr, DialogProc,
                                     reinterpret_cast<LPARAM>(&options));
}

}  // namespace testdialog
