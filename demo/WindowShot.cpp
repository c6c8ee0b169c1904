// WindowShot.cpp: screen capture of one window into a .bmp file with GDI.
#include "WindowShot.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() { if (dc) ReleaseDC(nullptr, dc); }
};

struct MemoryDc {
    HDC dc;
    explicit MemoryDc(HDC like) : dc(CreateCompatibleDC(like)) {}
    ~MemoryDc() { if (dc) DeleteDC(dc); }
};

struct OwnedBitmap {
    HBITMAP bitmap;
    explicit OwnedBitmap(HBITMAP created) : bitmap(created) {}
    ~OwnedBitmap() { if (bitmap) DeleteObject(bitmap); }
};

struct Selection {
    HDC dc;
    HGDIOBJ previous;
    Selection(HDC into, HGDIOBJ object) : dc(into), previous(SelectObject(into, object)) {}
    ~Selection() { SelectObject(dc, previous); }
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

// Reads the pixels back from the screen (not WM_PRINT), so owner-drawn and custom-drawn
// controls appear as they were really painted.
std::string SaveWindowScreenshot(HWND window, const std::string& bmpPath) {
    RECT frame;
    if (!GetWindowRect(window, &frame)) return "the window is gone";
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    if (width <= 0 || height <= 0) return "the window has no area";

    ScreenDc screen;
    MemoryDc memory(screen.dc);
    OwnedBitmap bitmap(CreateCompatibleBitmap(screen.dc, width, height));
    if (!screen.dc || !memory.dc || !bitmap.bitmap) return "no device context or bitmap for the copy";

    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;  // bottom-up rows, as .bmp files store them
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::vector<unsigned char> pixels(static_cast<size_t>(stride) * height);
    {
        Selection selected(memory.dc, bitmap.bitmap);
        if (!BitBlt(memory.dc, 0, 0, width, height, screen.dc, frame.left, frame.top, SRCCOPY))
            return "copying from the screen failed";
    }
    if (!GetDIBits(memory.dc, bitmap.bitmap, 0, height, pixels.data(),
                   reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS))
        return "reading the bitmap's pixels failed";

    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + static_cast<DWORD>(pixels.size());

    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(bmpPath.c_str(), "wb"));
    if (!file) return "cannot create " + bmpPath;
    const bool written = std::fwrite(&header, sizeof header, 1, file.get()) == 1 &&
                         std::fwrite(&info, sizeof info, 1, file.get()) == 1 &&
                         std::fwrite(pixels.data(), pixels.size(), 1, file.get()) == 1;
    if (!written || std::fclose(file.release()) != 0) return "cannot write " + bmpPath;
    return {};
}
