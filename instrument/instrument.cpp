#include "instrument/instrument.h"

#include <type_traits>
#include <utility>

#include "instrument/app_port.h"
#include "instrument/setting_text.h"

CInstrument::CInstrument() { SetDefaults(); }

CInstrument::~CInstrument() = default;

void CInstrument::CopyRememberedState(const CInstrument& other) {
  for (size_t i = 0; i < kSettingCount; ++i)
    std::visit([this, &other](auto member) { this->*member = other.*member; }, kSettingTable[i].m_member);
}

void CInstrument::SetDefaults() {
  for (size_t i = 0; i < kSettingCount; ++i) Remember(kSettingTable[i], PowerOnValue(kSettingTable[i]));
}

CSettingValue CInstrument::Remembered(const CSetting& row) const {
  return std::visit([this](auto member) { return SettingValueOf(this->*member); }, row.m_member);
}

void CInstrument::Remember(const CSetting& row, const CSettingValue& value) {
  std::visit(
      [this, &value](auto member) {
        auto& remembered = this->*member;
        remembered = SettingValueAs<std::decay_t<decltype(remembered)>>(value);
      },
      row.m_member);
}

// The in-memory settings. Of the modulation modes at most one is on:
// switching one on switches the others off.
void CInstrument::SetSetting(const CSetting& row, const CSettingValue& value) {
  Remember(row, value);
  if (row.m_recall != ERecallGroup::kMode || SettingValueAs<int16_t>(value) == 0) return;
  for (size_t i = 0; i < kSettingCount; ++i) {
    const CSetting& mode = kSettingTable[i];
    if (mode.m_recall == ERecallGroup::kMode && &mode != &row) Remember(mode, SettingValueOf(0.0));
  }
}

CSettingValue CInstrument::GetSetting(const CSetting& row, int16_t) { return Remembered(row); }

void CInstrument::Reset() {}
void CInstrument::Sync() {}
void CInstrument::SyncModes() {}
void CInstrument::SelfTest(std::string& text) { text = "0"; }
int16_t CInstrument::OpcQuery() { return 0; }
void CInstrument::DeviceClear() {}
void CInstrument::Close() {}
int16_t CInstrument::ReadStatusByte() { return 0; }

void CInstrument::ErrorQuery(int32_t& code, std::string& message) {
  code = 0;
  message = "None";
}

int32_t CInstrument::GetLastStatus() { return 0; }
int32_t CInstrument::GetSlot() { return -1; }
int32_t CInstrument::GetLogicalAddress() { return -1; }
std::string CInstrument::GetAddress() { return "Addr Unknown"; }
uint16_t CInstrument::GetIntfType() { return 0; }
void CInstrument::ClearStatus() {}
int16_t CInstrument::IsBusy() { return 0; }
void CInstrument::GetPhaseLock(std::string& text) { text = "Unlocked"; }
void CInstrument::Trigger() {}
