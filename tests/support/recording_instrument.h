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

  // Every setting of the table, recorded alike ("SetFreq(2000)", "GetFreq(1)").
  void SetSetting(const CSetting& row, const CSettingValue& value) override;
  CSettingValue GetSetting(const CSetting& row, int16_t query) override;

 private:
  // Records the call and throws the user exception when a failure is due.
  void Call(const std::string& operation, const std::string& argument);
};

// "2000", "0.1", "-0.001": the shortest text that reads back to the value.
std::string FormatArgument(double value);
