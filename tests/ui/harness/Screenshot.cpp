// Screen captures through GDI, written as .bmp files.
#include "Screenshot.h"

#include <cstdio>
#include <memory>
#include <unordered_set>

#include "Input.h"

namespace harness {

size_t Image::DistinctColors() const
{
    return std::unordered_set<uint32_t>(pixels.begin(), pixels.end()).size();
}

namespace {
// A 32-bit top-down DIB section: its bits are the pixels, no conversion needed.
struct DibCapture {
    HDC memory = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    void* bits = nullptr;

    DibCapture(int width, int height)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        memory = ::CreateCompatibleDC(nullptr);
        bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (memory && bitmap) previous = ::SelectObject(memory, bitmap);
    }
    ~DibCapture()
    {
        if (previous) ::SelectObject(memory, previous);
        if (bitmap) ::DeleteObject(bitmap);
        if (memory) ::DeleteDC(memory);
    }
    DibCapture(const DibCapture&) = delete;
    DibCapture& operator=(const DibCapture&) = delete;
    bool Ready() const { return previous != nullptr; }
};
}  // namespace

Image CaptureScreenArea(const RECT& area)
{
    Image image;
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return image;
    DibCapture dib(width, height);
    if (!dib.Ready()) return image;
    HDC screen = ::GetDC(nullptr);
    const bool copied = ::BitBlt(dib.memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY) != FALSE;
    ::ReleaseDC(nullptr, screen);
    if (!copied) return image;
    ::GdiFlush();
    const auto* bits = static_cast<const uint32_t*>(dib.bits);
    image.width = width;
    image.height = height;
    image.pixels.assign(bits, bits + static_cast<size_t>(width) * static_cast<size_t>(height));
    for (uint32_t& p : image.pixels) p &= 0x00FFFFFF;
    return image;
}

Image CaptureWindow(HWND window)
{
    RECT frame{};
    if (!::GetWindowRect(window, &frame)) return Image();
    BringToForeground(window);
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    LetInputArrive(window);
    return CaptureScreenArea(frame);
}

bool SaveBmp(const Image& image, const std::string& path)
{
    if (image.IsEmpty()) return false;
    const size_t rowBytes = (static_cast<size_t>(image.width) * 3 + 3) & ~size_t{3};
    const size_t pixelBytes = rowBytes * static_cast<size_t>(image.height);
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixelBytes);
    info.biSize = sizeof info;
    info.biWidth = image.width;
    info.biHeight = image.height;  // positive: bottom row first
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(pixelBytes);

    std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen(path.c_str(), "wb"), std::fclose);
    if (!out) return false;
    std::vector<unsigned char> row(rowBytes, 0);
    bool ok = std::fwrite(&file, sizeof file, 1, out.get()) == 1 && std::fwrite(&info, sizeof info, 1, out.get()) == 1;
    for (int y = image.height - 1; ok && y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const uint32_t p = image.At(x, y);
            row[static_cast<size_t>(x) * 3 + 0] = static_cast<unsigned char>(p);
            row[static_cast<size_t>(x) * 3 + 1] = static_cast<unsigned char>(p >> 8);
            row[static_cast<size_t>(x) * 3 + 2] = static_cast<unsigned char>(p >> 16);
        }
        ok = std::fwrite(row.data(), 1, rowBytes, out.get()) == rowBytes;
    }
    return ok;
}

std::string ScreenshotPath(const std::string& name)
{
    char named[MAX_PATH] = {};
    const DWORD n = ::GetEnvironmentVariableA("QUERVIX_SCREENSHOT_DIR", named, MAX_PATH);
    const std::string directory = n > 0 && n < MAX_PATH ? std::string(named, n) : std::string("artifacts");
    ::CreateDirectoryA(directory.c_str(), nullptr);
    return directory + "\\" + name;
}

}  // namespace harness
