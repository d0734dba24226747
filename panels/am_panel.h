// The AM panel: modulation source, internal modulating function, user
// waveform name, depth, internal modulating frequency and the AM state.
#pragma once

#include <memory>

#include "panels/setting_panel.h"

class CTextPanel;

class CAmplDlg : public CSettingPanel {
  DECLARE_RUNTIME_CLASS(CAmplDlg)

 public:
  explicit CAmplDlg(CPanel* owner);
  ~CAmplDlg() override;

 protected:
  BOOL OnInitDialog() override;

 private:
  void AddSettings();

  std::unique_ptr<CTextPanel> m_pTitle;  // also the focus sink
};
