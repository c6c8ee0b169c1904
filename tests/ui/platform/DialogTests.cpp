// The layer inside a running dialog: notifications reflected to the controls that sent
// them, keys pre-translated from the child up to the dialog, data exchange both ways.
#include <gtest/gtest.h>

#include "LayerDialog.h"

namespace {

// A control that keeps a notification hides it from the parent; one that declines lets
// the parent see it after; its answer is what the sender gets.
TEST(Reflection, ControlsSeeTheirNotificationsFirstAndTheParentWhatTheyLeave)
{
    LayerDialog dialog;
    LRESULT editBrush = 0;
    dialog.steps.push_back([&](LayerDialog& d) {
        d.list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
        for (const char* name : {"one", "two", "three"}) d.list.InsertItem(d.list.GetItemCount(), name);
        d.list.Invalidate();
        d.list.UpdateWindow();
        NMHDR header{d.list.GetSafeHwnd(), IDC_LIST, static_cast<UINT>(NM_CLICK)};
        d.SendMessage(WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&header));
        d.edit.SetWindowText("changed");
        HDC dc = ::GetDC(d.GetSafeHwnd());
        editBrush = d.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(d.edit.GetSafeHwnd()));
        ::ReleaseDC(d.GetSafeHwnd(), dc);
    });
    EXPECT_EQ(LayerDialog::kDone, dialog.DoModal());
    EXPECT_EQ("list:click parent:click ", dialog.log);
    EXPECT_GE(dialog.list.itemPrepaints, 3);  // asked for by the list's answer to the prepaint
    EXPECT_EQ(0, dialog.parentDraws);
    EXPECT_GE(dialog.edit.changes, 1);
    EXPECT_EQ(0, dialog.parentEditChanges);
    EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH)), editBrush);
}

// The window a key is for looks first, the dialog last; a key swallowed on the way
// never reaches the window, and the host's other windows' keys are not the dialog's.
TEST(ModalLoop, KeysArePreTranslatedFromTheChildUpAndASwallowedKeyGoesNoFurther)
{
    LayerDialog dialog;
    HWND host = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    dialog.steps.push_back([&](LayerDialog& d) {
        d.edit.PostMessage(WM_KEYDOWN, VK_F5, 1);
        d.edit.PostMessage(WM_KEYDOWN, VK_F6, 1);
        ::PostMessageA(host, WM_KEYDOWN, VK_F6, 1);
    });
    EXPECT_EQ(LayerDialog::kDone, dialog.DoModal());
    EXPECT_EQ("edit:F5 dialog:F5 edit-got:F5 edit:F6 ", dialog.log);
    ::DestroyWindow(host);
}

TEST(ModalLoop, EnterIsOkEscapeAndTheCloseBoxAreCancelAndQuitEndsTheRun)
{
    const struct { UINT key; INT_PTR result; } cases[] = {{VK_RETURN, IDOK}, {VK_ESCAPE, IDCANCEL}, {0, IDCANCEL}};
    for (const auto& c : cases) {
        LayerDialog dialog;
        dialog.holdOpen = true;
        dialog.steps.push_back([&](LayerDialog& d) {
            if (c.key) d.edit.PostMessage(WM_KEYDOWN, c.key, 1);
            else d.PostMessage(WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
        });
        EXPECT_EQ(c.result, dialog.DoModal()) << c.key;
    }
    // Seen once nothing else waits, as the platform does; the caller's loop gets it again.
    LayerDialog dialog;
    dialog.holdOpen = true;
    dialog.steps.push_back([](LayerDialog&) { ::PostQuitMessage(7); });
    EXPECT_EQ(-1, dialog.DoModal());
    MSG msg{};
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
}

// Members fill the controls when the dialog starts; OK copies the controls back, Cancel
// does not, and an exchange that fails keeps the dialog open at OK.
TEST(DataExchange, MembersGoIntoTheControlsAtTheStartAndComeBackOnlyAtOk)
{
    const struct { int button; bool fail; INT_PTR result; const char* text; const char* choice; } cases[] = {
        {IDOK, false, IDOK, "typed", "Gamma"},
        {IDCANCEL, false, IDCANCEL, "SELECT *", "Beta"},
        {IDOK, true, LayerDialog::kDone, nullptr, nullptr}};  // still open: ran out of steps
    for (const auto& c : cases) {
        LayerDialog dialog;
        dialog.text = "SELECT *";
        dialog.choice = "Beta";
        dialog.failExchange = c.fail;
        CString shownText, shownChoice;
        dialog.steps.push_back([&](LayerDialog& d) {
            shownText = d.GetDlgItemText(IDC_EDIT);
            shownChoice = d.combo.GetLBText(d.combo.GetCurSel());
            d.SetDlgItemText(IDC_EDIT, "typed");
            d.combo.SetCurSel(d.combo.FindStringExact(-1, "Gamma"));
            d.GetDlgItem(c.button).SendMessage(BM_CLICK);
        });
        EXPECT_EQ(c.result, dialog.DoModal()) << c.button << c.fail;
        EXPECT_STREQ("SELECT *", shownText);
        EXPECT_STREQ("Beta", shownChoice);
        EXPECT_EQ(nullptr, dialog.list.GetSafeHwnd());  // bound for the run only
        if (c.fail) continue;  // what a failed exchange read before it failed is not promised
        EXPECT_STREQ(c.text, dialog.text);
        EXPECT_STREQ(c.choice, dialog.choice);
    }
}

}  // namespace
