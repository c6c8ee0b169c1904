// The image button as a user meets it: flat at rest, a raised border under the pointer,
// sunken with the icon one pixel down and right while pressed, embossed when disabled;
// a double click counts twice; painting and dialog runs leave no objects behind.
#include <gtest/gtest.h>

#include <string>

#include "ControlsTestSupport.h"

using namespace harness;
using controls_test::HostRun;
using controls_test::KeepScreenshot;

namespace {

const uint32_t kFace = Rgb(::GetSysColor(COLOR_BTNFACE));
const uint32_t kLight = Rgb(::GetSysColor(COLOR_BTNHIGHLIGHT));
const uint32_t kDark = Rgb(::GetSysColor(COLOR_BTNSHADOW));
const uint32_t kDarkGreen = 0x008000;  // the "+" icon's outline
const uint32_t kLime = 0x00FF00;       // and its inside

// The middle pixel of each edge, where the icon never reaches: top and left in one
// colour, right and bottom in another.
::testing::AssertionResult HasEdges(const Image& image, uint32_t topLeft, uint32_t bottomRight)
{
    if (image.IsEmpty()) return ::testing::AssertionFailure() << "no capture";
    const int w = image.width, h = image.height;
    const uint32_t got[] = {image.At(w / 2, 0), image.At(0, h / 2), image.At(w - 1, h / 2), image.At(w / 2, h - 1)};
    const uint32_t want[] = {topLeft, topLeft, bottomRight, bottomRight};
    const char* names[] = {"top", "left", "right", "bottom"};
    for (int i = 0; i < 4; ++i) {
        if (got[i] != want[i])
            return ::testing::AssertionFailure() << names[i] << " edge is 0x" << std::hex << got[i] << ", not 0x" << want[i];
    }
    return ::testing::AssertionSuccess();
}

bool Contains(const Image& image, uint32_t colour)
{
    for (uint32_t p : image.pixels)
        if (p == colour) return true;
    return false;
}

// A point of the dialog's face away from every control.
POINT BlankPointOf(HWND dialog)
{
    RECT client{};
    ::GetClientRect(dialog, &client);
    return POINT{client.left + 6, client.bottom - 6};
}

bool PointerOver(HWND button) { return MoveMouseTo(button, ClientCenter(button)); }

HostOptions WithColumns()
{
    HostOptions options;
    options.columns = {"*", "ID"};
    return options;
}

// The host open in front, the pointer resting on a blank spot of its face.
class ImageButton : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(run.Opened());
        ASSERT_TRUE(BringToForeground(run.window));
        ASSERT_TRUE(MoveMouseTo(run.window, BlankPointOf(run.window)));
    }
    void TearDown() override { EXPECT_TRUE(run.Close()); }

    ControlsHost host{WithColumns()};
    HostRun run{host};
};

TEST_F(ImageButton, HoverRaisesPressSinksAndShiftsTheIconAndLeavingLowersIt)
{
    const Image rest = CaptureWindow(run.add);
    EXPECT_TRUE(HasEdges(rest, kFace, kFace));
    EXPECT_TRUE(Contains(rest, kDarkGreen) && Contains(rest, kLime));  // the icon, in colour
    KeepScreenshot(rest, "button_rest.bmp");

    ASSERT_TRUE(PointerOver(run.add));
    ASSERT_TRUE(WaitUntil([&] { return MouseCaptureOf(run.window) == run.add; }));
    const Image hot = CaptureWindow(run.add);
    EXPECT_TRUE(HasEdges(hot, kLight, kDark));
    KeepScreenshot(hot, "button_hot.bmp");
    EXPECT_EQ(host.addClicks, 0);

    ASSERT_TRUE(PressLeftAt(run.add, ClientCenter(run.add)));
    ASSERT_TRUE(WaitUntil([&] { return (Query(run.add, BM_GETSTATE) & BST_PUSHED) != 0; }));
    const Image pressed = CaptureWindow(run.add);
    KeepScreenshot(pressed, "button_pressed.bmp");
    ASSERT_TRUE(ReleaseLeft(run.add));
    EXPECT_TRUE(HasEdges(pressed, kDark, kLight));

    // Inside the border the pressed picture is the hot one moved by (1, 1).
    ASSERT_EQ(pressed.width, hot.width);
    ASSERT_EQ(pressed.height, hot.height);
    int shiftedMismatches = 0, unshiftedDifferences = 0;
    for (int y = 1; y + 3 < hot.height; ++y) {
        for (int x = 1; x + 3 < hot.width; ++x) {
            if (pressed.At(x + 1, y + 1) != hot.At(x, y)) ++shiftedMismatches;
            if (pressed.At(x + 1, y + 1) != hot.At(x + 1, y + 1)) ++unshiftedDifferences;
        }
    }
    EXPECT_EQ(shiftedMismatches, 0);
    EXPECT_GT(unshiftedDifferences, 10);
    EXPECT_TRUE(WaitUntil([&] { return host.addClicks == 1; }));

    ASSERT_TRUE(MoveMouseTo(run.window, BlankPointOf(run.window)));
    EXPECT_TRUE(WaitUntil([&] { return MouseCaptureOf(run.window) == nullptr; }));
    EXPECT_TRUE(HasEdges(CaptureWindow(run.add), kFace, kFace));
}

