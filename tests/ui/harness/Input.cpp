// Real user input through SendInput, aimed at windows, list box items and list view cells.
#include <commctrl.h>

#include "Harness.h"

namespace harness {

namespace {
constexpr DWORD kSettleMs = 40;

bool Send(std::vector<INPUT>& inputs)
{
    const UINT sent = ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return sent == inputs.size();
}

// Absolute coordinates are normalised to 0..65535 over the primary screen; rounding
// up makes the system's scaling back land on the intended pixel.
INPUT MouseInput(POINT screen, DWORD flags)
{
    const LONG width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((static_cast<LONGLONG>(screen.x) * 65536 + width - 1) / width);
    input.mi.dy = static_cast<LONG>((static_cast<LONGLONG>(screen.y) * 65536 + height - 1) / height);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    return input;
}

bool IsExtendedKey(WORD vk)
{
    switch (vk) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_HOME: case VK_END:
    case VK_PRIOR: case VK_NEXT: case VK_INSERT: case VK_DELETE: case VK_RCONTROL: case VK_RMENU:
        return true;
    default:
        return false;
    }
}

INPUT KeyInput(WORD vk, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

void AppendChord(std::vector<INPUT>& inputs, WORD vk, unsigned modifiers)
{
    const WORD order[] = {VK_SHIFT, VK_CONTROL, VK_MENU};
    const unsigned flags[] = {kShift, kControl, kAlt};
    for (int i = 0; i < 3; ++i)
        if (modifiers & flags[i]) inputs.push_back(KeyInput(order[i], false));
    inputs.push_back(KeyInput(vk, false));
    inputs.push_back(KeyInput(vk, true));
    for (int i = 2; i >= 0; --i)
        if (modifiers & flags[i]) inputs.push_back(KeyInput(order[i], true));
}

bool ClickSequence(HWND window, POINT clientPoint, int clicks)
{
    if (!::IsWindow(window) || !BringToForeground(window)) return false;
    POINT screen = clientPoint;
    ::ClientToScreen(window, &screen);
    // The pointer arrives first and the window takes in its arrival (under Wine the X
    // server's enter events follow the move), then the buttons go down and up.
    POINT current{};
    if (!::GetCursorPos(&current) || current.x != screen.x || current.y != screen.y) {
        std::vector<INPUT> move{MouseInput(screen, 0)};
        if (!Send(move)) return false;
        SettleWindow(window, 80);
    }
    std::vector<INPUT> inputs;
    for (int i = 0; i < clicks; ++i) {
        inputs.push_back(MouseInput(screen, MOUSEEVENTF_LEFTDOWN));
        inputs.push_back(MouseInput(screen, MOUSEEVENTF_LEFTUP));
    }
    const bool sent = Send(inputs);
    LetInputArrive(window);
    return sent;
}
}  // namespace

void LetInputArrive(HWND window)
{
    DWORD_PTR ignored = 0;
    for (int i = 0; i < 2; ++i) {
        PumpMessagesFor(kSettleMs);
        ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    }
}

bool BringToForeground(HWND window)
{
    HWND top = ::GetAncestor(window, GA_ROOT);
    if (!top) return false;
    if (::GetForegroundWindow() == top) return true;
    // Windows lets only the foreground thread hand the foreground on; attaching to the
    // current foreground thread's input makes this thread count as it.
    const DWORD self = ::GetCurrentThreadId();
    HWND current = ::GetForegroundWindow();
    const DWORD owner = current ? ::GetWindowThreadProcessId(current, nullptr) : 0;
    const bool attached = owner && owner != self && ::AttachThreadInput(self, owner, TRUE);
    ::SetForegroundWindow(top);
    ::BringWindowToTop(top);
    if (attached) ::AttachThreadInput(self, owner, FALSE);
    if (!WaitUntil([&] { return ::GetForegroundWindow() == top; }, 2000)) return false;
    SettleWindow(top);
    return ::GetForegroundWindow() == top;
}

bool FocusControl(HWND control)
{
    HWND dialog = ::GetParent(control);
    if (!dialog || !BringToForeground(control)) return false;
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE, SMTO_ABORTIFHUNG, 2000,
                          &ignored);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return WaitUntil([&] {
        return ::GetGUIThreadInfo(::GetWindowThreadProcessId(control, nullptr), &info) && info.hwndFocus == control;
    }, 2000);
}

