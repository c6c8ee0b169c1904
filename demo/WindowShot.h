// WindowShot.h: saves what the screen shows of one window as a 24-bit .bmp file.
#pragma once
#include <windows.h>
#include <string>

// Copies the window's screen rectangle, frame included, so it shows exactly what a user sees.
// Returns an empty string on success, otherwise what went wrong.
std::string SaveWindowScreenshot(HWND window, const std::string& bmpPath);
