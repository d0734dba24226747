// What the panels need of the application: the main window they live in, the
// colour of the Active lamp, the panel objects (in the
// order of the registry of panels) and the current panel.
#pragma once

#include <windows.h>

#include <vector>

#include "instrument/app_port.h"  // Instrument(): the instrument object of the moment

class CWnd;
class CPanel;

class CPanelHost {
 public:
  virtual ~CPanelHost() = default;
  virtual CWnd* MainWindow() = 0;
  virtual COLORREF ActiveColor() = 0;
  virtual const std::vector<CPanel*>& Panels() = 0;
  virtual void SetCurrentPanel(CPanel* panel) = 0;
};

void SetPanelHost(CPanelHost* host);
CPanelHost& PanelHost();
