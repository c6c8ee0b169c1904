// What the C++ runtime does inside the DLL when things go wrong, cut down to what the DLL
// needs, so that the runtime's symbol demangler and its string-carrying exception classes
// (together about a third of the DLL) are not linked for messages no window shows.
//
// std::terminate aborts, as the runtime's own handler does, without first naming the
// uncaught exception's type; the exports let no exception out, so a host only gets here
// after a fault of its own.
//
// The standard containers report impossible requests (a length beyond the address space,
// an index outside a string) through std::__throw_*; here each throws std::bad_alloc, which
// the exports and the window procedures catch like any other failure.
//
// Unlike the runtime's thread support, which the DLL no longer replaces, these functions
// touch none of the runtime's data: each keeps the signature its header declares and leaves
// by a throw or an abort, as the runtime's own does. A toolchain that changes them cannot
// pass unnoticed: a further helper of the same runtime file brings that file back and the
// link fails on the duplicates; any other way of throwing brings the string-carrying classes
// back and the DLL fails its size check. Without this file the 32-bit DLL is about 360 KB.
#include <cstdlib>
#include <exception>
#include <new>
#include <typeinfo>

namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
}  // namespace __gnu_cxx

namespace std {
void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_alloc(); }
void __throw_bad_cast() { throw std::bad_alloc(); }
void __throw_bad_typeid() { throw std::bad_alloc(); }
void __throw_bad_exception() { throw std::bad_alloc(); }
void __throw_logic_error(const char*) { throw std::bad_alloc(); }
void __throw_domain_error(const char*) { throw std::bad_alloc(); }
void __throw_invalid_argument(const char*) { throw std::bad_alloc(); }
void __throw_length_error(const char*) { throw std::bad_alloc(); }
void __throw_out_of_range(const char*) { throw std::bad_alloc(); }
void __throw_out_of_range_fmt(const char*, ...) { throw std::bad_alloc(); }
void __throw_runtime_error(const char*) { throw std::bad_alloc(); }
void __throw_range_error(const char*) { throw std::bad_alloc(); }
void __throw_overflow_error(const char*) { throw std::bad_alloc(); }
void __throw_underflow_error(const char*) { throw std::bad_alloc(); }
}  // namespace std
