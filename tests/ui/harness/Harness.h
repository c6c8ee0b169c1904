// The UI test driver: modal calls on a thread of their own, finding windows and waiting
// without ever blocking for good, real input through SendInput, state read back through the
// controls' own messages, screenshots, object counts and message logs.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>


namespace harness {

constexpr DWORD kDefaultTimeoutMs = 5000;  // patience for a window or a change under Wine

// Dispatches this thread's messages for ms, so its own windows keep answering.
void PumpMessagesFor(DWORD ms);
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kDefaultTimeoutMs, DWORD pollMs = 10);
// The caption as stored, read without a message, so a hung window cannot block the caller.
std::string CaptionOf(HWND window);
// Visible top-level windows of this process (of one thread unless threadId is 0).
std::vector<HWND> TopLevelWindows(DWORD threadId = 0);
HWND FindTopLevelWindow(const std::string& caption, DWORD threadId = 0);
// Returns once the window is there and settled, or null on timeout.
HWND WaitForWindow(const std::string& caption, DWORD threadId = 0, DWORD timeoutMs = kDefaultTimeoutMs);
bool WaitForWindowGone(HWND window, DWORD timeoutMs = kDefaultTimeoutMs);
// Under Wine the X server's focus events reach a window just shown a little later, re-read
// the keyboard and cancel a press in progress: input is sent only after them.
void SettleWindow(HWND window, DWORD ms = 150);

// SendMessage that gives up after two seconds and then fails the test.
LRESULT Query(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
std::string WindowText(HWND window);  // of a drop-down list combo: its selected item
HWND FocusedWindow(HWND anyWindowOfThread);
HWND MouseCaptureOf(HWND anyWindowOfThread);
int ListBoxSelection(HWND listBox);  // LB_ERR when none
std::vector<std::string> ListBoxItems(HWND listBox);
std::vector<std::string> ComboItems(HWND comboBox);
int ListViewRowCount(HWND listView);
std::string ListViewCell(HWND listView, int row, int column);
int ListViewSelectedRow(HWND listView);  // -1 when none

// Runs a blocking call (a modal dialog) on a UI thread of its own, which owns every window
// the call opens, and makes sure it ends even when nobody closes it.
class ModalCall {
public:
    explicit ModalCall(std::function<INT_PTR()> call);
    ~ModalCall();  // closes what is still open
    ModalCall(const ModalCall&) = delete;
    ModalCall& operator=(const ModalCall&) = delete;
    DWORD ThreadId() const noexcept { return m_threadId; }
    INT_PTR Result() const noexcept;
    // Success when the call returned in time; otherwise its windows are closed and the
    // failure names them.
    ::testing::AssertionResult Finish(DWORD timeoutMs);

private:
    struct State;
    bool IsRunning() const noexcept;
    std::string CloseWindows(DWORD timeoutMs);
    std::shared_ptr<State> m_state;
    HANDLE m_hThread = nullptr;
    DWORD m_threadId = 0;
};

enum Modifiers : unsigned { kNoModifier = 0, kShift = 1, kControl = 2, kAlt = 4 };
// Makes the window's top-level ancestor the foreground window.
bool BringToForeground(HWND window);
// Mouse input at a point in window's client coordinates, as a person gives it: presses held
// about 100 ms, clicks further apart than the double-click time (but DoubleClickAt's). ClickAt
// activates the window first; ClickInPlace does not (an open drop-down list would close).
bool MoveMouseTo(HWND window, POINT clientPoint);
bool ClickAt(HWND window, POINT clientPoint);
bool ClickInPlace(HWND window, POINT clientPoint);
bool DoubleClickAt(HWND window, POINT clientPoint);
POINT ClientCenter(HWND window);
bool ClickCenter(HWND window);
// A press held down that a test can look at midway, and its release wherever the pointer is.
bool PressLeftAt(HWND window, POINT clientPoint);
bool ReleaseLeft(HWND window);
// A list box item's vertical centre, x pixels from its left (negative: its centre);
// false when the item is out of view.
bool ListBoxItemPoint(HWND listBox, int index, int x, POINT& point);
// A report-view cell's centre, or x pixels right of its left edge, clicked once or twice.
bool ClickListViewCell(HWND listView, int row, int column, int x = -1, int clicks = 1);
inline bool DoubleClickListViewCell(HWND listView, int row, int column) { return ClickListViewCell(listView, row, column, -1, 2); }
// Keys into the foreground focus; text as the keyboard layout types it (false for a
// character no key types).
bool PressKey(WORD virtualKey, unsigned modifiers = kNoModifier);
bool TypeText(const std::string& text);
// Lets the window's thread take the input from its queue, which comes after sent messages.
void LetInputArrive(HWND window);

struct Image {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first
    bool IsEmpty() const noexcept { return pixels.empty(); }
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
};
inline uint32_t Rgb(COLORREF c) { return (uint32_t{GetRValue(c)} << 16) | (uint32_t{GetGValue(c)} << 8) | GetBValue(c); }
// What the screen shows in a rectangle, windows of every thread included.
Image CaptureScreenArea(const RECT& area);
// The window with its frame, brought to the top and repainted first.
Image CaptureWindow(HWND window);
// Saves a BMP file as QUERVIX_SCREENSHOT_DIR\name when set (scripts/test.sh collects them),
// else as artifacts\name.
bool SaveScreenshot(const Image& image, const std::string& name);

// Runs action warmUps times (first use fills the system's caches), then runs times, and
// fails when GDI or USER objects grew by runs / 2 or more: a leak grows with every run,
// a cache in one or two steps. Under Wine the objects are counted by walking the handles.
::testing::AssertionResult LeavesNoObjectsBehind(const std::function<void()>& action, int runs = 10, int warmUps = 2);

// The messages of chosen numbers that a window is sent, in order, through a hook on its
// thread (a thread of this process). One recorder at a time.
class MessageRecorder {
public:
    using Entry = std::tuple<UINT, WPARAM, LPARAM>;  // message, wParam, lParam
    MessageRecorder(HWND window, std::vector<UINT> messages);
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;
    std::vector<Entry> Messages() const;

private:
    HHOOK m_hook = nullptr;
};

}  // namespace harness
