// The instrument interface that every panel and menu command uses, and the
// remembered state: the last known value of every setting. The base class
// behaves as the in-memory instrument; the live instrument overrides every
// operation that talks to the driver.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

#include "instrument/setting_table.h"

// Status of a call refused because another instrument call was in progress.
constexpr int32_t kStatusTooFast = static_cast<int32_t>(0xBFFC0008u);

// Sizes of the text buffers of the interface, terminating NUL included.
constexpr size_t kErrorMessageSize = 260;
constexpr size_t kUserFuncTextSize = 32;

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
  // query is nonzero. Each kind of instrument does the work once, for any row,
  // in the two virtuals below.
  // clang-format off
  void SetFunc(int16_t value) { SetSetting<ESetting::kFunc>(value); }
  int16_t GetFunc(int16_t query) { return GetSetting<ESetting::kFunc>(query); }
  void SetFreq(double value) { SetSetting<ESetting::kFreq>(value); }
  double GetFreq(int16_t query) { return GetSetting<ESetting::kFreq>(query); }
  void SetAmState(int16_t value) { SetSetting<ESetting::kAmState>(value); }
  int16_t GetAmState(int16_t query) { return GetSetting<ESetting::kAmState>(query); }
  void SetFmState(int16_t value) { SetSetting<ESetting::kFmState>(value); }
  int16_t GetFmState(int16_t query) { return GetSetting<ESetting::kFmState>(query); }
  void SetSweepState(int16_t value) { SetSetting<ESetting::kSweepState>(value); }
  int16_t GetSweepState(int16_t query) { return GetSetting<ESetting::kSweepState>(query); }
  void SetBmState(int16_t value) { SetSetting<ESetting::kBmState>(value); }
  int16_t GetBmState(int16_t query) { return GetSetting<ESetting::kBmState>(query); }
  void SetFskState(int16_t value) { SetSetting<ESetting::kFskState>(value); }
  int16_t GetFskState(int16_t query) { return GetSetting<ESetting::kFskState>(query); }
  void SetAmpl(double value) { SetSetting<ESetting::kAmpl>(value); }
  double GetAmpl(int16_t query) { return GetSetting<ESetting::kAmpl>(query); }
  void SetOffset(double value) { SetSetting<ESetting::kOffset>(value); }
  double GetOffset(int16_t query) { return GetSetting<ESetting::kOffset>(query); }
  void SetDutyCycle(double value) { SetSetting<ESetting::kDutyCycle>(value); }
  double GetDutyCycle(int16_t query) { return GetSetting<ESetting::kDutyCycle>(query); }
  void SetLoad(int16_t value) { SetSetting<ESetting::kLoad>(value); }
  int16_t GetLoad(int16_t query) { return GetSetting<ESetting::kLoad>(query); }
  void SetAmSource(int16_t value) { SetSetting<ESetting::kAmSource>(value); }
  int16_t GetAmSource(int16_t query) { return GetSetting<ESetting::kAmSource>(query); }
  void SetFmFunc(int16_t value) { SetSetting<ESetting::kFmFunc>(value); }
  int16_t GetFmFunc(int16_t query) { return GetSetting<ESetting::kFmFunc>(query); }
  void SetAmFunc(int16_t value) { SetSetting<ESetting::kAmFunc>(value); }
  int16_t GetAmFunc(int16_t query) { return GetSetting<ESetting::kAmFunc>(query); }
  void SetFmFreq(double value) { SetSetting<ESetting::kFmFreq>(value); }
  double GetFmFreq(int16_t query) { return GetSetting<ESetting::kFmFreq>(query); }
  void SetAmFreq(double value) { SetSetting<ESetting::kAmFreq>(value); }
  double GetAmFreq(int16_t query) { return GetSetting<ESetting::kAmFreq>(query); }
  void SetFmDev(double value) { SetSetting<ESetting::kFmDev>(value); }
  double GetFmDev(int16_t query) { return GetSetting<ESetting::kFmDev>(query); }
  void SetAmDepth(double value) { SetSetting<ESetting::kAmDepth>(value); }
  double GetAmDepth(int16_t query) { return GetSetting<ESetting::kAmDepth>(query); }
  void SetSweepTime(double value) { SetSetting<ESetting::kSweepTime>(value); }
  double GetSweepTime(int16_t query) { return GetSetting<ESetting::kSweepTime>(query); }
  void SetStartFreq(double value) { SetSetting<ESetting::kStartFreq>(value); }
  double GetStartFreq(int16_t query) { return GetSetting<ESetting::kStartFreq>(query); }
  void SetStopFreq(double value) { SetSetting<ESetting::kStopFreq>(value); }
  double GetStopFreq(int16_t query) { return GetSetting<ESetting::kStopFreq>(query); }
  void SetSweepSpacing(int16_t value) { SetSetting<ESetting::kSweepSpacing>(value); }
  int16_t GetSweepSpacing(int16_t query) { return GetSetting<ESetting::kSweepSpacing>(query); }
  void SetTrigSource(int16_t value) { SetSetting<ESetting::kTrigSource>(value); }
  int16_t GetTrigSource(int16_t query) { return GetSetting<ESetting::kTrigSource>(query); }
  void SetUserFunc(std::string name) { SetSetting<ESetting::kUserFunc>(std::move(name)); }
  void GetUserFunc(std::string& text, int16_t query) { text = GetSetting<ESetting::kUserFunc>(query); }
  void SetBmSource(int16_t value) { SetSetting<ESetting::kBmSource>(value); }
  int16_t GetBmSource(int16_t query) { return GetSetting<ESetting::kBmSource>(query); }
  void SetBmCount(int32_t value) { SetSetting<ESetting::kBmCount>(value); }
  int32_t GetBmCount(int16_t query) { return GetSetting<ESetting::kBmCount>(query); }
  void SetBmPhase(double value) { SetSetting<ESetting::kBmPhase>(value); }
  double GetBmPhase(int16_t query) { return GetSetting<ESetting::kBmPhase>(query); }
  void SetBmRate(double value) { SetSetting<ESetting::kBmRate>(value); }
  double GetBmRate(int16_t query) { return GetSetting<ESetting::kBmRate>(query); }
  void SetTrigSlope(int16_t value) { SetSetting<ESetting::kTrigSlope>(value); }
  int16_t GetTrigSlope(int16_t query) { return GetSetting<ESetting::kTrigSlope>(query); }
  void SetFskFreq(double value) { SetSetting<ESetting::kFskFreq>(value); }
  double GetFskFreq(int16_t query) { return GetSetting<ESetting::kFskFreq>(query); }
  void SetFskSource(int16_t value) { SetSetting<ESetting::kFskSource>(value); }
  int16_t GetFskSource(int16_t query) { return GetSetting<ESetting::kFskSource>(query); }
  void SetFskRate(double value) { SetSetting<ESetting::kFskRate>(value); }
  double GetFskRate(int16_t query) { return GetSetting<ESetting::kFskRate>(query); }
  // clang-format on

  // Sets the row's setting to a value of its kind, as Set<Name> does.
  virtual void SetSetting(const CSetting& row, const CSettingValue& value);
  // The row's setting, asked of the instrument first when query is nonzero, as Get<Name> does.
  virtual CSettingValue GetSetting(const CSetting& row, int16_t query);

  virtual void SyncModes();
  virtual void Trigger();
  // Whether the link to the instrument is known to be lost; never for the
  // in-memory instrument.
  virtual bool IsLinkDown() { return false; }

  // Stores the power-on default of every remembered setting.
  void SetDefaults();
  // Takes every remembered setting of `other`.
  void CopyRememberedState(const CInstrument& other);
  // The row's remembered value, read and written without input or output.
  CSettingValue Remembered(const CSetting& row) const;
  void Remember(const CSetting& row, const CSettingValue& value);

  // The remembered state: one member per row of the setting table.
  uint32_t m_session = 0;
  int32_t m_live = 0;
  int16_t m_busy = 0;
#define SFP_REMEMBERED_SETTING(Name, Kind, member, ...) SettingType<ESettingKind::k##Kind> member;
  SFP_SETTINGS(SFP_REMEMBERED_SETTING)
#undef SFP_REMEMBERED_SETTING

 protected:
  // The row's remembered member.
  template <typename T>
  T& Member(const CSetting& row) {
    return this->*std::get<T CInstrument::*>(row.m_member);
  }

 private:
  // The typed road of Set<Name> and Get<Name> to the two virtuals.
  template <ESetting id, typename T>
  void SetSetting(T value) {
    static_assert(std::is_same_v<T, SettingTypeOf<id>>, "Set<Name> takes its row's kind");
    SetSetting(SettingRow(id), SettingValueOf(std::move(value)));
  }
  template <ESetting id>
  SettingTypeOf<id> GetSetting(int16_t query) {
    return SettingValueAs<SettingTypeOf<id>>(GetSetting(SettingRow(id), query));
  }
};
