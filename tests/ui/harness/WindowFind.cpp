// Finding windows and waiting for conditions without ever blocking a test for good.
#include "WindowFind.h"

namespace harness {

void PumpMessagesFor(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // Not ours to consume: whoever runs the outer loop must see it.
                ::PostQuitMessage(static_cast<int>(msg.wParam));
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
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (::GetTickCount() - start >= timeoutMs) return condition();
        PumpMessagesFor(pollMs);
    }
}

std::string CaptionOf(HWND window)
{
    wchar_t wide[512] = {};
    const int length = ::InternalGetWindowText(window, wide, 512);
    if (length <= 0) return std::string();
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide, length, &text[0], bytes, nullptr, nullptr);
    return text;
}

namespace {
struct TopLevelSearch {
    DWORD threadId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<TopLevelSearch*>(param);
    DWORD processId = 0;
    const DWORD threadId = ::GetWindowThreadProcessId(window, &processId);
    if (processId == ::GetCurrentProcessId() && ::IsWindowVisible(window) &&
        (search->threadId == 0 || search->threadId == threadId))
        search->found.push_back(window);
    return TRUE;
}

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindDescendant(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<ControlSearch*>(param);
    if (::GetDlgCtrlID(window) != search->id) return TRUE;
    search->found = window;
    return FALSE;
}
}  // namespace

std::vector<HWND> TopLevelWindows(DWORD threadId)
{
    TopLevelSearch search{threadId, {}};
    ::EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
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

HWND FindControl(HWND parent, int controlId)
{
    if (HWND direct = ::GetDlgItem(parent, controlId)) return direct;
    ControlSearch search{controlId, nullptr};
    ::EnumChildWindows(parent, FindDescendant, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace harness
