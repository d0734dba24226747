#include "app/app_ports.h"

#include "app/instrument_link.h"
#include "app/sfp_app.h"
#include "app/startup_progress.h"
#include "framework/win32/beep.h"
#include "framework/win32/wait_cursor.h"
#include "framework/win32/worker_call.h"
#include "instrument/app_port.h"
#include "panels/panel_host.h"

namespace {
const UINT_PTR kErrorTimer = 1;

HWND MainWindowHandle() {
  return theApp.m_pMainWnd != nullptr ? theApp.m_pMainWnd->m_hWnd : nullptr;
}

class CSfpAppPort : public CAppPort {
 public:
  CInstrument* Instrument() override { return theApp.m_pInstrument; }
  std::string LoadText(unsigned id) override { return ::LoadText(id); }
  void ShowMessage(const std::string& text) override { StandardMessageBox(text); }
  void Beep() override { DefaultBeep(); }
  void StopErrorTimer() override { ::KillTimer(MainWindowHandle(), kErrorTimer); }
  void StartErrorTimer(unsigned periodMs) override {
    ::SetTimer(MainWindowHandle(), kErrorTimer, periodMs, nullptr);
  }
  void BeginWaitCursor() override { ::BeginWaitCursor(); }
  void EndWaitCursor() override { ::EndWaitCursor(); }
  // Paint, timer 1 and other programs' messages go on meanwhile; the
  // operator's input waits in the queue.
  int32_t RunDriverCall(const CDriverCall& call) override {
    int32_t status = 0;
    RunOnWorker([&] { status = call.Run(); }, MainWindowHandle());
    StartupProgress().CallDone();
    return status;
  }
  void LinkDown() override { InstrumentLink().LinkDown(); }
  void RefusedWhileLinkDown() override { InstrumentLink().Refused(); }
};

class CSfpPanelHost : public CPanelHost {
 public:
  CWnd* MainWindow() override { return theApp.m_pMainWnd; }
  COLORREF ActiveColor() override { return theApp.m_activeColor; }
  const std::vector<CPanel*>& Panels() override { return theApp.m_panels; }
  void SetCurrentPanel(CPanel* panel) override { theApp.m_pCurrentPanel = panel; }
};

CSfpAppPort g_appPort;
CSfpPanelHost g_panelHost;
}  // namespace

void InstallAppPorts() {
  SetAppPort(&g_appPort);
  SetPanelHost(&g_panelHost);
}
