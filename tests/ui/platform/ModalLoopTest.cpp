// The modal loop: pre-translation from the child up to the dialog, keyboard handling by
// the dialog manager, results, the owner's state, nested runs and WM_QUIT.
#include <gtest/gtest.h>

#include "ScriptedDialog.h"
#include "WindowFind.h"
#include "platform/DataExchange.h"
#include "platform/Edit.h"
#include "platform/WinApp.h"

namespace {

class KeyWatchingEdit : public CEdit {
public:
    const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }
    static const MessageMap* StaticMessageMap()
    {
        static const MessageEntry entries[] = {msgmap::Message<&KeyWatchingEdit::OnKeyDown>(WM_KEYDOWN)};
        static const MessageMap map(CWnd::StaticMessageMap(), entries);
        return &map;
    }
    // A key that pre-translation swallowed never arrives here.
    LRESULT OnKeyDown(WPARAM key, LPARAM)
    {
        log->push_back("edit got " + std::to_string(key));
        return Default();
    }
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN) {
            log->push_back("edit " + std::to_string(msg->wParam));
            if (msg->wParam == VK_F6) return TRUE;
        }
        return CEdit::PreTranslateMessage(msg);
    }
    std::vector<std::string>* log = nullptr;
};

// Records pre-translation, OK and Cancel; swallows Enter and Escape when told to.
class KeyDialog : public ScriptedDialog {
public:
    explicit KeyDialog(bool swallowEnterAndEscape = false, CWnd* parent = nullptr)
        : ScriptedDialog(IDD_CONTROLS, parent), m_swallow(swallowEnterAndEscape)
    {
        edit.log = &log;
    }
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN) {
            log.push_back("dialog " + std::to_string(msg->wParam));
            if (m_swallow && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) return TRUE;
        }
        return ScriptedDialog::PreTranslateMessage(msg);
    }
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_EDIT, edit); }
    void OnOK() override
    {
        log.push_back("OnOK");
        ScriptedDialog::OnOK();
    }
    void OnCancel() override
    {
        log.push_back("OnCancel");
        ScriptedDialog::OnCancel();
    }
    KeyWatchingEdit edit;

private:
    bool m_swallow;
};

std::string Key(UINT key) { return std::to_string(key); }

TEST(ModalLoop, TheChildPreTranslatesFirstThenTheDialogAndAChildCanSwallow)
{
    KeyDialog dialog;
    dialog.Then([](ScriptedDialog& d) {
        auto& self = static_cast<KeyDialog&>(d);
        PostKey(self.edit.GetSafeHwnd(), VK_F5);
        PostKey(self.edit.GetSafeHwnd(), VK_F6);
    });
    EXPECT_EQ(ScriptedDialog::kScriptDone, dialog.DoModal());
    EXPECT_EQ((std::vector<std::string>{"edit " + Key(VK_F5), "dialog " + Key(VK_F5), "edit got " + Key(VK_F5),
                                        "edit " + Key(VK_F6)}),
              dialog.log);
}

