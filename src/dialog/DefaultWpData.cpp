// CDefaultWpData: the When Printed variable dialog on template 288.
#include "dialog/DefaultWpData.h"

#include "engine/Names.h"
#include "platform/DataExchange.h"
#include "resources/resource.h"

CDefaultWpData::CDefaultWpData(CWnd* parent) noexcept : CDialog(IDD_WHEN_PRINTED, parent) {}

BOOL CDefaultWpData::SetDefaultList(const CStringArray& list)
{
    m_arrDefaults.Copy(list);
    return TRUE;
}

CString CDefaultWpData::BuildWpText() const { return MakeWpText(m_strPrompt.Str(), m_strDefault.Str()); }

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
