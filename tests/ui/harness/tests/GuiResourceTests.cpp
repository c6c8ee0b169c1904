// The leak check passes what cleans up after itself and catches a GDI or USER leak.
#include <gtest/gtest.h>

#include "Harness.h"
#include "TestDialog.h"

using namespace harness;

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

    static BYTE andMask[128], xorMask[128];
    std::vector<HICON> icons;
    EXPECT_FALSE(LeavesNoObjectsBehind([&] { icons.push_back(::CreateIcon(nullptr, 32, 32, 1, 1, andMask, xorMask)); }));
    for (HICON icon : icons) ::DestroyIcon(icon);
}
