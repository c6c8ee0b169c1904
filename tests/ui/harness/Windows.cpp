// Finding windows, waiting, reading controls back, modal calls and the message log.
#include <commctrl.h>

#include <algorithm>
#include <atomic>

#include "Harness.h"

namespace harness {

void PumpMessagesFor(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop's to see
                return;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= ms) return;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
    }
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs)
{
    for (const DWORD start = ::GetTickCount();; PumpMessagesFor(pollMs)) {
        if (condition()) return true;
        if (::GetTickCount() - start >= timeoutMs) return condition();
    }
}

std::string CaptionOf(HWND window)
{
    wchar_t wide[512] = {};
    const int length = ::InternalGetWindowText(window, wide, 512);
    std::string text(static_cast<size_t>(length) * 2, '\0');
    text.resize(static_cast<size_t>(std::max(0, ::WideCharToMultiByte(CP_ACP, 0, wide, length, &text[0],
                                                                       static_cast<int>(text.size()), nullptr, nullptr))));
    return text;
}

std::vector<HWND> TopLevelWindows(DWORD threadId)
{
    std::pair<DWORD, std::vector<HWND>> search{threadId, {}};
    ::EnumWindows([](HWND window, LPARAM param) -> BOOL {
        auto& [thread, found] = *reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(param);
        DWORD process = 0;
        const DWORD owner = ::GetWindowThreadProcessId(window, &process);
        if (process == ::GetCurrentProcessId() && ::IsWindowVisible(window) && (!thread || thread == owner))
            found.push_back(window);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

HWND FindTopLevelWindow(const std::string& caption, DWORD threadId)
{
    for (HWND window : TopLevelWindows(threadId))
        if (CaptionOf(window) == caption) return window;
    return nullptr;
}

HWND WaitForWindow(const std::string& caption, DWORD threadId, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopLevelWindow(caption, threadId)) != nullptr; }, timeoutMs);
    if (found) SettleWindow(found);
    return found;
}

void SettleWindow(HWND window, DWORD ms)
{
    PumpMessagesFor(ms);
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs)
{
    return WaitUntil([&] { return !::IsWindow(window); }, timeoutMs);
}

LRESULT Query(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result))
        ADD_FAILURE() << "window " << window << " did not answer message 0x" << std::hex << message;
    return static_cast<LRESULT>(result);
}

namespace {
// A string whose length a first message reports, read by a second one.
std::string ReadString(HWND window, UINT lengthMessage, UINT textMessage, WPARAM index)
{
    const LRESULT length = Query(window, lengthMessage, index);
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = Query(window, textMessage, textMessage == WM_GETTEXT ? text.size() : index,
                                 reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied > 0 && copied <= length ? static_cast<size_t>(copied) : 0);
    return text;
}

GUITHREADINFO ThreadInfo(HWND anyWindowOfThread)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(anyWindowOfThread, nullptr), &info)) info = GUITHREADINFO{};
    return info;
}

std::vector<std::string> Items(HWND box, UINT countMessage, UINT lengthMessage, UINT textMessage)
{
    std::vector<std::string> items;
    for (WPARAM i = 0, n = static_cast<WPARAM>(Query(box, countMessage)); i < n; ++i)
        items.push_back(ReadString(box, lengthMessage, textMessage, i));
    return items;
}
}  // namespace

std::string WindowText(HWND window) { return ReadString(window, WM_GETTEXTLENGTH, WM_GETTEXT, 0); }
HWND FocusedWindow(HWND anyWindowOfThread) { return ThreadInfo(anyWindowOfThread).hwndFocus; }
HWND MouseCaptureOf(HWND anyWindowOfThread) { return ThreadInfo(anyWindowOfThread).hwndCapture; }
int ListBoxSelection(HWND listBox) { return static_cast<int>(Query(listBox, LB_GETCURSEL)); }

std::vector<std::string> ListBoxItems(HWND listBox) { return Items(listBox, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT); }
std::vector<std::string> ComboItems(HWND comboBox) { return Items(comboBox, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT); }

int ListViewRowCount(HWND listView) { return static_cast<int>(Query(listView, LVM_GETITEMCOUNT)); }

