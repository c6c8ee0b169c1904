// DialogAutoPilot.cpp: finds the query builder among the dialog thread's windows and drives it.
#include "DialogAutoPilot.h"

#include "WindowShot.h"

#include <cstdio>
#include <string>
#include <utility>

namespace {

const char kDialogTitle[] = "Halvane SQL Query Builder - SELECT SQL Query";
const DWORD kPollMs = 50;

std::string WindowText(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassName(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The top-level windows of one thread that pass a test; the first match wins.
struct WindowSearch {
    bool (*matches)(HWND candidate, HWND other);
    HWND other;
    HWND found;
};

BOOL CALLBACK CheckThreadWindow(HWND window, LPARAM searchAddress) {
    auto* search = reinterpret_cast<WindowSearch*>(searchAddress);
    if (!search->matches(window, search->other)) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindThreadWindow(DWORD threadId, bool (*matches)(HWND, HWND), HWND other = nullptr) {
    WindowSearch search = {matches, other, nullptr};
    EnumThreadWindows(threadId, CheckThreadWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsQueryBuilder(HWND window, HWND) {
    return IsWindowVisible(window) && WindowText(window) == kDialogTitle;
}

// A message box is a dialog-class window of the same thread other than the query builder.
bool IsOtherDialog(HWND window, HWND queryBuilder) {
    return window != queryBuilder && IsWindowVisible(window) && ClassName(window) == "#32770";
}

bool Passed(DWORD deadline) { return static_cast<LONG>(GetTickCount() - deadline) >= 0; }

// Returns once the dialog's thread has gone through its message queue, that is once the
// dialog has finished initialising; the pause after it lets the first painting settle.
void WaitUntilSettled(HWND dialog) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    Sleep(500);
    SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
}

}  // namespace

DialogAutoPilot::DialogAutoPilot(AutoPilotPlan plan)
    : plan_(std::move(plan)), callReturned_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

DialogAutoPilot::~DialogAutoPilot() {
    SetEvent(callReturned_);
    Join();
    CloseHandle(callReturned_);
}

void DialogAutoPilot::Start() {
    worker_ = CreateThread(nullptr, 0, &DialogAutoPilot::ThreadMain, this, 0, nullptr);
    if (!worker_) GiveUp("cannot start the auto-pilot thread");
}

DWORD WINAPI DialogAutoPilot::ThreadMain(void* self) {
    static_cast<DialogAutoPilot*>(self)->Run();
    return 0;
}

void DialogAutoPilot::Join() {
    if (!worker_) return;
    WaitForSingleObject(worker_, INFINITE);
    CloseHandle(worker_);
    worker_ = nullptr;
}

std::string DialogAutoPilot::Finish() {
    SetEvent(callReturned_);
    Join();
    if (!sawDialog_) return "the call returned without showing the dialog";
    return failure_;
}

void DialogAutoPilot::Run() {
    HWND dialog = WaitForDialog(GetTickCount() + plan_.timeoutMs);
    if (!dialog) {
        if (WaitForSingleObject(callReturned_, 0) == WAIT_OBJECT_0) return;
        GiveUp("the dialog did not appear within " + std::to_string(plan_.timeoutMs / 1000) + " s");
    }
    sawDialog_ = true;
    WaitUntilSettled(dialog);

    if (!plan_.screenshotPath.empty()) {
        const std::string problem = SaveWindowScreenshot(dialog, plan_.screenshotPath);
        if (problem.empty())
            std::printf("auto-ok: screenshot saved to %s\n", plan_.screenshotPath.c_str());
        else
            failure_ = "screenshot: " + problem;
    }

    // BM_CLICK presses the button as a mouse click would: the button sends BN_CLICKED to
    // the dialog, whose OK handler decides whether the dialog may close.
    std::printf("auto-ok: pressing OK\n");
    std::fflush(stdout);
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    if (WaitForClose(dialog, GetTickCount() + plan_.timeoutMs)) return;
    CloseRefusedDialog(dialog);
}

HWND DialogAutoPilot::WaitForDialog(DWORD deadline) const {
    while (!Passed(deadline)) {
        if (HWND dialog = FindThreadWindow(plan_.dialogThreadId, IsQueryBuilder)) return dialog;
        if (WaitForSingleObject(callReturned_, kPollMs) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
}

bool DialogAutoPilot::WaitForClose(HWND dialog, DWORD deadline) const {
    while (!Passed(deadline)) {
        if (!IsWindow(dialog)) return true;
        if (WaitForSingleObject(callReturned_, kPollMs) == WAIT_OBJECT_0) return true;
    }
    return !IsWindow(dialog);
}

// OK left the dialog open, normally behind a message box that explains why. Reports the
// box's text, closes the box and cancels the dialog, so the call still returns.
void DialogAutoPilot::CloseRefusedDialog(HWND dialog) {
    failure_ = "OK did not close the dialog";
    if (HWND box = FindThreadWindow(plan_.dialogThreadId, IsOtherDialog, dialog)) {
        char text[512] = "";
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // a message box's text is its static 0xFFFF
        failure_ += std::string("; the message box says \"") + (text[0] ? text : WindowText(box).c_str()) + "\"";
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        const DWORD boxDeadline = GetTickCount() + plan_.timeoutMs;
        while (IsWindow(box) && !Passed(boxDeadline)) Sleep(kPollMs);
    }
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    if (!WaitForClose(dialog, GetTickCount() + plan_.timeoutMs))
        GiveUp(failure_ + ", and Cancel did not close it either");
}

// The dialog's thread is stuck inside the export, so the process cannot end normally.
void DialogAutoPilot::GiveUp(const std::string& why) const {
    std::fflush(stdout);
    std::fprintf(stderr, "quervix-demo: auto-ok failed: %s\n", why.c_str());
    std::fflush(stderr);
    ExitProcess(4);
}
