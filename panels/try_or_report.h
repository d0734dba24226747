// How every handler, in the panels and the main window's menu, calls the
// instrument: an operation that fails is reported to the operator, and the
// handler goes on with its next step.
#pragma once

#include <functional>

// Runs the steps; on the instrument's failure reports it and returns false.
bool TryOrReport(const std::function<void()>& steps);

// Whether a failure is reported while the wait cursor still shows, or after it
// has ended.
enum class EReportAt { kUnderWaitCursor, kAfterWaitCursor };

// TryOrReport, with the wait cursor shown while the steps run.
bool TryOrReportUnderWaitCursor(const std::function<void()>& steps,
                                EReportAt reportAt = EReportAt::kUnderWaitCursor);

// The operator holds the Alt key: the action reads the instrument instead.
bool AltKeyHeld();
