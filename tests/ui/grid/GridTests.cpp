// CXListCtrl on a real list view: per-cell records and what the cell operations answer,
// cell rectangles with a reordered header, and the empty-grid text of each grid.
#include <gtest/gtest.h>

#include "Harness.h"
#include "controls/OrderByListCtrl.h"
#include "controls/WhereListCtrl.h"
#include "platform/GdiDC.h"
#include "module/RegisteredMessages.h"
#include "platform/WinApp.h"

namespace {

// A visible top-level window, which hands the grid its custom draw and clicks back as
// a dialog does, with one report-view list view subclassed by a grid object; by default
// without a header, so that the only text in an empty grid is the grid's own.
class GridHost {
public:
    explicit GridHost(CXListCtrl& grid, int columns, DWORD style = LVS_NOCOLUMNHEADER)
    {
        AfxInitCommonControls();
        RegisterQuervixMessages();
        const CString frameClass = AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        m_frame.CreateEx(0, frameClass, "Grid host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 460, 300),
                         nullptr, 0);
        HWND list = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | style,
                                      10, 10, 380, 160, m_frame, reinterpret_cast<HMENU>(100), nullptr, nullptr);
        grid.SubclassWindow(list);
        for (int c = 0; c < columns; ++c) grid.InsertColumn(c, ("C" + std::to_string(c)).c_str(), LVCFMT_LEFT, 90, c);
        harness::PumpMessagesFor(50);
    }
    HWND Frame() const { return m_frame; }

private:
    CWnd m_frame;
};

CStringArray Choices(std::initializer_list<const char*> texts)
{
    CStringArray list;
    for (const char* text : texts) list.Add(text);
    return list;
}

TEST(GridCells, OperationsOutsideTheGridFailByResult)
{
    CXListCtrl grid;
    GridHost host(grid, 3);
    CStringArray list = Choices({"x"});
    EXPECT_EQ(grid.InsertItem(-1, "no"), -1);
    ASSERT_EQ(grid.InsertItem(0, "row"), 0);
    for (auto [row, cell] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 3}, std::pair{0, -1}}) {
        SCOPED_TRACE(std::to_string(row) + "," + std::to_string(cell));
        EXPECT_FALSE(grid.SetItemText(row, cell, "t"));
        EXPECT_EQ(grid.GetItemText(row, cell), "");
        EXPECT_FALSE(grid.SetCellCheck(row, cell, 1));
        EXPECT_EQ(grid.GetCellCheck(row, cell), -1);
        EXPECT_FALSE(grid.SetCellCombo(row, cell, TRUE, &list, 2, 0));
        EXPECT_EQ(grid.GetCellComboInitSel(row, cell), -1);
        EXPECT_FALSE(grid.SetCellTip(row, cell, "tip"));
        grid.EnableCellCombo(row, cell, TRUE, 0);  // ignored, no crash
        CRect rect(1, 2, 3, 4);
        EXPECT_FALSE(grid.GetSubItemRect(row, cell, LVIR_BOUNDS, rect));
        EXPECT_EQ(rect, CRect(1, 2, 3, 4));
    }
    EXPECT_FALSE(grid.SetCellCombo(0, 1, TRUE, nullptr, 2, 0));
    EXPECT_FALSE(grid.DeleteItem(5));
    EXPECT_EQ(grid.GetItemCount(), 1);
}

TEST(GridCells, ANewRowHasPlainCellsWithTheirTexts)
{
    CXListCtrl grid;
    GridHost host(grid, 3);
    ASSERT_EQ(grid.InsertItem(0, "first"), 0);
    ASSERT_EQ(grid.InsertItem(0, "before"), 0);  // inserted above: the rows keep their records
    EXPECT_TRUE(grid.SetItemText(1, 2, "third cell"));
    EXPECT_EQ(grid.GetItemText(1, 0), "first");
    EXPECT_EQ(grid.GetItemText(1, 2), "third cell");
    EXPECT_EQ(grid.GetItemText(0, 0), "before");
    for (int cell = 0; cell < 3; ++cell) {
        EXPECT_EQ(grid.GetCellCheck(1, cell), -1);
        EXPECT_FALSE(grid.HasCellCombo(1, cell));
        EXPECT_EQ(grid.GetCellComboInitSel(1, cell), 0);
        EXPECT_EQ(grid.GetCellTip(1, cell), "");
    }
    EXPECT_NE(grid.GetItemData(0), grid.GetItemData(1));
    EXPECT_NE(grid.GetItemData(0), DWORD_PTR{0});
}

