// The When Printed variable dialog run modally and operated like a user: what it shows
// when it opens, the text it builds from what is typed and chosen, Cancel, and reruns.
#include <gtest/gtest.h>

#include "ControlsTestSupport.h"
#include "Harness.h"
#include "dialog/DefaultWpData.h"
#include "resources/resource.h"

using namespace harness;
using controls_test::KeepScreenshot;

namespace {

constexpr const char* kCaption = "When Printed variable";

CStringArray Choices(std::initializer_list<const char*> names)
{
    CStringArray list;
    for (const char* name : names) list.Add(name);
    return list;
}

// One modal run of the dialog on its own thread, with its window and controls found.
struct WhenPrintedRun {
    explicit WhenPrintedRun(CDefaultWpData& dialog) : call([&dialog] { return dialog.DoModal(); })
    {
        window = WaitForWindow(kCaption, call.ThreadId());
        if (!window) return;
        prompt = FindControl(window, IDC_WP_PROMPT);
        choices = FindControl(window, IDC_WP_DEFAULT);
        ok = FindControl(window, IDOK);
        cancel = FindControl(window, IDCANCEL);
    }
    bool Opened() const { return window && prompt && choices && ok && cancel; }
    bool TypePrompt(const std::string& text) { return ClickCenter(prompt) && TypeText(text); }

