// Sizes that are drawn in pixels (check marks, arrows, margins, icons) are designed at 96 dots
// per inch and scaled to the dots per inch of the device they are drawn on, as the dialog's
// fonts and dialog units are.
#pragma once

#include <windows.h>

constexpr int kDesignDpi = 96;

// The dots per inch of the device a DC draws on; 96 when it cannot tell.
inline int DpiOf(HDC dc) noexcept
{
    const int dpi = dc ? ::GetDeviceCaps(dc, LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : kDesignDpi;
}

// The dots per inch a window is drawn at: those of its own DC (the screen's when it has none).
inline int WindowDpi(HWND window) noexcept
{
    HDC dc = ::GetDC(window);
    const int dpi = DpiOf(dc);
    if (dc) ::ReleaseDC(window, dc);
    return dpi;
}

inline int ScaleToDpi(int pixelsAt96, int dpi) noexcept { return ::MulDiv(pixelsAt96, dpi, kDesignDpi); }