TEST(GridCells, ADropDownWritesItsInitialChoiceAndSwitchingItOffEmptiesTheCell)
{
    CXListCtrl grid;
    GridHost host(grid, 3);
    CStringArray list = Choices({"   ", "ASC", "DESC"});
    ASSERT_EQ(grid.InsertItem(0, ""), 0);

    EXPECT_TRUE(grid.SetCellCombo(0, 2, TRUE, &list, 4, 2));
    EXPECT_TRUE(grid.HasCellCombo(0, 2));
    EXPECT_EQ(grid.GetItemText(0, 2), "DESC");
    EXPECT_EQ(grid.GetCellComboInitSel(0, 2), 2);
    // An initial choice outside the list counts as the first one.
    EXPECT_TRUE(grid.SetCellCombo(0, 2, TRUE, &list, 4, 7));
    EXPECT_EQ(grid.GetItemText(0, 2), "   ");
    EXPECT_EQ(grid.GetCellComboInitSel(0, 2), 0);

    grid.SetItemText(0, 2, "ASC");
    grid.EnableCellCombo(0, 2, FALSE, 2);
    EXPECT_FALSE(grid.HasCellCombo(0, 2));
    EXPECT_EQ(grid.GetItemText(0, 2), "");
    EXPECT_EQ(grid.GetCellComboInitSel(0, 2), 0);
    // Switching on again sets the initial choice and leaves the text alone.
    grid.EnableCellCombo(0, 2, TRUE, 1);
    EXPECT_TRUE(grid.HasCellCombo(0, 2));
    EXPECT_EQ(grid.GetItemText(0, 2), "");
    EXPECT_EQ(grid.GetCellComboInitSel(0, 2), 1);

    grid.SetItemText(0, 2, "DESC");
    grid.EnableCellCombo(0, 2, FALSE);
    EXPECT_EQ(grid.GetItemText(0, 2), "");
    EXPECT_EQ(grid.GetCellComboInitSel(0, 2), 0);
    // Disabling through SetCellCombo keeps the cell's list and text.
    EXPECT_TRUE(grid.SetCellCombo(0, 1, TRUE, &list, 4, 1));
    EXPECT_TRUE(grid.SetCellCombo(0, 1, FALSE, &list, 4, 2));
    EXPECT_FALSE(grid.HasCellCombo(0, 1));
    EXPECT_EQ(grid.GetItemText(0, 1), "ASC");
    EXPECT_EQ(grid.GetCellComboInitSel(0, 1), 1);
}

TEST(GridCells, ChecksAndTipsBelongToTheirCellsThroughDeletions)
{
    CXListCtrl grid;
    GridHost host(grid, 2);
    for (int row = 0; row < 3; ++row) {
        ASSERT_EQ(grid.InsertItem(row, ""), row);
        grid.SetItemText(row, 1, ("name " + std::to_string(row)).c_str());
        ASSERT_TRUE(grid.SetCellCheck(row, 0, row == 2 ? 1 : 0));
        ASSERT_TRUE(grid.SetCellTip(row, 1, ("tip " + std::to_string(row)).c_str()));
    }
    EXPECT_TRUE(grid.DeleteItem(0));
    ASSERT_EQ(grid.GetItemCount(), 2);
    EXPECT_EQ(grid.GetItemText(0, 1), "name 1");
    EXPECT_EQ(grid.GetCellCheck(0, 0), 0);
    EXPECT_EQ(grid.GetCellCheck(1, 0), 1);
    EXPECT_EQ(grid.GetCellTip(1, 1), "tip 2");
    EXPECT_EQ(grid.GetCellCheck(1, 1), -1);

    EXPECT_TRUE(grid.DeleteAllItems());
    EXPECT_EQ(grid.GetItemCount(), 0);
    EXPECT_EQ(grid.GetCellCheck(0, 0), -1);
}

