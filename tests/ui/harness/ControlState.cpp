// Reading a control's state back through its own messages.
#include "ControlState.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace harness {

LRESULT Query(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result)) {
        ADD_FAILURE() << "window " << window << " did not answer message 0x" << std::hex << message;
        return 0;
    }
    return static_cast<LRESULT>(result);
}

namespace {
// Reads a string whose length a first message reports; the buffer keeps one more
// byte for the terminator that the control writes.
template <typename Fill>
std::string ReadString(LRESULT length, Fill fill)
{
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = fill(&text[0], length + 1);
    text.resize(copied > 0 && copied <= length ? static_cast<size_t>(copied) : 0);
    return text;
}
}  // namespace

std::string WindowText(HWND window)
{
    return ReadString(Query(window, WM_GETTEXTLENGTH), [&](char* buffer, LRESULT size) {
        return Query(window, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer));
    });
}

bool IsEnabled(HWND window) { return ::IsWindowEnabled(window) != FALSE; }
bool IsVisible(HWND window) { return ::IsWindowVisible(window) != FALSE; }

namespace {
GUITHREADINFO ThreadInfo(HWND anyWindowOfThread)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(anyWindowOfThread, nullptr), &info)) info = GUITHREADINFO{};
    return info;
}
}  // namespace

HWND FocusedWindow(HWND anyWindowOfThread) { return ThreadInfo(anyWindowOfThread).hwndFocus; }
HWND MouseCaptureOf(HWND anyWindowOfThread) { return ThreadInfo(anyWindowOfThread).hwndCapture; }

int ButtonCheck(HWND button) { return static_cast<int>(Query(button, BM_GETCHECK)); }

int ListBoxCount(HWND listBox) { return static_cast<int>(Query(listBox, LB_GETCOUNT)); }
int ListBoxSelection(HWND listBox) { return static_cast<int>(Query(listBox, LB_GETCURSEL)); }

std::string ListBoxItem(HWND listBox, int index)
{
    const WPARAM at = static_cast<WPARAM>(index);
    return ReadString(Query(listBox, LB_GETTEXTLEN, at), [&](char* buffer, LRESULT) {
        return Query(listBox, LB_GETTEXT, at, reinterpret_cast<LPARAM>(buffer));
    });
}

std::vector<std::string> ListBoxItems(HWND listBox)
{
    std::vector<std::string> items;
    for (int i = 0, n = ListBoxCount(listBox); i < n; ++i) items.push_back(ListBoxItem(listBox, i));
    return items;
}

LRESULT ListBoxItemData(HWND listBox, int index)
{
    return Query(listBox, LB_GETITEMDATA, static_cast<WPARAM>(index));
}

std::vector<int> ListBoxChecks(HWND listBox)
{
    std::vector<int> checks;
    for (int i = 0, n = ListBoxCount(listBox); i < n; ++i) checks.push_back(static_cast<int>(ListBoxItemData(listBox, i)));
    return checks;
}

std::string ComboText(HWND comboBox) { return WindowText(comboBox); }
int ComboSelection(HWND comboBox) { return static_cast<int>(Query(comboBox, CB_GETCURSEL)); }

std::vector<std::string> ComboItems(HWND comboBox)
{
    std::vector<std::string> items;
    for (int i = 0, n = static_cast<int>(Query(comboBox, CB_GETCOUNT)); i < n; ++i) {
        const WPARAM at = static_cast<WPARAM>(i);
        items.push_back(ReadString(Query(comboBox, CB_GETLBTEXTLEN, at), [&](char* buffer, LRESULT) {
            return Query(comboBox, CB_GETLBTEXT, at, reinterpret_cast<LPARAM>(buffer));
        }));
    }
    return items;
}

int ListViewRowCount(HWND listView) { return static_cast<int>(Query(listView, LVM_GETITEMCOUNT)); }

int ListViewColumnCount(HWND listView)
{
    HWND header = reinterpret_cast<HWND>(Query(listView, LVM_GETHEADER));
    return header ? static_cast<int>(Query(header, HDM_GETITEMCOUNT)) : 0;
}

// LVM_GETITEMTEXT answers the number of characters copied, so a buffer that comes
// back full may have cut the text: grow and ask again.
std::string ListViewCell(HWND listView, int row, int column)
{
    for (int capacity = 256; capacity <= 65536; capacity *= 4) {
        std::string text(static_cast<size_t>(capacity), '\0');
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = &text[0];
        item.cchTextMax = capacity;
        const LRESULT copied =
            Query(listView, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        if (copied < capacity - 1) {
            text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
            return text;
        }
    }
    return std::string();
}

int ListViewSelectedRow(HWND listView)
{
    return static_cast<int>(Query(listView, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

}  // namespace harness
