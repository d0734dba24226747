#include "app/command_line.h"
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
  std::unique_ptr<CLoadedDriverLibrary> driver = CLoadedDriverLibrary::Load();
  if (driver == nullptr) return GiveUpDiscovery(IDS_NO_DRIVER_DLL);
  m_hDriverLib = driver->Handle();
  m_driverLibrary = std::move(driver);

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
  m_rsrcName = record.m_rsrcName;
  m_slot = record.m_slot;
  m_logicalAddress = record.m_logicalAddress;
  m_intfType = record.m_intfType;
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
