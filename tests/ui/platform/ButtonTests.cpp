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

// The middle pixel of each edge, where the icon never reaches: top and left in one
// colour, right and bottom in the other.
::testing::AssertionResult HasEdges(const Image& image, uint32_t topLeft, uint32_t bottomRight)
{
    if (image.IsEmpty()) return ::testing::AssertionFailure() << "no capture";
    const int w = image.width, h = image.height;
    const uint32_t edges[] = {image.At(w / 2, 0), image.At(0, h / 2), image.At(w - 1, h / 2), image.At(w / 2, h - 1)};
    for (int i = 0; i < 4; ++i) {
        if (edges[i] != (i < 2 ? topLeft : bottomRight))
            return ::testing::AssertionFailure() << "edge " << i << " (top, left, right, bottom) is 0x" << std::hex << edges[i];
    }
    return ::testing::AssertionSuccess();
}

bool Contains(const Image& image, uint32_t colour)
{
    return std::find(image.pixels.begin(), image.pixels.end(), colour) != image.pixels.end();
}

// The dialog open in front on its own thread, the pointer resting on a blank spot of it.
class ImageButton : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = WaitForWindow("Layer test", call.ThreadId());
        ASSERT_NE(nullptr, window);
        button = FindControl(window, IDC_PUSH);
        ASSERT_TRUE(BringToForeground(window));
        ASSERT_TRUE(MoveMouseTo(window, Blank()));
    }
    void TearDown() override
    {
        ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(call.Finish(kDefaultTimeoutMs));
    }
    POINT Blank() const
    {
        RECT client{};
        ::GetClientRect(window, &client);
        return POINT{6, client.bottom - 6};
    }

    LayerDialog dialog;
    ModalCall call{[this] {
        dialog.holdOpen = true;
        return dialog.DoModal();
    }};
    HWND window = nullptr;
    HWND button = nullptr;
};

TEST_F(ImageButton, HoverRaisesItPressSinksItAndShiftsThePictureAndLeavingLowersIt)
{
    const Image rest = CaptureWindow(button);
    EXPECT_TRUE(HasEdges(rest, kFace, kFace));
    EXPECT_TRUE(Contains(rest, kDarkGreen) && Contains(rest, kLime));

    ASSERT_TRUE(MoveMouseTo(button, ClientCenter(button)));
    ASSERT_TRUE(WaitUntil([&] { return MouseCaptureOf(window) == button; }));
    const Image hot = CaptureWindow(button);
    EXPECT_TRUE(HasEdges(hot, kLight, kDark));

    ASSERT_TRUE(PressLeftAt(button, ClientCenter(button)));
    ASSERT_TRUE(WaitUntil([&] { return (Query(button, BM_GETSTATE) & BST_PUSHED) != 0; }));
    const Image pressed = CaptureWindow(button);
    ASSERT_TRUE(ReleaseLeft(button));
    EXPECT_TRUE(HasEdges(pressed, kDark, kLight));
    ASSERT_EQ(hot.width, pressed.width);
    ASSERT_EQ(hot.height, pressed.height);
    int shiftedMismatches = 0, unshiftedDifferences = 0;  // inside the border
    for (int y = 1; y + 3 < hot.height; ++y) {
        for (int x = 1; x + 3 < hot.width; ++x) {
            shiftedMismatches += pressed.At(x + 1, y + 1) != hot.At(x, y);
            unshiftedDifferences += pressed.At(x + 1, y + 1) != hot.At(x + 1, y + 1);
        }
    }
    EXPECT_EQ(0, shiftedMismatches);
    EXPECT_GT(unshiftedDifferences, 10);
    EXPECT_TRUE(WaitUntil([&] { return dialog.clicks == 1; }));

    ASSERT_TRUE(MoveMouseTo(window, Blank()));
    EXPECT_TRUE(WaitUntil([&] { return MouseCaptureOf(window) == nullptr; }));
    EXPECT_TRUE(HasEdges(CaptureWindow(button), kFace, kFace));
}

TEST_F(ImageButton, DisabledItIsEmbossedAndAPressBegunElsewhereDoesNotLightIt)
{
    ::EnableWindow(button, FALSE);
    const Image disabled = CaptureWindow(button);
    EXPECT_FALSE(Contains(disabled, kDarkGreen) || Contains(disabled, kLime));
    EXPECT_TRUE(Contains(disabled, kDark) && Contains(disabled, kLight));
    ::EnableWindow(button, TRUE);

    ASSERT_TRUE(PressLeftAt(window, Blank()));
    ASSERT_TRUE(MoveMouseTo(button, ClientCenter(button)));
    PumpMessagesFor(200);
    const Image image = CaptureWindow(button);
    ASSERT_TRUE(ReleaseLeft(button));
    EXPECT_TRUE(HasEdges(image, kFace, kFace));
    EXPECT_EQ(0, dialog.clicks);
}

// The button class makes a quick second click a double click, which a push button does
// not count as a click.
TEST_F(ImageButton, ADoubleClickIsTwoPresses)
{
    ASSERT_TRUE(DoubleClickAt(button, ClientCenter(button)));
    ASSERT_TRUE(WaitUntil([&] { return dialog.clicks >= 2; }));
    PumpMessagesFor(300);
    EXPECT_EQ(2, dialog.clicks);
}

}  // namespace
