#include "instrument/live_instrument.h"

#include "instrument/app_port.h"
#include "instrument/driver_library.h"
#include "instrument/error_reporter.h"
#include "instrument/user_exception.h"
#include "res/resource.h"

namespace {

constexpr int32_t kOptionsReplySize = 15;
constexpr int16_t kPhaseUnlockedBit = 0x40;
constexpr int32_t kIdentityReplySize = 255;

template <typename Entry>
void Bind(CDriverLibrary* library, const char* name, Entry& entry) {
  entry = library != nullptr ? reinterpret_cast<Entry>(library->FindEntryPoint(name)) : nullptr;
}

}  // namespace

CLiveInstrument::CLiveInstrument(uint32_t session, CDriverLibrary* library, CDiscoveryRecord record)
    : m_library(library),
      m_record(std::move(record)),
      m_kind(ResourceKindOf(m_record.m_rsrcName, m_record.m_intfType)) {
  m_session = session;
  m_live = 1;
  BindEntryPoints();
  SetDefaults();
  try {
    CWaitCursorScope waitCursor;
    DeviceClear();
  } catch (const CUserException&) {
    m_busy = 0;
    ReportInstrumentError(m_lastStatus);
  }
  m_busy = 0;
}

CLiveInstrument::~CLiveInstrument() {
  m_linkDown = false;
  if (m_sessionOpen) Close();
}

void CLiveInstrument::BindEntryPoints() {
#define SFP_BIND_ENTRY_POINT(name, type) Bind(m_library, #name, m_entry.name);
  TGQ3207_INSTRUMENT_ENTRY_POINTS(SFP_BIND_ENTRY_POINT)
#undef SFP_BIND_ENTRY_POINT
}

void CLiveInstrument::EnterCall() {
  if (m_linkDown) {
    m_lastStatus = kStatusLinkDown;
    ThrowUserException();
  }
  if (m_busy != 0) {
    m_lastStatus = kStatusTooFast;
    ThrowUserException();
  }
  m_busy = 1;
}

void CLiveInstrument::LeaveCall(int32_t status) {
  if (m_busy == 1) m_busy = 0;
  m_lastStatus = status;
  if (status < 0) ThrowUserException();
}

bool CLiveInstrument::SendDeviceClear() {
  bool present = m_entry.tgq3207_dcl != nullptr;
  if (present) CallDriver(m_entry.tgq3207_dcl);
  m_busy = 0;
  return present;
}

void CLiveInstrument::Reset() {
  EnterCall();
  DeviceClear();
  SetDefaults();
  LeaveCall(CallDriver(m_entry.tgq3207_reset));
}

// The settings read by SyncModes first, then every other one, each in the
// order of the setting table.
void CLiveInstrument::Sync() {
  if (m_linkDown) EnterCall();
  SyncModes();
  for (size_t i = 0; i < kSettingCount; ++i)
    if (!kSettingTable[i].m_readBySyncModes) GetSetting(kSettingTable[i], 1);
}

void CLiveInstrument::SyncModes() {
  for (size_t i = 0; i < kSettingCount; ++i)
    if (kSettingTable[i].m_readBySyncModes) GetSetting(kSettingTable[i], 1);
}

void CLiveInstrument::SelfTest(std::string& text) {
  text.clear();
  ViInt16 code = 0;
  char message[TGQ3207_SELF_TEST_MESSAGE_SIZE] = {};
  CallOrThrow(m_entry.tgq3207_self_test, &code, message);
  message[TGQ3207_SELF_TEST_MESSAGE_SIZE - 1] = '\0';
  text = std::to_string(code) + ", " + message;
}

int16_t CLiveInstrument::OpcQuery() {
  ViInt16 reply = 0;
  CallOrThrow(m_entry.tgq3207_opc_Q, &reply);
  return reply;
}

int16_t CLiveInstrument::ReadStatusByte() {
  ViInt16 reply = 0;
  CallOrThrow(m_entry.tgq3207_readStatusByte_Q, &reply);
  return reply;
}

void CLiveInstrument::ClearStatus() { CallOrThrow(m_entry.tgq3207_statEvenClr); }

void CLiveInstrument::Trigger() { CallOrThrow(m_entry.tgq3207_trg); }

// A library without tgq3207_dcl cannot clear the device: the caller learns of
// it like of a failed driver call.
void CLiveInstrument::DeviceClear() {
  if (!SendDeviceClear()) {
    m_lastStatus = kStatusMissingEntryPoint;
    ThrowUserException();
  }
}

void CLiveInstrument::Close() { CallDriver(m_entry.tgq3207_close); }

void CLiveInstrument::CloseSession() {
  m_linkDown = false;
  if (m_sessionOpen) Close();
  m_sessionOpen = false;
  m_linkDown = true;
}

void CLiveInstrument::AttachSession(uint32_t session) {
  m_session = session;
  m_sessionOpen = true;
  m_linkDown = false;
  m_busy = 0;
}

void CLiveInstrument::NoteLinkLost(int32_t status) {
  m_linkDown = true;
  if (!IoLog().m_enabled) return;
  CIoRecord row;
  CIoCallClock clock(row);
  row.m_entry = "Connection lost";
  row.m_text = m_record.m_rsrcName;
  row.m_status = status;
  clock.Stop();
  IoLog().Record(std::move(row));
}

std::string CLiveInstrument::QueryIdentity() { return QueryText("*IDN?", kIdentityReplySize); }

int16_t CLiveInstrument::ReadEventStatus() {
  ViInt16 reply = 0;
  CallOrThrow(m_entry.tgq3207_cmdInt16_Q, const_cast<ViString>("*ESR?"), &reply);
  return reply;
}

void CLiveInstrument::ErrorQuery(int32_t& code, std::string& message) {
  EnterCall();
  message.clear();
  ViInt32 reply = 0;
  char text[TGQ3207_ERROR_MESSAGE_SIZE] = {};
  int32_t status = CallDriver(m_entry.tgq3207_error_query, &reply, text);
  text[TGQ3207_ERROR_MESSAGE_SIZE - 1] = '\0';
  code = reply;
  message = text;
  m_busy = 0;
  m_lastStatus = status;
  if (status == VI_ERROR_TMO) {
    SendDeviceClear();
    ShowStringMessage(IDS_TIME_OUT);
  }
}

int32_t CLiveInstrument::GetLastStatus() { return m_lastStatus; }
int16_t CLiveInstrument::IsBusy() { return m_busy; }
int32_t CLiveInstrument::GetSlot() { return m_record.m_slot; }
int32_t CLiveInstrument::GetLogicalAddress() { return m_record.m_logicalAddress; }
uint16_t CLiveInstrument::GetIntfType() { return m_record.m_intfType; }

std::string CLiveInstrument::GetAddress() {
  m_address = m_record.m_rsrcName;
  return m_address;
}

void CLiveInstrument::GetPhaseLock(std::string& text) {
  text.clear();
  std::string options = QueryText("*OPT?", kOptionsReplySize);
  if (options.find("1:PLL") == std::string::npos) {
    text = "Not Installed";
    return;
  }
  ViInt16 condition = 0;
  CallOrThrow(m_entry.tgq3207_cmdInt16_Q, const_cast<ViString>("STAT:QUES:COND?"), &condition);
  text = (condition & kPhaseUnlockedBit) ? "Unlocked" : "Locked";
}
