#include "instrument/live_instrument.h"

#include "instrument/app_port.h"
#include "instrument/driver_library.h"
#include "instrument/error_reporter.h"
#include "instrument/user_exception.h"
#include "res/resource.h"

namespace {

constexpr int32_t kOptionsReplySize = 15;
constexpr int16_t kPhaseUnlockedBit = 0x40;

template <typename Entry>
void Bind(CDriverLibrary* library, const char* name, Entry& entry) {
  entry = library != nullptr ? reinterpret_cast<Entry>(library->FindEntryPoint(name)) : nullptr;
}

}  // namespace

CLiveInstrument::CLiveInstrument(uint32_t session, CDriverLibrary* library)
    : m_library(library) {
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

CLiveInstrument::~CLiveInstrument() { Close(); }

void CLiveInstrument::BindEntryPoints() {
  Bind(m_library, "tgq3207_reset", m_reset);
  Bind(m_library, "tgq3207_error_query", m_errorQuery);
  Bind(m_library, "tgq3207_self_test", m_selfTest);
  Bind(m_library, "tgq3207_readStatusByte_Q", m_readStatusByte);
  Bind(m_library, "tgq3207_opc_Q", m_opc);
  Bind(m_library, "tgq3207_trg", m_trg);
  Bind(m_library, "tgq3207_dcl", m_dcl);
  Bind(m_library, "tgq3207_close", m_close);
  Bind(m_library, "tgq3207_statEvenClr", m_statEvenClr);
  Bind(m_library, "tgq3207_cmdReal", m_cmdReal);
  Bind(m_library, "tgq3207_cmdReal64_Q", m_cmdReal64Q);
  Bind(m_library, "tgq3207_cmdInt", m_cmdInt);
  Bind(m_library, "tgq3207_cmdInt16_Q", m_cmdInt16Q);
  Bind(m_library, "tgq3207_cmd", m_cmd);
  Bind(m_library, "tgq3207_cmdString_Q", m_cmdStringQ);
}

void CLiveInstrument::EnterCall() {
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
  bool present = m_dcl != nullptr;
  if (present) m_dcl(m_session);
  m_busy = 0;
  return present;
}

void CLiveInstrument::Reset() {
  EnterCall();
  DeviceClear();
  SetDefaults();
  LeaveCall(CallDriver(m_reset));
}

void CLiveInstrument::Sync() {
  SyncModes();
  GetAmpl(1);
  GetOffset(1);
  GetDutyCycle(1);
  GetLoad(1);
  GetAmSource(1);
  GetFmFunc(1);
  GetAmFunc(1);
  GetFmFreq(1);
  GetAmFreq(1);
  GetFmDev(1);
  GetAmDepth(1);
  GetSweepTime(1);
  GetStartFreq(1);
  GetStopFreq(1);
  GetSweepSpacing(1);
  GetTrigSource(1);
  std::string userFunc;
  GetUserFunc(userFunc, 1);
  GetBmSource(1);
  GetBmCount(1);
  GetBmPhase(1);
  GetBmRate(1);
  GetTrigSlope(1);
  GetFskFreq(1);
  GetFskSource(1);
  GetFskRate(1);
}

void CLiveInstrument::SyncModes() {
  GetFunc(1);
  GetFreq(1);
  GetAmState(1);
  GetFmState(1);
  GetSweepState(1);
  GetBmState(1);
  GetFskState(1);
}

void CLiveInstrument::SelfTest(std::string& text) {
  text.clear();
  ViInt16 code = 0;
  char message[TGQ3207_SELF_TEST_MESSAGE_SIZE] = {};
  Guarded(m_selfTest, &code, message);
  message[TGQ3207_SELF_TEST_MESSAGE_SIZE - 1] = '\0';
  text = std::to_string(code) + ", " + message;
}

int16_t CLiveInstrument::OpcQuery() {
  ViInt16 reply = 0;
  Guarded(m_opc, &reply);
  return reply;
}

int16_t CLiveInstrument::ReadStatusByte() {
  ViInt16 reply = 0;
  Guarded(m_readStatusByte, &reply);
  return reply;
}

void CLiveInstrument::ClearStatus() { Guarded(m_statEvenClr); }

void CLiveInstrument::Trigger() { Guarded(m_trg); }

// A library without tgq3207_dcl cannot clear the device: the caller learns of
// it like of a failed driver call.
void CLiveInstrument::DeviceClear() {
  if (!SendDeviceClear()) {
    m_lastStatus = kStatusMissingEntryPoint;
    ThrowUserException();
  }
}

void CLiveInstrument::Close() {
  if (m_close != nullptr) m_close(m_session);
}

void CLiveInstrument::ErrorQuery(int32_t& code, std::string& message) {
  EnterCall();
  message.clear();
  ViInt32 reply = 0;
  char text[TGQ3207_ERROR_MESSAGE_SIZE] = {};
  int32_t status = CallDriver(m_errorQuery, &reply, text);
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
int32_t CLiveInstrument::GetSlot() { return AppPort().Slot(); }
int32_t CLiveInstrument::GetLogicalAddress() { return AppPort().LogicalAddress(); }
uint16_t CLiveInstrument::GetIntfType() { return AppPort().IntfType(); }

std::string CLiveInstrument::GetAddress() {
  m_address = AppPort().ResourceName();
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
  Guarded(m_cmdInt16Q, const_cast<ViString>("STAT:QUES:COND?"), &condition);
  text = (condition & kPhaseUnlockedBit) ? "Unlocked" : "Locked";
}
