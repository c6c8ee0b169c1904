// CWnd: binding objects to windows, the router, reflection and message-map search.
#include "platform/Wnd.h"

#include <unordered_map>

#include "platform/DataExchange.h"
#include "platform/WinApp.h"

namespace {

// Property names carry this module's router address, so a host that links the same
// layer into another module never mistakes our objects for its own.
const char* PropertyName(const char* role)
{
    static char objectName[64];
    static char superName[64];
    static const bool initialised = [] {
        const auto tag = reinterpret_cast<std::uintptr_t>(CWnd::GetRouterProc());
        AfxFormatHexName(objectName, sizeof objectName, "Quervix.CWnd.", {tag});
        AfxFormatHexName(superName, sizeof superName, "Quervix.Super.", {tag});
        return true;
    }();
    (void)initialised;
    return role[0] == 'o' ? objectName : superName;
}
const char* ObjectProperty() { return PropertyName("object"); }
const char* SuperProperty() { return PropertyName("super"); }

// Handed to CreateWindowEx so WM_NCCREATE can tell our creations from anyone else's.
struct CreationCookie {
    const void* tag;
    CWnd* wnd;
};
const int kCookieTag = 0;

// The objects bound by this module, by window. Every message the router sees asks for
// its window's object; reading the window property for that is a round trip to the
// window server on some systems (Wine), which made a message cost tens of microseconds.
// The property stays, for the router's forwarding before binding and after unhooking.
class BoundObjects {
public:
    CWnd* Find(HWND hwnd)
    {
        ::AcquireSRWLockShared(&m_lock);
        auto found = m_objects.find(hwnd);
        CWnd* wnd = found == m_objects.end() ? nullptr : found->second;
        ::ReleaseSRWLockShared(&m_lock);
        return wnd;
    }
    // An entry that cannot be made (out of memory) throws with the lock released.
    void Set(HWND hwnd, CWnd* wnd)
    {
        struct Exclusive {
            explicit Exclusive(SRWLOCK& lock) : held(lock) { ::AcquireSRWLockExclusive(&held); }
            ~Exclusive() { ::ReleaseSRWLockExclusive(&held); }
            SRWLOCK& held;
        } exclusive(m_lock);
        if (wnd)
            m_objects[hwnd] = wnd;
        else
            m_objects.erase(hwnd);
    }

private:
    SRWLOCK m_lock = SRWLOCK_INIT;
    std::unordered_map<HWND, CWnd*> m_objects;
};

BoundObjects& Bound()
{
    static BoundObjects objects;
    return objects;
}

WNDPROC CurrentProc(HWND hwnd)
{
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
}

}  // namespace

CWnd::~CWnd()
{
    if (!m_hWnd) return;
    HWND hwnd = m_hWnd;
    bool owns = m_ownsWindow;
    // Unbind first: a half-destroyed object must not receive the destruction messages.
    Unbind();
    if (owns && ::IsWindow(hwnd)) ::DestroyWindow(hwnd);
}

const MessageMap* CWnd::StaticMessageMap()
{
    static const MessageMap map(nullptr);
    return &map;
}

const MessageMap* CWnd::GetMessageMap() const { return StaticMessageMap(); }
void CWnd::DoDataExchange(CDataExchange*) {}
void CWnd::PreSubclassWindow() {}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg && m_toolTips.enabled) FilterToolTipMessage(*pMsg);
    return FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_superProc) return ::CallWindowProcA(m_superProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

INT_PTR CWnd::OnToolHitTest(CPoint, TOOLINFO*) const { return -1; }

CWnd* CWnd::FromHandlePermanent(HWND hwnd) noexcept
{
    if (!hwnd) return nullptr;
    return Bound().Find(hwnd);
}

WNDPROC CWnd::GetRouterProc() noexcept { return &CWnd::RouteMessage; }

// The table entry comes first: when it cannot be made (out of memory) nothing has
// changed yet, neither the object nor the window.
void CWnd::Attach(HWND hwnd, WNDPROC superProc)
{
    Bound().Set(hwnd, this);
    m_hWnd = hwnd;
    m_superProc = superProc;
    ::SetPropA(hwnd, ObjectProperty(), this);
    ::SetPropA(hwnd, SuperProperty(), reinterpret_cast<HANDLE>(superProc));
}

void CWnd::Unbind()
{
    HWND hwnd = m_hWnd;
    if (!hwnd) return;
    if (m_toolTips.tip && ::IsWindow(m_toolTips.tip)) ::DestroyWindow(m_toolTips.tip);
    m_toolTips = ToolTipState();
    // Someone who subclassed after us still calls our router: the super property stays
    // then, so the router keeps forwarding to the original procedure without us.
    if (CurrentProc(hwnd) == &CWnd::RouteMessage) {
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
        ::RemovePropA(hwnd, SuperProperty());
    }
    ::RemovePropA(hwnd, ObjectProperty());
    Bound().Set(hwnd, nullptr);
    m_hWnd = nullptr;
    m_superProc = nullptr;
    m_ownsWindow = false;
}

// Called from the system's frames, which no C++ exception may unwind: the handlers' own
// are caught in Dispatch; a window whose object cannot be bound at WM_NCCREATE answers
// FALSE, so its creation fails and CreateEx reports it.
LRESULT CALLBACK CWnd::RouteMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    try {
        return Route(hwnd, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

LRESULT CWnd::Route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (!wnd && message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* cookie = static_cast<CreationCookie*>(create ? create->lpCreateParams : nullptr);
        if (cookie && cookie->tag == &kCookieTag && !cookie->wnd->m_hWnd) {
            wnd = cookie->wnd;
            wnd->Attach(hwnd, &::DefWindowProcA);
            wnd->m_ownsWindow = true;
        }
    }
    if (wnd) return wnd->Dispatch(message, wParam, lParam);

    // Before binding, or after an unsubclass that could not unhook: default processing.
    auto super = reinterpret_cast<WNDPROC>(::GetPropA(hwnd, SuperProperty()));
    if (message == WM_NCDESTROY) ::RemovePropA(hwnd, SuperProperty());
    if (super) return ::CallWindowProcA(super, hwnd, message, wParam, lParam);
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY) {
        HWND hwnd = m_hWnd;
        WNDPROC super = m_superProc;
        Unbind();
        return super ? ::CallWindowProcA(super, hwnd, message, wParam, lParam)
                     : ::DefWindowProcA(hwnd, message, wParam, lParam);
    }
    CurrentMessage saved = m_current;
    m_current = CurrentMessage{message, wParam, lParam};
    LRESULT result = 0;
    // A C++ exception must not unwind through the system's frames into the host: the
    // message counts as handled, and the dialog goes on.
    try {
        result = WindowProc(message, wParam, lParam);
    } catch (...) {
        result = 0;
    }
    m_current = saved;
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, result)) return result;
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

