// Message maps and subclassing on plain windows: which handler a message reaches, and
// whose procedure runs when an object takes a window and when it lets go of it.
#include <gtest/gtest.h>

#include "LayerDialog.h"

namespace {

constexpr UINT WM_BOTH = WM_APP + 1;       // mapped by base and derived
constexpr UINT WM_BASE_ONLY = WM_APP + 2;  // mapped by the base only
UINT g_wmFirst = ::RegisterWindowMessageA("Quervix.PlatformTest.First");

class BaseWindow : public CWnd {
public:
    TEST_MESSAGE_MAP(CWnd, msgmap::Message<&BaseWindow::OnBoth>(WM_BOTH),
                     msgmap::Message<&BaseWindow::OnBaseOnly>(WM_BASE_ONLY),
                     msgmap::NotifyRange<&BaseWindow::OnRightClick>(NM_RCLICK, 0, 0xFFFF))
    BOOL Create() { return CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0); }
    std::string log;

private:
    LRESULT OnBoth(WPARAM, LPARAM) { return Log("base-both", 1); }
    LRESULT OnBaseOnly(WPARAM, LPARAM) { return Log("base-only", 2); }
    BOOL OnRightClick(UINT id, NMHDR*, LRESULT* result)
    {
        *result = Log("base-range" + std::to_string(id), 99);
        return TRUE;
    }

protected:
    LRESULT Log(const std::string& what, LRESULT result)
    {
        log += what + " ";
        return result;
    }
};

class DerivedWindow : public BaseWindow {
public:
    TEST_MESSAGE_MAP(BaseWindow, msgmap::Message<&DerivedWindow::OnBoth>(WM_BOTH),
                     msgmap::Command<&DerivedWindow::OnClicked>(BN_CLICKED, 10),
                     msgmap::Command<&DerivedWindow::OnChange>(EN_CHANGE, 20, 29),
                     msgmap::Notify<&DerivedWindow::OnClick>(NM_CLICK, 7),
                     msgmap::NotifyRange<&DerivedWindow::OnDecline>(NM_RCLICK, 0, 0xFFFF),
                     msgmap::Registered<&DerivedWindow::OnFirst>(g_wmFirst))
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (logDefault) Log("default", 0);
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
    bool logDefault = false;

private:
    LRESULT OnBoth(WPARAM, LPARAM) { return Log("derived-both", 3); }
    void OnClicked() { Log("clicked", 0); }
    void OnChange() { Log("changed", 0); }
    void OnClick(NMHDR* header, LRESULT* result) { *result = Log("click" + std::to_string(header->idFrom), 42); }
    BOOL OnDecline(UINT id, NMHDR*, LRESULT*) { return static_cast<BOOL>(Log("declined" + std::to_string(id), FALSE)); }
    LRESULT OnFirst(WPARAM, LPARAM) { return Log("first", 11); }
};

