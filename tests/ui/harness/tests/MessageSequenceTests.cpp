// The sequence comparison (optional entries, what a mismatch reports) and the
// recorder's subclassing of a window that belongs to another thread.
#include <gtest/gtest.h>

#include "Harness.h"
#include "TestDialog.h"

using namespace harness;

namespace {
RecordedMessage CommandFrom(int id, UINT code)
{
    return RecordedMessage{WM_COMMAND, MAKEWPARAM(id, code), 0, 0, 0};
}
RecordedMessage NotifyFrom(int id, UINT code)
{
    return RecordedMessage{WM_NOTIFY, static_cast<WPARAM>(id), 0, code, static_cast<UINT_PTR>(id)};
}
}  // namespace

TEST(MessageSequence, MatchesExactlyAndSkipsOnlyOptionalEntries)
{
    const std::vector<RecordedMessage> got{CommandFrom(5, BN_CLICKED), NotifyFrom(7, 42)};
    EXPECT_TRUE(MatchesSequence(got, {Command(5, BN_CLICKED), Notify(7, 42)}));
    EXPECT_TRUE(MatchesSequence(got, {Command(5, BN_SETFOCUS, kOptional), Command(5, BN_CLICKED),
                                      Notify(7, 41, kOptional), Notify(7, 42), Notify(7, 43, kOptional)}));
    EXPECT_TRUE(MatchesSequence({}, {Command(5, BN_CLICKED, kOptional)}));
    // Without kWParam only the message number counts.
    EXPECT_TRUE(MatchesSequence(got, {ExpectedMessage{WM_COMMAND}, ExpectedMessage{WM_NOTIFY}}));
}

TEST(MessageSequence, ReportsTheFirstDifferenceWithBothSequences)
{
    const std::vector<RecordedMessage> got{CommandFrom(5, BN_CLICKED), CommandFrom(6, BN_CLICKED)};

    const auto wrongId = MatchesSequence(got, {Command(5, BN_CLICKED), Command(7, BN_CLICKED)});
    ASSERT_FALSE(wrongId);
    const std::string report = wrongId.message();
    EXPECT_NE(report.find("at 1: expected WM_COMMAND id 7 code 0, got WM_COMMAND id 6 code 0"), std::string::npos)
        << report;
    EXPECT_NE(report.find("recorded:"), std::string::npos);

    const auto missing = MatchesSequence(got, {Command(5, BN_CLICKED), Command(6, BN_CLICKED), Notify(1, 2)});
    ASSERT_FALSE(missing);
    EXPECT_NE(std::string(missing.message()).find("missing WM_NOTIFY id 1 code 2"), std::string::npos);

    const auto extra = MatchesSequence(got, {Command(5, BN_CLICKED)});
    ASSERT_FALSE(extra);
    EXPECT_NE(std::string(extra.message()).find("unexpected WM_COMMAND id 6"), std::string::npos);

    // An optional entry never swallows a required one that follows it.
    EXPECT_FALSE(MatchesSequence(got, {Command(5, BN_CLICKED), Command(6, BN_CLICKED, kOptional), Command(6, BN_CLICKED)}));
    EXPECT_FALSE(MatchesSequence({NotifyFrom(7, 42)}, {Notify(7, 43)}));
    EXPECT_FALSE(MatchesSequence({RecordedMessage{WM_USER, 1, 2, 0, 0}},
                                 {ExpectedMessage{WM_USER, kWParam | kLParam, 1, 3, 0}}));
}

TEST(MessageRecorder, LogsTheChosenMessagesOfAnotherThreadsWindowAndDetachesCleanly)
{
    testdialog::Options options;
    ModalCall call([&] { return testdialog::Run(options); });
    HWND dialog = WaitForWindow(testdialog::kCaption, call.ThreadId());
    ASSERT_NE(dialog, nullptr);
    const LONG_PTR original = ::GetWindowLongPtrA(dialog, GWLP_WNDPROC);
    const UINT custom = ::RegisterWindowMessageA("QuervixHarness.Test.Custom");
    {
        MessageRecorder recorder(dialog, {WM_COMMAND, custom});
        ::SendMessageA(dialog, custom, 3, 4);
        ::SendMessageA(dialog, WM_USER + 7, 0, 0);  // not chosen: not logged
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_TEST_BUTTON, BN_CLICKED), 0);
        EXPECT_TRUE(recorder.Matches({ExpectedMessage{custom, kWParam | kLParam, 3, 4, 0},
                                      Command(IDC_TEST_BUTTON, BN_CLICKED)}));
        EXPECT_EQ(options.buttonPresses, 1);  // the dialog still got it
    }
    EXPECT_EQ(::GetWindowLongPtrA(dialog, GWLP_WNDPROC), original);

    // A window destroyed under the recorder takes the subclass with it.
    MessageRecorder recorder(dialog, {WM_COMMAND});
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(call.Finish(kDefaultTimeoutMs));
    EXPECT_FALSE(recorder.IsAttached());
    EXPECT_TRUE(recorder.Matches({ExpectedMessage{WM_COMMAND, kWParam, IDCANCEL, 0, 0}}));
}
