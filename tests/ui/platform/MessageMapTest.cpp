// Message maps: which handler a message reaches, in the class's map before the base's,
// matched by control id and notification code, registered messages by their variable.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Wnd.h"

namespace {

constexpr UINT WM_BOTH = WM_APP + 1;       // mapped by base and derived
constexpr UINT WM_BASE_ONLY = WM_APP + 2;  // mapped by base only

UINT g_wmFirstRegistered = 0;
UINT g_wmSecondRegistered = 0;
UINT g_wmNeverRegistered = 0;

class BaseWindow : public CWnd {
public:
    const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }
    static const MessageMap* StaticMessageMap();

    BOOL Create()
    {
        return CreateEx(0, AfxRegisterWndClass(0), "map test", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0);
    }
    std::vector<std::string> log;

private:
    LRESULT OnBoth(WPARAM, LPARAM) { log.push_back("base both"); return 1; }
    LRESULT OnBaseOnly(WPARAM, LPARAM) { log.push_back("base only"); return 2; }
    BOOL OnAnyNotify(UINT id, NMHDR*, LRESULT* result)
    {
        log.push_back("base range " + std::to_string(id));
        *result = 99;
        return TRUE;
    }
};

const MessageMap* BaseWindow::StaticMessageMap()
{
    static const MessageEntry entries[] = {
        msgmap::Message<&BaseWindow::OnBoth>(WM_BOTH),
        msgmap::Message<&BaseWindow::OnBaseOnly>(WM_BASE_ONLY),
        msgmap::NotifyRange<&BaseWindow::OnAnyNotify>(NM_RCLICK, 0, 0xFFFF),
    };
    static const MessageMap map(CWnd::StaticMessageMap(), entries);
    return &map;
}

class DerivedWindow : public BaseWindow {
public:
    const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }
    static const MessageMap* StaticMessageMap();

    // Sees every message no entry handled, which shows where routing began.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        defaulted.push_back(message);
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
    std::vector<UINT> defaulted;
    std::vector<UINT> created;
    CString textSeenAfterDefault;

private:
    LRESULT OnBoth(WPARAM, LPARAM) { log.push_back("derived both"); return 3; }
    void OnClicked10() { log.push_back("clicked 10"); }
    void OnClicked11() { log.push_back("clicked 11"); }
    void OnChangeInRange() { log.push_back("change in 20..29"); }
    void OnNotifyClick(NMHDR* header, LRESULT* result)
    {
        log.push_back("click from " + std::to_string(header->idFrom));
        *result = 42;
    }
    BOOL OnRangeDeclines(UINT id, NMHDR*, LRESULT*)
    {
        log.push_back("declined " + std::to_string(id));
        return FALSE;
    }
    LRESULT OnFirstRegistered(WPARAM wParam, LPARAM) { log.push_back("first " + std::to_string(wParam)); return 11; }
    LRESULT OnSecondRegistered(WPARAM, LPARAM) { log.push_back("second"); return 12; }
    LRESULT OnNeverRegistered(WPARAM, LPARAM) { log.push_back("never"); return 13; }
    LRESULT OnCreateMessage(WPARAM, LPARAM) { created.push_back(WM_CREATE); return Default(); }
    LRESULT OnSetText(WPARAM, LPARAM)
    {
        LRESULT result = Default();
        textSeenAfterDefault = GetWindowText();
        return result;
    }
};

const MessageMap* DerivedWindow::StaticMessageMap()
{
    static const MessageEntry entries[] = {
        msgmap::Message<&DerivedWindow::OnBoth>(WM_BOTH),
        msgmap::Command<&DerivedWindow::OnClicked10>(BN_CLICKED, 10),
        msgmap::Command<&DerivedWindow::OnClicked11>(BN_CLICKED, 11),
        msgmap::Command<&DerivedWindow::OnChangeInRange>(EN_CHANGE, 20, 29),
        msgmap::Notify<&DerivedWindow::OnNotifyClick>(NM_CLICK, 7),
        msgmap::NotifyRange<&DerivedWindow::OnRangeDeclines>(NM_RCLICK, 0, 0xFFFF),
        msgmap::Registered<&DerivedWindow::OnNeverRegistered>(g_wmNeverRegistered),
        msgmap::Registered<&DerivedWindow::OnFirstRegistered>(g_wmFirstRegistered),
        msgmap::Registered<&DerivedWindow::OnSecondRegistered>(g_wmSecondRegistered),
        msgmap::Message<&DerivedWindow::OnCreateMessage>(WM_CREATE),
        msgmap::Message<&DerivedWindow::OnSetText>(WM_SETTEXT),
    };
    static const MessageMap map(BaseWindow::StaticMessageMap(), entries);
    return &map;
}

