// A window capture has the window's size, shows its content and is saved as a file.
#include <gtest/gtest.h>

#include <cstdio>

#include "Harness.h"
#include "TestDialog.h"

using namespace harness;

TEST(Screenshot, CapturesTheDialogWithItsFrameAndContent)
{
    testdialog::Options options;
    ModalCall call([&] { return testdialog::Run(options); });
    HWND dialog = WaitForWindow(testdialog::kCaption, call.ThreadId());
    ASSERT_NE(dialog, nullptr);

    RECT frame{}, editRect{};
    ::GetWindowRect(dialog, &frame);
    ::GetWindowRect(FindControl(dialog, IDC_TEST_EDIT), &editRect);
    const Image image = CaptureWindow(dialog);
    ASSERT_FALSE(image.IsEmpty());
    EXPECT_EQ(image.width, frame.right - frame.left);
    EXPECT_EQ(image.height, frame.bottom - frame.top);
    EXPECT_GT(image.DistinctColors(), 4u);  // frame, face, text, edit and list backgrounds

    // The dialog's face shows between the controls, and the edit's inside is window-coloured.
    POINT face{4, 4};
    ::ClientToScreen(dialog, &face);
    const POINT insideEdit{(editRect.left + editRect.right) / 2, (editRect.top + editRect.bottom) / 2};
    EXPECT_EQ(image.At(face.x - frame.left, face.y - frame.top), Rgb(::GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(image.At(insideEdit.x - frame.left, insideEdit.y - frame.top), Rgb(::GetSysColor(COLOR_WINDOW)));

    const std::string path = ScreenshotPath("harness_dialog.bmp");
    ASSERT_TRUE(SaveBmp(image, path));
    FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::fseek(file, 0, SEEK_END);
    EXPECT_EQ(std::ftell(file), 54 + ((image.width * 3 + 3) & ~3L) * image.height);
    std::fclose(file);

    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(call.Finish(kDefaultTimeoutMs));
}
