// The When Printed dialog's driver: look-ups by control id and real clicks and keys.
#include "WhenPrintedDriver.h"

#include "Harness.h"

namespace dlltest {

WhenPrintedAsk::WhenPrintedAsk(DWORD threadId) : m_window(harness::WaitForWindow(kWhenPrintedCaption, threadId)) {}

std::vector<std::string> WhenPrintedAsk::Choices() const
{
    return m_window ? harness::ComboItems(harness::FindControl(m_window, kDefault)) : std::vector<std::string>();
}

std::string WhenPrintedAsk::Chosen() const
{
    return m_window ? harness::ComboText(harness::FindControl(m_window, kDefault)) : std::string();
}

std::string WhenPrintedAsk::Prompt() const
{
    return m_window ? harness::WindowText(harness::FindControl(m_window, kPrompt)) : std::string();
}

int WhenPrintedAsk::FocusedId() const
{
    HWND focus = m_window ? harness::FocusedWindow(m_window) : nullptr;
    return focus && ::GetParent(focus) == m_window ? ::GetDlgCtrlID(focus) : 0;
}

bool WhenPrintedAsk::TypePrompt(const std::string& text)
{
    HWND prompt = m_window ? harness::FindControl(m_window, kPrompt) : nullptr;
    if (!prompt || !harness::ClickCenter(prompt)) return false;
    if (!harness::WaitUntil([&] { return harness::FocusedWindow(prompt) == prompt; })) return false;
    return harness::TypeText(text) && harness::WaitUntil([&] { return Prompt() == text; });
}

bool WhenPrintedAsk::Accept() { return ClickAndWaitGone(IDOK); }

bool WhenPrintedAsk::Cancel() { return ClickAndWaitGone(IDCANCEL); }

bool WhenPrintedAsk::AnswerByKey(WORD virtualKey)
{
    return m_window && harness::BringToForeground(m_window) && harness::PressKey(virtualKey) && WaitGone();
}

bool WhenPrintedAsk::ClickAndWaitGone(int buttonId)
{
    HWND button = m_window ? harness::FindControl(m_window, buttonId) : nullptr;
    return button && harness::ClickCenter(button) && WaitGone();
}

bool WhenPrintedAsk::WaitGone()
{
    if (!harness::WaitForWindowGone(m_window)) return false;
    m_window = nullptr;
    // The query builder takes the activation back before the next input is aimed at it.
    harness::PumpMessagesFor(100);
    return true;
}

}  // namespace dlltest
