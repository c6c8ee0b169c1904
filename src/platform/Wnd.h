// CWnd: a C++ object bound to one window, whose messages reach handlers through the
// class's message map (MessageMap.h). One router serves every bound window.
//
// Virtual functions of CWnd, in slot order. Hosts mirror these slots through the DLL's
// public header, so the list is fixed: never reorder, insert or remove.
//   1. ~CWnd()                                   (GCC emits two entries here)
//   2. const MessageMap* GetMessageMap() const
//   3. void DoDataExchange(CDataExchange*)
//   4. void PreSubclassWindow()
//   5. BOOL PreTranslateMessage(MSG*)
//   6. LRESULT DefWindowProc(UINT, WPARAM, LPARAM)
//   7. INT_PTR OnToolHitTest(CPoint, TOOLINFO*) const
// CDialog (Dialog.h) continues the list.
//
// Binding: the object pointer is stored as a window property when the window is created
// by CreateEx or subclassed. Messages that arrive before that go to default processing.
// At WM_NCDESTROY (which no map sees) the property is removed, the original window
// procedure is put back, and the object forgets the handle. A window created by CreateEx is destroyed with its
// object; a subclassed one is only given back its procedure.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/MessageMap.h"
#include "platform/Window.h"

class CDataExchange;

class CWnd : public CWindow {
public:
    CWnd() noexcept = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    virtual ~CWnd();
    virtual const MessageMap* GetMessageMap() const;
    // Binds controls and moves data between members and controls (UpdateData).
    virtual void DoDataExchange(CDataExchange* pDX);
    // Called after the object is bound to an existing window and before its messages
    // are routed here, so a control can adjust styles it was created with.
    virtual void PreSubclassWindow();
    // Offered every message of the modal loop that is meant for this window or one of its
    // children, before dispatch; TRUE swallows it. The base feeds the window's tool tips.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // What happens to a message no map entry handled: the original window procedure.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Which tool (if any) lies at a client point, for EnableToolTips: fill *pTI (hwnd,
    // uId, rect, lpszText; the text may be LPSTR_TEXTCALLBACK) and return a non-negative
    // hit code, or return -1 for none. The base has no tools.
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;

    static const MessageMap* StaticMessageMap();
    // The object bound to hwnd by this module, or null.
    static CWnd* FromHandlePermanent(HWND hwnd) noexcept;
    // The router, for window classes whose windows CreateEx binds at WM_NCCREATE.
    static WNDPROC GetRouterProc() noexcept;

    // Creates a window and binds it. With a class from AfxRegisterWndClass the object sees
    // WM_NCCREATE and WM_CREATE; a system class (list box, tool tip) is subclassed right
    // after creation. FALSE when the object already has a window or creation fails.
    BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, const RECT& rect,
                  HWND parent, UINT id);
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    // Gives the window back its original procedure and forgets it; returns the handle.
    HWND UnsubclassWindow();

    // TRUE: controls to members (DoDataExchange with saving); FALSE: members to controls.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // Shows tips for the tools OnToolHitTest reports, through a tool-tip control owned by
    // this window (made at the first mouse message) and fed with the mouse messages that
    // PreTranslateMessage sees. The tip text is asked of the tool's window with
    // TTN_NEEDTEXTA / TTN_NEEDTEXTW notifications.
    void EnableToolTips(BOOL enable = TRUE);
    HWND GetToolTipWindow() const noexcept { return m_toolTips.tip; }

protected:
    // Processes the message being handled as if no handler existed (DefWindowProc).
    LRESULT Default();
    // Map search and reflection; TRUE when a handler answered.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Binds to a window whose procedure is already the router's caller (a dialog being
    // initialised): stores the pointer and installs the router in front of its procedure.
    void BindAndSubclass(HWND hwnd, bool ownsWindow);
    void SetOwnsWindow(bool owns) noexcept { m_ownsWindow = owns; }

private:
    struct CurrentMessage {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };
    struct ToolTipState {
        HWND tip = nullptr;
        bool enabled = false;
        bool toolAdded = false;
        INT_PTR lastHit = -1;
        HWND toolWindow = nullptr;
        UINT_PTR toolId = 0;
    };

    static LRESULT CALLBACK RouteMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT Route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void Attach(HWND hwnd, WNDPROC superProc);
    void Unbind();
    CWnd* ReflectionTarget(UINT message, LPARAM lParam) const;
    BOOL SearchMap(bool reflected, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void FilterToolTipMessage(const MSG& msg);
    bool CreateToolTipControl();
    void RemoveCurrentTool();

    WNDPROC m_superProc = nullptr;
    bool m_ownsWindow = false;
    CurrentMessage m_current;
    ToolTipState m_toolTips;
};