// LVM_GETITEMTEXT answers the characters copied: a buffer that comes back full may have cut
// the text, so it grows and asks again.
std::string ListViewCell(HWND listView, int row, int column)
{
    for (int capacity = 256; capacity <= 1 << 22; capacity *= 4) {
        std::string text(static_cast<size_t>(capacity), '\0');
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = &text[0];
        item.cchTextMax = capacity;
        const LRESULT copied = Query(listView, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        if (copied < capacity - 1) return text.substr(0, static_cast<size_t>(std::max<LRESULT>(copied, 0)));
    }
    return std::string();
}

int ListViewSelectedRow(HWND listView)
{
    return static_cast<int>(Query(listView, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

struct ModalCall::State {
    std::function<INT_PTR()> call;
    std::atomic<INT_PTR> result{0};
};

ModalCall::ModalCall(std::function<INT_PTR()> call) : m_state(std::make_shared<State>())
{
    m_state->call = std::move(call);
    // The thread holds a reference of its own: a hung call may outlive this object.
    auto* handedOver = new std::shared_ptr<State>(m_state);
    m_hThread = ::CreateThread(nullptr, 0, [](LPVOID param) -> DWORD {
        const std::shared_ptr<State> state = *static_cast<std::shared_ptr<State>*>(param);
        delete static_cast<std::shared_ptr<State>*>(param);
        state->result = state->call();
        return 0;
    }, handedOver, 0, &m_threadId);
    if (!m_hThread) {
        delete handedOver;
        ADD_FAILURE() << "could not start the UI thread (error " << ::GetLastError() << ")";
    }
}

ModalCall::~ModalCall()
{
    if (!m_hThread) return;
    if (IsRunning()) CloseWindows(3000);
    ::CloseHandle(m_hThread);
}

bool ModalCall::IsRunning() const noexcept { return m_hThread && ::WaitForSingleObject(m_hThread, 0) == WAIT_TIMEOUT; }

INT_PTR ModalCall::Result() const noexcept { return m_state->result; }

::testing::AssertionResult ModalCall::Finish(DWORD timeoutMs)
{
    if (WaitUntil([this] { return !IsRunning(); }, timeoutMs)) return ::testing::AssertionSuccess();
    const std::string open = CloseWindows(3000);
    return ::testing::AssertionFailure() << "the modal call did not return within " << timeoutMs << " ms; closed: "
                                         << open << (IsRunning() ? "; the thread still did not end" : "");
}

// Polite rounds first (Cancel and WM_CLOSE to every enabled window: disabled ones own a modal
// window above them and close after it), then WM_QUIT, which every modal loop honours.
std::string ModalCall::CloseWindows(DWORD timeoutMs)
{
    std::string seen;
    for (int round = 0; IsRunning() && round < 10; ++round) {
        for (HWND window : TopLevelWindows(m_threadId)) {
            if (!::IsWindowEnabled(window)) continue;
            if (seen.find('"' + CaptionOf(window) + '"') == std::string::npos) seen += " \"" + CaptionOf(window) + '"';
            ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            ::PostMessageA(window, WM_CLOSE, 0, 0);
        }
        if (round >= 5) ::PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
        WaitUntil([this] { return !IsRunning(); }, timeoutMs / 10);
    }
    return seen.empty() ? "(no window)" : seen;
}

namespace {
// The hook procedure has no context of its own.
struct Log {
    Log() { ::InitializeCriticalSection(&lock); }
    CRITICAL_SECTION lock;
    HWND window = nullptr;
    std::vector<UINT> wanted;
    std::vector<MessageRecorder::Entry> entries;
} g_log;

// The win32 thread model of the cross compilers has no std::mutex.
struct Hold {
    Hold() { ::EnterCriticalSection(&g_log.lock); }
    ~Hold() { ::LeaveCriticalSection(&g_log.lock); }
};

LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->hwnd == g_log.window &&
        std::find(g_log.wanted.begin(), g_log.wanted.end(), sent->message) != g_log.wanted.end()) {
        Hold hold;
        g_log.entries.emplace_back(sent->message, sent->wParam, sent->lParam);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
}  // namespace

MessageRecorder::MessageRecorder(HWND window, std::vector<UINT> messages)
{
    Hold hold;
    g_log.entries.clear();
    g_log.window = window;
    g_log.wanted = std::move(messages);
    m_hook = ::SetWindowsHookExA(WH_CALLWNDPROC, Record, nullptr, ::GetWindowThreadProcessId(window, nullptr));
    if (!m_hook) ADD_FAILURE() << "MessageRecorder: no hook on window " << window;
}

MessageRecorder::~MessageRecorder()
{
    if (m_hook) ::UnhookWindowsHookEx(m_hook);
    Hold hold;
    g_log.window = nullptr;
}

std::vector<MessageRecorder::Entry> MessageRecorder::Messages() const
{
    Hold hold;
    return g_log.entries;
}

}  // namespace harness
