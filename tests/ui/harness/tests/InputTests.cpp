// Real input through SendInput against a dialog on another thread: clicks toggle and
// press, keys and typed text reach the focused control, list box items and list view
// cells are hit where a user would aim.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

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
    HWND box = Control(IDC_TEST_CHECKBOX);
    MessageRecorder recorder(m_dialog);
    ASSERT_EQ(ButtonCheck(box), BST_UNCHECKED);

    ASSERT_TRUE(ClickAt(box, POINT{6, 8}));
    EXPECT_TRUE(WaitUntil([&] { return ButtonCheck(box) == BST_CHECKED; }));
    ::Sleep(::GetDoubleClickTime() + 50);
    ASSERT_TRUE(ClickCenter(box));
    EXPECT_TRUE(WaitUntil([&] { return ButtonCheck(box) == BST_UNCHECKED; }));

    ASSERT_TRUE(recorder.WaitForCount(2));
    EXPECT_TRUE(recorder.Matches({Command(IDC_TEST_CHECKBOX, BN_CLICKED),
                                  Command(IDC_TEST_CHECKBOX, BN_CLICKED)}));
}

TEST_F(DriverTest, KeysReachTheFocusedControl)
{
    HWND box = Control(IDC_TEST_CHECKBOX);
    ASSERT_TRUE(FocusControl(box));
    ASSERT_TRUE(PressKey(VK_SPACE));
    EXPECT_TRUE(WaitUntil([&] { return ButtonCheck(box) == BST_CHECKED; }));

    // Alt+P is the push button's mnemonic: a chord with its modifier held.
    ASSERT_TRUE(PressKey('P', kAlt));
    EXPECT_TRUE(WaitUntil([&] { return m_options.buttonPresses == 1; }));
    PumpMessagesFor(100);
    EXPECT_EQ(m_options.buttonPresses, 1);
}

TEST_F(DriverTest, TypedTextArrivesInTheEditAsTyped)
{
    HWND edit = Control(IDC_TEST_EDIT);
    ASSERT_TRUE(ClickCenter(edit));
    ASSERT_EQ(FocusedWindow(m_dialog), edit);
    const std::string typed = "SELECT [Unit Price], \"x\" <> 'y' & 42%!";
    ASSERT_TRUE(TypeText(typed));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(edit) == typed; })) << WindowText(edit);

    ASSERT_TRUE(PressKey(VK_BACK));
    ASSERT_TRUE(PressKey(VK_HOME));
    ASSERT_TRUE(PressKey(VK_DELETE));  // an extended key: Home and Delete, not the keypad's 7 and dot
    EXPECT_TRUE(WaitUntil([&] { return WindowText(edit) == typed.substr(1, typed.size() - 2); }))
        << WindowText(edit);
}

TEST_F(DriverTest, ListBoxItemsAndListViewCellsAreHitWhereAUserAims)
{
    HWND list = Control(IDC_TEST_LISTBOX);
    EXPECT_EQ(ListBoxItems(list), (std::vector<std::string>{"alpha", "beta", "gamma", "delta"}));
    ASSERT_TRUE(ClickListBoxItem(list, 2));
    EXPECT_TRUE(WaitUntil([&] { return ListBoxSelection(list) == 2; }));
    POINT outside{};
    EXPECT_FALSE(ListBoxItemPoint(list, 40, -1, outside));

    HWND view = Control(IDC_TEST_LISTVIEW);
    RECT first{}, second{};
    ASSERT_TRUE(ListViewCellRect(view, 1, 0, first));
    ASSERT_TRUE(ListViewCellRect(view, 1, 1, second));
    EXPECT_EQ(first.right, second.left);  // column 0 ends where column 1 begins
    EXPECT_EQ(first.top, second.top);
    ASSERT_TRUE(ClickListViewCell(view, 2, 1));
    EXPECT_TRUE(WaitUntil([&] { return ListViewSelectedRow(view) == 2; }));
    EXPECT_EQ(ListViewCell(view, 2, 1), "Bern");
}
