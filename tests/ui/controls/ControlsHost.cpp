// ControlsHost: attaching and filling the controls under test.
#include "ControlsHost.h"

#include "platform/DataExchange.h"

const MessageMap* ControlsHost::StaticMessageMap()
{
    static const MessageEntry entries[] = {
        msgmap::Command<&ControlsHost::OnAddClicked>(BN_CLICKED, IDC_HOST_ADD),
        msgmap::Message<&ControlsHost::OnMaxItemWidth>(WM_HOST_MAX_ITEM_WIDTH),
        msgmap::Message<&ControlsHost::OnRepaintButtons>(WM_HOST_REPAINT_BUTTONS),
    };
    static const MessageMap map(CDialog::StaticMessageMap(), entries);
    return &map;
}

void ControlsHost::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HOST_COLUMNS, columns);
}

BOOL ControlsHost::OnInitDialog()
{
    CDialog::OnInitDialog();
    add.SubclassDlgItem(IDC_HOST_ADD, this);
    up.SubclassDlgItem(IDC_HOST_UP, this);
    if (m_options.iconsTwice) {
        add.SetIcons(m_options.upIcon, 0);
        up.SetIcons(m_options.addIcon, m_options.upIcon);
    }
    add.SetIcons(m_options.addIcon, 0);
    up.SetIcons(m_options.upIcon, 0);
    table.SubclassDlgItem(IDC_HOST_TABLE, this);
    wideTable.SubclassDlgItem(IDC_HOST_WIDE_TABLE, this);
    for (const std::string& name : m_options.columns) columns.AddString(name.c_str());
    for (const std::string& name : m_options.tables) table.AddString(name.c_str());
    for (const std::string& name : m_options.wideTables) wideTable.AddString(name.c_str());
    if (table.GetCount() > 0) table.SetCurSel(0);
    if (wideTable.GetCount() > 0) wideTable.SetCurSel(0);
    return TRUE;
}

LRESULT ControlsHost::OnMaxItemWidth(WPARAM which, LPARAM)
{
    return which == 1 ? wideTable.m_nMaxItemWidth : table.m_nMaxItemWidth;
}

// Paints both buttons in each state they can be drawn in: as they are (hot when the
// pointer rests on them), pressed, disabled.
LRESULT ControlsHost::OnRepaintButtons(WPARAM rounds, LPARAM)
{
    const UINT now = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;
    for (WPARAM i = 0; i < rounds; ++i) {
        for (CButtonST* button : {&add, &up}) {
            button->RedrawWindow(nullptr, nullptr, now);
            button->SendMessage(BM_SETSTATE, TRUE);
            button->RedrawWindow(nullptr, nullptr, now);
            button->SendMessage(BM_SETSTATE, FALSE);
            button->EnableWindow(FALSE);
            button->RedrawWindow(nullptr, nullptr, now);
            button->EnableWindow(TRUE);
            button->RedrawWindow(nullptr, nullptr, now);
        }
    }
    return 0;
}
