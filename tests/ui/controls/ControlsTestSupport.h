// Shared pieces of the controls tests: the module's resources, screenshot files, a held
// mouse button, and a record of where a window was placed.
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

// QUERVIX_SCREENSHOT_DIR\name when the variable is set, else name in the working folder.
std::string ScreenshotPath(const std::string& name);
// Saves the capture for people to look at; a failed save fails the test.
void KeepScreenshot(const harness::Image& image, const std::string& name);

// What the screen shows in a rectangle (screen coordinates), windows of every thread
// included: a drop-down list reaching past its dialog, say.
harness::Image CaptureScreenArea(const RECT& area);

// Left button down at a client point of window (pointer moved there first) / up again
// wherever the pointer is. Real input, as a user holding the button gives.
bool PressLeftAt(HWND window, POINT clientPoint);
bool ReleaseLeft(HWND window);

// The point of a window's client area a user would aim at: its centre.
POINT CenterOf(HWND window);
// The window under the pointer's thread holding the mouse capture, or null.
HWND CaptureOfThread(HWND anyWindowOfThread);

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