// Rows inserted before a column existed have no record for it; the text still works.
TEST(GridCells, AColumnAddedAfterARowHasNoRecordInThatRow)
{
    CXListCtrl grid;
    GridHost host(grid, 1);
    ASSERT_EQ(grid.InsertItem(0, "old"), 0);
    grid.InsertColumn(1, "late", LVCFMT_LEFT, 60, 1);
    ASSERT_EQ(grid.InsertItem(1, "new"), 1);
    EXPECT_FALSE(grid.SetCellCheck(0, 1, 1));
    EXPECT_EQ(grid.GetCellCheck(0, 1), -1);
    EXPECT_TRUE(grid.SetItemText(0, 1, "text"));
    EXPECT_EQ(grid.GetItemText(0, 1), "text");
    EXPECT_TRUE(grid.SetCellCheck(1, 1, 1));
    EXPECT_EQ(grid.GetCellCheck(1, 1), 1);
}

TEST(GridGeometry, ColumnZeroIsNarrowedToItsOwnCell)
{
    CXListCtrl grid;
    GridHost host(grid, 4);
    ASSERT_EQ(grid.InsertItem(0, "value"), 0);
    CRect first, second;
    ASSERT_TRUE(grid.GetSubItemRect(0, 0, LVIR_BOUNDS, first));
    ASSERT_TRUE(grid.GetSubItemRect(0, 1, LVIR_BOUNDS, second));
    EXPECT_EQ(first.right, second.left);
    EXPECT_EQ(first.Width(), grid.GetColumnWidth(0));

    // Shown last, after column 3: column 0 starts where column 3 ends.
    int order[] = {1, 2, 3, 0};
    ASSERT_TRUE(grid.SetColumnOrderArray(4, order));
    grid.m_nColumnBeforeFirst = 3;
    CRect last, beforeIt;
    ASSERT_TRUE(grid.GetSubItemRect(0, 0, LVIR_BOUNDS, last));
    ASSERT_TRUE(grid.GetSubItemRect(0, 3, LVIR_BOUNDS, beforeIt));
    EXPECT_EQ(last.left, beforeIt.right);
    EXPECT_EQ(last.Width(), grid.GetColumnWidth(0));
}

TEST(GridSelection, SetCurSelSelectsAndFocusesTheRow)
{
    CXListCtrl grid;
    GridHost host(grid, 2);
    for (int row = 0; row < 3; ++row) grid.InsertItem(row, "r");
    EXPECT_EQ(grid.GetCurSel(), -1);
    grid.SetCurSel(2);
    EXPECT_EQ(grid.GetCurSel(), 2);
    EXPECT_EQ(grid.GetItemState(2, LVIS_FOCUSED), UINT{LVIS_FOCUSED});
    grid.SetCurSel(1);  // single selection: the earlier row lets go
    EXPECT_EQ(grid.GetCurSel(), 1);
    EXPECT_EQ(grid.GetItemState(2, LVIS_SELECTED), 0u);
}

