// Message maps: per-class tables of "this message / notification / control id -> this
// member function", searched by CWnd's router in the class's table, then its base's.
//
// A class with a map declares
//     const MessageMap* GetMessageMap() const override { return StaticMessageMap(); }
//     static const MessageMap* StaticMessageMap();
// and defines the table with the typed entry makers of namespace msgmap:
//     const MessageMap* CMyDlg::StaticMessageMap()
//     {
//         static const MessageEntry entries[] = {
//             msgmap::Command<&CMyDlg::OnAdd>(BN_CLICKED, 1016),
//             msgmap::Notify<&CMyDlg::OnDblClk>(NM_DBLCLK, 1008),
//             msgmap::Registered<&CMyDlg::OnComboSelection>(g_wmComboSelection),
//         };
//         static const MessageMap map(&CDialog::StaticMessageMap, entries);
//         return &map;
//     }
// Each maker checks the handler's signature at compile time; the handler may be private.
// The first entry that matches handles the message; a handler that wants the default
// processing as well calls CWnd::Default() (before or after its own work).
#pragma once

#include <windows.h>

#include <cstddef>
#include <type_traits>

#include "platform/Geometry.h"

class CWnd;

// Calls one handler: true when the message counts as handled (result is then the answer).
using MessageInvoker = bool (*)(CWnd& target, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

struct MessageEntry {
    enum class Kind : unsigned char {
        Message,     // one window message
        CtlColor,    // any WM_CTLCOLOR* message
        Command,     // WM_COMMAND with a notification code and a control id range
        Notify,      // WM_NOTIFY with a notification code and a control id range
        Registered,  // a message number obtained at load time from RegisterWindowMessage
    };
    Kind kind;
    bool reflected;         // offered to the child control that sent it, not to the parent
    UINT message;           // Message
    UINT code;              // Command, Notify
    UINT idFirst, idLast;   // Command, Notify (inclusive)
    const UINT* registered; // Registered: the variable filled at load
    MessageInvoker invoke;
};

// One class's table and the function giving the base class's map (null for the root). The base
// is named by its function, not asked for, so that every map is a constant: nothing runs, and
// nothing needs guarding, the first time two threads open dialogs at once.
struct MessageMap {
    using BaseMap = const MessageMap* (*)();

    template <std::size_t N>
    constexpr MessageMap(BaseMap baseMap, const MessageEntry (&table)[N]) noexcept
        : base(baseMap), entries(table), count(N)
    {
    }
    constexpr explicit MessageMap(BaseMap baseMap) noexcept : base(baseMap), entries(nullptr), count(0) {}

    BaseMap base;
    const MessageEntry* entries;
    std::size_t count;
};

namespace msgmap {

constexpr UINT kAnyId = 0xFFFFFFFF;  // as the upper bound of an id range: every id (tool ids too)

namespace detail {

template <class F> struct Member;
template <class C, class R, class... A> struct Member<R (C::*)(A...)> {
    using Class = C;
    using Result = R;
};

template <auto H> using ClassOf = typename Member<decltype(H)>::Class;

template <auto H, class Signature> constexpr bool kHas = std::is_same_v<decltype(H), Signature ClassOf<H>::*>;

template <auto H> auto& Target(CWnd& wnd) { return static_cast<ClassOf<H>&>(wnd); }

// LRESULT (WPARAM, LPARAM)
template <auto H> bool InvokeRaw(CWnd& w, UINT, WPARAM wp, LPARAM lp, LRESULT& result)
{
    result = (Target<H>(w).*H)(wp, lp);
    return true;
}
// void ()
template <auto H> bool InvokeVoid(CWnd& w, UINT, WPARAM, LPARAM, LRESULT& result)
{
    (Target<H>(w).*H)();
    result = 0;
    return true;
}
// void (UINT keyFlags, CPoint clientPoint)
template <auto H> bool InvokeMouse(CWnd& w, UINT, WPARAM wp, LPARAM lp, LRESULT& result)
{
    (Target<H>(w).*H)(static_cast<UINT>(wp), CPoint::FromLParam(lp));
    result = 0;
    return true;
}
// void (UINT_PTR timerId)
template <auto H> bool InvokeTimer(CWnd& w, UINT, WPARAM wp, LPARAM, LRESULT& result)
{
    (Target<H>(w).*H)(static_cast<UINT_PTR>(wp));
    result = 0;
    return true;
}
// HBRUSH (HDC, HWND control, UINT CTLCOLOR_* code)
template <auto H> bool InvokeCtlColor(CWnd& w, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    HBRUSH brush = (Target<H>(w).*H)(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), msg - WM_CTLCOLORMSGBOX);
    result = reinterpret_cast<LRESULT>(brush);
    return true;
}
// Reflected: HBRUSH (HDC, UINT CTLCOLOR_* code); a null brush leaves the message to the parent.
template <auto H> bool InvokeReflectedCtlColor(CWnd& w, UINT msg, WPARAM wp, LPARAM, LRESULT& result)
{
    HBRUSH brush = (Target<H>(w).*H)(reinterpret_cast<HDC>(wp), msg - WM_CTLCOLORMSGBOX);
    result = reinterpret_cast<LRESULT>(brush);
    return brush != nullptr;
}
// void (NMHDR*, LRESULT*) handles; BOOL (NMHDR*, LRESULT*) handles when it returns TRUE.
template <auto H> bool InvokeNotify(CWnd& w, UINT, WPARAM, LPARAM lp, LRESULT& result)
{
    result = 0;
    auto* header = reinterpret_cast<NMHDR*>(lp);
    if constexpr (std::is_same_v<typename Member<decltype(H)>::Result, void>) {
        (Target<H>(w).*H)(header, &result);
        return true;
    } else {
        return (Target<H>(w).*H)(header, &result) != FALSE;
    }
}
// BOOL (UINT id, NMHDR*, LRESULT*): handles when it returns TRUE.
template <auto H> bool InvokeNotifyRange(CWnd& w, UINT, WPARAM, LPARAM lp, LRESULT& result)
{
    result = 0;
    auto* header = reinterpret_cast<NMHDR*>(lp);
    return (Target<H>(w).*H)(static_cast<UINT>(header->idFrom), header, &result) != FALSE;
}
// void (DRAWITEMSTRUCT*) / void (MEASUREITEMSTRUCT*): owner-draw requests answer TRUE.
template <auto H, class S> bool InvokeOwnerDraw(CWnd& w, UINT, WPARAM, LPARAM lp, LRESULT& result)
{
    (Target<H>(w).*H)(reinterpret_cast<S*>(lp));
    result = TRUE;
    return true;
}

constexpr MessageEntry Make(MessageEntry::Kind kind, bool reflected, UINT message, UINT code, UINT first, UINT last,
                            const UINT* registered, MessageInvoker invoke)
{
    return MessageEntry{kind, reflected, message, code, first, last, registered, invoke};
}

}  // namespace detail

// Any message, raw: LRESULT Handler(WPARAM, LPARAM).
template <auto H> constexpr MessageEntry Message(UINT message)
{
    static_assert(detail::kHas<H, LRESULT(WPARAM, LPARAM)>, "handler must be LRESULT (WPARAM, LPARAM)");
    return detail::Make(MessageEntry::Kind::Message, false, message, 0, 0, 0, nullptr, &detail::InvokeRaw<H>);
}
// A message whose arguments are not needed (WM_PAINT, WM_DESTROY...): void Handler(); result 0.
template <auto H> constexpr MessageEntry Simple(UINT message)
{
    static_assert(detail::kHas<H, void()>, "handler must be void ()");
    return detail::Make(MessageEntry::Kind::Message, false, message, 0, 0, 0, nullptr, &detail::InvokeVoid<H>);
}
// Client-area mouse messages: void Handler(UINT keyFlags, CPoint point); result 0.
template <auto H> constexpr MessageEntry Mouse(UINT message)
{
    static_assert(detail::kHas<H, void(UINT, CPoint)>, "handler must be void (UINT, CPoint)");
    return detail::Make(MessageEntry::Kind::Message, false, message, 0, 0, 0, nullptr, &detail::InvokeMouse<H>);
}
// WM_TIMER: void Handler(UINT_PTR id).
template <auto H> constexpr MessageEntry Timer()
{
    static_assert(detail::kHas<H, void(UINT_PTR)>, "handler must be void (UINT_PTR)");
    return detail::Make(MessageEntry::Kind::Message, false, WM_TIMER, 0, 0, 0, nullptr, &detail::InvokeTimer<H>);
}
// Every WM_CTLCOLOR*: HBRUSH Handler(HDC, HWND control, UINT ctlColor), ctlColor a CTLCOLOR_* code.
template <auto H> constexpr MessageEntry CtlColor()
{
    static_assert(detail::kHas<H, HBRUSH(HDC, HWND, UINT)>, "handler must be HBRUSH (HDC, HWND, UINT)");
    return detail::Make(MessageEntry::Kind::CtlColor, false, 0, 0, 0, 0, nullptr, &detail::InvokeCtlColor<H>);
}
// WM_COMMAND from control id (or ids first..last) with this notification code: void Handler().
template <auto H> constexpr MessageEntry Command(UINT code, UINT id, UINT lastId = 0)
{
    static_assert(detail::kHas<H, void()>, "handler must be void ()");
    return detail::Make(MessageEntry::Kind::Command, false, WM_COMMAND, code, id, lastId ? lastId : id, nullptr,
                        &detail::InvokeVoid<H>);
}
// WM_NOTIFY from control id with this code: void Handler(NMHDR*, LRESULT* result).
template <auto H> constexpr MessageEntry Notify(UINT code, UINT id)
{
    static_assert(detail::kHas<H, void(NMHDR*, LRESULT*)>, "handler must be void (NMHDR*, LRESULT*)");
    return detail::Make(MessageEntry::Kind::Notify, false, WM_NOTIFY, code, id, id, nullptr, &detail::InvokeNotify<H>);
}
// WM_NOTIFY with this code from ids first..last (tool tips use tool ids here):
// BOOL Handler(UINT id, NMHDR*, LRESULT*); FALSE lets later entries and the default see it.
template <auto H> constexpr MessageEntry NotifyRange(UINT code, UINT first, UINT last)
{
    static_assert(detail::kHas<H, BOOL(UINT, NMHDR*, LRESULT*)>, "handler must be BOOL (UINT, NMHDR*, LRESULT*)");
    return detail::Make(MessageEntry::Kind::Notify, false, WM_NOTIFY, code, first, last, nullptr,
                        &detail::InvokeNotifyRange<H>);
}
// A registered message, keyed by the variable that holds its number: LRESULT Handler(WPARAM, LPARAM).
template <auto H> constexpr MessageEntry Registered(const UINT& message)
{
    static_assert(detail::kHas<H, LRESULT(WPARAM, LPARAM)>, "handler must be LRESULT (WPARAM, LPARAM)");
    return detail::Make(MessageEntry::Kind::Registered, false, 0, 0, 0, 0, &message, &detail::InvokeRaw<H>);
}

// Reflected entries live in a control's own map and see what the control sent its parent.
// WM_COMMAND notification: void Handler(); consumed (the parent does not see it).
template <auto H> constexpr MessageEntry ReflectCommand(UINT code)
{
    static_assert(detail::kHas<H, void()>, "handler must be void ()");
    return detail::Make(MessageEntry::Kind::Command, true, WM_COMMAND, code, 0, kAnyId, nullptr, &detail::InvokeVoid<H>);
}
// WM_NOTIFY: void Handler(NMHDR*, LRESULT*) consumes it; BOOL Handler(NMHDR*, LRESULT*)
// consumes it only when it returns TRUE, else the parent is notified as well.
template <auto H> constexpr MessageEntry ReflectNotify(UINT code)
{
    static_assert(detail::kHas<H, void(NMHDR*, LRESULT*)> || detail::kHas<H, BOOL(NMHDR*, LRESULT*)>,
                  "handler must be void (NMHDR*, LRESULT*) or BOOL (NMHDR*, LRESULT*)");
    return detail::Make(MessageEntry::Kind::Notify, true, WM_NOTIFY, code, 0, kAnyId, nullptr, &detail::InvokeNotify<H>);
}
// WM_DRAWITEM for this control: void Handler(DRAWITEMSTRUCT*).
template <auto H> constexpr MessageEntry ReflectDrawItem()
{
    static_assert(detail::kHas<H, void(DRAWITEMSTRUCT*)>, "handler must be void (DRAWITEMSTRUCT*)");
    return detail::Make(MessageEntry::Kind::Message, true, WM_DRAWITEM, 0, 0, 0, nullptr,
                        &detail::InvokeOwnerDraw<H, DRAWITEMSTRUCT>);
}
// WM_MEASUREITEM for this control: void Handler(MEASUREITEMSTRUCT*).
template <auto H> constexpr MessageEntry ReflectMeasureItem()
{
    static_assert(detail::kHas<H, void(MEASUREITEMSTRUCT*)>, "handler must be void (MEASUREITEMSTRUCT*)");
    return detail::Make(MessageEntry::Kind::Message, true, WM_MEASUREITEM, 0, 0, 0, nullptr,
                        &detail::InvokeOwnerDraw<H, MEASUREITEMSTRUCT>);
}
// WM_CTLCOLOR* for this control: HBRUSH Handler(HDC, UINT ctlColor); null leaves it to the parent.
template <auto H> constexpr MessageEntry ReflectCtlColor()
{
    static_assert(detail::kHas<H, HBRUSH(HDC, UINT)>, "handler must be HBRUSH (HDC, UINT)");
    return detail::Make(MessageEntry::Kind::CtlColor, true, 0, 0, 0, 0, nullptr, &detail::InvokeReflectedCtlColor<H>);
}

}  // namespace msgmap
