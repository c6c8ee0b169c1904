// What the query builder's flows cannot see of the grid: the pixels of its cells and header, header check
// boxes, cell tips, the drop-down list's keys and layout; in a modal dialog that drops Enter and Escape, as it does.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>

#include "Harness.h"
#include "grid/XComboList.h"
#include "grid/XListCtrl.h"
#include "grid/RegisteredMessages.h"
#include "platform/Dialog.h"
#include "platform/WinApp.h"

namespace {

constexpr UINT WM_RUN = WM_APP + 1;  // lParam: a std::function<void()> for the dialog's thread
const char* const kFruits[] = {"Apple", "Apricot", "Banana", "Cherry", "Date",  "Elder",
                               "Fig",   "Grape",   "Kiwi",   "Lemon",  "Mango", "Melon"};
const uint32_t kBlack = 0, kWhite = 0xFFFFFF, kGrey = harness::Rgb(::GetSysColor(COLOR_GRAYTEXT));
const uint32_t kFace = harness::Rgb(::GetSysColor(COLOR_BTNFACE)), kHighlight = harness::Rgb(::GetSysColor(COLOR_HIGHLIGHT));
const uint32_t kLight = harness::Rgb(::GetSysColor(COLOR_BTNHIGHLIGHT)), kDark = harness::Rgb(::GetSysColor(COLOR_BTNSHADOW));
const struct { const char* title; int width; } kColumns[] = {
    {"Name", 90}, {"ID", 60}, {"A title far too wide for its column", 110}, {"City", 80}};

class Host : public CDialog {
public:
    Host() : CDialog(100) {}
    const MessageMap* GetMessageMap() const override
    {
        static const MessageEntry entries[] = {msgmap::Message<&Host::OnRun>(WM_RUN)};
        static const MessageMap map(&CDialog::StaticMessageMap, entries);
        return &map;
    }
    // The last to see a key: a list not offered Enter or Escape before this never gets them.
    BOOL PreTranslateMessage(MSG* m) override
    {
        return (m->message == WM_KEYDOWN && (m->wParam == VK_RETURN || m->wParam == VK_ESCAPE)) ||
               CDialog::PreTranslateMessage(m);
    }
    LRESULT OnRun(WPARAM, LPARAM job) { (*reinterpret_cast<std::function<void()>*>(job))(); return 0; }
    CXListCtrl grid;
    CStringArray choices;  // lent to the grid's drop-down cells
    std::unique_ptr<CXComboList> list;  // reports to the dialog
};

class Grid : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterQuervixMessages();
        ASSERT_TRUE((dialog = harness::WaitForWindow("Grid host", call.ThreadId())));
        Run([this] {
            AfxInitCommonControls();
            const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
            grid.SubclassWindow(::CreateWindowExA(0, WC_LISTVIEWA, "", style, 10, 10, 380, 130, dialog, nullptr, nullptr, nullptr));
            for (int c = 0; c < 4; ++c) grid.InsertColumn(c, kColumns[c].title, LVCFMT_LEFT, kColumns[c].width, c);
        });
    }
    // Set-up runs where the grid lives, as the dialog's own code would.
    void Run(std::function<void()> job) { harness::Query(dialog, WM_RUN, 0, reinterpret_cast<LPARAM>(&job)); }
    CRect Cell(int row, int column) const { CRect r; grid.GetSubItemRect(row, column, LVIR_BOUNDS, r); return r; }
    // As the grid opens it over its cells, with a height that is not a whole number of
    // rows; the pointer stays away from it, since the selection follows the pointer.
    void Open(int entries, int rows, int selection)
    {
        harness::MoveMouseTo(dialog, POINT{4, 4});
        Run([&] {
            CRect r;
            ::GetWindowRect(grid, &r);
            host.list = std::make_unique<CXComboList>(&host);
            if (!host.list->CreateEx(0, AfxRegisterWndClass(CS_SAVEBITS | CS_CLASSDC, ::LoadCursor(nullptr, IDC_ARROW)), "",
                                     WS_POPUP | WS_VISIBLE | WS_BORDER, r, grid, 0))
                return;
            for (int i = 0; i < entries; ++i) host.list->AddString(kFruits[i]);
            const int h = static_cast<int>(::SendMessageA(::GetWindow(*host.list, GW_CHILD), LB_GETITEMHEIGHT, 0, 0));
            host.list->MoveWindow(r.left + 20, r.top + 20, 160, rows * h + h / 2);
            host.list->SetCurSel(selection);
            host.list->Activate(11);
        });
        popup = host.list->GetSafeHwnd();
        box = ::FindWindowExA(popup, nullptr, "ListBox", nullptr);
        bar = ::FindWindowExA(popup, nullptr, "ScrollBar", nullptr);
        harness::SettleWindow(popup);
    }
    Host host;
    CXListCtrl& grid = host.grid;
    harness::ModalCall call{[this] { return host.DoModal(); }};
    HWND dialog = nullptr, popup = nullptr, box = nullptr, bar = nullptr;
};

