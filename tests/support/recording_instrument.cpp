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
// The argument as the typed Set<Name> takes it.
std::string Arg(const CSetting& row, const CSettingValue& value) {
  switch (row.m_kind) {
    case ESettingKind::kReal:
      return FormatArgument(value.m_number);
    case ESettingKind::kChoice:
      return std::to_string(SettingValueAs<int16_t>(value));
    case ESettingKind::kInteger:
      return std::to_string(SettingValueAs<int32_t>(value));
    case ESettingKind::kName:
      break;
  }
  return value.m_name;
}
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
void CRecordingInstrument::SetSetting(const CSetting& row, const CSettingValue& value) {
  Call(std::string("Set") + row.m_name, Arg(row, value));
  CNonLiveInstrument::SetSetting(row, value);
}

CSettingValue CRecordingInstrument::GetSetting(const CSetting& row, int16_t query) {
  Call(std::string("Get") + row.m_name, std::to_string(query));
  return CNonLiveInstrument::GetSetting(row, query);
}
