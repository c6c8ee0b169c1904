// Real user input for UI tests: mouse clicks and key presses through SendInput, aimed
// at controls, list box items and list view cells, after the target is made foreground.
#pragma once

#include <windows.h>

#include <string>

namespace harness {

enum class MouseButton { Left, Right };

enum Modifiers : unsigned { kNoModifier = 0, kShift = 1, kControl = 2, kAlt = 4 };

// Activates the top-level window that contains window and waits until it is the
// foreground window (keyboard input goes to the foreground thread's focus).
bool BringToForeground(HWND window);

// Gives a dialog control the keyboard focus the way Tab would: WM_NEXTDLGCTL to its
// dialog, handled on the dialog's own thread (SetFocus only works there).
bool FocusControl(HWND control);

// Moves the pointer to a point in window's client coordinates.
bool MoveMouseTo(HWND window, POINT clientPoint);
// Press and release at a point in window's client coordinates. Each brings the window's
// top-level ancestor to the foreground first, and returns false when the input could
// not be sent (then nothing was posted in its place). As for a user, two clicks on
// one spot within the double-click time make a double click.
bool ClickAt(HWND window, POINT clientPoint, MouseButton button = MouseButton::Left);
bool DoubleClickAt(HWND window, POINT clientPoint);
bool ClickCenter(HWND window, MouseButton button = MouseButton::Left);
// The centre of window's client area, where a user aims.
POINT ClientCenter(HWND window);
// Holds the left button down at a client point (the pointer moved there first), and
// lets it go wherever the pointer is: a press that a test can look at midway.
bool PressLeftAt(HWND window, POINT clientPoint);
bool ReleaseLeft(HWND window);

// Where a user would click on a list box item: its vertical centre, x pixels from
// the item's left edge (negative: the horizontal centre). Fails on an invisible item.
bool ListBoxItemPoint(HWND listBox, int index, int x, POINT& point);
bool ClickListBoxItem(HWND listBox, int index, int x = -1);

// A list view cell in report view, in the list view's client coordinates. Column 0's
// width comes from the column, since its bounds rectangle spans the whole row.
bool ListViewCellRect(HWND listView, int row, int column, RECT& cell);
// Clicks the cell's centre, or x pixels right of its left edge when x >= 0.
bool ClickListViewCell(HWND listView, int row, int column, int x = -1);
bool DoubleClickListViewCell(HWND listView, int row, int column, int x = -1);

// Presses and releases a virtual key with modifiers, into the foreground focus.
bool PressKey(WORD virtualKey, unsigned modifiers = kNoModifier);
// Types each character as the keyboard layout produces it (Shift as needed);
// characters without a key are sent as Unicode packets.
bool TypeText(const std::string& text);

// Lets the target's thread take the input from its queue: input messages come after
// sent and posted ones, so waiting for a reply to WM_NULL alone is not enough.
void LetInputArrive(HWND window);

}  // namespace harness