TEST_F(ImageButton, ADisabledButtonDrawsItsIconEmbossed)
{
    ::EnableWindow(run.add, FALSE);
    const Image disabled = CaptureWindow(run.add);
    KeepScreenshot(disabled, "button_disabled.bmp");
    EXPECT_FALSE(Contains(disabled, kDarkGreen) || Contains(disabled, kLime));
    EXPECT_TRUE(Contains(disabled, kDark) && Contains(disabled, kLight));

    ::EnableWindow(run.add, TRUE);
    EXPECT_TRUE(Contains(CaptureWindow(run.add), kLime));
}

TEST_F(ImageButton, APressThatBeganElsewhereDoesNotLightIt)
{
    ASSERT_TRUE(PressLeftAt(run.window, BlankPointOf(run.window)));
    ASSERT_TRUE(PointerOver(run.add));
    PumpMessagesFor(200);
    const Image image = CaptureWindow(run.add);
    ASSERT_TRUE(ReleaseLeft(run.add));
    EXPECT_TRUE(HasEdges(image, kFace, kFace));
    EXPECT_NE(MouseCaptureOf(run.window), run.add);
    EXPECT_EQ(host.addClicks, 0);
}

// The button class reports a quick second click as a double click, which a push button
// does not count; this button counts it as a second press.
TEST_F(ImageButton, ADoubleClickGivesTwoClicks)
{
    MessageRecorder recorder(run.window, {WM_COMMAND});
    ASSERT_TRUE(recorder.IsAttached());
    ASSERT_TRUE(DoubleClickAt(run.add, ClientCenter(run.add)));
    ASSERT_TRUE(WaitUntil([&] { return host.addClicks >= 2; }));
    PumpMessagesFor(300);
    EXPECT_EQ(host.addClicks, 2);

    std::vector<RecordedMessage> fromButton;
    for (const RecordedMessage& m : recorder.Messages())
        if (LOWORD(m.wParam) == IDC_HOST_ADD) fromButton.push_back(m);
    EXPECT_TRUE(MatchesSequence(fromButton, {Command(IDC_HOST_ADD, BN_CLICKED), Command(IDC_HOST_ADD, BN_CLICKED)}));
}

TEST_F(ImageButton, PaintingInEveryStateLeavesNoGdiObjectsBehind)
{
    ASSERT_TRUE(PointerOver(run.add));  // so "as they are" includes hot
    EXPECT_TRUE(LeavesNoObjectsBehind([&] {
        DWORD_PTR ignored = 0;
        ASSERT_NE(::SendMessageTimeoutA(run.window, WM_HOST_REPAINT_BUTTONS, 5, 0, SMTO_ABORTIFHUNG, 20000, &ignored),
                  0);
    }));
}

// Without an icon the title has the button to itself, 12 pixels in from the left edge.
TEST(ImageButtonIcons, IconsAreSizedFromTheirHotspotAndWithoutOneTheTitleShows)
{
    HostOptions options = WithColumns();
    options.addIcon = 4242;  // no such icon
    ControlsHost host(options);
    {
        HostRun run(host);
        ASSERT_TRUE(run.Opened());
        const Image missing = CaptureWindow(run.add);
        ASSERT_FALSE(missing.IsEmpty());
        KeepScreenshot(missing, "button_without_icon.bmp");
        EXPECT_FALSE(Contains(missing, kLime));
        const uint32_t text = Rgb(::GetSysColor(COLOR_BTNTEXT));
        int firstTextColumn = -1;
        for (int x = 0; x < missing.width && firstTextColumn < 0; ++x)
            for (int y = 0; y < missing.height; ++y)
                if (missing.At(x, y) == text) firstTextColumn = x;
        EXPECT_GE(firstTextColumn, 12);
        EXPECT_LE(firstTextColumn, 14);  // the "+" glyph's own left bearing
        EXPECT_TRUE(run.Close());
    }
    EXPECT_EQ(host.add.GetIconWidth(), 0);
    EXPECT_EQ(host.up.GetIconWidth(), 32);
    EXPECT_EQ(host.up.GetIconHeight(), 32);
}

TEST(ImageButtonIcons, DialogRunsLeaveNoIconsOrWindowsBehind)
{
    HostOptions options = WithColumns();
    options.iconsTwice = true;
    EXPECT_TRUE(LeavesNoObjectsBehind([&] {
        ControlsHost host(options);
        HostRun run(host);
        ASSERT_TRUE(run.Opened());
        ASSERT_TRUE(PointerOver(run.add));  // creates the button's tip window as well
        EXPECT_TRUE(run.Close());
    }));
}

}  // namespace
