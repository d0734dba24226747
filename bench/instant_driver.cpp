#include "bench/instant_driver.h"

#include <cstring>
#include <map>
#include <string>
#include <string_view>

#include "tgq3207.h"

namespace {
// Real settings by header, "FREQ" -> 2.5e6; a query "FREQ?" reads "FREQ".
std::map<std::string, double, std::less<>>& RealSettings() {
  static std::map<std::string, double, std::less<>> settings;
  return settings;
}

ViStatus _VI_FUNC Done(ViSession) { return VI_SUCCESS; }

ViStatus _VI_FUNC Cmd(ViSession, ViString) { return VI_SUCCESS; }

ViStatus _VI_FUNC CmdInt(ViSession, ViString, ViInt32) { return VI_SUCCESS; }

ViStatus _VI_FUNC CmdReal(ViSession, ViString header, ViReal64 value) {
  auto& settings = RealSettings();
  auto found = settings.find(std::string_view(header));
  if (found != settings.end())
    found->second = value;
  else
    settings.emplace(header, value);
  return VI_SUCCESS;
}

ViStatus _VI_FUNC CmdReal64Q(ViSession, ViString query, ViReal64* result) {
  std::string_view header(query);
  if (!header.empty() && header.back() == '?') header.remove_suffix(1);
  auto& settings = RealSettings();
  auto found = settings.find(header);
  *result = found != settings.end() ? found->second : 0.0;
  return VI_SUCCESS;
}

ViStatus _VI_FUNC CmdStringQ(ViSession, ViString, ViInt32, ViChar result[]) {
  result[0] = '\0';
  return VI_SUCCESS;
}

ViStatus _VI_FUNC Int16Q(ViSession, ViInt16* result) {
  *result = 0;
  return VI_SUCCESS;
}

ViStatus _VI_FUNC CmdInt16Q(ViSession, ViString, ViInt16* result) { return Int16Q(0, result); }

ViStatus _VI_FUNC SelfTest(ViSession, ViInt16* code, ViChar message[]) {
  *code = 0;
  std::strcpy(message, "Self test passed");
  return VI_SUCCESS;
}

ViStatus _VI_FUNC ErrorQuery(ViSession, ViInt32* code, ViChar message[]) {
  *code = 0;
  std::strcpy(message, "No error");
  return VI_SUCCESS;
}

// The entry points under their names.
namespace own {
constexpr auto tgq3207_cmd = Cmd;
constexpr auto tgq3207_cmdInt = CmdInt;
constexpr auto tgq3207_cmdReal = CmdReal;
constexpr auto tgq3207_cmdString_Q = CmdStringQ;
constexpr auto tgq3207_cmdInt16_Q = CmdInt16Q;
constexpr auto tgq3207_cmdReal64_Q = CmdReal64Q;
constexpr auto tgq3207_reset = Done;
constexpr auto tgq3207_dcl = Done;
constexpr auto tgq3207_close = Done;
constexpr auto tgq3207_trg = Done;
constexpr auto tgq3207_statEvenClr = Done;
constexpr auto tgq3207_opc_Q = Int16Q;
constexpr auto tgq3207_readStatusByte_Q = Int16Q;
constexpr auto tgq3207_self_test = SelfTest;
constexpr auto tgq3207_error_query = ErrorQuery;
}  // namespace own

const COwnEntryPoint kEntries[] = {TGQ3207_INSTRUMENT_ENTRY_POINTS(SFP_OWN_ENTRY_POINT)};
}  // namespace

void* CInstantDriver::FindEntryPoint(const char* name) { return FindOwnEntryPoint(kEntries, name); }
