// The FSK panel: hop frequency, internal hop rate, FSK source, the trigger
// source (External or a TTL trigger line) and the FSK state.
#pragma once

#include "panels/titled_setting_panel.h"

class CFskDlg : public CTitledSettingPanel {
  DECLARE_RUNTIME_CLASS(CFskDlg)

 public:
  explicit CFskDlg(CPanel* owner);

 private:
  void AddSettings() override;
};
