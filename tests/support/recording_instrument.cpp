#include "tests/support/recording_instrument.h"

#include <cstdio>
#include <cstdlib>

#include "framework/win32/wait_cursor.h"
#include "instrument/user_exception.h"

std::string FormatArgument(double value) {
  char text[40];
  // The shortest %g text that reads back as the value, with room enough for
  // every whole number of the instrument's ranges to come out unscaled.
  for (int precision = 9; precision <= 17; ++precision) {
    std::snprintf(text, sizeof text, "%.*g", precision, value);
    if (std::strtod(text, nullptr) == value) break;
  }
  return text;
}

namespace {
std::string Arg(double v) { return FormatArgument(v); }
std::string Arg(int32_t v) { return std::to_string(v); }
std::string Arg(int16_t v) { return std::to_string(v); }
}  // namespace

CRecordingInstrument::~CRecordingInstrument() {
  if (m_deleted != nullptr) *m_deleted = true;
}

void CRecordingInstrument::Fail(const std::string& operation, int32_t status, int times) {
  for (int i = 0; i < times; ++i) m_failures[operation].push_back(status);
}

std::vector<std::string> CRecordingInstrument::Take() {
  std::vector<std::string> calls;
  calls.swap(m_calls);
  return calls;
}

void CRecordingInstrument::Call(const std::string& operation, const std::string& argument) {
  m_calls.push_back(operation + "(" + argument + ")");
  m_waitDepthAt[m_calls.back()] = WaitCursorDepth();
  auto due = m_failures.find(operation);
  if (due == m_failures.end() || due->second.empty()) return;
  m_lastStatus = due->second.front();
  due->second.erase(due->second.begin());
  ThrowUserException();
}

void CRecordingInstrument::Reset() { Call("Reset", ""); CNonLiveInstrument::Reset(); }
void CRecordingInstrument::Sync() { Call("Sync", ""); }
void CRecordingInstrument::SyncModes() { Call("SyncModes", ""); }
void CRecordingInstrument::SelfTest(std::string& text) {
  Call("SelfTest", "");
  CNonLiveInstrument::SelfTest(text);
}
void CRecordingInstrument::ErrorQuery(int32_t& code, std::string& message) {
  Call("ErrorQuery", "");
  CNonLiveInstrument::ErrorQuery(code, message);
}
void CRecordingInstrument::DeviceClear() { Call("DeviceClear", ""); }
int16_t CRecordingInstrument::ReadStatusByte() { Call("ReadStatusByte", ""); return 0; }
int16_t CRecordingInstrument::OpcQuery() { Call("OpcQuery", ""); return 0; }
void CRecordingInstrument::ClearStatus() { Call("ClearStatus", ""); }
void CRecordingInstrument::Trigger() { Call("Trigger", ""); }
void CRecordingInstrument::GetPhaseLock(std::string& text) {
  Call("GetPhaseLock", "");
  CNonLiveInstrument::GetPhaseLock(text);
}
// Every setting of the table, recorded alike.
#define SFP_RECORD_VALUE(type, name)                             \
  void CRecordingInstrument::Set##name(type value) {             \
    Call("Set" #name, Arg(value));                               \
    CNonLiveInstrument::Set##name(value);                        \
  }                                                              \
  type CRecordingInstrument::Get##name(int16_t query) {          \
    Call("Get" #name, Arg(query));                               \
    return CNonLiveInstrument::Get##name(query);                 \
  }
#define SFP_RECORD_Real(name) SFP_RECORD_VALUE(double, name)
#define SFP_RECORD_Choice(name) SFP_RECORD_VALUE(int16_t, name)
#define SFP_RECORD_Integer(name) SFP_RECORD_VALUE(int32_t, name)
#define SFP_RECORD_Name(name)                                             \
  void CRecordingInstrument::Get##name(std::string& text, int16_t query) { \
    Call("Get" #name, Arg(query));                                        \
    CNonLiveInstrument::Get##name(text, query);                           \
  }                                                                       \
  void CRecordingInstrument::Set##name(std::string value) {               \
    Call("Set" #name, value);                                             \
    CNonLiveInstrument::Set##name(std::move(value));                      \
  }
#define SFP_RECORD_SETTING(Name, Kind, ...) SFP_RECORD_##Kind(Name)
SFP_SETTINGS(SFP_RECORD_SETTING)
