#include "instrument/tests/fake_driver.h"

#include <cstdio>
#include <cstring>

#include "instrument/tests/recording_port.h"
#include "tgq3207.h"

namespace {

CFakeDriver* g_driver = nullptr;

void WriteText(char* dest, size_t capacity, const std::string& text) {
  if (text.size() >= capacity) {
    std::memcpy(dest, text.data(), capacity);
  } else {
    std::memcpy(dest, text.c_str(), text.size() + 1);
  }
}

std::string Real(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

}  // namespace

// The entry points, each recording its call under its name without the prefix.
namespace own {
namespace {

ViStatus _VI_FUNC tgq3207_cmd(ViSession vi, ViString command) {
  return g_driver->Take(std::string("cmd:") + command, vi).m_status;
}

ViStatus _VI_FUNC tgq3207_cmdInt(ViSession vi, ViString header, ViInt32 value) {
  return g_driver->Take(std::string("cmdInt:") + header + "," + std::to_string(value), vi)
      .m_status;
}

ViStatus _VI_FUNC tgq3207_cmdReal(ViSession vi, ViString header, ViReal64 value) {
  return g_driver->Take(std::string("cmdReal:") + header + "," + Real(value), vi).m_status;
}

ViStatus _VI_FUNC tgq3207_cmdString_Q(ViSession vi, ViString query, ViInt32 size,
                                      ViChar result[]) {
  CDriverAnswer answer =
      g_driver->Take(std::string("cmdString_Q:") + query + "," + std::to_string(size), vi);
  WriteText(result, static_cast<size_t>(size) + 1, answer.m_text);
  return answer.m_status;
}

ViStatus _VI_FUNC tgq3207_cmdInt16_Q(ViSession vi, ViString query, ViInt16* result) {
  CDriverAnswer answer = g_driver->Take(std::string("cmdInt16_Q:") + query, vi);
  *result = static_cast<ViInt16>(answer.m_number);
  return answer.m_status;
}

ViStatus _VI_FUNC tgq3207_cmdReal64_Q(ViSession vi, ViString query, ViReal64* result) {
  CDriverAnswer answer = g_driver->Take(std::string("cmdReal64_Q:") + query, vi);
  *result = answer.m_real;
  return answer.m_status;
}

ViStatus Int16Reply(const char* call, ViSession vi, ViInt16* result) {
  CDriverAnswer answer = g_driver->Take(call, vi);
  *result = static_cast<ViInt16>(answer.m_number);
  return answer.m_status;
}

ViStatus _VI_FUNC tgq3207_reset(ViSession vi) { return g_driver->Take("reset", vi).m_status; }
ViStatus _VI_FUNC tgq3207_dcl(ViSession vi) { return g_driver->Take("dcl", vi).m_status; }
ViStatus _VI_FUNC tgq3207_close(ViSession vi) { return g_driver->Take("close", vi).m_status; }
ViStatus _VI_FUNC tgq3207_trg(ViSession vi) { return g_driver->Take("trg", vi).m_status; }
ViStatus _VI_FUNC tgq3207_statEvenClr(ViSession vi) {
  return g_driver->Take("statEvenClr", vi).m_status;
}
ViStatus _VI_FUNC tgq3207_opc_Q(ViSession vi, ViInt16* result) {
  return Int16Reply("opc_Q", vi, result);
}
ViStatus _VI_FUNC tgq3207_readStatusByte_Q(ViSession vi, ViInt16* result) {
  return Int16Reply("readStatusByte_Q", vi, result);
}

ViStatus _VI_FUNC tgq3207_self_test(ViSession vi, ViInt16* result, ViChar message[]) {
  CDriverAnswer answer = g_driver->Take("self_test", vi);
  *result = static_cast<ViInt16>(answer.m_number);
  WriteText(message, TGQ3207_SELF_TEST_MESSAGE_SIZE, answer.m_text);
  return answer.m_status;
}

ViStatus _VI_FUNC tgq3207_error_query(ViSession vi, ViInt32* code, ViChar message[]) {
  CDriverAnswer answer = g_driver->Take("error_query", vi);
  *code = answer.m_number;
  WriteText(message, TGQ3207_ERROR_MESSAGE_SIZE, answer.m_text);
  return answer.m_status;
}

}  // namespace
}  // namespace own

namespace {
const COwnEntryPoint kEntries[] = {TGQ3207_INSTRUMENT_ENTRY_POINTS(SFP_OWN_ENTRY_POINT)};
}  // namespace

CFakeDriver::CFakeDriver() : m_previous(g_driver) { g_driver = this; }

CFakeDriver::~CFakeDriver() { g_driver = m_previous; }

void* CFakeDriver::FindEntryPoint(const char* name) {
  m_lookedUp.push_back(name);
  if (m_missing.count(name) != 0) return nullptr;
  return FindOwnEntryPoint(kEntries, name);
}

CDriverAnswer CFakeDriver::Take(const std::string& call, uint32_t vi) {
  // The application chooses where driver calls run: every one goes through it.
  auto* port = dynamic_cast<CRecordingPort*>(&AppPort());
  m_calls.push_back(call + (vi != kSession                         ? " (wrong session)"
                            : port != nullptr && !port->m_inDriverCall ? " (not run by the port)"
                                                                       : ""));
  if (m_duringNextCall) {
    std::function<void()> reentry = std::move(m_duringNextCall);
    m_duringNextCall = nullptr;
    reentry();
  }
  if (m_answers.empty()) return CDriverAnswer();
  CDriverAnswer answer = m_answers.front();
  m_answers.pop_front();
  return answer;
}
