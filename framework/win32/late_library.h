// Functions of the system libraries the program needs only now and then: the
// file dialogs, tooltips, the I/O log's list, accessibility. A library is
// loaded the first time one of its functions is asked for, because under Wine
// each library a program imports adds tens of milliseconds to its start.
#pragma once

#include <windows.h>

// The function `name` of `library`, loading the library on first use; null
// when either is missing.
FARPROC LateProc(const char* library, const char* name);

template <typename Function>
Function* LateFunction(const char* library, const char* name) {
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(LateProc(library, name)));
}

// The common controls' window classes (tooltips, list views), registered once.
bool LoadCommonControls(DWORD classes);
