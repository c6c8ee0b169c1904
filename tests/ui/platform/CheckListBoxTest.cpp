// CCheckListBox: clicks in the box toggle after the selection, the space bar toggles the
// selected item, code sets checks silently, checks move with their items, boxes show it.
#include <gtest/gtest.h>

#include "ScriptedDialog.h"
#include "platform/CheckListBox.h"
#include "platform/DataExchange.h"
#include "platform/GdiDC.h"
#include "platform/GdiSelect.h"

namespace {

class CheckListDialog : public ScriptedDialog {
public:
    explicit CheckListDialog(UINT templateId = IDD_CONTROLS) : ScriptedDialog(templateId) {}
    const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }
    static const MessageMap* StaticMessageMap()
    {
        static const MessageEntry entries[] = {
            msgmap::Command<&CheckListDialog::OnSelChange>(LBN_SELCHANGE, IDC_CHECKLIST),
            msgmap::Command<&CheckListDialog::OnCheckChange>(CLBN_CHKCHANGE, IDC_CHECKLIST),
        };
        static const MessageMap map(ScriptedDialog::StaticMessageMap(), entries);
        return &map;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_CHECKLIST, list);
        if (!list.GetCount()) {
            for (const char* name : {"*", "ID", "NAME", "PRICE"}) list.AddString(name);
        }
    }
    CCheckListBox list;

private:
    // What the parent can know when each notification arrives.
    void OnSelChange() { log.push_back("selchange " + std::to_string(list.GetCurSel())); }
    void OnCheckChange()
    {
        int selected = list.GetCurSel();
        log.push_back("chkchange sel " + std::to_string(selected) + " check " + std::to_string(list.GetCheck(selected)));
    }
};

CheckListDialog& Self(ScriptedDialog& d) { return static_cast<CheckListDialog&>(d); }

POINT BoxCentre(const CCheckListBox& list, int index)
{
    CRect item;
    list.GetItemRect(index, &item);
    return CCheckListBox::CheckBoxRect(item).CenterPoint();
}

POINT TextPoint(const CCheckListBox& list, int index)
{
    CRect item;
    list.GetItemRect(index, &item);
    return CPoint(item.right - 10, item.CenterPoint().y);
}

// The parent learns of the selection before the check, and a click on the text only selects.
TEST(CheckListBox, ClicksInTheBoxSelectThenToggleAndAClickOnTheTextOnlySelects)
{
    CheckListDialog dialog;
    std::vector<int> checks;
    std::vector<std::string> firstClick;
    auto clickAt = [](ScriptedDialog& d, POINT (*where)(const CCheckListBox&, int), int item) {
        PostClick(Self(d).list.GetSafeHwnd(), where(Self(d).list, item));
    };
    dialog.Then([&](ScriptedDialog& d) { clickAt(d, BoxCentre, 2); })
        .Then([&](ScriptedDialog& d) {
            checks.push_back(Self(d).list.GetCheck(2));
            firstClick.swap(d.log);
            clickAt(d, BoxCentre, 2);
        })
        .Then([&](ScriptedDialog& d) {
            checks.push_back(Self(d).list.GetCheck(2));
            d.log.clear();
            clickAt(d, TextPoint, 3);
        })
        .Then([&](ScriptedDialog& d) { checks.push_back(Self(d).list.GetCheck(3)); });
    EXPECT_EQ(ScriptedDialog::kScriptDone, dialog.DoModal());
    EXPECT_EQ((std::vector<std::string>{"selchange 2", "chkchange sel 2 check 1"}), firstClick);
    EXPECT_EQ((std::vector<int>{1, 0, 0}), checks);
    EXPECT_EQ((std::vector<std::string>{"selchange 3"}), dialog.log);
}

TEST(CheckListBox, TheSpaceBarTogglesTheSelectedItem)
{
    CheckListDialog dialog;
    int check = -1;
    dialog.Then([](ScriptedDialog& d) {
              Self(d).list.SetCurSel(3);
              Self(d).list.SetFocus();
              PostKey(Self(d).list.GetSafeHwnd(), VK_SPACE);
          })
        .Then([&](ScriptedDialog& d) { check = Self(d).list.GetCheck(3); });
    dialog.DoModal();
    EXPECT_EQ(1, check);
    EXPECT_EQ((std::vector<std::string>{"chkchange sel 3 check 1"}), dialog.log);
}

TEST(CheckListBox, ChecksSetByCodeSendNothingAndFollowTheirItems)
{
    CheckListDialog dialog;
    std::vector<int> seen;
    dialog.Then([&](ScriptedDialog& d) {
        CCheckListBox& list = Self(d).list;
        list.SetCheck(1, 1);                       // "ID"
        list.InsertString(0, "FIRST");
        seen.push_back(list.GetCheck(2));          // "ID" moved down
        seen.push_back(list.GetCheck(1));          // "*"
        list.DeleteString(0);
        list.DeleteString(0);
        seen.push_back(list.GetCheck(0));          // "ID" at the top now
        seen.push_back(list.GetCheck(99));
        seen.push_back(list.SetCheck(-1, 1));
    });
    dialog.DoModal();
    EXPECT_EQ((std::vector<int>{1, 0, 1, LB_ERR, LB_ERR}), seen);
    EXPECT_TRUE(dialog.log.empty());
}

// Dark pixels inside an item's box: the tick of a checked box.
int DarkPixelsInBox(CCheckListBox& list, int index)
{
    CRect item;
    list.GetItemRect(index, &item);
    CRect box = CCheckListBox::CheckBoxRect(item);
    box.DeflateRect(2, 2);
    HDC dc = ::GetDC(list.GetSafeHwnd());
    int dark = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            COLORREF c = ::GetPixel(dc, x, y);
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) ++dark;
        }
    }
    ::ReleaseDC(list.GetSafeHwnd(), dc);
    return dark;
}

TEST(CheckListBox, ACheckedBoxShowsATickAndAnUncheckedOneDoesNot)
{
    CheckListDialog dialog;
    int checkedDark = 0, uncheckedDark = 0;
    CString firstText;
    dialog.Then([&](ScriptedDialog& d) {
        CCheckListBox& list = Self(d).list;
        list.SetCheck(0, 1);
        list.UpdateWindow();
        checkedDark = DarkPixelsInBox(list, 0);
        uncheckedDark = DarkPixelsInBox(list, 1);
        firstText = list.GetText(0);
    });
    dialog.DoModal();
    EXPECT_GT(checkedDark, 4);
    EXPECT_EQ(0, uncheckedDark);
    EXPECT_STREQ("*", firstText);
}

// The dialog measures the items when the list is created, before any object is bound to it.
TEST(CheckListBox, ItemsAreTallEnoughForTheBoxAndTheFont)
{
    CheckListDialog dialog(IDD_BIG_FONT);
    int itemHeight = 0, fontHeight = 0;
    dialog.Then([&](ScriptedDialog& d) {
        itemHeight = Self(d).list.GetItemHeight(0);
        CClientDC dc(Self(d).list.GetSafeHwnd());
        CSelectGuard font(dc, d.GetFont());
        TEXTMETRICA metrics{};
        ::GetTextMetricsA(dc, &metrics);
        fontHeight = metrics.tmHeight;
    });
    dialog.DoModal();
    EXPECT_GT(fontHeight, 20);  // the template asks for a 20-point font
    EXPECT_GE(itemHeight, fontHeight);
    EXPECT_GE(itemHeight, 15);  // a 13-pixel check box and a pixel above and below
}

}  // namespace
