// ControlsHost: a dialog that holds the library's controls the way the query builder
// does (the list bound by DDX_Control, the combos and buttons attached in OnInitDialog),
// filled from options, for tests that drive it from another thread.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "ControlsTestIds.h"
#include "controls/ButtonST.h"
#include "controls/ComboBoxFlexW.h"
#include "controls/ExCheckListBox.h"
#include "platform/Dialog.h"

struct HostOptions {
    std::vector<std::string> columns;
    std::vector<std::string> tables;
    std::vector<std::string> wideTables;
    UINT addIcon = 1006;  // the "+" button's icon
    UINT upIcon = 1001;   // the up arrow's icon
    bool iconsTwice = false;  // give each button an icon, then its real one
};

// Answered on the dialog's thread, so tests read the objects' state without racing it.
constexpr UINT WM_HOST_MAX_ITEM_WIDTH = WM_APP + 71;   // -> table.m_nMaxItemWidth (wParam 1: wideTable's)
constexpr UINT WM_HOST_REPAINT_BUTTONS = WM_APP + 72;  // wParam rounds of painting in every state

class ControlsHost : public CDialog {
public:
    static constexpr const char* kCaption = "Controls host";

    explicit ControlsHost(HostOptions options) : CDialog(IDD_CONTROLS_HOST), m_options(std::move(options)) {}

    const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }
    static const MessageMap* StaticMessageMap();
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    CExCheckListBox columns;
    CComboBoxFlexW table;
    CComboBoxFlexW wideTable;
    CButtonST add;
    CButtonST up;
    std::atomic<int> addClicks{0};

private:
    void OnAddClicked() { ++addClicks; }
    LRESULT OnMaxItemWidth(WPARAM which, LPARAM);
    LRESULT OnRepaintButtons(WPARAM rounds, LPARAM);

    HostOptions m_options;
};
