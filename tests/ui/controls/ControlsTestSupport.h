// Shared pieces of the controls tests: a run of the host dialog, kept screenshots, and a
// record of where a window was placed.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ControlsHost.h"
#include "Harness.h"

namespace controls_test {

// One modal run of the host dialog on its own thread, with its controls found.
struct HostRun {
    explicit HostRun(ControlsHost& host);
    bool Opened() const { return window && list && table && wideTable && add && up; }
    // Cancel, then the run must end.
    ::testing::AssertionResult Close();

    harness::ModalCall call;
    HWND window = nullptr;
    HWND list = nullptr;
    HWND table = nullptr;
    HWND wideTable = nullptr;
    HWND add = nullptr;
    HWND up = nullptr;
};

// Saves the capture (see harness::ScreenshotPath) for people to look at; a failed save
// fails the test.
void KeepScreenshot(const harness::Image& image, const std::string& name);

// Every position and size a window of another thread of this process is given, as its
// thread handles WM_WINDOWPOSCHANGED, in screen coordinates.
class PlacementLog {
public:
    explicit PlacementLog(DWORD threadId);
    ~PlacementLog();
    PlacementLog(const PlacementLog&) = delete;
    PlacementLog& operator=(const PlacementLog&) = delete;

    std::vector<RECT> PlacementsOf(HWND window) const;
    void Clear();

    struct Shared;

private:
    std::shared_ptr<Shared> m_shared;
    HHOOK m_hook = nullptr;
};

}  // namespace controls_test
