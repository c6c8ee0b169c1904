// CDataExchange and the DDX_ functions that bind controls to members and move text
// between them (UpdateData).
#pragma once

#include <windows.h>

#include "platform/CString.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) noexcept
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate)
    {
    }
    // Marks the exchange as failed (a control is missing); UpdateData then answers FALSE.
    void Fail() noexcept { m_bFailed = true; }
    bool Failed() const noexcept { return m_bFailed; }

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;  // TRUE: controls to members

private:
    bool m_bFailed = false;
};

// Subclasses dialog control id with the object, once (later exchanges leave it bound).
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// The control's window text <-> value.
void DDX_Text(CDataExchange* pDX, int id, CString& value);
// A combo box's current text <-> value. Loading a drop-down list selects the item whose
// text equals value (no item matches: no selection); other combos get value as text.
void DDX_CBString(CDataExchange* pDX, int id, CString& value);
