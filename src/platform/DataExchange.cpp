// DDX_ functions: control binding and text exchange between members and controls.
#include "platform/DataExchange.h"

#include "platform/Wnd.h"

namespace {

HWND ControlOf(CDataExchange* pDX, int id)
{
    HWND control = ::GetDlgItem(pDX->m_pDlgWnd->GetSafeHwnd(), id);
    if (!control) pDX->Fail();
    return control;
}

}  // namespace

void DDX_Control(CDataExchange* pDX, int id, CWnd& control)
{
    if (control.GetSafeHwnd()) return;
    HWND hwnd = ControlOf(pDX, id);
    if (hwnd && !control.SubclassWindow(hwnd)) pDX->Fail();
}

void DDX_Text(CDataExchange* pDX, int id, CString& value)
{
    CWindow control(ControlOf(pDX, id));
    if (!control.GetSafeHwnd()) return;
    if (pDX->m_bSaveAndValidate) {
        value = control.GetWindowText();
    } else {
        control.SetWindowText(value);
    }
}

void DDX_CBString(CDataExchange* pDX, int id, CString& value)
{
    CWindow combo(ControlOf(pDX, id));
    if (!combo.GetSafeHwnd()) return;
    if (pDX->m_bSaveAndValidate) {
        // A drop-down list answers WM_GETTEXT with its selected item's text.
        value = combo.GetWindowText();
        return;
    }
    if ((combo.GetStyle() & 0x3) == CBS_DROPDOWNLIST) {
        LRESULT index = combo.SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString()));
        combo.SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index == CB_ERR ? -1 : index), 0);
    } else {
        combo.SetWindowText(value);
    }
}
