// Real user input through SendInput, aimed at windows, list box items and list view cells.
#include <commctrl.h>

#include <algorithm>

#include "Harness.h"

namespace harness {

namespace {
bool Send(std::vector<INPUT> inputs, HWND arrival)
{
    const bool sent = ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
    if (arrival) LetInputArrive(arrival);
    return sent;
}

// Mouse events at a point in window's client coordinates (the pointer where it is when
// window is null). Absolute coordinates are normalised to 0..65535 over the screen;
// rounding up makes the system's scaling back land on the intended pixel.
std::vector<INPUT> MouseAt(HWND window, POINT point, std::initializer_list<DWORD> events)
{
    if (window) ::ClientToScreen(window, &point);
    else ::GetCursorPos(&point);
    const LONG width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    std::vector<INPUT> inputs;
    for (DWORD event : events) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = static_cast<LONG>((static_cast<LONGLONG>(point.x) * 65536 + width - 1) / width);
        input.mi.dy = static_cast<LONG>((static_cast<LONGLONG>(point.y) * 65536 + height - 1) / height);
        input.mi.dwFlags = event | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
        inputs.push_back(input);
    }
    return inputs;
}

void AppendKey(std::vector<INPUT>& inputs, WORD vk, bool up)
{
    static const WORD extended[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_HOME, VK_END, VK_PRIOR, VK_NEXT, VK_INSERT, VK_DELETE};
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) |
                       (std::count(std::begin(extended), std::end(extended), vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    inputs.push_back(input);
}

void AppendChord(std::vector<INPUT>& inputs, WORD vk, unsigned modifiers)
{
    const WORD keys[] = {VK_SHIFT, VK_CONTROL, VK_MENU};
    for (int i = 0; i < 3; ++i)
        if (modifiers & (1u << i)) AppendKey(inputs, keys[i], false);
    AppendKey(inputs, vk, false);
    AppendKey(inputs, vk, true);
    for (int i = 2; i >= 0; --i)
        if (modifiers & (1u << i)) AppendKey(inputs, keys[i], true);
}

// As a person clicks: each press held about 100 ms, the two of a double click close together,
// and a separate click no sooner than the double-click time after the last one ended, so
// the system never pairs clicks that were meant apart.
const DWORD kHoldMs = 100, kBetweenDoubleMs = 60;
DWORD g_lastClickEnd = ::GetTickCount() - 60000;

void AwaitClickSpacing()
{
    const DWORD spacing = ::GetDoubleClickTime() + 50, since = ::GetTickCount() - g_lastClickEnd;
    if (since < spacing) PumpMessagesFor(spacing - since);
}

// The pointer arrives first and the window takes in its arrival (under Wine the X server's
// enter events follow the move), then the button goes down, is held, and comes up.
bool ClickSequence(HWND window, POINT point, int clicks, bool activate)
{
    if (!::IsWindow(window) || (activate && !BringToForeground(window))) return false;
    // The wait comes before the pointer moves: a pointer resting on a list view that tracks
    // it would select the item under it meanwhile.
    AwaitClickSpacing();
    POINT screen = point, current{};
    ::ClientToScreen(window, &screen);
    if (!::GetCursorPos(&current) || current.x != screen.x || current.y != screen.y) {
        if (!Send(MouseAt(window, point, {0}), nullptr)) return false;
        SettleWindow(window, 80);
    }
    bool sent = true;
    for (int i = 0; i < clicks && sent; ++i) {
        if (i > 0) PumpMessagesFor(kBetweenDoubleMs);
        sent = Send(MouseAt(window, point, {MOUSEEVENTF_LEFTDOWN}), nullptr);
        PumpMessagesFor(kHoldMs);
        sent = Send(MouseAt(window, point, {MOUSEEVENTF_LEFTUP}), nullptr) && sent;
    }
    g_lastClickEnd = ::GetTickCount();
    if (::IsWindow(window)) LetInputArrive(window);
    return sent;
}

bool CellPoint(HWND listView, int row, int column, int x, POINT& point)
{
    RECT bounds{LVIR_BOUNDS, column, 0, 0};
    if (!Query(listView, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds))) return false;
    // Column 0 answers the whole row: its own place is its header item's, wherever the
    // columns were reordered to show it, shifted as the row is scrolled.
    RECT item{};
    HWND header = reinterpret_cast<HWND>(::SendMessageA(listView, LVM_GETHEADER, 0, 0));
    if (column == 0 && header && ::SendMessageA(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item))) {
        bounds.right = bounds.left + item.right;
        bounds.left += item.left;
    }
    point.x = x < 0 ? (bounds.left + bounds.right) / 2 : bounds.left + x;
    point.y = (bounds.top + bounds.bottom) / 2;
    return bounds.right > bounds.left && bounds.bottom > bounds.top;
}
}  // namespace

