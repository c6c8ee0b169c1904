// Data exchange: members into controls at initialisation, controls into members at OK,
// and controls bound to their objects for the dialog's run.
#include <gtest/gtest.h>

#include "ScriptedDialog.h"
#include "platform/ComboBox.h"
#include "platform/DataExchange.h"
#include "platform/ListCtrl.h"

namespace {

class FormDialog : public ScriptedDialog {
public:
    FormDialog()
    {
        beforeInit = [](ScriptedDialog& d) {
            CWindow combo = d.GetDlgItem(IDC_COMBO);
            for (const char* item : {"Gamma", "Alpha", "Beta"}) {
                combo.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
            }
        };
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        ScriptedDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_LISTVIEW, list);
        DDX_Control(pDX, IDC_COMBO, combo);
        DDX_Text(pDX, IDC_EDIT, text);
        DDX_CBString(pDX, IDC_COMBO, choice);
        if (withMissingControl) DDX_Text(pDX, 4242, text);
        ++exchanges;
    }
    void OnOK() override
    {
        log.push_back("OnOK");
        ScriptedDialog::OnOK();
    }
    CString text;
    CString choice;
    CListCtrl list;
    CComboBox combo;
    bool withMissingControl = false;
    int exchanges = 0;
};

TEST(DataExchange, MembersFillTheControlsWhenTheDialogStarts)
{
    FormDialog dialog;
    dialog.text = "SELECT *";
    dialog.choice = "Beta";
    CString shownText;
    CString shownChoice;
    HWND boundList = nullptr;
    dialog.Then([&](ScriptedDialog& d) {
        auto& self = static_cast<FormDialog&>(d);
        shownText = d.GetDlgItemText(IDC_EDIT);
        shownChoice = self.combo.GetLBText(self.combo.GetCurSel());
        boundList = self.list.GetSafeHwnd();
        EXPECT_EQ(&self.list, CWnd::FromHandlePermanent(d.GetDlgItem(IDC_LISTVIEW)));
    });
    EXPECT_EQ(ScriptedDialog::kScriptDone, dialog.DoModal());
    EXPECT_STREQ("SELECT *", shownText);
    EXPECT_STREQ("Beta", shownChoice);
    EXPECT_NE(nullptr, boundList);
    EXPECT_EQ(nullptr, dialog.list.GetSafeHwnd());  // let go when the dialog went

    FormDialog missing;  // a choice missing from the list leaves nothing selected
    missing.choice = "Delta";
    int selection = 0;
    missing.Then([&](ScriptedDialog& d) { selection = static_cast<FormDialog&>(d).combo.GetCurSel(); });
    missing.DoModal();
    EXPECT_EQ(-1, selection);
}

TEST(DataExchange, OkCopiesTheControlsIntoTheMembers)
{
    FormDialog dialog;
    dialog.Then([](ScriptedDialog& d) {
        auto& self = static_cast<FormDialog&>(d);
        d.SetDlgItemText(IDC_EDIT, "typed by the user");
        self.combo.SetCurSel(self.combo.FindStringExact(-1, "Gamma"));
        d.GetDlgItem(IDOK).SendMessage(BM_CLICK);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_STREQ("typed by the user", dialog.text);
    EXPECT_STREQ("Gamma", dialog.choice);
    EXPECT_EQ(2, dialog.exchanges);  // once into the controls, once out
}

TEST(DataExchange, CancelLeavesTheMembersAlone)
{
    FormDialog dialog;
    dialog.text = "kept";
    dialog.Then([](ScriptedDialog& d) {
        d.SetDlgItemText(IDC_EDIT, "discarded");
        d.GetDlgItem(IDCANCEL).SendMessage(BM_CLICK);
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_STREQ("kept", dialog.text);
}

TEST(DataExchange, AFailedExchangeKeepsTheDialogOpenAtOk)
{
    FormDialog dialog;
    dialog.withMissingControl = true;
    BOOL loaded = TRUE;
    dialog.Then([&](ScriptedDialog& d) {
              loaded = d.UpdateData(FALSE);
              d.GetDlgItem(IDOK).SendMessage(BM_CLICK);
          })
        .Then([](ScriptedDialog& d) { d.log.push_back("still open"); });
    EXPECT_EQ(ScriptedDialog::kScriptDone, dialog.DoModal());
    EXPECT_FALSE(loaded);
    EXPECT_EQ((std::vector<std::string>{"OnOK", "still open"}), dialog.log);
}

}  // namespace
