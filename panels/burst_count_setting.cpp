#include "panels/burst_count_setting.h"

#include <cmath>
#include <limits>

#include "instrument/eng_units.h"
#include "instrument/instrument.h"
#include "instrument/setting_text.h"
#include "panels/panel_host.h"

namespace {
const int kAllowInf = 16;
// Any count above this one is infinite for the instrument; it is the largest
// value that Enter sends.
const double kInfiniteCount = 50001;

const CSetting& CountRow() { return SettingRow(ESetting::kBmCount); }
double MaxCycles() { return CountRow().m_max; }

// Toward zero; a value below the range of the interface's count stays below 1,
// that is infinite, instead of overflowing.
int32_t TruncatedCount(double v) {
  const double lowest = std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(std::trunc(v < lowest ? lowest : v));
}
}  // namespace

CBurstCountSetting::CBurstCountSetting(CWnd* dialog, int editId, int spinId,
                                       std::function<void()> afterSendFailure)
    : CNumericFieldSetting(dialog, editId, spinId, "Cycles"),
      m_afterSendFailure(std::move(afterSendFailure)) {
  m_field->m_allowInf = kAllowInf;
  m_field->m_format = "%1.0f";
  m_field->ShowValueFixed(PowerOnValue(CountRow()).m_number);
}

// A count below 1 is the instrument's infinite count.
double CBurstCountSetting::Get(int16_t query) const {
  int32_t count = Instrument().GetBmCount(query);
  return count < 1 ? kInfiniteValue : count;
}

// INF shown goes out as 0, the instrument's other way of saying infinite.
void CBurstCountSetting::Set(double v) {
  if (v > kInfiniteCount) v = 0;
  Instrument().SetBmCount(TruncatedCount(v));
}

void CBurstCountSetting::Show(double v) { m_field->ShowValueFixed(v); }

// 0, INF and anything above 50000 go out as an infinite count.
double CBurstCountSetting::Limited(double typed) const {
  if (typed > kInfiniteCount) return kInfiniteCount;
  if (typed < 0) return 0;
  return typed;
}

// Up from 50000 is INF, and INF stays INF; down from INF is 50000, and 1 stays 1.
double CBurstCountSetting::Stepped(double v, bool up) const {
  if (up) {
    if (v > kInfiniteCount) v = MaxCycles();
    v += 1;
    if (v > MaxCycles()) v = kInfiniteValue;
  } else {
    if (v > kInfiniteCount) v = kInfiniteCount;
    v -= 1;
    if (v < 1) v = 1;
  }
  return v;
}

void CBurstCountSetting::AfterSendFailure() { m_afterSendFailure(); }
