// The WHERE and ORDER BY grids as a user works them: the whole statement built by mouse alone
// and by keyboard alone, on the way a drop-down list followed by the arrow keys and left by a
// click outside or by Escape, which restore the cell, and an operator that takes no value.
#include "Driver.h"

namespace dlltest {
namespace {

const char kColumns[] = "A\tB\t";
const char kWanted[] = "SELECT A,B FROM T WHERE  ( A LIKE 'x%' ) OR ( B = 2 ) ORDER BY B DESC";

// What the grids tell the dialog: wParam the row, lParam the cell.
const UINT kComboSelection = ::RegisterWindowMessageA("WM_XLISTCTRL_COMBO_SELECTION");
const UINT kCheckboxClicked = ::RegisterWindowMessageA("WM_XLISTCTRL_CHECKBOX_CLICKED");

// Double-clicks a row's value, types text and clicks target to end the edit (Enter would not:
// the dialog drops it).
bool TypeValue(HWND grid, int row, const std::string& text, HWND target)
{
    return harness::DoubleClickListViewCell(grid, row, kValue) &&
           harness::WaitUntil([&] { return ::FindWindowExA(grid, nullptr, "Edit", nullptr) != nullptr; }) &&
           harness::TypeText(text) && harness::ClickCenter(target) &&
           harness::WaitUntil([&] { return harness::ListViewCell(grid, row, kValue) == text; });
}

TEST(GridFlows, MouseAloneBuildsTheWholeStatement)
{
    QueryRun run("T", kColumns, "");
    ASSERT_NE(run.Dialog(), nullptr);
    HWND where = run.Control(kWhereGrid), orderBy = run.Control(kOrderByGrid), preview = run.Control(kPreview);
    harness::MessageRecorder told(run.Dialog(), {kComboSelection, kCheckboxClicked});
    ASSERT_TRUE(run.ClickColumn(1) && run.ClickColumn(2));
    ASSERT_TRUE(run.Click(kAddWhere) && run.Click(kAddWhere));

    ASSERT_TRUE(ChooseInCell(where, 0, kOperator, "LIKE"));
    // Arrow keys move the cell's text with its list open; a click below the rows leaves the
    // list, puts back the text it opened with and tells the dialog nothing.
    ASSERT_NE(OpenCellListByClick(where, 0, kOperator), nullptr);
    // A person reads the list before choosing: it stays open with the keyboard, no editor starts.
    harness::PumpMessagesFor(3000);
    ASSERT_NE(OpenCellList(where), nullptr) << "the list closed while it was read";
    EXPECT_EQ(harness::FocusedWindow(where), OpenCellList(where));
    EXPECT_EQ(::FindWindowExA(where, nullptr, "Edit", nullptr), nullptr) << "a click started the value editor";
    ASSERT_TRUE(harness::PressKey(VK_DOWN));
    ASSERT_TRUE(harness::WaitUntil([&] { return harness::ListViewCell(where, 0, kOperator) != "LIKE"; }));
    RECT area{};
    ::GetWindowRect(run.Dialog(), &area);
    harness::SaveScreenshot(harness::CaptureScreenArea(area), "grid_list_open.bmp");
    ::GetClientRect(where, &area);  // below the rows and right of the list, which covers the middle
    ASSERT_TRUE(harness::ClickInPlace(where, POINT{area.right - 8, area.bottom - 4}));
    ASSERT_TRUE(harness::WaitUntil([&] { return !OpenCellList(where) && harness::ListViewCell(where, 0, kOperator) == "LIKE"; }));
    ASSERT_TRUE(ChooseInCell(where, 1, kAndOr, "OR"));
    ASSERT_TRUE(TypeValue(where, 1, "2", preview));
    // An operator that compares with nothing takes the row's value away, and the value cannot
    // be typed then, by double-click or F2; a row with a value still takes one.
    ASSERT_TRUE(ChooseInCell(where, 1, kOperator, "IS NULL"));
    ASSERT_TRUE(run.PreviewBecomes("SELECT A,B FROM T WHERE  ( A LIKE '' ) OR ( B IS NULL ) ")) << run.Preview();
    EXPECT_EQ(harness::ListViewCell(where, 1, kValue), "");
    ASSERT_TRUE(harness::DoubleClickListViewCell(where, 1, kValue));
    ASSERT_TRUE(harness::PressKey(VK_F2));
    harness::PumpMessagesFor(300);
    EXPECT_EQ(::FindWindowExA(where, nullptr, "Edit", nullptr), nullptr) << "IS NULL took a value";
    ASSERT_TRUE(TypeValue(where, 0, "'x%'", preview));
    // A single click on the selected row's value starts no editor, however long one waits.
    ASSERT_TRUE(harness::ClickListViewCell(where, 0, kValue));
    harness::PumpMessagesFor(::GetDoubleClickTime() + 300);
    EXPECT_EQ(::FindWindowExA(where, nullptr, "Edit", nullptr), nullptr) << "a click started the value editor";
    // The first click on a check box ticks it and selects the row, the next unticks it, and a
    // third ticks it again; a click on the direction then opens its list at once.
    for (const bool ticked : {true, false, true}) {
        ASSERT_TRUE(harness::ClickListViewCell(orderBy, 1, kKeyCheck));
        ASSERT_TRUE(harness::WaitUntil([&] { return (run.Preview().find("ORDER BY B") != std::string::npos) == ticked; }));
    }
    ASSERT_EQ(harness::ListViewSelectedRow(orderBy), 1);
    ASSERT_TRUE(ChooseInCell(orderBy, 1, kKeyDirection, "DESC"));

    const std::string wanted = "SELECT A,B FROM T WHERE  ( A LIKE 'x%' ) OR ( B IS NULL ) ORDER BY B DESC";
    ASSERT_TRUE(run.PreviewBecomes(wanted)) << run.Preview();
    // One message for each choice and each tick, none for the clicks that only selected.
    EXPECT_EQ(told.Messages(), (std::vector<harness::MessageRecorder::Entry>{
                                   {kComboSelection, 0, kOperator}, {kComboSelection, 1, kAndOr}, {kComboSelection, 1, kOperator},
                                   {kCheckboxClicked, 1, kKeyCheck}, {kCheckboxClicked, 1, kKeyCheck},
                                   {kCheckboxClicked, 1, kKeyCheck}, {kComboSelection, 1, kKeyDirection}}));
    harness::SaveScreenshot(harness::CaptureWindow(run.Dialog()), "grid_all_clauses.bmp");
    ASSERT_TRUE(run.End(IDOK));
    EXPECT_EQ(run.ReturnedText(), wanted);
}

// Tab order, Space on the column list, the buttons and check boxes, arrows between a
// row's drop-down cells, F4 and Alt+Down to open, letters and Enter in the list, F2 to
// edit a value and Tab to leave it.
TEST(GridFlows, KeyboardAloneBuildsTheWholeStatement)
{
    QueryRun run("T", kColumns, "");
    ASSERT_NE(run.Dialog(), nullptr);
    // A pointer resting on a grid that tracks it takes nothing from the keyboard.
    ASSERT_TRUE(harness::MoveMouseTo(run.Control(kOrderByGrid), harness::ClientCenter(run.Control(kOrderByGrid))));
    using harness::kShift, harness::kAlt;
    const struct { WORD key; unsigned modifiers; const char* text; } steps[] = {  // text: typed after the key
        {VK_TAB, 0, nullptr},   {VK_HOME, 0, nullptr},  {VK_DOWN, 0, nullptr},  {VK_SPACE, 0, nullptr},
        {VK_DOWN, 0, nullptr},  {VK_SPACE, 0, nullptr},                                    // A and B ticked
        {VK_TAB, 0, nullptr},   {VK_TAB, 0, nullptr},   {VK_TAB, 0, nullptr},   {VK_TAB, 0, nullptr},
        {VK_SPACE, 0, nullptr}, {VK_SPACE, 0, nullptr},                                    // "+" twice
        {VK_TAB, kShift, nullptr}, {VK_HOME, 0, nullptr}, {VK_RIGHT, 0, nullptr},
        {VK_F4, 0, "L"},        {VK_RETURN, 0, nullptr},                                   // LIKE
        {VK_F4, 0, nullptr},    {VK_DOWN, 0, nullptr},  {VK_ESCAPE, 0, nullptr},           // LIKE again
        {VK_F2, 0, "'x%'"},     {VK_TAB, 0, nullptr},   {VK_TAB, kShift, nullptr},
        {VK_DOWN, 0, nullptr},  {VK_LEFT, 0, nullptr},  {VK_LEFT, 0, nullptr},
        {VK_F4, 0, "O"},        {VK_RETURN, 0, nullptr},                                   // OR
        {VK_F2, 0, "2"},        {VK_TAB, 0, nullptr},
        {VK_TAB, 0, nullptr},   {VK_TAB, 0, nullptr},   {VK_TAB, 0, nullptr},              // to ORDER BY
        {VK_HOME, 0, nullptr},  {VK_DOWN, 0, nullptr},  {VK_SPACE, 0, nullptr},            // B ticked
        {VK_DOWN, kAlt, "D"},   {VK_RETURN, 0, nullptr},                                   // DESC
    };
    for (const auto& step : steps) {
        ASSERT_TRUE(harness::PressKey(step.key, step.modifiers));
        harness::PumpMessagesFor(150);
        if (step.text) {
            ASSERT_TRUE(harness::TypeText(step.text));
        }
        harness::PumpMessagesFor(150);
    }
    ASSERT_TRUE(run.PreviewBecomes(kWanted)) << run.Preview();
    for (WORD key : {VK_TAB, VK_TAB, VK_TAB, VK_SPACE}) ASSERT_TRUE(harness::PressKey(key));  // OK
    ASSERT_TRUE(run.Finish());
    EXPECT_EQ(run.ReturnedText(), kWanted);
}

}  // namespace
}  // namespace dlltest
