// Window captures: the file is written, has the window's size and shows its content.
#include <gtest/gtest.h>

#include <cstdio>

#include "Harness.h"
#include "TestDialog.h"

using namespace harness;

namespace {
long FileSize(const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return -1;
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::fclose(file);
    return size;
}

// Where the screenshot lands: QUERVIX_SCREENSHOT_DIR when set, else the working folder.
std::string ScreenshotPath(const char* name)
{
    char dir[MAX_PATH] = {};
    const DWORD n = ::GetEnvironmentVariableA("QUERVIX_SCREENSHOT_DIR", dir, MAX_PATH);
    return (n > 0 && n < MAX_PATH ? std::string(dir) + "\\" : std::string()) + name;
}
}  // namespace

TEST(Screenshot, CapturesTheDialogWithItsFrameAndContent)
{
    testdialog::Options options;
    ModalCall call([&] { return testdialog::Run(options); });
    HWND dialog = WaitForWindow(testdialog::kCaption, call.ThreadId());
    ASSERT_NE(dialog, nullptr);
    HWND check = FindControl(dialog, testdialog::kCheckBoxId);
    ASSERT_TRUE(ClickCenter(check));
    ASSERT_TRUE(WaitUntil([&] { return ButtonCheck(check) == BST_CHECKED; }));

    RECT frame{};
    ::GetWindowRect(dialog, &frame);
    const Image image = CaptureWindow(dialog);
    ASSERT_FALSE(image.IsEmpty());
    EXPECT_EQ(image.width, frame.right - frame.left);
    EXPECT_EQ(image.height, frame.bottom - frame.top);
    EXPECT_GT(image.DistinctColors(), 4u);  // frame, face, text, edit and list backgrounds

    // The dialog's face shows between the controls, and the edit's inside is window-coloured.
    POINT face{4, 4}, insideEdit{};
    ::ClientToScreen(dialog, &face);
    HWND edit = FindControl(dialog, testdialog::kEditId);
    RECT editRect{};
    ::GetWindowRect(edit, &editRect);
    insideEdit = POINT{(editRect.left + editRect.right) / 2, (editRect.top + editRect.bottom) / 2};
    EXPECT_EQ(image.At(face.x - frame.left, face.y - frame.top), Rgb(::GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(image.At(insideEdit.x - frame.left, insideEdit.y - frame.top), Rgb(::GetSysColor(COLOR_WINDOW)));

    const std::string path = ScreenshotPath("harness_dialog.bmp");
    ASSERT_TRUE(SaveBmp(image, path));
    const long rowBytes = (image.width * 3 + 3) & ~3L;
    EXPECT_EQ(FileSize(path), 54 + rowBytes * image.height);

    // The window paints itself into the bitmap (under Wine without its child controls).
    const Image printed = CaptureWindow(dialog, CaptureSource::PrintWindow);
    ASSERT_FALSE(printed.IsEmpty());
    EXPECT_EQ(printed.width, image.width);
    EXPECT_EQ(printed.height, image.height);
    EXPECT_EQ(printed.At(face.x - frame.left, face.y - frame.top), Rgb(::GetSysColor(COLOR_BTNFACE)));
    EXPECT_GE(printed.DistinctColors(), 2u);

    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(call.Finish(kDefaultTimeoutMs));
}

TEST(Screenshot, FailsCleanlyForAWindowThatIsGone)
{
    EXPECT_TRUE(CaptureWindow(nullptr).IsEmpty());
    EXPECT_FALSE(SaveWindowImage(nullptr, ScreenshotPath("never_written.bmp")));
    EXPECT_EQ(FileSize(ScreenshotPath("never_written.bmp")), -1);
}
