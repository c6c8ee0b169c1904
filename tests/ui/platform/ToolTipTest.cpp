// Window tool tips: the mouse over a tool reaches the tool-tip control through the modal
// loop's pre-translation, and the control asks the tool's window for the text.
#include <gtest/gtest.h>

#include "ScriptedDialog.h"
#include "platform/CheckListBox.h"
#include "platform/DataExchange.h"

namespace {

// One tool per item, its text asked for on demand: the column list's way.
class TippedList : public CCheckListBox {
public:
    const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }
    static const MessageMap* StaticMessageMap()
    {
        static const MessageEntry entries[] = {
            msgmap::NotifyRange<&TippedList::OnNeedText>(TTN_NEEDTEXTA, 0, 0xFFFF),
            msgmap::NotifyRange<&TippedList::OnNeedText>(TTN_NEEDTEXTW, 0, 0xFFFF),
        };
        static const MessageMap map(CCheckListBox::StaticMessageMap(), entries);
        return &map;
    }
    void PreSubclassWindow() override
    {
        CCheckListBox::PreSubclassWindow();
        EnableToolTips(TRUE);
    }
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const override
    {
        BOOL outside = FALSE;
        int index = static_cast<int>(ItemFromPoint(point, outside));
        if (outside || index < 0) return -1;
        info->hwnd = GetSafeHwnd();
        info->uId = static_cast<UINT_PTR>(index);
        GetItemRect(index, &info->rect);
        info->lpszText = LPSTR_TEXTCALLBACKA;
        return index;
    }
    std::vector<UINT_PTR> requestedIds;

private:
    BOOL OnNeedText(UINT id, NMHDR* header, LRESULT* result)
    {
        requestedIds.push_back(id);
        CString text = GetText(static_cast<int>(id));
        if (header->code == TTN_NEEDTEXTA) {
            auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
            lstrcpynA(info->szText, text, static_cast<int>(sizeof info->szText));
        } else {
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
            ::MultiByteToWideChar(CP_ACP, 0, text, -1, info->szText, 80);
        }
        *result = 0;
        return TRUE;
    }
};

class TipDialog : public ScriptedDialog {
public:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_CHECKLIST, list);
        if (!list.GetCount()) {
            for (const char* name : {"*", "CUSTOMER_ACCOUNT_NUMBER", "NAME"}) list.AddString(name);
        }
    }
    TippedList list;
};

TEST(ToolTips, HoveringAnItemAsksTheListForThatItemsText)
{
    TipDialog dialog;
    bool tipShown = false;
    CString tipText;
    dialog.Then([](ScriptedDialog& d) {
              TippedList& list = static_cast<TipDialog&>(d).list;
              CRect item;
              list.GetItemRect(1, &item);
              CPoint at = item.CenterPoint();
              CPoint screen = at;
              list.ClientToScreen(&screen);
              ::SetCursorPos(screen.x, screen.y);
              ::PostMessageA(list.GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
          })
        .ThenWaitFor([](ScriptedDialog& d) { return !static_cast<TipDialog&>(d).list.requestedIds.empty(); }, 5000)
        .ThenWaitFor([](ScriptedDialog& d) {
                         return ::IsWindowVisible(static_cast<TipDialog&>(d).list.GetToolTipWindow()) != FALSE;
                     },
                     2000)
        .Then([&](ScriptedDialog& d) {
            HWND tip = static_cast<TipDialog&>(d).list.GetToolTipWindow();
            tipShown = ::IsWindowVisible(tip) != FALSE;
            tipText = CWindow(tip).GetWindowText();
        });
    EXPECT_EQ(ScriptedDialog::kScriptDone, dialog.DoModal());
    ASSERT_FALSE(dialog.list.requestedIds.empty());
    EXPECT_EQ(1u, dialog.list.requestedIds.front());
    EXPECT_TRUE(tipShown);
    EXPECT_STREQ("CUSTOMER_ACCOUNT_NUMBER", tipText);
}

TEST(ToolTips, TheTipWindowBelongsToTheListAndGoesWithIt)
{
    TipDialog dialog;
    HWND tip = nullptr;
    HWND tipOwner = nullptr;
    dialog.Then([&](ScriptedDialog& d) {
        tip = static_cast<TipDialog&>(d).list.GetToolTipWindow();
        tipOwner = ::GetWindow(tip, GW_OWNER);
    });
    dialog.DoModal();
    ASSERT_NE(nullptr, tip);
    // Owned windows take their owner's top-level window as owner.
    EXPECT_NE(nullptr, tipOwner);
    EXPECT_FALSE(::IsWindow(tip));
    EXPECT_EQ(nullptr, dialog.list.GetToolTipWindow());
}

}  // namespace
