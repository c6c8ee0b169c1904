// Finding windows and waiting for conditions without ever blocking a test for good.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace harness {

// Default patience for a window or a state change to appear under Wine on Xvfb.
constexpr DWORD kDefaultTimeoutMs = 5000;

// Dispatches the calling thread's messages for ms milliseconds, so windows that the
// test thread owns keep answering while it waits for another thread.
void PumpMessagesFor(DWORD ms);

// Polls condition (pumping messages in between) until it holds or timeoutMs passes.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kDefaultTimeoutMs, DWORD pollMs = 10);

// The caption as stored with the window, read without sending WM_GETTEXT, so a hung
// window cannot block the caller.
std::string CaptionOf(HWND window);

// Visible top-level windows of a thread (0: of every thread of this process).
std::vector<HWND> TopLevelWindows(DWORD threadId = 0);

// First visible top-level window of this process with exactly this caption, made by
// threadId (0: any thread); null if none.
HWND FindTopLevelWindow(const std::string& caption, DWORD threadId = 0);
// Returns once the window is there and settled (see SettleWindow), or null on timeout.
HWND WaitForWindow(const std::string& caption, DWORD threadId = 0, DWORD timeoutMs = kDefaultTimeoutMs);
bool WaitForWindowGone(HWND window, DWORD timeoutMs = kDefaultTimeoutMs);

// Gives a window that was just shown or activated time to take the X server's focus
// events, then makes sure its thread answers. Under Wine those events arrive a little
// later and re-read the keyboard (dropping a held Shift or Alt) and cancel a press in
// progress (WM_CANCELMODE), so input sent before them can get lost.
void SettleWindow(HWND window, DWORD ms = 150);

// A control by its id: a direct child first, then any descendant (controls inside
// group frames or child dialogs).
HWND FindControl(HWND parent, int controlId);

}  // namespace harness
