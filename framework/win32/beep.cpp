#include "framework/win32/beep.h"

#include <windows.h>

namespace {
void (*g_listener)() = nullptr;
}

void DefaultBeep() {
  if (g_listener != nullptr) g_listener();
  ::MessageBeep(MB_OK);
}

void SetBeepListener(void (*listener)()) { g_listener = listener; }
