// The When Printed variable dialog run modally and operated like a user: what it shows
// when it opens, the text it builds from what is typed and chosen, Cancel, and reruns.
#include <gtest/gtest.h>

#include "ControlsTestSupport.h"
#include "dialog/DefaultWpData.h"
#include "resources/resource.h"

using namespace harness;

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
    // As every run opens: the choices sorted, the first selected, an empty prompt, OK focused.
    void ExpectFreshForm(const std::vector<std::string>& sortedChoices)
    {
        EXPECT_EQ(ComboItems(choices), sortedChoices);
        EXPECT_EQ(ComboSelection(choices), 0);
        EXPECT_EQ(ComboText(choices), sortedChoices.front());
        EXPECT_EQ(WindowText(prompt), "");
        EXPECT_EQ(FocusedWindow(window), ok);
    }

    ModalCall call;
    HWND window = nullptr;
    HWND prompt = nullptr;
    HWND choices = nullptr;
    HWND ok = nullptr;
    HWND cancel = nullptr;
};

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
TEST(WhenPrintedDialog, AKeyboardChoiceIsTheDefaultPartAndASecondRunStartsFresh)
{
    CDefaultWpData dialog;
    dialog.SetDefaultList(Choices({"NAME", "ID", "AMOUNT"}));
    {
        WhenPrintedRun run(dialog);
        ASSERT_TRUE(run.Opened());
        run.ExpectFreshForm({"AMOUNT", "ID", "NAME"});
        ASSERT_TRUE(run.TypePrompt("Sort by?"));
        ASSERT_TRUE(FocusControl(run.choices));
        ASSERT_TRUE(PressKey(VK_DOWN));
        ASSERT_TRUE(WaitUntil([&] { return ComboText(run.choices) == "ID"; }));
        ASSERT_TRUE(ClickCenter(run.ok));
        ASSERT_TRUE(run.call.Finish(kDefaultTimeoutMs));
        EXPECT_EQ(run.call.Result(), IDOK);
        ASSERT_STREQ(dialog.GetResult(), "{'Sort by?'|'ID'}");
    }
    {
        WhenPrintedRun run(dialog);
        ASSERT_TRUE(run.Opened());
        run.ExpectFreshForm({"AMOUNT", "ID", "NAME"});
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
