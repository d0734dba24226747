// Reading command parameters: numbers in any decimal form or as MIN, MAX and
// DEF, booleans, keywords. Each helper raises the error a real instrument
// would queue for a parameter of the wrong kind.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "visa-sim/model/program_message.h"

namespace tgqsim {

struct Range {
  double min;
  double max;
};

// A keyword of a setting and the code the setting takes for it.
struct KeywordCode {
  const char* spelling;  // "EXTernal"
  int code;
};

using Parameters = std::vector<Parameter>;

void ExpectNoParameters(const Parameters& params);
const Parameter& SingleParameter(const Parameters& params);
// The number, or the limit or default that MIN, MAX or DEF name.
double NumberValue(const Parameter& param, const Range& range, double defaultValue);
// The plain number; no MIN, MAX or DEF.
double PlainNumber(const Parameter& param);
bool BooleanValue(const Parameter& param);
int KeywordValue(const Parameter& param, const std::vector<KeywordCode>& keywords);
// The short form of the keyword that has this code.
std::string KeywordReply(int code, const std::vector<KeywordCode>& keywords);
bool IsKeyword(const Parameter& param, const char* spelling);
// MIN or MAX after a query header: the limit to reply instead of the setting.
std::optional<double> QueriedLimit(const Parameters& params, const Range& range);
// The value, when it lies in the range (within rounding); else -222.
double CheckedInRange(double value, const Range& range);

}  // namespace tgqsim