LRESULT SendCommand(HWND hwnd, UINT id, UINT code)
{
    return ::SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(id, code), 0);
}

LRESULT SendNotify(HWND hwnd, UINT_PTR id, UINT code)
{
    NMHDR header{nullptr, id, code};
    return ::SendMessageA(hwnd, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&header));
}

class MessageMapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_wmFirstRegistered = ::RegisterWindowMessageA("Quervix.PlatformTest.First");
        g_wmSecondRegistered = ::RegisterWindowMessageA("Quervix.PlatformTest.Second");
        ASSERT_TRUE(window.Create());
    }
    DerivedWindow window;
};

TEST_F(MessageMapTest, DerivedEntryHandlesBeforeTheBaseAndTheBaseStillServesTheRest)
{
    EXPECT_EQ(3, window.SendMessage(WM_BOTH));
    EXPECT_EQ(2, window.SendMessage(WM_BASE_ONLY));
    EXPECT_EQ((std::vector<std::string>{"derived both", "base only"}), window.log);
}

TEST_F(MessageMapTest, CommandsMatchControlIdAndNotificationCode)
{
    SendCommand(window, 11, BN_CLICKED);
    SendCommand(window, 10, BN_CLICKED);
    SendCommand(window, 10, BN_DOUBLECLICKED);  // no entry for this code
    SendCommand(window, 12, BN_CLICKED);        // no entry for this id
    SendCommand(window, 25, EN_CHANGE);
    SendCommand(window, 30, EN_CHANGE);         // outside the range
    EXPECT_EQ((std::vector<std::string>{"clicked 11", "clicked 10", "change in 20..29"}), window.log);
}

// A handler that declines passes the notification on to later entries, the base's too.
TEST_F(MessageMapTest, NotificationsMatchCodeAndIdAndReturnTheHandlersResult)
{
    EXPECT_EQ(42, SendNotify(window, 7, NM_CLICK));
    EXPECT_EQ(0, SendNotify(window, 8, NM_CLICK));  // default processing
    EXPECT_EQ(99, SendNotify(window, 300, NM_RCLICK));
    EXPECT_EQ((std::vector<std::string>{"click from 7", "declined 300", "base range 300"}), window.log);
}

TEST_F(MessageMapTest, RegisteredMessagesAreFoundByTheVariableFilledAtLoad)
{
    ASSERT_NE(0u, g_wmFirstRegistered);
    ASSERT_NE(g_wmFirstRegistered, g_wmSecondRegistered);
    EXPECT_EQ(12, window.SendMessage(g_wmSecondRegistered));
    EXPECT_EQ(11, window.SendMessage(g_wmFirstRegistered, 5));
    // An entry whose variable was never filled matches nothing, not even message 0.
    window.SendMessage(WM_NULL);
    EXPECT_EQ((std::vector<std::string>{"second", "first 5"}), window.log);
}

TEST_F(MessageMapTest, RoutingStartsAtCreationAndUnhandledMessagesReachDefaultProcessing)
{
    // A popup receives WM_GETMINMAXINFO before WM_NCCREATE; that one cannot reach us.
    ASSERT_FALSE(window.defaulted.empty());
    EXPECT_EQ(static_cast<UINT>(WM_NCCREATE), window.defaulted.front());
    EXPECT_EQ((std::vector<UINT>{WM_CREATE}), window.created);
    window.SetWindowText("typed");
    EXPECT_STREQ("typed", window.textSeenAfterDefault);
    EXPECT_STREQ("typed", window.GetWindowText());
}

TEST_F(MessageMapTest, TheObjectIsFoundFromItsHandleUntilTheWindowIsDestroyed)
{
    HWND hwnd = window.GetSafeHwnd();
    EXPECT_EQ(&window, CWnd::FromHandlePermanent(hwnd));
    EXPECT_EQ(CWnd::GetRouterProc(), reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC)));
    window.DestroyWindow();
    EXPECT_EQ(nullptr, window.GetSafeHwnd());
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hwnd));
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST(CreatedWindow, IsDestroyedWithItsObjectAndMakesOneWindowPerObject)
{
    HWND hwnd = nullptr;
    {
        BaseWindow temporary;
        ASSERT_TRUE(temporary.Create());
        hwnd = temporary.GetSafeHwnd();
        EXPECT_FALSE(temporary.Create());
    }
    EXPECT_FALSE(::IsWindow(hwnd));
}

}  // namespace
