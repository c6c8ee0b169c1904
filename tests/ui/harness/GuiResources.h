// USER and GDI object counts of this process, for leak checks around dialog runs.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

namespace harness {

struct GuiObjectCounts {
    long gdi = 0;
    long user = 0;
    // False when GetGuiResources is not implemented (Wine) and the counts were taken
    // by walking the handle tables instead. Then gdi leaves out Wine's cache of window
    // DCs (each with its clip region), which grows as windows come and go until it is
    // full; user counts windows and icons/cursors, not menus, hooks and the like.
    bool fromSystem = false;
};

GuiObjectCounts CountGuiObjects();

// Runs action warmUps times (first use fills the system's caches), then runs times,
// and fails when GDI or USER objects grew by runs / 2 or more. A leak grows with every
// run; the caches that remain (Wine's DC cache keeps a brush and a bitmap beside its
// DCs) grow in one or two small steps and then stay. Pick runs >= 10.
::testing::AssertionResult LeavesNoObjectsBehind(const std::function<void()>& action, int runs = 10,
                                                 int warmUps = 2);

}  // namespace harness
