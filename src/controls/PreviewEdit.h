// CPreviewEdit: the statement preview, a read-only multi-line edit that wraps words.
//
// A statement is one line however long it is, and some edit controls (Wine's) lay out a
// wrapped line in time that grows with the square of its length: a statement of a few
// hundred kilobytes would take hours to appear. So the control is handed the text with a
// soft line break ("\r\r\n", the edit control's own mark for a wrap) wherever the line
// wraps, which every edit control lays out in linear time, while everything that reads
// the text gets exactly what was set: WM_GETTEXT, WM_GETTEXTLENGTH and copying a
// selection (WM_COPY, or Copy on the control's own menu) see no soft break.
#pragma once

#include <string>
#include <vector>

#include "platform/Edit.h"

class CPreviewEdit : public CEdit {
public:
    const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }
    static const MessageMap* StaticMessageMap();

private:
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    LRESULT OnCopy(WPARAM wParam, LPARAM lParam);
    LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);

    // Hands the control m_text with soft breaks where its lines wrap at the current width.
    LRESULT ShowWrapped();
    // Where the lines wrap: offsets into m_text before which a soft break goes.
    std::vector<int> WrapPoints();
    // The control still holds what ShowWrapped gave it (nobody replaced text since).
    bool HoldsWrappedText();
    // An index into the control's text as the index into m_text of the same character.
    int ToTextIndex(int shownIndex) const;
    void CopySelection() const;

    std::string m_text;
    std::vector<int> m_breaks;  // ascending offsets into m_text
    int m_shownLength = -1;     // length of the text given to the control; -1 none yet
    int m_wrapWidth = -1;
};
