// An instrument double for window tests: behaves as the in-memory instrument,
// records every operation the program calls ("SetFreq(2000)", "GetFreq(1)") and
// fails chosen operations with a chosen status, as a live instrument would.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "instrument/nonlive_instrument.h"

class CRecordingInstrument : public CNonLiveInstrument {
 public:
  ~CRecordingInstrument() override;

  std::vector<std::string> m_calls;
  // operation name -> status of the failures still to come (one per call).
  std::map<std::string, std::vector<int32_t>> m_failures;
  int32_t m_lastStatus = 0;
  int16_t m_busyAnswer = 0;
  bool* m_deleted = nullptr;  // set when the object is deleted

  // Makes the next `times` calls of `operation` fail with `status`.
  void Fail(const std::string& operation, int32_t status, int times = 1);
  // The calls recorded since the last Take, and forgets them.
  std::vector<std::string> Take();

  int32_t GetLastStatus() override { return m_lastStatus; }
  int16_t IsBusy() override { return m_busyAnswer; }

  void Reset() override;
  void Sync() override;
  void SyncModes() override;
  void SelfTest(std::string& text) override;
  void ErrorQuery(int32_t& code, std::string& message) override;
  void DeviceClear() override;
  int16_t ReadStatusByte() override;
  int16_t OpcQuery() override;
  void ClearStatus() override;
  void Trigger() override;
  void GetPhaseLock(std::string& text) override;
  void GetUserFunc(std::string& text, int16_t query) override;
  void SetUserFunc(std::string name) override;

#define SFP_RECORD(type, name) \
  void Set##name(type value) override; \
  type Get##name(int16_t query) override;
  SFP_RECORD(int16_t, TrigSource)
  SFP_RECORD(int16_t, AmSource)
  SFP_RECORD(int16_t, FmFunc)
  SFP_RECORD(int16_t, AmFunc)
  SFP_RECORD(double, SweepTime)
  SFP_RECORD(double, StartFreq)
  SFP_RECORD(double, StopFreq)
  SFP_RECORD(double, FmFreq)
  SFP_RECORD(double, AmFreq)
  SFP_RECORD(int16_t, Func)
  SFP_RECORD(double, FmDev)
  SFP_RECORD(double, Freq)
  SFP_RECORD(double, Ampl)
  SFP_RECORD(double, Offset)
  SFP_RECORD(double, DutyCycle)
  SFP_RECORD(double, AmDepth)
  SFP_RECORD(int16_t, SweepState)
  SFP_RECORD(int16_t, SweepSpacing)
  SFP_RECORD(int16_t, AmState)
  SFP_RECORD(int16_t, FmState)
  SFP_RECORD(int16_t, Load)
  SFP_RECORD(int16_t, BmState)
  SFP_RECORD(int16_t, BmSource)
  SFP_RECORD(int32_t, BmCount)
  SFP_RECORD(double, BmPhase)
  SFP_RECORD(double, BmRate)
  SFP_RECORD(int16_t, TrigSlope)
  SFP_RECORD(double, FskFreq)
  SFP_RECORD(int16_t, FskState)
  SFP_RECORD(int16_t, FskSource)
  SFP_RECORD(double, FskRate)
#undef SFP_RECORD

 private:
  // Records the call and throws the user exception when a failure is due.
  void Call(const std::string& operation, const std::string& argument);
};

// "2000", "0.1", "-0.001": the shortest text that reads back to the value.
std::string FormatArgument(double value);
