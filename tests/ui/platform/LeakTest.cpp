// Twenty dialog runs leave no window and no GDI object behind.
#include <gtest/gtest.h>

#include "ScriptedDialog.h"
#include "platform/CheckListBox.h"
#include "platform/DataExchange.h"
#include "platform/ListCtrl.h"

namespace {

// Live GDI objects of the process. Wine's GetGuiResources answers 0 always; there, every
// handle whose low word names a live object still resolves, so the table can be probed.
DWORD GdiObjectCount()
{
    DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0) return reported;
    DWORD live = 0;
    for (ULONG_PTR value = 1; value < 0x10000; ++value) {
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(value)) != 0) ++live;
    }
    return live;
}

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    ::EnumChildWindows(hwnd, &CountWindow, count);
    return TRUE;
}

// USER objects of the thread that matter here: its windows, hidden ones included.
int ThreadWindowCount()
{
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&count));
    DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    return count + static_cast<int>(reported);
}

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

TEST(Leaks, TwentyDialogRunsLeaveNoWindowsAndNoGdiObjects)
{
    ASSERT_EQ(IDOK, RunBusyDialog());  // first run: one-time set-up (classes, fonts, common controls)
    DWORD gdiBefore = GdiObjectCount();
    int windowsBefore = ThreadWindowCount();
    ASSERT_GT(gdiBefore, 0u);
    for (int run = 0; run < 20; ++run) ASSERT_EQ(IDOK, RunBusyDialog());
    EXPECT_EQ(gdiBefore, GdiObjectCount());
    EXPECT_EQ(windowsBefore, ThreadWindowCount());
}

}  // namespace
