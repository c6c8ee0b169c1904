// The image button as a user meets it, where only its pixels show what it does: flat at
// rest, raised under the pointer, sunken with its picture one pixel down and right while
// pressed, embossed when disabled; a double click counts as two presses.
#include <gtest/gtest.h>

#include <algorithm>

#include "Harness.h"
#include "LayerDialog.h"

using namespace harness;

namespace {

const uint32_t kFace = Rgb(::GetSysColor(COLOR_BTNFACE));
const uint32_t kLight = Rgb(::GetSysColor(COLOR_BTNHIGHLIGHT));
const uint32_t kDark = Rgb(::GetSysColor(COLOR_BTNSHADOW));
const uint32_t kDarkGreen = 0x008000, kLime = 0x00FF00;  // the "+" icon's outline and inside

// The middle pixel of the top, left, right and bottom edges, where the icon never reaches.
std::vector<uint32_t> EdgesOf(const Image& image)
{
    if (image.IsEmpty()) return {};
    const int w = image.width, h = image.height;
    return {image.At(w / 2, 0), image.At(0, h / 2), image.At(w - 1, h / 2), image.At(w / 2, h - 1)};
}
std::vector<uint32_t> Edges(uint32_t topLeft, uint32_t bottomRight) { return {topLeft, topLeft, bottomRight, bottomRight}; }

bool Contains(const Image& image, uint32_t colour)
{
    return std::find(image.pixels.begin(), image.pixels.end(), colour) != image.pixels.end();
}

TEST(ImageButton, FlatRaisedUnderThePointerSunkenAndShiftedWhilePressedEmbossedWhenDisabled)
{
    LayerDialog dialog;
    ModalCall call([&] {
        dialog.holdOpen = true;
        return dialog.DoModal();
    });
    const HWND window = WaitForWindow("Layer test", call.ThreadId()), button = ::GetDlgItem(window, IDC_PUSH);
    ASSERT_TRUE(BringToForeground(window));
    RECT client{};
    ::GetClientRect(window, &client);
    const POINT blank{6, client.bottom - 6};  // on the dialog's face, away from every control
    ASSERT_TRUE(MoveMouseTo(window, blank));
    const Image rest = CaptureWindow(button);
    EXPECT_EQ(Edges(kFace, kFace), EdgesOf(rest));
    EXPECT_TRUE(Contains(rest, kDarkGreen) && Contains(rest, kLime));

    ASSERT_TRUE(MoveMouseTo(button, ClientCenter(button)));
    ASSERT_TRUE(WaitUntil([&] { return MouseCaptureOf(window) == button; }));
    const Image hot = CaptureWindow(button);
    EXPECT_EQ(Edges(kLight, kDark), EdgesOf(hot));

    ASSERT_TRUE(PressLeftAt(button, ClientCenter(button)));
    ASSERT_TRUE(WaitUntil([&] { return (Query(button, BM_GETSTATE) & BST_PUSHED) != 0; }));
    const Image pressed = CaptureWindow(button);
    ASSERT_TRUE(ReleaseLeft(button));
    EXPECT_EQ(Edges(kDark, kLight), EdgesOf(pressed));
    ASSERT_TRUE(hot.width == pressed.width && hot.height == pressed.height);
    int shiftedMismatches = 0, unshiftedDifferences = 0;  // inside the border
    for (int y = 1; y + 3 < hot.height; ++y)
        for (int x = 1; x + 3 < hot.width; ++x) {
            shiftedMismatches += pressed.At(x + 1, y + 1) != hot.At(x, y);
            unshiftedDifferences += pressed.At(x + 1, y + 1) != hot.At(x + 1, y + 1);
        }
    EXPECT_EQ(0, shiftedMismatches);
    EXPECT_GT(unshiftedDifferences, 10);

    ASSERT_TRUE(MoveMouseTo(window, blank));
    EXPECT_TRUE(WaitUntil([&] { return MouseCaptureOf(window) == nullptr; }));
    EXPECT_EQ(Edges(kFace, kFace), EdgesOf(CaptureWindow(button)));

    // The button class makes a quick second click a double click, which a push button
    // does not count as a click.
    ASSERT_TRUE(DoubleClickAt(button, ClientCenter(button)));
    ASSERT_TRUE(WaitUntil([&] { return dialog.clicks >= 3; }));
    PumpMessagesFor(300);
    EXPECT_EQ(3, dialog.clicks);

    ::EnableWindow(button, FALSE);
    const Image disabled = CaptureWindow(button);
    EXPECT_FALSE(Contains(disabled, kDarkGreen) || Contains(disabled, kLime));
    EXPECT_TRUE(Contains(disabled, kDark) && Contains(disabled, kLight));

    ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(call.Finish(kDefaultTimeoutMs));
}

}  // namespace
