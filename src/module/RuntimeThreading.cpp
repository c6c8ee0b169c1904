// The C++ runtime's thread support inside the DLL, replaced so that loading and freeing the
// library leaves nothing behind in the host.
//
// As linked from the MinGW runtime, its locks each create a semaphore that nobody closes
// (the lock guarding function-local statics, the emulated thread-local storage), and the
// per-thread exception state lives in a TLS slot that is never freed. A host that loads
// the library only while the user builds a query lost a handle and a TLS slot per load,
// and Windows has about a thousand slots.
//
// Defining the runtime's entry points here keeps its own versions out of the link:
// - the locks are yielding spin locks on the runtime's own structures, with no kernel
//   object: they guard static initialisation and the out-of-memory exception reserve,
//   are held for microseconds and are almost never contended;
// - each thread's exception state is a small block from a list that the threads share,
//   handed back when a thread ends and freed with the TLS slot when the DLL is unloaded.
#include "module/RuntimeThreading.h"

#include <windows.h>

namespace {

// The runtime's lock structures; the layouts are the runtime's, the semaphore fields unused.
// A count of -1 means free, as in the runtime's static initialisers.
struct RuntimeOnce {
    int done;
    long started;
};
struct RuntimeMutex {
    long count;
    void* unused;
};
struct RuntimeRecursiveMutex {
    long count;
    long depth;
    unsigned long owner;
    void* unused;
};

void Acquire(volatile long* count)
{
    while (::InterlockedCompareExchange(count, 0, -1) != -1) ::SwitchToThread();
}

void Release(volatile long* count)
{
    ::InterlockedExchange(count, -1);
}

// What the runtime keeps per thread while exceptions are caught or in flight.
struct ExceptionState {
    void* caughtExceptions;
    unsigned int uncaughtExceptions;
};

struct ThreadBlock {
    ExceptionState state;
    ThreadBlock* next;
    volatile long inUse;
};

ThreadBlock* volatile g_blocks;
volatile long g_slot = -1;  // TLS index + 1 once allocated (0 while being allocated)

DWORD Slot()
{
    long slot = g_slot;
    if (slot > 0) return static_cast<DWORD>(slot - 1);
    if (::InterlockedCompareExchange(&g_slot, 0, -1) == -1) {
        const DWORD index = ::TlsAlloc();
        if (index == TLS_OUT_OF_INDEXES) ::RaiseException(STATUS_NO_MEMORY, EXCEPTION_NONCONTINUABLE, 0, nullptr);
        ::InterlockedExchange(&g_slot, static_cast<long>(index) + 1);
    }
    while ((slot = g_slot) <= 0) ::SwitchToThread();
    return static_cast<DWORD>(slot - 1);
}

ThreadBlock* TakeBlock()
{
    for (ThreadBlock* block = g_blocks; block; block = block->next)
        if (::InterlockedCompareExchange(&block->inUse, 1, 0) == 0) return block;
    auto* block = static_cast<ThreadBlock*>(::HeapAlloc(::GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(ThreadBlock)));
    if (!block) ::RaiseException(STATUS_NO_MEMORY, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    block->inUse = 1;
    do block->next = g_blocks;
    while (::InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(&g_blocks), block, block->next) != block->next);
    return block;
}

}  // namespace

extern "C" {

int __gthr_win32_once(RuntimeOnce* once, void (*function)())
{
    if (!once || !function) return ERROR_INVALID_PARAMETER;
    if (!once->done) {
        if (::InterlockedIncrement(&once->started) == 0) {
            function();
            ::MemoryBarrier();
            once->done = 1;
        } else {
            while (!*static_cast<volatile int*>(&once->done)) ::SwitchToThread();
        }
    }
    return 0;
}

void __gthr_win32_mutex_init_function(RuntimeMutex* mutex)
{
    mutex->count = -1;
    mutex->unused = nullptr;
}

void __gthr_win32_mutex_destroy(RuntimeMutex*) {}

int __gthr_win32_mutex_lock(RuntimeMutex* mutex)
{
    Acquire(&mutex->count);
    return 0;
}

int __gthr_win32_mutex_unlock(RuntimeMutex* mutex)
{
    Release(&mutex->count);
    return 0;
}

void __gthr_win32_recursive_mutex_init_function(RuntimeRecursiveMutex* mutex)
{
    mutex->count = -1;
    mutex->depth = 0;
    mutex->owner = 0;
    mutex->unused = nullptr;
}

int __gthr_win32_recursive_mutex_lock(RuntimeRecursiveMutex* mutex)
{
    const DWORD me = ::GetCurrentThreadId();
    if (mutex->owner != me) {
        Acquire(&mutex->count);
        mutex->owner = me;
    }
    ++mutex->depth;
    return 0;
}

int __gthr_win32_recursive_mutex_unlock(RuntimeRecursiveMutex* mutex)
{
    if (--mutex->depth == 0) {
        mutex->owner = 0;
        Release(&mutex->count);
    }
    return 0;
}

void* __cxa_get_globals()
{
    const DWORD slot = Slot();
    auto* block = static_cast<ThreadBlock*>(::TlsGetValue(slot));
    if (!block) {
        block = TakeBlock();
        ::TlsSetValue(slot, block);
    }
    return &block->state;
}

void* __cxa_get_globals_fast()
{
    return __cxa_get_globals();
}

}  // extern "C"

void ReleaseThreadExceptionState()
{
    const long slot = g_slot;
    if (slot <= 0) return;
    auto* block = static_cast<ThreadBlock*>(::TlsGetValue(static_cast<DWORD>(slot - 1)));
    if (!block) return;
    ::TlsSetValue(static_cast<DWORD>(slot - 1), nullptr);
    block->state = ExceptionState{};
    ::InterlockedExchange(&block->inUse, 0);
}

void ReleaseRuntimeThreading()
{
    const long slot = g_slot;
    if (slot > 0) ::TlsFree(static_cast<DWORD>(slot - 1));
    g_slot = -1;
    for (ThreadBlock* block = g_blocks; block;) {
        ThreadBlock* next = block->next;
        ::HeapFree(::GetProcessHeap(), 0, block);
        block = next;
    }
    g_blocks = nullptr;
}