void LetInputArrive(HWND window)
{
    for (int i = 0; i < 2; ++i) SettleWindow(window, 40);
}

bool BringToForeground(HWND window)
{
    HWND top = ::GetAncestor(window, GA_ROOT), current = ::GetForegroundWindow();
    if (!top || current == top) return top != nullptr;
    // Only the foreground thread may hand the foreground on: attached to its input, this
    // thread counts as it.
    const DWORD self = ::GetCurrentThreadId(), owner = current ? ::GetWindowThreadProcessId(current, nullptr) : 0;
    const bool attached = owner && owner != self && ::AttachThreadInput(self, owner, TRUE);
    ::SetForegroundWindow(top);
    ::BringWindowToTop(top);
    if (attached) ::AttachThreadInput(self, owner, FALSE);
    if (!WaitUntil([&] { return ::GetForegroundWindow() == top; }, 2000)) return false;
    SettleWindow(top);
    return ::GetForegroundWindow() == top;
}

bool MoveMouseTo(HWND window, POINT clientPoint) { return Send(MouseAt(window, clientPoint, {0}), window); }
bool ClickAt(HWND window, POINT clientPoint) { return ClickSequence(window, clientPoint, 1, true); }
bool ClickInPlace(HWND window, POINT clientPoint) { return ClickSequence(window, clientPoint, 1, false); }
bool DoubleClickAt(HWND window, POINT clientPoint) { return ClickSequence(window, clientPoint, 2, true); }

POINT ClientCenter(HWND window)
{
    RECT client{};
    ::GetClientRect(window, &client);
    return POINT{client.right / 2, client.bottom / 2};
}

bool ClickCenter(HWND window) { return ClickAt(window, ClientCenter(window)); }

bool PressLeftAt(HWND window, POINT clientPoint)
{
    AwaitClickSpacing();
    if (!MoveMouseTo(window, clientPoint)) return false;
    SettleWindow(window, 80);
    return Send(MouseAt(window, clientPoint, {MOUSEEVENTF_LEFTDOWN}), window);
}

bool ReleaseLeft(HWND window)
{
    const bool sent = Send(MouseAt(nullptr, POINT{}, {MOUSEEVENTF_LEFTUP}), window);
    g_lastClickEnd = ::GetTickCount();
    return sent;
}

bool ListBoxItemPoint(HWND listBox, int index, int x, POINT& point)
{
    RECT item{}, client{};
    if (Query(listBox, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) == LB_ERR) return false;
    ::GetClientRect(listBox, &client);
    if (item.bottom <= client.top || item.top >= client.bottom) return false;  // scrolled out of view
    point.x = x < 0 ? (item.left + item.right) / 2 : item.left + x;
    point.y = (item.top + item.bottom) / 2;
    return true;
}

bool ClickListViewCell(HWND listView, int row, int column, int x, int clicks)
{
    POINT point{};
    return CellPoint(listView, row, column, x, point) && ClickSequence(listView, point, clicks, true);
}

bool PressKey(WORD virtualKey, unsigned modifiers)
{
    std::vector<INPUT> inputs;
    AppendChord(inputs, virtualKey, modifiers);
    return Send(inputs, ::GetForegroundWindow());
}

bool TypeText(const std::string& text)
{
    std::vector<INPUT> inputs;
    for (char c : text) {
        const SHORT key = ::VkKeyScanA(c);
        if (key == -1) return false;  // no key types it on this layout
        AppendChord(inputs, LOBYTE(key), HIBYTE(key) & 7u);  // its shift state bits are our modifiers
    }
    return inputs.empty() || Send(inputs, ::GetForegroundWindow());
}

}  // namespace harness
