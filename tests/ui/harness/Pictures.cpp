// Screen captures written as .bmp files, and GDI/USER object counts for leak checks.
#include <algorithm>
#include <cstdio>

#include "Harness.h"

namespace harness {

Image CaptureScreenArea(const RECT& area)
{
    Image image;
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return image;
    HDC screen = ::GetDC(nullptr), memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    const bool copied = ::BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY) != FALSE;
    ::SelectObject(memory, previous);
    // 32-bit top-down rows: the bits are the pixels as they are kept.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    image.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    if (!copied || !::GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), image.pixels.data(), &info, DIB_RGB_COLORS))
        image.pixels.clear();
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    for (uint32_t& p : image.pixels) p &= 0x00FFFFFF;
    image.width = image.IsEmpty() ? 0 : width;
    image.height = image.IsEmpty() ? 0 : height;
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

bool SaveScreenshot(const Image& image, const std::string& name)
{
    if (image.IsEmpty()) return false;
    char named[MAX_PATH] = {};
    const DWORD n = ::GetEnvironmentVariableA("QUERVIX_SCREENSHOT_DIR", named, MAX_PATH);
    const std::string directory = n > 0 && n < MAX_PATH ? std::string(named, n) : std::string("artifacts");
    ::CreateDirectoryA(directory.c_str(), nullptr);
    const DWORD pixelBytes = static_cast<DWORD>(image.pixels.size() * 4);
    BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};  // "BM"
    file.bfSize = file.bfOffBits + pixelBytes;
    const BITMAPINFOHEADER info{sizeof info, image.width, -image.height, 1, 32, BI_RGB, pixelBytes, 0, 0, 0, 0};
    FILE* out = std::fopen((directory + "\\" + name).c_str(), "wb");
    if (!out) return false;
    const bool ok = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&info, sizeof info, 1, out) == 1 &&
                    std::fwrite(image.pixels.data(), 1, pixelBytes, out) == pixelBytes;
    return std::fclose(out) == 0 && ok;
}

namespace {
struct Counts {
    long gdi = 0, user = 0;
};

// Wine answers GetGuiResources with zero; then the handle tables are walked instead. GDI
// handles carry their table index in the low word and resolve by it alone; window DCs and
// the region each keeps are the system's cache, not the caller's. Icons and cursors are
// found the same way through GetCursorFrameInfo (not in the headers).
Counts CountObjects()
{
    Counts counts{static_cast<long>(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS)),
                  static_cast<long>(::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS))};
    if (counts.gdi && counts.user) return counts;
    long all = 0, windowDCs = 0, regions = 0;
    for (ULONG_PTR index = 1; index <= 0xFFFF; ++index) {
        const DWORD type = ::GetObjectType(reinterpret_cast<HGDIOBJ>(index));
        all += type != 0;
        windowDCs += type == OBJ_DC;
        regions += type == OBJ_REGION;
    }
    counts.gdi = all - windowDCs - std::min(regions, windowDCs);
    ::EnumWindows([](HWND window, LPARAM param) -> BOOL {
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        if (process != ::GetCurrentProcessId()) return TRUE;
        ++*reinterpret_cast<long*>(param);
        ::EnumChildWindows(window, [](HWND, LPARAM count) -> BOOL {
            ++*reinterpret_cast<long*>(count);
            return TRUE;
        }, param);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&counts.user));
    using FrameInfo = HCURSOR(WINAPI*)(HCURSOR, DWORD, DWORD, DWORD*, DWORD*);
    if (const auto frameInfo = reinterpret_cast<FrameInfo>(
            reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetCursorFrameInfo"))))
        for (ULONG_PTR index = 0x20; index <= 0xFFFF; index += 2) {
            DWORD rate = 0, steps = 0;
            counts.user += frameInfo(reinterpret_cast<HCURSOR>(index), 0, 0, &rate, &steps) != nullptr;
        }
    return counts;
}
}  // namespace

::testing::AssertionResult LeavesNoObjectsBehind(const std::function<void()>& action, int runs, int warmUps)
{
    for (int i = 0; i < warmUps; ++i) action();
    const Counts before = CountObjects();
    for (int i = 0; i < runs; ++i) action();
    const Counts after = CountObjects();
    if (after.gdi - before.gdi < runs / 2 && after.user - before.user < runs / 2) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "after " << runs << " runs: GDI objects " << before.gdi << " -> " << after.gdi
                                         << ", USER objects " << before.user << " -> " << after.user;
}

}  // namespace harness