bool MoveMouseTo(HWND window, POINT clientPoint)
{
    POINT screen = clientPoint;
    if (!::ClientToScreen(window, &screen)) return false;
    std::vector<INPUT> inputs{MouseInput(screen, 0)};
    const bool sent = Send(inputs);
    LetInputArrive(window);
    return sent;
}

bool ClickAt(HWND window, POINT clientPoint) { return ClickSequence(window, clientPoint, 1); }
bool DoubleClickAt(HWND window, POINT clientPoint) { return ClickSequence(window, clientPoint, 2); }

POINT ClientCenter(HWND window)
{
    RECT client{};
    ::GetClientRect(window, &client);
    return POINT{client.right / 2, client.bottom / 2};
}

bool ClickCenter(HWND window) { return ClickAt(window, ClientCenter(window)); }

bool PressLeftAt(HWND window, POINT clientPoint)
{
    if (!MoveMouseTo(window, clientPoint)) return false;
    SettleWindow(window, 80);
    POINT screen = clientPoint;
    ::ClientToScreen(window, &screen);
    std::vector<INPUT> down{MouseInput(screen, MOUSEEVENTF_LEFTDOWN)};
    const bool sent = Send(down);
    LetInputArrive(window);
    return sent;
}

bool ReleaseLeft(HWND window)
{
    POINT screen{};
    ::GetCursorPos(&screen);
    std::vector<INPUT> up{MouseInput(screen, MOUSEEVENTF_LEFTUP)};
    const bool sent = Send(up);
    LetInputArrive(window);
    return sent;
}

bool ListBoxItemPoint(HWND listBox, int index, int x, POINT& point)
{
    RECT item{}, client{};
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(listBox, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item),
                               SMTO_ABORTIFHUNG, 2000, &result) ||
        static_cast<LRESULT>(result) == LB_ERR)
        return false;
    ::GetClientRect(listBox, &client);
    if (item.bottom <= client.top || item.top >= client.bottom) return false;  // scrolled out of view
    point.x = x < 0 ? (item.left + item.right) / 2 : item.left + x;
    point.y = (item.top + item.bottom) / 2;
    return true;
}

bool ClickListBoxItem(HWND listBox, int index, int x)
{
    POINT point{};
    return ListBoxItemPoint(listBox, index, x, point) && ClickAt(listBox, point);
}

namespace {
bool CellPoint(HWND listView, int row, int column, int x, POINT& point)
{
    RECT bounds{};
    bounds.top = column;
    bounds.left = LVIR_BOUNDS;
    DWORD_PTR ok = 0;
    if (!::SendMessageTimeoutA(listView, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                               reinterpret_cast<LPARAM>(&bounds), SMTO_ABORTIFHUNG, 2000, &ok) || !ok)
        return false;
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

bool ClickListViewCell(HWND listView, int row, int column, int x)
{
    POINT point{};
    return CellPoint(listView, row, column, x, point) && ClickAt(listView, point);
}

bool DoubleClickListViewCell(HWND listView, int row, int column, int x)
{
    POINT point{};
    return CellPoint(listView, row, column, x, point) && DoubleClickAt(listView, point);
}

bool PressKey(WORD virtualKey, unsigned modifiers)
{
    std::vector<INPUT> inputs;
    AppendChord(inputs, virtualKey, modifiers);
    const bool sent = Send(inputs);
    if (HWND foreground = ::GetForegroundWindow()) LetInputArrive(foreground);
    return sent;
}

bool TypeText(const std::string& text)
{
    std::vector<INPUT> inputs;
    for (char c : text) {
        const SHORT key = ::VkKeyScanA(c);
        if (key != -1) {
            const unsigned shiftState = static_cast<unsigned>(HIBYTE(key));
            unsigned modifiers = kNoModifier;
            if (shiftState & 1) modifiers |= kShift;
            if (shiftState & 2) modifiers |= kControl;
            if (shiftState & 4) modifiers |= kAlt;
            AppendChord(inputs, LOBYTE(key), modifiers);
            continue;
        }
        wchar_t wide = 0;
        ::MultiByteToWideChar(CP_ACP, 0, &c, 1, &wide, 1);
        for (bool up : {false, true}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = wide;
            input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
            inputs.push_back(input);
        }
    }
    const bool sent = inputs.empty() || Send(inputs);
    if (HWND foreground = ::GetForegroundWindow()) LetInputArrive(foreground);
    return sent;
}

}  // namespace harness
