#include "framework/win32/late_library.h"

#include <commctrl.h>

FARPROC LateProc(const char* library, const char* name) {
  // Loaded for good: a library's functions may be kept by the caller.
  HMODULE module = ::GetModuleHandleA(library);
  if (module == nullptr) module = ::LoadLibraryA(library);
  return module != nullptr ? ::GetProcAddress(module, name) : nullptr;
}

bool LoadCommonControls(DWORD classes) {
  static auto* const initCommonControls =
      LateFunction<decltype(::InitCommonControlsEx)>("comctl32.dll", "InitCommonControlsEx");
  INITCOMMONCONTROLSEX request = {sizeof request, classes};
  return initCommonControls != nullptr && initCommonControls(&request) != FALSE;
}
