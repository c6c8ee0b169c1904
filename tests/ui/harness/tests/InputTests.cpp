// Real input through SendInput against a dialog on another thread: clicks toggle and
// press, typing reaches an edit, list box items and list view cells are hit, and the
// notifications the parent sees are the ones a user's action produces.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "Harness.h"
#include "TestDialog.h"

using namespace harness;

namespace {
class DriverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_call = std::make_unique<ModalCall>([this] { return testdialog::Run(m_options); });
        m_dialog = WaitForWindow(testdialog::kCaption, m_call->ThreadId());
        ASSERT_NE(m_dialog, nullptr);
    }
    void TearDown() override
    {
        if (::IsWindow(m_dialog)) ::PostMessageA(m_dialog, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(m_call->Finish(kDefaultTimeoutMs));
        // Keeps the next test's first click from pairing with this test's last one.
        ::Sleep(::GetDoubleClickTime() + 50);
    }
    HWND Control(int id) { return FindControl(m_dialog, id); }

    testdialog::Options m_options;
    std::unique_ptr<ModalCall> m_call;
    HWND m_dialog = nullptr;
};
}  // namespace

TEST_F(DriverTest, ClicksToggleACheckBoxAndTheParentSeesEachClick)
{
    HWND box = Control(testdialog::kCheckBoxId);
    MessageRecorder recorder(m_dialog);
    ASSERT_EQ(ButtonCheck(box), BST_UNCHECKED);

    ASSERT_TRUE(ClickAt(box, POINT{6, 8}));
    EXPECT_TRUE(WaitUntil([&] { return ButtonCheck(box) == BST_CHECKED; }));
    ::Sleep(::GetDoubleClickTime() + 50);
    ASSERT_TRUE(ClickCenter(box));
    EXPECT_TRUE(WaitUntil([&] { return ButtonCheck(box) == BST_UNCHECKED; }));

    ASSERT_TRUE(recorder.WaitForCount(2));
    EXPECT_TRUE(recorder.Matches({Command(testdialog::kCheckBoxId, BN_CLICKED),
                                  Command(testdialog::kCheckBoxId, BN_CLICKED)}));
}

TEST_F(DriverTest, AClickPressesAButtonOnceAndFocusesIt)
{
    HWND button = Control(testdialog::kButtonId);
    MessageRecorder recorder(m_dialog);
    ASSERT_TRUE(ClickCenter(button));
    EXPECT_TRUE(WaitUntil([&] { return m_options.buttonPresses == 1; }));
    EXPECT_EQ(FocusedWindow(m_dialog), button);
    EXPECT_TRUE(recorder.Matches({Command(testdialog::kButtonId, BN_CLICKED)}));
    EXPECT_EQ(m_options.buttonPresses, 1);
}

TEST_F(DriverTest, KeysReachTheFocusedControl)
{
    HWND box = Control(testdialog::kCheckBoxId);
    ASSERT_TRUE(FocusControl(box));
    ASSERT_TRUE(PressKey(VK_SPACE));
    EXPECT_TRUE(WaitUntil([&] { return ButtonCheck(box) == BST_CHECKED; }));

    // Alt+P is the push button's mnemonic.
    ASSERT_TRUE(PressKey('P', kAlt));
    EXPECT_TRUE(WaitUntil([&] { return m_options.buttonPresses == 1; }));
}

TEST_F(DriverTest, TypedTextArrivesInTheEditAsTyped)
{
    HWND edit = Control(testdialog::kEditId);
    MessageRecorder recorder(m_dialog);
    ASSERT_TRUE(ClickCenter(edit));
    ASSERT_EQ(FocusedWindow(m_dialog), edit);
    const std::string typed = "SELECT [Unit Price], \"x\" <> 'y' & 42%!";
    ASSERT_TRUE(TypeText(typed));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(edit) == typed; })) << WindowText(edit);

    ASSERT_TRUE(PressKey(VK_BACK));
    ASSERT_TRUE(PressKey(VK_HOME));
    ASSERT_TRUE(PressKey(VK_DELETE));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(edit) == typed.substr(1, typed.size() - 2); }))
        << WindowText(edit);

    // Focus arrives first, then one EN_CHANGE per edit (with EN_UPDATE before each).
    const auto messages = recorder.Messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.front().wParam, MAKEWPARAM(testdialog::kEditId, EN_SETFOCUS));
    size_t changes = 0;
    for (const auto& m : messages) changes += m.wParam == MAKEWPARAM(testdialog::kEditId, EN_CHANGE);
    EXPECT_EQ(changes, typed.size() + 2);
}