    ModalCall call;
    HWND window = nullptr;
    HWND prompt = nullptr;
    HWND choices = nullptr;
    HWND ok = nullptr;
    HWND cancel = nullptr;
};

TEST(WhenPrintedDialog, OpensWithTheChoicesSortedTheFirstSelectedAnEmptyPromptAndTheFocusOnOK)
{
    CDefaultWpData dialog;
    dialog.SetDefaultList(Choices({"NAME", "ID", "AMOUNT"}));
    WhenPrintedRun run(dialog);
    ASSERT_TRUE(run.Opened());

    EXPECT_EQ(ComboItems(run.choices), (std::vector<std::string>{"AMOUNT", "ID", "NAME"}));
    EXPECT_EQ(ComboSelection(run.choices), 0);
    EXPECT_EQ(ComboText(run.choices), "AMOUNT");
    EXPECT_EQ(WindowText(run.prompt), "");
    EXPECT_EQ(FocusedWindow(run.window), run.ok);

    ASSERT_TRUE(ClickCenter(run.cancel));
    ASSERT_TRUE(run.call.Finish(kDefaultTimeoutMs));
}

TEST(WhenPrintedDialog, TypedQuotesBarsAndBracesGoIntoTheTextUnchanged)
{
    CDefaultWpData dialog;
    dialog.SetDefaultList(Choices({"NAME", "ID"}));
    WhenPrintedRun run(dialog);
    ASSERT_TRUE(run.Opened());

    ASSERT_TRUE(run.TypePrompt("a'b|c}"));
    ASSERT_TRUE(WaitUntil([&] { return WindowText(run.prompt) == "a'b|c}"; }));
    KeepScreenshot(CaptureWindow(run.window), "when_printed_dialog.bmp");
    ASSERT_TRUE(ClickCenter(run.ok));
    ASSERT_TRUE(run.call.Finish(kDefaultTimeoutMs));

    EXPECT_EQ(run.call.Result(), IDOK);
    EXPECT_STREQ(dialog.GetResult(), "{'a'b|c}'|'ID'}");
}

TEST(WhenPrintedDialog, AChoiceMadeWithTheKeyboardIsTheDefaultPart)
{
    CDefaultWpData dialog;
    dialog.SetDefaultList(Choices({"NAME", "ID"}));
    WhenPrintedRun run(dialog);
    ASSERT_TRUE(run.Opened());

    ASSERT_TRUE(run.TypePrompt("Sort by?"));
    ASSERT_TRUE(FocusControl(run.choices));
    ASSERT_TRUE(PressKey(VK_DOWN));
    ASSERT_TRUE(WaitUntil([&] { return ComboText(run.choices) == "NAME"; }));
    ASSERT_TRUE(ClickCenter(run.ok));
    ASSERT_TRUE(run.call.Finish(kDefaultTimeoutMs));

    EXPECT_EQ(run.call.Result(), IDOK);
    EXPECT_STREQ(dialog.GetResult(), "{'Sort by?'|'NAME'}");
}

TEST(WhenPrintedDialog, EnterAtOnceGivesAnEmptyPromptWithTheFirstChoice)
{
    CDefaultWpData dialog;
    dialog.SetDefaultList(Choices({"NAME", "ID"}));
    WhenPrintedRun run(dialog);
    ASSERT_TRUE(run.Opened());

    ASSERT_TRUE(BringToForeground(run.window));
    ASSERT_TRUE(PressKey(VK_RETURN));
    ASSERT_TRUE(run.call.Finish(kDefaultTimeoutMs));

    EXPECT_EQ(run.call.Result(), IDOK);
    EXPECT_STREQ(dialog.GetResult(), "{''|'ID'}");
}

TEST(WhenPrintedDialog, WithoutChoicesTheDefaultPartIsEmpty)
{
    CDefaultWpData dialog;
    WhenPrintedRun run(dialog);
    ASSERT_TRUE(run.Opened());
    EXPECT_EQ(ComboItems(run.choices), std::vector<std::string>{});
    EXPECT_EQ(ComboSelection(run.choices), CB_ERR);

    ASSERT_TRUE(run.TypePrompt("Which table?"));
    ASSERT_TRUE(ClickCenter(run.ok));
    ASSERT_TRUE(run.call.Finish(kDefaultTimeoutMs));

    EXPECT_EQ(run.call.Result(), IDOK);
    EXPECT_STREQ(dialog.GetResult(), "{'Which table?'|''}");
}

TEST(WhenPrintedDialog, CancelAndTheCloseBoxGiveNoText)
{
    CDefaultWpData dialog;
    dialog.SetDefaultList(Choices({"ID"}));
    {
        WhenPrintedRun run(dialog);
        ASSERT_TRUE(run.Opened());
        ASSERT_TRUE(run.TypePrompt("typed, then cancelled"));
        ASSERT_TRUE(ClickCenter(run.cancel));
        ASSERT_TRUE(run.call.Finish(kDefaultTimeoutMs));
        EXPECT_EQ(run.call.Result(), IDCANCEL);
        EXPECT_STREQ(dialog.GetResult(), "");
    }
    {
        WhenPrintedRun run(dialog);
        ASSERT_TRUE(run.Opened());
        ASSERT_TRUE(run.TypePrompt("closed"));
        ASSERT_TRUE(PressKey(VK_F4, kAlt));
        ASSERT_TRUE(run.call.Finish(kDefaultTimeoutMs));
        EXPECT_EQ(run.call.Result(), IDCANCEL);
        EXPECT_STREQ(dialog.GetResult(), "");
    }
}

// The same object run twice: what the first run entered and built is gone in the second.
TEST(WhenPrintedDialog, ASecondRunStartsFresh)
{
    CDefaultWpData dialog;
    dialog.SetDefaultList(Choices({"NAME", "ID"}));
    {
        WhenPrintedRun run(dialog);
        ASSERT_TRUE(run.Opened());
        ASSERT_TRUE(run.TypePrompt("first"));
        ASSERT_TRUE(FocusControl(run.choices));
        ASSERT_TRUE(PressKey(VK_DOWN));
        ASSERT_TRUE(WaitUntil([&] { return ComboText(run.choices) == "NAME"; }));
        ASSERT_TRUE(ClickCenter(run.ok));
        ASSERT_TRUE(run.call.Finish(kDefaultTimeoutMs));
        ASSERT_STREQ(dialog.GetResult(), "{'first'|'NAME'}");
    }
    {
        WhenPrintedRun run(dialog);
        ASSERT_TRUE(run.Opened());
        EXPECT_EQ(WindowText(run.prompt), "");
        EXPECT_EQ(ComboText(run.choices), "ID");
        EXPECT_EQ(ComboItems(run.choices), (std::vector<std::string>{"ID", "NAME"}));
        EXPECT_EQ(FocusedWindow(run.window), run.ok);
        ASSERT_TRUE(ClickCenter(run.cancel));
        ASSERT_TRUE(run.call.Finish(kDefaultTimeoutMs));
        EXPECT_EQ(run.call.Result(), IDCANCEL);
        EXPECT_STREQ(dialog.GetResult(), "");
    }
}

TEST(WhenPrintedDialog, RunsLeaveNoWindowsOrGdiObjectsBehind)
{
    CDefaultWpData dialog;
    dialog.SetDefaultList(Choices({"NAME", "ID", "AMOUNT"}));
    EXPECT_TRUE(LeavesNoObjectsBehind([&] {
        WhenPrintedRun run(dialog);
        ASSERT_TRUE(run.Opened());
        ASSERT_TRUE(ClickCenter(run.ok));
        ASSERT_TRUE(run.call.Finish(kDefaultTimeoutMs));
    }));
}

}  // namespace
