// The image button as a user meets it: flat at rest, a raised border under the pointer,
// sunken with the icon one pixel down and right while pressed, embossed when disabled;
// a double click counts twice; painting and dialog runs leave no objects behind.
#include <gtest/gtest.h>

#include <string>

#include "ControlsTestSupport.h"
#include "Harness.h"

using namespace harness;
using controls_test::CaptureOfThread;
using controls_test::CenterOf;
using controls_test::HostRun;
using controls_test::KeepScreenshot;

namespace {

const uint32_t kFace = Rgb(::GetSysColor(COLOR_BTNFACE));
const uint32_t kLight = Rgb(::GetSysColor(COLOR_BTNHIGHLIGHT));
const uint32_t kDark = Rgb(::GetSysColor(COLOR_BTNSHADOW));
const uint32_t kDarkGreen = 0x008000;  // the "+" icon's outline
const uint32_t kLime = 0x00FF00;       // and its inside

// The middle pixel of each edge, where the icon never reaches.
struct Edges {
    uint32_t top, left, right, bottom;
};
Edges EdgesOf(const Image& image)
{
    const int w = image.width, h = image.height;
    return Edges{image.At(w / 2, 0), image.At(0, h / 2), image.At(w - 1, h / 2), image.At(w / 2, h - 1)};
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

bool PointerOver(HWND button) { return MoveMouseTo(button, CenterOf(button)); }

UINT ButtonState(HWND button) { return static_cast<UINT>(Query(button, BM_GETSTATE)); }

HostOptions WithColumns()
{
    HostOptions options;
    options.columns = {"*", "ID"};
    return options;
}

TEST(ButtonST, HoverRaisesTheBorderAndLeavingLowersItAndFreesTheMouse)
{
    ControlsHost host(WithColumns());
    HostRun run(host);
    ASSERT_TRUE(run.Opened());
    ASSERT_TRUE(BringToForeground(run.window));
    ASSERT_TRUE(MoveMouseTo(run.window, BlankPointOf(run.window)));

    const Image rest = CaptureWindow(run.add);
    ASSERT_FALSE(rest.IsEmpty());
    Edges edges = EdgesOf(rest);
    EXPECT_EQ(edges.top, kFace);
    EXPECT_EQ(edges.left, kFace);
    EXPECT_EQ(edges.right, kFace);
    EXPECT_EQ(edges.bottom, kFace);
    EXPECT_TRUE(Contains(rest, kDarkGreen) && Contains(rest, kLime));  // the icon, in colour
    KeepScreenshot(rest, "button_rest.bmp");

    ASSERT_TRUE(PointerOver(run.add));
    ASSERT_TRUE(WaitUntil([&] { return CaptureOfThread(run.window) == run.add; }));
    const Image hot = CaptureWindow(run.add);
    edges = EdgesOf(hot);
    EXPECT_EQ(edges.top, kLight);
    EXPECT_EQ(edges.left, kLight);
    EXPECT_EQ(edges.right, kDark);
    EXPECT_EQ(edges.bottom, kDark);
    KeepScreenshot(hot, "button_hot.bmp");

    ASSERT_TRUE(MoveMouseTo(run.window, BlankPointOf(run.window)));
    EXPECT_TRUE(WaitUntil([&] { return CaptureOfThread(run.window) == nullptr; }));
    edges = EdgesOf(CaptureWindow(run.add));
    EXPECT_EQ(edges.top, kFace);
    EXPECT_EQ(edges.right, kFace);
    EXPECT_EQ(host.addClicks, 0);
    EXPECT_TRUE(run.Close());
}

TEST(ButtonST, PressingSinksTheBorderAndShiftsTheIconOnePixel)
{
    ControlsHost host(WithColumns());
    HostRun run(host);
    ASSERT_TRUE(run.Opened());
    ASSERT_TRUE(BringToForeground(run.window));
    ASSERT_TRUE(PointerOver(run.add));
    ASSERT_TRUE(WaitUntil([&] { return CaptureOfThread(run.window) == run.add; }));
    const Image hot = CaptureWindow(run.add);

    ASSERT_TRUE(controls_test::PressLeftAt(run.add, CenterOf(run.add)));
    ASSERT_TRUE(WaitUntil([&] { return (ButtonState(run.add) & BST_PUSHED) != 0; }));
    const Image pressed = CaptureWindow(run.add);
    KeepScreenshot(pressed, "button_pressed.bmp");
    ASSERT_TRUE(controls_test::ReleaseLeft(run.add));

    const Edges edges = EdgesOf(pressed);
    EXPECT_EQ(edges.top, kDark);
    EXPECT_EQ(edges.left, kDark);
    EXPECT_EQ(edges.right, kLight);
    EXPECT_EQ(edges.bottom, kLight);

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
    EXPECT_TRUE(run.Close());
}

TEST(ButtonST, ADisabledButtonDrawsItsIconEmbossed)
{
    ControlsHost host(WithColumns());
    HostRun run(host);
    ASSERT_TRUE(run.Opened());
    ASSERT_TRUE(BringToForeground(run.window));
    ASSERT_TRUE(MoveMouseTo(run.window, BlankPointOf(run.window)));

    ::EnableWindow(run.add, FALSE);
    const Image disabled = CaptureWindow(run.add);
    KeepScreenshot(disabled, "button_disabled.bmp");
    EXPECT_FALSE(Contains(disabled, kDarkGreen));
    EXPECT_FALSE(Contains(disabled, kLime));
    EXPECT_TRUE(Contains(disabled, kDark));
    EXPECT_TRUE(Contains(disabled, kLight));

    ::EnableWindow(run.add, TRUE);
    const Image enabled = CaptureWindow(run.add);
    EXPECT_TRUE(Contains(enabled, kLime));
    EXPECT_TRUE(run.Close());
}

TEST(ButtonST, APressThatBeganElsewhereDoesNotLightIt)
{
    ControlsHost host(WithColumns());
    HostRun run(host);
    ASSERT_TRUE(run.Opened());
    ASSERT_TRUE(BringToForeground(run.window));

    ASSERT_TRUE(controls_test::PressLeftAt(run.window, BlankPointOf(run.window)));
    ASSERT_TRUE(PointerOver(run.add));
    PumpMessagesFor(200);
    const Edges edges = EdgesOf(CaptureWindow(run.add));
    ASSERT_TRUE(controls_test::ReleaseLeft(run.add));
    EXPECT_EQ(edges.top, kFace);
    EXPECT_EQ(edges.left, kFace);
    EXPECT_NE(CaptureOfThread(run.window), run.add);
    EXPECT_EQ(host.addClicks, 0);
    EXPECT_TRUE(run.Close());
}

// The button class reports a quick second click as a double click, which a push button
// does not count; this button counts it as a second press.
TEST(ButtonST, ADoubleClickGivesTwoClicks)
{
    ControlsHost host(WithColumns());
    HostRun run(host);
    ASSERT_TRUE(run.Opened());
    MessageRecorder recorder(run.window, {WM_COMMAND});
    ASSERT_TRUE(recorder.IsAttached());

    ASSERT_TRUE(DoubleClickAt(run.add, CenterOf(run.add)));
    ASSERT_TRUE(WaitUntil([&] { return host.addClicks >= 2; }));
    PumpMessagesFor(300);
    EXPECT_EQ(host.addClicks, 2);

    std::vector<RecordedMessage> fromButton;
    for (const RecordedMessage& m : recorder.Messages())
        if (LOWORD(m.wParam) == IDC_HOST_ADD) fromButton.push_back(m);
    EXPECT_TRUE(MatchesSequence(fromButton, {Command(IDC_HOST_ADD, BN_CLICKED), Command(IDC_HOST_ADD, BN_CLICKED)}));
    EXPECT_TRUE(run.Close());
}

// Without an icon the title has the button to itself, 12 pixels in from the left edge.
TEST(ButtonST, IconsAreSizedFromTheirHotspotAndWithoutOneTheTitleShows)
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

TEST(ButtonST, PaintingInEveryStateLeavesNoGdiObjectsBehind)
{
    ControlsHost host(WithColumns());
    HostRun run(host);
    ASSERT_TRUE(run.Opened());
    ASSERT_TRUE(BringToForeground(run.window));
    ASSERT_TRUE(PointerOver(run.add));  // so "as they are" includes hot
    EXPECT_TRUE(LeavesNoObjectsBehind([&] {
        DWORD_PTR ignored = 0;
        ASSERT_NE(::SendMessageTimeoutA(run.window, WM_HOST_REPAINT_BUTTONS, 5, 0, SMTO_ABORTIFHUNG, 20000, &ignored),
                  0);
    }));
    EXPECT_TRUE(run.Close());
}

TEST(ButtonST, DialogRunsLeaveNoIconsOrWindowsBehind)
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
