// The FSK panel: hop frequency, internal hop rate, FSK source, the trigger
// source (External or a TTL trigger line) and the FSK state.
#pragma once

#include <memory>

#include "panels/setting_panel.h"

class CTextPanel;

class CFskDlg : public CSettingPanel {
  DECLARE_RUNTIME_CLASS(CFskDlg)

 public:
  explicit CFskDlg(CPanel* owner);
  ~CFskDlg() override;

 protected:
  BOOL OnInitDialog() override;

 private:
  void AddSettings();

  std::unique_ptr<CTextPanel> m_pTitle;  // also the focus sink
};
