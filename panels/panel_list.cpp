#include "panels/panel_list.h"

#include "panels/panel.h"

CPanel* FindPanel(const std::vector<CPanel*>& panels, const std::string& name) {
  for (CPanel* panel : panels)
    if (panel->m_name == name) return panel;
  return nullptr;
}
