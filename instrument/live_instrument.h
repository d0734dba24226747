// The instrument object while a driver session is open: every operation goes
// to the instrument as one SCPI command or query through the driver, and the
// remembered state follows what the driver reports.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>

#include "instrument/app_port.h"
#include "instrument/instrument.h"
#include "instrument/io_call_text.h"
#include "instrument/io_log.h"
#include "instrument/link_loss.h"
#include "tgq3207.h"

class CDriverLibrary;

// Status of an operation whose entry point the driver library lacks.
constexpr int32_t kStatusMissingEntryPoint = VI_ERROR_NSUP_OPER;
// Status of an operation refused, without any call, while the link is down.
constexpr int32_t kStatusLinkDown = static_cast<int32_t>(0xBFFC0009u);

class CLiveInstrument : public CInstrument {
 public:
  // The library is not owned: it stays loaded for the whole run. The record
  // says where discovery found the instrument.
  CLiveInstrument(uint32_t session, CDriverLibrary* library, CDiscoveryRecord record = {});
  ~CLiveInstrument() override;
  CLiveInstrument(const CLiveInstrument&) = delete;
  CLiveInstrument& operator=(const CLiveInstrument&) = delete;

  void Reset() override;
  void Sync() override;
  void SelfTest(std::string& text) override;
  int16_t OpcQuery() override;
  void DeviceClear() override;
  void Close() override;
  int16_t ReadStatusByte() override;
  void ErrorQuery(int32_t& code, std::string& message) override;
  int32_t GetLastStatus() override;
  int32_t GetSlot() override;
  int32_t GetLogicalAddress() override;
  std::string GetAddress() override;
  uint16_t GetIntfType() override;
  void ClearStatus() override;
  int16_t IsBusy() override;
  void GetPhaseLock(std::string& text) override;

  // A setting's command and query, as its row of the setting table says.
  void SetSetting(const CSetting& row, const CSettingValue& value) override;
  CSettingValue GetSetting(const CSetting& row, int16_t query) override;
  void SyncModes() override;
  void Trigger() override;

  // Since a driver call found the link lost, and until a new session is
  // attached: operations are refused without a call, and queries answer the
  // remembered value.
  bool IsLinkDown() override { return m_linkDown; }
  // Ends the session even while the link is down.
  void CloseSession();
  // Takes the session of a new tgq3207_init on the same resource.
  void AttachSession(uint32_t session);
  // The *IDN? reply, and *ESR? (read and cleared by the instrument).
  std::string QueryIdentity();
  int16_t ReadEventStatus();

 private:
  void BindEntryPoints();
  // Around each driver call: refused while another call runs, status kept, a
  // negative status thrown as the user exception.
  void EnterCall();
  void LeaveCall(int32_t status);
  // The entry point through the application's RunDriverCall, or the status of
  // a missing entry point.
  template <typename Entry, typename... Args>
  int32_t CallDriver(Entry entry, Args... args);
  // The driver call between the two: what every operation makes.
  template <typename Entry, typename... Args>
  void CallOrThrow(Entry entry, Args... args);
  // The entry point's name in the driver ("tgq3207_cmdReal").
  template <typename Entry>
  const char* EntryName(Entry entry) const;
  // tgq3207_dcl when the library has it; m_busy := 0 in any case.
  bool SendDeviceClear();

  void SendCommand(const std::string& command);
  std::string QueryText(const char* query, int32_t size);
  void SendCount(const CSetting& row, int32_t count);
  // The instrument's reply to the row's query, kept as the remembered value.
  void QueryChoice(const CSetting& row);
  void QueryName(const CSetting& row);
  // The query flag, or 0 while the link is down.
  int16_t Asked(int16_t query) const { return m_linkDown ? 0 : query; }
  void NoteLinkLost(int32_t status);

  // The entry points it calls, each null when the library lacks it.
  struct CEntryPoints {
#define SFP_ENTRY_POINTER(name, type) type name = nullptr;
    TGQ3207_INSTRUMENT_ENTRY_POINTS(SFP_ENTRY_POINTER)
#undef SFP_ENTRY_POINTER
  };

  CDriverLibrary* m_library;
  CEntryPoints m_entry;
  int32_t m_lastStatus = 0;
  std::string m_address;
  CDiscoveryRecord m_record;
  EResourceKind m_kind;
  bool m_linkDown = false;
  bool m_sessionOpen = true;
};

template <typename Entry, typename... Args>
int32_t CLiveInstrument::CallDriver(Entry entry, Args... args) {
  if (entry == nullptr) return kStatusMissingEntryPoint;
  if (m_linkDown) return kStatusLinkDown;
  auto call = [&] { return static_cast<int32_t>(entry(m_session, args...)); };
  using Call = decltype(call);
  CDriverCall driverCall{[](void* context) { return (*static_cast<Call*>(context))(); }, &call};
  int32_t status = 0;
  if (!IoLog().m_enabled) {
    status = AppPort().RunDriverCall(driverCall);
  } else {
    CIoCapture capture(EntryName(entry), args...);
    status = AppPort().RunDriverCall(driverCall);
    capture.Finish(status, args...);
  }
  if (status < 0 && IsLinkLost(status, m_kind)) NoteLinkLost(status);
  return status;
}

template <typename Entry>
const char* CLiveInstrument::EntryName(Entry entry) const {
#define SFP_ENTRY_NAME(name, type) \
  if constexpr (std::is_same_v<Entry, type>) if (m_entry.name == entry) return #name;
  TGQ3207_INSTRUMENT_ENTRY_POINTS(SFP_ENTRY_NAME)
#undef SFP_ENTRY_NAME
  return "";
}

template <typename Entry, typename... Args>
void CLiveInstrument::CallOrThrow(Entry entry, Args... args) {
  EnterCall();
  LeaveCall(CallDriver(entry, args...));
}
