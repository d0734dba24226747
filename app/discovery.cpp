#include "app/command_line.h"
#include "app/main_wnd.h"
#include "app/sfp_app.h"
#include "connect/driver_session.h"
#include "connect/instrument_search.h"
#include "connect/loaded_driver_library.h"
#include "connect/resource_address.h"
#include "connect/select_instr_dlg.h"
#include "connect/visa_session.h"
#include "controls/palette.h"
#include "framework/win32/wait_cursor.h"
#include "instrument/live_instrument.h"
#include "instrument/nonlive_instrument.h"
#include "res/resource.h"

// The wait cursor runs from here to the end of MakeNonLive or OpenDriver,
// whichever ends the discovery.
int CSfpApp::FindInstrument() {
  if (m_pInstrument != nullptr) return 0;
  BeginWaitCursor();
  CCommandLine commandLine(m_commandLine);

  CVisaLibrary visa;
  if (!visa.Load()) return GiveUpDiscovery(IDS_NO_VISA_DLL);
  if (!LoadDriverLibrary()) return GiveUpDiscovery(IDS_NO_DRIVER_DLL);

  CVisaResourceManager resourceManager(visa.EntryPoints());
  if (!resourceManager.IsOpen()) return GiveUpDiscovery(IDS_NO_DEFAULT_RM);

  if (commandLine.m_named) {
    OpenChosenResource(visa.EntryPoints(), resourceManager.Handle(), commandLine.m_resourceName);
    return 1;
  }
  std::vector<std::string> candidates =
      FindCandidates(visa.EntryPoints(), resourceManager.Handle(), commandLine.m_chooseAny,
                     LoadText(IDS_IDN_PREFIX));
  if (candidates.empty()) return GiveUpDiscovery(IDS_NO_INSTRUMENT);

  std::optional<std::string> choice = ChooseWithoutAsking(candidates, commandLine.m_chooseAny);
  if (!choice) {
    CSelectInstrDlg dialog(m_pMainWnd, candidates);
    if (dialog.DoModal() != IDOK) {
      MakeNonLive();
      return 1;
    }
    choice = dialog.SelectedResource();
  }
  OpenChosenResource(visa.EntryPoints(), resourceManager.Handle(), *choice);
  return 1;
}

void CSfpApp::OpenChosenResource(const CVisaEntryPoints& visa, ViSession resourceManager,
                                 const std::string& name) {
  CDiscoveryRecord record = ReadResourceAddress(visa, resourceManager, name, m_intfType);
  TakeRecord(record);
  OpenDriver(name);
}

void CSfpApp::OpenDriver(const std::string& name) {
  std::optional<ViSession> session;
  if (m_driverLibrary != nullptr)
    session = OpenDriverSession(*m_driverLibrary, name, CCommandLine(m_commandLine).m_reset);
  if (!session) {
    MakeNonLive();
    return;
  }
  m_activeColor = RGB(0, 255, 0);
  m_pInstrument = new CLiveInstrument(*session, m_driverLibrary.get(),
                                      CDiscoveryRecord{m_rsrcName, m_slot, m_logicalAddress, m_intfType});
  EndWaitCursor();
}

void CSfpApp::MakeNonLive() {
  m_activeColor = PanelColor(4);
  m_pInstrument = new CNonLiveInstrument();
  EndWaitCursor();
}

int CSfpApp::GiveUpDiscovery(UINT messageId) {
  StandardMessageBox(LoadText(messageId));
  MakeNonLive();
  return 1;
}

bool CSfpApp::LoadDriverLibrary() {
  if (m_driverLibrary != nullptr) return true;
  std::unique_ptr<CLoadedDriverLibrary> driver = CLoadedDriverLibrary::Load();
  if (driver == nullptr) return false;
  m_hDriverLib = driver->Handle();
  m_driverLibrary = std::move(driver);
  return true;
}

std::string CSfpApp::CurrentName() const {
  return IsLive() ? m_rsrcName : LoadText(IDS_NON_LIVE_NAME);
}

std::optional<ViSession> CSfpApp::OpenSessionAgain() {
  if (m_driverLibrary == nullptr) return std::nullopt;
  return OpenDriverSession(*m_driverLibrary, m_rsrcName, false);
}

// Start-up's search and choice, with boxes of its own: the program stays on
// the instrument it has until a new one is open.
void CSfpApp::ConnectAgain() {
  CCommandLine commandLine(m_commandLine);
  std::vector<std::string> candidates;
  CVisaLibrary visa;
  {
    CWaitCursor wait;
    if (!visa.Load()) {
      StandardMessageBox(LoadFormatted(IDS_CONNECT_NO_VISA, CurrentName()));
      return;
    }
    if (!LoadDriverLibrary()) {
      StandardMessageBox(LoadFormatted(IDS_CONNECT_NO_DRIVER, CurrentName()));
      return;
    }
  }
  CVisaResourceManager resourceManager(visa.EntryPoints());
  if (!resourceManager.IsOpen()) {
    StandardMessageBox(LoadFormatted(IDS_CONNECT_NO_RM, CurrentName()));
    return;
  }
  {
    CWaitCursor wait;
    candidates = FindCandidates(visa.EntryPoints(), resourceManager.Handle(), commandLine.m_chooseAny,
                                LoadText(IDS_IDN_PREFIX));
  }
  if (candidates.empty()) {
    StandardMessageBox(LoadFormatted(IDS_CONNECT_NONE_FOUND, CurrentName()));
    return;
  }
  CSelectInstrDlg dialog(m_pMainWnd, candidates);
  if (dialog.DoModal() != IDOK) return;
  const std::string name = dialog.SelectedResource();
  CWaitCursor wait;
  CDiscoveryRecord record = ReadResourceAddress(visa.EntryPoints(), resourceManager.Handle(), name, m_intfType);
  std::optional<ViSession> session = OpenDriverSession(*m_driverLibrary, name, commandLine.m_reset);
  if (!session) {
    StandardMessageBox(LoadFormatted(IDS_CONNECT_NOT_OPENED, name, CurrentName()));
    return;
  }
  auto* live = new CLiveInstrument(*session, m_driverLibrary.get(), record);
  TakeRecord(record);
  ReplaceInstrument(live, RGB(0, 255, 0));
  static_cast<CMainWnd*>(m_pMainWnd)->SyncPanels();
}

void CSfpApp::TakeRecord(const CDiscoveryRecord& record) {
  m_rsrcName = record.m_rsrcName;
  m_slot = record.m_slot;
  m_logicalAddress = record.m_logicalAddress;
  m_intfType = record.m_intfType;
}
