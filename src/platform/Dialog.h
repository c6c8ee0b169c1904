// CDialog: a modal dialog from a template resource, run by a message loop of its own,
// and AfxMessageBox.
//
// Virtual functions CDialog adds after CWnd's seven (Wnd.h), in slot order; hosts mirror
// them, and a derived dialog's own additions follow them:
//   8. INT_PTR DoModal()
//   9. BOOL OnInitDialog()
//  10. void OnOK()
//  11. void OnCancel()
#pragma once

#include <windows.h>

#include "platform/Wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr) noexcept
        : m_nIDTemplate(templateId), m_pParentWnd(parent)
    {
    }

    const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }
    static const MessageMap* StaticMessageMap();

    // Creates the dialog from template m_nIDTemplate of AfxGetResourceHandle(), disables
    // the owner (the parent's top-level window, else this thread's active window), runs
    // the loop until EndDialog and destroys the window. Answers EndDialog's value, or -1
    // when the template is missing, the window cannot be created, the dialog is already
    // running, or WM_QUIT ended the loop (the quit message is posted again).
    virtual INT_PTR DoModal();
    // The base moves member values into the controls (UpdateData(FALSE)) and answers TRUE
    // so the platform gives the focus to the first control in tab order.
    virtual BOOL OnInitDialog();
    // OK button or Enter: UpdateData(TRUE), then EndDialog(IDOK); a failed exchange keeps
    // the dialog open.
    virtual void OnOK();
    // Cancel button, Escape or the close box: EndDialog(IDCANCEL).
    virtual void OnCancel();

    // Ends the modal loop once the current message has been handled.
    void EndDialog(int result);

protected:
    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK InitProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL Initialise(HWND hwnd) noexcept;
    static void CentreIfNotPlaced(HWND dialog);
    HWND ModalOwner() const;
    INT_PTR RunModalLoop(HWND dialog, bool& quit);
    bool PreTranslateFailSafe(MSG& msg) noexcept;
    bool PreTranslateInLoop(MSG& msg);
    void HandleOK() { OnOK(); }
    void HandleCancel() { OnCancel(); }

    bool m_running = false;
    bool m_endRequested = false;
    INT_PTR m_result = -1;
};

// A message box owned by this thread's active window (the running dialog), captioned
// with the application name.
int AfxMessageBox(const char* text, UINT type = MB_OK);
