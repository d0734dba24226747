#include "framework/win32/controls.h"

IMPLEMENT_RUNTIME_CLASS(CButton, CWnd)
IMPLEMENT_RUNTIME_CLASS(CStatic, CWnd)
