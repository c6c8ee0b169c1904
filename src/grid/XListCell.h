// CXListCell: what the grid keeps about one cell beyond its text. Each row owns an array
// of these, one per column that existed when the row was inserted.
#pragma once

#include <windows.h>

#include "platform/CString.h"
#include "platform/StringArray.h"

struct CXListCell {
    BOOL bRowEnabled = TRUE;    // read from a row's first record only
    BOOL bBoldText = FALSE;
    int nImageIndex = -1;       // into the small-icon image list; -1 none
    CString strTipText;         // empty: no tip
    BOOL bHasCombo = FALSE;     // the cell offers a drop-down list
    BOOL bComboPressed = FALSE;
    CStringArray* pComboStrings = nullptr;  // lent by the caller, never freed here
    int nComboRows = 10;
    int nComboInitSel = 0;      // the choice written into an empty cell
    COLORREF crTextColor = ::GetSysColor(COLOR_WINDOWTEXT);
    COLORREF crBackColor = ::GetSysColor(COLOR_WINDOW);
    BOOL bProgressBar = FALSE;
    int nPercent = 0;
    CString strPercentFormat;
    BOOL bPercentText = TRUE;
    int nCheckState = -1;       // -1 no check box, 0 unchecked, 1 checked
    DWORD dwUserData = 0;       // read and written on a row's first record only
};
