// What std::terminate does inside the DLL: abort, as the runtime's own handler does, but
// without first naming the uncaught exception's type. Naming it would link the runtime's
// whole symbol demangler, about a sixth of the DLL, for a message no window shows; the
// exports let no exception out, so a host only gets here after a fault of its own.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
}  // namespace __gnu_cxx
