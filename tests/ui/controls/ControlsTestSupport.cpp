// Shared pieces of the controls tests.
#include "ControlsTestSupport.h"

#include <gtest/gtest.h>

#include <mutex>
#include <utility>

#include "platform/WinApp.h"

namespace controls_test {

namespace {

// The library's templates and icons are linked into this program: it is the module
// whose resources the dialogs and buttons load.
class ProgramResources : public ::testing::Environment {
public:
    void SetUp() override { AfxGetModuleState()->m_hCurrentResourceHandle = ::GetModuleHandleA(nullptr); }
};
const auto* const g_resources = ::testing::AddGlobalTestEnvironment(new ProgramResources);

bool SendMouse(POINT screen, DWORD flags)
{
    const LONG width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((static_cast<LONGLONG>(screen.x) * 65536 + width - 1) / width);
    input.mi.dy = static_cast<LONG>((static_cast<LONGLONG>(screen.y) * 65536 + height - 1) / height);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    return ::SendInput(1, &input, sizeof input) == 1;
}

}  // namespace

HostRun::HostRun(ControlsHost& host) : call([&host] { return host.DoModal(); })
{
    window = harness::WaitForWindow(ControlsHost::kCaption, call.ThreadId());
    if (!window) return;
    list = harness::FindControl(window, IDC_HOST_COLUMNS);
    table = harness::FindControl(window, IDC_HOST_TABLE);
    wideTable = harness::FindControl(window, IDC_HOST_WIDE_TABLE);
    add = harness::FindControl(window, IDC_HOST_ADD);
    up = harness::FindControl(window, IDC_HOST_UP);
}

::testing::AssertionResult HostRun::Close()
{
    if (window && ::IsWindow(window)) ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return call.Finish(harness::kDefaultTimeoutMs);
}

std::string ScreenshotPath(const std::string& name)
{
    char dir[MAX_PATH] = {};
    const DWORD n = ::GetEnvironmentVariableA("QUERVIX_SCREENSHOT_DIR", dir, MAX_PATH);
    return (n > 0 && n < MAX_PATH ? std::string(dir) + "\\" : std::string()) + name;
}

void KeepScreenshot(const harness::Image& image, const std::string& name)
{
    EXPECT_TRUE(harness::SaveBmp(image, ScreenshotPath(name))) << name;
}

harness::Image CaptureScreenArea(const RECT& area)
{
    harness::Image image;
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return image;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = bitmap ? ::SelectObject(memory, bitmap) : nullptr;
    if (previous && ::BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY)) {
        ::GdiFlush();
        const auto* pixels = static_cast<const uint32_t*>(bits);
        image.width = width;
        image.height = height;
        image.pixels.assign(pixels, pixels + static_cast<size_t>(width) * static_cast<size_t>(height));
        for (uint32_t& p : image.pixels) p &= 0x00FFFFFF;
    }
    if (previous) ::SelectObject(memory, previous);
    if (bitmap) ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return image;
}

bool PressLeftAt(HWND window, POINT clientPoint)
{
    if (!harness::MoveMouseTo(window, clientPoint)) return false;
    harness::SettleWindow(window, 80);
    POINT screen = clientPoint;
    ::ClientToScreen(window, &screen);
    const bool sent = SendMouse(screen, MOUSEEVENTF_LEFTDOWN);
    harness::LetInputArrive(window);
    return sent;
}

bool ReleaseLeft(HWND window)
{
    POINT screen{};
    ::GetCursorPos(&screen);
    const bool sent = SendMouse(screen, MOUSEEVENTF_LEFTUP);
    harness::LetInputArrive(window);
    return sent;
}

POINT CenterOf(HWND window)
{
    RECT client{};
    ::GetClientRect(window, &client);
    return POINT{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
}

HWND CaptureOfThread(HWND anyWindowOfThread)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(anyWindowOfThread, nullptr), &info) ? info.hwndCapture
                                                                                            : nullptr;
}

// The hook runs on the watched thread; one log at a time is enough for the tests.
struct PlacementLog::Shared {
    std::mutex lock;
    std::vector<std::pair<HWND, RECT>> placements;
};

namespace {
std::shared_ptr<PlacementLog::Shared> g_activeLog;
std::mutex g_activeLock;

LRESULT CALLBACK RecordPlacement(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (sent->message == WM_WINDOWPOSCHANGED) {
            RECT placed{};
            ::GetWindowRect(sent->hwnd, &placed);
            std::lock_guard<std::mutex> guard(g_activeLock);
            if (g_activeLog) {
                std::lock_guard<std::mutex> inner(g_activeLog->lock);
                g_activeLog->placements.emplace_back(sent->hwnd, placed);
            }
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
}  // namespace

PlacementLog::PlacementLog(DWORD threadId) : m_shared(std::make_shared<Shared>())
{
    {
        std::lock_guard<std::mutex> guard(g_activeLock);
        g_activeLog = m_shared;
    }
    m_hook = ::SetWindowsHookExA(WH_CALLWNDPROCRET, &RecordPlacement, nullptr, threadId);
    EXPECT_NE(m_hook, nullptr) << "cannot watch window placements";
}

PlacementLog::~PlacementLog()
{
    if (m_hook) ::UnhookWindowsHookEx(m_hook);
    std::lock_guard<std::mutex> guard(g_activeLock);
    if (g_activeLog == m_shared) g_activeLog.reset();
}

std::vector<RECT> PlacementLog::PlacementsOf(HWND window) const
{
    std::lock_guard<std::mutex> guard(m_shared->lock);
    std::vector<RECT> result;
    for (const auto& entry : m_shared->placements)
        if (entry.first == window) result.push_back(entry.second);
    return result;
}

void PlacementLog::Clear()
{
    std::lock_guard<std::mutex> guard(m_shared->lock);
    m_shared->placements.clear();
}

}  // namespace controls_test
