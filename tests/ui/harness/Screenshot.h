// Screen captures for UI tests: what a window or a part of the screen shows, as pixels
// or a .bmp file kept for people to look at.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace harness {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first

    bool IsEmpty() const noexcept { return pixels.empty(); }
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
    size_t DistinctColors() const;
};

inline uint32_t Rgb(COLORREF c) { return (uint32_t{GetRValue(c)} << 16) | (uint32_t{GetGValue(c)} << 8) | GetBValue(c); }

// What the screen shows in a rectangle (screen coordinates), windows of every thread
// included: a drop-down list reaching past its dialog, say. Empty when it failed.
Image CaptureScreenArea(const RECT& area);
// The window with its frame exactly as a user sees it: brought to the top and
// repainted first, then copied from the screen. Empty when it failed.
Image CaptureWindow(HWND window);
// 24-bit bottom-up .bmp, readable by any image tool.
bool SaveBmp(const Image& image, const std::string& path);
// QUERVIX_SCREENSHOT_DIR\name when the variable is set (scripts/test.sh collects every
// suite's pictures there), else artifacts\name below the working folder; the folder is made.
std::string ScreenshotPath(const std::string& name);

}  // namespace harness
