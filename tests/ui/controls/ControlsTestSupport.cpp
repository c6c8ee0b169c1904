// Shared pieces of the controls tests.
#include "ControlsTestSupport.h"

#include <gtest/gtest.h>

#include <mutex>
#include <utility>

#include "Mutex.h"
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

void KeepScreenshot(const harness::Image& image, const std::string& name)
{
    EXPECT_TRUE(harness::SaveBmp(image, harness::ScreenshotPath(name))) << name;
}

// The hook runs on the watched thread; one log at a time is enough for the tests.
struct PlacementLog::Shared {
    harness::Mutex lock;
    std::vector<std::pair<HWND, RECT>> placements;
};

namespace {
std::shared_ptr<PlacementLog::Shared> g_activeLog;
harness::Mutex g_activeLock;

LRESULT CALLBACK RecordPlacement(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (sent->message == WM_WINDOWPOSCHANGED) {
            RECT placed{};
            ::GetWindowRect(sent->hwnd, &placed);
            std::lock_guard<harness::Mutex> guard(g_activeLock);
            if (g_activeLog) {
                std::lock_guard<harness::Mutex> inner(g_activeLog->lock);
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
        std::lock_guard<harness::Mutex> guard(g_activeLock);
        g_activeLog = m_shared;
    }
    m_hook = ::SetWindowsHookExA(WH_CALLWNDPROCRET, &RecordPlacement, nullptr, threadId);
    EXPECT_NE(m_hook, nullptr) << "cannot watch window placements";
}

PlacementLog::~PlacementLog()
{
    if (m_hook) ::UnhookWindowsHookEx(m_hook);
    std::lock_guard<harness::Mutex> guard(g_activeLock);
    if (g_activeLog == m_shared) g_activeLog.reset();
}

std::vector<RECT> PlacementLog::PlacementsOf(HWND window) const
{
    std::lock_guard<harness::Mutex> guard(m_shared->lock);
    std::vector<RECT> result;
    for (const auto& entry : m_shared->placements)
        if (entry.first == window) result.push_back(entry.second);
    return result;
}

void PlacementLog::Clear()
{
    std::lock_guard<harness::Mutex> guard(m_shared->lock);
    m_shared->placements.clear();
}

}  // namespace controls_test
