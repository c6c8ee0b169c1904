// Process-wide numbers of the registered messages, kept for the library's life.
#include "grid/RegisteredMessages.h"

UINT g_wmXListCtrlComboSelection = 0;
UINT g_wmXListCtrlCheckboxClicked = 0;
UINT g_wmXComboListVkReturn = 0;
UINT g_wmXComboListVkEscape = 0;
UINT g_wmXComboListKeyDown = 0;
UINT g_wmXComboListLButtonUp = 0;

void RegisterQuervixMessages()
{
    g_wmXListCtrlComboSelection = ::RegisterWindowMessageA("WM_XLISTCTRL_COMBO_SELECTION");
    g_wmXListCtrlCheckboxClicked = ::RegisterWindowMessageA("WM_XLISTCTRL_CHECKBOX_CLICKED");
    g_wmXComboListVkReturn = ::RegisterWindowMessageA("WM_XCOMBOLIST_VK_RETURN");
    g_wmXComboListVkEscape = ::RegisterWindowMessageA("WM_XCOMBOLIST_VK_ESCAPE");
    g_wmXComboListKeyDown = ::RegisterWindowMessageA("WM_XCOMBOLIST_KEYDOWN");
    g_wmXComboListLButtonUp = ::RegisterWindowMessageA("WM_XCOMBOLIST_LBUTTONUP");
}
