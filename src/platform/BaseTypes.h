// BOOL, TRUE and FALSE for code that must also build without windows.h.
#pragma once

// windows.h declares the same typedef; C++ accepts an identical redeclaration,
// and the macros are guarded so either header may come first.
typedef int BOOL;

#ifndef FALSE
#define FALSE 0
#endif
#ifndef TRUE
#define TRUE 1
#endif
