// A plain Win32 dialog (TestDialog.rc) for proving the UI driver: a push button, a check
// box, an edit, a list box and a report list view, run modally.
#pragma once

#define IDD_HARNESS_TEST 200
#define IDC_TEST_BUTTON 101
#define IDC_TEST_CHECKBOX 102
#define IDC_TEST_EDIT 103
#define IDC_TEST_LISTBOX 104
#define IDC_TEST_LISTVIEW 105

#ifndef RC_INVOKED
#include <windows.h>

#include <atomic>

namespace testdialog {

constexpr char kCaption[] = "Harness Test Dialog";

struct Options {
    // Ignores IDCANCEL and WM_CLOSE, like a dialog that refuses to go away.
    bool stubborn = false;
    // Opens a message box on top of itself as soon as it is shown.
    bool messageBoxOnTop = false;
    std::atomic<int> buttonPresses{0};
};

// Runs the dialog modally on the calling thread; returns what EndDialog was given.
INT_PTR Run(Options& options);

}  // namespace testdialog
#endif
