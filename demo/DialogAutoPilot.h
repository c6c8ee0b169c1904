// DialogAutoPilot.h: a second thread that waits for the query builder, photographs it and
// presses OK, so an unattended run of the demo ends by itself instead of waiting for a user.
#pragma once
#include <windows.h>

#include <string>

struct AutoPilotPlan {
    DWORD dialogThreadId = 0;    // the thread whose modal loop runs the dialog
    std::string screenshotPath;  // empty: no screenshot
    DWORD timeoutMs = 30000;     // for the dialog to appear, and again for it to close
};

class DialogAutoPilot {
public:
    explicit DialogAutoPilot(AutoPilotPlan plan);
    ~DialogAutoPilot();
    DialogAutoPilot(const DialogAutoPilot&) = delete;
    DialogAutoPilot& operator=(const DialogAutoPilot&) = delete;

    void Start();
    // Called on the dialog's thread once the export has returned. Returns what went wrong
    // (the dialog never appeared, OK was refused, no screenshot), or an empty string.
    std::string Finish();

private:
    static DWORD WINAPI ThreadMain(void* self);
    void Run();
    void Join();
    HWND WaitForDialog(DWORD deadline) const;
    bool WaitForClose(HWND dialog, DWORD deadline) const;
    void CloseRefusedDialog(HWND dialog);
    [[noreturn]] void GiveUp(const std::string& why) const;

    AutoPilotPlan plan_;
    HANDLE callReturned_;
    HANDLE worker_ = nullptr;  // a plain Win32 thread: the win32 thread model has no std::thread
    bool sawDialog_ = false;   // written by the worker, read after the join
    std::string failure_;      // likewise
};
