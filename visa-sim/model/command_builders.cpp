#include "visa-sim/model/command_builders.h"

#include "visa-sim/model/q3207_instrument.h"
#include "visa-sim/model/reply_format.h"

namespace tgqsim {

Command NumberSetting(const char* header, double Q3207Settings::*member, RangeRule range) {
  auto set = [member, range](Q3207Instrument& inst, const Parameters& params) {
    Q3207Settings& s = inst.Settings();
    Range limits = range(s);
    double value = NumberValue(SingleParameter(params), limits, Q3207Settings{}.*member);
    s.*member = CheckedInRange(value, limits);
  };
  auto query = [member, range](Q3207Instrument& inst, const Parameters& params) {
    const Q3207Settings& s = inst.Settings();
    return FormatNumber(QueriedLimit(params, range(s)).value_or(s.*member));
  };
  return {HeaderPattern(header), set, query};
}

Command NumberSetting(const char* header, double Q3207Settings::*member, Range range) {
  return NumberSetting(header, member, [range](const Q3207Settings&) { return range; });
}

Command KeywordSetting(const char* header, int Q3207Settings::*member,
                       std::vector<KeywordCode> keywords) {
  auto set = [member, keywords](Q3207Instrument& inst, const Parameters& params) {
    inst.Settings().*member = KeywordValue(SingleParameter(params), keywords);
  };
  auto query = [member, keywords](Q3207Instrument& inst, const Parameters& params) {
    ExpectNoParameters(params);
    return KeywordReply(inst.Settings().*member, keywords);
  };
  return {HeaderPattern(header), set, query};
}

Command ModeSwitch(const char* header, Mode mode) {
  auto set = [mode](Q3207Instrument& inst, const Parameters& params) {
    int& active = inst.Settings().activeMode;
    if (BooleanValue(SingleParameter(params)))
      active = mode;
    else if (active == mode)
      active = kNoMode;
  };
  auto query = [mode](Q3207Instrument& inst, const Parameters& params) {
    ExpectNoParameters(params);
    return FormatInteger(inst.Settings().activeMode == mode ? 1 : 0);
  };
  return {HeaderPattern(header), set, query};
}

Command QueryOnly(const char* header, QueryHandler query) {
  return {HeaderPattern(header), nullptr, std::move(query)};
}

Command Action(const char* header, std::function<void(Q3207Instrument&)> action) {
  auto set = [action](Q3207Instrument& inst, const Parameters& params) {
    ExpectNoParameters(params);
    action(inst);
  };
  return {HeaderPattern(header), set, nullptr};
}

}  // namespace tgqsim
