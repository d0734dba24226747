// A setting panel under a title plate that is also its focus sink. Its
// initialisation attaches the title, lets the panel add its settings and
// shows them; a panel supplies only its template, its title plate and its
// settings. The title is its panel's name.
#pragma once

#include <memory>

#include "panels/setting_panel.h"

class CTextPanel;

class CTitledSettingPanel : public CSettingPanel {
  DECLARE_RUNTIME_CLASS(CTitledSettingPanel)

 public:
  CTitledSettingPanel(UINT templateId, CPanel* owner, int titleId);
  ~CTitledSettingPanel() override;

 protected:
  BOOL OnInitDialog() override;
  // Declares the panel's elements in the order of its redisplay.
  virtual void AddSettings() = 0;

  std::unique_ptr<CTextPanel> m_pTitle;

 private:
  int m_titleId;
};