// Which child object a notification of this parent concerns: the control that sent a
// WM_COMMAND notification or WM_NOTIFY, or that is to be drawn, measured or coloured.
CWnd* CWnd::ReflectionTarget(UINT message, LPARAM lParam) const
{
    HWND child = nullptr;
    switch (message) {
    case WM_COMMAND:
        child = reinterpret_cast<HWND>(lParam);
        break;
    case WM_NOTIFY:
        if (lParam) child = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
        break;
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item && item->CtlType != ODT_MENU) child = item->hwndItem;
        break;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        if (item && item->CtlType != ODT_MENU) child = ::GetDlgItem(m_hWnd, static_cast<int>(item->CtlID));
        break;
    }
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) child = reinterpret_cast<HWND>(lParam);
        break;
    }
    if (!child || child == m_hWnd) return nullptr;
    return FromHandlePermanent(child);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (CWnd* child = ReflectionTarget(message, lParam)) {
        if (child->SearchMap(true, message, wParam, lParam, result)) return TRUE;
    }
    return SearchMap(false, message, wParam, lParam, result);
}

namespace {

bool Matches(const MessageEntry& entry, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (entry.kind) {
    case MessageEntry::Kind::Message:
        return entry.message == message;
    case MessageEntry::Kind::CtlColor:
        return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
    case MessageEntry::Kind::Registered:
        return entry.registered && *entry.registered != 0 && *entry.registered == message;
    case MessageEntry::Kind::Command: {
        if (message != WM_COMMAND || HIWORD(wParam) != entry.code) return false;
        UINT id = LOWORD(wParam);
        return id >= entry.idFirst && id <= entry.idLast;
    }
    case MessageEntry::Kind::Notify: {
        if (message != WM_NOTIFY || !lParam) return false;
        auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code != entry.code) return false;
        UINT_PTR id = header->idFrom;
        return id >= entry.idFirst && id <= entry.idLast;
    }
    }
    return false;
}

}  // namespace

BOOL CWnd::SearchMap(bool reflected, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (std::size_t i = 0; i < map->count; ++i) {
            const MessageEntry& entry = map->entries[i];
            if (entry.reflected != reflected || !Matches(entry, message, wParam, lParam)) continue;
            if (entry.invoke(*this, message, wParam, lParam, result)) return TRUE;
        }
    }
    return FALSE;
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, const RECT& rect,
                    HWND parent, UINT id)
{
    if (m_hWnd || !className) return FALSE;
    CreationCookie cookie{&kCookieTag, this};
    // A child window's menu handle is its id; popups have none.
    HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    HWND hwnd = ::CreateWindowExA(exStyle, className, windowName ? windowName : "", style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent, menu,
                                  AfxGetInstanceHandle(), &cookie);
    if (!hwnd) return FALSE;
    if (m_hWnd == hwnd) return TRUE;  // bound at WM_NCCREATE
    if (!SubclassWindow(hwnd)) {
        ::DestroyWindow(hwnd);
        return FALSE;
    }
    m_ownsWindow = true;
    return TRUE;
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    if (m_hWnd || !hwnd || !::IsWindow(hwnd) || FromHandlePermanent(hwnd)) return FALSE;
    m_hWnd = hwnd;
    try {
        PreSubclassWindow();
        if (m_hWnd != hwnd) return FALSE;
        BindAndSubclass(hwnd, false);
    } catch (...) {
        // Not bound: the window keeps its procedure and the object stays free.
        m_hWnd = nullptr;
        throw;
    }
    return TRUE;
}

void CWnd::BindAndSubclass(HWND hwnd, bool ownsWindow)
{
    WNDPROC super = CurrentProc(hwnd);
    Attach(hwnd, super);
    m_ownsWindow = ownsWindow;
    ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::RouteMessage));
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    if (!parent || !parent->m_hWnd) return FALSE;
    HWND control = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
    return control ? SubclassWindow(control) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    HWND hwnd = m_hWnd;
    Unbind();
    return hwnd;
}

BOOL CWnd::UpdateData(BOOL saveAndValidate)
{
    if (!m_hWnd) return FALSE;
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return exchange.Failed() ? FALSE : TRUE;
}
