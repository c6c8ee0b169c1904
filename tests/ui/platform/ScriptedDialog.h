// ScriptedDialog: a test dialog that runs its steps one posted message at a time inside
// its own modal loop, so whatever a step posts (keys, clicks) is handled before the next.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "TestIds.h"
#include "platform/Dialog.h"

class ScriptedDialog : public CDialog {
public:
    using Step = std::function<void(ScriptedDialog&)>;

    static constexpr INT_PTR kScriptDone = 1000;   // result when the steps ran out
    static constexpr INT_PTR kWatchdog = -99;      // result when the dialog hung

    explicit ScriptedDialog(UINT templateId = IDD_CONTROLS, CWnd* parent = nullptr) : CDialog(templateId, parent) {}

    const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }
    static const MessageMap* StaticMessageMap();

    // The run, then a short idle spell as a user's pause would give.
    INT_PTR DoModal() override;

    ScriptedDialog& Then(Step step)
    {
        m_steps.push_back(Pending{std::move(step), nullptr, 0});
        return *this;
    }
    // Lets the loop run (timers, tool tips) until the condition holds or time runs out.
    ScriptedDialog& ThenWaitFor(std::function<bool(ScriptedDialog&)> until, DWORD timeoutMs)
    {
        m_steps.push_back(Pending{nullptr, std::move(until), timeoutMs});
        return *this;
    }
    // Runs before the base initialisation (before UpdateData(FALSE)), e.g. to fill lists.
    std::function<void(ScriptedDialog&)> beforeInit;

    std::vector<std::string> log;

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnStep(WPARAM, LPARAM);
    void OnTimer(UINT_PTR id);

    struct Pending {
        Step run;
        std::function<bool(ScriptedDialog&)> until;
        DWORD timeoutMs;
    };
    std::vector<Pending> m_steps;
    std::size_t m_next = 0;
    std::function<bool(ScriptedDialog&)> m_waitingFor;
    DWORD m_deadline = 0;
};

constexpr UINT WM_TEST_STEP = WM_APP + 50;

// Posts a click (button down, then up) at a client point of a window.
void PostClick(HWND hwnd, POINT client);
// Posts a key press (WM_KEYDOWN, then WM_KEYUP) to a window.
void PostKey(HWND hwnd, UINT key);
