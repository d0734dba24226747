#include "instrument/error_reporter.h"

#include <cstdio>
#include <string>

#include "instrument/app_port.h"
#include "instrument/instrument.h"
#include "instrument/live_instrument.h"
#include "instrument/user_exception.h"
#include "res/resource.h"
#include "tgq3207.h"

namespace {

constexpr unsigned kErrorTimerPeriodMs = 1000;
// Bounds one report when the queue never reports empty.
constexpr int kMaxReportedErrors = 50;

void ClearDevice(CInstrument& instrument) {
  try {
    instrument.DeviceClear();
  } catch (const CUserException&) {
  }
}

std::string InstrumentErrorText(int32_t code, const std::string& message) {
  std::string format = AppPort().LoadText(IDS_INSTRUMENT_ERROR);
  char text[kErrorMessageSize];
  std::snprintf(text, sizeof text, format.c_str(), static_cast<long>(code), message.c_str());
  return text;
}

// One box per queued error, oldest first, until the queue reports code 0 or
// the query itself fails.
void ShowQueuedErrors(CInstrument& instrument) {
  for (int shown = 0; shown < kMaxReportedErrors; ++shown) {
    int32_t code = 0;
    std::string message;
    try {
      instrument.ErrorQuery(code, message);
    } catch (const CUserException&) {
      return;
    }
    if (code == 0 || instrument.GetLastStatus() < 0) return;
    AppPort().Beep();
    AppPort().ShowMessage(InstrumentErrorText(code, message));
  }
}

void ShowReason(int32_t status, CInstrument* instrument) {
  switch (status) {
    case kStatusTooFast:
      ShowStringMessage(IDS_TOO_FAST);
      return;
    case TGQ3207_INSTR_ERROR_DETECTED:
      if (instrument == nullptr) break;
      ClearDevice(*instrument);
      ShowQueuedErrors(*instrument);
      return;
    case VI_ERROR_TMO:
      if (instrument != nullptr) ClearDevice(*instrument);
      ShowStringMessage(IDS_TIME_OUT);
      return;
  }
  AppPort().Beep();
  ShowStringMessage(IDS_API_FAILURE);
}

}  // namespace

// A refusal while the link is down shows no box: the operator has been told.
void ReportInstrumentError(int32_t status) {
  AppPort().StopErrorTimer();
  CInstrument* instrument = CurrentInstrument();
  if (status == kStatusLinkDown)
    AppPort().RefusedWhileLinkDown();
  else
    ShowReason(status, instrument);
  if (instrument != nullptr && instrument->IsLinkDown()) AppPort().LinkDown();
  AppPort().StartErrorTimer(kErrorTimerPeriodMs);
}
