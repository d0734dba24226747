#include "app/sfp_app.h"

#include "app/app_ports.h"
#include "app/command_line.h"
#include "app/io_log_wnd.h"
#include "app/instrument_link.h"
#include "app/main_wnd.h"
#include "app/setup_commands.h"
#include "framework/win32/dialog_colors.h"
#include "framework/win32/wide_text.h"
#include "framework/win32/worker_call.h"
#include "instrument/instrument.h"
#include "panels/panel.h"
#include "res/resource.h"

IMPLEMENT_RUNTIME_CLASS(CSfpApp, CWinApp)

CSfpApp theApp;

CSfpApp::CSfpApp() {
  m_iconId = IDI_APP;
  m_titleId = IDS_APP_TITLE;
  m_panels.reserve(10);
}

bool CSfpApp::InitInstance() {
  InstallAppPorts();
  SetDialogBkColor(RGB(192, 192, 192), RGB(0, 0, 0));
  auto* mainWnd = new CMainWnd();
  if (mainWnd->m_hWnd == nullptr) {
    // Without its window the program would wait, unseen, for ever.
    delete mainWnd;
    StandardMessageBox(LoadText(IDS_NO_MAIN_WINDOW));
    ReleaseDialogColors();
    return false;
  }
  m_pMainWnd = mainWnd;
  StartLogFile();
  mainWnd->InitMainWindow();
  RecallStartupSetup();
  return true;
}

void CSfpApp::TakeStationOptions(const std::wstring& arguments) {
  CStationOptions options = ::TakeStationOptions(arguments);
  m_setupFile = options.m_setupFile;
  m_logFile = options.m_logFile;
  // The rest of the line in the code page: its resource name goes to VISA as it is.
  m_commandLine = InCodePage(options.m_rest);
}

void CSfpApp::StartLogFile() const {
  if (m_logFile) LogCallsToFile(Utf8Of(*m_logFile));
}

void CSfpApp::RecallStartupSetup() const {
  if (!m_setupFile) return;
  auto* mainWnd = static_cast<CMainWnd*>(m_pMainWnd);
  RecallSetupFrom(Utf8Of(*m_setupFile), [mainWnd] { mainWnd->RefreshCurrentPanel(); });
}

void CSfpApp::FinalCleanup() {
  InstrumentLink().Forget();
  m_rsrcName.clear();
  for (CPanel* panel : m_panels) delete panel;
  m_panels.clear();
  m_pCurrentPanel = nullptr;
  delete m_pInstrument;
  m_pInstrument = nullptr;
  StopWorker();
  ReleaseDialogColors();
}

bool CSfpApp::IsLive() const { return m_pInstrument != nullptr && m_pInstrument->m_live != 0; }

int32_t CSfpApp::GetSlot() const { return IsLive() ? m_slot : -1; }
int32_t CSfpApp::GetLogicalAddress() const { return IsLive() ? m_logicalAddress : -1; }
std::string CSfpApp::GetRsrcName() const { return IsLive() ? m_rsrcName : "Addr Unknown"; }
uint16_t CSfpApp::GetIntfType() const { return IsLive() ? m_intfType : 0; }

void CSfpApp::ReplaceInstrument(CInstrument* instrument, COLORREF activeColor) {
  InstrumentLink().Forget();
  delete m_pInstrument;
  m_pInstrument = instrument;
  m_activeColor = activeColor;
  if (auto* mainWnd = static_cast<CMainWnd*>(m_pMainWnd)) mainWnd->ReopenCurrentPanel();
}
