// The one CQuervixApp and the DLL's entry point, which sets up what every call needs
// before the host can make one.
#include "module/QuervixApp.h"

#include <windows.h>

#include "grid/RegisteredMessages.h"

namespace {
// Constructed before DllMain runs, without an application name, so message boxes are
// captioned with the module's name.
CQuervixApp theApp;

// Once loaded, the library stays loaded until the process ends, whatever the host's
// FreeLibrary calls. The C++ runtime linked into it keeps a TLS slot, kernel objects and
// heap blocks for the life of the module and releases none of them on unload; a host
// that loads the library only while the user builds a query would lose them with every
// load (and the process has only about a thousand TLS slots). Pinned, its later loads
// and frees only count references.
bool PinThisModule(HINSTANCE instance)
{
    HMODULE pinned = nullptr;
    return ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                                reinterpret_cast<LPCWSTR>(&theApp), &pinned) &&
           pinned == instance;
}
}  // namespace

CQuervixApp::~CQuervixApp() = default;

// Registers the grid messages by name and the common-control classes once per process;
// the dialogs then only read them. A library that cannot be pinned refuses to load rather
// than leak on every unload. There is nothing to undo at detach: that comes only when the
// process ends, and the system takes back everything then.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    if (!PinThisModule(instance)) return FALSE;
    AfxInitModule(instance);
    RegisterQuervixMessages();
    AfxInitCommonControls();
    return TRUE;
}
