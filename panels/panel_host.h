// What the panels need of the application: the main window they live in, the
// instrument object, the colour of the Active lamp, and the current panel.
#pragma once

#include <windows.h>

class CWnd;
class CInstrument;
class CPanel;

class CPanelHost {
 public:
  virtual ~CPanelHost() = default;
  virtual CWnd* MainWindow() = 0;
  virtual CInstrument* Instrument() = 0;
  virtual COLORREF ActiveColor() = 0;
  virtual void SetCurrentPanel(CPanel* panel) = 0;
};

void SetPanelHost(CPanelHost* host);
CPanelHost& PanelHost();
// The instrument object of the run.
CInstrument& Instrument();
