// The harness tests' dialog: its lists filled, a stubborn or message-box variant on request.
#include "TestDialog.h"

#include <commctrl.h>

#include <initializer_list>

namespace testdialog {

namespace {
constexpr UINT kOpenMessageBox = WM_APP + 1;

void FillControls(HWND dialog)
{
    HWND list = ::GetDlgItem(dialog, IDC_TEST_LISTBOX);
    for (const char* item : {"alpha", "beta", "gamma", "delta"})
        ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));

    HWND view = ::GetDlgItem(dialog, IDC_TEST_LISTVIEW);
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
        if (LOWORD(wParam) == IDC_TEST_BUTTON && HIWORD(wParam) == BN_CLICKED) ++options->buttonPresses;
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
    return ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_HARNESS_TEST), nullptr, DialogProc,
                             reinterpret_cast<LPARAM>(&options));
}

}  // namespace testdialog
