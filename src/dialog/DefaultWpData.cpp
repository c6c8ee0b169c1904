// CDefaultWpData: the When Printed variable dialog on template 288.
#include "dialog/DefaultWpData.h"

#include <algorithm>

#include "dialog/QueryFormState.h"
#include "platform/DataExchange.h"
#include "resources/resource.h"

namespace {

// The template places the question at its owner's top-left corner, over the query
// builder's caption. A modal dialog is expected in the middle of the window that waits
// for it (or of the work area when nothing does), and wholly on that monitor.
void CentreOverOwner(HWND dialog)
{
    RECT self{};
    if (!::GetWindowRect(dialog, &self)) return;
    HWND owner = ::GetWindow(dialog, GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!::GetMonitorInfoA(::MonitorFromWindow(owner ? owner : dialog, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    RECT around = monitor.rcWork;
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) ::GetWindowRect(owner, &around);
    const LONG width = self.right - self.left, height = self.bottom - self.top;
    const RECT& work = monitor.rcWork;
    const LONG x = std::max(work.left, std::min(around.left + (around.right - around.left - width) / 2, work.right - width));
    const LONG y = std::max(work.top, std::min(around.top + (around.bottom - around.top - height) / 2, work.bottom - height));
    ::SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

CDefaultWpData::CDefaultWpData(CWnd* parent) noexcept : CDialog(IDD_WHEN_PRINTED, parent) {}

BOOL CDefaultWpData::SetDefaultList(const CStringArray& list)
{
    m_arrDefaults.Copy(list);
    return TRUE;
}

CString CDefaultWpData::BuildWpText() const { return CQueryFormState::MakeWpText(m_strPrompt, m_strDefault); }

void CDefaultWpData::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_WP_PROMPT, m_strPrompt);
    DDX_CBString(pDX, IDC_WP_DEFAULT, m_strDefault);
    DDX_Control(pDX, IDC_WP_DEFAULT, m_cboDefault);
}

// Whatever an earlier run on this object entered is forgotten before the controls are
// loaded. Answering TRUE leaves the focus where the platform puts it: on OK, the first
// control in the template's tab order.
BOOL CDefaultWpData::OnInitDialog()
{
    m_strPrompt.Empty();
    m_strDefault.Empty();
    m_strResult.Empty();
    if (!CDialog::OnInitDialog()) return FALSE;
    for (int i = 0; i < m_arrDefaults.GetSize(); ++i) m_cboDefault.AddString(m_arrDefaults[i]);
    m_cboDefault.SetCurSel(0);
    CentreOverOwner(GetSafeHwnd());
    return TRUE;
}

// The text is built from what the controls hold now; an exchange that failed leaves the
// members as they were, which is still a text the caller can use.
void CDefaultWpData::OnOK()
{
    UpdateData(TRUE);
    m_strResult = BuildWpText();
    CDialog::OnOK();
}
