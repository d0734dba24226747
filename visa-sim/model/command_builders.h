// The shapes most commands share, so that each setting is one line of the
// command table: a number with its limits, a keyword, a mode switch.
#pragma once

#include <functional>
#include <vector>

#include "visa-sim/model/command.h"
#include "visa-sim/model/q3207_settings.h"

namespace tgqsim {

using RangeRule = std::function<Range(const Q3207Settings&)>;

// A numeric setting: MIN, MAX and DEF accepted, out-of-range values rejected
// with -222; the query takes MIN or MAX to report a limit.
Command NumberSetting(const char* header, double Q3207Settings::*member, RangeRule range);
Command NumberSetting(const char* header, double Q3207Settings::*member, Range range);
// A keyword setting; the query replies the short form.
Command KeywordSetting(const char* header, int Q3207Settings::*member,
                       std::vector<KeywordCode> keywords);
// ON switches this mode on and the other four off; OFF switches only this one off.
Command ModeSwitch(const char* header, Mode mode);
// A query-only command.
Command QueryOnly(const char* header, QueryHandler query);
// A command without parameters and without query form.
Command Action(const char* header, std::function<void(Q3207Instrument&)> action);

}  // namespace tgqsim
