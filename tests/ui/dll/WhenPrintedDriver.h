// The "When Printed variable" dialog as a test meets it on top of the query builder:
// waiting for it, reading what it offers, typing a prompt and answering it by mouse.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace dlltest {

constexpr char kWhenPrintedCaption[] = "When Printed variable";

class WhenPrintedAsk {
public:
    enum : int { kPrompt = 2260, kDefault = 2279 };

    // Waits for the dialog that the run's UI thread opens; Window() is null when none
    // came within the harness's patience.
    explicit WhenPrintedAsk(DWORD threadId);
    HWND Window() const { return m_window; }

    // The default choices in the order the combo lists them, and the selected one.
    std::vector<std::string> Choices() const;
    std::string Chosen() const;
    std::string Prompt() const;
    // The id of the control that has the keyboard focus (0 when none of the dialog's).
    int FocusedId() const;

    // Clicks into the prompt and types text key by key.
    bool TypePrompt(const std::string& text);
    // Clicks OK or Cancel and waits until the dialog is gone.
    bool Accept();
    bool Cancel();
    // Presses a key (Enter, Escape) and waits until the dialog is gone.
    bool AnswerByKey(WORD virtualKey);

private:
    bool ClickAndWaitGone(int buttonId);
    bool WaitGone();

    HWND m_window = nullptr;
};

}  // namespace dlltest
