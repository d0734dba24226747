#include "visa-sim/model/parameters.h"

#include <algorithm>
#include <cmath>

#include "scpi/scpi_words.h"

namespace tgqsim {

using scpi::Mnemonic;

void ExpectNoParameters(const Parameters& params) {
  if (!params.empty()) Fail(kParameterNotAllowed);
}

const Parameter& SingleParameter(const Parameters& params) {
  if (params.empty()) Fail(kMissingParameter);
  if (params.size() > 1) Fail(kParameterNotAllowed);
  return params.front();
}

bool IsKeyword(const Parameter& param, const char* spelling) {
  return param.kind == ParameterKind::kCharacter && Mnemonic(spelling).Matches(param.text);
}

double PlainNumber(const Parameter& param) {
  if (param.kind == ParameterKind::kString) Fail(kDataTypeError);
  if (param.kind == ParameterKind::kCharacter) Fail(kIllegalParameterValue);
  if (!param.text.empty()) Fail(kSuffixNotAllowed);
  return param.number;
}

double NumberValue(const Parameter& param, const Range& range, double defaultValue) {
  if (IsKeyword(param, "MINimum")) return range.min;
  if (IsKeyword(param, "MAXimum")) return range.max;
  if (IsKeyword(param, "DEFault")) return defaultValue;
  return PlainNumber(param);
}

bool BooleanValue(const Parameter& param) {
  if (IsKeyword(param, "ON")) return true;
  if (IsKeyword(param, "OFF")) return false;
  return std::lround(PlainNumber(param)) != 0;
}

int KeywordValue(const Parameter& param, const std::vector<KeywordCode>& keywords) {
  if (param.kind != ParameterKind::kCharacter) Fail(kDataTypeError);
  for (const KeywordCode& keyword : keywords)
    if (Mnemonic(keyword.spelling).Matches(param.text)) return keyword.code;
  Fail(kIllegalParameterValue);
}

std::string KeywordReply(int code, const std::vector<KeywordCode>& keywords) {
  for (const KeywordCode& keyword : keywords)
    if (keyword.code == code) return Mnemonic(keyword.spelling).ShortForm();
  return {};
}

std::optional<double> QueriedLimit(const Parameters& params, const Range& range) {
  if (params.empty()) return std::nullopt;
  const Parameter& param = SingleParameter(params);
  if (IsKeyword(param, "MINimum")) return range.min;
  if (IsKeyword(param, "MAXimum")) return range.max;
  Fail(kIllegalParameterValue);
}

double CheckedInRange(double value, const Range& range) {
  // Values computed elsewhere from the same limits may miss them by a rounding step.
  constexpr double kSlack = 1e-12;
  if (!(value >= range.min - kSlack * std::fabs(range.min) &&
        value <= range.max + kSlack * std::fabs(range.max)))
    Fail(kDataOutOfRange);
  return std::clamp(value, range.min, range.max);
}

}  // namespace tgqsim
