#include "panels/guarded_call.h"

#include <windows.h>

#include "instrument/error_reporter.h"
#include "instrument/instrument.h"
#include "instrument/user_exception.h"
#include "panels/panel_host.h"

bool Guarded(const std::function<void()>& steps) {
  try {
    steps();
    return true;
  } catch (CUserException&) {
    ReportInstrumentError(Instrument().GetLastStatus());
    return false;
  }
}

bool AltKeyHeld() { return ::GetKeyState(VK_MENU) < 0; }
