// The names of the operator's actions on a panel, for the I/O log: the
// panel's short name, the control's label and what was done with it
// ("Main: Frequency Enter", "AM: Depth arrow up", "Status: Clear Status").
#pragma once

#include <windows.h>

#include <string>

// "Main Panel" -> "Main"; a name of several words gives their initials:
// "Amplitude Modulation Panel" -> "AM".
std::string PanelShortName(const std::string& panelName);

// The label of a control: a push button's own text, else the text of the
// nearest label to its left on the same row.
std::string ControlLabel(HWND dialog, HWND control);

// Names the actions of one panel dialog's messages; remembers the direction of
// the last arrow, which the release then sends.
class CPanelActions {
 public:
  // The action a message starts, or "" for one that starts none.
  std::string Of(HWND dialog, const std::string& panelName, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  std::string m_lastArrow = "arrow";
};
