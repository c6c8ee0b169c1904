// CXComboList as the grid uses it: opened below a control of a running modal dialog that
// drops Enter and Escape (as the query builder does), driven with real keys and mouse.
#include <gtest/gtest.h>
#include <array>
#include <memory>
#include "Harness.h"
#include "grid/XComboList.h"
#include "module/RegisteredMessages.h"
#include "platform/Dialog.h"

namespace {

// wParam: entries | rows << 16 (0: focus the list again, as the grid's timer does); lParam: selection.
constexpr UINT WM_OPEN_LIST = WM_APP + 1;
const char* const kFruits[] = {"Apple", "Apricot", "Banana", "Cherry", "Date",  "Elder",
                               "Fig",   "Grape",   "Kiwi",   "Lemon",  "Mango", "Melon"};
const unsigned kArgs = harness::kWParam | harness::kLParam;  // both always 0

class Host : public CDialog {  // the list reports to the dialog
public:
    Host() : CDialog(100) {}
    const MessageMap* GetMessageMap() const override
    {
        static const MessageEntry entries[] = {msgmap::Message<&Host::OnOpen>(WM_OPEN_LIST)};
        static const MessageMap map(CDialog::StaticMessageMap(), entries);
        return &map;
    }
    // The last to see a key: a list not offered Enter or Escape before this never gets them.
    BOOL PreTranslateMessage(MSG* m) override
    {
        return (m->message == WM_KEYDOWN && (m->wParam == VK_RETURN || m->wParam == VK_ESCAPE)) ||
               CDialog::PreTranslateMessage(m);
    }
    // As the grid opens it below a cell; the height is not a whole number of rows.
    LRESULT OnOpen(WPARAM wParam, LPARAM selection)
    {
        CRect r;
        ::GetWindowRect(GetDlgItem(101), &r);
        const CString cls = AfxRegisterWndClass(CS_SAVEBITS | CS_CLASSDC, ::LoadCursor(nullptr, IDC_ARROW));
        if (wParam) list = std::make_unique<CXComboList>(this);
        if (wParam && list->CreateEx(0, cls, "", WS_POPUP | WS_VISIBLE | WS_BORDER, r, GetDlgItem(101), 0)) {
            for (int i = 0; i < LOWORD(wParam); ++i) list->AddString(kFruits[i]);
            const int h = static_cast<int>(::SendMessageA(::GetWindow(*list, GW_CHILD), LB_GETITEMHEIGHT, 0, 0));
            list->MoveWindow(r.left, r.bottom, r.Width(), HIWORD(wParam) * h + h / 2);
            list->SetCurSel(static_cast<int>(selection));
        }
        list->Activate(11);
        return reinterpret_cast<LRESULT>(list->GetSafeHwnd());
    }
    std::unique_ptr<CXComboList> list;
};

class ComboList : public ::testing::Test {
protected:
    // With the pointer away from the list, whose selection would follow it.
    void Open(int entries, int rows, int selection, std::vector<UINT> recorded)
    {
        RegisterQuervixMessages();
        ASSERT_TRUE(dialog || (dialog = harness::WaitForWindow("Combo host", call.ThreadId())));
        harness::MoveMouseTo(dialog, POINT{4, 4});
        popup = reinterpret_cast<HWND>(harness::Query(dialog, WM_OPEN_LIST, MAKEWPARAM(entries, rows), selection));
        box = ::FindWindowExA(popup, nullptr, "ListBox", nullptr);
        bar = ::FindWindowExA(popup, nullptr, "ScrollBar", nullptr);
        harness::SettleWindow(popup);
        log.reset();  // recorders of one window come off in the reverse order
        log = std::make_unique<harness::MessageRecorder>(dialog, std::move(recorded));
    }
    Host host;
    harness::ModalCall call{[this] { return host.DoModal(); }};
    HWND dialog = nullptr, popup = nullptr, box = nullptr, bar = nullptr;
    std::unique_ptr<harness::MessageRecorder> log;
};

// 12 entries, 5 rows: the bar ends at 8 (12 - 5 + 1), however far past it a key points.
TEST_F(ComboList, KeysAreReportedBeforeTheDialogDropsThemAndStillMoveTheList)
{
    const UINT enter = g_wmXComboListVkReturn, esc = g_wmXComboListVkEscape, key = g_wmXComboListKeyDown;
    const struct { int sel; WORD vk; UINT sent; int pos, selAfter; } cases[] = {
        {-1, VK_RETURN, enter, 0, -1}, {4, VK_ESCAPE, esc, 4, 4}, {2, VK_DOWN, key, 3, 3},  {3, VK_UP, key, 2, 2},
        {5, VK_HOME, key, 0, 0},       {2, VK_END, key, 8, 11},   {6, VK_PRIOR, key, 2, 2}, {2, VK_NEXT, key, 6, 6},
        {11, VK_DOWN, key, 8, 11},     {0, 'C', key, 3, 3},       {1, 'A', key, 0, 0},      {4, 'Z', 0, 4, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.vk) + " at " + std::to_string(c.sel));
        Open(12, 5, c.sel, {enter, esc, key, g_wmXComboListLButtonUp});
        ASSERT_TRUE(harness::PressKey(c.vk));
        EXPECT_TRUE(log->Matches(std::vector(c.sent ? 1 : 0, harness::ExpectedMessage{c.sent, kArgs})));
        EXPECT_EQ(harness::Query(bar, SBM_GETPOS), c.pos);
        EXPECT_EQ(harness::ListBoxSelection(box), c.selAfter);
    }
}

