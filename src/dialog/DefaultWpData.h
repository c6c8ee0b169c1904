// CDefaultWpData: the "When Printed variable" dialog, which asks for a user prompt and a
// default value and turns them into the When Printed text «{'prompt'|'default'}».
#pragma once

#include <windows.h>

#include "platform/ComboBox.h"
#include "platform/Dialog.h"
#include "platform/StringArray.h"

// One local object per question: SetDefaultList, DoModal, and on IDOK GetResult. A run
// always starts with an empty prompt and the first choice (in sorted order) selected.
class CDefaultWpData : public CDialog {
public:
    explicit CDefaultWpData(CWnd* parent = nullptr) noexcept;

    // The choices of the default value, in any order (the combo sorts them).
    BOOL SetDefaultList(const CStringArray& list);
    // The When Printed text after OK; empty otherwise.
    const CString& GetResult() const noexcept { return m_strResult; }
    // «{'m_strPrompt'|'m_strDefault'}», nothing escaped or trimmed.
    CString BuildWpText() const;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    CString m_strPrompt;    // the edit 2260 "User Prompt"
    CString m_strDefault;   // the selected choice of the combo 2279 "Default value"
    CComboBox m_cboDefault;
    CString m_strResult;
    CStringArray m_arrDefaults;
};
