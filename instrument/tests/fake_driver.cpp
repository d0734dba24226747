#include "instrument/tests/fake_driver.h"

#include <cstdio>
#include <cstring>

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

ViStatus _VI_FUNC Cmd(ViSession vi, ViString command) {
  return g_driver->Take(std::string("cmd:") + command, vi).m_status;
}

ViStatus _VI_FUNC CmdInt(ViSession vi, ViString header, ViInt32 value) {
  return g_driver->Take(std::string("cmdInt:") + header + "," + std::to_string(value), vi)
      .m_status;
}

ViStatus _VI_FUNC CmdReal(ViSession vi, ViString header, ViReal64 value) {
  return g_driver->Take(std::string("cmdReal:") + header + "," + Real(value), vi).m_status;
}

ViStatus _VI_FUNC CmdStringQ(ViSession vi, ViString query, ViInt32 size, ViChar result[]) {
  CDriverAnswer answer =
      g_driver->Take(std::string("cmdString_Q:") + query + "," + std::to_string(size), vi);
  WriteText(result, static_cast<size_t>(size) + 1, answer.m_text);
  return answer.m_status;
}

ViStatus _VI_FUNC CmdInt16Q(ViSession vi, ViString query, ViInt16* result) {
  CDriverAnswer answer = g_driver->Take(std::string("cmdInt16_Q:") + query, vi);
  *result = static_cast<ViInt16>(answer.m_number);
  return answer.m_status;
}

ViStatus _VI_FUNC CmdReal64Q(ViSession vi, ViString query, ViReal64* result) {
  CDriverAnswer answer = g_driver->Take(std::string("cmdReal64_Q:") + query, vi);
  *result = answer.m_real;
  return answer.m_status;
}

template <const char* kName>
ViStatus _VI_FUNC SessionCall(ViSession vi) {
  return g_driver->Take(kName, vi).m_status;
}

template <const char* kName>
ViStatus _VI_FUNC Int16Query(ViSession vi, ViInt16* result) {
  CDriverAnswer answer = g_driver->Take(kName, vi);
  *result = static_cast<ViInt16>(answer.m_number);
  return answer.m_status;
}

ViStatus _VI_FUNC SelfTest(ViSession vi, ViInt16* result, ViChar message[]) {
  CDriverAnswer answer = g_driver->Take("self_test", vi);
  *result = static_cast<ViInt16>(answer.m_number);
  WriteText(message, TGQ3207_SELF_TEST_MESSAGE_SIZE, answer.m_text);
  return answer.m_status;
}

ViStatus _VI_FUNC ErrorQuery(ViSession vi, ViInt32* code, ViChar message[]) {
  CDriverAnswer answer = g_driver->Take("error_query", vi);
  *code = answer.m_number;
  WriteText(message, TGQ3207_ERROR_MESSAGE_SIZE, answer.m_text);
  return answer.m_status;
}

constexpr char kReset[] = "reset";
constexpr char kDcl[] = "dcl";
constexpr char kClose[] = "close";
constexpr char kTrg[] = "trg";
constexpr char kStatEvenClr[] = "statEvenClr";
constexpr char kOpc[] = "opc_Q";
constexpr char kReadStatusByte[] = "readStatusByte_Q";

struct CEntry {
  const char* m_name;
  void* m_function;
};

template <typename Function>
void* Address(Function function) {
  return reinterpret_cast<void*>(function);
}

const CEntry kEntries[] = {
    {"tgq3207_cmd", Address(Cmd)},
    {"tgq3207_cmdInt", Address(CmdInt)},
    {"tgq3207_cmdReal", Address(CmdReal)},
    {"tgq3207_cmdString_Q", Address(CmdStringQ)},
    {"tgq3207_cmdInt16_Q", Address(CmdInt16Q)},
    {"tgq3207_cmdReal64_Q", Address(CmdReal64Q)},
    {"tgq3207_reset", Address(SessionCall<kReset>)},
    {"tgq3207_dcl", Address(SessionCall<kDcl>)},
    {"tgq3207_close", Address(SessionCall<kClose>)},
    {"tgq3207_trg", Address(SessionCall<kTrg>)},
    {"tgq3207_statEvenClr", Address(SessionCall<kStatEvenClr>)},
    {"tgq3207_opc_Q", Address(Int16Query<kOpc>)},
    {"tgq3207_readStatusByte_Q", Address(Int16Query<kReadStatusByte>)},
    {"tgq3207_self_test", Address(SelfTest)},
    {"tgq3207_error_query", Address(ErrorQuery)},
};

}  // namespace

CFakeDriver::CFakeDriver() : m_previous(g_driver) { g_driver = this; }

CFakeDriver::~CFakeDriver() { g_driver = m_previous; }

void* CFakeDriver::FindEntryPoint(const char* name) {
  m_lookedUp.push_back(name);
  if (m_missing.count(name) != 0) return nullptr;
  for (const CEntry& entry : kEntries)
    if (std::strcmp(entry.m_name, name) == 0) return entry.m_function;
  return nullptr;
}

CDriverAnswer CFakeDriver::Take(const std::string& call, uint32_t vi) {
  m_calls.push_back(vi == kSession ? call : call + " (wrong session)");
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
