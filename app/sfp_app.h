// The application object: owns the instrument object and the panel objects for
// the whole run, holds the record of where the instrument was found, and runs
// start-up and the final clean-up.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/win32/win_app.h"
#include "instrument/app_port.h"
#include "instrument/driver_library.h"
#include "visa.h"

class CInstrument;
class CPanel;
struct CVisaEntryPoints;

class CSfpApp : public CWinApp {
  DECLARE_RUNTIME_CLASS(CSfpApp)

 public:
  CSfpApp();

  // Takes "/setup FILE" and "/log FILE" out of the arguments (the wide text
  // after the program name); the rest is the line the discovery options are
  // searched in.
  void TakeStationOptions(const std::wstring& arguments);
  bool InitInstance() override;
  void FinalCleanup();

  // The discovery record, as answered for a live instrument only.
  int32_t GetSlot() const;
  int32_t GetLogicalAddress() const;
  std::string GetRsrcName() const;
  uint16_t GetIntfType() const;

  // Discovery: sets m_pInstrument (live or not), m_activeColor and the record.
  // Returns 0 at once when the instrument object exists already.
  int FindInstrument();
  // Records where the chosen resource sits, then opens the driver on it.
  void OpenChosenResource(const CVisaEntryPoints& visa, ViSession resourceManager,
                          const std::string& name);
  // Live on a driver session to `name`, else non-live without a message.
  void OpenDriver(const std::string& name);
  void MakeNonLive();

  // At run time: replaces the instrument object (the old one is deleted,
  // which ends its driver session) and shows the panels of the new one.
  void ReplaceInstrument(CInstrument* instrument, COLORREF activeColor);
  // System > Connect...: discovery again, always through the Select
  // Instrument dialog. On failure the program stays on what it had and a box
  // says why.
  void ConnectAgain();
  // tgq3207_init again on the live instrument's resource, without a reset.
  std::optional<ViSession> OpenSessionAgain();

  // Reached only through CurrentInstrument() (instrument/app_port.h): it may
  // be replaced at run time.
  CInstrument* m_pInstrument = nullptr;
  COLORREF m_activeColor = 0;
  std::vector<CPanel*> m_panels;
  CPanel* m_pCurrentPanel = nullptr;
  std::string m_rsrcName;
  int32_t m_slot = -1;
  int32_t m_logicalAddress = -1;
  uint16_t m_intfType = 0;
  HMODULE m_hDriverLib = nullptr;  // the driver library, loaded for the whole run

 private:
  bool IsLive() const;
  // "/log FILE": from the first call on; "/setup FILE": after the start-up Sync.
  void StartLogFile() const;
  void RecallStartupSetup() const;
  // Shows string `messageId`, then goes non-live; returns FindInstrument's 1.
  int GiveUpDiscovery(UINT messageId);
  void TakeRecord(const CDiscoveryRecord& record);
  // The instrument now in use, as the boxes of Connect... name it.
  std::string CurrentName() const;
  // Loads the driver library, unless it is loaded already; false when it cannot.
  bool LoadDriverLibrary();

  // The driver library behind m_hDriverLib; the live instrument looks its
  // entry points up through it, so it outlives the instrument object.
  std::unique_ptr<CDriverLibrary> m_driverLibrary;
  std::optional<std::wstring> m_setupFile;
  std::optional<std::wstring> m_logFile;
};

extern CSfpApp theApp;
