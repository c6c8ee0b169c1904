// The modal-call runner: a dialog on its own UI thread, found by caption and thread,
// and ended by the timeout path when nobody closes it.
#include <gtest/gtest.h>

#include "Harness.h"
#include "TestDialog.h"

using namespace harness;

TEST(ModalCall, RunsTheCallOnItsOwnThreadAndReturnsItsResult)
{
    testdialog::Options options;
    ModalCall call([&] { return testdialog::Run(options); });
    HWND dialog = WaitForWindow(testdialog::kCaption, call.ThreadId());
    ASSERT_NE(dialog, nullptr);
    EXPECT_NE(call.ThreadId(), ::GetCurrentThreadId());
    EXPECT_EQ(FindTopLevelWindow(testdialog::kCaption, ::GetCurrentThreadId()), nullptr);

    ASSERT_TRUE(ClickCenter(FindControl(dialog, IDOK)));
    ASSERT_TRUE(call.Finish(kDefaultTimeoutMs));
    EXPECT_EQ(call.Result(), IDOK);
    EXPECT_FALSE(::IsWindow(dialog));
}

TEST(ModalCall, TimeoutEndsADialogThatRefusesToClose)
{
    testdialog::Options options;
    options.stubborn = true;
    ModalCall call([&] { return testdialog::Run(options); });
    HWND dialog = WaitForWindow(testdialog::kCaption, call.ThreadId());
    ASSERT_NE(dialog, nullptr);

    // It really refuses: the polite requests alone leave it open.
    ::PostMessageA(dialog, WM_CLOSE, 0, 0);
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(call.WaitForReturn(300));

    EXPECT_FALSE(call.Finish(100));
    EXPECT_FALSE(call.IsRunning());
    EXPECT_FALSE(::IsWindow(dialog));
}

TEST(ModalCall, TimeoutClosesNestedModalWindowsTopFirst)
{
    testdialog::Options options;
    options.messageBoxOnTop = true;
    ModalCall call([&] { return testdialog::Run(options); });
    HWND dialog = WaitForWindow(testdialog::kCaption, call.ThreadId());
    HWND box = WaitForWindow("Harness Message", call.ThreadId());
    ASSERT_NE(dialog, nullptr);
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(IsEnabled(dialog));  // the message box is modal to it

    const ::testing::AssertionResult finished = call.Finish(100);
    EXPECT_FALSE(finished);
    const std::string report = finished.message();
    EXPECT_NE(report.find("Harness Message"), std::string::npos) << report;
    EXPECT_NE(report.find(testdialog::kCaption), std::string::npos) << report;
    EXPECT_LT(report.find("Harness Message"), report.find(testdialog::kCaption)) << report;
    EXPECT_FALSE(call.IsRunning());
}
