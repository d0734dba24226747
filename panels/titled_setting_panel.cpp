#include "panels/titled_setting_panel.h"

#include "controls/palette.h"
#include "controls/text_panel.h"
#include "framework/win32/win_app.h"
#include "panels/plate.h"

IMPLEMENT_RUNTIME_CLASS(CTitledSettingPanel, CSettingPanel)

CTitledSettingPanel::CTitledSettingPanel(UINT templateId, CPanel* owner, int titleId,
                                         unsigned titleText)
    : CSettingPanel(templateId, owner), m_titleId(titleId), m_titleText(titleText) {}

CTitledSettingPanel::~CTitledSettingPanel() = default;

BOOL CTitledSettingPanel::OnInitDialog() {
  CSettingPanel::OnInitDialog();
  m_pTitle = AttachPlate(this, m_titleId, PanelColor(8), false);
  m_pTitle->SetText(LoadText(m_titleText));
  AddSettings();
  SetFocusSink(m_titleId, true);
  UpdateControls();
  return FALSE;  // the focus is on the title plate already
}