// The class's entry before the base's, the base's for the rest; commands and notifications
// by code and id; a declining handler passes on; unmatched messages reach default processing.
TEST(MessageMap, EachMessageReachesTheFirstMatchingEntryFromTheClassDown)
{
    // A non-zero notifyCode makes the message WM_NOTIFY from control wParam.
    const struct { UINT message; WPARAM wParam; UINT notifyCode; LRESULT result; const char* log; } cases[] = {
        {WM_BOTH, 0, 0, 3, "derived-both "},
        {WM_BASE_ONLY, 0, 0, 2, "base-only "},
        {WM_COMMAND, MAKEWPARAM(10, BN_CLICKED), 0, 0, "clicked "},
        {WM_COMMAND, MAKEWPARAM(10, BN_DOUBLECLICKED), 0, 0, "default "},
        {WM_COMMAND, MAKEWPARAM(11, BN_CLICKED), 0, 0, "default "},
        {WM_COMMAND, MAKEWPARAM(29, EN_CHANGE), 0, 0, "changed "},
        {WM_COMMAND, MAKEWPARAM(30, EN_CHANGE), 0, 0, "default "},
        {WM_NOTIFY, 7, static_cast<UINT>(NM_CLICK), 42, "click7 "},
        {WM_NOTIFY, 8, static_cast<UINT>(NM_CLICK), 0, "default "},
        {WM_NOTIFY, 300, static_cast<UINT>(NM_RCLICK), 99, "declined300 base-range300 "},
        {g_wmFirst, 0, 0, 11, "first "},
        {WM_NULL, 0, 0, 0, "default "},
    };
    DerivedWindow window;
    ASSERT_TRUE(window.Create());
    window.logDefault = true;
    for (const auto& c : cases) {
        window.log.clear();
        NMHDR header{nullptr, c.wParam, c.notifyCode};
        const LPARAM lParam = c.notifyCode ? reinterpret_cast<LPARAM>(&header) : 0;
        EXPECT_EQ(c.result, window.SendMessage(c.message, c.wParam, lParam)) << c.log;
        EXPECT_EQ(c.log, window.log);
    }
}

constexpr UINT WM_PROBE = WM_APP + 7;  // in no message map
int g_originalProbes = 0;
WNDPROC g_procAtNcDestroy = nullptr;
WNDPROC g_beneathOuter = nullptr;

LRESULT CALLBACK TargetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_APP) ++g_originalProbes;
    if (message == WM_NCDESTROY) g_procAtNcDestroy = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}
// Someone else's subclass, installed on top of ours.
LRESULT CALLBACK OuterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::CallWindowProcA(g_beneathOuter, hwnd, message, wParam, lParam);
}

HWND CreateTarget()
{
    static const ATOM atom = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &TargetProc;
        wc.lpszClassName = "QuervixSubclassTarget";
        return ::RegisterClassA(&wc);
    }();
    return ::CreateWindowExA(0, MAKEINTATOM(atom), "", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr, nullptr, nullptr);
}
WNDPROC ProcOf(HWND hwnd) { return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC)); }

// The object goes in front of the window's procedure and puts it back when either the object
// or the window goes first; a subclass installed on top of ours is not ours to unhook.
TEST(Subclass, TheObjectGoesInFrontOfTheWindowsProcedureAndPutsItBackWhenItLetsGo)
{
    g_originalProbes = 0;
    HWND hwnd = CreateTarget(), other = CreateTarget();
    {
        DerivedWindow first, rival;
        ASSERT_TRUE(first.SubclassWindow(hwnd));
        EXPECT_FALSE(rival.SubclassWindow(hwnd));
        EXPECT_EQ(3, ::SendMessageA(hwnd, WM_BOTH, 0, 0));  // handled: stops at the object
        ::SendMessageA(hwnd, WM_PROBE, 0, 0);
        EXPECT_EQ("derived-both ", first.log);
        EXPECT_EQ(1, g_originalProbes);
    }
    ASSERT_EQ(&TargetProc, ProcOf(hwnd));  // else a second object would forward to itself
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hwnd));
    DerivedWindow probe;
    ASSERT_TRUE(probe.SubclassWindow(hwnd));
    ::DestroyWindow(hwnd);
    EXPECT_EQ(&TargetProc, g_procAtNcDestroy);
    EXPECT_EQ(nullptr, probe.GetSafeHwnd());

    ASSERT_TRUE(probe.SubclassWindow(other));
    g_beneathOuter = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(other, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OuterProc)));
    EXPECT_EQ(other, probe.UnsubclassWindow());
    EXPECT_EQ(&OuterProc, ProcOf(other));
    ::SendMessageA(other, WM_BOTH, 0, 0);
    EXPECT_EQ("", probe.log);
    EXPECT_EQ(2, g_originalProbes);  // passed through our router to the original
    ::DestroyWindow(other);
}

}  // namespace
