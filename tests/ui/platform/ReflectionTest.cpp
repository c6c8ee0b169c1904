// Reflection: notifications a control sends its parent are first offered to the
// control's own object; the parent sees what the control did not consume.
#include <gtest/gtest.h>

#include <algorithm>

#include "ScriptedDialog.h"
#include "platform/Button.h"
#include "platform/DataExchange.h"
#include "platform/Edit.h"
#include "platform/ListCtrl.h"

namespace {

class SelfDrawingList : public CListCtrl {
public:
    const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }
    static const MessageMap* StaticMessageMap()
    {
        static const MessageEntry entries[] = {
            msgmap::ReflectNotify<&SelfDrawingList::OnCustomDraw>(NM_CUSTOMDRAW),
            msgmap::ReflectNotify<&SelfDrawingList::OnClick>(NM_CLICK),
        };
        static const MessageMap map(CListCtrl::StaticMessageMap(), entries);
        return &map;
    }
    int prepaints = 0;
    int itemPrepaints = 0;
    std::vector<std::string>* log = nullptr;

private:
    void OnCustomDraw(NMHDR* header, LRESULT* result)
    {
        auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
        if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
            ++prepaints;
            *result = CDRF_NOTIFYITEMDRAW;  // only reaches the list view if the result gets through
        } else if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
            ++itemPrepaints;
            *result = CDRF_DODEFAULT;
        }
    }
    BOOL OnClick(NMHDR*, LRESULT* result)
    {
        log->push_back("list saw click");
        *result = 0;
        return FALSE;  // the parent is told as well
    }
};

class QuietEdit : public CEdit {
public:
    const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }
    static const MessageMap* StaticMessageMap()
    {
        static const MessageEntry entries[] = {
            msgmap::ReflectCommand<&QuietEdit::OnChange>(EN_CHANGE),
            msgmap::ReflectCtlColor<&QuietEdit::OnColor>(),
        };
        static const MessageMap map(CEdit::StaticMessageMap(), entries);
        return &map;
    }
    int changes = 0;

private:
    void OnChange() { ++changes; }
    HBRUSH OnColor(HDC, UINT) { return static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)); }
};

class ParentDialog : public ScriptedDialog {
public:
    const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }
    static const MessageMap* StaticMessageMap()
    {
        static const MessageEntry entries[] = {
            msgmap::Notify<&ParentDialog::OnListCustomDraw>(NM_CUSTOMDRAW, IDC_LISTVIEW),
            msgmap::Notify<&ParentDialog::OnListClick>(NM_CLICK, IDC_LISTVIEW),
            msgmap::Command<&ParentDialog::OnEditChange>(EN_CHANGE, IDC_EDIT),
            msgmap::Command<&ParentDialog::OnPush>(BN_CLICKED, IDC_PUSH),
            msgmap::CtlColor<&ParentDialog::OnCtlColor>(),
        };
        static const MessageMap map(ScriptedDialog::StaticMessageMap(), entries);
        return &map;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_LISTVIEW, list);
        DDX_Control(pDX, IDC_EDIT, edit);
        DDX_Control(pDX, IDC_PUSH, push);
    }
    SelfDrawingList list;
    QuietEdit edit;
    CButton push;
    int parentCustomDraws = 0;
    int parentEditChanges = 0;
    std::vector<UINT> coloured;

private:
    void OnListCustomDraw(NMHDR*, LRESULT*) { ++parentCustomDraws; }
    void OnListClick(NMHDR*, LRESULT*) { log.push_back("parent saw click"); }
    void OnEditChange() { ++parentEditChanges; }
    void OnPush() { log.push_back("parent saw push"); }
    HBRUSH OnCtlColor(HDC, HWND, UINT ctlColor)
    {
        coloured.push_back(ctlColor);
        return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    }
};

TEST(Reflection, AListViewAnswersItsOwnCustomDrawAndTheResultReachesIt)
{
    ParentDialog dialog;
    dialog.list.log = &dialog.log;
    dialog.Then([](ScriptedDialog& d) {
        auto& self = static_cast<ParentDialog&>(d);
        self.list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
        for (const char* name : {"one", "two", "three"}) self.list.InsertItem(self.list.GetItemCount(), name);
        self.list.Invalidate();
        self.list.UpdateWindow();
    });
    EXPECT_EQ(ScriptedDialog::kScriptDone, dialog.DoModal());
    EXPECT_GE(dialog.list.prepaints, 1);
    EXPECT_GE(dialog.list.itemPrepaints, 3);  // asked for by the prepaint answer
    EXPECT_EQ(0, dialog.parentCustomDraws);   // consumed by the list
}

// A control that declines a notification lets the parent see it after; one that
// consumes a command or answers a colour keeps it; the rest reach the parent.
TEST(Reflection, ControlsSeeTheirNotificationsFirstAndTheParentWhatTheyLeave)
{
    ParentDialog dialog;
    dialog.list.log = &dialog.log;
    LRESULT editBrush = 0, checkBrush = 0;
    dialog.Then([&](ScriptedDialog& d) {
        auto& self = static_cast<ParentDialog&>(d);
        NMHDR header{self.list.GetSafeHwnd(), IDC_LISTVIEW, static_cast<UINT>(NM_CLICK)};
        self.SendMessage(WM_NOTIFY, IDC_LISTVIEW, reinterpret_cast<LPARAM>(&header));
        self.edit.SetWindowText("changed");  // EN_CHANGE, consumed by the edit
        self.push.SendMessage(BM_CLICK);     // BN_CLICKED, no reflected entry
        HDC dc = ::GetDC(self.GetSafeHwnd());
        editBrush = self.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(self.edit.GetSafeHwnd()));
        checkBrush = self.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                                      reinterpret_cast<LPARAM>(self.GetDlgItem(IDC_CHECK).GetSafeHwnd()));
        ::ReleaseDC(self.GetSafeHwnd(), dc);
    });
    dialog.DoModal();
    EXPECT_EQ((std::vector<std::string>{"list saw click", "parent saw click", "parent saw push"}), dialog.log);
    EXPECT_GE(dialog.edit.changes, 1);
    EXPECT_EQ(0, dialog.parentEditChanges);
    EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH)), editBrush);
    EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH)), checkBrush);
    EXPECT_NE(dialog.coloured.end(), std::find(dialog.coloured.begin(), dialog.coloured.end(), UINT{CTLCOLOR_BTN}));
}

}  // namespace
