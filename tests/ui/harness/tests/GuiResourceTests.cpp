// Object counts move with real creations and deletions, so a leak check can fail.
#include <gtest/gtest.h>

#include "Harness.h"
#include "TestDialog.h"

using namespace harness;

TEST(GuiResources, GdiCountFollowsCreatedAndDeletedObjects)
{
    const GuiObjectCounts before = CountGuiObjects();
    HPEN pens[5];
    for (HPEN& pen : pens) pen = ::CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    HBRUSH brush = ::CreateSolidBrush(RGB(4, 5, 6));
    EXPECT_EQ(CountGuiObjects().gdi, before.gdi + 6);
    for (HPEN pen : pens) ::DeleteObject(pen);
    ::DeleteObject(brush);
    EXPECT_EQ(CountGuiObjects().gdi, before.gdi);
}

TEST(GuiResources, UserCountFollowsWindowsAndIcons)
{
    const GuiObjectCounts before = CountGuiObjects();
    HWND window = ::CreateWindowExA(0, "STATIC", "counted", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND child = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, window, nullptr, nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    static BYTE andMask[128], xorMask[128];
    HICON icon = ::CreateIcon(nullptr, 32, 32, 1, 1, andMask, xorMask);
    ASSERT_NE(icon, nullptr);
    EXPECT_GE(CountGuiObjects().user, before.user + 3);
    ::DestroyIcon(icon);
    ::DestroyWindow(window);
    EXPECT_EQ(CountGuiObjects().user, before.user);
}

TEST(GuiResources, LeakCheckPassesRepeatedDialogRunsAndCatchesALeak)
{
    auto runDialog = [] {
        testdialog::Options options;
        ModalCall call([&] { return testdialog::Run(options); });
        HWND dialog = WaitForWindow(testdialog::kCaption, call.ThreadId());
        if (dialog) ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(call.Finish(kDefaultTimeoutMs));
    };
    EXPECT_TRUE(LeavesNoObjectsBehind(runDialog));

    std::vector<HBRUSH> leaked;
    const auto leaky = LeavesNoObjectsBehind([&] { leaked.push_back(::CreateSolidBrush(RGB(7, 7, 7))); });
    EXPECT_FALSE(leaky);
    EXPECT_NE(std::string(leaky.message()).find("GDI objects"), std::string::npos);
    for (HBRUSH brush : leaked) ::DeleteObject(brush);

    std::vector<HWND> windows;
    EXPECT_FALSE(LeavesNoObjectsBehind([&] {
        windows.push_back(::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
    }));
    for (HWND window : windows) ::DestroyWindow(window);
}
