// The six window messages the grid and its drop-down list exchange with their owners,
// registered by name with the system when the library is loaded.
#pragma once

#include <windows.h>

// Grid to its parent: wParam = row, lParam = cell.
extern UINT g_wmXListCtrlComboSelection;    // "WM_XLISTCTRL_COMBO_SELECTION"
extern UINT g_wmXListCtrlCheckboxClicked;   // "WM_XLISTCTRL_CHECKBOX_CLICKED"
// Drop-down list to its grid: wParam = 0, lParam = 0.
extern UINT g_wmXComboListVkReturn;         // "WM_XCOMBOLIST_VK_RETURN"
extern UINT g_wmXComboListVkEscape;         // "WM_XCOMBOLIST_VK_ESCAPE"
extern UINT g_wmXComboListKeyDown;          // "WM_XCOMBOLIST_KEYDOWN"
extern UINT g_wmXComboListLButtonUp;        // "WM_XCOMBOLIST_LBUTTONUP"

// Fills the six variables; the library's start-up calls it once, test programs that
// link the windows directly call it themselves. Calling it again changes nothing,
// since the system hands out the same number for the same name within a session.
void RegisterQuervixMessages();