TEST_F(DriverTest, ListBoxItemsAreClickedAndReadBack)
{
    HWND list = Control(testdialog::kListBoxId);
    EXPECT_EQ(ListBoxItems(list), (std::vector<std::string>{"alpha", "beta", "gamma", "delta"}));
    EXPECT_EQ(ListBoxSelection(list), LB_ERR);
    MessageRecorder recorder(m_dialog);

    ASSERT_TRUE(ClickListBoxItem(list, 2));
    EXPECT_TRUE(WaitUntil([&] { return ListBoxSelection(list) == 2; }));
    ::Sleep(::GetDoubleClickTime() + 50);
    ASSERT_TRUE(DoubleClickListBoxItem(list, 1, 4));
    EXPECT_TRUE(WaitUntil([&] { return recorder.Messages().size() >= 4; }));
    EXPECT_EQ(ListBoxSelection(list), 1);
    EXPECT_EQ(ListBoxItem(list, ListBoxSelection(list)), "beta");

    const int id = testdialog::kListBoxId;
    EXPECT_TRUE(recorder.Matches({Command(id, LBN_SETFOCUS, kOptional), Command(id, LBN_SELCHANGE),
                                  Command(id, LBN_SELCHANGE), Command(id, LBN_DBLCLK)}));
    POINT outside{};
    EXPECT_FALSE(ListBoxItemPoint(list, 40, -1, outside));

    ::SendMessageA(list, LB_SETITEMDATA, 3, 1);
    EXPECT_EQ(ListBoxChecks(list), (std::vector<int>{0, 0, 0, 1}));
}

TEST_F(DriverTest, ListViewCellsAreClickedAndReadBack)
{
    HWND view = Control(testdialog::kListViewId);
    EXPECT_EQ(ListViewColumnCount(view), 2);
    EXPECT_EQ(ListViewRows(view),
              (std::vector<std::vector<std::string>>{{"ID", "1"}, {"Name", "Ada"}, {"City", "Bern"}}));
    EXPECT_EQ(ListViewSelectedRow(view), -1);

    RECT first{}, second{};
    ASSERT_TRUE(ListViewCellRect(view, 1, 0, first));
    ASSERT_TRUE(ListViewCellRect(view, 1, 1, second));
    EXPECT_EQ(first.right, second.left);  // column 0 ends where column 1 begins
    EXPECT_EQ(first.top, second.top);

    MessageRecorder recorder(m_dialog);
    ASSERT_TRUE(ClickListViewCell(view, 2, 1));
    EXPECT_TRUE(WaitUntil([&] { return ListViewSelectedRow(view) == 2; }));
    EXPECT_TRUE(ListViewRowSelected(view, 2));
    EXPECT_FALSE(ListViewRowSelected(view, 1));
    ASSERT_TRUE(WaitUntil([&] {
        for (const auto& m : recorder.Messages())
            if (m.notifyCode == static_cast<UINT>(NM_CLICK)) return true;
        return false;
    }));

    const int id = testdialog::kListViewId;
    // Selecting the row, then the click; focus and capture notices come where the
    // list view's version puts them (Wine sends NM_RELEASEDCAPTURE first). Under Wine
    // on Xvfb focus sometimes bounces (NM_KILLFOCUS, NM_SETFOCUS) after the click.
    auto messages = recorder.Messages();
    const auto click = std::find_if(messages.begin(), messages.end(),
                                    [](const RecordedMessage& m) { return m.notifyCode == static_cast<UINT>(NM_CLICK); });
    messages.erase(click + 1, messages.end());
    EXPECT_TRUE(MatchesSequence(messages, {Notify(id, NM_RELEASEDCAPTURE, kOptional), Notify(id, NM_SETFOCUS, kOptional),
                                           Notify(id, LVN_ITEMCHANGING), Notify(id, LVN_ITEMCHANGED),
                                           Notify(id, NM_SETFOCUS, kOptional), Notify(id, NM_RELEASEDCAPTURE, kOptional),
                                           Notify(id, NM_CLICK)}));
    EXPECT_EQ(ListViewCell(view, 2, 1), "Bern");
}

TEST_F(DriverTest, DisabledControlsAreReportedAndIgnoreClicks)
{
    HWND button = Control(testdialog::kButtonId);
    ::EnableWindow(button, FALSE);
    EXPECT_FALSE(IsEnabled(button));
    EXPECT_TRUE(IsVisible(button));
    ASSERT_TRUE(ClickCenter(button));
    PumpMessagesFor(100);
    EXPECT_EQ(m_options.buttonPresses, 0);
}
