// The AM panel: modulation source, internal modulating function, user
// waveform name, depth, internal modulating frequency and the AM state.
#pragma once

#include "panels/titled_setting_panel.h"

class CAmplDlg : public CTitledSettingPanel {
  DECLARE_RUNTIME_CLASS(CAmplDlg)

 public:
  explicit CAmplDlg(CPanel* owner);

 private:
  void AddSettings() override;
};
