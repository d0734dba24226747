// The sweep panel: start and stop frequency, sweep time, spacing, trigger
// source and slope, the sweep state and a bus trigger. The fields are
// independent: each sends and re-reads only itself.
#pragma once

#include <memory>

#include "panels/setting_panel.h"

class CTextPanel;

class CSweepDlg : public CSettingPanel {
  DECLARE_RUNTIME_CLASS(CSweepDlg)

 public:
  explicit CSweepDlg(CPanel* owner);
  ~CSweepDlg() override;

 protected:
  BOOL OnInitDialog() override;

 private:
  void AddSettings();

  std::unique_ptr<CTextPanel> m_pTitle;  // also the focus sink
};
