// The burst count: 1 to 50000 cycles, or an infinite count, which the field
// shows and accepts as INF. The count is always written unscaled (50000
// Cycles), and its arrows step by one cycle between 1 and INF.
#pragma once

#include <cstdint>
#include <functional>

#include "panels/numeric_setting.h"

class CWnd;

class CBurstCountSetting : public CNumericFieldSetting {
 public:
  // `afterSendFailure` runs when the instrument rejected a count.
  CBurstCountSetting(CWnd* dialog, int editId, int spinId,
                     std::function<void()> afterSendFailure);

  void ShowRemembered() override;
  void ShowFromInstrument() override;
  void SendTyped() override;
  void ReadBackAfterEnter() override;
  void StepShown(bool up) override;
  void SendShown() override;
  void AfterSendFailure() override;

 private:
  // A count below `infiniteBelow` is the instrument's infinite count.
  void ShowCount(int32_t count, double infiniteBelow);

  std::function<void()> m_afterSendFailure;
};
