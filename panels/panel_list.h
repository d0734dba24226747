// The registry of the seven panels, in registration order: the Panels menu
// item that shows each, its name in the string table, the name the I/O log
// gives its actions, and how its panel object is made. The application's
// panel list holds the objects in the same order, so a row's index is its
// panel's index there.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <vector>

class CPanel;

struct CPanelRow {
  UINT m_commandId;
  UINT m_nameId;
  const char* m_logName;  // "AM": "AM: Depth arrow up"
  CPanel* (*m_make)(UINT nameId);
};

extern const CPanelRow kPanelRows[7];

// The row of Panels menu command `commandId`, if one has it.
std::optional<size_t> PanelRowOfCommand(UINT commandId);
// The index of `panel` in `panels`, if it is there.
std::optional<size_t> PanelIndex(const std::vector<CPanel*>& panels, const CPanel* panel);
