// MessageRecorder: the messages of chosen numbers that a window receives, in order, through
// a hook on the window's thread (a thread of this process). One recorder at a time.
#pragma once

#include <windows.h>

#include <tuple>
#include <vector>

namespace harness {

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