// The horizontal extent of the window-text pixels inside the grid's client area.
int TextSpan(HWND frame, HWND grid)
{
    harness::PumpMessagesFor(100);
    const harness::Image image = harness::CaptureWindow(frame);
    RECT frameRect{}, client{};
    ::GetWindowRect(frame, &frameRect);
    ::GetClientRect(grid, &client);
    ::MapWindowPoints(grid, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const uint32_t ink = harness::Rgb(::GetSysColor(COLOR_WINDOWTEXT));
    int left = INT_MAX, right = -1;
    for (LONG y = client.top; y < client.bottom; ++y)
        for (LONG x = client.left; x < client.right; ++x) {
            const LONG ix = x - frameRect.left, iy = y - frameRect.top;
            if (ix < 0 || iy < 0 || ix >= image.width || iy >= image.height || image.At(ix, iy) != ink) continue;
            left = std::min<int>(left, static_cast<int>(x));
            right = std::max<int>(right, static_cast<int>(x));
        }
    return right < 0 ? 0 : right - left + 1;
}

// The same measure on the text drawn off-screen in the grid's font.
int ExpectedSpan(const char* text)
{
    CClientDC screen(nullptr);
    CCompatibleDC memory(screen);
    CBitmap bitmap;
    bitmap.Attach(::CreateCompatibleBitmap(screen, 600, 40));
    CSelectGuard selectBitmap = memory.SelectObject(bitmap.GetSafeHandle());
    CSelectGuard font = memory.SelectStockObject(ANSI_VAR_FONT);
    CRect area(0, 0, 600, 40);
    memory.FillSolidRect(area, RGB(255, 255, 255));
    memory.SetTextColor(RGB(0, 0, 0));
    memory.SetBkMode(TRANSPARENT);
    memory.DrawText(text, &area, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    int left = INT_MAX, right = -1;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 600; ++x)
            if (memory.GetPixel(x, y) == RGB(0, 0, 0)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return right < 0 ? 0 : right - left + 1;
}

template <typename Grid>
void ExpectEmptyText(const char* text)
{
    Grid grid;
    GridHost host(grid, 2);
    ASSERT_TRUE(harness::BringToForeground(host.Frame()));
    const int span = TextSpan(host.Frame(), grid);
    EXPECT_NEAR(span, ExpectedSpan(text), 1) << text;
    // A row with empty cells takes the text away.
    grid.InsertItem(0, "");
    grid.UpdateWindow();
    EXPECT_EQ(TextSpan(host.Frame(), grid), 0);
    grid.DeleteItem(0);
    grid.UpdateWindow();
    EXPECT_NEAR(TextSpan(host.Frame(), grid), span, 1);
}

TEST(GridPainting, EachGridPaintsItsOwnTextWhileEmpty)
{
    ExpectEmptyText<CXListCtrl>("There are no items to show.");
    ExpectEmptyText<CWhereListCtrl>("Add search condition here.");
    ExpectEmptyText<COrderByListCtrl>("No columns?");
}

// Every kind of cell on a grid with a visible header: a bold, coloured text; ticked and
// unticked check boxes; drop-downs, whose button only the selected row shows; a progress
// bar at 50 % whose text reads over the bar in the background colour; a disabled row.
TEST(GridPainting, EachKindOfCellIsPaintedAsItsRecordSays)
{
    CXListCtrl grid;
    GridHost host(grid, 4, LVS_SHOWSELALWAYS);
    grid.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    CStringArray choices = Choices({"ASC", "DESC"});
    for (int row = 0; row < 3; ++row) {
        ASSERT_EQ(grid.InsertItem(row, ("row " + std::to_string(row)).c_str()), row);
        grid.SetCellCheck(row, 1, row == 0 ? 1 : 0);
        grid.SetCellCombo(row, 2, TRUE, &choices, 3, 1);
    }
    grid.SetItemText(1, 0, "bold", RGB(200, 0, 0), RGB(255, 255, 160));
    grid.SetCellBold(1, 0, TRUE);
    grid.SetCellProgress(1, 3, TRUE, nullptr);
    grid.UpdateCellProgress(1, 3, 50);
    grid.SetCellCheck(2, 1, 1);
    grid.EnableRow(2, FALSE);
    grid.SetCurSel(0);
    ASSERT_TRUE(harness::BringToForeground(host.Frame()));
    harness::PumpMessagesFor(100);
    const harness::Image shot = harness::CaptureWindow(host.Frame());
    harness::SaveBmp(shot, harness::ScreenshotPath("grid_cells.bmp"));

    POINT origin{0, 0};
    ::MapWindowPoints(grid, nullptr, &origin, 1);
    RECT frame{};
    ::GetWindowRect(host.Frame(), &frame);
    auto at = [&](int x, int y) { return shot.At(origin.x - frame.left + x, origin.y - frame.top + y); };
    auto cell = [&](int row, int column) {
        CRect r;
        grid.GetSubItemRect(row, column, LVIR_BOUNDS, r);
        return r;
    };
    auto count = [&](const CRect& r, uint32_t colour) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += at(x, y) == colour;
        return n;
    };
    const uint32_t black = 0, grey = harness::Rgb(::GetSysColor(COLOR_GRAYTEXT));
    const uint32_t face = harness::Rgb(::GetSysColor(COLOR_BTNFACE)), highlight = harness::Rgb(::GetSysColor(COLOR_HIGHLIGHT));

    // A box without text is centred; the tick is strokes three pixels high, the first nine
    // right of the box's inner left edge, falling four steps and rising three.
    const CRect ticked = cell(0, 1), unticked = cell(1, 1), greyTick = cell(2, 1);
    const int tickX = ticked.left + ticked.Width() / 2 - (ticked.Height() - 1) / 2 + 9;
    for (int dy = 0; dy < 3; ++dy) EXPECT_EQ(at(tickX, ticked.top + 3 + dy), black) << dy;
    EXPECT_EQ(at(tickX - 3, ticked.top + 6), black);
    EXPECT_EQ(at(tickX - 6, ticked.top + 6), black);
    EXPECT_EQ(count(CRect(tickX - 7, unticked.top + 3, tickX + 1, unticked.top + 10), black), 0);
    EXPECT_EQ(at(tickX, greyTick.top + 4), grey) << "a disabled row ticks in grey";

    // Button face only on the selected row's drop-down cell; other rows show the text alone.
    const CRect button0 = cell(0, 2), button1 = cell(1, 2);
    EXPECT_GT(count(CRect(button0.right - button0.Height(), button0.top, button0.right, button0.bottom), face), 4);
    EXPECT_EQ(count(CRect(button1.right - button1.Height(), button1.top, button1.right, button1.bottom), face), 0);

    // Half the bar filled; the text over it in the cell's background, the rest in its text colour.
    const CRect bar = cell(1, 3);
    const int middle = (bar.left + bar.right) / 2;
    EXPECT_EQ(at(bar.left + 5, bar.bottom - 3), highlight);
    EXPECT_EQ(at(bar.right - 5, bar.bottom - 3), 0xE0E0E0u);
    EXPECT_GT(count(CRect(bar.left + 3, bar.top + 3, middle - 1, bar.bottom - 2), 0xFFFFFFu), 0);
    EXPECT_GT(count(CRect(middle + 2, bar.top + 3, bar.right - 3, bar.bottom - 2), black), 0);
    EXPECT_EQ(count(CRect(middle + 2, bar.top + 3, bar.right - 3, bar.bottom - 2), 0xFFFFFFu), 0);

    // The owner's colours on a row that is not selected.
    EXPECT_GT(count(cell(1, 0), harness::Rgb(RGB(200, 0, 0))), 0);
    EXPECT_GT(count(cell(1, 0), harness::Rgb(RGB(255, 255, 160))), 0);
}

// A header check box checks or clears every check box of its column, and no other cell.
TEST(GridHeader, ClickingAColumnWithAHeaderCheckBoxTicksTheWholeColumn)
{
    CXListCtrl grid;
    GridHost host(grid, 3, 0);
    for (int row = 0; row < 3; ++row) {
        grid.InsertItem(row, "r");
        if (row != 1) grid.SetCellCheck(row, 1, 0);
    }
    ASSERT_TRUE(grid.SetHeaderCheck(1, 1));
    RECT item{};
    ASSERT_TRUE(Header_GetItemRect(grid.GetHeaderCtrl(), 1, &item));
    const POINT centre{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ASSERT_TRUE(harness::ClickAt(grid.GetHeaderCtrl(), centre));
    EXPECT_EQ(grid.GetHeaderCheck(1), 2);
    EXPECT_EQ(std::vector<int>({grid.GetCellCheck(0, 1), grid.GetCellCheck(1, 1), grid.GetCellCheck(2, 1)}),
              std::vector<int>({1, -1, 1}));
    harness::PumpMessagesFor(::GetDoubleClickTime() + 50);
    ASSERT_TRUE(harness::ClickAt(grid.GetHeaderCtrl(), centre));
    EXPECT_EQ(grid.GetHeaderCheck(1), 1);
    EXPECT_EQ(grid.GetCellCheck(2, 1), 0);
}

// Each cell label is a tool of its own, numbered row x 1000 + column + 1.
TEST(GridTips, EachCellIsAToolNumberedByRowAndColumn)
{
    CXListCtrl grid;
    GridHost host(grid, 3);
    for (int row = 0; row < 3; ++row) grid.InsertItem(row, "label");
    CRect target;
    ASSERT_TRUE(grid.GetSubItemRect(2, 1, LVIR_BOUNDS, target));
    TOOLINFOA info{};
    EXPECT_EQ(grid.OnToolHitTest(target.CenterPoint(), &info), 2002);
    EXPECT_EQ(info.uId, 2002u);
    RECT client{};
    grid.GetClientRect(&client);
    EXPECT_EQ(grid.OnToolHitTest(CPoint(client.right - 2, client.bottom - 2), &info), -1);
}

}  // namespace
