#include "panels/panel.h"

#include "panels/panel_dialog.h"
#include "panels/panel_host.h"

IMPLEMENT_RUNTIME_CLASS(CSFPObject, CObject)
IMPLEMENT_RUNTIME_CLASS(CPanel, CSFPObject)

void CPanel::UpdatePanel() {
  if (m_pDialog != nullptr) m_pDialog->UpdateControls();
}

void CPanel::ShowPanel() {}

void CPanel::ClosePanel() {
  if (m_pDialog != nullptr) m_pDialog->DestroyWindow();
  m_pDialog = nullptr;
}

void CPanel::OnPanelTimer() {}

void CPanel::DialogDestroyed(CPanelDialog* dialog) {
  if (m_pDialog == dialog) m_pDialog = nullptr;
}

void CPanel::BecomeCurrent(CPanelDialog* dialog) {
  m_pDialog = dialog;
  PanelHost().SetCurrentPanel(this);
}
