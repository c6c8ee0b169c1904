// ModalCall: runs a blocking call (a modal dialog) on a UI thread of its own, so the
// test thread stays free to drive it, and makes sure it ends even when nobody closes it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace harness {

class ModalCall {
public:
    // Starts call at once on a new thread; that thread owns every window the call opens.
    explicit ModalCall(std::function<INT_PTR()> call);
    // A call still running is closed (see CloseWindows) and given a few seconds to end.
    ~ModalCall();
    ModalCall(const ModalCall&) = delete;
    ModalCall& operator=(const ModalCall&) = delete;

    DWORD ThreadId() const noexcept { return m_threadId; }
    bool IsRunning() const noexcept;
    // Waits up to timeoutMs for the call to return, pumping the test thread's messages.
    bool WaitForReturn(DWORD timeoutMs);
    // The call's return value; meaningful once IsRunning() is false.
    INT_PTR Result() const noexcept;

    // The assertion a test ends with: success when the call returned within timeoutMs;
    // otherwise its windows are closed, and the failure names what was still open.
    ::testing::AssertionResult Finish(DWORD timeoutMs);

    // Closes what the call left open, topmost first: WM_CLOSE and IDCANCEL to each
    // enabled window, then WM_QUIT to the thread, whose modal loops end on it and post
    // it again for the loops outside them. Returns the captions it found open.
    std::string CloseWindows(DWORD timeoutMs);

private:
    struct State;
    static DWORD WINAPI ThreadMain(LPVOID param);

    std::shared_ptr<State> m_state;
    HANDLE m_hThread = nullptr;
    DWORD m_threadId = 0;
};

}  // namespace harness
