// MessageRecorder: a call-window-procedure hook that logs what the recorded window is sent.
#include "MessageRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>

#include "Mutex.h"

namespace harness {

namespace {
// The hook procedure has no context of its own.
struct Log {
    Mutex lock;
    HWND window = nullptr;
    std::vector<UINT> wanted;
    std::vector<MessageRecorder::Entry> entries;
} g_log;

LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->hwnd == g_log.window &&
        std::find(g_log.wanted.begin(), g_log.wanted.end(), sent->message) != g_log.wanted.end()) {
        std::lock_guard<Mutex> hold(g_log.lock);
        g_log.entries.emplace_back(sent->message, sent->wParam, sent->lParam);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
}  // namespace

MessageRecorder::MessageRecorder(HWND window, std::vector<UINT> messages)
{
    std::lock_guard<Mutex> hold(g_log.lock);
    g_log.entries.clear();
    g_log.window = window;
    g_log.wanted = std::move(messages);
    m_hook = ::SetWindowsHookExA(WH_CALLWNDPROC, Record, nullptr, ::GetWindowThreadProcessId(window, nullptr));
    if (!m_hook) ADD_FAILURE() << "MessageRecorder: no hook on window " << window;
}

MessageRecorder::~MessageRecorder()
{
    if (m_hook) ::UnhookWindowsHookEx(m_hook);
    std::lock_guard<Mutex> hold(g_log.lock);
    g_log.window = nullptr;
}

std::vector<MessageRecorder::Entry> MessageRecorder::Messages() const
{
    std::lock_guard<Mutex> hold(g_log.lock);
    return g_log.entries;
}

}  // namespace harness