// Opening is the first loss: the popup is activated, then its list box takes the focus.
TEST_F(ComboList, TheThirdFocusLossCancels)
{
    Open(12, 5, 0, {g_wmXComboListVkEscape});
    for (int cancels : {0, 1, 2}) {  // the user clicks the dialog, the grid gives the list the focus again
        ASSERT_TRUE(harness::ClickAt(dialog, POINT{4, 4}));
        harness::Query(dialog, WM_OPEN_LIST);
        EXPECT_EQ(static_cast<int>(log->Messages().size()), cancels);
    }
}

// The system keeps the page within the range 0 .. entries.
TEST_F(ComboList, TheLayoutKeepsWholeRowsAndTheBarCountsTheEntries)
{
    for (auto [entries, rows, sel, top, page] : {std::array{3, 10, 0, 0, 4}, std::array{12, 5, 7, 6, 5}}) {
        Open(entries, rows, sel, {});
        const int h = static_cast<int>(harness::Query(box, LB_GETITEMHEIGHT));
        CRect window, list, scroll;
        ::GetWindowRect(popup, &window), ::GetClientRect(box, &list), ::GetWindowRect(bar, &scroll);
        SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
        harness::Query(bar, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ((std::array{window.Height(), list.Height(), scroll.Width(), info.nMax, static_cast<int>(info.nPage),
                              static_cast<int>(harness::Query(box, LB_GETTOPINDEX))}),
                  (std::array{rows * h + 4, rows * h, 11, entries, page, top}));
    }
}

TEST_F(ComboList, TheSelectionFollowsTheMouseAndAReleaseIsReported)
{
    Open(12, 5, 0, {g_wmXComboListLButtonUp});
    POINT item{};
    ASSERT_TRUE(harness::ListBoxItemPoint(box, 3, -1, item) && harness::MoveMouseTo(box, item));
    EXPECT_TRUE(harness::WaitUntil([&] { return harness::ListBoxSelection(box) == 3; }, 1000));
    EXPECT_TRUE(log->Matches({}));
    CRect shot;  // the list lies inside the dialog's rectangle
    ::GetWindowRect(dialog, &shot);
    harness::SaveBmp(harness::CaptureScreenArea(shot), harness::ScreenshotPath("combolist_open.bmp"));
    // Over a row; then on the popup's own margin, where the press is reported as well.
    ASSERT_TRUE(harness::ClickListBoxItem(box, 2) && harness::ClickAt(popup, POINT{0, 0}));
    EXPECT_TRUE(log->Matches(std::vector(3, harness::ExpectedMessage{g_wmXComboListLButtonUp, kArgs})));
}

}  // namespace
