// The DLL's own thread support for the C++ runtime (RuntimeThreading.cpp), released from
// DllMain so that nothing outlives the library's unload.
#pragma once

// A thread is ending: its exception state goes back to the list for the next thread.
void ReleaseThreadExceptionState();

// The library is being freed while the host runs on: frees the TLS slot and every block.
void ReleaseRuntimeThreading();
