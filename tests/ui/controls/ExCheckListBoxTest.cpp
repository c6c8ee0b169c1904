// The column list's tool tips: one over an item and none below the last, and the text
// requests answer each item's text in both character forms, cut to the 79 characters a
// request carries.
#include <gtest/gtest.h>

#include <string>

#include "ControlsTestSupport.h"

using namespace harness;
using controls_test::HostRun;

namespace {

const std::string kLongName =
    "CUSTOMER_ACCOUNT_RECEIVABLE_BALANCE_CARRIED_FORWARD_FROM_THE_PREVIOUS_FINANCIAL_YEAR_IN_HOME_CURRENCY";

HostOptions ColumnsOf(std::vector<std::string> columns)
{
    HostOptions options;
    options.columns = std::move(columns);
    return options;
}

std::string TipText(HWND tip) { return IsVisible(tip) ? WindowText(tip) : std::string(); }

// Below the last item there is no tool: a tip shown over an item goes and stays away.
TEST(ExCheckListBoxTips, ATipShowsOverAnItemAndNoneBelowTheLast)
{
    ControlsHost host(ColumnsOf({"*", "NAME"}));
    HostRun run(host);
    ASSERT_TRUE(run.Opened());
    ASSERT_TRUE(BringToForeground(run.window));

    POINT item{};
    ASSERT_TRUE(ListBoxItemPoint(run.list, 1, 30, item));
    ASSERT_TRUE(MoveMouseTo(run.list, item));
    // The tip control comes with the first mouse message.
    HWND tip = host.columns.GetToolTipWindow();
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return TipText(tip) == "NAME"; })) << "tip shows \"" << TipText(tip) << "\"";
    RECT client{};
    ::GetClientRect(run.list, &client);
    ASSERT_TRUE(MoveMouseTo(run.list, POINT{30, client.bottom - 4}));
    EXPECT_TRUE(WaitUntil([&] { return !IsVisible(tip); }));
    EXPECT_FALSE(WaitUntil([&] { return IsVisible(tip); }, 1500));

    EXPECT_TRUE(run.Close());
}

// The requests the tip control sends, sent the same way from here: the list answers
// every item's text, narrow and wide, cut alike, and nothing for an item it lacks.
TEST(ExCheckListBoxTips, TextRequestsAnswerEachItemInBothForms)
{
    ControlsHost host(ColumnsOf({"*", kLongName, "NAME"}));
    HostRun run(host);
    ASSERT_TRUE(run.Opened());
    HWND tip = host.columns.GetToolTipWindow();

    auto narrow = [&](UINT_PTR id, LRESULT& result) {
        NMTTDISPINFOA info{};
        info.hdr = NMHDR{tip, id, TTN_NEEDTEXTA};
        ::lstrcpyA(info.szText, "untouched");
        result = Query(run.list, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        return std::string(info.szText);
    };
    auto wide = [&](UINT_PTR id) {
        NMTTDISPINFOW info{};
        info.hdr = NMHDR{tip, id, TTN_NEEDTEXTW};
        ::lstrcpyW(info.szText, L"untouched");
        Query(run.list, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        return std::wstring(info.szText);
    };

    LRESULT result = -1;
    EXPECT_EQ(narrow(0, result), "*");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(narrow(1, result), kLongName.substr(0, 79));
    EXPECT_EQ(narrow(2, result), "NAME");
    EXPECT_EQ(narrow(3, result), "");
    EXPECT_EQ(narrow(40000, result), "");

    const std::wstring longWide(kLongName.begin(), kLongName.begin() + 79);
    EXPECT_EQ(wide(0), L"*");
    EXPECT_TRUE(wide(1) == longWide);
    EXPECT_TRUE(wide(2) == L"NAME");
    EXPECT_TRUE(wide(3) == L"untouched");  // no text: the buffer is left as it was

    EXPECT_TRUE(run.Close());
}

}  // namespace
