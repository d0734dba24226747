// The instrument object while a driver session is open: every operation goes
// to the instrument as one SCPI command or query through the driver, and the
// remembered state follows what the driver reports.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "instrument/app_port.h"
#include "instrument/instrument.h"
#include "tgq3207.h"

class CDriverLibrary;

// Status of an operation whose entry point the driver library lacks.
constexpr int32_t kStatusMissingEntryPoint = VI_ERROR_NSUP_OPER;

class CLiveInstrument : public CInstrument {
 public:
  // The library is not owned: it stays loaded for the whole run.
  CLiveInstrument(uint32_t session, CDriverLibrary* library);
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

  void SetTrigSource(int16_t source) override;
  int16_t GetTrigSource(int16_t query) override;
  void SetAmSource(int16_t source) override;
  int16_t GetAmSource(int16_t query) override;
  void SetFmFunc(int16_t func) override;
  int16_t GetFmFunc(int16_t query) override;
  void SetAmFunc(int16_t func) override;
  int16_t GetAmFunc(int16_t query) override;
  void SetSweepTime(double seconds) override;
  double GetSweepTime(int16_t query) override;
  void SetStartFreq(double hz) override;
  double GetStartFreq(int16_t query) override;
  void SetStopFreq(double hz) override;
  double GetStopFreq(int16_t query) override;
  void SetFmFreq(double hz) override;
  double GetFmFreq(int16_t query) override;
  void SetAmFreq(double hz) override;
  double GetAmFreq(int16_t query) override;
  void SetFunc(int16_t func) override;
  int16_t GetFunc(int16_t query) override;
  void SetFmDev(double hz) override;
  double GetFmDev(int16_t query) override;
  void SetFreq(double hz) override;
  double GetFreq(int16_t query) override;
  void SetAmpl(double vpp) override;
  double GetAmpl(int16_t query) override;
  void SetOffset(double volts) override;
  double GetOffset(int16_t query) override;
  void SetDutyCycle(double percent) override;
  double GetDutyCycle(int16_t query) override;
  void SetAmDepth(double percent) override;
  double GetAmDepth(int16_t query) override;
  void SetSweepState(int16_t state) override;
  int16_t GetSweepState(int16_t query) override;
  void SetSweepSpacing(int16_t spacing) override;
  int16_t GetSweepSpacing(int16_t query) override;
  void SetAmState(int16_t state) override;
  int16_t GetAmState(int16_t query) override;
  void SetFmState(int16_t state) override;
  int16_t GetFmState(int16_t query) override;
  void SetLoad(int16_t load) override;
  int16_t GetLoad(int16_t query) override;
  void GetUserFunc(std::string& text, int16_t query) override;
  void SetUserFunc(std::string name) override;
  void SyncModes() override;
  void SetBmState(int16_t state) override;
  int16_t GetBmState(int16_t query) override;
  void SetBmSource(int16_t source) override;
  int16_t GetBmSource(int16_t query) override;
  void SetBmCount(int32_t cycles) override;
  int32_t GetBmCount(int16_t query) override;
  void SetBmPhase(double degrees) override;
  double GetBmPhase(int16_t query) override;
  void SetBmRate(double hz) override;
  double GetBmRate(int16_t query) override;
  void SetTrigSlope(int16_t slope) override;
  int16_t GetTrigSlope(int16_t query) override;
  void SetFskFreq(double hz) override;
  double GetFskFreq(int16_t query) override;
  void SetFskState(int16_t state) override;
  int16_t GetFskState(int16_t query) override;
  void SetFskSource(int16_t source) override;
  int16_t GetFskSource(int16_t query) override;
  void SetFskRate(double hz) override;
  double GetFskRate(int16_t query) override;
  void Trigger() override;

 private:
  using KeywordDecoder = std::optional<int16_t> (*)(const char*);

  void BindEntryPoints();
  // The guarded call: refused while another call runs, status kept, a
  // negative status thrown as the user exception.
  void EnterCall();
  void LeaveCall(int32_t status);
  // The entry point through the application's RunDriverCall, or the status of
  // a missing entry point.
  template <typename Entry, typename... Args>
  int32_t CallDriver(Entry entry, Args... args);
  template <typename Entry, typename... Args>
  void Guarded(Entry entry, Args... args);
  // tgq3207_dcl when the library has it; m_busy := 0 in any case.
  bool SendDeviceClear();

  void SendCommand(const std::string& command);
  void SendReal(const char* header, double value);
  std::string QueryText(const char* query, int32_t size);
  double QueryReal(int16_t query, const char* text, double& setting);
  int16_t QueryState(int16_t query, const char* text, int16_t& setting);
  int16_t QueryKeyword(int16_t query, const char* text, KeywordDecoder decode,
                       int16_t& setting);

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
};

template <typename Entry, typename... Args>
int32_t CLiveInstrument::CallDriver(Entry entry, Args... args) {
  if (entry == nullptr) return kStatusMissingEntryPoint;
  auto call = [&] { return static_cast<int32_t>(entry(m_session, args...)); };
  using Call = decltype(call);
  return AppPort().RunDriverCall(
      {[](void* context) { return (*static_cast<Call*>(context))(); }, &call});
}

template <typename Entry, typename... Args>
void CLiveInstrument::Guarded(Entry entry, Args... args) {
  EnterCall();
  LeaveCall(CallDriver(entry, args...));
}