// Ticked and unticked boxes, a grey tick on a disabled row, drop-downs whose button only the
// selected row shows, a bar at 50 % whose text reads over the bar in the background colour.
TEST_F(Grid, EachKindOfCellIsPaintedAsItsRecordSays)
{
    Run([this] {
        host.choices.Add("ASC");
        grid.SetExtendedStyle(LVS_EX_FULLROWSELECT);
        for (int row = 0; row < 3; ++row) {
            grid.InsertItem(row, ("row " + std::to_string(row)).c_str());
            grid.SetCellCheck(row, 1, row != 1);
            grid.SetCellCombo(row, 2, TRUE, &host.choices, 3, 1);
        }
        grid.SetCellProgress(1, 3, TRUE, nullptr);
        grid.UpdateCellProgress(1, 3, 50);
        grid.EnableRow(2, FALSE);
        grid.SetCurSel(0);
    });
    const harness::Image shot = harness::CaptureWindow(dialog);
    ASSERT_FALSE(shot.IsEmpty());
    harness::SaveScreenshot(shot, "grid_cells.bmp");
    POINT origin{0, 0};
    ::MapWindowPoints(grid, nullptr, &origin, 1);
    RECT frame{};
    ::GetWindowRect(dialog, &frame);

    const CRect ticked = Cell(0, 1), unticked = Cell(1, 1), greyed = Cell(2, 1), bar = Cell(1, 3);
    const CRect button = Cell(0, 2), plain = Cell(1, 2);
    // A box without text is centred; its tick starts nine pixels right of the box's inner left.
    const int tickX = ticked.left + ticked.Width() / 2 - (ticked.Height() - 1) / 2 + 9;
    const int barEnd = bar.left + 3 + (bar.Width() - 5) / 2, bottom = bar.bottom - 2;
    enum Seen { kNone, kSome, kAll };
    struct Probe { const char* what; CRect area; uint32_t colour; Seen seen; };
    std::vector<Probe> probes = {
        {"nothing in an unticked box", CRect(tickX - 7, unticked.top + 3, tickX + 1, unticked.top + 10), kBlack, kNone},
        {"a disabled row ticks in grey", CRect(tickX, greyed.top + 3, tickX + 1, greyed.top + 6), kGrey, kAll},
        {"the selected row's button", CRect(button.right - button.Height(), button.top, button.right, button.bottom), kFace, kSome},
        {"no button on other rows", CRect(plain.right - plain.Height(), plain.top, plain.right, plain.bottom), kFace, kNone},
        {"the bar's half", CRect(bar.left + 3, bottom, barEnd, bottom + 1), kHighlight, kAll},
        {"the empty half", CRect(barEnd, bottom, bar.right - 2, bottom + 1), 0xE0E0E0, kAll},
        {"text over the bar", CRect(bar.left + 3, bar.top + 3, barEnd, bottom), kWhite, kSome},
        {"text beside the bar", CRect(barEnd, bar.top + 3, bar.right - 3, bottom), kBlack, kSome},
        {"no background-coloured text beside it", CRect(barEnd, bar.top + 3, bar.right - 3, bottom), kWhite, kNone}};
    // The tick: strokes three pixels high, four stepping down leftwards, then three stepping up.
    const int fall[] = {0, 1, 2, 3, 4, 3, 2};
    for (int i = 0; i < 7; ++i)
        probes.push_back({"tick stroke", CRect(tickX - i, ticked.top + 3 + fall[i], tickX - i + 1, ticked.top + 6 + fall[i]), kBlack, kAll});
    for (const Probe& p : probes) {
        int n = 0;
        for (int y = p.area.top; y < p.area.bottom; ++y)
            for (int x = p.area.left; x < p.area.right; ++x)
                n += shot.At(origin.x - frame.left + x, origin.y - frame.top + y) == p.colour;
        const int all = p.area.Width() * p.area.Height();
        EXPECT_TRUE(p.seen == kNone ? n == 0 : p.seen == kAll ? n == all : n > 0) << p.what << ": " << n << " of " << all;
    }
}

