// The sweep panel: start and stop frequency, sweep time, spacing, trigger
// source and slope, the sweep state and a bus trigger. The fields are
// independent: each sends and re-reads only itself.
#pragma once

#include "panels/titled_setting_panel.h"

class CSweepDlg : public CTitledSettingPanel {
  DECLARE_RUNTIME_CLASS(CSweepDlg)

 public:
  explicit CSweepDlg(CPanel* owner);

 private:
  void AddSettings() override;
};
