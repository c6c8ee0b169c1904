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
    dialog.steps.push_back([&](LayerDialog& d) {
        d.list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
        for (const char* name : {"one", "two", "three"}) d.list.InsertItem(d.list.GetItemCount(), name);
        d.list.Invalidate();
        d.list.UpdateWindow();
        NMHDR header{d.list.GetSafeHwnd(), IDC_LIST, static_cast<UINT>(NM_CLICK)};
        d.SendMessage(WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&header));
    });
    EXPECT_EQ(LayerDialog::kDone, dialog.DoModal());
    EXPECT_EQ("list:click parent:click ", dialog.log);
    EXPECT_GE(dialog.list.itemPrepaints, 3);  // asked for by the list's answer to the prepaint
    EXPECT_EQ(0, dialog.parentDraws);
}

// The window a key is for looks first, the dialog last; a key swallowed on the way
// never reaches the window, and the host's other windows' keys are not the dialog's. A quit
// ends the run once nothing else waits, as the platform does, and the caller's loop gets it again.
TEST(ModalLoop, KeysArePreTranslatedFromTheChildUpAndAQuitEndsTheRun)
{
    LayerDialog dialog;
    dialog.holdOpen = true;
    HWND host = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    dialog.steps.push_back([&](LayerDialog& d) {
        d.edit.PostMessage(WM_KEYDOWN, VK_F5, 1);
        d.edit.PostMessage(WM_KEYDOWN, VK_F6, 1);
        ::PostMessageA(host, WM_KEYDOWN, VK_F6, 1);
        ::PostQuitMessage(7);
    });
    EXPECT_EQ(-1, dialog.DoModal());
    EXPECT_EQ("edit:F5 dialog:F5 edit-got:F5 edit:F6 ", dialog.log);
    MSG msg{};
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
    ::DestroyWindow(host);
}

// Members fill the controls when the dialog starts; OK (its button or Enter) copies the
// controls back, Cancel (Escape or the close box) does not, and an exchange that fails
// keeps the dialog open at OK.
TEST(DataExchange, MembersGoIntoTheControlsAtTheStartAndComeBackOnlyAtOk)
{
    enum Close { kOkButton, kEnter, kEscape, kCloseBox };
    const struct { Close close; bool fail; INT_PTR result; } cases[] = {
        {kOkButton, false, IDOK}, {kEnter, false, IDOK}, {kEscape, false, IDCANCEL}, {kCloseBox, false, IDCANCEL},
        {kOkButton, true, LayerDialog::kDone}};  // still open: ran out of steps
    for (const auto& c : cases) {
        LayerDialog dialog;
        dialog.text = "SELECT *";
        dialog.failExchange = c.fail;
        dialog.holdOpen = !c.fail;
        CString shownText;
        dialog.steps.push_back([&](LayerDialog& d) {
            shownText = d.GetDlgItemText(IDC_EDIT);
            d.SetDlgItemText(IDC_EDIT, "typed");
            if (c.close == kOkButton) d.GetDlgItem(IDOK).SendMessage(BM_CLICK);
            else if (c.close == kCloseBox) d.PostMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
            else d.edit.PostMessage(WM_KEYDOWN, c.close == kEnter ? VK_RETURN : VK_ESCAPE, 1);
        });
        EXPECT_EQ(c.result, dialog.DoModal()) << c.close << c.fail;
        EXPECT_STREQ("SELECT *", shownText);
        EXPECT_EQ(nullptr, dialog.list.GetSafeHwnd());  // bound for the run only
        if (c.fail) continue;  // what a failed exchange read before it failed is not promised
        EXPECT_STREQ(c.result == IDOK ? "typed" : "SELECT *", dialog.text);
    }
}

}  // namespace
