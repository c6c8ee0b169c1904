// MessageRecorder: a logging subclass of a window and the sequence comparison.
#include "MessageRecorder.h"

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>

#include "Mutex.h"
#include "WindowFind.h"

namespace harness {

struct MessageRecorder::Log {
    std::vector<UINT> wanted;
    WNDPROC original = nullptr;
    std::atomic<bool> attached{false};
    mutable Mutex lock;
    std::vector<RecordedMessage> messages;
};

namespace {
const char kLogProperty[] = "QuervixHarness.MessageLog";

UINT DetachMessage()
{
    static const UINT message = ::RegisterWindowMessageA("QuervixHarness.DetachRecorder");
    return message;
}

// Only called on the window's thread, so nothing else runs the procedure meanwhile.
void Detach(HWND window, MessageRecorder::Log& log)
{
    if (!log.attached.exchange(false)) return;
    ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(log.original));
    ::RemovePropA(window, kLogProperty);
}

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* log = static_cast<MessageRecorder::Log*>(::GetPropA(window, kLogProperty));
    if (!log) return ::DefWindowProcA(window, message, wParam, lParam);
    const WNDPROC original = log->original;
    if (message == DetachMessage()) {
        Detach(window, *log);
        return 1;
    }
    if (message == WM_NCDESTROY) {
        Detach(window, *log);
    } else if (std::find(log->wanted.begin(), log->wanted.end(), message) != log->wanted.end()) {
        RecordedMessage entry{message, wParam, lParam, 0, 0};
        if (message == WM_NOTIFY && lParam) {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            entry.notifyCode = header->code;
            entry.notifyFrom = header->idFrom;
        }
        if (!(message == WM_NOTIFY && entry.notifyCode == static_cast<UINT>(NM_CUSTOMDRAW))) {
            std::lock_guard<harness::Mutex> hold(log->lock);
            log->messages.push_back(entry);
        }
    }
    // Logged before the window sees the message (as Wine's tests do), and the log is
    // not touched after this call: a nested modal loop inside it may detach us.
    return ::CallWindowProcA(original, window, message, wParam, lParam);
}

std::string Hex(unsigned long long value)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx", value);
    return text;
}

std::string Describe(const ExpectedMessage& e)
{
    RecordedMessage as{e.message, e.wParam, e.lParam, e.notifyCode, 0};
    std::string text = Describe(as);
    if (e.flags & kOptional) text += " (optional)";
    return text;
}

bool Same(const RecordedMessage& got, const ExpectedMessage& want)
{
    if (got.message != want.message) return false;
    if ((want.flags & kWParam) && got.wParam != want.wParam) return false;
    if ((want.flags & kLParam) && got.lParam != want.lParam) return false;
    if ((want.flags & kNotifyCode) && got.notifyCode != want.notifyCode) return false;
    return true;
}
}  // namespace

std::string Describe(const RecordedMessage& m)
{
    if (m.message == WM_COMMAND)
        return "WM_COMMAND id " + std::to_string(LOWORD(m.wParam)) + " code " + std::to_string(HIWORD(m.wParam));
    if (m.message == WM_NOTIFY)
        return "WM_NOTIFY id " + std::to_string(m.wParam) + " code " + std::to_string(static_cast<int>(m.notifyCode));
    return Hex(m.message) + " wParam " + Hex(m.wParam) + " lParam " + Hex(static_cast<unsigned long long>(m.lParam));
}

ExpectedMessage Command(int controlId, UINT notification, unsigned extraFlags)
{
    return ExpectedMessage{WM_COMMAND, kWParam | extraFlags,
                           MAKEWPARAM(static_cast<WORD>(controlId), static_cast<WORD>(notification)), 0, 0};
}

ExpectedMessage Notify(int controlId, UINT code, unsigned extraFlags)
{
    return ExpectedMessage{WM_NOTIFY, kWParam | kNotifyCode | extraFlags, static_cast<WPARAM>(controlId), 0, code};
}

::testing::AssertionResult MatchesSequence(const std::vector<RecordedMessage>& recorded,
                                           const std::vector<ExpectedMessage>& expected)
{
    size_t got = 0, want = 0;
    std::string problem;
    while (want < expected.size() && problem.empty()) {
        if (got < recorded.size() && Same(recorded[got], expected[want])) {
            ++got;
            ++want;
        } else if (expected[want].flags & kOptional) {
            ++want;
        } else if (got < recorded.size()) {
            problem = "at " + std::to_string(got) + ": expected " + Describe(expected[want]) + ", got " +
                      Describe(recorded[got]);
        } else {
            problem = "missing " + Describe(expected[want]);
        }
    }
    if (problem.empty() && got < recorded.size()) problem = "unexpected " + Describe(recorded[got]);
    if (problem.empty()) return ::testing::AssertionSuccess();

    auto failure = ::testing::AssertionFailure() << problem << "\n  expected:";
    for (const auto& e : expected) failure << "\n    " << Describe(e);
    failure << "\n  recorded:";
    for (const auto& r : recorded) failure << "\n    " << Describe(r);
    return failure;
}

MessageRecorder::MessageRecorder(HWND window, std::vector<UINT> messages)
    : m_hWnd(window), m_log(std::make_shared<Log>())
{
    m_log->wanted = std::move(messages);
    if (!::IsWindow(window)) {
        ADD_FAILURE() << "MessageRecorder: no such window " << window;
        return;
    }
    // The property and the original procedure are in place before the procedure is
    // swapped, since the window's thread may deliver a message at any moment.
    m_log->original = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(window, GWLP_WNDPROC));
    ::SetPropA(window, kLogProperty, m_log.get());
    m_log->attached = true;
    ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc));
}

MessageRecorder::~MessageRecorder()
{
    if (m_log->attached && ::IsWindow(m_hWnd)) {
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutA(m_hWnd, DetachMessage(), 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    }
    // A thread that never answered may still call into the log: leave it to the process.
    if (m_log->attached) new std::shared_ptr<Log>(m_log);
}

bool MessageRecorder::IsAttached() const { return m_log->attached; }

std::vector<RecordedMessage> MessageRecorder::Messages() const
{
    std::lock_guard<harness::Mutex> hold(m_log->lock);
    return m_log->messages;
}

bool MessageRecorder::WaitForCount(size_t count, DWORD timeoutMs) const
{
    return WaitUntil([&] { return Messages().size() >= count; }, timeoutMs);
}

}  // namespace harness
