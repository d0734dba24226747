#include "instrument/instrument.h"

#include <utility>

#include "instrument/app_port.h"
#include "instrument/setting_text.h"

CInstrument::CInstrument() { SetDefaults(); }

CInstrument::~CInstrument() = default;

void CInstrument::CopyRememberedState(const CInstrument& other) {
#define SFP_COPY_REMEMBERED(Name, Kind, member, ...) member = other.member;
  SFP_SETTINGS(SFP_COPY_REMEMBERED)
#undef SFP_COPY_REMEMBERED
}

void CInstrument::SetDefaults() {
  for (size_t i = 0; i < kSettingCount; ++i) {
    const CSetting& row = kSettingTable[i];
    row.m_remember(*this, *ReadSettingValue(row, row.m_default).m_value);
  }
}

void CInstrument::SetExclusiveMode(int16_t& mode, int16_t state) {
  mode = state;
  if (state == 0) return;
  for (int16_t* other : {&m_amState, &m_fmState, &m_sweepState, &m_bmState, &m_fskState})
    if (other != &mode) *other = 0;
}

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

// The in-memory settings: a mode switched on switches the other modes off.
#define SFP_REMEMBER_Mode(member, value) SetExclusiveMode(member, value)
#define SFP_REMEMBER_Shape(member, value) member = std::move(value)
#define SFP_REMEMBER_Level SFP_REMEMBER_Shape
#define SFP_REMEMBER_ModeSetting SFP_REMEMBER_Shape

#define SFP_IN_MEMORY_VALUE(Name, Type, member, recall)                          \
  void CInstrument::Set##Name(Type value) { SFP_REMEMBER_##recall(member, value); } \
  Type CInstrument::Get##Name(int16_t) { return member; }
#define SFP_IN_MEMORY_Real(Name, member, recall) SFP_IN_MEMORY_VALUE(Name, double, member, recall)
#define SFP_IN_MEMORY_Choice(Name, member, recall) SFP_IN_MEMORY_VALUE(Name, int16_t, member, recall)
#define SFP_IN_MEMORY_Integer(Name, member, recall) SFP_IN_MEMORY_VALUE(Name, int32_t, member, recall)
#define SFP_IN_MEMORY_Name(Name, member, recall)                                     \
  void CInstrument::Set##Name(std::string name) { SFP_REMEMBER_##recall(member, name); } \
  void CInstrument::Get##Name(std::string& text, int16_t) { text = member; }
#define SFP_IN_MEMORY_SETTING(Name, Kind, member, header, reply, words, def, lo, hi, recall, ...) \
  SFP_IN_MEMORY_##Kind(Name, member, recall)

SFP_SETTINGS(SFP_IN_MEMORY_SETTING)
