// MessageRecorder: logs the notifications a window receives (by subclassing it) and
// compares them with an expected sequence that may mark entries optional.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace harness {

struct RecordedMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    // For WM_NOTIFY, copied from the NMHDR while it still existed.
    UINT notifyCode = 0;
    UINT_PTR notifyFrom = 0;
};

// Which parts of an expected entry must match; the message itself always must.
enum MatchFlags : unsigned {
    kMessageOnly = 0,
    kWParam = 1,
    kLParam = 2,
    kNotifyCode = 4,  // WM_NOTIFY: the NMHDR code (and wParam, the control id, if kWParam)
    kOptional = 8,    // may be missing; matched if present
};

struct ExpectedMessage {
    UINT message = 0;
    unsigned flags = kMessageOnly;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    UINT notifyCode = 0;
};

// Convenience builders for the common entries.
ExpectedMessage Command(int controlId, UINT notification, unsigned extraFlags = 0);
ExpectedMessage Notify(int controlId, UINT code, unsigned extraFlags = 0);

// Wine's ok_sequence: expected entries are walked in order; an optional entry that
// does not match is skipped; anything else that differs, and anything recorded after
// the last expected entry, is a failure that lists both sequences.
::testing::AssertionResult MatchesSequence(const std::vector<RecordedMessage>& recorded,
                                           const std::vector<ExpectedMessage>& expected);
std::string Describe(const RecordedMessage& message);

class MessageRecorder {
public:
    // Starts logging the given messages of window (which may belong to another thread
    // of this process). NM_CUSTOMDRAW is never logged: painting is not a notification
    // a test can predict.
    explicit MessageRecorder(HWND window, std::vector<UINT> messages = {WM_COMMAND, WM_NOTIFY});
    // Removes the subclass on the window's own thread, so no call is left inside it.
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    bool IsAttached() const;
    std::vector<RecordedMessage> Messages() const;
    // Waits until at least count messages are logged.
    bool WaitForCount(size_t count, DWORD timeoutMs = 5000) const;
    ::testing::AssertionResult Matches(const std::vector<ExpectedMessage>& expected) const
    {
        return MatchesSequence(Messages(), expected);
    }

    struct Log;  // shared with the window procedure

private:
    HWND m_hWnd;
    std::shared_ptr<Log> m_log;
};

}  // namespace harness
