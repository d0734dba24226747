#include "panels/titled_setting_panel.h"

#include "controls/palette.h"
#include "controls/text_panel.h"
#include "panels/panel.h"
#include "panels/plate.h"

IMPLEMENT_RUNTIME_CLASS(CTitledSettingPanel, CSettingPanel)

CTitledSettingPanel::CTitledSettingPanel(UINT templateId, CPanel* owner, int titleId)
    : CSettingPanel(templateId, owner), m_titleId(titleId) {}

CTitledSettingPanel::~CTitledSettingPanel() = default;

BOOL CTitledSettingPanel::OnInitDialog() {
  CSettingPanel::OnInitDialog();
  m_pTitle = AttachPlate(this, m_titleId, PanelColor(8), false);
  m_pTitle->SetText(m_pPanel->m_name);
  AddSettings();
  SetFocusSink(m_titleId, true);
  UpdateControls();
  return FALSE;  // the focus is on the title plate already
}
