#include "framework/win32/beep.h"

#include <windows.h>

void DefaultBeep() { ::MessageBeep(MB_OK); }
