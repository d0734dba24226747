// An instrument double for window tests: behaves as the in-memory instrument,
// records every operation the program calls ("SetFreq(2000)", "GetFreq(1)") and
// fails chosen operations with a chosen status, as a live instrument would.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "instrument/nonlive_instrument.h"

// Every setting with a Set and a Get, recorded alike.
#define SFP_RECORDED_SETTINGS(X) \
  X(int16_t, TrigSource) \
  X(int16_t, AmSource) \
  X(int16_t, FmFunc) \
  X(int16_t, AmFunc) \
  X(double, SweepTime) \
  X(double, StartFreq) \
  X(double, StopFreq) \
  X(double, FmFreq) \
  X(double, AmFreq) \
  X(int16_t, Func) \
  X(double, FmDev) \
  X(double, Freq) \
  X(double, Ampl) \
  X(double, Offset) \
  X(double, DutyCycle) \
  X(double, AmDepth) \
  X(int16_t, SweepState) \
  X(int16_t, SweepSpacing) \
  X(int16_t, AmState) \
  X(int16_t, FmState) \
  X(int16_t, Load) \
  X(int16_t, BmState) \
  X(int16_t, BmSource) \
  X(int32_t, BmCount) \
  X(double, BmPhase) \
  X(double, BmRate) \
  X(int16_t, TrigSlope) \
  X(double, FskFreq) \
  X(int16_t, FskState) \
  X(int16_t, FskSource) \
  X(double, FskRate)

class CRecordingInstrument : public CNonLiveInstrument {
 public:
  ~CRecordingInstrument() override;

  std::vector<std::string> m_calls;
  // operation name -> status of the failures still to come (one per call).
  std::map<std::string, std::vector<int32_t>> m_failures;
  int32_t m_lastStatus = 0;
  int16_t m_busyAnswer = 0;
  bool* m_deleted = nullptr;  // set when the object is deleted
  // call ("GetFreq(1)") -> depth of the wait cursor the last time it was made
  std::map<std::string, int> m_waitDepthAt;

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
  SFP_RECORDED_SETTINGS(SFP_RECORD)
#undef SFP_RECORD

 private:
  // Records the call and throws the user exception when a failure is due.
  void Call(const std::string& operation, const std::string& argument);
};

// "2000", "0.1", "-0.001": the shortest text that reads back to the value.
std::string FormatArgument(double value);
