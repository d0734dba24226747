#include "panels/try_or_report.h"

#include <windows.h>

#include <optional>

#include "framework/win32/wait_cursor.h"
#include "instrument/error_reporter.h"
#include "instrument/instrument.h"
#include "instrument/user_exception.h"
#include "panels/panel_host.h"

namespace {
bool TryThenReport(const std::function<void()>& steps, const std::function<void()>& beforeReport) {
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

bool TryOrReport(const std::function<void()>& steps) { return TryThenReport(steps, nullptr); }

bool TryOrReportUnderWaitCursor(const std::function<void()>& steps, EReportAt reportAt) {
  std::optional<CWaitCursor> wait(std::in_place);
  return TryThenReport(steps, [&wait, reportAt] {
    if (reportAt == EReportAt::kAfterWaitCursor) wait.reset();
  });
}

bool AltKeyHeld() { return ::GetKeyState(VK_MENU) < 0; }
