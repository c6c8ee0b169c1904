// harness::Mutex: a lock for std::lock_guard. The win32 thread model of the cross compilers
// (the one the DLL is built with) has no std::mutex.
#pragma once
#include <windows.h>

namespace harness {

class Mutex {
public:
    Mutex() { ::InitializeCriticalSection(&m_section); }
    ~Mutex() { ::DeleteCriticalSection(&m_section); }
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;
    void lock() { ::EnterCriticalSection(&m_section); }
    void unlock() { ::LeaveCriticalSection(&m_section); }

private:
    CRITICAL_SECTION m_section;
};

}  // namespace harness
