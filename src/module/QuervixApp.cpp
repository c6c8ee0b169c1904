// The one CQuervixApp and the DLL's entry point, which sets up what every call needs
// before the host can make one.
#include "module/QuervixApp.h"

#include <windows.h>

#include "grid/RegisteredMessages.h"
#include "module/RuntimeThreading.h"

// The C++ runtime's reserve for throwing exceptions when memory runs out: a heap block of
// about 70 KB that the runtime allocates at load and never frees by itself.
namespace __gnu_cxx {
void __freeres();
}

namespace {
// Constructed before DllMain runs, without an application name, so message boxes are
// captioned with the module's name.
CQuervixApp theApp;
}  // namespace

CQuervixApp::~CQuervixApp() = default;

// Registers the grid messages by name and the common-control classes once per process;
// the dialogs then only read them. Detaching unregisters our popup window classes so a
// later load at the same address starts clean, and, when the host frees the library while
// it goes on running, returns the runtime's exception reserve and thread state, so that
// hosts which load the library only while the user builds a query do not grow with every
// load. When the process is ending instead, the heap and the slots go with it.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        AfxInitModule(instance);
        RegisterQuervixMessages();
        AfxInitCommonControls();
        break;
    case DLL_PROCESS_DETACH:
        AfxTermModule();
        if (!reserved) {
            __gnu_cxx::__freeres();
            ReleaseRuntimeThreading();
        }
        break;
    case DLL_THREAD_DETACH:
        ReleaseThreadExceptionState();
        break;
    default:
        break;
    }
    return TRUE;
}
