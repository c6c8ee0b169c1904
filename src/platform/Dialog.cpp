// CDialog: creation from a template, the modal loop with pre-translation, OK and Cancel.
#include "platform/Dialog.h"

#include <algorithm>

#include "platform/CheckListBox.h"
#include "platform/WinApp.h"

const MessageMap* CDialog::StaticMessageMap()
{
    static const MessageEntry entries[] = {
        msgmap::Command<&CDialog::HandleOK>(BN_CLICKED, IDOK),
        msgmap::Command<&CDialog::HandleCancel>(BN_CLICKED, IDCANCEL),
        // The close box, Alt+F4 and the system menu's Close.
        msgmap::Simple<&CDialog::HandleCancel>(WM_CLOSE),
    };
    static const MessageMap map(&CWnd::StaticMessageMap, entries);
    return &map;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int result)
{
    m_result = result;
    m_endRequested = true;
    // Wakes the loop should the call come from outside a dispatched message.
    if (m_hWnd) ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

// The dialog manager's procedure: binds the object at WM_INITDIALOG and installs the
// router in front of the dialog window, after which every message reaches the message
// map first and results are returned from the window procedure itself. Until then only
// owner-drawn list boxes need an answer: they ask for their item height while the
// template's controls are created, before any object is attached.
INT_PTR CALLBACK CDialog::InitProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CDialog*>(lParam);
        if (!dialog || dialog->GetSafeHwnd()) return FALSE;
        return dialog->Initialise(hwnd);
    }
    if (message == WM_MEASUREITEM && !FromHandlePermanent(hwnd)) {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (!item || (item->CtlType != ODT_LISTBOX && item->CtlType != ODT_COMBOBOX)) return FALSE;
        HFONT font = reinterpret_cast<HFONT>(::SendMessageA(hwnd, WM_GETFONT, 0, 0));
        item->itemHeight = static_cast<UINT>(CheckListItemHeight(font));
        ::SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    return FALSE;
}

// Runs inside the dialog manager's frames, which a C++ exception must never unwind (on
// 32-bit Windows that ends the process). A dialog that could not set itself up is
// never shown: its loop ends before it starts and DoModal answers -1.
BOOL CDialog::Initialise(HWND hwnd) noexcept
{
    try {
        BindAndSubclass(hwnd, true);
        const BOOL result = OnInitDialog();
        CentreIfNotPlaced(hwnd);
        return result;
    } catch (...) {
        EndDialog(-1);
        return FALSE;
    }
}

// As the platform does for its dialogs: a dialog that its template (and OnInitDialog) left
// at its owner's origin, where it would hide the owner's caption, moves to the
// middle of the owner, or of the work area when it has none, and stays on that monitor.
void CDialog::CentreIfNotPlaced(HWND dialog)
{
    if (::GetWindowLongPtrA(dialog, GWL_STYLE) & WS_CHILD) return;
    HWND owner = ::GetWindow(dialog, GW_OWNER);
    // Systems differ on whether a template's (0, 0) means the owner's client or window origin.
    POINT clientOrigin{0, 0};
    RECT ownerWindow{0, 0, 0, 0};
    if (owner) {
        ::ClientToScreen(owner, &clientOrigin);
        ::GetWindowRect(owner, &ownerWindow);
    }
    RECT self{};
    if (!::GetWindowRect(dialog, &self)) return;
    const bool atClientOrigin = self.left == clientOrigin.x && self.top == clientOrigin.y;
    const bool atWindowOrigin = self.left == ownerWindow.left && self.top == ownerWindow.top;
    if (!atClientOrigin && !atWindowOrigin) return;

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!::GetMonitorInfoA(::MonitorFromWindow(owner ? owner : dialog, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& work = monitor.rcWork;
    RECT around = work;
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) ::GetWindowRect(owner, &around);
    const LONG width = self.right - self.left, height = self.bottom - self.top;
    const LONG x = std::max(work.left, std::min(around.left + (around.right - around.left - width) / 2, work.right - width));
    const LONG y = std::max(work.top, std::min(around.top + (around.bottom - around.top - height) / 2, work.bottom - height));
    ::SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND CDialog::ModalOwner() const
{
    HWND owner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : ::GetActiveWindow();
    return owner ? ::GetAncestor(owner, GA_ROOT) : nullptr;
}

INT_PTR CDialog::DoModal()
{
    if (m_running || GetSafeHwnd()) return -1;
    AfxInitCommonControls();
    HINSTANCE resources = AfxGetResourceHandle();
    HRSRC found = ::FindResourceA(resources, MAKEINTRESOURCEA(m_nIDTemplate), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    HGLOBAL loaded = found ? ::LoadResource(resources, found) : nullptr;
    auto* dialogTemplate = static_cast<LPCDLGTEMPLATEA>(loaded ? ::LockResource(loaded) : nullptr);
    if (!dialogTemplate) return -1;

    HWND owner = ModalOwner();
    m_result = -1;
    m_endRequested = false;
    HWND dialog = ::CreateDialogIndirectParamA(resources, dialogTemplate, owner, &CDialog::InitProc,
                                               reinterpret_cast<LPARAM>(this));
    if (!dialog) return -1;

    // As the platform's own modal dialogs do: the owner stays disabled for the run and is
    // enabled again before the dialog goes, so activation returns to it.
    bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
    if (ownerWasEnabled) ::EnableWindow(owner, FALSE);
    bool quit = false;
    INT_PTR result = RunModalLoop(dialog, quit);
    if (ownerWasEnabled) ::EnableWindow(owner, TRUE);
    if (owner && ::GetActiveWindow() == dialog) ::SetActiveWindow(owner);
    if (::IsWindow(dialog)) ::DestroyWindow(dialog);
    return result;
}

INT_PTR CDialog::RunModalLoop(HWND dialog, bool& quit)
{
    m_running = true;
    if (!m_endRequested && !::IsWindowVisible(dialog)) ::ShowWindow(dialog, SW_SHOWNORMAL);
    while (!m_endRequested && ::IsWindow(dialog)) {
        MSG msg;
        BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) {
            // Someone wants the thread's loop to end: end ours and pass the request on.
            quit = true;
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (PreTranslateFailSafe(msg)) continue;
        if (::IsDialogMessageA(dialog, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    m_running = false;
    return quit ? -1 : m_result;
}

// A filter that fails (out of memory) must not end the loop with the owner still
// disabled and the dialog still up: its message is dropped, as though it had been taken.
bool CDialog::PreTranslateFailSafe(MSG& msg) noexcept
{
    try {
        return PreTranslateInLoop(msg);
    } catch (...) {
        return true;
    }
}

// The window that has the message gets the first look, then each window above it that
// has an object, up to the dialog, whose look comes last. Messages for windows outside
// the dialog (another top-level window of the host) are not offered to the dialog.
bool CDialog::PreTranslateInLoop(MSG& msg)
{
    HWND dialog = GetSafeHwnd();
    bool reachedDialog = false;
    for (HWND hwnd = msg.hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        if (hwnd == dialog) {
            reachedDialog = true;
            break;
        }
        CWnd* wnd = FromHandlePermanent(hwnd);
        if (wnd && wnd->PreTranslateMessage(&msg)) return true;
    }
    return reachedDialog && PreTranslateMessage(&msg);
}

int AfxMessageBox(const char* text, UINT type)
{
    return ::MessageBoxA(::GetActiveWindow(), text ? text : "", AfxGetAppName(), type);
}
