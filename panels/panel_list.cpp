#include "panels/panel_list.h"

#include <algorithm>
#include <iterator>

#include "framework/win32/win_app.h"
#include "panels/panel_objects.h"
#include "res/resource.h"

namespace {
template <class Panel>
CPanel* Make(UINT nameId) {
  return new Panel(LoadText(nameId));
}

// The Main panel loads its own name.
template <>
CPanel* Make<CPan1Obj>(UINT) {
  return new CPan1Obj();
}
}  // namespace

const CPanelRow kPanelRows[7] = {
    {ID_PANELS_MAIN, IDS_MAIN_PANEL, "Main", &Make<CPan1Obj>},
    {ID_PANELS_STATUS, IDS_STATUS_PANEL, "Status", &Make<CStatObj>},
    {ID_PANELS_AM, IDS_AM_PANEL, "AM", &Make<CAmplObj>},
    {ID_PANELS_BM, IDS_BM_PANEL, "BM", &Make<CBurstObj>},
    {ID_PANELS_FM, IDS_FM_PANEL, "FM", &Make<CFreqObj>},
    {ID_PANELS_SWEEP, IDS_SWEEP_PANEL, "Sweep", &Make<CSweepObj>},
    {ID_PANELS_FSK, IDS_FSK_PANEL, "FSK", &Make<CFskObj>},
};

std::optional<size_t> PanelRowOfCommand(UINT commandId) {
  auto hasCommand = [commandId](const CPanelRow& row) { return row.m_commandId == commandId; };
  const auto row = std::find_if(std::begin(kPanelRows), std::end(kPanelRows), hasCommand);
  if (row == std::end(kPanelRows)) return std::nullopt;
  return static_cast<size_t>(row - std::begin(kPanelRows));
}

std::optional<size_t> PanelIndex(const std::vector<CPanel*>& panels, const CPanel* panel) {
  const auto found = std::find(panels.begin(), panels.end(), panel);
  if (found == panels.end()) return std::nullopt;
  return static_cast<size_t>(found - panels.begin());
}
