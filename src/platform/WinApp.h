// The module object (CWinApp), the module state with its instance and resource handles,
// and the set-up and tear-down calls the DLL's entry point makes.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "platform/CString.h"

class CWinApp;

// Where dialog templates and icons are looked up (m_hCurrentResourceHandle, which a
// dialog's DoModal may switch for its run) and which module owns our window classes.
// Both start as the module that contains this code.
struct CModuleState {
    HINSTANCE m_hCurrentInstanceHandle = nullptr;
    HINSTANCE m_hCurrentResourceHandle = nullptr;
    CWinApp* m_pCurrentWinApp = nullptr;
};

CModuleState* AfxGetModuleState();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
CWinApp* AfxGetApp();
// The module that holds a resource (e.g. a group icon, RT_GROUP_ICON): the current
// resource handle when it has it, else the module's own instance.
HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type);

// One per module, constructed as a global. Without a name, message boxes are captioned
// with the module's file name without its extension.
class CWinApp {
public:
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    HINSTANCE m_hInstance = nullptr;
    const char* m_pszAppName = nullptr;
};

// For DllMain at DLL_PROCESS_ATTACH: records the DLL's handle as the instance and resource
// handle of the module state and of the module object.
void AfxInitModule(HINSTANCE instance);

// Registers (once) a window class whose windows CWnd::CreateEx binds from WM_NCCREATE,
// for popups such as drop-down lists, and returns its name. Classes live in the module
// of AfxGetInstanceHandle() for as long as the process runs.
CString AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                            HICON icon = nullptr);

// Registers the common-control classes the library uses (list view, header, tool tips).
// Cheap after the first call; CDialog::DoModal and EnableToolTips call it themselves.
BOOL AfxInitCommonControls();

// The caption AfxMessageBox uses: the application name, or the module's file name.
const char* AfxGetAppName();

// Writes prefix followed by the values in hexadecimal, separated by ':', cut to fit cap: the
// names of our window classes and properties, unique per module and object. Hand-written so
// that the DLL does not carry the C runtime's printf machinery for three names.
void AfxFormatHexName(char* out, std::size_t cap, const char* prefix, std::initializer_list<std::uintptr_t> values);
