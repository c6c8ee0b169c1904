// The one CQuervixApp and the DLL's entry point, which sets up what every call needs
// before the host can make one.
#include "module/QuervixApp.h"

#include <windows.h>

#include "module/RegisteredMessages.h"

namespace {
// Constructed before DllMain runs, without an application name, so message boxes are
// captioned with the module's name.
CQuervixApp theApp;
}  // namespace

CQuervixApp::~CQuervixApp() = default;

// Registers the grid messages by name and the common-control classes once per process;
// the dialogs then only read them. Detaching unregisters our popup window classes so a
// later load at the same address starts clean.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        AfxInitModule(instance);
        RegisterQuervixMessages();
        AfxInitCommonControls();
        break;
    case DLL_PROCESS_DETACH:
        AfxTermModule();
        break;
    default:
        break;
    }
    return TRUE;
}
