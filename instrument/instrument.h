// The instrument interface that every panel and menu command uses, and the
// remembered state: the last known value of every setting. The base class
// behaves as the in-memory instrument; the live instrument overrides every
// operation that talks to the driver.
#pragma once

#include <cstdint>
#include <string>

#include "instrument/setting_table.h"

// Status of a call refused because another instrument call was in progress.
constexpr int32_t kStatusTooFast = static_cast<int32_t>(0xBFFC0008u);

// Sizes of the text buffers of the interface, terminating NUL included.
constexpr size_t kSelfTestTextSize = 320;
constexpr size_t kErrorMessageSize = 260;
constexpr size_t kPhaseLockTextSize = 16;
constexpr size_t kUserFuncTextSize = 32;

enum FunctionCode : int16_t {
  kFuncSin = 0, kFuncSqu = 1, kFuncTri = 2, kFuncRamp = 3,
  kFuncNoise = 4, kFuncUser = 5, kFuncDc = 6
};

class CInstrument {
 public:
  CInstrument();
  virtual ~CInstrument();

  // Utility operations.
  virtual void Reset();
  virtual void Sync();
  virtual void SelfTest(std::string& text);
  virtual int16_t OpcQuery();
  virtual void DeviceClear();
  virtual void Close();
  virtual int16_t ReadStatusByte();
  virtual void ErrorQuery(int32_t& code, std::string& message);
  virtual int32_t GetLastStatus();
  virtual int32_t GetSlot();
  virtual int32_t GetLogicalAddress();
  virtual std::string GetAddress();
  virtual uint16_t GetIntfType();
  virtual void ClearStatus();
  virtual int16_t IsBusy();
  virtual void GetPhaseLock(std::string& text);

  // Settings: Set<Name> and Get<Name> of every row of the setting table. Set
  // stores the value; Get(query) returns it, asking the instrument first when
  // query is nonzero.
#define SFP_DECLARE_INSTRUMENT_SETTING(Name, Kind, ...) SFP_DECLARE_SETTING(Name, Kind, virtual, )
  SFP_SETTINGS(SFP_DECLARE_INSTRUMENT_SETTING)
#undef SFP_DECLARE_INSTRUMENT_SETTING
  virtual void SyncModes();
  virtual void Trigger();
  // Whether the link to the instrument is known to be lost; never for the
  // in-memory instrument.
  virtual bool IsLinkDown() { return false; }

  // Stores the power-on default of every remembered setting.
  void SetDefaults();
  // Takes every remembered setting of `other`.
  void CopyRememberedState(const CInstrument& other);

  // The remembered state: one member per row of the setting table.
  uint32_t m_session = 0;
  int32_t m_live = 0;
  int16_t m_busy = 0;
#define SFP_REMEMBERED_SETTING(Name, Kind, member, ...) SFP_SETTING_TYPE_##Kind member;
  SFP_SETTINGS(SFP_REMEMBERED_SETTING)
#undef SFP_REMEMBERED_SETTING

 private:
  // Of the five modulation modes at most one is on: switching one on switches
  // the other four off.
  void SetExclusiveMode(int16_t& mode, int16_t state);
};