TEST(ModalLoop, EnterPressesTheDefaultButtonAndEscapeAndTheCloseBoxCancel)
{
    const struct {
        void (*act)(KeyDialog&);
        INT_PTR result;
        const char* handler;
    } cases[] = {
        {[](KeyDialog& d) { PostKey(d.edit.GetSafeHwnd(), VK_RETURN); }, IDOK, "OnOK"},
        {[](KeyDialog& d) { PostKey(d.edit.GetSafeHwnd(), VK_ESCAPE); }, IDCANCEL, "OnCancel"},
        {[](KeyDialog& d) { d.PostMessage(WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL, "OnCancel"},
    };
    for (const auto& c : cases) {
        KeyDialog dialog;
        dialog.Then([&](ScriptedDialog& d) { c.act(static_cast<KeyDialog&>(d)); })
            .Then([](ScriptedDialog& d) { d.log.push_back("still running"); });
        EXPECT_EQ(c.result, dialog.DoModal()) << c.handler;
        EXPECT_EQ(c.handler, dialog.log.back());
    }
}

TEST(ModalLoop, ADialogThatSwallowsEnterAndEscapeKeepsRunning)
{
    KeyDialog dialog(true);
    dialog.Then([](ScriptedDialog& d) {
              HWND edit = static_cast<KeyDialog&>(d).edit.GetSafeHwnd();
              PostKey(edit, VK_RETURN);
              PostKey(edit, VK_ESCAPE);
          })
        .Then([](ScriptedDialog& d) { d.EndDialog(77); });
    EXPECT_EQ(77, dialog.DoModal());
    EXPECT_EQ((std::vector<std::string>{"edit " + Key(VK_RETURN), "dialog " + Key(VK_RETURN),
                                        "edit " + Key(VK_ESCAPE), "dialog " + Key(VK_ESCAPE)}),
              dialog.log);
}

TEST(ModalLoop, EndDialogDecidesTheResultEvenDuringInitialisation)
{
    ScriptedDialog early;
    early.beforeInit = [](ScriptedDialog& d) { d.EndDialog(42); };
    EXPECT_EQ(42, early.DoModal());
    EXPECT_EQ(nullptr, early.GetSafeHwnd());

    ScriptedDialog later;
    later.Then([](ScriptedDialog& d) { d.EndDialog(-5); });
    EXPECT_EQ(-5, later.DoModal());
}

TEST(ModalLoop, TheOwnerIsDisabledForTheRunAndEnabledAfterwards)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100),
                               nullptr, 0));
    ScriptedDialog dialog(IDD_CONTROLS, &owner);
    BOOL enabledDuringRun = TRUE;
    HWND ownerOfDialog = nullptr;
    dialog.Then([&](ScriptedDialog& d) {
        enabledDuringRun = owner.IsWindowEnabled();
        ownerOfDialog = d.GetWindow(GW_OWNER).GetSafeHwnd();
    });
    EXPECT_EQ(ScriptedDialog::kScriptDone, dialog.DoModal());
    EXPECT_FALSE(enabledDuringRun);
    EXPECT_EQ(owner.GetSafeHwnd(), ownerOfDialog);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST(ModalLoop, ADialogRunsInsideAnotherAndTheOuterWaitsDisabled)
{
    ScriptedDialog outer;
    INT_PTR innerResult = 0;
    BOOL outerEnabledDuringInner = TRUE;
    HWND innerOwner = nullptr;
    outer.Then([&](ScriptedDialog& o) {
        ScriptedDialog inner;
        inner.Then([&](ScriptedDialog& i) {
            outerEnabledDuringInner = o.IsWindowEnabled();
            innerOwner = i.GetWindow(GW_OWNER).GetSafeHwnd();
            i.EndDialog(5);
        });
        innerResult = inner.DoModal();
        o.log.push_back(o.IsWindowEnabled() ? "outer enabled again" : "outer still disabled");
        o.EndDialog(static_cast<int>(100 + innerResult));
    });
    HWND outerWindow = nullptr;
    outer.beforeInit = [&](ScriptedDialog& o) { outerWindow = o.GetSafeHwnd(); };
    EXPECT_EQ(105, outer.DoModal());
    EXPECT_EQ(5, innerResult);
    EXPECT_FALSE(outerEnabledDuringInner);
    EXPECT_EQ(outerWindow, innerOwner);
    EXPECT_EQ((std::vector<std::string>{"outer enabled again"}), outer.log);
}

// Cancels the message box that the timer's dialog owns once it is up, noting its caption.
std::string g_boxCaption;
void CALLBACK AnswerMessageBox(HWND dialog, UINT, UINT_PTR id, DWORD)
{
    for (HWND box : harness::TopLevelWindows(::GetCurrentThreadId())) {
        if (::GetWindow(box, GW_OWNER) != dialog) continue;
        ::KillTimer(dialog, id);
        g_boxCaption = harness::CaptionOf(box);
        ::PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    }
}

TEST(ModalLoop, AMessageBoxIsOwnedByTheRunningDialogAndReturnsItsAnswer)
{
    g_boxCaption.clear();
    ScriptedDialog dialog;
    int answer = 0;
    dialog.Then([&](ScriptedDialog& d) {
        ::SetTimer(d.GetSafeHwnd(), 0x77, 50, &AnswerMessageBox);
        answer = AfxMessageBox("Syntax Error", MB_OKCANCEL);
        d.EndDialog(answer);
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(IDCANCEL, answer);
    EXPECT_EQ("platform_tests", g_boxCaption);  // found as the dialog's: owned by it
}

TEST(ModalLoop, QuitEndsTheRunAndIsPostedAgainForTheCallersLoop)
{
    ScriptedDialog dialog;
    HWND window = nullptr;
    // The quit request is seen only once no other message is waiting, as the platform does.
    dialog.Then([&](ScriptedDialog& d) {
              window = d.GetSafeHwnd();
              ::PostQuitMessage(7);
          })
        .ThenWaitFor([](ScriptedDialog&) { return false; }, 5000);
    EXPECT_EQ(-1, dialog.CDialog::DoModal());
    EXPECT_FALSE(::IsWindow(window));
    MSG msg{};
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
}

// Templates come from the current resource handle; without one, or while the object
// already runs, there is no dialog.
TEST(ModalLoop, WithoutATemplateOrWhileRunningThereIsNoDialog)
{
    ScriptedDialog missing(IDD_MISSING);
    EXPECT_EQ(-1, missing.DoModal());

    CModuleState* state = AfxGetModuleState();
    HINSTANCE saved = state->m_hCurrentResourceHandle;
    state->m_hCurrentResourceHandle = ::GetModuleHandleA("comctl32.dll");
    ScriptedDialog elsewhere;
    INT_PTR result = elsewhere.DoModal();
    state->m_hCurrentResourceHandle = saved;
    EXPECT_EQ(-1, result);

    ScriptedDialog dialog;
    INT_PTR secondRun = 0;
    dialog.Then([&](ScriptedDialog& d) { secondRun = d.DoModal(); });
    EXPECT_EQ(ScriptedDialog::kScriptDone, dialog.DoModal());
    EXPECT_EQ(-1, secondRun);
}

}  // namespace
