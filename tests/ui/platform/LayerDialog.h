// The one dialog every layer test runs. Its steps run one posted message at a time inside
// its own modal loop, so whatever a step posts (keys) is handled before the next; its
// controls are bound the ways the query builder binds its own, and log what reaches them.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "TestIds.h"
#include "controls/ButtonST.h"
#include "platform/DataExchange.h"
#include "platform/Dialog.h"
#include "platform/Edit.h"
#include "platform/ListCtrl.h"
#include "platform/WinApp.h"

// A class's message map in the project's own pattern, for the small classes of these tests.
#define TEST_MESSAGE_MAP(Base, ...)                                                         \
    const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }        \
    static const MessageMap* StaticMessageMap()                                             \
    {                                                                                       \
        static const MessageEntry entries[] = {__VA_ARGS__};                                \
        static const MessageMap map(&Base::StaticMessageMap, entries);                     \
        return &map;                                                                        \
    }

// Keys as the logs name them.
inline std::string KeyName(WPARAM key) { return key == VK_F5 ? "F5" : key == VK_F6 ? "F6" : std::to_string(key); }

// Swallows F6 in pre-translation.
class KeyEdit : public CEdit {
public:
    TEST_MESSAGE_MAP(CEdit, msgmap::Message<&KeyEdit::OnKeyDown>(WM_KEYDOWN))
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message != WM_KEYDOWN) return CEdit::PreTranslateMessage(msg);
        *log += "edit:" + KeyName(msg->wParam) + " ";
        return msg->wParam == VK_F6;
    }
    std::string* log = nullptr;

private:
    LRESULT OnKeyDown(WPARAM key, LPARAM)
    {
        *log += "edit-got:" + KeyName(key) + " ";
        return Default();
    }
};

// Answers its own custom draw (the answer must get back to the list view) and looks at
// clicks without keeping them from the parent.
class DrawingList : public CListCtrl {
public:
    TEST_MESSAGE_MAP(CListCtrl, msgmap::ReflectNotify<&DrawingList::OnCustomDraw>(NM_CUSTOMDRAW),
                     msgmap::ReflectNotify<&DrawingList::OnClick>(NM_CLICK))
    std::string* log = nullptr;
    int itemPrepaints = 0;

private:
    void OnCustomDraw(NMHDR* header, LRESULT* result)
    {
        const DWORD stage = reinterpret_cast<NMLVCUSTOMDRAW*>(header)->nmcd.dwDrawStage;
        if (stage == CDDS_ITEMPREPAINT) ++itemPrepaints;
        *result = stage == CDDS_PREPAINT ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
    }
    BOOL OnClick(NMHDR*, LRESULT*)
    {
        *log += "list:click ";
        return FALSE;
    }
};

class LayerDialog : public CDialog {
public:
    static constexpr INT_PTR kDone = 1000;  // the result when the steps ran out
    static constexpr UINT kStepMessage = WM_APP + 50;

    LayerDialog() : CDialog(IDD_LAYER)
    {
        // The button's icons come from the library's resources, linked into this program.
        AfxGetModuleState()->m_hCurrentResourceHandle = ::GetModuleHandleA(nullptr);
        edit.log = list.log = &log;
    }
    TEST_MESSAGE_MAP(CDialog, msgmap::Message<&LayerDialog::OnStep>(kStepMessage),
                     msgmap::Timer<&LayerDialog::OnWatchdog>(),
                     msgmap::Notify<&LayerDialog::OnListCustomDraw>(NM_CUSTOMDRAW, IDC_LIST),
                     msgmap::Notify<&LayerDialog::OnListClick>(NM_CLICK, IDC_LIST),
                     msgmap::Command<&LayerDialog::OnPush>(BN_CLICKED, IDC_PUSH))

    BOOL OnInitDialog() override
    {
        button.SubclassDlgItem(IDC_PUSH, this);
        button.SetIcons(1006, 0);  // the library's "+" icon
        CDialog::OnInitDialog();
        SetTimer(1, 20000);  // a hung run fails instead of blocking the suite
        PostMessage(kStepMessage);
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN) log += "dialog:" + KeyName(msg->wParam) + " ";
        return CDialog::PreTranslateMessage(msg);
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_EDIT, edit);
        DDX_Control(pDX, IDC_LIST, list);
        DDX_Text(pDX, IDC_EDIT, text);
        if (failExchange) DDX_Text(pDX, 4242, text);
    }

    std::vector<std::function<void(LayerDialog&)>> steps;  // run in turn, each from a message of its own
    bool holdOpen = false;      // when the steps ran out, wait to be closed
    bool failExchange = false;  // exchange with a control the template lacks
    std::string log;
    KeyEdit edit;
    DrawingList list;
    CButtonST button;
    CString text;
    int parentDraws = 0;
    std::atomic<int> clicks{0};

private:
    LRESULT OnStep(WPARAM, LPARAM)
    {
        if (m_next < steps.size()) {
            steps[m_next++](*this);
            if (GetSafeHwnd()) PostMessage(kStepMessage);
        } else if (!holdOpen) {
            EndDialog(static_cast<int>(kDone));
        }
        return 0;
    }
    void OnWatchdog(UINT_PTR) { EndDialog(-99); }
    void OnListCustomDraw(NMHDR*, LRESULT*) { ++parentDraws; }
    void OnListClick(NMHDR*, LRESULT*) { log += "parent:click "; }
    void OnPush() { ++clicks; }

    std::size_t m_next = 0;
};