bool IsBlue(uint32_t p) { return (p & 0xFF) > ((p >> 16) & 0xFF) + 60 && (p & 0xFF) > ((p >> 8) & 0xFF) + 60; }

// With the columns reordered: pure blue titles centred in their items, the one too wide cut
// with an ellipsis; a light and dark divider after each item but the last; a 3-D frame
// round the items' total width and the face beyond it.
TEST_F(Grid, TheHeaderPaintsTitlesDividersAndFrameInDisplayOrder)
{
    int order[] = {2, 0, 3, 1};  // column 3 is not shown last, column 1 is
    Run([&] { grid.SetColumnOrderArray(4, order); });
    HWND header = grid.GetHeaderCtrl();
    const harness::Image shot = harness::CaptureWindow(header);
    ASSERT_FALSE(shot.IsEmpty());
    auto* painter = static_cast<CXHeaderCtrl*>(CWnd::FromHandlePermanent(header));
    ASSERT_NE(painter, nullptr);
    CClientDC dc(header);
    CSelectGuard font = dc.SelectObject(painter->GetFont());
    const int mid = shot.height / 2, margin = painter->GetItemMargin();
    int total = 0;
    for (int pos = 0; pos < 4; ++pos) {
        SCOPED_TRACE(kColumns[order[pos]].title);
        RECT rc{};
        ASSERT_TRUE(Header_GetItemRect(header, order[pos], &rc));
        total += kColumns[order[pos]].width;
        std::vector<int> blue;  // blue pixels in each pixel column of the item
        int left = -1, right = -1, pure = 0, dots = 0;
        for (int x = rc.left; x < rc.right; ++x) {
            blue.push_back(0);
            for (int y = 1; y < shot.height - 1; ++y) blue.back() += IsBlue(shot.At(x, y)), pure += shot.At(x, y) == 0xFF;
            if (blue.back() && left < 0) left = x;
            if (blue.back()) right = x;
        }
        // An ellipsis: the last three marks are dots, at most two pixels each way.
        for (int x = right - rc.left, width = 0; x >= 0 && dots < 3 && blue[x] <= 2; --x) {
            if (blue[x] && ++width > 2) break;
            if (!blue[x] && width) ++dots, width = 0;
        }
        const bool cut = order[pos] == 2;
        const int drawn = right - left + 1, full = dc.GetTextExtent(kColumns[order[pos]].title).cx;
        EXPECT_GT(pure, 0);
        EXPECT_EQ(dots == 3, cut);
        if (cut) {  // fills the item between its margins
            EXPECT_TRUE(left >= rc.left + margin && right < rc.right - margin && drawn < full) << left << ".." << right;
        } else {
            EXPECT_NEAR(drawn, full, 2);
            EXPECT_NEAR(left - rc.left, rc.right - 1 - right, 2) << "centred";
        }
        EXPECT_EQ(shot.At(rc.right - 1, mid), kDark);
        EXPECT_EQ(shot.At(rc.right, mid), pos < 3 ? kLight : kFace) << "divider";
    }
    EXPECT_EQ(shot.At(0, mid), kLight);
    EXPECT_EQ(shot.At(total - 2, 0), kLight);
    EXPECT_EQ(shot.At(total / 2, shot.height - 1), kDark);
    for (int y : {0, mid, shot.height - 1}) EXPECT_EQ(shot.At(total + 1, y), kFace) << y;
}

