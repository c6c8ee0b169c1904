// ScriptedDialog: steps run from posted messages, with a watchdog against hangs.
#include "ScriptedDialog.h"

#include "WindowFind.h"

namespace {
constexpr UINT_PTR kWatchdogTimer = 0x5AFE;
constexpr UINT kWatchdogMilliseconds = 15000;
constexpr UINT_PTR kPollTimer = 0x5AFF;
}  // namespace

const MessageMap* ScriptedDialog::StaticMessageMap()
{
    static const MessageEntry entries[] = {
        msgmap::Message<&ScriptedDialog::OnStep>(WM_TEST_STEP),
        msgmap::Timer<&ScriptedDialog::OnTimer>(),
    };
    static const MessageMap map(CDialog::StaticMessageMap(), entries);
    return &map;
}

BOOL ScriptedDialog::OnInitDialog()
{
    if (beforeInit) beforeInit(*this);
    BOOL result = CDialog::OnInitDialog();
    m_next = 0;
    SetTimer(kWatchdogTimer, kWatchdogMilliseconds);
    PostMessage(WM_TEST_STEP);
    return result;
}

LRESULT ScriptedDialog::OnStep(WPARAM, LPARAM)
{
    if (m_next < m_steps.size()) {
        Pending& step = m_steps[m_next++];
        if (step.run) {
            step.run(*this);
            if (GetSafeHwnd()) PostMessage(WM_TEST_STEP);
        } else {
            // Posted messages come before timers, so waiting must not post: a timer polls.
            m_waitingFor = step.until;
            m_deadline = ::GetTickCount() + step.timeoutMs;
            SetTimer(kPollTimer, 25);
        }
    } else {
        EndDialog(static_cast<int>(kScriptDone));
    }
    return 0;
}

void ScriptedDialog::OnTimer(UINT_PTR id)
{
    if (id == kPollTimer) {
        if (m_waitingFor(*this) || static_cast<int>(::GetTickCount() - m_deadline) >= 0) {
            KillTimer(kPollTimer);
            PostMessage(WM_TEST_STEP);
        }
        return;
    }
    if (id == kWatchdogTimer) {
        log.push_back("watchdog");
        EndDialog(static_cast<int>(kWatchdog));
    }
}

INT_PTR ScriptedDialog::DoModal()
{
    INT_PTR result = CDialog::DoModal();
    harness::PumpMessagesFor(30);
    return result;
}

void PostClick(HWND hwnd, POINT client)
{
    LPARAM at = MAKELPARAM(client.x, client.y);
    ::PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(hwnd, WM_LBUTTONUP, 0, at);
}

void PostKey(HWND hwnd, UINT key)
{
    UINT scan = ::MapVirtualKeyA(key, 0);
    ::PostMessageA(hwnd, WM_KEYDOWN, key, static_cast<LPARAM>(1 | (scan << 16)));
    ::PostMessageA(hwnd, WM_KEYUP, key, static_cast<LPARAM>(1 | (scan << 16) | (1u << 30) | (1u << 31)));
}
