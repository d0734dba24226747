// The FM panel: internal modulating function, user waveform name, peak
// deviation, internal modulating frequency and the FM state.
#pragma once

#include <memory>

#include "panels/setting_panel.h"

class CTextPanel;

class CFreqDlg : public CSettingPanel {
  DECLARE_RUNTIME_CLASS(CFreqDlg)

 public:
  explicit CFreqDlg(CPanel* owner);
  ~CFreqDlg() override;

 protected:
  BOOL OnInitDialog() override;

 private:
  void AddSettings();

  std::unique_ptr<CTextPanel> m_pTitle;  // also the focus sink
};