// A click on a header with a check box checks every check box of its column, the next
// clears them; cells without a check box stay so. Each cell label is a tool of its own,
// numbered row x 1000 + column + 1.
TEST_F(Grid, AHeaderCheckBoxTicksAndClearsItsWholeColumnAndEachCellIsATool)
{
    Run([this] {
        for (int row = 0; row < 3; ++row) grid.InsertItem(row, "label");
        grid.SetCellCheck(0, 1, 0), grid.SetCellCheck(2, 1, 0), grid.SetHeaderCheck(1, 1);
    });
    RECT item{};
    ASSERT_TRUE(Header_GetItemRect(grid.GetHeaderCtrl(), 1, &item));
    for (int state : {1, 0}) {
        ASSERT_TRUE(harness::ClickAt(grid.GetHeaderCtrl(), POINT{(item.left + item.right) / 2, item.bottom / 2}));
        EXPECT_TRUE(harness::WaitUntil([&] { return grid.GetHeaderCheck(1) == state + 1; }));
        EXPECT_EQ((std::array{grid.GetCellCheck(0, 1), grid.GetCellCheck(1, 1), grid.GetCellCheck(2, 1)}),
                  (std::array{state, -1, state}));
    }
    LVITEMA before{};
    before.iItem = -1;
    EXPECT_EQ(grid.SetItem(&before), FALSE);  // no row there: not a TRUE of -1
    TOOLINFOA info{};
    EXPECT_EQ(grid.OnToolHitTest(Cell(2, 1).CenterPoint(), &info), 2002);
    EXPECT_EQ(info.uId, 2002u);
    EXPECT_EQ(grid.OnToolHitTest(CPoint(Cell(2, 1).CenterPoint().x, Cell(2, 1).bottom + 20), &info), -1);  // below the rows
}

// 12 entries, 5 rows: the bar ends at 8 (12 - 5 + 1), however far past it a key points. The
// list keeps whole rows; the system keeps its bar's page within the range 0 .. entries.
TEST_F(Grid, ListKeysAreReportedBeforeTheDialogDropsThemAndTheListKeepsWholeRows)
{
    const UINT enter = g_wmXComboListVkReturn, esc = g_wmXComboListVkEscape, key = g_wmXComboListKeyDown;
    const struct { int sel; WORD vk; UINT sent; int pos, selAfter; } cases[] = {
        {-1, VK_RETURN, enter, 0, -1}, {4, VK_ESCAPE, esc, 4, 4}, {2, VK_DOWN, key, 3, 3},  {3, VK_UP, key, 2, 2},
        {5, VK_HOME, key, 0, 0},       {2, VK_END, key, 8, 11},   {6, VK_PRIOR, key, 2, 2}, {2, VK_NEXT, key, 6, 6},
        {11, VK_DOWN, key, 8, 11},     {0, 'C', key, 3, 3},       {1, 'A', key, 0, 0},      {4, 'Z', 0, 4, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.vk) + " at " + std::to_string(c.sel));
        Open(12, 5, c.sel);
        harness::MessageRecorder log(dialog, {enter, esc, key, g_wmXComboListLButtonUp});
        ASSERT_TRUE(harness::PressKey(c.vk));
        EXPECT_EQ(log.Messages(), std::vector<harness::MessageRecorder::Entry>(c.sent ? 1 : 0, {c.sent, 0, 0}));  // no arguments
        EXPECT_EQ(harness::Query(bar, SBM_GETPOS), c.pos);
        EXPECT_EQ(harness::ListBoxSelection(box), c.selAfter);
    }
    for (auto [entries, rows, sel, top, page] : {std::array{3, 10, 0, 0, 4}, std::array{12, 5, 7, 6, 5}}) {
        Open(entries, rows, sel);
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

}  // namespace
