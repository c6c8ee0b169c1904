// The module state, the module object, window-class registration and common controls.
#include "platform/WinApp.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "platform/Wnd.h"

namespace {

HINSTANCE ModuleOfThisCode()
{
    HMODULE module = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(&ModuleOfThisCode), &module);
    return module;
}

}  // namespace

CModuleState* AfxGetModuleState()
{
    static CModuleState state = [] {
        CModuleState initial;
        initial.m_hCurrentInstanceHandle = ModuleOfThisCode();
        initial.m_hCurrentResourceHandle = initial.m_hCurrentInstanceHandle;
        return initial;
    }();
    return &state;
}

HINSTANCE AfxGetInstanceHandle() { return AfxGetModuleState()->m_hCurrentInstanceHandle; }
HINSTANCE AfxGetResourceHandle() { return AfxGetModuleState()->m_hCurrentResourceHandle; }
CWinApp* AfxGetApp() { return AfxGetModuleState()->m_pCurrentWinApp; }

HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type)
{
    HINSTANCE resources = AfxGetResourceHandle();
    if (resources && ::FindResourceA(resources, name, type)) return resources;
    return AfxGetInstanceHandle();
}

CWinApp::CWinApp(const char* appName) : m_hInstance(AfxGetInstanceHandle()), m_pszAppName(appName)
{
    AfxGetModuleState()->m_pCurrentWinApp = this;
}

CWinApp::~CWinApp()
{
    CModuleState* state = AfxGetModuleState();
    if (state->m_pCurrentWinApp == this) state->m_pCurrentWinApp = nullptr;
}

void AfxInitModule(HINSTANCE instance)
{
    CModuleState* state = AfxGetModuleState();
    state->m_hCurrentInstanceHandle = instance;
    state->m_hCurrentResourceHandle = instance;
    if (state->m_pCurrentWinApp) state->m_pCurrentWinApp->m_hInstance = instance;
}

BOOL AfxInitCommonControls()
{
    static const BOOL initialised = [] {
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof controls;
        controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES;
        return ::InitCommonControlsEx(&controls);
    }();
    return initialised;
}

// The module's name is worked out once: every caller, on any thread, gets the same
// text, which nothing rewrites while a message box is showing it.
const char* AfxGetAppName()
{
    if (CWinApp* app = AfxGetApp()) {
        if (app->m_pszAppName && *app->m_pszAppName) return app->m_pszAppName;
    }
    static const std::string moduleName = [] {
        char path[MAX_PATH] = {};
        const DWORD length = ::GetModuleFileNameA(AfxGetInstanceHandle(), path, MAX_PATH);
        std::string file(path, length < MAX_PATH ? length : 0);
        const std::size_t slash = file.find_last_of("\\/");
        if (slash != std::string::npos) file.erase(0, slash + 1);
        const std::size_t dot = file.rfind('.');
        if (dot != std::string::npos && dot > 0) file.erase(dot);
        return file;
    }();
    return moduleName.c_str();
}

CString AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    HINSTANCE instance = AfxGetInstanceHandle();
    char name[96];
    AfxFormatHexName(name, sizeof name, "Quervix:",
                     {reinterpret_cast<std::uintptr_t>(instance), classStyle, reinterpret_cast<std::uintptr_t>(cursor),
                      reinterpret_cast<std::uintptr_t>(background), reinterpret_cast<std::uintptr_t>(icon)});

    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExA(instance, name, &existing)) return CString(name);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = CWnd::GetRouterProc();
    wc.hInstance = instance;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    if (!::RegisterClassExA(&wc)) return CString();
    return CString(name);
}

void AfxFormatHexName(char* out, std::size_t cap, const char* prefix, std::initializer_list<std::uintptr_t> values)
{
    if (!out || cap == 0) return;
    std::size_t length = 0;
    auto put = [&](char ch) {
        if (length + 1 < cap) out[length++] = ch;
    };
    for (const char* p = prefix; p && *p; ++p) put(*p);
    bool first = true;
    for (std::uintptr_t value : values) {
        if (!first) put(':');
        first = false;
        int shift = static_cast<int>(sizeof value * 8) - 4;
        while (shift > 0 && ((value >> shift) & 0xF) == 0) shift -= 4;
        for (; shift >= 0; shift -= 4) put("0123456789ABCDEF"[(value >> shift) & 0xF]);
    }
    out[length] = '\0';
}
