// The FM panel: internal modulating function, user waveform name, peak
// deviation, internal modulating frequency and the FM state.
#pragma once

#include "panels/titled_setting_panel.h"

class CFreqDlg : public CTitledSettingPanel {
  DECLARE_RUNTIME_CLASS(CFreqDlg)

 public:
  explicit CFreqDlg(CPanel* owner);

 private:
  void AddSettings() override;
};
