// The BM panel: burst mode, burst count (cycles or infinite), starting phase,
// internal burst rate, trigger source and slope, the burst state and the bus
// trigger.
#pragma once

#include <memory>

#include "panels/setting_panel.h"

class CTextPanel;

class CBurstDlg : public CSettingPanel {
  DECLARE_RUNTIME_CLASS(CBurstDlg)

 public:
  explicit CBurstDlg(CPanel* owner);
  ~CBurstDlg() override;

  // Re-reads the output frequency into the remembered state (guarded), which a
  // rejected burst setting may have left unknown; the panel does not show it.
  void RefreshCarrierFreq();

 protected:
  BOOL OnInitDialog() override;

 private:
  void AddSettings();

  std::unique_ptr<CTextPanel> m_pTitle;  // also the focus sink
};
