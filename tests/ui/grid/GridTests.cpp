// CXListCtrl on a real list view: per-cell records and what the cell operations answer,
// cell rectangles with a reordered header, and the empty-grid text of each grid.
#include <gtest/gtest.h>

#include "Harness.h"
#include "controls/OrderByListCtrl.h"
#include "controls/WhereListCtrl.h"
#include "platform/GdiDC.h"
#include "platform/WinApp.h"

namespace {

// A visible top-level window with one report-view list view subclassed by a grid object;
// without a header, so that the only text in an empty grid is the grid's own.
class GridHost {
public:
    explicit GridHost(CXListCtrl& grid, int columns)
    {
        AfxInitCommonControls();
        m_frame = ::CreateWindowExA(0, "STATIC", "Grid host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 420, 260,
                                    nullptr, nullptr, nullptr, nullptr);
        HWND list = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER,
                                      10, 10, 300, 160, m_frame, reinterpret_cast<HMENU>(100), nullptr, nullptr);
        grid.SubclassWindow(list);
        for (int c = 0; c < columns; ++c) grid.InsertColumn(c, ("C" + std::to_string(c)).c_str(), LVCFMT_LEFT, 60, c);
        harness::PumpMessagesFor(50);
    }
    ~GridHost() { ::DestroyWindow(m_frame); }
    HWND Frame() const { return m_frame; }

private:
    HWND m_frame = nullptr;
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

}  // namespace
