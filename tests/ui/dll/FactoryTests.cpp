// A C++ host that drives a dialog object from CreateSELECTSQLQueryDlg through the public
// header alone: its declaration must reach the DLL's functions slot for slot.
#include <gtest/gtest.h>

#include "QueryBuilderDriver.h"

using namespace dlltest;

namespace {

struct FactoryRun {
    INT_PTR modalResult = 0;
    std::string statementBefore;
    std::string statementAfter;
    int addResult = 0;
};

TEST(Factory, AHostDrivesTheObjectThroughTheHeaderAndDeletesIt)
{
    ASSERT_NE(Quervix().createDialog, nullptr);
    FactoryRun seen;
    harness::ModalCall call([&]() -> INT_PTR {
        CSELECTSQLDlg* dialog = Quervix().createDialog();
        if (!dialog) return -100;
        dialog->AddTableColumns("T", "A\tB\t");
        seen.addResult = dialog->AddTableColumns("T", "X\tY\tZ\t");  // the same table: replaced
        dialog->SetSQLQuery("select y from t order by z");
        seen.statementBefore = dialog->GetSQLQuery();
        seen.modalResult = dialog->DoModal();
        seen.statementAfter = dialog->GetSQLQuery();
        delete dialog;
        return 0;
    });
    HWND window = harness::WaitForWindow(kCaption, call.ThreadId());
    ASSERT_NE(window, nullptr);
    HWND columns = harness::FindControl(window, kColumnList);
    EXPECT_EQ(harness::ListBoxItems(columns), (std::vector<std::string>{"*", "X", "Y", "Z"}));
    EXPECT_EQ(harness::ComboItems(harness::FindControl(window, kTableCombo)), std::vector<std::string>{"T"});
    ASSERT_TRUE(harness::ClickCenter(harness::FindControl(window, IDOK)));
    ASSERT_TRUE(call.Finish(10000));

    EXPECT_EQ(call.Result(), 0) << "the factory gave no object";
    EXPECT_NE(seen.addResult, 0);
    EXPECT_EQ(seen.statementBefore, "select y from t order by z");
    EXPECT_EQ(seen.modalResult, IDOK);
    EXPECT_EQ(seen.statementAfter, "SELECT Y FROM T ORDER BY Z");
}

TEST(Factory, CancelReportsIdCancelAndKeepsTheStatementTheHostGave)
{
    ASSERT_NE(Quervix().createDialog, nullptr);
    FactoryRun seen;
    harness::ModalCall call([&]() -> INT_PTR {
        CSELECTSQLDlg* dialog = Quervix().createDialog();
        if (!dialog) return -100;
        dialog->AddTableColumns("Orders", "No\tDate\t");
        dialog->AddTableColumns("Customers", "ID\tName\t");
        dialog->SetSQLQuery("SELECT No FROM Orders ");
        seen.modalResult = dialog->DoModal();
        seen.statementAfter = dialog->GetSQLQuery();
        delete dialog;
        return 0;
    });
    HWND window = harness::WaitForWindow(kCaption, call.ThreadId());
    ASSERT_NE(window, nullptr);
    // Columns of the first table added; every table in the (sorted) FROM box.
    EXPECT_EQ(harness::ListBoxItems(harness::FindControl(window, kColumnList)),
              (std::vector<std::string>{"*", "No", "Date"}));
    EXPECT_EQ(harness::ComboItems(harness::FindControl(window, kTableCombo)),
              (std::vector<std::string>{"Customers", "Orders"}));
    ASSERT_TRUE(harness::ClickCenter(harness::FindControl(window, IDCANCEL)));
    ASSERT_TRUE(call.Finish(10000));
    EXPECT_EQ(call.Result(), 0);
    EXPECT_EQ(seen.modalResult, IDCANCEL);
    EXPECT_EQ(seen.statementAfter, "SELECT No FROM Orders ");
}

}  // namespace
