// The control classes that the program's own controls derive from. They attach
// to controls that a dialog template declares.
#pragma once

#include "framework/win32/wnd.h"

class CButton : public CWnd {
  DECLARE_RUNTIME_CLASS(CButton)
};

class CStatic : public CWnd {
  DECLARE_RUNTIME_CLASS(CStatic)
};
