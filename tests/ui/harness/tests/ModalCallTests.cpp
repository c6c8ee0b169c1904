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
    EXPECT_EQ(::GetWindowThreadProcessId(dialog, nullptr), call.ThreadId());
    EXPECT_NE(call.ThreadId(), ::GetCurrentThreadId());
    EXPECT_TRUE(call.IsRunning());

    ASSERT_TRUE(ClickCenter(FindControl(dialog, IDOK)));
    ASSERT_TRUE(call.Finish(kDefaultTimeoutMs));
    EXPECT_EQ(call.Result(), IDOK);
    EXPECT_FALSE(::IsWindow(dialog));
}

TEST(ModalCall, WindowSearchHonoursCaptionThreadAndTimeout)
{
    testdialog::Options options;
    ModalCall call([&] { return testdialog::Run(options); });
    ASSERT_NE(WaitForWindow(testdialog::kCaption, call.ThreadId()), nullptr);

    const DWORD start = ::GetTickCount();
    EXPECT_EQ(WaitForWindow("No Such Caption", 0, 300), nullptr);
    EXPECT_GE(::GetTickCount() - start, 250u);
    EXPECT_EQ(FindTopLevelWindow(testdialog::kCaption, ::GetCurrentThreadId()), nullptr);
    EXPECT_EQ(FindTopLevelWindow("Harness Test", call.ThreadId()), nullptr);  // whole caption only
    EXPECT_FALSE(call.Finish(0));  // still open: the timeout path closes it
    EXPECT_FALSE(call.IsRunning());
}

TEST(ModalCall, TimeoutClosesAForgottenDialogAndReportsIt)
{
    testdialog::Options options;
    ModalCall call([&] { return testdialog::Run(options); });
    ASSERT_NE(WaitForWindow(testdialog::kCaption, call.ThreadId()), nullptr);

    const ::testing::AssertionResult finished = call.Finish(200);
    EXPECT_FALSE(finished);
    EXPECT_NE(std::string(finished.message()).find(testdialog::kCaption), std::string::npos) << finished.message();
    EXPECT_FALSE(call.IsRunning());
    EXPECT_EQ(call.Result(), IDCANCEL);
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

TEST(ModalCall, DestructorEndsACallThatIsStillRunning)
{
    testdialog::Options options;
    DWORD threadId = 0;
    {
        ModalCall call([&] { return testdialog::Run(options); });
        threadId = call.ThreadId();
        ASSERT_NE(WaitForWindow(testdialog::kCaption, threadId), nullptr);
    }
    EXPECT_TRUE(TopLevelWindows(threadId).empty());
    HANDLE thread = ::OpenThread(SYNCHRONIZE, FALSE, threadId);
    if (thread) {
        EXPECT_EQ(::WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
        ::CloseHandle(thread);
    }
}
