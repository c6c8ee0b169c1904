// ModalCall: runs a blocking call on a UI thread of its own and ends it on timeout.
#include "ModalCall.h"

#include <atomic>

#include "WindowFind.h"

namespace harness {

struct ModalCall::State {
    std::function<INT_PTR()> call;
    std::atomic<INT_PTR> result{0};
};

DWORD WINAPI ModalCall::ThreadMain(LPVOID param)
{
    // The thread holds its own reference: a hung call that outlives its ModalCall
    // still finds valid state.
    auto* handedOver = static_cast<std::shared_ptr<State>*>(param);
    std::shared_ptr<State> state = *handedOver;
    delete handedOver;
    state->result = state->call();
    return 0;
}

ModalCall::ModalCall(std::function<INT_PTR()> call) : m_state(std::make_shared<State>())
{
    m_state->call = std::move(call);
    auto* handedOver = new std::shared_ptr<State>(m_state);
    m_hThread = ::CreateThread(nullptr, 0, ThreadMain, handedOver, 0, &m_threadId);
    if (!m_hThread) {
        delete handedOver;
        ADD_FAILURE() << "could not start the UI thread (error " << ::GetLastError() << ")";
    }
}

ModalCall::~ModalCall()
{
    if (!m_hThread) return;
    if (IsRunning()) {
        CloseWindows(3000);
        WaitForReturn(2000);
    }
    ::CloseHandle(m_hThread);
}

bool ModalCall::IsRunning() const noexcept
{
    return m_hThread && ::WaitForSingleObject(m_hThread, 0) == WAIT_TIMEOUT;
}

bool ModalCall::WaitForReturn(DWORD timeoutMs)
{
    if (!m_hThread) return true;
    const DWORD start = ::GetTickCount();
    for (;;) {
        const DWORD elapsed = ::GetTickCount() - start;
        const DWORD left = elapsed >= timeoutMs ? 0 : timeoutMs - elapsed;
        const DWORD woke = ::MsgWaitForMultipleObjects(1, &m_hThread, FALSE, left, QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0) return true;
        if (woke != WAIT_OBJECT_0 + 1) return !IsRunning();
        PumpMessagesFor(0);
    }
}

INT_PTR ModalCall::Result() const noexcept { return m_state->result; }

::testing::AssertionResult ModalCall::Finish(DWORD timeoutMs)
{
    if (WaitForReturn(timeoutMs)) return ::testing::AssertionSuccess();
    const std::string open = CloseWindows(3000);
    const bool ended = WaitForReturn(2000);
    return ::testing::AssertionFailure() << "the modal call did not return within " << timeoutMs
                                         << " ms; closed: " << (open.empty() ? "(no window)" : open)
                                         << (ended ? "" : "; the thread still did not end");
}

namespace {
// Each round asks every enabled window once; disabled ones are owners of a modal
// window above them and close after it.
void AskWindowsToClose(DWORD threadId, std::string& seen)
{
    for (HWND window : TopLevelWindows(threadId)) {
        if (!::IsWindowEnabled(window)) continue;
        const std::string caption = "\"" + CaptionOf(window) + "\"";
        if (seen.find(caption) == std::string::npos) seen += (seen.empty() ? "" : ", ") + caption;
        ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        ::PostMessageA(window, WM_CLOSE, 0, 0);
    }
}
}  // namespace

std::string ModalCall::CloseWindows(DWORD timeoutMs)
{
    std::string seen;
    if (!IsRunning()) return seen;
    const DWORD start = ::GetTickCount();
    // Polite rounds for the first half, then WM_QUIT, which every modal loop honours.
    while (IsRunning() && ::GetTickCount() - start < timeoutMs / 2) {
        AskWindowsToClose(m_threadId, seen);
        if (WaitForReturn(150)) return seen;
    }
    if (IsRunning()) {
        AskWindowsToClose(m_threadId, seen);
        ::PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
        WaitForReturn(timeoutMs / 2);
    }
    return seen;
}

}  // namespace harness
