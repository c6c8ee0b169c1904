// CTextlessCheckBox: a check box without text (the query builder's clause boxes) that shows
// the keyboard focus. A check box draws its focus around its text, so one without text
// shows none; this one is a few pixels larger than its template says, all of it a frame
// around the box that is drawn as a focus rectangle while the box has the keyboard.
#pragma once

#include <windows.h>

#include "platform/Button.h"

// Attach with SubclassDlgItem (this class's): the box stays where the template puts it and
// the frame grows around it.
class CTextlessCheckBox : public CButton {
public:
    const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }
    static const MessageMap* StaticMessageMap();

    BOOL SubclassDlgItem(UINT id, CWnd* parent);

private:
    LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
    void OnNcPaint();
    // Focus changes and keyboard cues shown or hidden.
    LRESULT OnFocusChange(WPARAM wParam, LPARAM lParam);

    int m_nFrame = 0;  // width of the frame on each side, in pixels
};
