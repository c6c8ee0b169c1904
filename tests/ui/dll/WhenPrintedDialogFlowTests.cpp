// The When Printed dialog as the real query builder opens it: what it offers and where
// the focus is, and a prompt full of quotes, bars and braces travelling unchanged into
// the preview and the host's buffer. Screenshots of both dialogs are kept.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "QueryBuilderDriver.h"
#include "WhenPrintedDriver.h"

using namespace dlltest;

namespace {

// Mixed case and out of order, so that upper-casing and sorting both show.
const char kColumns[] = "Zeta\tname\tid\t{WHEN PRINTED}\t";
const int kWpItem = 4;

// The screen under both windows, the question over the builder as a user sees it.
bool KeepScreenshotOfBoth(HWND under, HWND over, const std::string& name)
{
    RECT area{}, top{};
    if (!::GetWindowRect(under, &area) || !::GetWindowRect(over, &top)) return false;
    area.left = std::min(area.left, top.left);
    area.top = std::min(area.top, top.top);
    area.right = std::max(area.right, top.right);
    area.bottom = std::max(area.bottom, top.bottom);
    harness::LetInputArrive(over);
    return harness::SaveBmp(harness::CaptureScreenArea(area), harness::ScreenshotPath(name));
}

// Centres within a pixel of each other (odd sizes round the half pixel either way).
::testing::AssertionResult IsCentredOver(HWND window, HWND under)
{
    RECT top{}, below{};
    ::GetWindowRect(window, &top);
    ::GetWindowRect(under, &below);
    const LONG dx = (top.left + top.right) / 2 - (below.left + below.right) / 2;
    const LONG dy = (top.top + top.bottom) / 2 - (below.top + below.bottom) / 2;
    if (dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "centre is off by (" << dx << ", " << dy << ") at (" << top.left << ", "
                                         << top.top << ")";
}

TEST(WhenPrintedDialog, OpensCentredOverTheDisabledBuilderWithSortedDefaultsTheFirstChosenAndFocusOnOk)
{
    QueryRun run("T", kColumns, "SELECT id FROM T ");
    HWND builder = run.Dialog();
    ASSERT_NE(builder, nullptr);
    ASSERT_TRUE(run.ClickColumnCheck(kWpItem));
    WhenPrintedAsk ask(run.ThreadId());
    ASSERT_NE(ask.Window(), nullptr);

    EXPECT_EQ(ask.Choices(), (std::vector<std::string>{"*", "ID", "NAME", "ZETA"}));
    EXPECT_EQ(ask.Chosen(), "*");
    EXPECT_EQ(ask.Prompt(), "");
    EXPECT_EQ(ask.FocusedId(), IDOK);
    EXPECT_EQ(::GetWindow(ask.Window(), GW_OWNER), builder);
    // In the middle of the builder, not on its corner, where it hid the caption.
    EXPECT_TRUE(IsCentredOver(ask.Window(), builder));
    EXPECT_FALSE(harness::IsEnabled(builder)) << "the builder waits for the answer";

    ASSERT_TRUE(ask.TypePrompt("First"));
    ASSERT_TRUE(ask.Accept());
    EXPECT_TRUE(harness::WaitUntil([&] { return harness::IsEnabled(builder); }));
    ASSERT_TRUE(run.PreviewBecomes("SELECT {'First'|'*'} FROM T "));

    // The next question starts afresh, whatever was typed before; Escape cancels it
    // (only the builder ignores Escape) and the accepted text stays in the preview.
    ASSERT_TRUE(run.ClickColumnCheck(3));
    WhenPrintedAsk again(run.ThreadId());
    ASSERT_NE(again.Window(), nullptr);
    EXPECT_EQ(again.Prompt(), "");
    EXPECT_EQ(again.Chosen(), "*");
    EXPECT_EQ(again.FocusedId(), IDOK);
    ASSERT_TRUE(again.AnswerByKey(VK_ESCAPE));
    harness::PumpMessagesFor(100);
    EXPECT_EQ(run.Preview(), "SELECT {'First'|'*'} FROM T ");
    ASSERT_TRUE(run.Click(IDCANCEL));
    ASSERT_TRUE(run.Finish());
}

TEST(WhenPrintedDialog, QuotesBarsAndBracesTypedInThePromptReachTheHostUnchanged)
{
    const std::string prompt = "It's {a|b} \"q\" }|{'";
    const std::string text = "{'" + prompt + "'|'NAME'}";
    QueryRun run("T", kColumns, "SELECT id FROM T ");
    HWND builder = run.Dialog();
    ASSERT_NE(builder, nullptr);
    ASSERT_TRUE(run.ClickColumnCheck(kWpItem));
    WhenPrintedAsk ask(run.ThreadId());
    ASSERT_NE(ask.Window(), nullptr);
    ASSERT_TRUE(ask.TypePrompt(prompt));
    ASSERT_TRUE(ChooseInComboBox(harness::FindControl(ask.Window(), WhenPrintedAsk::kDefault), "NAME"));
    ASSERT_TRUE(harness::WaitUntil([&] { return ask.Chosen() == "NAME"; }));
    EXPECT_TRUE(KeepScreenshotOfBoth(builder, ask.Window(), "when_printed_over_builder.bmp"));
    ASSERT_TRUE(ask.Accept());
    ASSERT_TRUE(run.PreviewBecomes("SELECT " + text + " FROM T "));
    harness::PumpMessagesFor(200);
    EXPECT_TRUE(harness::SaveBmp(harness::CaptureWindow(builder), harness::ScreenshotPath("builder_when_printed.bmp")));

    ASSERT_TRUE(run.Click(IDOK));
    ASSERT_TRUE(run.Finish());
    EXPECT_EQ(run.Result(), 0);
    EXPECT_EQ(run.ReturnedText(), "SELECT " + text + " FROM T ");
}

}  // namespace
