// A plain Win32 dialog built in memory for proving the UI driver: a push button, a
// check box, an edit, a list box and a report list view, run modally.
#pragma once

#include <windows.h>

#include <atomic>

namespace testdialog {

constexpr int kButtonId = 101;
constexpr int kCheckBoxId = 102;
constexpr int kEditId = 103;
constexpr int kListBoxId = 104;
constexpr int kListViewId = 105;
constexpr char kCaption[] = "Harness Test Dialog";

struct Options {
    const char* caption = kCaption;
    // Ignores IDCANCEL and WM_CLOSE, like a dialog that refuses to go away.
    bool stubborn = false;
    // Opens a message box on top of itself as soon as it is shown.
    bool messageBoxOnTop = false;
    std::atomic<int> buttonPresses{0};
};

// Runs the dialog modally on the calling thread; returns what EndDialog was given.
INT_PTR Run(Options& options);

}  // namespace testdialog
