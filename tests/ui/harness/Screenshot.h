// Window captures for UI tests: what a window shows on screen, as pixels or a .bmp file.
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

enum class CaptureSource {
    Screen,       // copies the window's rectangle from the screen DC: exactly what a user sees
    PrintWindow,  // asks the window to paint itself into a bitmap: works when it is covered,
                  // but Wine paints only the window itself, not its child controls
};

// The window with its frame. The window is brought to the top first when the source
// is the screen; an empty image means the capture failed.
Image CaptureWindow(HWND window, CaptureSource source = CaptureSource::Screen);
// 24-bit bottom-up .bmp, readable by any image tool.
bool SaveBmp(const Image& image, const std::string& path);
bool SaveWindowImage(HWND window, const std::string& path, CaptureSource source = CaptureSource::Screen);

}  // namespace harness
