// The BM panel: burst mode, burst count (cycles or infinite), starting phase,
// internal burst rate, trigger source and slope, the burst state and the bus
// trigger.
#pragma once

#include "panels/titled_setting_panel.h"

class CBurstDlg : public CTitledSettingPanel {
  DECLARE_RUNTIME_CLASS(CBurstDlg)

 public:
  explicit CBurstDlg(CPanel* owner);

  // Re-reads the output frequency into the remembered state (guarded), which a
  // rejected burst setting may have left unknown; the panel does not show it.
  void RefreshCarrierFreq();

 private:
  void AddSettings() override;
};
