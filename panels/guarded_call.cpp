#include "panels/guarded_call.h"

#include <windows.h>

#include <optional>

#include "framework/win32/wait_cursor.h"
#include "instrument/error_reporter.h"
#include "instrument/instrument.h"
#include "instrument/user_exception.h"
#include "panels/panel_host.h"

namespace {
bool GuardedThen(const std::function<void()>& steps, const std::function<void()>& beforeReport) {
  try {
    steps();
    return true;
  } catch (CUserException&) {
    if (beforeReport) beforeReport();
    ReportInstrumentError(Instrument().GetLastStatus());
    return false;
  }
}
}  // namespace

bool Guarded(const std::function<void()>& steps) { return GuardedThen(steps, nullptr); }

bool GuardedUnderWaitCursor(const std::function<void()>& steps, EReportAt reportAt) {
  std::optional<CWaitCursor> wait(std::in_place);
  return GuardedThen(steps, [&wait, reportAt] {
    if (reportAt == EReportAt::kAfterWaitCursor) wait.reset();
  });
}

bool AltKeyHeld() { return ::GetKeyState(VK_MENU) < 0; }
