// Subclassing: the router goes in front of a window's own procedure, and the original
// procedure is back when the object lets go or the window is destroyed.
#include <gtest/gtest.h>

#include <vector>

#include "platform/Wnd.h"

namespace {

constexpr UINT WM_PROBE = WM_APP + 7;

struct TargetState {
    std::vector<UINT> received;
    bool ncDestroySeen = false;
    WNDPROC procAtNcDestroy = nullptr;
    CWnd* objectAtNcDestroy = reinterpret_cast<CWnd*>(1);
};
TargetState g_target;

LRESULT CALLBACK TargetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PROBE) g_target.received.push_back(message);
    if (message == WM_NCDESTROY) {
        g_target.ncDestroySeen = true;
        g_target.procAtNcDestroy = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
        g_target.objectAtNcDestroy = CWnd::FromHandlePermanent(hwnd);
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

// Someone else's subclass, installed on top of ours.
WNDPROC g_beneathOuter = nullptr;
int g_outerCalls = 0;
LRESULT CALLBACK OuterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PROBE) ++g_outerCalls;
    return ::CallWindowProcA(g_beneathOuter, hwnd, message, wParam, lParam);
}

HWND CreateTarget()
{
    static const ATOM atom = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &TargetProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "QuervixSubclassTarget";
        return ::RegisterClassA(&wc);
    }();
    (void)atom;
    return ::CreateWindowExA(0, "QuervixSubclassTarget", "", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
}

WNDPROC ProcOf(HWND hwnd) { return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC)); }

class ProbeHandler : public CWnd {
public:
    const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }
    static const MessageMap* StaticMessageMap()
    {
        static const MessageEntry entries[] = {msgmap::Message<&ProbeHandler::OnProbe>(WM_PROBE)};
        static const MessageMap map(CWnd::StaticMessageMap(), entries);
        return &map;
    }
    void PreSubclassWindow() override
    {
        handleInPreSubclass = GetSafeHwnd();
        procInPreSubclass = ProcOf(GetSafeHwnd());
    }
    int probes = 0;
    bool passProbeOn = false;
    HWND handleInPreSubclass = nullptr;
    WNDPROC procInPreSubclass = nullptr;

private:
    LRESULT OnProbe(WPARAM, LPARAM)
    {
        ++probes;
        return passProbeOn ? Default() : 0;
    }
};

class SubclassTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_target = TargetState();
        g_outerCalls = 0;
        hwnd = CreateTarget();
        ASSERT_NE(nullptr, hwnd);
    }
    void TearDown() override
    {
        if (::IsWindow(hwnd)) ::DestroyWindow(hwnd);
    }
    HWND hwnd = nullptr;
};

TEST_F(SubclassTest, TheRouterGoesInFrontOfTheWindowsOwnProcedureForOneObjectOnly)
{
    ProbeHandler handler, rival;
    ASSERT_TRUE(handler.SubclassWindow(hwnd));
    // PreSubclassWindow ran with the handle, before the router was installed.
    EXPECT_EQ(hwnd, handler.handleInPreSubclass);
    EXPECT_EQ(&TargetProc, handler.procInPreSubclass);
    EXPECT_EQ(CWnd::GetRouterProc(), ProcOf(hwnd));
    EXPECT_FALSE(rival.SubclassWindow(hwnd));
    EXPECT_FALSE(handler.SubclassWindow(hwnd));
    EXPECT_EQ(&handler, CWnd::FromHandlePermanent(hwnd));

    ::SendMessageA(hwnd, WM_PROBE, 0, 0);  // handled: stops at the object
    handler.passProbeOn = true;
    ::SendMessageA(hwnd, WM_PROBE, 0, 0);  // the handler asks for default processing
    EXPECT_EQ(2, handler.probes);
    EXPECT_EQ(1u, g_target.received.size());
}

TEST_F(SubclassTest, LettingGoOrDestroyingTheObjectPutsTheOriginalProcedureBack)
{
    {
        ProbeHandler handler;
        ASSERT_TRUE(handler.SubclassWindow(hwnd));
        EXPECT_EQ(hwnd, handler.UnsubclassWindow());
        EXPECT_EQ(&TargetProc, ProcOf(hwnd));
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hwnd));
        EXPECT_EQ(nullptr, handler.GetSafeHwnd());
        ASSERT_TRUE(handler.SubclassWindow(hwnd));  // and this time the object goes first
    }
    EXPECT_TRUE(::IsWindow(hwnd));
    EXPECT_EQ(&TargetProc, ProcOf(hwnd));
    ::SendMessageA(hwnd, WM_PROBE, 0, 0);
    EXPECT_EQ(1u, g_target.received.size());
}

TEST_F(SubclassTest, AtNcDestroyTheOriginalProcedureIsBackAndTheObjectForgetsTheWindow)
{
    ProbeHandler handler;
    ASSERT_TRUE(handler.SubclassWindow(hwnd));
    ::DestroyWindow(hwnd);
    EXPECT_TRUE(g_target.ncDestroySeen);
    EXPECT_EQ(&TargetProc, g_target.procAtNcDestroy);
    EXPECT_EQ(nullptr, g_target.objectAtNcDestroy);
    EXPECT_EQ(nullptr, handler.GetSafeHwnd());
    // The object is free to take another window.
    HWND other = CreateTarget();
    EXPECT_TRUE(handler.SubclassWindow(other));
    ::DestroyWindow(other);
}

TEST_F(SubclassTest, ASubclassInstalledAfterOursKeepsWorkingWhenWeLetGo)
{
    ProbeHandler handler;
    handler.passProbeOn = true;
    ASSERT_TRUE(handler.SubclassWindow(hwnd));
    g_beneathOuter = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OuterProc)));
    handler.UnsubclassWindow();
    EXPECT_EQ(&OuterProc, ProcOf(hwnd));  // not ours to take out of the chain
    ::SendMessageA(hwnd, WM_PROBE, 0, 0);
    EXPECT_EQ(1, g_outerCalls);
    EXPECT_EQ(0, handler.probes);
    EXPECT_EQ(1u, g_target.received.size());  // forwarded past the router to the original
    ::DestroyWindow(hwnd);
    EXPECT_TRUE(g_target.ncDestroySeen);
}

TEST_F(SubclassTest, SubclassDlgItemFindsTheChildById)
{
    HWND child = ::CreateWindowExA(0, "BUTTON", "child", WS_CHILD, 0, 0, 10, 10, hwnd,
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(33)), nullptr, nullptr);
    ASSERT_NE(nullptr, child);
    CWnd parent;
    ASSERT_TRUE(parent.SubclassWindow(hwnd));
    CWnd button;
    EXPECT_FALSE(button.SubclassDlgItem(34, &parent));
    ASSERT_TRUE(button.SubclassDlgItem(33, &parent));
    EXPECT_EQ(child, button.GetSafeHwnd());
    EXPECT_EQ(33, button.GetDlgCtrlID());
    EXPECT_EQ(hwnd, button.GetParent().GetSafeHwnd());
}

}  // namespace
