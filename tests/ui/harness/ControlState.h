// Reading a control's state back the way a test checks what the user sees: through
// the control's own messages, each with a timeout so a hung UI thread fails the test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace harness {

// SendMessage that gives up after two seconds, reporting a test failure then.
LRESULT Query(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

std::string WindowText(HWND window);
bool IsEnabled(HWND window);
bool IsVisible(HWND window);
HWND FocusedWindow(HWND anyWindowOfThread);
// The window of that thread holding the mouse capture, or null.
HWND MouseCaptureOf(HWND anyWindowOfThread);

// BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
int ButtonCheck(HWND button);

int ListBoxCount(HWND listBox);
int ListBoxSelection(HWND listBox);  // LB_ERR (-1) when none
std::vector<std::string> ListBoxItems(HWND listBox);
std::string ListBoxItem(HWND listBox, int index);
LRESULT ListBoxItemData(HWND listBox, int index);
// Check states of a check list box that keeps each item's check in its item data
// (as the project's CCheckListBox does): 0 unchecked, 1 checked, 2 indeterminate.
std::vector<int> ListBoxChecks(HWND listBox);

// The current text of a combo box: the edit's text, or the selected item's text for
// a drop-down list.
std::string ComboText(HWND comboBox);
int ComboSelection(HWND comboBox);
std::vector<std::string> ComboItems(HWND comboBox);

int ListViewRowCount(HWND listView);
int ListViewColumnCount(HWND listView);
std::string ListViewCell(HWND listView, int row, int column);
int ListViewSelectedRow(HWND listView);  // -1 when none

}  // namespace harness
