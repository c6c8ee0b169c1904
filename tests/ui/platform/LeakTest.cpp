// Dialog runs leave no window and no GDI object behind.
#include <gtest/gtest.h>

#include "GuiResources.h"
#include "ScriptedDialog.h"
#include "platform/CheckListBox.h"
#include "platform/DataExchange.h"
#include "platform/ListCtrl.h"

namespace {

class BusyDialog : public ScriptedDialog {
public:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_CHECKLIST, checks);
        DDX_Control(pDX, IDC_LISTVIEW, grid);
        DDX_Text(pDX, IDC_EDIT, text);
    }
    CCheckListBox checks;
    CListCtrl grid;
    CString text = "SELECT * FROM T";
};

// Everything a run of the query dialog does to the layer: bound controls, owner-drawn
// items, tool tips, a list view with items, data exchange both ways.
INT_PTR RunBusyDialog()
{
    BusyDialog dialog;
    dialog.Then([](ScriptedDialog& d) {
        auto& self = static_cast<BusyDialog&>(d);
        self.checks.EnableToolTips(TRUE);
        for (const char* name : {"*", "A", "B", "C"}) self.checks.AddString(name);
        self.checks.SetCheck(1, 1);
        self.grid.InsertColumn(0, "Value", LVCFMT_LEFT, 80);
        self.grid.InsertItem(0, "x");
        self.grid.SetItemText(0, 0, "y");
        d.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
        CRect box;
        self.checks.GetItemRect(2, &box);
        PostClick(self.checks.GetSafeHwnd(), CCheckListBox::CheckBoxRect(box).CenterPoint());
    });
    dialog.Then([](ScriptedDialog& d) { d.GetDlgItem(IDOK).SendMessage(BM_CLICK); });
    return dialog.DoModal();
}

TEST(Leaks, DialogRunsLeaveNoWindowsAndNoGdiObjects)
{
    EXPECT_TRUE(harness::LeavesNoObjectsBehind([] { ASSERT_EQ(IDOK, RunBusyDialog()); }, 20));
}

}  // namespace
